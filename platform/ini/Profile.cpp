// Profile-file reading and writing, written by hand: no library keeps the Windows profile rules
// (case-blind first-match lookup, trimming and quote removal, buffer cut, in-place rewrites
// that leave every other byte alone).
#include "platform/ini/Profile.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <new>
#include <system_error>
#include <vector>

#include "platform/runtime/Files.h"

namespace ini {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kNone = static_cast<std::size_t>(-1);
// A UTF-8 byte-order mark, as editors put it before the first line; it is kept on rewrites but
// must not hide a section header on the first line.
constexpr std::string_view kBom = "\xEF\xBB\xBF";

// One line of the file: its text and the line end that followed it ("\r\n", "\n", or "" for a
// last line without one; a lone "\r" can only occur at the very end of the file).
struct Line {
  std::string_view text;
  std::string_view end;
};

std::vector<Line> SplitLines(std::string_view data) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < data.size()) {
    const std::size_t newline = data.find('\n', pos);
    const std::size_t next = newline == std::string_view::npos ? data.size() : newline + 1;
    const std::string_view raw = data.substr(pos, next - pos);
    std::size_t length = raw.size();
    if (length > 0 && raw[length - 1] == '\n') --length;
    if (length > 0 && raw[length - 1] == '\r') --length;
    lines.push_back({raw.substr(0, length), raw.substr(length)});
    pos = next;
  }
  return lines;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view Trim(std::string_view s) {
  s = TrimLeft(s);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}

enum class Kind { Other, Section, Key };

// What a line is: a section header "[name]" (text after the first "]" is ignored), a key line
// "name=value", or anything else (blank lines, ";" comments, lines without "=").
struct Parsed {
  Kind kind = Kind::Other;
  std::string_view name;
  std::string_view value;
};

Parsed Classify(std::string_view text) {
  text = TrimLeft(text);
  if (text.empty() || text.front() == ';') return {};
  if (text.front() == '[') {
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos) return {};
    return {Kind::Section, Trim(text.substr(1, close - 1)), {}};
  }
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return {};
  return {Kind::Key, Trim(text.substr(0, equals)), Trim(text.substr(equals + 1))};
}

// Where a key lives. Only the first section of the name counts, for reading and writing alike,
// so that a value written is the value read back.
struct Location {
  std::size_t section = kNone;     // header line of the section
  std::size_t sectionEnd = kNone;  // one past its last line (set when the key is missing)
  std::size_t key = kNone;         // first matching key line inside it
};

Location Find(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  Location at;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Parsed line = Classify(lines[i].text);
    if (at.section == kNone) {
      if (line.kind == Kind::Section && SameName(line.name, section)) at.section = i;
      continue;
    }
    if (line.kind == Kind::Section) {
      at.sectionEnd = i;
      return at;
    }
    if (line.kind == Kind::Key && SameName(line.name, key)) {
      at.key = i;
      return at;
    }
  }
  if (at.section != kNone) at.sectionEnd = lines.size();
  return at;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

// The caller's buffer holds bufferSize bytes including the terminating zero.
std::string Cut(std::string_view text, int bufferSize) {
  if (bufferSize <= 0) return {};
  return std::string(
      text.substr(0, std::min(text.size(), static_cast<std::size_t>(bufferSize) - 1)));
}

std::string_view WithoutBom(std::string_view data) {
  if (data.starts_with(kBom)) data.remove_prefix(kBom.size());
  return data;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// Whether a name reads back as itself once written: no line break, no blank or tab at either
// end (they are trimmed on reading, so the line would never be found again and every write would
// add another), no "]" in a section name (the header would end there), and for a key no "=" and
// no leading ";" or "[" (a comment, or a section header planted inside a section).
bool StorableName(std::string_view name, bool key) {
  if (HasLineBreak(name) || Trim(name) != name) return false;
  if (!key) return name.find(']') == std::string_view::npos;
  return name.find('=') == std::string_view::npos &&
         (name.empty() || (name.front() != ';' && name.front() != '['));
}

// Reads the file to be rewritten. A missing file reads as empty; anything else that cannot be
// read (a folder, no permission) is a failure, so that it is never overwritten blindly.
bool ReadForRewrite(const fs::path& file, std::string& data) {
  std::error_code ec;
  const fs::file_status status = fs::status(file, ec);
  if (status.type() == fs::file_type::not_found) return true;
  if (!fs::is_regular_file(status)) {
    errno = fs::is_directory(status) ? EISDIR : (ec ? ec.value() : EINVAL);
    return false;
  }
  return vb::ReadWholeFile(file, data);
}

}  // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, int bufferSize,
                                    const std::filesystem::path& file) {
  try {
    std::string data;
    if (!vb::ReadWholeFile(file, data)) return Cut(defaultValue, bufferSize);
    const std::vector<Line> lines = SplitLines(WithoutBom(data));
    const Location at = Find(lines, section, key);
    if (at.key == kNone) return Cut(defaultValue, bufferSize);
    return Cut(Unquote(Classify(lines[at.key].text).value), bufferSize);
  } catch (...) {
    try {
      return Cut(defaultValue, bufferSize);
    } catch (...) {
      return {};
    }
  }
}

bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, const std::filesystem::path& file,
                               std::string* failure) {
  const auto fail = [failure](std::string why) {
    if (failure) *failure = std::move(why);
    return false;
  };
  const auto systemFailure = [&fail](int why) {
    return fail(why != 0 ? std::strerror(why) : "the file cannot be written");
  };
  try {
    // A line break would split the entry and plant lines of its own in the file; a name that
    // would not read back as itself is refused rather than written where nothing finds it.
    if (!StorableName(section, false)) return fail("the section name cannot be stored");
    if (!StorableName(key, true)) return fail("the key name cannot be stored");
    if (HasLineBreak(value)) return fail("the value holds a line break");

    std::string data;
    errno = 0;
    if (!ReadForRewrite(file, data)) return systemFailure(errno != 0 ? errno : EIO);

    const std::string_view bom =
        std::string_view(data).starts_with(kBom) ? kBom : std::string_view();
    const std::vector<Line> lines = SplitLines(std::string_view(data).substr(bom.size()));
    // New lines follow the file's own style, taken from its first line.
    const std::string_view eol = !lines.empty() && lines.front().end == "\r\n" ? "\r\n" : "\n";

    std::string entry;
    entry.append(key).append("=").append(value);

    std::string out;
    out.reserve(data.size() + entry.size() + section.size() + 8);
    out.append(bom);
    const auto copy = [&](std::size_t from, std::size_t to) {
      for (std::size_t i = from; i < to; ++i) out.append(lines[i].text).append(lines[i].end);
    };

    const Location at = Find(lines, section, key);
    if (at.key != kNone) {
      copy(0, at.key);
      out.append(entry).append(lines[at.key].end);
      copy(at.key + 1, lines.size());
    } else {
      // Insert after the section's last non-blank line, so that the blank lines separating
      // it from the next section stay after it; a new section goes at the end of the file.
      std::size_t insertAt = lines.size();
      std::string insert;
      if (at.section != kNone) {
        insertAt = at.sectionEnd;
        while (insertAt > at.section + 1 && Trim(lines[insertAt - 1].text).empty()) --insertAt;
      } else {
        insert.append("[").append(section).append("]").append(eol);
      }
      insert.append(entry).append(eol);

      copy(0, insertAt);
      if (insertAt > 0 && !lines[insertAt - 1].end.ends_with('\n'))
        out.append(lines[insertAt - 1].end.empty() ? eol : std::string_view("\n"));
      out.append(insert);
      copy(insertAt, lines.size());
    }

    if (out == data) return true;
    if (!vb::WriteFileAtomic(file, out)) return systemFailure(errno);
    return true;
  } catch (const std::bad_alloc&) {
    return fail("out of memory");
  } catch (...) {
    return fail("the file cannot be written");
  }
}

}  // namespace ini
