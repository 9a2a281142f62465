// The runtime's number and date texts: Format over a text and a pattern of any bytes, Val and
// the number and date recognition over the text, and the number and date conversions over any
// double (infinities, NaNs and numbers far out of every range included). A run-time error
// (vb::Error, e.g. 6 Overflow) is an answer; anything else (a sanitizer report, another
// exception, a text of runaway size) is a finding.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/Variant.h"

namespace {

using fuzzsupport::Check;

// Runs `step`; a run-time error is a valid outcome.
template <class F>
void Try(F&& step) {
  try {
    step();
  } catch (const vb::Error&) {
  }
}

void CheckText(const std::string& text, size_t inputSize) {
  Check(text.size() <= 4 * inputSize + 400, "a formatted text stays near the size of its input");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  double number = 0;
  const std::vector<uint8_t> raw = in.ConsumeBytes<uint8_t>(sizeof number);
  if (!raw.empty()) std::memcpy(&number, raw.data(), raw.size());
  const std::string pattern = in.ConsumeRandomLengthString(64);
  const std::string text = in.ConsumeRemainingBytesAsString();
  const size_t inputSize = text.size() + pattern.size();

  Try([&] { CheckText(vb::Format(text, pattern), inputSize); });
  Try([&] { CheckText(vb::Format(vb::NumberText(number), pattern), inputSize); });
  Try([&] { CheckText(vb::FormatDatePattern(number, pattern), inputSize); });

  Try([&] { (void)vb::Val(text); });
  Try([&] {
    double value = 0;
    if (vb::TryParseNumber(text, value)) (void)vb::Format(text, pattern);
  });
  Try([&] {
    double date = 0;
    if (vb::TryParseDate(text, date)) (void)vb::GeneralDate(date);
  });

  Try([&] {
    const std::string plain = vb::NumberText(number);
    // The plain text of a number reads back as that number, to 15 significant digits.
    if (std::isfinite(number) && std::fabs(number) > 1e-300 && std::fabs(number) < 1e300) {
      const double back = vb::Val(plain);
      Check(std::fabs(back - number) <= 1e-14 * std::fabs(number),
            "the text of a number reads back as the number");
    }
  });
  Try([&] { (void)vb::CStr(number, 7); });
  Try([&] { (void)vb::GeneralDate(number); });
  Try([&] { (void)vb::PartsOfDate(number); });
  Try([&] { (void)vb::CInt(number); });
  Try([&] { (void)vb::CLng(number); });
  Try([&] { (void)vb::CByte(number); });
  Try([&] { (void)vb::CSng(number); });
  Try([&] { (void)vb::Fix(number); });
  Try([&] { (void)vb::Divide(number, vb::Val(text)); });
  Try([&] { (void)vb::Variant::Date(number).toString(); });
  Try([&] { (void)vb::Variant::Currency(number).toString(); });
  Try([&] { (void)vb::Variant(static_cast<float>(number)).toString(); });
  Try([&] { (void)vb::Variant(text).toDate(); });
  Try([&] { (void)vb::Variant(text).toLong(); });
  return 0;
}
