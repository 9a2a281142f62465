#include <gtest/gtest.h>

#include "platform/db/Ado.h"
#include "platform/db/Connection.h"
#include "platform/db/DbTest.h"

namespace {

using dbtest::ErrorOf;

TEST(Ado, DeclaredTypesMapToAdoCodesByTheirFirstWord) {
  struct Case {
    const char* declared;
    int code;
  };
  const Case cases[] = {
      {"BYTE", 17},           {"tinyint", 17},       {"SMALLINT", 2},
      {"Short", 2},           {"INTEGER", 3},        {"INT", 3},
      {"LONG", 3},            {"COUNTER", 3},        {"SINGLE", 4},
      {"FLOAT4", 4},          {"DOUBLE", 5},         {"double precision", 5},
      {"FLOAT", 5},           {"REAL", 5},           {"CURRENCY", 6},
      {"MONEY", 6},           {"DATETIME", 7},       {"DATE", 7},
      {"YESNO", 11},          {"BOOLEAN", 11},       {"BIT", 11},
      {"DECIMAL(10,2)", 131}, {"NUMERIC", 131},      {"CHAR(10)", 130},
      {"VARCHAR(50)", 202},   {"varchar (12)", 202}, {"TEXT", 202},
      {"LONGTEXT", 203},      {"MEMO", 203},         {"", 0},
      {"BLOB", 0},            {"CHARACTER", 0},      {"  INTEGER", 3},
  };
  for (const Case& c : cases)
    EXPECT_EQ(adodb::AdoTypeOf(c.declared), c.code) << '"' << c.declared << '"';
}

TEST(Ado, NumberParamAcceptsOnlyPlainNumbers) {
  struct Good {
    const char* text;
    vb::Variant value;
  };
  const Good good[] = {
      {"7", vb::Variant(int32_t{7})},         {"0123", vb::Variant(int32_t{123})},
      {"  -12 ", vb::Variant(int32_t{-12})},  {"+5", vb::Variant(int32_t{5})},
      {"2.5", vb::Variant(2.5)},              {".5", vb::Variant(0.5)},
      {"7.", vb::Variant(7.0)},               {"1E3", vb::Variant(1000.0)},
      {"-2.5e-1", vb::Variant(-0.25)},        {"3000000000", vb::Variant(3e9)},
  };
  for (const Good& g : good) {
    vb::Variant v;
    EXPECT_EQ(ErrorOf([&] { v = adodb::NumberParam(g.text); }).number, 0) << g.text;
    EXPECT_EQ(v, g.value) << g.text;
  }
  const char* bad[] = {"7 OR 1=1", "", "  ", "abc", "7;", "1,200", "&H10", "0x10",
                       "1e", "-", ".", "7 7", "'7'", "7\n"};
  for (const char* text : bad) {
    vb::Error e = ErrorOf([&] { adodb::NumberParam(text); });
    EXPECT_EQ(e.number, adodb::err::SyntaxError) << '"' << text << '"';
    EXPECT_EQ(e.description.rfind("[SQLite] ", 0), 0u) << e.description;
    EXPECT_EQ(e.description.find('\n'), std::string::npos);  // one line in the error log
  }
}

TEST(Ado, IdentifiersAreQuotedWithQuotesDoubled) {
  EXPECT_EQ(adodb::QuoteIdentifier("Graph Notes"), "\"Graph Notes\"");
  EXPECT_EQ(adodb::QuoteIdentifier("4Pax"), "\"4Pax\"");
  EXPECT_EQ(adodb::QuoteIdentifier("a\"; DROP TABLE x; --"), "\"a\"\"; DROP TABLE x; --\"");
}

TEST(Ado, TheConnectionStringNamesThePathAfterDbq) {
  struct Case {
    const char* text;
    const char* path;
  };
  const Case cases[] = {
      {"DRIVER={Microsoft Access Driver (*.mdb)};Password=73pahoru41;DBQ=/opt/tolvane/ac.mdb",
       "/opt/tolvane/ac.mdb"},
      {"dbq=/a b/x;y.mdb", "/a b/x;y.mdb"},  // the path runs to the end
      {"DRIVER={a;DBQ=/wrong};dbq={/right/ac.mdb};Other=1", "/right/ac.mdb"},
      {"Password=x;DBQ=", ""},
      {"DRIVER={Microsoft Access Driver (*.mdb)};Password=DBQ=/no", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(adodb::Connection::PathOf(c.text), c.path) << c.text;
}

}  // namespace
