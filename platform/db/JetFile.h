#pragma once
// Reading Access (Jet 3 and Jet 4) database files through the mdbtools library.
//
// mdbtools trusts the file: a damaged page can make it read out of bounds, allocate without
// limit or loop. So the header is checked here first, and every read runs in a forked child
// process that sends its result back through a pipe: a child that crashes, runs out of memory
// or stops sending for 3 s is reported as a damaged file, and the program goes on. Such a file
// is remembered (by path, device, inode, size and times): every later read of it fails at once
// with the same error, reported once, until the file changes. The file is only ever opened for
// reading.
//
// A source is either a file or a byte buffer (the same bytes a file would hold), so that the
// reader can be driven from memory as easily as from disk.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace adodb::jet {

// Where the bytes come from: a file path, or a buffer (then `path` only names it in messages).
struct Source {
  std::string path;
  std::shared_ptr<const std::string> bytes;

  static Source File(std::string path) { return Source{std::move(path), nullptr}; }
  static Source Buffer(std::string bytes, std::string name = "(buffer)") {
    return Source{std::move(name), std::make_shared<const std::string>(std::move(bytes))};
  }
};

// Whether these first bytes of a file are an Access (Jet or ACE) header.
bool LooksLikeAccess(std::string_view head);

// Checks the header page and the page structure of the whole file: the signature, a known
// version, a page size that divides the file and at least the pages every Jet file has.
// Throws vb::Error (driver error) with a clear text otherwise. Gives the page size.
size_t CheckStructure(const Source& source);

// Jet column type codes, as the file stores them.
enum ColumnType : int {
  Bool = 0x01,
  Byte = 0x02,
  Int = 0x03,
  Long = 0x04,
  Money = 0x05,
  Float = 0x06,
  Double = 0x07,
  DateTime = 0x08,
  Binary = 0x09,
  Text = 0x0a,
  Ole = 0x0b,
  Memo = 0x0c,
  RepId = 0x0f,
  Numeric = 0x10,
};

// Memo and OLE values live outside the row, on their own pages: those are what loading may leave
// for later.
inline bool IsLongValue(int type) { return type == Memo || type == Ole; }

struct Column {
  std::string name;
  int type = 0;
};

struct Table {
  std::string name;
  std::vector<Column> columns;
};


// One value read from a row.
struct Value {
  enum Kind : uint8_t { Null, Integer, Real, Date, Text, Blob, Later };
  Kind kind = Null;  // Later: a memo or OLE value that is not Null and was left on its pages
  int64_t integer = 0;
  double real = 0;  // Real values; Date values as the stored day number
  std::string text;  // Text (UTF-8) and Blob values
};

// Where a row stands in the file, to read its memo and OLE values later.
struct RowPosition {
  uint32_t page = 0;
  uint16_t row = 0;
};

struct Rows {
  std::vector<Column> columns;
  std::vector<std::vector<Value>> values;  // one per row, one value per column
  std::vector<RowPosition> positions;      // one per row
};

struct Catalog {
  int version = 0;  // 0 Jet 3, 1 Jet 4, 2 and on the later ACE formats
  std::vector<Table> tables;  // the user tables, in catalog order
  std::vector<std::string> unreadable;  // user tables whose definition is damaged
  // The system tables that describe the saved queries (empty when the file has none or they
  // cannot be read): MSysObjects and MSysQueries.
  Rows objects, queryParts;
};

// The catalog of user tables, with the saved queries' system tables. Throws vb::Error with a clear text when the file cannot be read.
Catalog ReadCatalog(const Source& source);

// Every row of a table (a user or a system table). With `leaveLongValues` memo and OLE values
// that are not Null come back as Value::Later and are read by ReadLongValues when wanted.
Rows ReadRows(const Source& source, const std::string& table, bool leaveLongValues);

// The memo and OLE values of some rows of a table: one vector per position, one value per
// column (the other columns Null).
std::vector<std::vector<Value>> ReadLongValues(const Source& source, const std::string& table,
                                               const std::vector<RowPosition>& positions);

}  // namespace adodb::jet
