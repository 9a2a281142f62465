// Module General: number text with its rounding rule, texts cut at a separator, metric units
// and the wait that lets the event loop run.
#include <chrono>
#include <cmath>
#include <thread>

#include "foundation/General.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/Strings.h"
#include "platform/runtime/Trap.h"
#include "platform/ui/Hooks.h"

namespace General {

namespace {

constexpr std::string_view kModule = "General";

struct LabelPair {
  std::string_view imperial, metric;
};

// Unit labels, tried in this order; the first match wins.
constexpr LabelPair kLabels[] = {
    {"Inch", "cm"},
    {"SqInch", "Sq. cm"},
    {"Sq.In.", "Sq. cm"},
    {"Ft", "M"},
    {"Ft.", "M."},
    {"Ft/Min", "M/Min"},
    {"Ft./Min", "M./Min"},
    {"Sq.Ft.", "Sq. M"},
    {"Sq. Ft.", "Sq. M"},
    {"Sq.Ft", "Sq. M"},
    {"SqFt", "Sq. M"},
    {"CuFt", "Cu. M"},
    {"Cu Ft", "Cu M"},
    {"Cu.Ft.", "Cu. M."},
    {"Cu. Ft.", "Cu. M."},
    {"Mi.", "Km."},
    {"NM", "Km"},
    {"NM.", "Km."},
    {"Mi", "Km"},
    {"KIAS", "Kph"},
    {"Lb", "Kg"},
    {"Lb.", "Kg."},
    {"Lbs", "Kgs"},
    {"Lbs/SHP", "Kgs/SHP"},
    {"Lbs./SHP", "Kgs./SHP"},
    {"PSI", "bar"},
};

}  // namespace

std::string Strng(double value, long decimals) {
  vb::Proc g(kModule, "Strng");
  std::string text;
  g.step([&] {
    double scale = decimals >= 0 && decimals <= 5 ? std::pow(10.0, decimals) : 1000000.0;
    // Halves go away from zero; the product is formed in binary first, so a value whose
    // product falls just below a half (1.005 at 2 decimals) rounds down.
    double rounded = std::trunc(value * scale + 0.5 * vb::Sgn(value)) / scale;
    text = vb::NumberText(rounded);
  });
  return text;
}

std::string FixStr(double value, long decimals) {
  vb::Proc g(kModule, "FixStr");
  std::string text;
  g.step([&] {
    std::string t = Strng(value, decimals);
    if (vb::InStr(t, ".") == 0) t += ".";
    while (static_cast<long>(t.size()) < vb::InStr(t, ".") + decimals) t += "0";
    text = t;
  });
  return text;
}

std::string Stn(double value, long width) {
  vb::Proc g(kModule, "Stn");
  std::string text;
  g.step([&] {
    std::string t = Strng(vb::CSng(value), 2);
    while (static_cast<long>(t.size()) < width) t = "0" + t;
    text = t;
  });
  return text;
}

std::string RtStr(std::string_view text, std::string_view separator) {
  vb::Proc g(kModule, "RtStr");
  std::string result;
  g.step([&] {
    long at = vb::InStr(text, separator);
    result = at ? vb::Mid(text, at + static_cast<long>(separator.size())) : std::string();
  });
  return result;
}

std::string TakeLeft(std::string& source, std::string_view separator) {
  vb::Proc g(kModule, "TakeLeft");
  std::string left;
  g.step([&] {
    long at = vb::InStr(source, separator);
    if (at == 0) {
      left = source;
      source.clear();
    } else {
      left = vb::Left(source, at - 1);
      source = vb::Mid(source, at + static_cast<long>(separator.size()));
    }
  });
  return left;
}

float Value(std::string_view text, std::string_view separator) {
  vb::Proc g(kModule, "Value");
  float value = 0;
  g.step([&] {
    long at = vb::InStr(text, separator);
    value = at ? vb::CSng(vb::Val(vb::Mid(text, at + static_cast<long>(separator.size())))) : 0;
  });
  return value;
}

bool Numeric(std::string_view character) {
  vb::Proc g(kModule, "Numeric");
  bool result = false;
  // Text order, as the original compare did: "0" <= c <= "9", or a sign or a point.
  g.step([&] {
    result = (character >= "0" && character <= "9") || character == "-" || character == ".";
  });
  return result;
}

std::string MetricString(std::string_view label) {
  vb::Proc g(kModule, "MetricString");
  std::string result(label);
  g.step([&] {
    for (const LabelPair& pair : kLabels) {
      if (pair.imperial == label) {
        result = pair.metric;
        break;
      }
    }
  });
  return result;
}

double MetricVal(std::string_view value, std::string_view unit) {
  vb::Proc g(kModule, "MetricVal");
  double result = 0;
  g.step([&] {
    double v = vb::Val(value);
    if (unit == "Inch")
      v = v * 2.54;
    else if (unit == "SqInch")
      v = v * 2.54 * 2.54;
    else if (unit == "Ft")
      v = v * 0.3048;
    else if (unit == "SqFt")
      v = v * 0.3048 * 0.3048;
    else if (unit == "CuFt")
      v = v * 0.3048 * 0.3048 * 0.3048;
    else if (unit == "Mi")
      v = v * 1.609;
    else if (unit == "KIAS")
      v = v * 1.85;
    else if (unit == "Lb" || unit == "Lbs")
      v = v * 0.4535924;
    else if (unit == "PSI")
      v = v * 0.06895;
    result = v;
  });
  return result;
}

std::string MetricConvert(std::string& text, std::string_view unit) {
  vb::Proc g(kModule, "MetricConvert");
  g.step([&] {
    std::string t = text;
    auto numericAt = [&](size_t i) { return i < t.size() && Numeric(t.substr(i, 1)); };
    // Positions are 0-based here. Each run of digits, "-" and "." becomes its converted number
    // with one decimal; the character after a run is skipped, as it cannot be numeric.
    for (size_t i = 0; i < t.size(); ++i) {
      if (!numericAt(i)) continue;
      size_t j = i;
      while (numericAt(j + 1)) ++j;
      std::string run = t.substr(i, j - i + 1);
      // A run without a digit ("-", " - ", the points of "Sq. Ft.") is no number: it stays.
      if (run.find_first_of("0123456789") == std::string::npos) {
        i = j + 1;
        continue;
      }
      std::string converted = FixStr(MetricVal(run, unit), 1);
      t = t.substr(0, i) + converted + t.substr(j + 1);
      i += converted.size();
    }
    text = t;
  });
  return text;
}

void Delay(float seconds) {
  vb::Proc g(kModule, "Delay");
  g.step([&] {
    if (seconds <= 0.055f) return;
    const float target = vb::Timer() + seconds;
    // Events run while waiting, so a handler may come back in here; a short sleep between
    // passes keeps the wait from spinning the processor (none once the time is up).
    for (;;) {
      ui::Current().DoEvents();
      if (TimerExpired(target)) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
}

}  // namespace General
