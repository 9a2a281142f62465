#include <gtest/gtest.h>

#include "platform/runtime/Clock.h"
#include "support/TestSupport.h"

namespace {

TEST(Dates, OleDatesRoundTrip) {
  vb::DateTimeParts p{2025, 12, 10, 8, 34, 12};
  double d = vb::DateFromParts(p);
  EXPECT_NEAR(d, 46001 + (8 * 3600 + 34 * 60 + 12) / 86400.0, 1e-9);
  vb::DateTimeParts back = vb::PartsOfDate(d);
  EXPECT_EQ(back.year, 2025);
  EXPECT_EQ(back.month, 12);
  EXPECT_EQ(back.day, 10);
  EXPECT_EQ(back.hour, 8);
  EXPECT_EQ(back.minute, 34);
  EXPECT_EQ(back.second, 12);
  EXPECT_EQ(vb::DateFromParts({1899, 12, 30, 0, 0, 0}), 0);
  EXPECT_EQ(vb::DateFromParts({1980, 1, 1, 0, 0, 0}), 29221);
  // Before the epoch the time of day still counts forward: -1.25 is 12/29/1899 6:00 AM.
  vb::DateTimeParts early = vb::PartsOfDate(-1.25);
  EXPECT_EQ(early.day, 29);
  EXPECT_EQ(early.hour, 6);
  EXPECT_EQ(vb::DateFromParts(early), -1.25);
  // A time that rounds up to midnight moves to the next day.
  vb::DateTimeParts carry = vb::PartsOfDate(46001.999999999);
  EXPECT_EQ(carry.day, 11);
  EXPECT_EQ(carry.hour, 0);
}

TEST(Dates, GeneralDateTextInEnglishUnitedStates) {
  EXPECT_EQ(vb::GeneralDate(vb::DateFromParts({2025, 12, 10, 8, 34, 12})), "12/10/2025 8:34:12 AM");
  EXPECT_EQ(vb::GeneralDate(vb::DateFromParts({2025, 3, 5, 15, 4, 5})), "3/5/2025 3:04:05 PM");
  EXPECT_EQ(vb::GeneralDate(vb::DateFromParts({1980, 1, 1, 0, 0, 0})), "1/1/1980");
  EXPECT_EQ(vb::GeneralDate(0.5), "12:00:00 PM");
  EXPECT_EQ(vb::FormatDatePattern(vb::DateFromParts({1998, 3, 15, 0, 0, 0}), "mm/dd/yy HH"),
            "00/15/98 00");
  EXPECT_EQ(vb::FormatDatePattern(vb::DateFromParts({1998, 3, 15, 0, 0, 0}), "MM/dd/yy"),
            "03/15/98");
}

TEST(Clock, CanBeReplacedForTests) {
  {
    testsupport::FakeClock clock;
    clock.timer = 123.5f;
    clock.now = 46001.25;
    EXPECT_EQ(vb::Timer(), 123.5f);
    EXPECT_EQ(vb::Now(), 46001.25);
  }
  float t = vb::Timer();
  EXPECT_GE(t, 0);
  EXPECT_LT(t, 86400.5f);
  EXPECT_GT(vb::Now(), 46000);
}

}  // namespace
