// Access (Jet) files read through the layer, checked against mdb-export of the same files.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <random>
#include <sstream>

#include "platform/db/Ado.h"
#include "platform/db/Connection.h"
#include "platform/db/DbTest.h"
#include "platform/db/JetDatabase.h"
#include "platform/db/JetFile.h"
#include "platform/db/JetQuery.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Clock.h"
#include "support/Fixtures.h"

namespace {

namespace fs = std::filesystem;
using dbtest::ErrorOf;
using testsupport::ConnectionStringFor;

const fs::path kAccessFixtures = TOLVANE_ACCESS_FIXTURES;
const fs::path kNwind = kAccessFixtures / "nwind.mdb";
const fs::path kDates = kAccessFixtures / "DateTestDatabase.mdb";

#define REQUIRE_ACCESS_FIXTURES()                                                        \
  if (!fs::exists(kNwind) || !fs::exists(kDates))                                        \
  GTEST_SKIP() << "the Access fixtures are not at " << kAccessFixtures                   \
               << " (nwind.mdb, DateTestDatabase.mdb): Access reading is not tested"

bool HaveMdbExport() { return std::system("command -v mdb-export >/dev/null 2>&1") == 0; }

std::string Output(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string out;
  char buffer[65536];
  size_t n;
  while (pipe && (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0) out.append(buffer, n);
  return out;
}

std::string Quoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// One field of mdb-export's CSV: an unquoted empty field is Null.
struct CsvField {
  std::string text;
  bool quoted = false;
  bool null() const { return !quoted && text.empty(); }
};

std::vector<std::vector<CsvField>> ParseCsv(const std::string& csv) {
  std::vector<std::vector<CsvField>> rows(1);
  rows.back().emplace_back();
  for (size_t i = 0; i < csv.size(); ++i) {
    char c = csv[i];
    CsvField& f = rows.back().back();
    if (c == '"') {
      f.quoted = true;
      for (++i; i < csv.size(); ++i) {
        if (csv[i] == '"') {
          if (i + 1 < csv.size() && csv[i + 1] == '"') {
            f.text += '"';
            ++i;
            continue;
          }
          break;
        }
        f.text += csv[i];
      }
    } else if (c == ',') {
      rows.back().emplace_back();
    } else if (c == '\n') {
      rows.emplace_back();
      rows.back().emplace_back();
    } else if (c != '\r') {
      f.text += c;
    }
  }
  while (!rows.empty() && rows.back().size() == 1 && rows.back()[0].text.empty() &&
         !rows.back()[0].quoted)
    rows.pop_back();
  return rows;
}

std::vector<std::vector<CsvField>> Export(const fs::path& file, const std::string& table) {
  return ParseCsv(Output("mdb-export -b hex -D '%Y-%m-%d %H:%M:%S' -T '%Y-%m-%d %H:%M:%S' " +
                      Quoted(file.string()) + " " + Quoted(table)));
}

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) out += {digits[c >> 4], digits[c & 15]};
  return out;
}

std::string DateText(double date) {
  vb::DateTimeParts p = vb::PartsOfDate(date);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day,
                p.hour, p.minute, p.second);
  return text;
}

// Whether a value read through the layer is what mdb-export wrote for it.
::testing::AssertionResult Same(const vb::Variant& v, int type, const CsvField& f) {
  auto fail = [&](const std::string& mine) {
    return ::testing::AssertionFailure()
           << "layer " << mine << " (type " << type << "), mdb-export '" << f.text << "'";
  };
  if (v.isNull() != f.null()) return fail(v.isNull() ? "Null" : v.toString());
  if (v.isNull()) return ::testing::AssertionSuccess();
  switch (type) {
    case adodb::adBoolean:
      return (v.toBool() ? "1" : "0") == f.text ? ::testing::AssertionSuccess()
                                               : fail(v.toString());
    case adodb::adUnsignedTinyInt:
    case adodb::adSmallInt:
    case adodb::adInteger:
      return std::to_string(v.toLong()) == f.text ? ::testing::AssertionSuccess()
                                                  : fail(v.toString());
    case adodb::adCurrency:
    case adodb::adSingle:
    case adodb::adDouble: {
      const double a = v.toDouble(), b = std::stod(f.text);
      const double tolerance = type == adodb::adDouble ? 1e-12 : 1e-6;
      return std::fabs(a - b) <= tolerance * std::max(1.0, std::fabs(b))
                 ? ::testing::AssertionSuccess()
                 : fail(std::to_string(a));
    }
    case adodb::adDate:
      // mdbtools 1.0 turns a date before 1900 or in the year 9999 into "1900-01-00": that
      // date does not exist, and the value is checked by the dates test instead.
      if (f.text.rfind("1900-01-00", 0) == 0) return ::testing::AssertionSuccess();
      return DateText(v.toDate()) == f.text ? ::testing::AssertionSuccess()
                                            : fail(DateText(v.toDate()));
    case adodb::adVarBinary:
    case adodb::adLongVarBinary:
      return Hex(v.toString()) == f.text ? ::testing::AssertionSuccess()
                                         : fail(Hex(v.toString()).substr(0, 40));
    default:
      return v.toString() == f.text ? ::testing::AssertionSuccess() : fail(v.toString());
  }
}

std::vector<std::string> Tables(adodb::Connection& c, const fs::path& file) {
  (void)c;
  std::vector<std::string> names;
  for (const adodb::jet::Table& t : adodb::jet::ReadCatalog(adodb::jet::Source::File(file)).tables)
    names.push_back(t.name);
  return names;
}

class AccessFile : public ::testing::Test {
 protected:
  void SetUp() override { REQUIRE_ACCESS_FIXTURES(); }
};

// Every table, row, value and Null state, against mdb-export.
TEST_F(AccessFile, EveryTableReadsAsMdbExportWritesIt) {
  if (!HaveMdbExport()) GTEST_SKIP() << "mdb-export (Debian package mdbtools) is not installed";
  for (const fs::path& file : {kNwind, kDates}) {
    adodb::Connection c;
    c.open(ConnectionStringFor(file));
    const std::vector<std::string> tables = Tables(c, file);
    ASSERT_FALSE(tables.empty()) << file;
    // The exports of every table at once: each is a process of its own.
    std::vector<std::future<decltype(Export(file, tables[0]))>> exports;
    for (const std::string& table : tables)
      exports.push_back(
          std::async(std::launch::async, [&file, table] { return Export(file, table); }));
    for (size_t t = 0; t < tables.size(); ++t) {
      const std::string& table = tables[t];
      SCOPED_TRACE(file.filename().string() + " " + table);
      const auto expected = exports[t].get();
      ASSERT_FALSE(expected.empty());
      adodb::Recordset rs;
      rs.open("SELECT * FROM " + adodb::QuoteIdentifier(c.tableName(table)), c);
      ASSERT_EQ(rs.recordCount() + 1, static_cast<long>(expected.size()));
      const std::vector<CsvField>& header = expected[0];
      std::vector<int> types;
      for (const CsvField& h : header) types.push_back(rs.fields(h.text).type());
      for (size_t r = 1; r < expected.size(); ++r, rs.moveNext()) {
        ASSERT_FALSE(rs.eof());
        ASSERT_EQ(expected[r].size(), header.size()) << "row " << r;
        for (size_t col = 0; col < header.size(); ++col)
          EXPECT_TRUE(Same(rs.fields(header[col].text).value(), types[col], expected[r][col]))
              << "row " << r << " column " << header[col].text;
      }
      EXPECT_TRUE(rs.eof());
      rs.close();
    }
  }
}

TEST_F(AccessFile, JetTypesMapToTheLayersTypeCodes) {
  adodb::Connection c;
  c.open(ConnectionStringFor(kNwind));
  struct Case {
    const char* table;
    const char* column;
    int type;
  };
  const Case cases[] = {
      {"Products", "ProductID", adodb::adInteger},        // long
      {"Products", "ProductName", adodb::adVarWChar},     // text
      {"Products", "UnitPrice", adodb::adCurrency},       // currency
      {"Products", "UnitsInStock", adodb::adSmallInt},    // integer
      {"Products", "Discontinued", adodb::adBoolean},     // yes/no
      {"Orders", "OrderDate", adodb::adDate},             // date/time
      {"Orders", "Freight", adodb::adCurrency},
      {"Employees", "Notes", adodb::adLongVarWChar},      // memo
      {"Employees", "Photo", adodb::adLongVarBinary},     // OLE
      {"Order Details", "Discount", adodb::adSingle},     // single
  };
  for (const Case& k : cases) {
    adodb::Recordset rs;
    rs.open("SELECT * FROM " + adodb::QuoteIdentifier(k.table), c);
    EXPECT_EQ(rs.fields(k.column).type(), k.type) << k.table << "." << k.column;
    rs.close();
  }
  // Text compares without regard to case, as in Access.
  adodb::Recordset rs;
  rs.open("SELECT ProductName FROM Products WHERE ProductName = 'CHAI'", c);
  ASSERT_FALSE(rs.eof());
  EXPECT_EQ(rs.fields("ProductName").value().toString(), "Chai");
  rs.close();
  // The Jet 4 fixture: dates.
  adodb::Connection d;
  d.open(ConnectionStringFor(kDates));
  rs.open("SELECT * FROM DateTest", d);
  int dates = 0;
  for (const auto& t : adodb::jet::ReadCatalog(adodb::jet::Source::File(kDates)).tables)
    for (const auto& col : t.columns)
      if (col.type == adodb::jet::DateTime) {
        EXPECT_EQ(rs.fields(col.name).type(), adodb::adDate) << col.name;
        ++dates;
      }
  EXPECT_GT(dates, 0);
  // Dates mdb-export of mdbtools 1.0 cannot show: the year 9999, before 1900, before 1000.
  std::map<long, std::vector<std::string>> years;
  for (; !rs.eof(); rs.moveNext())
    for (const char* col : {"DateTimeCol", "DateCol", "TimeCol"})
      years[rs.fields("IDCol").value().toLong()].push_back(
          DateText(rs.fields(col).value().toDate()).substr(0, 10));
  EXPECT_EQ(years[1], (std::vector<std::string>{"2021-12-02", "2021-12-02", "2021-12-02"}));
  EXPECT_EQ(years[2], (std::vector<std::string>{"9999-01-01", "9999-01-01", "9999-01-01"}));
  EXPECT_EQ(years[3], (std::vector<std::string>{"1898-01-01", "1899-01-01", "1900-01-01"}));
  EXPECT_EQ(years[4], (std::vector<std::string>{"0632-01-01", "0633-01-01", "0634-01-01"}));
}

// A join through the layer gives what the same join gives on an SQLite copy of the tables
// made from mdb-export's output.
TEST_F(AccessFile, AJoinMatchesTheSameJoinOnAnSqliteCopy) {
  if (!HaveMdbExport()) GTEST_SKIP() << "mdb-export (Debian package mdbtools) is not installed";
  testsupport::TempDir dir;
  const fs::path copy = dir / "copy.db";
  const std::string file = Quoted(kNwind.string());
  const std::string exportSql = "mdb-export -I sqlite -b strip -q \"'\" -X \"'\" " + file;
  std::string script = Output("mdb-schema " + file + " sqlite -T Products; " + "mdb-schema " +
                              file + " sqlite -T Suppliers");
  script += "\nBEGIN;\n" + Output(exportSql + " Products") + Output(exportSql + " Suppliers") +
            "COMMIT;\n";
  testsupport::BuildDatabase(copy, script);

  const std::string join =
      "SELECT Products.ProductName, Suppliers.CompanyName, Products.UnitPrice "
      "FROM Products INNER JOIN Suppliers ON Products.SupplierID = Suppliers.SupplierID "
      "WHERE Products.UnitPrice > 20 ORDER BY Products.ProductID";
  auto rows = [&](const fs::path& file) {
    adodb::Connection c;
    c.open(ConnectionStringFor(file));
    adodb::Recordset rs;
    rs.open(join, c);
    std::vector<std::string> out;
    for (; !rs.eof(); rs.moveNext())
      out.push_back(rs.fields("ProductName").value().toString() + "|" +
                    rs.fields("CompanyName").value().toString() + "|" +
                    std::to_string(rs.fields("UnitPrice").value().toDouble()));
    return out;
  };
  const auto access = rows(kNwind);
  EXPECT_GT(access.size(), 10u);
  EXPECT_EQ(access, rows(copy));
}

TEST_F(AccessFile, ANonAsciiTableNameReads) {
  adodb::Connection c;
  c.open(ConnectionStringFor(kNwind));
  EXPECT_EQ(c.tableName("umsätze"), "Umsätze");
  adodb::Recordset rs;
  rs.open("SELECT * FROM \"Umsätze\"", c);
  EXPECT_GT(rs.recordCount(), 0);
}

TEST_F(AccessFile, SavedQueriesBecomeViewsOrAreNamedInTheError) {
  adodb::Connection c;
  c.open(ConnectionStringFor(kNwind));
  // A select over a join, with Yes/No and a saved query reading another.
  adodb::Recordset rs;
  rs.open("SELECT * FROM \"Current Product List\"", c);
  long current = rs.recordCount();
  rs.close();
  rs.open("SELECT COUNT(*) AS n FROM Products WHERE Discontinued = 0", c);
  EXPECT_EQ(current, rs.fields("n").value().toLong());
  rs.close();
  rs.open("SELECT * FROM \"Ten Most Expensive Products\"", c);
  EXPECT_EQ(rs.recordCount(), 10);
  EXPECT_EQ(rs.fields("TenMostExpensiveProducts").value().toString(), "Côte de Blaye");
  rs.close();
  // A query that reads a form's value cannot be a view: its name and reason are in the error.
  vb::Error e = ErrorOf([&] { rs.open("SELECT * FROM \"Invoices Filter\"", c); });
  EXPECT_EQ(e.number, adodb::err::NoSuchTable);
  EXPECT_NE(e.description.find("'Invoices Filter'"), std::string::npos) << e.description;
  EXPECT_NE(e.description.find("form"), std::string::npos) << e.description;
  e = ErrorOf([&] { c.tableName("Invoices Filter"); });
  EXPECT_NE(e.description.find("'Invoices Filter'"), std::string::npos) << e.description;
  // The rest of the file still reads.
  rs.open("SELECT * FROM Shippers", c);
  EXPECT_EQ(rs.recordCount(), 3);
}

// Memo and OLE values stay in the file until a statement reads them: a statement that does not
// name them fetches none, one row's values are one fetch, a scan (a Null test in SQL included)
// fetches rows ahead in growing batches.
TEST_F(AccessFile, MemoAndOleValuesAreFetchedOnlyWhenRead) {
  std::string whole;
  {
    std::ifstream in(kNwind, std::ios::binary);
    whole.assign(std::istreambuf_iterator<char>(in), {});
  }
  auto db = adodb::JetDatabase::OfBytes(whole, "nwind");
  auto count = [&](const char* sql) {
    sqlite3_stmt* st = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db->handle(), sql, -1, &st, nullptr), SQLITE_OK) << sql;
    db->loadTablesRead();
    long n = 0;
    while (sqlite3_step(st) == SQLITE_ROW) n += sqlite3_column_bytes(st, 0) >= 0;
    sqlite3_finalize(st);
    return n;
  };
  EXPECT_EQ(count("SELECT EmployeeID, LastName FROM Employees ORDER BY LastName"), 9);
  EXPECT_EQ(db->longValueReads(), 0u);
  EXPECT_EQ(count("SELECT * FROM Employees WHERE EmployeeID = 5"), 1);
  EXPECT_EQ(db->longValueReads(), 1u);
  EXPECT_EQ(count("SELECT Notes, Photo FROM Employees"), 9);
  EXPECT_LE(db->longValueReads(), 1u + 4u);  // batches of 1, 2, 4, 8 rows
  EXPECT_EQ(count("SELECT EmployeeID FROM Employees WHERE Notes IS NOT NULL"), 9);
  EXPECT_LE(db->longValueReads(), 1u + 4u + 4u);
  // The values are those mdbtools reads with the rows.
  adodb::jet::Rows rows =
      adodb::jet::ReadRows(adodb::jet::Source::Buffer(whole), "Employees", false);
  sqlite3_stmt* st = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db->handle(), "SELECT Notes, Photo FROM Employees", -1, &st,
                               nullptr),
            SQLITE_OK);
  int notes = -1, photo = -1;
  for (size_t i = 0; i < rows.columns.size(); ++i) {
    if (rows.columns[i].name == "Notes") notes = static_cast<int>(i);
    if (rows.columns[i].name == "Photo") photo = static_cast<int>(i);
  }
  ASSERT_GE(notes, 0);
  ASSERT_GE(photo, 0);
  for (const auto& row : rows.values) {
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_EQ(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), row[notes].text);
    EXPECT_EQ(std::string(static_cast<const char*>(sqlite3_column_blob(st, 1)),
                          sqlite3_column_bytes(st, 1)),
              row[photo].text);
  }
  sqlite3_finalize(st);
}

TEST_F(AccessFile, TheFileIsNeverWrittenAndStatementsOnlyRead) {
  const auto before = fs::last_write_time(kNwind);
  adodb::Connection c;
  c.open("DRIVER={Microsoft Access Driver (*.mdb)};Password=73pahoru41;DBQ=" + kNwind.string());
  adodb::Recordset rs;
  vb::Error e = ErrorOf([&] { rs.open("DELETE FROM Shippers", c); });
  EXPECT_EQ(e.number, adodb::err::DriverFailed);
  EXPECT_NE(e.description.find("readonly"), std::string::npos) << e.description;
  rs.open("SELECT * FROM Shippers", c);
  EXPECT_EQ(rs.recordCount(), 3);
  EXPECT_EQ(fs::last_write_time(kNwind), before);
}

TEST_F(AccessFile, AnSqliteFileNamedMdbStaysSqlite) {
  testsupport::TempDir dir;
  testsupport::BuildDatabase(dir / "nwind.mdb", "CREATE TABLE Shippers (ShipperID INTEGER);");
  adodb::Connection c;
  c.open(ConnectionStringFor(dir / "nwind.mdb"));
  adodb::Recordset rs;
  rs.open("SELECT * FROM Shippers", c);
  EXPECT_EQ(rs.recordCount(), 0);
}

// Damaged files: each is reported with a clear error, quickly, and the program goes on.
TEST_F(AccessFile, DamagedFilesAreReportedAndNeverCrashOrHang) {
  std::string whole;
  {
    std::ifstream in(kNwind, std::ios::binary);
    whole.assign(std::istreambuf_iterator<char>(in), {});
  }
  std::mt19937 random(24);
  auto noise = [&](size_t n) {
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(random());
    return s;
  };
  std::string scrambled = whole;  // header kept, every page after the catalog overwritten
  for (size_t i = 2048 * 3; i < scrambled.size(); ++i) scrambled[i] = static_cast<char>(random());
  std::string badCatalog = whole;  // the catalog table's page
  for (size_t i = 2048 * 2 + 8; i < 2048 * 3; ++i) badCatalog[i] = static_cast<char>(random());
  struct Case {
    const char* name;
    std::string bytes;
    const char* text;
  };
  const Case cases[] = {
      {"empty", "", "file is not a database"},
      {"random", noise(8192), "file is not a database"},
      {"header only", whole.substr(0, 100), "cut short"},
      {"cut short", whole.substr(0, whole.size() / 2 + 1000), "cut short"},
      {"cut at a page", whole.substr(0, 2048 * 40), ""},
      {"pages scrambled", scrambled, ""},
      {"catalog scrambled", badCatalog, ""},
  };
  testsupport::TempDir dir;
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    const fs::path file = dir / (std::string(k.name) + ".mdb");
    std::ofstream(file, std::ios::binary) << k.bytes;
    const auto start = std::chrono::steady_clock::now();
    // Open and read every table: each step either works or fails with a clear driver error.
    vb::Error e = ErrorOf([&] {
      adodb::Connection c;
      c.open(ConnectionStringFor(file));
      for (const char* table : {"Customers", "Orders", "Employees", "Order Details"}) {
        adodb::Recordset rs;
        vb::Error t = ErrorOf([&] { rs.open(std::string("SELECT * FROM \"") + table + "\"", c); });
        if (t.number != 0) {
          EXPECT_TRUE(t.description.rfind("[Access] ", 0) == 0 ||
                      t.description.find("[Access] ") != std::string::npos ||
                      t.number == adodb::err::NoSuchTable)
              << t.description;
        }
      }
    });
    if (e.number != 0) {
      EXPECT_EQ(e.number, adodb::err::DriverFailed) << e.description;
      EXPECT_NE(e.description.find(file.string()), std::string::npos) << e.description;
      EXPECT_NE(e.description.find(k.text), std::string::npos) << e.description;
    }
    if (*k.text) {
      EXPECT_NE(e.number, 0);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
  }
}

// A file on which the reader never finishes (nwind.mdb with every other page from page 3 on
// zeroed: mdbtools reads the catalog's rows for ever) costs its wait once, a few seconds: every
// later read of the unchanged file, by any path, fails at once with the same error. The file
// replaced by a sound one reads afresh.
TEST_F(AccessFile, AFileWhoseReadingDoesNotFinishCostsItsWaitOnce) {
  std::string whole;
  {
    std::ifstream in(kNwind, std::ios::binary);
    whole.assign(std::istreambuf_iterator<char>(in), {});
  }
  std::string damaged = whole;
  for (size_t page = 3; page * 2048 < damaged.size(); page += 2)
    std::fill_n(damaged.begin() + static_cast<std::ptrdiff_t>(page * 2048), 2048, '\0');
  testsupport::TempDir dir;
  const fs::path file = dir / "damaged.mdb";
  std::ofstream(file, std::ios::binary) << damaged;
  using Clock = std::chrono::steady_clock;
  auto open = [&] {
    return ErrorOf([&] {
      adodb::Connection c;
      c.open(ConnectionStringFor(file));
    });
  };
  Clock::time_point t0 = Clock::now();
  const vb::Error first = open();
  const double waited = std::chrono::duration<double>(Clock::now() - t0).count();
  EXPECT_EQ(first.number, adodb::err::DriverFailed);
  EXPECT_NE(first.description.find("[Access] the database file is damaged: reading the table "
                                   "list of " + file.string() + " does not finish"),
            std::string::npos)
      << first.description;
  EXPECT_LT(waited, 6.0);
  const std::function<void()> later[] = {
      [&] {
        adodb::Connection c;
        c.open(ConnectionStringFor(file));
      },
      [&] { adodb::JetDatabase::OfFile(file.string()); },
      [&] { adodb::jet::ReadRows(adodb::jet::Source::File(file.string()), "Customers", false); },
  };
  for (const auto& read : later) {
    t0 = Clock::now();
    const vb::Error again = ErrorOf(read);
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - t0).count(), 0.5);
    EXPECT_EQ(again.number, first.number);
    EXPECT_EQ(again.description, first.description);
  }
  std::ofstream(file, std::ios::binary | std::ios::trunc) << whole;
  adodb::Connection c;
  c.open(ConnectionStringFor(file));
  adodb::Recordset rs;
  rs.open("SELECT * FROM Customers", c);
  EXPECT_EQ(rs.recordCount(), 91);
}

// A table whose definition page is damaged is named in the error; the other tables still read.
TEST_F(AccessFile, ATableThatCannotBeReadIsNamedAndTheOthersRead) {
  std::string whole;
  {
    std::ifstream in(kNwind, std::ios::binary);
    whole.assign(std::istreambuf_iterator<char>(in), {});
  }
  // The definition page of Shippers: the table page (type 2) naming its columns ShipperID and
  // Phone (Orders names ShipperID in a relation, without Phone).
  size_t page = 0;
  for (size_t p = 3; p * 2048 < whole.size() && page == 0; ++p)
    if (whole[p * 2048] == 2 &&
        std::string_view(whole).substr(p * 2048, 2048).find("ShipperID") != std::string::npos &&
        std::string_view(whole).substr(p * 2048, 2048).find("Phone") != std::string::npos)
      page = p;
  ASSERT_NE(page, 0u);
  whole[page * 2048] = 1;  // no longer a table page
  testsupport::TempDir dir;
  const fs::path file = dir / "damaged.mdb";
  std::ofstream(file, std::ios::binary) << whole;
  adodb::Connection c;
  c.open(ConnectionStringFor(file));
  adodb::Recordset rs;
  vb::Error e = ErrorOf([&] { rs.open("SELECT * FROM Shippers", c); });
  EXPECT_EQ(e.number, adodb::err::NoSuchTable);
  EXPECT_NE(e.description.find("the table 'Shippers' cannot be read"), std::string::npos)
      << e.description;
  EXPECT_NE(e.description.find(file.string()), std::string::npos) << e.description;
  rs.open("SELECT * FROM Orders", c);
  EXPECT_EQ(rs.recordCount(), 830);
}

// A saved query's SQL comes from the file: SQL after a ";" in it never runs. Here the second
// part of a union query is replaced, in a copy of the file, by one that attaches a database
// file and writes a table into it; the query is refused with the reason, no file is written,
// and the rest of the file reads.
TEST_F(AccessFile, SqlAfterTheStatementOfASavedQueryNeverRuns) {
  std::string whole;
  {
    std::ifstream in(kNwind, std::ios::binary);
    whole.assign(std::istreambuf_iterator<char>(in), {});
  }
  const std::string part = "SELECT City, CompanyName, ContactName, \"Suppliers\"\r\nFROM Suppliers";
  std::string evil = "SELECT 1,2,3,4;ATTACH 'x.db' AS a;CREATE TABLE a.t(x);--";
  evil.resize(part.size(), ' ');
  const size_t at = whole.find(part);
  ASSERT_NE(at, std::string::npos);
  whole.replace(at, part.size(), evil);
  testsupport::TempDir dir;
  const fs::path file = dir / "evil.mdb";
  std::ofstream(file, std::ios::binary) << whole;
  // A relative name in the SQL would land in the current folder.
  struct InFolder {
    fs::path saved = fs::current_path();
    explicit InFolder(const fs::path& folder) { fs::current_path(folder); }
    ~InFolder() { fs::current_path(saved); }
  };
  {
    InFolder here(dir.path());
    adodb::Connection c;
    c.open(ConnectionStringFor(file));
    adodb::Recordset rs;
    vb::Error e =
        ErrorOf([&] { rs.open("SELECT * FROM \"Customers and Suppliers by City\"", c); });
    EXPECT_EQ(e.number, adodb::err::NoSuchTable);
    EXPECT_NE(e.description.find("more than one statement"), std::string::npos) << e.description;
    rs.open("SELECT * FROM Shippers", c);
    EXPECT_EQ(rs.recordCount(), 3);
  }
  EXPECT_FALSE(fs::exists(dir / "x.db"));
  // The unchanged file makes the view.
  adodb::Connection c;
  c.open(ConnectionStringFor(kNwind));
  adodb::Recordset rs;
  rs.open("SELECT * FROM \"Customers and Suppliers by City\"", c);
  EXPECT_GT(rs.recordCount(), 0);
}

// The reader takes bytes as well as files.
TEST_F(AccessFile, BytesInMemoryReadAsTheFile) {
  std::string whole;
  {
    std::ifstream in(kNwind, std::ios::binary);
    whole.assign(std::istreambuf_iterator<char>(in), {});
  }
  auto db = adodb::JetDatabase::OfBytes(whole, "nwind in memory");
  adodb::jet::Rows rows =
      adodb::jet::ReadRows(adodb::jet::Source::Buffer(whole, "nwind"), "Shippers", false);
  EXPECT_EQ(rows.values.size(), 3u);
  vb::Error e = ErrorOf([&] { adodb::JetDatabase::OfBytes(whole.substr(0, 3000), "cut"); });
  EXPECT_NE(e.description.find("cut short: cut"), std::string::npos) << e.description;
}

TEST(AccessQuery, AccessExpressionsTranslate) {
  struct Case {
    const char* access;
    const char* sqlite;
  };
  const Case cases[] = {
      {"[Order Details].Quantity*[UnitPrice]", "\"Order Details\".Quantity*\"UnitPrice\""},
      {"(((Products.Discontinued)=No))", "(((Products.Discontinued)=0))"},
      {"[FirstName] & \" \" & [LastName]", "\"FirstName\" || ' ' || \"LastName\""},
      {"Orders.OrderDate Between #1/1/95# And #12/31/1995#",
       "Orders.OrderDate Between '1995-01-01' And '1995-12-31'"},
      {"Name Like \"A*?\"", "Name Like 'A%_'"},
      {"\"it's\"", "'it''s'"},
      {"A Mod 3", "A % 3"},
  };
  for (const Case& c : cases) EXPECT_EQ(adodb::jet::TranslateExpression(c.access), c.sqlite);
  for (const char* bad : {"[Forms]![Orders]![OrderID]", "[x", "\"open", "#13/45/95#", "a \\ b"})
    EXPECT_THROW(adodb::jet::TranslateExpression(bad), std::runtime_error) << bad;
}

}  // namespace
