#include <gtest/gtest.h>

#include <cmath>

#include "platform/runtime/Error.h"
#include "platform/runtime/Number.h"

namespace {

struct ValCase {
  const char* text;
  double expected;
};

TEST(Val, ReadsTheNumberAtTheStartOfAText) {
  const ValCase cases[] = {
      {"", 0},
      {"abc", 0},
      {"12.5 in", 12.5},
      {"12.5.3", 12.5},
      {"1,200", 1},
      {"1 2 3", 123},
      {"- 3", -3},
      {"  \t\n42", 42},
      {"+7", 7},
      {"--3", 0},
      {".5", 0.5},
      {"-.25", -0.25},
      {"1D2", 100},
      {"1e", 1},
      {"1E-2x", 0.01},
      {"2.5e+1", 25},
      {"1e+", 1},
      {"e5", 0},
      {".", 0},
      {"-", 0},
      {"3\r4", 3},
      {"&HFF", 255},
      {"&HFFFF", -1},
      {"&H8000", -32768},
      {"&H10000", 65536},
      {"&HFFFFFFFF", -1},
      {"&h1f", 31},
      {"&O17", 15},
      {"&O8", 0},
      {"&", 0},
      {"&X12", 0},
      {"1e999", 0},
  };
  for (const ValCase& c : cases) EXPECT_DOUBLE_EQ(vb::Val(c.text), c.expected) << c.text;
}

struct TextCase {
  double value;
  int significant;
  const char* expected;
};

TEST(NumberText, PlainFormWithoutLeadingZeroOrTrailingZeros) {
  const TextCase cases[] = {
      {0, 15, "0"},
      {0.5, 15, ".5"},
      {-0.25, 15, "-.25"},
      {3, 15, "3"},
      {1234.5, 15, "1234.5"},
      {-1234.5, 15, "-1234.5"},
      {0.1 + 0.2, 15, ".3"},
      {100, 15, "100"},
      {123456789012345.0, 15, "123456789012345"},
      {1e15, 15, "1E+15"},
      {1.5e15, 15, "1.5E+15"},
      {1234567890123456789.0, 15, "1.23456789012346E+18"},
      {0.0001, 15, ".0001"},
      {0.00001, 15, "1E-05"},
      {-0.000015, 15, "-1.5E-05"},
      {static_cast<float>(0.1), 7, ".1"},
      {static_cast<float>(0.1), 15, ".100000001490116"},
      {2.0 / 3.0, 15, ".666666666666667"},
      {99999.99999999999, 15, "100000"},
  };
  for (const TextCase& c : cases)
    EXPECT_EQ(vb::NumberText(c.value, c.significant), c.expected) << c.value;
}

TEST(NumberText, CStrPutsAZeroBeforeThePoint) {
  EXPECT_EQ(vb::CStr(0.5), "0.5");
  EXPECT_EQ(vb::CStr(-0.25), "-0.25");
  EXPECT_EQ(vb::CStr(12.5), "12.5");
  EXPECT_EQ(vb::CStr(0.00001), "1E-05");
  EXPECT_EQ(vb::CStr(0), "0");
}

TEST(Conversions, RoundHalfToEvenAndRaiseOverflow) {
  EXPECT_EQ(vb::CInt(2.5), 2);
  EXPECT_EQ(vb::CInt(3.5), 4);
  EXPECT_EQ(vb::CInt(-2.5), -2);
  EXPECT_EQ(vb::CLng(2.4999), 2);
  EXPECT_EQ(vb::CLng(-2147483648.0), INT32_MIN);
  EXPECT_EQ(vb::CByte(255.4), 255);
  EXPECT_EQ(vb::CInt(32767.4), 32767);

  auto overflows = [](auto f) {
    try {
      f();
    } catch (const vb::Error& e) {
      return e.number == 6 && e.description == "Overflow";
    }
    return false;
  };
  EXPECT_TRUE(overflows([] { vb::CInt(32767.5); }));
  EXPECT_TRUE(overflows([] { vb::CInt(-32769); }));
  EXPECT_TRUE(overflows([] { vb::CLng(2147483648.0); }));
  EXPECT_TRUE(overflows([] { vb::CByte(-1); }));
  EXPECT_TRUE(overflows([] { vb::CByte(256); }));
  EXPECT_TRUE(overflows([] { vb::CLng(std::nan("")); }));
  EXPECT_TRUE(overflows([] { vb::CSng(1e300); }));
  EXPECT_TRUE(overflows([] { vb::Divide(0, 0); }));
}

TEST(Conversions, FixSgnAndDivision) {
  EXPECT_EQ(vb::Fix(-2.7), -2);
  EXPECT_EQ(vb::Fix(1e12 + 0.5), 1e12);  // far past any 32-bit integer
  EXPECT_EQ(vb::Sgn(-0.1), -1);
  EXPECT_EQ(vb::Sgn(0), 0);
  EXPECT_EQ(vb::Divide(1, 4), 0.25);
  try {
    vb::Divide(1, 0);
    FAIL() << "no error";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.number, 11);
    EXPECT_EQ(e.description, "Division by zero");
  }
}

}  // namespace
