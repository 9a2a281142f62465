#include <gtest/gtest.h>

#include "platform/runtime/Clock.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/Variant.h"
#include "support/TestSupport.h"

namespace {

using vb::Variant;

using testsupport::ErrorOf;

TEST(Variant, EmptyNullAndEmptyTextDiffer) {
  Variant empty, null = Variant::Null(), text("");
  EXPECT_TRUE(empty.isEmpty());
  EXPECT_TRUE(null.isNull());
  EXPECT_EQ(text.type(), vb::VarType::String);
  EXPECT_FALSE(empty == text);
  EXPECT_EQ(empty.toString(), "");
  EXPECT_EQ(empty.toDouble(), 0);
  EXPECT_FALSE(empty.toBool());
  EXPECT_EQ(ErrorOf([&] { null.toString(); }), 94);
  EXPECT_EQ(ErrorOf([&] { null.toInteger(); }), 94);
}

TEST(Variant, TextOfEachType) {
  struct Case {
    Variant value;
    const char* text;
  };
  const Case cases[] = {
      {Variant(true), "True"},
      {Variant(false), "False"},
      {Variant(uint8_t{200}), "200"},
      {Variant(int16_t{-5}), "-5"},
      {Variant(int32_t{123456}), "123456"},
      {Variant(0.1f), "0.1"},
      {Variant(static_cast<double>(0.1f)), "0.100000001490116"},
      {Variant(2.0 / 3.0), "0.666666666666667"},
      {Variant::Currency(1234.56789), "1234.5679"},
      {Variant::Currency(-0.5), "-0.5"},
      {Variant::Date(vb::DateFromParts({1998, 3, 15, 0, 0, 0})), "3/15/1998"},
      {Variant::Date(vb::DateFromParts({1998, 3, 15, 14, 5, 9})), "3/15/1998 2:05:09 PM"},
      {Variant("Corvane"), "Corvane"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value.toString(), c.text);
}

TEST(Variant, NumberConversions) {
  EXPECT_EQ(Variant(true).toLong(), -1);
  EXPECT_EQ(Variant("2.5").toInteger(), 2);
  EXPECT_EQ(Variant(" 1,200 ").toLong(), 1200);
}

TEST(Variant, BadTextAndRangesRaise) {
  EXPECT_EQ(ErrorOf([] { Variant("abc").toLong(); }), 13);
  EXPECT_EQ(ErrorOf([] { Variant("").toLong(); }), 13);  // empty text is not Empty
  EXPECT_EQ(ErrorOf([] { Variant("12 in").toDouble(); }), 13);
  EXPECT_EQ(ErrorOf([] { Variant("300").toByte(); }), 6);
  EXPECT_EQ(ErrorOf([] { Variant(int32_t{40000}).toInteger(); }), 6);
  EXPECT_EQ(ErrorOf([] { Variant("maybe").toBool(); }), 13);
}

TEST(Variant, BooleanConversion) {
  EXPECT_TRUE(Variant("true").toBool());
  EXPECT_TRUE(Variant(" TRUE ").toBool());
  EXPECT_FALSE(Variant("False").toBool());
  EXPECT_TRUE(Variant("-1").toBool());
  EXPECT_FALSE(Variant("0").toBool());
  EXPECT_TRUE(Variant(int32_t{5}).toBool());
}

TEST(Variant, DateConversion) {
  EXPECT_EQ(Variant("1/1/1980").toDate(), 29221);
  EXPECT_EQ(Variant(29221.5).toDate(), 29221.5);
  EXPECT_EQ(ErrorOf([] { Variant("soon").toDate(); }), 13);
}

TEST(NumberRecognition, WholeTextMustBeANumber) {
  struct Case {
    const char* text;
    bool ok;
    double value;
  };
  const Case cases[] = {
      {"12500", true, 12500},  {" -1234.5 ", true, -1234.5},
      {"1,200", true, 1200},   {"1,2,3", true, 123},
      {".5", true, 0.5},       {"+3", true, 3},
      {"1e3", true, 1000},     {"2D2", true, 200},
      {"&HFF", true, 255},     {"", false, 0},
      {" ", false, 0},         {"-", false, 0},
      {"6.5 x 3.2", false, 0}, {"Yes 1998", false, 0},
      {",5", false, 0},        {"1e", false, 0},
      {"1.2.3", false, 0},     {"?Col", false, 0},
      {"&HG", false, 0},       {"1 2", false, 0},
  };
  for (const Case& c : cases) {
    double v = -99;
    EXPECT_EQ(vb::TryParseNumber(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
  }
}

TEST(DateRecognition, ShortDateWithOptionalTime) {
  struct Case {
    const char* text;
    bool ok;
    vb::DateTimeParts parts;
  };
  const Case cases[] = {
      {"1/1/1980", true, {1980, 1, 1, 0, 0, 0}},
      {"3/15/98", true, {1998, 3, 15, 0, 0, 0}},
      {"3/15/29", true, {2029, 3, 15, 0, 0, 0}},
      {"12/10/2025 8:34:12 AM", true, {2025, 12, 10, 8, 34, 12}},
      {"12/10/2025 12:00:00 AM", true, {2025, 12, 10, 0, 0, 0}},
      {"12/10/2025 12:30 PM", true, {2025, 12, 10, 12, 30, 0}},
      {"12/10/2025 13:05:00", true, {2025, 12, 10, 13, 5, 0}},
      {"2/30/2024", false, {}},
      {"13/1/2024", false, {}},
      {"12/10/2025 13:05 PM", false, {}},
      {"12/10", false, {}},
      {"abc", false, {}},
      {"", false, {}},
  };
  for (const Case& c : cases) {
    double d = -1;
    EXPECT_EQ(vb::TryParseDate(c.text, d), c.ok) << c.text;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(d, vb::DateFromParts(c.parts)) << c.text;
    }
  }
  double t = 0;
  ASSERT_TRUE(vb::TryParseDate("12:00:00 PM", t));
  EXPECT_EQ(t, 0.5);
  // The general date text reads back to the second.
  double d = vb::DateFromParts({2024, 7, 4, 23, 59, 58});
  double back = 0;
  ASSERT_TRUE(vb::TryParseDate(vb::GeneralDate(d), back));
  EXPECT_DOUBLE_EQ(back, d);
}

}  // namespace
