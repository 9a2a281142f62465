#include "platform/dxf/TextDecode.h"

#include <cstdint>
#include <cstring>

namespace dxf {

namespace {

// Windows-1252 code points of the bytes 0x80-0x9F (0 where the code page has none).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool IsValidUtf8(std::string_view s) {
  size_t i = 0, n = s.size();
  while (i < n) {
    // Runs of ASCII eight bytes at a time.
    while (i + 8 <= n) {
      uint64_t word;
      std::memcpy(&word, s.data() + i, 8);
      if (word & 0x8080808080808080ULL) break;
      i += 8;
    }
    if (i >= n) break;
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    int len = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (len == 0 || c == 0xC0 || c == 0xC1 || i + len > n) return false;
    for (int k = 1; k < len; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += static_cast<size_t>(len);
  }
  return true;
}

std::string DecodeText(std::string_view raw, bool utf8) {
  // Fast path: plain ASCII with no control sequences.
  bool plain = true;
  for (char c : raw) {
    if (c == '%' || c == '\\' || static_cast<unsigned char>(c) >= 0x80) {
      plain = false;
      break;
    }
  }
  if (plain) return std::string(raw);
  std::string out;
  out.reserve(raw.size() + 8);
  size_t i = 0, n = raw.size();
  while (i < n) {
    char c = raw[i];
    if (c == '%' && i + 2 < n && raw[i + 1] == '%') {
      char k = raw[i + 2];
      switch (k) {
        case 'd':
        case 'D':
          AppendUtf8(out, 0x00B0);
          i += 3;
          continue;
        case 'c':
        case 'C':
          AppendUtf8(out, 0x2300);
          i += 3;
          continue;
        case 'p':
        case 'P':
          AppendUtf8(out, 0x00B1);
          i += 3;
          continue;
        case '%':
          out += '%';
          i += 3;
          continue;
        case 'u':
        case 'U':
        case 'o':
        case 'O':
          i += 3;
          continue;
        default:
          break;
      }
      if (k >= '0' && k <= '9' && i + 4 < n && raw[i + 3] >= '0' && raw[i + 3] <= '9' &&
          raw[i + 4] >= '0' && raw[i + 4] <= '9') {
        int code = (k - '0') * 100 + (raw[i + 3] - '0') * 10 + (raw[i + 4] - '0');
        if (code >= 0x80 && code < 0xA0) {
          char16_t cp = kCp1252High[code - 0x80];
          if (cp) AppendUtf8(out, cp);
        } else if (code > 0 && code < 256) {
          AppendUtf8(out, static_cast<char32_t>(code));
        }
        i += 5;
        continue;
      }
    }
    if (c == '\\' && i + 6 < n && (raw[i + 1] == 'U' || raw[i + 1] == 'u') && raw[i + 2] == '+') {
      char32_t cp = 0;
      bool ok = true;
      for (int k = 0; k < 4; ++k) {
        int h = HexDigit(raw[i + 3 + static_cast<size_t>(k)]);
        if (h < 0) ok = false;
        cp = cp * 16 + static_cast<char32_t>(h < 0 ? 0 : h);
      }
      if (ok) {
        if (cp != 0) AppendUtf8(out, cp);  // a NUL would make the text binary
        i += 7;
        continue;
      }
    }
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 0x80 && !utf8) {
      if (u < 0xA0) {
        char16_t cp = kCp1252High[u - 0x80];
        if (cp) AppendUtf8(out, cp);
      } else {
        AppendUtf8(out, u);
      }
      ++i;
      continue;
    }
    out += c;
    ++i;
  }
  return out;
}

}  // namespace dxf
