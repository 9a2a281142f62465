// Module Disk: the file-existence test and the file date.
#include "foundation/Disk.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>

#include "platform/runtime/Clock.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/Trap.h"

namespace Disk {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kModule = "Disk";

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The Windows file-name match: "*" any run of characters, "?" one character, letters without
// regard to case. Written by hand because the match must follow Windows, not the shell's glob
// (no character classes, no special dot files).
bool Matches(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*") pattern = "*";  // on Windows "*.*" also finds names without a dot
  size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// What a search with normal attributes finds: a file (also through a link), not hidden.
bool Findable(const fs::path& file) {
  std::error_code ec;
  const std::string name = file.filename().string();
  return !name.empty() && name[0] != '.' && fs::is_regular_file(file, ec);
}

}  // namespace

bool FileExists(std::string_view path) {
  vb::Proc g(kModule, "FileExists");
  bool found = false;
  if (path.empty()) return false;
  g.step([&] {
    const fs::path given(path);
    const std::string pattern = given.filename().string();
    const fs::path folder =
        given.is_absolute() ? given.parent_path() : vb::CurDir() / given.parent_path();
    if (pattern.find_first_of("*?") == std::string::npos && Findable(folder / pattern)) {
      found = true;
      return;
    }
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      if (Matches(pattern, it->path().filename().string()) && Findable(it->path())) {
        found = true;
        return;
      }
    }
  });
  return found;
}

double FileDate(std::string_view path) {
  vb::Proc g(kModule, "FileDate");
  double date = 0;
  g.step([&] {
    std::error_code ec;
    const fs::path file = vb::InCurDir(path);
    if (path.empty() || !fs::is_regular_file(file, ec)) vb::Raise(vb::err::FileNotFound);
    const fs::file_time_type written = fs::last_write_time(file, ec);
    if (ec) vb::Raise(vb::err::FileNotFound);
    using namespace std::chrono;
    const std::time_t seconds = system_clock::to_time_t(
        time_point_cast<system_clock::duration>(file_clock::to_sys(written)));
    std::tm tm{};
    localtime_r(&seconds, &tm);
    date = vb::DateFromParts(
        {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec});
  });
  return date;
}

}  // namespace Disk
