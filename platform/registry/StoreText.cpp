// The text form of the registry store, written by hand: it must keep every value's type and
// exact bytes, and stay readable and editable in a text editor (see WinReg.h for the format).
#include "platform/registry/StoreText.h"

#include <charconv>

#include "platform/runtime/Strings.h"

namespace reg::detail {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr char kHexDigits[] = "0123456789abcdef";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

void SkipBlanks(std::string_view& s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Takes a case-insensitive prefix off `s` when it is there.
bool TakePrefix(std::string_view& s, std::string_view prefix) {
  if (s.size() < prefix.size() || !vb::EqualsNoCase(s.substr(0, prefix.size()), prefix))
    return false;
  s.remove_prefix(prefix.size());
  return true;
}

// --- Writing ---

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\0':
        out += "\\0";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          out += "\\x";
          out += kHexDigits[byte >> 4];
          out += kHexDigits[byte & 15];
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

void AppendHexBytes(std::string& out, std::string_view data) {
  for (std::size_t i = 0; i < data.size(); ++i) {
    const auto byte = static_cast<unsigned char>(data[i]);
    if (i > 0) out += ',';
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 15];
  }
}

void AppendValue(std::string& out, const Value& value) {
  AppendQuoted(out, value.name);
  out += '=';
  const std::string_view data = value.data;
  const bool text = !data.empty() && data.back() == '\0';
  if (text && value.type == 1) {
    AppendQuoted(out, data.substr(0, data.size() - 1));
  } else if (text && value.type == 2) {
    out += "expand:";
    AppendQuoted(out, data.substr(0, data.size() - 1));
  } else if (text && value.type == 7) {
    out += "multi:";
    AppendQuoted(out, data.substr(0, data.size() - 1));
  } else if (value.type == 4 && data.size() == 4) {
    uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(data[i]);
    char digits[9];
    for (int i = 7; i >= 0; --i, number >>= 4) digits[i] = kHexDigits[number & 15];
    digits[8] = '\0';
    out += "dword:";
    out += digits;
  } else if (value.type == 3) {
    out += "hex:";
    AppendHexBytes(out, data);
  } else {
    out += "hex(" + std::to_string(value.type) + "):";
    AppendHexBytes(out, data);
  }
  out += '\n';
}

void AppendKey(std::string& out, const Key& key, const std::string& path, bool isRoot) {
  // The root section is written only when the root holds values of its own.
  if (!isRoot || !key.values.empty()) {
    out += "\n[" + path + "]\n";
    for (const Value& value : key.values) AppendValue(out, value);
  }
  for (const Key& sub : key.subkeys) AppendKey(out, sub, path + "\\" + sub.name, false);
}

// --- Reading ---

// Reads a quoted text at the start of `s` and takes it off.
bool TakeQuoted(std::string_view& s, std::string& text) {
  if (s.empty() || s.front() != '"') return false;
  s.remove_prefix(1);
  text.clear();
  while (!s.empty()) {
    char c = s.front();
    s.remove_prefix(1);
    if (c == '"') return true;
    if (c != '\\') {
      text += c;
      continue;
    }
    if (s.empty()) return false;
    c = s.front();
    s.remove_prefix(1);
    switch (c) {
      case '\\':
        text += '\\';
        break;
      case '"':
        text += '"';
        break;
      case '0':
        text += '\0';
        break;
      case 'n':
        text += '\n';
        break;
      case 'r':
        text += '\r';
        break;
      case 't':
        text += '\t';
        break;
      case 'x': {
        if (s.size() < 2) return false;
        const int high = HexValue(s[0]), low = HexValue(s[1]);
        if (high < 0 || low < 0) return false;
        text += static_cast<char>(high << 4 | low);
        s.remove_prefix(2);
        break;
      }
      default:
        return false;
    }
  }
  return false;  // no closing quote
}

// Reads "hh,hh,..." (possibly no bytes at all), the whole rest of `s`.
bool ParseHexBytes(std::string_view s, std::string& data) {
  data.clear();
  SkipBlanks(s);
  if (s.empty()) return true;
  for (;;) {
    SkipBlanks(s);
    if (s.size() < 2) return false;
    const int high = HexValue(s[0]), low = HexValue(s[1]);
    if (high < 0 || low < 0) return false;
    data += static_cast<char>(high << 4 | low);
    s.remove_prefix(2);
    SkipBlanks(s);
    if (s.empty()) return true;
    if (s.front() != ',') return false;
    s.remove_prefix(1);
  }
}

// Reads the data part of a value line (after "=").
bool ParseData(std::string_view s, Value& value) {
  std::string text;
  uint32_t type = 1;
  if (TakePrefix(s, "expand:")) {
    type = 2;
  } else if (TakePrefix(s, "multi:")) {
    type = 7;
  } else if (TakePrefix(s, "dword:")) {
    if (s.empty() || s.size() > 8) return false;
    uint32_t number = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), number, 16);
    if (ec != std::errc() || end != s.data() + s.size()) return false;
    value.type = 4;
    value.data.clear();
    for (int i = 0; i < 4; ++i, number >>= 8) value.data += static_cast<char>(number & 0xFF);
    return true;
  } else if (TakePrefix(s, "hex:")) {
    value.type = 3;
    return ParseHexBytes(s, value.data);
  } else if (TakePrefix(s, "hex(")) {
    const std::size_t close = s.find(')');
    if (close == std::string_view::npos || close == 0) return false;
    auto [end, ec] = std::from_chars(s.data(), s.data() + close, value.type, 10);
    if (ec != std::errc() || end != s.data() + close) return false;
    s.remove_prefix(close + 1);
    if (!TakePrefix(s, ":")) return false;
    return ParseHexBytes(s, value.data);
  }
  if (!TakeQuoted(s, text) || !Trim(s).empty()) return false;
  value.type = type;
  value.data = std::move(text);
  value.data += '\0';
  return true;
}

bool ParseValueLine(std::string_view s, Value& value) {
  if (!TakeQuoted(s, value.name)) return false;
  SkipBlanks(s);
  if (s.empty() || s.front() != '=') return false;
  s.remove_prefix(1);
  SkipBlanks(s);
  return ParseData(s, value);
}

// The key a section header names, made with any missing parents; nullptr when the header is
// not valid.
Key* SectionKey(std::string_view path, Key& root) {
  std::size_t cut = path.find('\\');
  if (!vb::EqualsNoCase(path.substr(0, cut), kRootName)) return nullptr;
  Key* key = &root;
  while (cut != std::string_view::npos) {
    path.remove_prefix(cut + 1);
    cut = path.find('\\');
    const std::string_view name = path.substr(0, cut);
    if (!ValidKeyName(name)) return nullptr;
    Key* sub = FindSubkey(*key, name);
    if (!sub) {
      key->subkeys.push_back(Key{std::string(name), {}, {}});
      sub = &key->subkeys.back();
    }
    key = sub;
  }
  return key;
}

}  // namespace

bool ValidKeyName(std::string_view name) {
  if (name.empty() || name.size() > 255) return false;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '\\') return false;
  }
  return true;
}

Key* FindSubkey(Key& key, std::string_view name) {
  for (Key& sub : key.subkeys)
    if (vb::EqualsNoCase(sub.name, name)) return &sub;
  return nullptr;
}

Value* FindValue(Key& key, std::string_view name) {
  for (Value& value : key.values)
    if (vb::EqualsNoCase(value.name, name)) return &value;
  return nullptr;
}

bool ParseStore(std::string_view text, Key& root, std::size_t& badLine) {
  root = Key{std::string(kRootName), {}, {}};
  if (text.starts_with(kBom)) text.remove_prefix(kBom.size());
  Key* current = nullptr;
  std::size_t number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t newline = text.find('\n');
    std::string_view line = text.substr(0, newline);
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = Trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    bool good = false;
    if (line.front() == '[') {
      current = line.back() == ']' ? SectionKey(line.substr(1, line.size() - 2), root) : nullptr;
      good = current != nullptr;
    } else if (current) {
      Value value;
      good = ParseValueLine(line, value);
      // A name given twice: the later line wins, in the place of the first.
      if (good) {
        if (Value* existing = FindValue(*current, value.name)) {
          existing->type = value.type;
          existing->data = std::move(value.data);
        } else {
          current->values.push_back(std::move(value));
        }
      }
    }
    if (!good) {
      badLine = number;
      root = Key{std::string(kRootName), {}, {}};
      return false;
    }
  }
  return true;
}

std::string FormatStore(const Key& root) {
  std::string out =
      "; Tolvane registry store: the keys of HKEY_CURRENT_USER, one [section] per key and one\n"
      "; \"name\"=value line per value (\"text\", expand:\"text\", multi:\"a\\0b\\0\", "
      "dword:0000000a,\n"
      "; hex:01,02 or hex(type):01,02). Quit the program before editing this file.\n";
  AppendKey(out, root, std::string(kRootName), true);
  return out;
}

}  // namespace reg::detail
