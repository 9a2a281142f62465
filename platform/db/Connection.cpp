#include "platform/db/Connection.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <utility>

#include "platform/db/Ado.h"
#include "platform/db/JetDatabase.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Strings.h"

namespace adodb {

namespace {

namespace fs = std::filesystem;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Tells the file's format by its header before SQLite sees it: SQLite would take an empty or
// foreign file for an empty database, and an Access file deserves a clearer message than
// "file is not a database".
// Gives true for an Access (Jet) file, false for an SQLite file.
bool CheckFormat(const std::string& path) {
  std::error_code ec;
  std::ifstream in;
  if (fs::is_regular_file(path, ec)) in.open(path, std::ios::binary);
  if (!in.is_open()) RaiseDriverError(err::DriverFailed, "unable to open database file: " + path);
  char header[20] = {};
  in.read(header, sizeof header);
  const auto n = static_cast<size_t>(in.gcount());
  if (n >= 16 && std::memcmp(header, "SQLite format 3", 16) == 0) return false;
  // Jet 3 and Jet 4 files read "Standard Jet DB" from byte 4 on, Access 2007 files
  // "Standard ACE DB".
  if (jet::LooksLikeAccess(std::string_view(header, n))) return true;
  RaiseDriverError(err::DriverFailed, "file is not a database: " + path);
}

// Runs a schema query and gives the text of one column of every row.
std::vector<std::string> QueryColumn(sqlite3* db, const std::string& sql, int column) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK)
    RaiseDriverError(err::DriverFailed, sqlite3_errmsg(db));
  std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> stmt(raw, sqlite3_finalize);
  std::vector<std::string> values;
  int rc;
  while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
    const unsigned char* text = sqlite3_column_text(raw, column);
    values.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
  }
  if (rc != SQLITE_DONE) RaiseDriverError(err::DriverFailed, sqlite3_errmsg(db));
  return values;
}

// What tells one state of a file from another: a file replaced or written to differs in one of
// these.
struct FileKey {
  uint64_t device = 0;
  uint64_t inode = 0;
  int64_t size = 0;
  int64_t mtime = 0;  // nanoseconds
  int64_t ctime = 0;  // nanoseconds
  bool operator==(const FileKey&) const = default;
};

bool KeyOf(const std::string& path, FileKey& key) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  key.device = static_cast<uint64_t>(st.st_dev);
  key.inode = static_cast<uint64_t>(st.st_ino);
  key.size = static_cast<int64_t>(st.st_size);
  key.mtime = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  key.ctime = static_cast<int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
  return true;
}

}  // namespace

// An SQLite file opened read-only, shared by the connections to it while it is unchanged.
struct Connection::SqliteFile {
  sqlite3* db = nullptr;
  std::vector<Table> tables;  // the table list, read at the first open
  std::mutex mutex;           // guards statements
  std::multimap<std::string, sqlite3_stmt*, std::less<>> statements;  // given back, idle

  SqliteFile() = default;
  SqliteFile(const SqliteFile&) = delete;
  SqliteFile& operator=(const SqliteFile&) = delete;
  ~SqliteFile() {
    for (auto& entry : statements) sqlite3_finalize(entry.second);
    sqlite3_close_v2(db);
  }
};

namespace {

// The files kept: a few, the least recently opened dropped first.
constexpr size_t kKeptFiles = 4;

struct KeptFile {
  std::string path;
  FileKey key;
  std::shared_ptr<void> file;  // Connection::SqliteFile
};

std::mutex& KeptMutex() {
  static std::mutex m;
  return m;
}

std::vector<KeptFile>& Kept() {
  static std::vector<KeptFile> kept;
  return kept;
}

}  // namespace

Connection::Connection() = default;
Connection::~Connection() = default;
Connection::Connection(Connection&&) noexcept = default;
Connection& Connection::operator=(Connection&&) noexcept = default;

std::string Connection::PathOf(std::string_view cs) {
  size_t pos = 0;
  while (pos < cs.size()) {
    size_t eq = cs.find('=', pos);
    size_t semi = cs.find(';', pos);
    if (eq == std::string_view::npos) break;
    if (semi != std::string_view::npos && semi < eq) {  // an attribute without a value
      pos = semi + 1;
      continue;
    }
    std::string_view key = TrimBlanks(cs.substr(pos, eq - pos));
    std::string_view value = cs.substr(eq + 1);
    std::string_view trimmed = TrimBlanks(value);
    if (vb::EqualsNoCase(key, "DBQ")) {
      // The program puts the path last, "followed at once" by nothing: it runs to the end,
      // so that a path holding ";" stays whole. A braced value ends at its brace.
      if (!trimmed.empty() && trimmed.front() == '{') {
        size_t close = trimmed.find('}');
        return std::string(trimmed.substr(1, close == std::string_view::npos ? close : close - 1));
      }
      return std::string(value);
    }
    // Skip this attribute's value, a braced one as a whole.
    size_t from = eq + 1;
    if (!trimmed.empty() && trimmed.front() == '{') {
      size_t close = cs.find('}', eq + 1);
      if (close == std::string_view::npos) break;
      from = close;
    }
    semi = cs.find(';', from);
    if (semi == std::string_view::npos) break;
    pos = semi + 1;
  }
  return {};
}

void Connection::open(std::string_view connectionString) {
  if (db_) vb::Raise(err::ObjectOpen, "Operation is not allowed when the object is open.");
  std::string path = PathOf(connectionString);
  if (path.empty())
    RaiseDriverError(err::DriverFailed, "the connection string names no database file");
  if (CheckFormat(path)) {
    // An Access file: its in-memory SQLite database, shared by every connection to it.
    jet_ = JetDatabase::OfFile(path);
    path_ = std::move(path);
    readTables();
    return;
  }
  FileKey key;
  const bool keyed = KeyOf(path, key);
  if (keyed) {
    std::lock_guard<std::mutex> lock(KeptMutex());
    auto& kept = Kept();
    for (auto it = kept.begin(); it != kept.end(); ++it) {
      if (it->path != path) continue;
      if (it->key == key) {
        db_ = std::static_pointer_cast<SqliteFile>(it->file);
        // Most recently opened last.
        std::rotate(it, it + 1, kept.end());
      } else {
        kept.erase(it);  // the file changed: read it afresh
      }
      break;
    }
  }
  if (db_) {
    path_ = std::move(path);
    tables_ = db_->tables;
    return;
  }
  auto file = std::make_shared<SqliteFile>();
  // Read-only and without SQLITE_OPEN_CREATE: nothing is ever written, no file is ever made.
  int rc = sqlite3_open_v2(path.c_str(), &file->db, SQLITE_OPEN_READONLY, nullptr);
  if (rc != SQLITE_OK)
    RaiseDriverError(
        err::DriverFailed,
        std::string(file->db ? sqlite3_errmsg(file->db) : "out of memory") + ": " + path);
  sqlite3_busy_timeout(file->db, 2000);
  db_ = file;
  path_ = path;
  try {
    // Reading the table list now makes a damaged file fail at the open, as the driver did.
    readTables();
  } catch (...) {
    close();
    throw;
  }
  file->tables = tables_;
  // Kept only when the file is still the one keyed before the open.
  FileKey after;
  if (keyed && KeyOf(path, after) && after == key) {
    std::lock_guard<std::mutex> lock(KeptMutex());
    auto& kept = Kept();
    std::erase_if(kept, [&](const KeptFile& k) { return k.path == path; });
    if (kept.size() >= kKeptFiles) kept.erase(kept.begin());
    kept.push_back(KeptFile{path, key, file});
  }
}

void Connection::ForgetCachedFiles() {
  std::lock_guard<std::mutex> lock(KeptMutex());
  Kept().clear();
}

sqlite3_stmt* Connection::takeStatement(std::string_view sql) {
  if (!db_) return nullptr;
  std::lock_guard<std::mutex> lock(db_->mutex);
  auto it = db_->statements.find(sql);
  if (it == db_->statements.end()) return nullptr;
  sqlite3_stmt* statement = it->second;
  db_->statements.erase(it);
  return statement;
}

void Connection::giveBackStatement(std::string_view sql, sqlite3_stmt* statement) {
  if (!statement) return;
  if (!db_ || sqlite3_db_handle(statement) != db_->db) {
    sqlite3_finalize(statement);
    return;
  }
  sqlite3_reset(statement);
  sqlite3_clear_bindings(statement);
  std::lock_guard<std::mutex> lock(db_->mutex);
  db_->statements.emplace(std::string(sql), statement);
}

void Connection::close() {
  db_.reset();
  jet_.reset();
  path_.clear();
  tables_.clear();
}

bool Connection::isOpen() const { return db_ != nullptr || jet_ != nullptr; }

const std::string& Connection::path() const { return path_; }

sqlite3* Connection::handle() const {
  if (jet_) return jet_->handle();
  if (!db_) vb::Raise(vb::err::ConnectionUnusable);
  return db_->db;
}

void Connection::prepared() {
  if (jet_) jet_->loadTablesRead();
}

std::string Connection::missingTableText(std::string_view name) const {
  return jet_ ? jet_->queryProblem(TrimBlanks(name)) : std::string();
}

void Connection::readTables() {
  tables_.clear();
  if (jet_) {
    for (std::string& name : jet_->names()) tables_.push_back(Table{std::move(name), false, {}});
    return;
  }
  for (std::string& name :
       QueryColumn(handle(), "SELECT name FROM sqlite_master WHERE type IN ('table', 'view')", 0))
    tables_.push_back(Table{std::move(name), false, {}});
}

Connection::Table& Connection::findTable(std::string_view name) {
  handle();  // 3709 when not open
  std::string_view wanted = TrimBlanks(name);
  for (Table& t : tables_)
    if (vb::EqualsNoCase(t.name, wanted)) return t;
  if (std::string problem = missingTableText(wanted); !problem.empty())
    vb::Raise(err::NoSuchTable, "[Access] " + problem);
  raise(err::NoSuchTable, "no such table: " + std::string(wanted));
}

void Connection::raise(long number, const std::string& message) const {
  // The message names the driver the file is read by.
  if (jet_) vb::Raise(number, "[Access] " + message);
  RaiseDriverError(number, message);
}

std::string Connection::tableName(std::string_view name) { return findTable(name).name; }

std::string Connection::columnName(std::string_view table, std::string_view column) {
  Table& t = findTable(table);
  if (!t.columnsRead) {
    t.columns = QueryColumn(handle(), "PRAGMA table_info(" + QuoteIdentifier(t.name) + ")", 1);
    t.columnsRead = true;
  }
  std::string_view wanted = TrimBlanks(column);
  for (const std::string& c : t.columns)
    if (vb::EqualsNoCase(c, wanted)) return c;
  raise(err::NoValueGiven, "no such column: " + std::string(wanted));
}

}  // namespace adodb
