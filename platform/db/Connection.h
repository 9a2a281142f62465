#pragma once
// The connection to one database file, in the place of an ADO connection over the Access ODBC
// driver. It is opened from the connection string the program has always used; only the path
// after "DBQ=" counts (the password has no meaning for SQLite and is never logged). The file is
// opened read-only and is never created: a missing file is an error, not an empty database.
// The file's format is told by its header, whatever its name: SQLite files open as they are;
// an Access (Jet 3 or Jet 4) file is read through JetDatabase into an in-memory SQLite database
// that every connection to the unchanged file shares. The password of the connection string
// does not matter to either (mdbtools reads a Jet file without it).
// An SQLite file is opened once per device, inode, size and modification time and kept, with
// its table list and the statements prepared on it: the program opens a connection for every
// field it fills, and a replaced or changed file is opened afresh. Every open still checks
// that the file is there and is a database, so a file that vanished is reported as before.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace adodb {

class JetDatabase;

class Connection {
 public:
  Connection();
  ~Connection();  // dropping an open connection without a close is allowed
  Connection(Connection&&) noexcept;
  Connection& operator=(Connection&&) noexcept;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Opens the database named by "DBQ=" in the connection string. Throws vb::Error: 3705 when
  // already open; err::DriverFailed when there is no path, the file is missing, unreadable, not
  // a database, or an Access file.
  void open(std::string_view connectionString);
  // Closes the connection; closing one that is not open does nothing.
  void close();
  bool isOpen() const;
  // Whether the open connection reads an Access file.
  bool isAccess() const { return jet_ != nullptr; }
  // The database file of the open connection.
  const std::string& path() const;

  // Names checked against the schema, so that a name taken from settings or field specs never
  // reaches SQL unchecked. Names compare without regard to case (as SQLite and Access compare
  // them), blanks around them ignored; the result is the name as the schema spells it.
  // tableName: a table or view; otherwise err::NoSuchTable. columnName: a column of that table;
  // otherwise err::NoValueGiven. Both raise 3709 on a connection that is not open.
  std::string tableName(std::string_view name);
  std::string columnName(std::string_view table, std::string_view column);

  // The SQLite handle of the open connection, for the recordset; 3709 when not open.
  sqlite3* handle() const;
  // Called by the recordset after preparing a statement: an Access file reads the tables the
  // statement reads, if not read yet. Throws vb::Error when the file cannot be read.
  void prepared();
  // For a name that is no table: why it is not there (a saved query of an Access file that
  // did not translate), or "".
  std::string missingTableText(std::string_view name) const;
  // A statement of exactly this SQL prepared before on the same file and given back, reset
  // and without bindings; nullptr when there is none (the caller prepares it). The statement
  // is the caller's until given back.
  sqlite3_stmt* takeStatement(std::string_view sql);
  // Gives back a statement taken or prepared on this connection, once its rows are read, for
  // the next open of the same SQL; finalized when it cannot be kept.
  void giveBackStatement(std::string_view sql, sqlite3_stmt* statement);

  // Drops the kept SQLite files, so that the next open reads its file again (connections still
  // open keep theirs).
  static void ForgetCachedFiles();

  // The path that a connection string names ("" when it names none): the text after the
  // attribute "DBQ=" (any case) up to the end, or the text between braces "{...}".
  static std::string PathOf(std::string_view connectionString);

 private:
  struct Table {
    std::string name;
    bool columnsRead = false;
    std::vector<std::string> columns;
  };
  Table& findTable(std::string_view name);
  void readTables();
  // Throws vb::Error with the number and the message after the name of the driver that reads
  // the file ("[Access] " or "[SQLite] ").
  [[noreturn]] void raise(long number, const std::string& message) const;

  struct SqliteFile;
  std::shared_ptr<SqliteFile> db_;
  std::shared_ptr<JetDatabase> jet_;
  std::string path_;
  std::vector<Table> tables_;
};

}  // namespace adodb
