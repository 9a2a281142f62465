// The profile-file engine on a file of any bytes: a lookup, then a rewrite of one entry. Checks
// what the rewrite promises: only names that read back as themselves are written, the value
// written reads back, and every other entry reads as it read before.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "platform/ini/Profile.h"
#include "platform/runtime/Files.h"

namespace {

using fuzzsupport::Check;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(std::string s) {
  while (!s.empty() && IsBlank(s.front())) s.erase(s.begin());
  while (!s.empty() && IsBlank(s.back())) s.pop_back();
  return s;
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

// The (section, key) names that appear in the file, roughly as a reader of it would see them;
// the engine decides what each reads as, so a rough list is enough.
std::vector<std::pair<std::string, std::string>> Entries(const std::string& content) {
  std::vector<std::pair<std::string, std::string>> entries;
  std::string section;
  size_t pos = 0;
  while (pos < content.size() && entries.size() < 40) {
    size_t end = content.find('\n', pos);
    if (end == std::string::npos) end = content.size();
    std::string line = content.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    pos = end + 1;
    line = Trim(line);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      size_t close = line.find(']');
      if (close != std::string::npos) section = Trim(line.substr(1, close - 1));
      continue;
    }
    size_t equals = line.find('=');
    if (equals != std::string::npos) entries.emplace_back(section, Trim(line.substr(0, equals)));
  }
  return entries;
}

std::string Read(const std::string& section, const std::string& key,
                 const std::filesystem::path& file) {
  return ini::GetPrivateProfileString(section, key, "\x01missing", 4096, file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string section = in.ConsumeRandomLengthString(24);
  const std::string key = in.ConsumeRandomLengthString(24);
  const std::string value = in.ConsumeRandomLengthString(48);
  const int bufferSize = in.ConsumeIntegralInRange(-2, 80);
  const std::string content = in.ConsumeRemainingBytesAsString();

  const std::filesystem::path file = fuzzsupport::ScratchFolder() / "fuzz.ini";
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
  }

  const std::string got = ini::GetPrivateProfileString(section, key, value, bufferSize, file);
  Check(bufferSize <= 0 ? got.empty() : got.size() < static_cast<size_t>(bufferSize),
        "a lookup gives no more than the buffer holds");

  const auto entries = Entries(content);
  std::vector<std::string> before;
  for (const auto& [s, k] : entries) before.push_back(Read(s, k, file));

  if (!ini::WritePrivateProfileString(section, key, value, file)) return 0;

  // Only names that read back as written are written: trimmed, no "]" in the section, no "="
  // in the key, and a key that does not look like a comment or a section header.
  const bool plainNames = section == Trim(section) && section.find(']') == std::string::npos &&
                          key == Trim(key) && key.find('=') == std::string::npos &&
                          (key.empty() || (key[0] != ';' && key[0] != '['));
  Check(plainNames, "only names that read back are written");
  std::string expected = Trim(value);
  if (expected.size() >= 2 && (expected[0] == '"' || expected[0] == '\'') &&
      expected.back() == expected[0])
    expected = expected.substr(1, expected.size() - 2);
  Check(Read(section, key, file) == expected, "the value written reads back");
  for (size_t i = 0; i < entries.size(); ++i) {
    const auto& [s, k] = entries[i];
    if (SameName(s, section) && SameName(k, key)) continue;
    if (Read(s, k, file) != before[i]) {
      std::string after;
      vb::ReadWholeFile(file, after);
      std::fprintf(stderr, "section [%s] key [%s] value [%s]\nentry [%s] [%s]: [%s] -> [%s]\n",
                   section.c_str(), key.c_str(), value.c_str(), s.c_str(), k.c_str(),
                   before[i].c_str(), Read(s, k, file).c_str());
      std::fprintf(stderr, "before:\n%s\nafter:\n%s\n", content.c_str(), after.c_str());
    }
    Check(Read(s, k, file) == before[i], "every other entry reads as before");
  }
  return 0;
}
