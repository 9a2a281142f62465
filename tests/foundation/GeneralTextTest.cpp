#include <gtest/gtest.h>

#include "foundation/General.h"
#include "platform/runtime/StateReset.h"
#include "platform/ui/FakeHooks.h"
#include "support/TestSupport.h"

namespace {

class GeneralText : public ::testing::Test {
 protected:
  void SetUp() override {
    vb::ResetProgramState();
    General::vars().ErrorHandlingOn = 1;
  }
  void TearDown() override { vb::ResetProgramState(); }
};

struct RoundCase {
  double value;
  long decimals;
  const char* expected;
};

TEST_F(GeneralText, StrngRoundsHalvesAwayFromZero) {
  const RoundCase cases[] = {
      {2.5, 0, "3"},
      {-2.5, 0, "-3"},
      {0.125, 2, ".13"},
      {1234.5, 9, "1234.5"},
      {1.005, 2, "1"},
      {0, 2, "0"},
      {-0.004, 2, "0"},
      {0.1234567, 6, ".123457"},
      {0.1234567, -1, ".123457"},
      {0.1234567, 7, ".123457"},
      {99.95, 1, "100"},
      {-0.25, 1, "-.3"},
  };
  for (const RoundCase& c : cases)
    EXPECT_EQ(General::Strng(c.value, c.decimals), c.expected) << c.value << "@" << c.decimals;
}

TEST_F(GeneralText, FixStrPadsToTheDecimals) {
  const RoundCase cases[] = {
      {0.04, 1, "0.0"}, {12, 2, "12.00"}, {3.048, 1, "3.0"},
      {0.25, 2, ".25"}, {7, 2, "7.00"},   {-1.5, 3, "-1.500"},
  };
  for (const RoundCase& c : cases)
    EXPECT_EQ(General::FixStr(c.value, c.decimals), c.expected) << c.value << "@" << c.decimals;
}

TEST_F(GeneralText, StnPadsWithZerosInFront) {
  EXPECT_EQ(General::Stn(3.14159, 6), "003.14");
  EXPECT_EQ(General::Stn(3.14159, 2), "3.14");
  EXPECT_EQ(General::Stn(-3.14, 6), "0-3.14");
}

TEST_F(GeneralText, SeparatorCuts) {
  std::string source = "a,b,c";
  EXPECT_EQ(General::TakeLeft(source, ","), "a");
  EXPECT_EQ(source, "b,c");
  EXPECT_EQ(General::TakeLeft(source, ","), "b");
  EXPECT_EQ(source, "c");
  EXPECT_EQ(General::TakeLeft(source, ","), "c");
  EXPECT_EQ(source, "");
  source = "key::value::rest";
  EXPECT_EQ(General::TakeLeft(source, "::"), "key");
  EXPECT_EQ(source, "value::rest");

  EXPECT_EQ(General::RtStr("Top;#,##0", ";"), "#,##0");
  EXPECT_EQ(General::RtStr("a;b;c", ";"), "b;c");
  EXPECT_EQ(General::RtStr("abc", ";"), "");
  EXPECT_EQ(General::Value("1:100", ":"), 100);
  EXPECT_EQ(General::Value("1:2.5", ":"), 2.5f);
  EXPECT_EQ(General::Value("100", ":"), 0);
}

TEST_F(GeneralText, NumericIsADigitSignOrPoint) {
  for (const char* c : {"0", "5", "9", "-", "."}) EXPECT_TRUE(General::Numeric(c)) << c;
  for (const char* c : {"a", " ", ",", "+", "", "/", ":"}) EXPECT_FALSE(General::Numeric(c)) << c;
}

TEST_F(GeneralText, MetricLabelsFirstMatchAndCaseSensitive) {
  struct Case {
    const char* label;
    const char* metric;
  };
  const Case cases[] = {
      {"Inch", "cm"},
      {"Sq.In.", "Sq. cm"},
      {"Ft", "M"},
      {"Ft.", "M."},
      {"Ft./Min", "M./Min"},
      {"Sq. Ft.", "Sq. M"},
      {"Cu Ft", "Cu M"},
      {"Cu. Ft.", "Cu. M."},
      {"NM", "Km"},
      {"NM.", "Km."},
      {"Mi", "Km"},
      {"KIAS", "Kph"},
      {"Lbs./SHP", "Kgs./SHP"},
      {"PSI", "bar"},
      {"ft", "ft"},
      {"Knots", "Knots"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(General::MetricString(c.label), c.metric) << c.label;
}

TEST_F(GeneralText, MetricValuesByTheFactorTable) {
  EXPECT_DOUBLE_EQ(General::MetricVal("10", "Inch"), 25.4);
  EXPECT_DOUBLE_EQ(General::MetricVal("1", "SqInch"), 2.54 * 2.54);
  EXPECT_DOUBLE_EQ(General::MetricVal("100", "Ft"), 30.48);
  EXPECT_DOUBLE_EQ(General::MetricVal("1", "CuFt"), 0.3048 * 0.3048 * 0.3048);
  EXPECT_DOUBLE_EQ(General::MetricVal("10", "Mi"), 16.09);
  EXPECT_DOUBLE_EQ(General::MetricVal("100", "KIAS"), 185);
  EXPECT_DOUBLE_EQ(General::MetricVal("12500", "Lbs"), 12500 * 0.4535924);
  EXPECT_DOUBLE_EQ(General::MetricVal("100", "PSI"), 6.895);
  // Units outside the factor table keep the number, whatever their label becomes.
  EXPECT_DOUBLE_EQ(General::MetricVal("450", "NM"), 450);
  EXPECT_DOUBLE_EQ(General::MetricVal("2000", "Ft/Min"), 2000);
  EXPECT_DOUBLE_EQ(General::MetricVal("abc", "Ft"), 0);
}

TEST_F(GeneralText, MetricConvertRewritesEveryNumberInAText) {
  struct Case {
    const char* text;
    const char* unit;
    const char* expected;
  };
  const Case cases[] = {
      {"10 to 20", "Ft", "3.0 to 6.1"},
      {"10-20", "Ft", "3.0"},
      {"1,200", "Ft", ".3,61.0"},
      {"5", "Knots", "5.0"},
      {"12500", "Lb", "5669.9"},
      {"", "Ft", ""},
      {"41000", "Ft", "12496.8"},
      // A run with no digit in it is no number and stays as it is.
      {"-", "Ft", "-"},
      {"10 - 20", "Ft", "3.0 - 6.1"},
      {"Sq. Ft.", "SqFt", "Sq. Ft."},
      {"Yes 1998", "Ft", "Yes 609.0"},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    std::string result = General::MetricConvert(text, c.unit);
    EXPECT_EQ(result, c.expected) << c.text;
    EXPECT_EQ(text, c.expected) << c.text;  // changed in place too
  }
}

TEST_F(GeneralText, DelayLetsTheEventLoopRunUntilTheClockPassesTheTarget) {
  testsupport::FakeClock clock;
  ui::ScopedFakeHooks hooks;
  clock.timer = 500;
  General::Delay(0.05f);
  EXPECT_EQ(hooks.doEvents, 0);  // short waits return at once
  hooks.onDoEvents = [&] { clock.timer += 0.02f; };
  General::Delay(0.1f);
  EXPECT_GT(clock.timer, 500.1f);
  EXPECT_GE(hooks.doEvents, 5);
  EXPECT_LE(hooks.doEvents, 7);
  // Across midnight: the target lies past the end of the day, the clock falls back to 0.
  clock.timer = 86399.95f;
  hooks.onDoEvents = [&] { clock.timer = 0.01f; };
  General::Delay(0.2f);
  EXPECT_EQ(clock.timer, 0.01f);
}

}  // namespace
