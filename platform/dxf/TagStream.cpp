#include "platform/dxf/TagStream.h"

#include <cmath>

#include "platform/dxf/Reader.h"
#include "platform/runtime/Error.h"

namespace dxf::reader {

namespace {

std::string Printable(std::string_view s) {
  std::string out;
  for (char c : s.substr(0, 40)) {
    unsigned char u = static_cast<unsigned char>(c);
    out += (u >= 32 && u < 127) ? c : '?';
  }
  return out;
}

}  // namespace

void Broken(const std::string& what, long line) {
  vb::Raise(kInvalidFileFormat,
            "Invalid DXF file: " + what + (line > 0 ? " (line " + std::to_string(line) + ")" : ""));
}

bool TagStream::restIsBlank() const {
  for (size_t i = pos_; i < s_.size(); ++i) {
    char c = s_[i];
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
  }
  return true;
}

void TagStream::badCode(std::string_view code) const {
  Broken("group code expected, found \"" + Printable(code) + "\"", lineNo_);
}

ObjectStream::ObjectStream(std::string_view bytes) : tags_(bytes) {
  if (!tags_.Next(pending_)) Broken("the file is empty", 0);
  havePending_ = true;
  if (pending_.code != 0 && pending_.code != 999) {
    Broken("a DXF file starts with group 0 or 999", tags_.LineNo());
  }
}

bool ObjectStream::Next() {
  if (pushedBack_) {
    pushedBack_ = false;
    return true;
  }
  obj_.groups.clear();
  Tag t;
  // Skip comments (999) and anything before the first group 0.
  while (true) {
    if (havePending_) {
      t = pending_;
      havePending_ = false;
    } else if (!tags_.Next(t)) {
      return false;
    }
    if (t.code == 0) break;
  }
  obj_.type = TrimBlanks(t.value);
  obj_.line = tags_.LineNo();
  int skipDepth = 0;
  while (tags_.Next(t)) {
    if (t.code == 0) {
      pending_ = t;
      havePending_ = true;
      break;
    }
    if (t.code == 999) continue;
    if (t.code == 102) {  // application groups "{NAME" ... "}"
      std::string_view v = TrimBlanks(t.value);
      if (!v.empty() && v.front() == '{') ++skipDepth;
      if (!v.empty() && v.front() == '}' && skipDepth > 0) --skipDepth;
      continue;
    }
    if (skipDepth > 0 || t.code >= 1000) continue;
    obj_.groups.push_back(t);
  }
  return true;
}

namespace {

// Exact powers of ten as doubles.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common "-123.456" form read directly: significant digits that fit 2^53 and at most 22
// after the point give an exact integer divided once by an exact power of ten, which rounds
// correctly: the same value as the general parser. Zeros that end the fraction count for
// nothing ("2.500000000000000" is 25 / 10). False for anything else (exponents, long digit
// runs), left to the general parser.
bool PlainDecimal(std::string_view v, double& out) {
  const char* p = v.data();
  const char* end = p + v.size();
  bool negative = false;
  if (p < end && *p == '-') negative = true, ++p;
  uint64_t mantissa = 0;
  int digits = 0, fraction = 0, zeros = 0;
  bool point = false, any = false;
  // Takes the zeros held back into the mantissa.
  auto flush = [&] {
    if (zeros == 0) return true;
    if ((digits += zeros) > 15) return false;
    for (; zeros > 0; --zeros) {
      mantissa *= 10;
      if (point) ++fraction;
    }
    return true;
  };
  for (; p < end; ++p) {
    const char c = *p;
    if (c >= '0' && c <= '9') {
      any = true;
      if (c == '0') {
        if (mantissa != 0)
          ++zeros;
        else if (point)
          ++fraction;  // leading zeros of the fraction only scale
        continue;
      }
      if (!flush() || ++digits > 15) return false;
      mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
      if (point) ++fraction;
    } else if (c == '.' && !point) {
      if (!flush()) return false;
      point = true;
    } else {
      return false;
    }
  }
  if (!any || (!point && !flush())) return false;
  if (fraction > 22) return false;
  const double d = static_cast<double>(mantissa) / kPow10[fraction];
  out = negative ? -d : d;
  return true;
}

}  // namespace

double NumberReader::Real(const Tag& t) {
  std::string_view v = TrimBlanks(t.value);
  if (!v.empty() && v.front() == '+') v.remove_prefix(1);
  double d = 0;
  if (PlainDecimal(v, d)) return d;
  auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), d);
  if (ptr != v.data() + v.size() || v.empty() ||
      (ec != std::errc() && ec != std::errc::result_out_of_range)) {
    notANumber(t, v);
  }
  if (ec == std::errc::result_out_of_range) d = HUGE_VAL;
  if (!std::isfinite(d)) bad_ = true;
  return d;
}

int NumberReader::Int(const Tag& t) {
  std::string_view v = TrimBlanks(t.value);
  if (!v.empty() && v.front() == '+') v.remove_prefix(1);
  long long i = 0;
  auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), i);
  if (ec == std::errc() && ptr == v.data() + v.size() && !v.empty()) {
    if (i > 2147483647LL || i < -2147483647LL) return i > 0 ? 2147483647 : -2147483647;
    return static_cast<int>(i);
  }
  double d = Real(t);  // some writers put "1.0" in integer groups
  if (!std::isfinite(d) || std::fabs(d) > 2e9) return 0;
  return static_cast<int>(d);
}

void NumberReader::notANumber(const Tag& t, std::string_view v) const {
  std::string type = obj_ ? std::string(obj_->type) : std::string();
  Broken("group " + std::to_string(t.code) + " of the " + type + " holds \"" +
             std::string(v.substr(0, 40)) + "\", not a number",
         obj_ ? obj_->line : 0);
}

}  // namespace dxf::reader
