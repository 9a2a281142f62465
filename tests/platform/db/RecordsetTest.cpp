#include <gtest/gtest.h>

#include "platform/db/Ado.h"
#include "platform/db/Connection.h"
#include "platform/db/DbTest.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Clock.h"
#include "support/Fixtures.h"

namespace {

namespace fs = std::filesystem;
using dbtest::ErrorOf;
using dbtest::NumberOf;
using vb::Variant;

class DbRecordset : public ::testing::Test {
 protected:
  testsupport::TempDir dir;
  adodb::Connection connection;
  adodb::Recordset rs;

  void SetUp() override {
    fs::path ac = dir / "ac.mdb";
    testsupport::BuildFromScript(ac, "ac_fixture.sql",
                                 // every declared type, and values that test each one
                                 "CREATE TABLE Types (Id INTEGER, b BYTE, s SMALLINT, i INTEGER,"
                                 " f SINGLE, d DOUBLE, c CURRENCY, dt DATETIME, yn YESNO,"
                                 " n NUMERIC, ch CHAR(4), vc VARCHAR(10), m LONGTEXT, memo MEMO);"
                                 "INSERT INTO Types VALUES (1, 200, -3, 70000, 0.1, 0.1, 12.34567,"
                                 " '2024-03-15 10:30:00', 1, 2.5, 'ab', '0123', '0456', '0789');"
                                 "INSERT INTO Types (Id) VALUES (2);"
                                 "INSERT INTO Types VALUES (3, 300, 'x', 2.5, '1.5', 7, 1, 45366.5,"
                                 " 5, 'abc', 12, 3.5, 'text', 'text');"
                                 "INSERT INTO Types (Id, dt, yn) VALUES (4, '2024-03-15', 0);"
                                 "INSERT INTO Types (Id, dt, yn) VALUES (5, 'soon', -1);");
    connection.open(testsupport::ConnectionStringFor(ac));
  }
  void Row(int id) {
    if (rs.isOpen()) rs.close();
    rs.open("SELECT * FROM Types WHERE Id = ?1", connection, {Variant(int32_t{id})});
    ASSERT_FALSE(rs.eof());
  }
  const Variant& Value(const char* name) { return rs.fields(name).value(); }
};

TEST_F(DbRecordset, StandsOnTheFirstRowAndMovesThroughAll) {
  rs.open("SELECT * FROM ACDPPR WHERE AcNum = ?1 ORDER BY displayOrder", connection,
          {Variant(int32_t{7})});
  EXPECT_TRUE(rs.isOpen());
  EXPECT_FALSE(rs.eof());
  EXPECT_FALSE(rs.bof());
  EXPECT_EQ(rs.recordCount(), 3);
  adodb::Field order = rs.fields("DISPLAYORDER");
  EXPECT_EQ(order.name(), "displayOrder");
  std::vector<int32_t> seen;
  for (; !rs.eof(); rs.moveNext()) seen.push_back(order.value().toLong());
  EXPECT_EQ(seen, (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(NumberOf([&] { rs.moveNext(); }), 3021);
  vb::Error atEnd = ErrorOf([&] { order.value(); });
  EXPECT_EQ(atEnd.number, 3021);
  EXPECT_EQ(atEnd.description, vb::ErrorText(3021));
  rs.moveLast();
  EXPECT_EQ(order.value(), Variant(int32_t{3}));
  rs.moveFirst();
  EXPECT_EQ(order.value(), Variant(int32_t{1}));
}

TEST_F(DbRecordset, AnEmptyResultIsAtBofAndEofWithItsFieldsKnown) {
  rs.open("SELECT * FROM ACDPPR WHERE AcNum = ?1", connection, {Variant(int32_t{12})});
  EXPECT_TRUE(rs.eof());
  EXPECT_TRUE(rs.bof());
  EXPECT_EQ(rs.recordCount(), 0);
  EXPECT_EQ(rs.fields("prr").type(), adodb::adDouble);
  EXPECT_EQ(NumberOf([&] { rs.fields("PRR").value(); }), 3021);
  EXPECT_EQ(NumberOf([&] { rs.moveFirst(); }), 3021);
  EXPECT_EQ(NumberOf([&] { rs.moveLast(); }), 3021);
  EXPECT_EQ(NumberOf([&] { rs.moveNext(); }), 3021);
  EXPECT_EQ(NumberOf([&] { rs.fields("Nothing"); }), 3265);
}

TEST_F(DbRecordset, AClosedRecordsetAndAClosedConnectionRaiseTheirErrors) {
  rs.open("SELECT AcName FROM Aircraft", connection);
  adodb::Field name = rs.fields("AcName");
  EXPECT_EQ(NumberOf([&] { rs.open("SELECT 1", connection); }), 3705);
  rs.close();
  for (const auto& call : std::vector<std::function<void()>>{
           [&] { rs.close(); }, [&] { rs.eof(); }, [&] { rs.bof(); }, [&] { rs.moveNext(); },
           [&] { rs.moveFirst(); }, [&] { rs.recordCount(); }, [&] { rs.fields("AcName"); },
           [&] { name.value(); }, [&] { name.type(); }}) {
    vb::Error e = ErrorOf(call);
    EXPECT_EQ(e.number, 3704);
    EXPECT_EQ(e.description, "Operation is not allowed when the object is closed.");
  }
  connection.close();
  vb::Error e = ErrorOf([&] { rs.open("SELECT 1", connection); });
  EXPECT_EQ(e.number, 3709);
  EXPECT_EQ(e.description, vb::ErrorText(3709));
  EXPECT_FALSE(rs.isOpen());
}

TEST_F(DbRecordset, FieldsAreFoundByBareNameFirstInTheSelectList) {
  // Aircraft 3's maker has no row: ACMFG's AcMfgNum is Null, the aircraft's is 55.
  rs.open("SELECT Aircraft.*, ACMFG.* FROM (ACMFG RIGHT JOIN Aircraft ON ACMFG.AcMfgNum = "
          "Aircraft.AcMfgNum) WHERE Aircraft.AcNum = ?1",
          connection, {Variant(int32_t{3})});
  EXPECT_EQ(Value("acmfgnum"), Variant(int32_t{55}));
  EXPECT_TRUE(Value("AcMfgName").isNull());
  rs.close();
  rs.open("SELECT ACMFG.*, Aircraft.* FROM (ACMFG RIGHT JOIN Aircraft ON ACMFG.AcMfgNum = "
          "Aircraft.AcMfgNum) WHERE Aircraft.AcNum = ?1",
          connection, {Variant(int32_t{3})});
  EXPECT_TRUE(Value("AcMfgNum").isNull());
  rs.close();
  // A name given with AS, and expressions, keep their result names.
  rs.open(
      "SELECT AcName AS Title, Aircraft.AcNum * 2 AS Twice, Aircraft.AcNum, [4Pax] FROM Aircraft, "
      "ACDPLD WHERE Aircraft.AcNum = ACDPLD.AcNum",
      connection);
  EXPECT_EQ(Value("Title"), Variant("Seven"));
  EXPECT_EQ(Value("Twice"), Variant(int32_t{14}));
  EXPECT_EQ(Value("AcNum"), Variant(int32_t{7}));
  EXPECT_EQ(Value("4pax"), Variant(2900.0));
  EXPECT_EQ(NumberOf([&] { rs.fields("AcName"); }), 3265);
}

TEST_F(DbRecordset, ValuesTakeTheVariantOfTheirDeclaredType) {
  Row(1);
  struct Case {
    const char* column;
    int type;
    Variant value;
  };
  const Case first[] = {
      {"b", adodb::adUnsignedTinyInt, Variant(uint8_t{200})},
      {"s", adodb::adSmallInt, Variant(int16_t{-3})},
      {"i", adodb::adInteger, Variant(int32_t{70000})},
      {"f", adodb::adSingle, Variant(0.1f)},
      {"d", adodb::adDouble, Variant(0.1)},
      {"c", adodb::adCurrency, Variant::Currency(12.3457)},
      {"dt", adodb::adDate, Variant::Date(vb::DateFromParts({2024, 3, 15, 10, 30, 0}))},
      {"yn", adodb::adBoolean, Variant(true)},
      {"n", adodb::adNumeric, Variant(2.5)},
      {"ch", adodb::adWChar, Variant("ab")},
      {"vc", adodb::adVarWChar, Variant("0123")},
      {"m", adodb::adLongVarWChar, Variant("0456")},
      // MEMO has numeric affinity in SQLite: the memo was stored as the number 789.
      {"memo", adodb::adLongVarWChar, Variant("789")},
  };
  for (const Case& c : first) {
    EXPECT_EQ(rs.fields(c.column).type(), c.type) << c.column;
    EXPECT_EQ(Value(c.column), c.value) << c.column;
  }

  Row(2);
  for (const Case& c : first) EXPECT_TRUE(Value(c.column).isNull()) << c.column;

  // Stored values the type cannot hold come back as stored; any non-zero yes/no is True.
  Row(3);
  const Case third[] = {
      {"b", 0, Variant(int32_t{300})}, {"s", 0, Variant("x")},
      {"i", 0, Variant(2.5)},          {"f", 0, Variant(1.5f)},
      {"d", 0, Variant(7.0)},          {"c", 0, Variant::Currency(1)},
      {"dt", 0, Variant::Date(45366.5)}, {"yn", 0, Variant(true)},
      {"n", 0, Variant("abc")},        {"ch", 0, Variant("12")},
      {"vc", 0, Variant("3.5")},       {"m", 0, Variant("text")},
  };
  for (const Case& c : third) EXPECT_EQ(Value(c.column), c.value) << c.column;
  Row(4);
  EXPECT_EQ(Value("dt"), Variant::Date(vb::DateFromParts({2024, 3, 15})));
  EXPECT_EQ(Value("yn"), Variant(false));
  EXPECT_EQ(Value("yn").toLong(), 0);
  Row(5);
  EXPECT_EQ(Value("dt"), Variant("soon"));
  EXPECT_EQ(Value("yn").toLong(), -1);
}

TEST_F(DbRecordset, ExpressionColumnsAreTypedByTheirStoredValues) {
  rs.open("SELECT 1 + 1 AS two, 2.5 * 2 AS five, 'a' || 'b' AS ab, NULL AS blank", connection);
  EXPECT_EQ(rs.fields("two").type(), adodb::adInteger);
  EXPECT_EQ(rs.fields("five").type(), adodb::adDouble);
  EXPECT_EQ(rs.fields("ab").type(), adodb::adVarWChar);
  EXPECT_EQ(rs.fields("blank").type(), adodb::adEmpty);
  EXPECT_EQ(Value("two"), Variant(int32_t{2}));
  EXPECT_EQ(Value("five"), Variant(5.0));
  EXPECT_EQ(Value("ab"), Variant("ab"));
  EXPECT_TRUE(Value("blank").isNull());
}

TEST_F(DbRecordset, ParametersAreBoundAsValues) {
  const char* sql = "SELECT AcName FROM Aircraft WHERE AcNum = ?1";
  struct Case {
    Variant param;
    long rows;
  };
  const Case cases[] = {
      {Variant(int32_t{7}), 1}, {Variant(7.0), 1},           {Variant("7"), 1},
      {Variant(true), 0},       {Variant::Null(), 0},        {Variant("7 OR 1=1"), 0},
      {Variant(), 0},           {Variant(uint8_t{12}), 1},   {Variant::Currency(3), 1},
  };
  for (const Case& c : cases) {
    rs.open(sql, connection, {c.param});
    EXPECT_EQ(rs.recordCount(), c.rows) << static_cast<int>(c.param.type());
    rs.close();
  }
  rs.open("SELECT AcNum FROM Aircraft WHERE YrTypeCert = ?1 AND AcTypeName = ?2", connection,
          {Variant::Date(vb::DateFromParts({1998, 6, 15})), Variant("jets")});
  ASSERT_EQ(rs.recordCount(), 1);  // the date as ISO text; text compares without case
  EXPECT_EQ(Value("AcNum"), Variant(int32_t{7}));
  rs.close();
  EXPECT_EQ(NumberOf([&] { rs.open(sql, connection); }), adodb::err::NoValueGiven);
  EXPECT_EQ(NumberOf([&] { rs.open(sql, connection, {Variant(1), Variant(2)}); }),
            adodb::err::NoValueGiven);
  EXPECT_EQ(NumberOf([&] { rs.open(sql, connection, {Variant(std::vector<std::string>{"7"})}); }),
            13);
  EXPECT_FALSE(rs.isOpen());
}

TEST_F(DbRecordset, StatementErrorsCarryTheDriverNumbers) {
  struct Case {
    const char* sql;
    long number;
    const char* description;
  };
  const Case cases[] = {
      {"SELECT * FROM Nowhere", adodb::err::NoSuchTable, "[SQLite] no such table: Nowhere"},
      {"SELECT * FROM Aircraft WHERE AcNum = abc", adodb::err::NoValueGiven,
       "[SQLite] no such column: abc"},
      {"SELECT * FROM Aircraft WHERE AcNum = ", adodb::err::SyntaxError,
       "[SQLite] incomplete input"},
      {"SELECT * FROM Aircraft WHERE AcNum = AND OpNum = 3", adodb::err::SyntaxError,
       "[SQLite] near \"AND\": syntax error"},
      {"", adodb::err::SyntaxError, "[SQLite] the statement is empty"},
      {"SELECT 1; SELECT 2", adodb::err::SyntaxError,
       "[SQLite] only one statement can be run at a time"},
  };
  for (const Case& c : cases) {
    vb::Error e = ErrorOf([&] { rs.open(c.sql, connection); });
    EXPECT_EQ(e.number, c.number) << c.sql;
    EXPECT_EQ(e.description, c.description) << c.sql;
    EXPECT_FALSE(rs.isOpen());
  }
  rs.open("SELECT 1 AS one;  ", connection);  // a trailing ";" is accepted
  EXPECT_EQ(Value("one"), Variant(int32_t{1}));
}

}  // namespace
