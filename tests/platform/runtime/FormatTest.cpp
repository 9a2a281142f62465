#include <gtest/gtest.h>

#include "platform/runtime/Clock.h"
#include "platform/runtime/Format.h"

namespace {

struct Case {
  const char* text;
  const char* pattern;
  const char* expected;
};

TEST(Format, NumberPatternsInEnglishUnitedStates) {
  const Case cases[] = {
      {"12500", "#,##0", "12,500"},
      {"5669.9", "#,##0", "5,670"},
      {"0", "#,##0", "0"},
      {"0", "#,##0.0", "0.0"},
      {"0.4", "#0%", "40%"},
      {"-1234.5", "$#,##0.00", "-$1,234.50"},
      {"1234.5", "$#,##0.00", "$1,234.50"},
      {".5", "#,###.00", ".50"},
      {"8.6", "#,###.0", "8.6"},
      {"1234567.25", "#,##0.0", "1,234,567.3"},
      {"2.5", "#,##0", "3"},
      {"-2.5", "#,##0", "-3"},
      {"0.125", "0.00", "0.13"},
      {"1.005", "0.00", "1.01"},  // decimal rounding, not binary
      {"999.96", "#,##0.0", "1,000.0"},
      {"5", "00#", "005"},
      {"1.5", "0.0#", "1.5"},
      {"1.25", "0.0#", "1.25"},
      {"-0.004", "#,##0.00", "0.00"},
      {"41000", "#,##0 ft", "41,000 ft"},
      {"7", "\"No. \"0", "No. 7"},
      {"-3", "0;(0)", "(3)"},
      {"0", "0;(0);\"none\"", "none"},
      {"1,200", "#,##0", "1,200"},
      {"12", "#,###", "12"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(vb::Format(c.text, c.pattern), c.expected) << c.text << " " << c.pattern;
}

TEST(Format, TextThatIsNoNumberComesBackUnchanged) {
  for (const char* text : {"Yes 1998", " ", "-", "?Col", "6.5 x 3.2", "", "[WtBow]"}) {
    EXPECT_EQ(vb::Format(text, "#,##0"), text);
    EXPECT_EQ(vb::Format(text, "mm/dd/yy"), text);
  }
}

TEST(Format, DatePatterns) {
  EXPECT_EQ(vb::Format("3/15/1998", "mm/dd/yy"), "03/15/98");
  EXPECT_EQ(vb::Format("12/10/2025 8:34:12 AM", "mm/dd/yy"), "12/10/25");
  EXPECT_EQ(vb::Format("12/10/2025 8:34:12 PM", "m/d/yyyy hh:mm"), "12/10/2025 20:34");
  EXPECT_EQ(vb::Format("12/10/2025 8:04:12 PM", "h:nn AM/PM"), "8:04 PM");
  EXPECT_EQ(vb::Format("1998", "mm/dd/yy"), "06/20/05");  // a number is a date serial
}

// The fields of a date by one letter and by two, in both pattern forms: Format's (m is minutes
// after an hour, n minutes, the hour of 12 only with AM/PM) and the runtime's own.
TEST(Format, DateFieldsInBothPatternForms) {
  const double date = vb::DateFromParts({2003, 1, 2, 0, 5, 9});
  EXPECT_EQ(vb::Format("1/2/2003 12:05:09 AM", "d-m-y h:n:s AM/PM"), "2-1-03 12:5:9 AM");
  EXPECT_EQ(vb::Format("1/2/2003 12:05:09 AM", "dd-mm-yyyy hh:mm:ss"), "02-01-2003 00:05:09");
  EXPECT_EQ(vb::FormatDatePattern(date, "d-M-y h:m:s tt"), "2-1-03 12:5:9 AM");
  EXPECT_EQ(vb::FormatDatePattern(date, "dd-MM-yyyy HH:mm:ss"), "02-01-2003 00:05:09");
  EXPECT_EQ(vb::FormatDatePattern(vb::DateFromParts({2003, 1, 2, 13, 0, 0}), "hh HHH yyy"),
            "01 13 2003");
}

TEST(Format, LocaleAppliesToTheOutputOnly) {
  vb::NumberForms saved = vb::CurrentNumberForms();
  vb::CurrentNumberForms().decimal = ",";
  vb::CurrentNumberForms().group = ".";
  vb::CurrentNumberForms().dateSeparator = ".";
  EXPECT_EQ(vb::Format("12500.5", "#,##0.0"), "12.500,5");
  EXPECT_EQ(vb::Format("3/15/1998", "mm/dd/yy"), "03.15.98");
  vb::CurrentNumberForms() = saved;
}

}  // namespace
