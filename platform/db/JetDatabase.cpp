#include "platform/db/JetDatabase.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <mutex>

#include "platform/db/Ado.h"
#include "platform/db/JetQuery.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Strings.h"

namespace adodb {

namespace {

[[noreturn]] void Fail(const std::string& message) {
  vb::Raise(err::DriverFailed, "[Access] " + message);
}

// The declared type of a Jet column: the word the layer's type table maps to its ADO type.
const char* DeclaredType(int jetType) {
  switch (jetType) {
    case jet::Bool: return "YESNO";
    case jet::Byte: return "BYTE";
    case jet::Int: return "SMALLINT";
    case jet::Long: return "INTEGER";
    case jet::Money: return "CURRENCY";
    case jet::Float: return "SINGLE";
    case jet::Double: return "DOUBLE";
    case jet::DateTime: return "DATETIME";
    case jet::Text: return "VARCHAR COLLATE NOCASE";
    case jet::Memo: return "LONGTEXT COLLATE NOCASE";
    case jet::Binary: return "VARBINARY";
    case jet::Ole: return "LONGBINARY";
    case jet::RepId: return "GUID";
    case jet::Numeric: return "DECIMAL";
    default: return "";  // typed by the stored value
  }
}

// The name of the column that holds where a memo or OLE value stands.
std::string RefColumn(const std::string& column) { return column + "!ref"; }

struct Statement {
  sqlite3_stmt* st = nullptr;
  ~Statement() { sqlite3_finalize(st); }
};

void BindValue(sqlite3_stmt* st, int index, const jet::Value& v, int jetType) {
  switch (v.kind) {
    case jet::Value::Null: sqlite3_bind_null(st, index); break;
    case jet::Value::Integer:
      // A yes/no reads -1 for yes, as Access stores it.
      sqlite3_bind_int64(st, index, jetType == jet::Bool ? -v.integer : v.integer);
      break;
    case jet::Value::Real: sqlite3_bind_double(st, index, v.real); break;
    case jet::Value::Date: {
      std::string text = IsoDateText(v.real);
      sqlite3_bind_text(st, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
      break;
    }
    case jet::Value::Text:
      sqlite3_bind_text(st, index, v.text.data(), static_cast<int>(v.text.size()),
                        SQLITE_TRANSIENT);
      break;
    case jet::Value::Blob:
      sqlite3_bind_blob(st, index, v.text.data(), static_cast<int>(v.text.size()),
                        SQLITE_TRANSIENT);
      break;
    case jet::Value::Later: sqlite3_bind_null(st, index); break;  // the caller binds the row
  }
}

// Runs the CREATE VIEW statement of a saved query, and nothing else: the query's SQL comes from
// the file, and SQL after a ";" in it (an ATTACH, a write to another file) must not run. Gives
// the SQLite result and, on failure, a message for sqlite3_free.
int CreateOneView(sqlite3* db, const std::string& create, char** message) {
  sqlite3_stmt* st = nullptr;
  const char* tail = nullptr;
  int rc = sqlite3_prepare_v2(db, create.c_str(), -1, &st, &tail);
  if (rc != SQLITE_OK) {
    *message = sqlite3_mprintf("%s", sqlite3_errmsg(db));
    return rc;
  }
  // Only blanks and comments may follow the statement.
  while (tail && *tail) {
    sqlite3_stmt* more = nullptr;
    const char* next = nullptr;
    int more_rc = sqlite3_prepare_v2(db, tail, -1, &more, &next);
    const bool another = more_rc != SQLITE_OK || more != nullptr;
    sqlite3_finalize(more);
    if (another) {
      sqlite3_finalize(st);
      *message = sqlite3_mprintf("its SQL holds more than one statement");
      return SQLITE_ERROR;
    }
    if (next == tail) break;
    tail = next;
  }
  rc = sqlite3_step(st);
  if (rc != SQLITE_DONE) {
    *message = sqlite3_mprintf("%s", sqlite3_errmsg(db));
    sqlite3_finalize(st);
    return rc;
  }
  sqlite3_finalize(st);
  return SQLITE_OK;
}

// The cache of file databases: one per path, replaced when the file's time or size changes.
struct CacheEntry {
  int64_t mtime = 0;
  int64_t size = 0;
  std::shared_ptr<JetDatabase> database;
};
std::mutex gCacheMutex;
std::map<std::string, CacheEntry>& Cache() {
  static std::map<std::string, CacheEntry> cache;
  return cache;
}
constexpr size_t kCacheFiles = 4;

}  // namespace

std::shared_ptr<JetDatabase> JetDatabase::OfFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
    Fail("unable to open database file: " + path);
  const int64_t mtime = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  std::lock_guard<std::mutex> lock(gCacheMutex);
  auto& cache = Cache();
  auto it = cache.find(path);
  if (it != cache.end() && it->second.mtime == mtime && it->second.size == st.st_size)
    return it->second.database;
  std::shared_ptr<JetDatabase> db(new JetDatabase(jet::Source::File(path)));
  if (it == cache.end() && cache.size() >= kCacheFiles) cache.erase(cache.begin());
  cache[path] = CacheEntry{mtime, static_cast<int64_t>(st.st_size), db};
  return db;
}

void JetDatabase::ForgetCachedFiles() {
  std::lock_guard<std::mutex> lock(gCacheMutex);
  Cache().clear();
}

std::shared_ptr<JetDatabase> JetDatabase::OfBytes(std::string bytes, std::string name) {
  return std::shared_ptr<JetDatabase>(
      new JetDatabase(jet::Source::Buffer(std::move(bytes), std::move(name))));
}

JetDatabase::JetDatabase(jet::Source source) : source_(std::move(source)) {
  catalog_ = jet::ReadCatalog(source_);
  if (sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
      SQLITE_OK) {
    sqlite3_close_v2(db_);
    Fail("out of memory");
  }
  try {
    sqlite3_create_function_v2(db_, "jet_long_value", 3,
                               SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, this,
                               &JetDatabase::LongValueFunction, nullptr, nullptr, nullptr);
    makeSchema();
    makeViews();
    pending_.clear();
    sqlite3_set_authorizer(db_, &JetDatabase::Authorize, this);
    // Statements only read: a write fails as it fails on a read-only file.
    exec("PRAGMA query_only = ON");
  } catch (...) {
    sqlite3_close_v2(db_);
    throw;
  }
}

JetDatabase::~JetDatabase() { sqlite3_close_v2(db_); }

void JetDatabase::exec(const std::string& sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    std::string text = message ? message : "failed";
    sqlite3_free(message);
    Fail(text);
  }
}

void JetDatabase::makeSchema() {
  for (const jet::Table& t : catalog_.tables) {
    Table& table = tables_.emplace_back();
    table.jet = t;
    table.hasLongValues = std::any_of(t.columns.begin(), t.columns.end(),
                                      [](const jet::Column& c) { return jet::IsLongValue(c.type); });
    table.store = table.hasLongValues ? t.name + "!rows" : t.name;
    const size_t index = tables_.size() - 1;
    std::string columns, names;
    for (size_t c = 0; c < t.columns.size(); ++c) {
      const jet::Column& col = t.columns[c];
      if (!columns.empty()) columns += ", ";
      if (!names.empty()) names += ", ";
      names += QuoteIdentifier(col.name);
      if (table.hasLongValues && jet::IsLongValue(col.type))
        columns += QuoteIdentifier(RefColumn(col.name)) + " INTEGER, " +
                   QuoteIdentifier(col.name) + " " + DeclaredType(col.type) +
                   " GENERATED ALWAYS AS (jet_long_value(" + std::to_string(index) + ", " +
                   std::to_string(c) + ", " + QuoteIdentifier(RefColumn(col.name)) +
                   ")) VIRTUAL";
      else
        columns += QuoteIdentifier(col.name) + " " + DeclaredType(col.type);
    }
    if (t.columns.empty()) columns = QuoteIdentifier("!none");
    exec("CREATE TABLE " + QuoteIdentifier(table.store) + " (" + columns + ")");
    if (table.hasLongValues)
      exec("CREATE VIEW " + QuoteIdentifier(t.name) + " AS SELECT " + names + " FROM " +
           QuoteIdentifier(table.store));
    byStore_[vb::UCase(table.store)] = index;
  }
}

void JetDatabase::makeViews() {
  // The saved queries, from the two system tables the catalog read brought.
  std::vector<jet::SavedQuery> queries = jet::SavedQueries(catalog_.objects, catalog_.queryParts);
  catalog_.objects = {};
  catalog_.queryParts = {};
  // A query may read another: make the views in rounds until no more can be made.
  std::map<std::string, std::string> left;
  std::vector<const jet::SavedQuery*> todo;
  for (const jet::SavedQuery& q : queries) todo.push_back(&q);
  for (bool progress = true; progress && !todo.empty();) {
    progress = false;
    std::vector<const jet::SavedQuery*> again;
    for (const jet::SavedQuery* q : todo) {
      std::string sql, problem;
      try {
        sql = jet::TranslateQuery(*q);
      } catch (const std::exception& e) {
        left[q->name] = e.what();
        continue;
      }
      sqlite3_exec(db_, "SAVEPOINT view", nullptr, nullptr, nullptr);
      std::string create = "CREATE VIEW " + QuoteIdentifier(q->name) + " AS " + sql;
      char* message = nullptr;
      int rc = CreateOneView(db_, create, &message);
      if (rc == SQLITE_OK) {
        // SQLite checks names only when the view is used: try it now.
        sqlite3_free(message);
        message = nullptr;
        std::string probe = "SELECT * FROM " + QuoteIdentifier(q->name) + " LIMIT 0";
        rc = sqlite3_exec(db_, probe.c_str(), nullptr, nullptr, &message);
      }
      if (rc == SQLITE_OK) {
        sqlite3_exec(db_, "RELEASE view", nullptr, nullptr, nullptr);
        views_.push_back(q->name);
        left.erase(q->name);
        progress = true;
      } else {
        left[q->name] = message ? message : "cannot be made";
        sqlite3_exec(db_, "ROLLBACK TO view", nullptr, nullptr, nullptr);
        sqlite3_exec(db_, "RELEASE view", nullptr, nullptr, nullptr);
        again.push_back(q);
      }
      sqlite3_free(message);
    }
    todo = std::move(again);
  }
  failedQueries_ = std::move(left);
}

std::vector<std::string> JetDatabase::names() const {
  std::vector<std::string> out;
  for (const Table& t : tables_) out.push_back(t.jet.name);
  for (const std::string& v : views_) out.push_back(v);
  return out;
}

std::string JetDatabase::queryProblem(std::string_view name) const {
  for (const std::string& table : catalog_.unreadable)
    if (vb::EqualsNoCase(table, name))
      return "the table '" + table + "' cannot be read: the database file is damaged: " +
             source_.path;
  for (const auto& [query, problem] : failedQueries_)
    if (vb::EqualsNoCase(query, name))
      return "the saved query '" + query + "' cannot be read: " + problem;
  return {};
}

int JetDatabase::Authorize(void* self, int action, const char* a, const char*, const char*,
                           const char*) {
  if (action != SQLITE_READ || !a) return SQLITE_OK;
  auto* db = static_cast<JetDatabase*>(self);
  auto it = db->byStore_.find(vb::UCase(a));
  if (it != db->byStore_.end() && !db->tables_[it->second].loaded &&
      std::find(db->pending_.begin(), db->pending_.end(), it->second) == db->pending_.end())
    db->pending_.push_back(it->second);
  return SQLITE_OK;
}

void JetDatabase::loadTablesRead() {
  // A table that cannot be read fails the statement that reads it, and only that one: it is
  // off the list, and the next statement that reads it tries again.
  while (!pending_.empty()) {
    const size_t index = pending_.back();
    pending_.pop_back();
    if (!tables_[index].loaded) load(tables_[index]);
  }
}

void JetDatabase::load(Table& table) {
  jet::Rows rows = jet::ReadRows(source_, table.jet.name, table.hasLongValues);
  const auto& columns = table.jet.columns;
  std::string names, marks;
  for (const jet::Column& c : columns) {
    if (!names.empty()) names += ", ", marks += ", ";
    names += QuoteIdentifier(table.hasLongValues && jet::IsLongValue(c.type) ? RefColumn(c.name)
                                                                              : c.name);
    marks += "?";
  }
  if (columns.empty()) {
    table.loaded = true;
    return;
  }
  exec("PRAGMA query_only = OFF");
  exec("BEGIN");
  loading_ = true;
  try {
    Statement insert;
    std::string sql = "INSERT INTO " + QuoteIdentifier(table.store) + " (" + names +
                      ") VALUES (" + marks + ")";
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &insert.st, nullptr) != SQLITE_OK)
      Fail(sqlite3_errmsg(db_));
    for (size_t r = 0; r < rows.values.size(); ++r) {
      const std::vector<jet::Value>& row = rows.values[r];
      if (row.size() != columns.size()) Fail("the table " + table.jet.name + " is damaged");
      for (size_t c = 0; c < columns.size(); ++c) {
        if (row[c].kind == jet::Value::Later)
          sqlite3_bind_int64(insert.st, static_cast<int>(c) + 1, static_cast<int64_t>(r));
        else
          BindValue(insert.st, static_cast<int>(c) + 1, row[c], columns[c].type);
      }
      if (sqlite3_step(insert.st) != SQLITE_DONE) Fail(sqlite3_errmsg(db_));
      sqlite3_reset(insert.st);
    }
    exec("COMMIT");
    loading_ = false;
  } catch (...) {
    loading_ = false;
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_exec(db_, "PRAGMA query_only = ON", nullptr, nullptr, nullptr);
    throw;
  }
  exec("PRAGMA query_only = ON");
  table.positions = std::move(rows.positions);
  table.loaded = true;
}

const jet::Value& JetDatabase::longValue(size_t tableIndex, size_t column, int64_t row) {
  Table& t = tables_.at(tableIndex);
  if (row < 0 || static_cast<size_t>(row) >= t.positions.size() || column >= t.jet.columns.size())
    Fail("the table " + t.jet.name + " has no such memo value");
  auto it = t.longCache.find(row);
  if (it == t.longCache.end()) {
    // A scan asks row after row: fetch ahead, more each time; a lookup fetches its row alone.
    t.batch = row == t.lastAsked + 1 ? std::min(t.batch * 2, 64) : 1;
    const size_t end = std::min(t.positions.size(), static_cast<size_t>(row) + t.batch);
    std::vector<jet::RowPosition> wanted(t.positions.begin() + row, t.positions.begin() + end);
    ++longValueReads_;
    std::vector<std::vector<jet::Value>> values = jet::ReadLongValues(source_, t.jet.name, wanted);
    t.longCache.clear();
    for (size_t i = 0; i < values.size(); ++i)
      t.longCache[row + static_cast<int64_t>(i)] = std::move(values[i]);
    it = t.longCache.find(row);
  }
  t.lastAsked = row;
  if (column >= it->second.size()) Fail("the table " + t.jet.name + " is damaged");
  return it->second[column];
}

void JetDatabase::LongValueFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[2]) == SQLITE_NULL) return sqlite3_result_null(context);
  auto* self = static_cast<JetDatabase*>(sqlite3_user_data(context));
  // SQLite works the column out while the rows go in; its value is only wanted when read.
  if (self->loading_) return sqlite3_result_null(context);
  try {
    const jet::Value& v = self->longValue(static_cast<size_t>(sqlite3_value_int64(argv[0])),
                                          static_cast<size_t>(sqlite3_value_int64(argv[1])),
                                          sqlite3_value_int64(argv[2]));
    if (v.kind == jet::Value::Text)
      sqlite3_result_text(context, v.text.data(), static_cast<int>(v.text.size()),
                          SQLITE_TRANSIENT);
    else if (v.kind == jet::Value::Blob)
      sqlite3_result_blob(context, v.text.data(), static_cast<int>(v.text.size()),
                          SQLITE_TRANSIENT);
    else
      sqlite3_result_null(context);
  } catch (const vb::Error& e) {
    // The statement's error names the driver again.
    std::string_view text = e.description;
    if (text.rfind("[Access] ", 0) == 0) text.remove_prefix(9);
    sqlite3_result_error(context, text.data(), static_cast<int>(text.size()));
  } catch (const std::exception& e) {
    sqlite3_result_error(context, e.what(), -1);
  }
}

}  // namespace adodb
