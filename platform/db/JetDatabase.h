#pragma once
// An Access (Jet) file seen as an in-memory SQLite database, so that the program's SQL runs on
// it as on an SQLite file.
//
// Opening reads the file's catalog only and makes every table empty, with each column's Jet
// type declared by the word that the layer's type table maps to the right ADO type, text
// columns COLLATE NOCASE. A table's rows are read the first time a statement reads the table.
// Memo and OLE values stay in the file until a statement asks for them: the table holds where
// each row stands, and the value is fetched when its column is read (a 100 MB drawing database
// shows its first drawing after reading one row's drawings, not the whole table). Saved
// queries become views where their stored definition translates to SQLite; one that does not
// is remembered with the reason and named when a statement asks for it.
//
// The database of a file is made once per file, modification time and size, and kept: the
// program opens a connection for every lookup.
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/JetFile.h"

struct sqlite3;
struct sqlite3_context;
struct sqlite3_value;

namespace adodb {

class JetDatabase {
 public:
  // The database of a file, from the cache when the file has not changed since it was made.
  // Throws vb::Error (driver error) when the file is missing, damaged or no Access file.
  static std::shared_ptr<JetDatabase> OfFile(const std::string& path);
  // The database of bytes in memory (never cached); `name` names it in messages.
  static std::shared_ptr<JetDatabase> OfBytes(std::string bytes, std::string name);

  // Drops the cached databases, so that the next open reads its file again (connections still
  // open keep theirs).
  static void ForgetCachedFiles();

  ~JetDatabase();
  JetDatabase(const JetDatabase&) = delete;
  JetDatabase& operator=(const JetDatabase&) = delete;

  sqlite3* handle() const { return db_; }
  int version() const { return catalog_.version; }

  // Reads the rows of the tables that statements prepared since the last call read and have
  // not been read yet. Throws vb::Error when the file cannot be read.
  void loadTablesRead();

  // The names that statements see: the tables, then the views of the saved queries.
  std::vector<std::string> names() const;
  // Why the table or saved query of that name (any case) is not there: a table whose
  // definition is damaged, a query that did not translate; "" otherwise.
  std::string queryProblem(std::string_view name) const;
  // How many times memo and OLE values were fetched from the file (each fetch one or more rows).
  size_t longValueReads() const { return longValueReads_; }
  // The saved queries that did not translate, with their reasons.
  const std::map<std::string, std::string>& failedQueries() const { return failedQueries_; }

 private:
  explicit JetDatabase(jet::Source source);

  struct Table {
    jet::Table jet;
    std::string store;  // the SQLite table holding the rows ("NAME!rows" behind a memo view)
    bool hasLongValues = false;
    bool loaded = false;
    std::vector<jet::RowPosition> positions;  // per row, for the values read later
    // The memo and OLE values last fetched, by row (0-based) and then column.
    std::map<int64_t, std::vector<jet::Value>> longCache;
    int64_t lastAsked = -2;
    int batch = 1;
  };

  void makeSchema();
  void makeViews();
  void load(Table& table);
  const jet::Value& longValue(size_t table, size_t column, int64_t row);
  static int Authorize(void* self, int action, const char* a, const char* b, const char* c,
                       const char* d);
  static void LongValueFunction(sqlite3_context* context, int argc, sqlite3_value** argv);
  void exec(const std::string& sql);

  jet::Source source_;
  jet::Catalog catalog_;
  sqlite3* db_ = nullptr;
  std::vector<Table> tables_;
  std::map<std::string, size_t> byStore_;  // store name -> index into tables_
  std::vector<size_t> pending_;            // tables read by statements, not loaded yet
  std::vector<std::string> views_;
  std::map<std::string, std::string> failedQueries_;
  bool loading_ = false;
  size_t longValueReads_ = 0;
};

}  // namespace adodb
