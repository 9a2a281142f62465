// Numbers at and beyond the edges of every range, as a database column or a hand-edited
// setting may hold them: each gives the text the Windows runtime gives or error 6 (Overflow),
// never a crash or a text of runaway size.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "platform/runtime/Clock.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/Variant.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

template <class F>
long ErrorOf(F&& f) {
  try {
    f();
  } catch (const vb::Error& e) {
    return e.number;
  }
  return 0;
}

TEST(OutOfRange, NumbersWithoutDigitsShowTheWindowsTexts) {
  EXPECT_EQ(vb::NumberText(kInf), "1.#INF");
  EXPECT_EQ(vb::NumberText(-kInf), "-1.#INF");
  EXPECT_EQ(vb::CStr(-std::nan("")), "-1.#IND");
  EXPECT_EQ(vb::CStr(std::nan("")), "1.#QNAN");
  EXPECT_EQ(vb::Variant(kInf).toString(), "1.#INF");
  EXPECT_EQ(vb::Variant(static_cast<float>(-kInf)).toString(), "-1.#INF");
  // Such a text is no number: a number pattern gives it back as it is.
  EXPECT_EQ(vb::Format(vb::NumberText(kInf), "#,##0.0%"), "1.#INF");
  // Texts too large for a double are no numbers either.
  EXPECT_EQ(vb::Format("1E999", "0.00"), "1E999");
  EXPECT_EQ(vb::Val("1E999"), 0);
}

TEST(OutOfRange, PercentOfTheLargestNumbersKeepsTheirDigits) {
  // The percentage shifts the decimal digits: the largest double times 100 is no infinity.
  const std::string percent = vb::Format("1.7976931348623157E308", "0%");
  EXPECT_EQ(percent, "17976931348623200" + std::string(294, '0') + "%");
  EXPECT_EQ(vb::Format("-1.7976931348623157E308", "#,##0.0%").size(), 1 + 311 + 103 + 2 + 1);
  EXPECT_EQ(vb::Format("1E307", "0.0%;(0.0%)"), "1" + std::string(309, '0') + ".0%");
  // Small percentages still round on their decimal digits.
  EXPECT_EQ(vb::Format("0.0115", "0.0%"), "1.2%");
  EXPECT_EQ(vb::Format("0.125", "0%"), "13%");
  EXPECT_EQ(vb::Format("4.9E-324", "0.00%"), "0.00%");
}

TEST(OutOfRange, DatesOutsideTheirRangeOverflow) {
  const double cases[] = {1e19, -1e19, 9.3e18, 2958466, -657435, kInf, -kInf, std::nan("")};
  for (double date : cases) {
    EXPECT_EQ(ErrorOf([&] { vb::PartsOfDate(date); }), vb::err::Overflow) << date;
    EXPECT_EQ(ErrorOf([&] { vb::FormatDatePattern(date, "MM/dd/yyyy"); }), vb::err::Overflow);
    EXPECT_EQ(ErrorOf([&] { vb::GeneralDate(date); }), vb::err::Overflow);
    EXPECT_EQ(ErrorOf([&] { vb::Variant::Date(date).toString(); }), vb::err::Overflow);
  }
  EXPECT_EQ(ErrorOf([] { vb::Format("1E19", "dd/mm/yy"); }), vb::err::Overflow);
  EXPECT_EQ(ErrorOf([] { vb::Format("-9223372036854775809", "mm/dd/yyyy"); }), vb::err::Overflow);
  // The first and the last second of the range are dates.
  EXPECT_EQ(vb::FormatDatePattern(vb::kFirstDate, "M/d/yyyy"), "1/1/0100");
  EXPECT_EQ(vb::GeneralDate(vb::kLastDate + 86399 / 86400.0), "12/31/9999 11:59:59 PM");
  EXPECT_EQ(vb::Format("2958465", "mm/dd/yyyy"), "12/31/9999");
}

TEST(OutOfRange, ConversionsOverflowInsteadOfWrapping) {
  for (double value : {kInf, -kInf, std::nan(""), 1e19, -9.3e18}) {
    EXPECT_EQ(ErrorOf([&] { vb::CInt(value); }), vb::err::Overflow) << value;
    EXPECT_EQ(ErrorOf([&] { vb::CLng(value); }), vb::err::Overflow) << value;
    EXPECT_EQ(ErrorOf([&] { vb::CByte(value); }), vb::err::Overflow) << value;
    EXPECT_EQ(ErrorOf([&] { vb::Variant::Currency(value); }), vb::err::Overflow) << value;
  }
  EXPECT_EQ(ErrorOf([] { vb::CSng(DBL_MAX); }), vb::err::Overflow);
  EXPECT_EQ(ErrorOf([] { vb::Variant(1e300).toSingle(); }), vb::err::Overflow);
}

}  // namespace
