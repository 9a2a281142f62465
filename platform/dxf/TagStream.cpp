#include "platform/dxf/TagStream.h"

#include <algorithm>
#include <cmath>

#include "platform/dxf/Reader.h"
#include "platform/dxf/TextDecode.h"
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

TagStream::TagStream(std::FILE* file, size_t pieceBytes)
    : file_(file), piece_(pieceBytes > 0 ? pieceBytes : 1) {
  more();
}

void BinaryData() {
  vb::Raise(kInvalidFileFormat, "Invalid DXF file: the file holds binary data");
}

namespace {

// The length of the start of `s` that ends between characters: the bytes of a UTF-8 character
// that the end of `s` cuts wait for the next piece.
size_t WholeUtf8(std::string_view s) {
  const size_t n = s.size();
  for (size_t k = 1; k <= 3 && k <= n; ++k) {
    const auto c = static_cast<unsigned char>(s[n - k]);
    if ((c & 0xC0) == 0x80) continue;  // a continuation byte: its lead is further back
    const size_t len = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
    return len > k ? n - k : n;
  }
  return n;
}

}  // namespace

void TagStream::check(size_t to, bool more) {
  const std::string_view v(buf_.data() + checked_, to - checked_);
  if (v.find('\0') != std::string_view::npos) BinaryData();
  // A window ends after a line end, which no character spans: only the bytes after the last
  // window may cut one.
  const size_t whole = more ? WholeUtf8(v) : v.size();
  utf8_ = utf8_ && IsValidUtf8(v.substr(0, whole));
  checked_ += whole;
}

void TagStream::read(size_t want) {
  if (buf_.size() - have_ < want) buf_.resize(std::max(buf_.size() * 2, have_ + want));
  const size_t n = std::fread(buf_.data() + have_, 1, want, file_);
  have_ += n;
  if (n < want) {
    if (std::ferror(file_)) vb::Raise(vb::err::PathFileAccess, "Path/File access error");
    eof_ = true;
  }
}

bool TagStream::more() {
  if (!file_) return false;
  // What the window has been read up to is done with, but for the kept bytes and the tag
  // being read: they move to the front, the bytes after the window with them.
  size_t from = std::min(pos_, tagStart_);
  if (keep_ != kNone) from = std::min(from, keep_);
  const char* before = buf_.data() + from;
  if (from > 0) std::memmove(buf_.data(), before, have_ - from);
  have_ -= from, pos_ -= from, tagStart_ -= from, checked_ -= from;
  if (keep_ != kNone) keep_ -= from;
  size_t end = pos_;
  size_t scanFrom = pos_;  // the bytes before hold no line end that can end a window
  while (true) {
    // A window ends after the last line end read: an LF, or a CR that the next byte read shows
    // is no CR LF. At the end of the file it ends there.
    for (size_t i = have_; i > scanFrom; --i) {
      if (buf_[i - 1] == '\n') {
        end = i;
        break;
      }
    }
    for (size_t i = have_ > 0 ? have_ - 1 : 0; end == pos_ && i > scanFrom; --i) {
      if (buf_[i - 1] == '\r') end = i;
    }
    if (eof_) end = have_;
    if (end > pos_ || eof_) break;
    // No whole line yet: read on, into a larger buffer when this one is full.
    scanFrom = std::max(pos_, have_ > 0 ? have_ - 1 : 0);
    // An object or a line longer than a piece is read on in ever larger pieces, so that it is
    // moved and followed only a few times.
    read(std::max(piece_, pos_));
  }
  // The kept bytes are where they were, less `from`, in a buffer that may have moved.
  moved_ += reinterpret_cast<uintptr_t>(buf_.data()) - reinterpret_cast<uintptr_t>(before);
  if (end > checked_) check(end, false);
  s_ = std::string_view(buf_.data(), end);
  return end > pos_;
}

void TagStream::CheckRest() {
  if (!file_) return;
  while (true) {
    check(have_, !eof_);
    if (eof_) return;
    // Nothing read is needed any more: only what waits to be checked stays.
    std::memmove(buf_.data(), buf_.data() + checked_, have_ - checked_);
    have_ -= checked_;
    checked_ = pos_ = tagStart_ = 0;
    keep_ = kNone;
    s_ = {};
    read(piece_);
  }
}

bool TagStream::restIsBlank() {
  while (true) {
    for (size_t i = pos_; i < s_.size(); ++i) {
      char c = s_[i];
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
    }
    pos_ = s_.size();
    if (!more()) return true;
  }
}

void TagStream::badCode(std::string_view code) const {
  Broken("group code expected, found \"" + Printable(code) + "\"", lineNo_);
}

ObjectStream::ObjectStream(std::string_view bytes) : tags_(bytes) { start(); }

ObjectStream::ObjectStream(std::FILE* file, size_t pieceBytes) : tags_(file, pieceBytes) {
  start();
}

void ObjectStream::start() {
  if (!tags_.Next(pending_)) Broken("the file is empty", 0);
  havePending_ = true;
  if (pending_.code != 0 && pending_.code != 999) {
    Broken("a DXF file starts with group 0 or 999", tags_.LineNo());
  }
  tags_.Keep(pending_.value.data());
  seen_ = tags_.Moved();
}

void ObjectStream::follow() {
  const uintptr_t by = tags_.Moved() - seen_;
  obj_.type = TagStream::Follow(obj_.type, by);
  for (Tag& g : obj_.groups) g.value = TagStream::Follow(g.value, by);
  seen_ = tags_.Moved();
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
      t = pending_;  // read with no read since: its bytes are where they were
      havePending_ = false;
    } else {
      tags_.Keep(nullptr);
      if (!tags_.Next(t)) return false;
    }
    if (t.code == 0) break;
  }
  obj_.type = TrimBlanks(t.value);
  obj_.line = tags_.LineNo();
  tags_.Keep(t.value.data());
  seen_ = tags_.Moved();
  int skipDepth = 0;
  while (tags_.Next(t)) {
    if (tags_.Moved() != seen_) follow();
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
  if (tags_.Moved() != seen_) follow();
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
