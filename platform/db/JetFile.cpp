#include "platform/db/JetFile.h"

#include <fcntl.h>
#include <mdbtools.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>

#include "platform/runtime/Error.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOLVANE_ADDRESS_SANITIZER 1
#endif
#endif
#if !defined(TOLVANE_ADDRESS_SANITIZER) && defined(__SANITIZE_ADDRESS__)
#define TOLVANE_ADDRESS_SANITIZER 1
#endif
#ifndef TOLVANE_ADDRESS_SANITIZER
#define TOLVANE_ADDRESS_SANITIZER 0
#endif

namespace adodb::jet {

namespace {

constexpr long kDriverFailed = -2147467259;  // as err::DriverFailed of Ado.h

[[noreturn]] void Fail(const std::string& message) {
  vb::Raise(kDriverFailed, "[Access] " + message);
}

// ---- the file's structure -------------------------------------------------------------------

constexpr size_t kHeaderSize = 0x20;

// The first bytes of the file (or buffer), as many as there are up to `count`; `identity` tells
// this state of the file from any other: its path, device, inode, size and times (for bytes in
// memory: their name, size and hash).
std::string ReadHead(const Source& source, size_t count, uint64_t& size, std::string& identity) {
  if (source.bytes) {
    size = source.bytes->size();
    identity = "bytes\n" + source.path + "\n" + std::to_string(size) + "\n" +
               std::to_string(std::hash<std::string>{}(*source.bytes));
    return source.bytes->substr(0, count);
  }
  int fd = ::open(source.path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) Fail("unable to open database file: " + source.path);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    Fail("unable to open database file: " + source.path);
  }
  size = static_cast<uint64_t>(st.st_size);
  identity = "file\n" + source.path + "\n" + std::to_string(st.st_dev) + "\n" +
             std::to_string(st.st_ino) + "\n" + std::to_string(size) + "\n" +
             std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec) + "\n" +
             std::to_string(st.st_ctim.tv_sec) + "." + std::to_string(st.st_ctim.tv_nsec);
  std::string head(count, '\0');
  ssize_t n = ::pread(fd, head.data(), count, 0);
  ::close(fd);
  head.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return head;
}

// ---- the child process and its messages -----------------------------------------------------

// What the child sends: a stream of tagged records, ended by 'E' (done) or 'X' (a failure the
// child could tell, with its text).
class Writer {
 public:
  explicit Writer(int fd) : fd_(fd), flushed_(std::chrono::steady_clock::now()) {}
  // After each row or table: sends what is buffered once kFlushMs have passed since the last
  // send, so that the parent hears from a child that is getting on, and silence means one read
  // of the library that does not return.
  void progress() {
    if (buffer_.empty() || ++sinceClock_ < 64) return;
    sinceClock_ = 0;
    if (std::chrono::steady_clock::now() - flushed_ >= std::chrono::milliseconds(kFlushMs)) flush();
  }
  void u8(uint8_t v) { buffer_.push_back(static_cast<char>(v)); }
  void u32(uint32_t v) { raw(&v, sizeof v); }
  void i64(int64_t v) { raw(&v, sizeof v); }
  void f64(double v) { raw(&v, sizeof v); }
  void text(std::string_view s) {
    u32(static_cast<uint32_t>(s.size()));
    buffer_.append(s);
    if (buffer_.size() > (1u << 16)) flush();
  }
  void value(const Value& v) {
    u8(v.kind);
    switch (v.kind) {
      case Value::Integer: i64(v.integer); break;
      case Value::Real:
      case Value::Date: f64(v.real); break;
      case Value::Text:
      case Value::Blob: text(v.text); break;
      default: break;
    }
    if (buffer_.size() > (1u << 16)) flush();
  }
  void flush() {
    const char* p = buffer_.data();
    size_t left = buffer_.size();
    while (left > 0) {
      ssize_t n = ::write(fd_, p, left);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) ::_exit(4);
      p += n;
      left -= static_cast<size_t>(n);
    }
    buffer_.clear();
    flushed_ = std::chrono::steady_clock::now();
  }

 private:
  static constexpr int kFlushMs = 200;
  void raw(const void* p, size_t n) { buffer_.append(static_cast<const char*>(p), n); }
  int fd_;
  std::string buffer_;
  std::chrono::steady_clock::time_point flushed_;
  int sinceClock_ = 0;
};

class Reader {
 public:
  explicit Reader(const std::string& data) : data_(data) {}
  bool atEnd() const { return pos_ >= data_.size(); }
  uint8_t u8() { return static_cast<uint8_t>(take(1)[0]); }
  uint32_t u32() { return get<uint32_t>(); }
  int64_t i64() { return get<int64_t>(); }
  double f64() { return get<double>(); }
  std::string text() {
    uint32_t n = u32();
    return std::string(take(n), n);
  }
  Value value() {
    Value v;
    uint8_t kind = u8();
    if (kind > Value::Later) throw std::runtime_error("bad value");
    v.kind = static_cast<Value::Kind>(kind);
    switch (v.kind) {
      case Value::Integer: v.integer = i64(); break;
      case Value::Real:
      case Value::Date: v.real = f64(); break;
      case Value::Text:
      case Value::Blob: v.text = text(); break;
      default: break;
    }
    return v;
  }

 private:
  template <typename T>
  T get() {
    T v;
    std::memcpy(&v, take(sizeof v), sizeof v);
    return v;
  }
  const char* take(size_t n) {
    if (n > data_.size() - pos_) throw std::runtime_error("short message");
    const char* p = data_.data() + pos_;
    pos_ += n;
    return p;
  }
  const std::string& data_;
  size_t pos_ = 0;
};

// The longest time a child may go without sending anything before it is taken for hung. A
// child sends at least every Writer::kFlushMs while it reads rows or tables, so this is the time
// of one read of the library (a page, a row, the catalog), far less than a second on any file
// that reads at all.
constexpr int kQuietLimitMs = 3000;

// The files (each state of a file, by its identity) whose reader child crashed, hung or sent
// more than the file holds, with the error reported: a later read of the same file fails at
// once with the same error instead of costing the wait again. A few are kept, the oldest
// forgotten first; a file that changes has another identity and is read afresh.
struct Damage {
  std::string identity;
  vb::Error error;
};
std::mutex gDamageMutex;
std::deque<Damage> gDamaged;
constexpr size_t kDamagedKept = 64;

void RaiseIfDamaged(const std::string& identity) {
  std::lock_guard<std::mutex> lock(gDamageMutex);
  for (const Damage& d : gDamaged)
    if (d.identity == identity) throw d.error;
}

[[noreturn]] void FailDamaged(const std::string& identity, const std::string& message) {
  const vb::Error error{kDriverFailed, "[Access] " + message};
  vb::RegisterOnceOnly(error);
  {
    std::lock_guard<std::mutex> lock(gDamageMutex);
    if (gDamaged.size() >= kDamagedKept) gDamaged.pop_front();
    gDamaged.push_back(Damage{identity, error});
  }
  throw error;
}

// Runs `work` in a forked child and gives what it sent, up to its end record. `what` names
// the read in messages; `identity` is the file's (see ReadHead). The child never returns into
// the program: it ends with _exit.
std::string RunInChild(const Source& source, const std::string& identity, const std::string& what,
                       const std::function<void(Writer&)>& work, uint64_t limit) {
  RaiseIfDamaged(identity);
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) Fail("cannot start the reader: " + std::string(strerror(errno)));
  pid_t pid = ::fork();
  if (pid < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    Fail("cannot start the reader: " + std::string(strerror(errno)));
  }
  if (pid == 0) {
    ::close(fds[0]);
    // mdbtools writes its complaints to stderr, and dumps of damaged pages to stdout; the
    // parent gives its own message.
    int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0) {
      ::dup2(null, 1);
      ::dup2(null, 2);
    }
    // A damaged length must not make the child take the machine's memory. (Not under
    // AddressSanitizer, whose shadow memory alone is far more address space: there the
    // sanitizer's own allocation limit holds.)
#if !TOLVANE_ADDRESS_SANITIZER
    struct rlimit mem {};
    mem.rlim_cur = mem.rlim_max = static_cast<rlim_t>(4) << 30;
    ::setrlimit(RLIMIT_AS, &mem);
#endif
    Writer out(fds[1]);
    try {
      work(out);
      out.u8('E');
    } catch (const std::exception& e) {
      out.u8('X');
      out.text(e.what());
    } catch (...) {
      ::_exit(3);
    }
    out.flush();
    ::_exit(0);
  }
  ::close(fds[1]);
  (void)source;

  std::string data;
  bool hung = false, tooMuch = false;
  char chunk[1 << 16];
  for (;;) {
    pollfd p{fds[0], POLLIN, 0};
    int r = ::poll(&p, 1, kQuietLimitMs);
    if (r < 0 && errno == EINTR) continue;
    if (r == 0) {
      hung = true;
      break;
    }
    ssize_t n = ::read(fds[0], chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    data.append(chunk, static_cast<size_t>(n));
    if (data.size() > limit) {
      tooMuch = true;
      break;
    }
  }
  ::close(fds[0]);
  if (hung || tooMuch) ::kill(pid, SIGKILL);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  const std::string where = what + " of " + source.path;
  if (hung) FailDamaged(identity, "the database file is damaged: reading " + where + " does not finish");
  if (tooMuch)
    FailDamaged(identity, "the database file is damaged: reading " + where +
                              " gives more data than the file holds");
  if (WIFSIGNALED(status))
    FailDamaged(identity, "the database file is damaged: reading " + where + " failed (" +
                              strsignal(WTERMSIG(status)) + ")");
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || data.empty())
    FailDamaged(identity, "the database file is damaged: reading " + where + " failed");
  return data;
}

// What a child may send at most: memo text expands from the file's one-byte compressed form to
// UTF-8, so some multiple of the file's size, never more.
uint64_t OutputLimit(uint64_t fileSize) { return fileSize * 8 + (64u << 20); }

// A message from the child that does not decode.
[[noreturn]] void BadMessage(const std::string& what, const Source& source) {
  Fail("the database file is damaged: reading " + what + " of " + source.path + " failed");
}

struct Shape {
  size_t page = 0;
  uint64_t size = 0;
  std::string identity;  // see ReadHead
};
Shape CheckShape(const Source& source);

// ---- inside the child -----------------------------------------------------------------------

struct Mdb {
  MdbHandle* handle = nullptr;
  explicit Mdb(const Source& source) {
    if (source.bytes)
      handle = mdb_open_buffer(const_cast<char*>(source.bytes->data()), source.bytes->size(),
                               MDB_NOFLAGS);
    else
      handle = mdb_open(source.path.c_str(), MDB_NOFLAGS);
    if (!handle) throw std::runtime_error("not a readable Access file");
    if (!mdb_read_catalog(handle, MDB_TABLE)) throw std::runtime_error("the catalog cannot be read");
  }
  ~Mdb() {
    if (handle) mdb_close(handle);
  }
};

MdbColumn* ColumnAt(MdbTableDef* table, unsigned i) {
  return static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
}

bool HasTable(MdbHandle* mdb, const std::string& name) {
  for (unsigned i = 0; i < mdb->num_catalog; ++i) {
    auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
    if (entry->object_type == MDB_TABLE && name == entry->object_name) return true;
  }
  return false;
}

MdbTableDef* OpenTable(MdbHandle* mdb, const std::string& name) {
  // By name among the tables: a form or a query may carry the same name.
  for (unsigned i = 0; i < mdb->num_catalog; ++i) {
    auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
    if (entry->object_type != MDB_TABLE || name != entry->object_name) continue;
    MdbTableDef* table = mdb_read_table(entry);
    if (!table) break;
    if (!mdb_read_columns(table)) {
      mdb_free_tabledef(table);
      break;
    }
    return table;
  }
  throw std::runtime_error("the table " + name + " cannot be read");
}

// Binds the columns whose value mdbtools converts for us (yes/no, and memo and OLE when they
// are read now); the others are read from the row's bytes.
struct Binding {
  std::vector<std::string> buffers;
  std::vector<int> lengths;
  Binding(MdbTableDef* table, bool longValues) {
    buffers.resize(table->num_cols);
    lengths.resize(table->num_cols);
    for (unsigned i = 0; i < table->num_cols; ++i) {
      MdbColumn* c = ColumnAt(table, i);
      if (c->col_type == MDB_BOOL || (c->col_type == MDB_OLE && longValues)) {
        buffers[i].assign(MDB_BIND_SIZE, '\0');
        mdb_bind_column(table, static_cast<int>(i) + 1, buffers[i].data(), &lengths[i]);
      }
    }
  }
};

template <typename T>
T RowBytes(MdbHandle* mdb, int start) {
  T v;
  std::memcpy(&v, mdb->pg_buf + start, sizeof v);
  return v;
}

std::string Converted(char* text) {
  std::string out = text ? text : "";
  g_free(text);
  return out;
}

// The value of one column of the row mdbtools has just read.
Value ReadValue(MdbHandle* mdb, MdbColumn* c, const std::string& bound, bool longValues) {
  Value v;
  if (c->col_type == MDB_BOOL) {
    v.kind = Value::Integer;
    v.integer = std::strcmp(bound.c_str(), "1") == 0 ? 1 : 0;
    return v;
  }
  const int start = c->cur_value_start, len = c->cur_value_len;
  if (len <= 0) return v;  // Null (mdbtools also reads a zero-length text so)
  if (start < 0 || static_cast<size_t>(start) + static_cast<size_t>(len) > sizeof mdb->pg_buf ||
      static_cast<ssize_t>(start + len) > mdb->fmt->pg_size)
    throw std::runtime_error("a row runs past its page");
  auto fixed = [&](int size) {
    if (len < size) throw std::runtime_error("a value is shorter than its type");
  };
  switch (c->col_type) {
    case MDB_BYTE: fixed(1); v.kind = Value::Integer; v.integer = mdb->pg_buf[start]; break;
    case MDB_INT: fixed(2); v.kind = Value::Integer; v.integer = RowBytes<int16_t>(mdb, start); break;
    case MDB_LONGINT: fixed(4); v.kind = Value::Integer; v.integer = RowBytes<int32_t>(mdb, start); break;
    case MDB_MONEY:
      fixed(8);
      v.kind = Value::Real;
      v.real = static_cast<double>(RowBytes<int64_t>(mdb, start)) / 10000.0;
      break;
    case MDB_FLOAT: fixed(4); v.kind = Value::Real; v.real = RowBytes<float>(mdb, start); break;
    case MDB_DOUBLE: fixed(8); v.kind = Value::Real; v.real = RowBytes<double>(mdb, start); break;
    case MDB_DATETIME: fixed(8); v.kind = Value::Date; v.real = RowBytes<double>(mdb, start); break;
    case MDB_BINARY:
      v.kind = Value::Blob;
      v.text.assign(reinterpret_cast<const char*>(mdb->pg_buf) + start, static_cast<size_t>(len));
      break;
    case MDB_MEMO:
      if (!longValues) {
        v.kind = Value::Later;
        break;
      }
      v.kind = Value::Text;
      v.text = Converted(mdb_col_to_string(mdb, mdb->pg_buf, start, c->col_type, len));
      break;
    case MDB_OLE: {
      if (!longValues) {
        v.kind = Value::Later;
        break;
      }
      size_t size = 0;
      void* data = mdb_ole_read_full(mdb, c, &size);
      v.kind = Value::Blob;
      if (data) v.text.assign(static_cast<const char*>(data), size);
      g_free(data);
      break;
    }
    case MDB_NUMERIC:
      v.kind = Value::Text;
      v.text = Converted(mdb_numeric_to_string(mdb, start, c->col_scale, c->col_prec));
      break;
    default:  // text, replication ids and any type mdbtools knows better
      v.kind = Value::Text;
      v.text = Converted(mdb_col_to_string(mdb, mdb->pg_buf, start, c->col_type, len));
      break;
  }
  return v;
}

void SendColumns(Writer& out, MdbTableDef* table) {
  out.u32(table->num_cols);
  for (unsigned c = 0; c < table->num_cols; ++c) {
    out.text(ColumnAt(table, c)->name);
    out.u32(static_cast<uint32_t>(ColumnAt(table, c)->col_type));
  }
}

// Every row of a table: its columns, then 'R' records of a position and one value per column,
// ended by 'e'.
void SendRows(Writer& out, MdbHandle* mdb, const std::string& table, bool leaveLongValues) {
  MdbTableDef* t = OpenTable(mdb, table);
  Binding binding(t, !leaveLongValues);
  SendColumns(out, t);
  mdb_rewind_table(t);
  while (mdb_fetch_row(t)) {
    out.u8('R');
    out.u32(t->cur_phys_pg);
    out.u32(t->cur_row > 0 ? t->cur_row - 1 : 0);
    for (unsigned c = 0; c < t->num_cols; ++c)
      out.value(ReadValue(mdb, ColumnAt(t, c), binding.buffers[c], !leaveLongValues));
    out.progress();
  }
  out.u8('e');
  mdb_free_tabledef(t);
}

// Reads what SendRows sent; a failure the child told ('X') is raised.
Rows DecodeRowsFrom(Reader& in, const Source& source) {
  Rows rows;
  uint32_t columns = in.u32();
  for (uint32_t c = 0; c < columns; ++c) {
    Column& col = rows.columns.emplace_back();
    col.name = in.text();
    col.type = static_cast<int>(in.u32());
  }
  for (;;) {
    uint8_t tag = in.u8();
    if (tag == 'e') break;
    if (tag == 'X') Fail("the database file is damaged: " + in.text() + ": " + source.path);
    if (tag != 'R') throw std::runtime_error("bad record");
    RowPosition& p = rows.positions.emplace_back();
    p.page = in.u32();
    p.row = static_cast<uint16_t>(in.u32());
    std::vector<Value>& row = rows.values.emplace_back();
    row.reserve(columns);
    for (uint32_t c = 0; c < columns; ++c) row.push_back(in.value());
  }
  return rows;
}

// A whole message of rows, ended by 'E'.
Rows DecodeRows(const std::string& data, const std::string& what, const Source& source) {
  try {
    Reader in(data);
    Rows rows = DecodeRowsFrom(in, source);
    if (in.u8() != 'E') throw std::runtime_error("bad end");
    return rows;
  } catch (const std::runtime_error&) {
    BadMessage(what, source);
  }
}

}  // namespace

bool LooksLikeAccess(std::string_view head) {
  return head.size() >= 19 && (head.substr(4, 15) == std::string_view("Standard Jet DB", 15) ||
                               head.substr(4, 15) == std::string_view("Standard ACE DB", 15));
}

size_t CheckStructure(const Source& source) { return CheckShape(source).page; }

namespace {
Shape CheckShape(const Source& source) {
  uint64_t size = 0;
  std::string identity;
  std::string head = ReadHead(source, 4096 * 3, size, identity);
  const std::string& name = source.path;
  if (size == 0) Fail("the database file is empty: " + name);
  if (!LooksLikeAccess(head)) Fail("file is not an Access database: " + name);
  if (head.size() < kHeaderSize) Fail("the database file is cut short: " + name);
  const auto version = static_cast<unsigned char>(head[0x14]);
  if (version > MDB_VER_ACCDB_2019)
    Fail("the database file has an unknown version (" + std::to_string(version) + "): " + name);
  const size_t page = version == MDB_VER_JET3 ? 2048 : 4096;
  // Every Jet file holds whole pages: the header, the first usage map and the catalog table.
  if (size < page * 3) Fail("the database file is cut short: " + name);
  if (size % page != 0) Fail("the database file is cut short (not whole pages): " + name);
  if (static_cast<unsigned char>(head[0]) != 0 || static_cast<unsigned char>(head[page * 2]) != 2)
    Fail("the database file is damaged (no catalog table where it belongs): " + name);
  return Shape{page, size, std::move(identity)};
}
}  // namespace

Catalog ReadCatalog(const Source& source) {
  const Shape shape = CheckShape(source);
  std::string data = RunInChild(source, shape.identity, "the table list", [&](Writer& out) {
    Mdb mdb(source);
    out.u32(mdb.handle->f->jet_version);
    for (unsigned i = 0; i < mdb.handle->num_catalog; ++i) {
      auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb.handle->catalog, i));
      if (entry->object_type != MDB_TABLE || !mdb_is_user_table(entry)) continue;
      // A table whose definition cannot be read is named; the others still read.
      MdbTableDef* table = mdb_read_table(entry);
      if (table && !mdb_read_columns(table)) {
        mdb_free_tabledef(table);
        table = nullptr;
      }
      if (!table) {
        out.u8('B');
        out.text(entry->object_name);
        continue;
      }
      out.u8('T');
      out.text(entry->object_name);
      SendColumns(out, table);
      mdb_free_tabledef(table);
      out.progress();
    }
    for (const char* system : {"MSysObjects", "MSysQueries"}) {
      out.u8('S');
      if (HasTable(mdb.handle, system)) {
        SendRows(out, mdb.handle, system, false);
      } else {  // no saved queries
        out.u32(0);
        out.u8('e');
      }
    }
  }, OutputLimit(shape.size));
  Catalog catalog;
  int systemTables = 0;
  try {
    Reader in(data);
    catalog.version = static_cast<int>(in.u32());
    for (;;) {
      uint8_t tag = in.u8();
      if (tag == 'E') break;
      if (tag == 'X') Fail("the database file is damaged: " + in.text() + ": " + source.path);
      if (tag == 'B') {
        catalog.unreadable.push_back(in.text());
        continue;
      }
      if (tag == 'S') {
        (systemTables++ == 0 ? catalog.objects : catalog.queryParts) = DecodeRowsFrom(in, source);
        continue;
      }
      if (tag != 'T') throw std::runtime_error("bad record");
      Table& t = catalog.tables.emplace_back();
      t.name = in.text();
      uint32_t n = in.u32();
      for (uint32_t c = 0; c < n; ++c) {
        Column& col = t.columns.emplace_back();
        col.name = in.text();
        col.type = static_cast<int>(in.u32());
      }
    }
  } catch (const std::runtime_error&) {
    BadMessage("the table list", source);
  }
  return catalog;
}

Rows ReadRows(const Source& source, const std::string& table, bool leaveLongValues) {
  const Shape shape = CheckShape(source);
  const std::string what = "the table " + table;
  std::string data = RunInChild(source, shape.identity, what, [&](Writer& out) {
    Mdb mdb(source);
    SendRows(out, mdb.handle, table, leaveLongValues);
  }, OutputLimit(shape.size));
  return DecodeRows(data, what, source);
}

std::vector<std::vector<Value>> ReadLongValues(const Source& source, const std::string& table,
                                               const std::vector<RowPosition>& positions) {
  const Shape shape = CheckShape(source);
  const std::string what = "the memo values of " + table;
  std::string data = RunInChild(source, shape.identity, what, [&](Writer& out) {
    Mdb mdb(source);
    MdbTableDef* t = OpenTable(mdb.handle, table);
    Binding binding(t, true);
    SendColumns(out, t);
    for (const RowPosition& p : positions) {
      if (mdb_read_pg(mdb.handle, p.page) != mdb.handle->fmt->pg_size ||
          !mdb_read_row(t, p.row))
        throw std::runtime_error("a row of " + table + " cannot be read again");
      out.u8('R');
      out.u32(p.page);
      out.u32(p.row);
      for (unsigned c = 0; c < t->num_cols; ++c) {
        MdbColumn* col = ColumnAt(t, c);
        out.value(IsLongValue(col->col_type) ? ReadValue(mdb.handle, col, binding.buffers[c], true)
                                             : Value{});
      }
      out.progress();
    }
    out.u8('e');
    mdb_free_tabledef(t);
  }, OutputLimit(shape.size));
  Rows rows = DecodeRows(data, what, source);
  if (rows.values.size() != positions.size())
    Fail("the database file is damaged: reading " + what + " of " + source.path + " failed");
  return std::move(rows.values);
}

}  // namespace adodb::jet
