#pragma once
// Test databases built at test time from the SQL scripts in tests/fixtures (no binary files in
// the tree). A test program that includes this names the scripts' folder with the compile
// definition TOLVANE_FIXTURES.
#include <sqlite3.h>

#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <stdexcept>
#include <string>

#include "support/TestSupport.h"

#ifndef TOLVANE_FIXTURES
#error "TOLVANE_FIXTURES must name the folder of the SQL fixtures"
#endif

namespace testsupport {

inline std::filesystem::path FixtureFile(const std::string& name) {
  return std::filesystem::path(TOLVANE_FIXTURES) / name;
}

// True when `sql` opens a transaction of its own (a line that starts with BEGIN).
inline bool HasOwnTransaction(const std::string& sql) {
  static const std::regex begin(R"((^|\n)[ \t]*BEGIN\b)", std::regex::icase);
  return std::regex_search(sql, begin);
}

namespace detail {

// Creates the SQLite file `file` and runs `sql` in it, in one transaction; failures name `target`.
inline void RunScriptInto(const std::filesystem::path& file, const std::filesystem::path& target,
                          const std::string& sql) {
  std::filesystem::remove(file);
  sqlite3* raw = nullptr;
  int rc =
      sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(raw, sqlite3_close);
  if (rc != SQLITE_OK) throw std::runtime_error("cannot create " + target.string());
  const bool wrap = !HasOwnTransaction(sql);
  const std::string script = wrap ? "BEGIN;\n" + sql + "\n;COMMIT;" : sql;
  char* message = nullptr;
  if (sqlite3_exec(raw, script.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    std::string text = message ? message : "unknown error";
    sqlite3_free(message);
    db.reset();
    std::filesystem::remove(file);
    throw std::runtime_error("building " + target.string() + ": " + text);
  }
}

}  // namespace detail

// Creates the SQLite file `target` (replacing one that is there) and runs `sql` in it, in one
// transaction: a statement at a time with a commit each would write the file hundreds of times.
// A script with a transaction of its own runs as it is. Throws std::runtime_error with SQLite's
// message when anything fails; then no file is left at `target`. Each script runs once per test
// program, into a file kept in a folder of the program's own; a script seen before is a copy
// of that file.
inline void BuildDatabase(const std::filesystem::path& target, const std::string& sql) {
  // The built files, by script; their folder goes when the program that made it ends (not a
  // child of it that runs on after a fork).
  struct Built {
    std::filesystem::path folder = TestTempRoot() /
                                   ("tolvane-scripts-" + std::to_string(::getpid()));
    pid_t owner = ::getpid();
    std::map<std::string, std::filesystem::path> files;
    Built() {
      std::filesystem::remove_all(folder);
      std::filesystem::create_directories(folder);
    }
    ~Built() {
      std::error_code ec;
      if (::getpid() == owner) std::filesystem::remove_all(folder, ec);
    }
  };
  static Built built;
  std::filesystem::remove(target);
  auto it = built.files.find(sql);
  if (it == built.files.end()) {
    const std::filesystem::path file =
        built.folder / ("script" + std::to_string(built.files.size()) + ".db");
    detail::RunScriptInto(file, target, sql);
    it = built.files.emplace(sql, file).first;
  }
  std::filesystem::copy_file(it->second, target);
}

// Stores DXF text as one aircraft's view drawing in the drawing database `dxfDb` (column `view`
// of table DXF, the row of aircraft `acNum`); false when SQLite refuses.
inline bool StoreViewDrawing(const std::filesystem::path& dxfDb, const std::string& acNum,
                             const std::string& view, const std::string& dxf) {
  sqlite3* db = nullptr;
  if (sqlite3_open(dxfDb.c_str(), &db) != SQLITE_OK) {
    sqlite3_close(db);
    return false;
  }
  const std::string sql = "UPDATE DXF SET \"" + view + "\" = ?1 WHERE AcNum = ?2";
  sqlite3_stmt* st = nullptr;
  bool ok = sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_bind_text(st, 1, dxf.data(), static_cast<int>(dxf.size()), SQLITE_STATIC) ==
                SQLITE_OK &&
            sqlite3_bind_text(st, 2, acNum.c_str(), -1, SQLITE_TRANSIENT) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_DONE && sqlite3_changes(db) == 1;
  sqlite3_finalize(st);
  sqlite3_close(db);
  return ok;
}

// Builds `target` from a fixture script, followed by `extraSql` (rows or changes a test needs).
inline void BuildFromScript(const std::filesystem::path& target, const std::string& script,
                            const std::string& extraSql = "") {
  std::string sql;
  if (!vb::ReadWholeFile(FixtureFile(script), sql))
    throw std::runtime_error("cannot read fixture " + FixtureFile(script).string());
  BuildDatabase(target, sql + "\n" + extraSql);
}

// The two databases of the program, under their default names, in `folder`.
inline void BuildFixtureDatabases(const std::filesystem::path& folder,
                                  const std::string& acExtra = "",
                                  const std::string& dxfExtra = "") {
  BuildFromScript(folder / "ac.mdb", "ac_fixture.sql", acExtra);
  BuildFromScript(folder / "dxf.mdb", "dxf_fixture.sql", dxfExtra);
}

// The connection string the program opens a database file with.
inline std::string ConnectionStringFor(const std::filesystem::path& file) {
  return "DRIVER={Microsoft Access Driver (*.mdb)};Password=73pahoru41;DBQ=" + file.string();
}

}  // namespace testsupport
