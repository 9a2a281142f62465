#pragma once
// The bottom layer of the DXF reader: the bytes as group-code/value tags, the tags gathered into
// objects (a group 0 type and the groups up to the next group 0), and the reading of numbers
// from values with the reader's error convention. Used by the reader's other layers only.
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace dxf::reader {

struct Tag {
  int code = 0;
  std::string_view value;
};

// Raises vb::Error kInvalidFileFormat "Invalid DXF file: <what> (line <n>)".
[[noreturn]] void Broken(const std::string& what, long line);

inline std::string_view TrimBlanks(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

// Splits the bytes into tags. Lines end in LF, CR LF or a stray CR; the code line is trimmed,
// the value line keeps everything but its line end. A code line that is no number raises.
//
// The bytes are either all in memory or read from a file a piece at a time: then the stream
// holds a window of whole lines of the file, and the tags' values point into it. Reading on
// frees what lies before the window's end, except the bytes from Keep() on, which move to the
// front of the buffer (Moved() tells by how much, so that views taken before can follow).
class TagStream {
 public:
  explicit TagStream(std::string_view bytes) : s_(bytes) {}
  // Reads `file` from its current position in pieces of about `pieceBytes`.
  TagStream(std::FILE* file, size_t pieceBytes);

  // The next tag; false at the end of the bytes (blank lines at the end included).
  bool Next(Tag& t) {
    tagStart_ = pos_;
    std::string_view codeLine;
    if (!line(codeLine)) return false;
    std::string_view code = TrimBlanks(codeLine);
    if (code.empty() && restIsBlank()) return false;  // line ends after the last pair
    if (!smallCode(code, t.code)) {
      auto [ptr, ec] = std::from_chars(code.data(), code.data() + code.size(), t.code);
      if (ec != std::errc() || ptr != code.data() + code.size() || code.empty()) badCode(code);
    }
    const uintptr_t moved = moved_;
    if (!line(t.value)) {
      code = Follow(code, moved_ - moved);
      Broken("the file ends after group code " + std::string(code), lineNo_);
    }
    return true;
  }

  // The number of the last line read (1-based).
  long LineNo() const { return lineNo_; }

  // The bytes from `p` (in the current window; nullptr: none) stay readable while reading on.
  void Keep(const char* p) { keep_ = p ? static_cast<size_t>(p - s_.data()) : kNone; }
  // The distance the kept bytes have moved in all, modulo 2^64: a view taken when it was m
  // is Follow(view, Moved() - m) now.
  uintptr_t Moved() const { return moved_; }
  static std::string_view Follow(std::string_view v, uintptr_t by) {
    if (by == 0) return v;
    return {reinterpret_cast<const char*>(reinterpret_cast<uintptr_t>(v.data()) + by), v.size()};
  }

  // A file read in pieces is checked as it is read, window by window, for what ReadDxf checks
  // of the whole bytes first: a NUL byte raises (binary data), and Utf8() tells whether every
  // byte checked so far was UTF-8. CheckRest() reads and checks what the windows have not
  // reached (what follows the EOF object).
  bool Utf8() const { return utf8_; }
  void CheckRest();

 private:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  bool line(std::string_view& out) {
    if (pos_ >= s_.size() && !more()) return false;
    const char* begin = s_.data() + pos_;
    const char* end = s_.data() + s_.size();
    const char* p = begin;
    // Eight bytes at a time: the lowest marked byte of the word is the first line end in it.
    while (end - p >= 8) {
      uint64_t w;
      std::memcpy(&w, p, 8);
      const uint64_t marks = ByteMarks(w, '\n') | ByteMarks(w, '\r');
      if (marks != 0) {
        if constexpr (std::endian::native == std::endian::little) p += std::countr_zero(marks) / 8;
        break;
      }
      p += 8;
    }
    while (p < end && *p != '\n' && *p != '\r') ++p;
    out = std::string_view(begin, static_cast<size_t>(p - begin));
    if (p < end) {
      if (*p == '\r' && p + 1 < end && p[1] == '\n') ++p;
      ++p;
    }
    pos_ = static_cast<size_t>(p - s_.data());
    ++lineNo_;
    return true;
  }
  // The high bit of each byte of w that equals c; bytes above the first such byte may be
  // marked wrongly, the lowest mark is always right.
  static uint64_t ByteMarks(uint64_t w, unsigned char c) {
    const uint64_t x = w ^ (0x0101010101010101ULL * c);
    return (x - 0x0101010101010101ULL) & ~x & 0x8080808080808080ULL;
  }
  // The usual group codes, one to four digits: read without the general parser.
  static bool smallCode(std::string_view s, int& code) {
    if (s.empty() || s.size() > 4) return false;
    int v = 0;
    for (char c : s) {
      if (c < '0' || c > '9') return false;
      v = v * 10 + (c - '0');
    }
    code = v;
    return true;
  }
  // The next window of a file read in pieces; false when the file has no more.
  bool more();
  // Checks the bytes from checked_ to `to`; `more`: bytes follow, so that a UTF-8 character
  // that `to` cuts waits for them.
  void check(size_t to, bool more);
  void read(size_t want);  // appends `want` bytes of the file (fewer at its end) to the buffer
  bool restIsBlank();
  [[noreturn]] void badCode(std::string_view code) const;

  std::string_view s_;  // the bytes, or the window of whole lines of a file read in pieces
  size_t pos_ = 0;
  long lineNo_ = 0;
  // A file read in pieces: buf_ holds have_ bytes, the window and what follows it.
  std::FILE* file_ = nullptr;
  size_t piece_ = 0;
  std::string buf_;
  size_t have_ = 0;
  bool eof_ = false;
  size_t tagStart_ = 0;  // where the tag being read began: kept as well
  size_t keep_ = kNone;
  uintptr_t moved_ = 0;
  size_t checked_ = 0;  // the bytes before were checked
  bool utf8_ = true;
};

// Raises the error of a file that holds binary data (a NUL byte).
[[noreturn]] void BinaryData();

// One object of the file: its group 0 type and the groups up to the next group 0, comments
// (999), application groups ("{NAME" ... "}" under 102) and extended data (1000 and up) left out.
struct Object {
  std::string_view type;
  std::vector<Tag> groups;
  long line = 0;  // the line of the group 0 value

  // The trimmed value of the first group of `code`; empty when there is none.
  std::string_view First(int code) const {
    for (const Tag& t : groups) {
      if (t.code == code) return TrimBlanks(t.value);
    }
    return {};
  }
  bool Has(int code) const {
    for (const Tag& t : groups) {
      if (t.code == code) return true;
    }
    return false;
  }
};

// The file as a sequence of objects, with one object of look-ahead that can be pushed back.
class ObjectStream {
 public:
  // Raises for an empty file and for one that does not start with group 0 or 999.
  explicit ObjectStream(std::string_view bytes);
  // The same over a file read in pieces (see TagStream).
  ObjectStream(std::FILE* file, size_t pieceBytes);

  // Reads the next object into Current(); false at the end of the file. Views into the last
  // object read before stay valid until then.
  bool Next();
  // The next Next() returns the current object again.
  void PushBack() { pushedBack_ = true; }
  const Object& Current() const { return obj_; }
  long LineNo() const { return tags_.LineNo(); }
  // For a file read in pieces: reads what the objects have not reached and tells whether every
  // byte of the file is UTF-8; raises for binary data (see TagStream).
  bool RestIsUtf8() {
    tags_.CheckRest();
    return tags_.Utf8();
  }

 private:
  void start();
  void follow();  // moves the object's views after the bytes they point into

  TagStream tags_;
  Object obj_;
  Tag pending_;
  bool havePending_ = false;
  bool pushedBack_ = false;
  uintptr_t seen_ = 0;  // tags_.Moved() when the object's views were last right
};

// Reads numbers from the values of one object. A value that is not a number raises (naming the
// group, the object type and its line); a number that is not finite (or out of range) reads as
// infinity and sets Bad(), so that the caller can drop what it was building.
class NumberReader {
 public:
  // Starts on an object: later messages name it, and Bad() is cleared.
  void Begin(const Object& o) {
    obj_ = &o;
    bad_ = false;
  }
  double Real(const Tag& t);
  // Integers; a real value ("1.0", as some writers put) is cut to its integer part, and a value
  // beyond the int range is clamped to it.
  int Int(const Tag& t);
  bool Bad() const { return bad_; }
  void ClearBad() { bad_ = false; }

 private:
  [[noreturn]] void notANumber(const Tag& t, std::string_view v) const;
  const Object* obj_ = nullptr;
  bool bad_ = false;
};

}  // namespace dxf::reader
