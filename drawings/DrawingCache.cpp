#include "drawings/DrawingCache.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <system_error>

#include "foundation/Disk.h"
#include "foundation/General.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Files.h"

namespace MainForm {

namespace fs = std::filesystem;

namespace {

long long WholeSeconds(double oleDate) { return std::llround(oleDate * 86400.0); }

bool ParseIso(std::string_view text, double& date) {
  vb::DateTimeParts p;
  char tail = 0;
  const std::string s(text);
  const int n = std::sscanf(s.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &p.year, &p.month, &p.day,
                            &p.hour, &p.minute, &p.second, &tail);
  if (n != 6 && n != 3) return false;
  if (n == 3) p.hour = p.minute = p.second = 0;
  if (p.month < 1 || p.month > 12 || p.day < 1 || p.day > 31 || p.hour > 23 || p.minute > 59 ||
      p.second > 59)
    return false;
  date = vb::DateFromParts(p);
  return true;
}

}  // namespace

std::string DxfFileDateText(double oleDate) {
  return vb::FormatDatePattern(oleDate, "yyyy-MM-dd HH:mm:ss");
}

double ParseDxfFileDate(std::string_view text) {
  double date = 0;
  if (ParseIso(text, date)) return date;
  if (!text.empty() && vb::TryParseDate(text, date)) return date;
  return vb::DateFromParts({1980, 1, 1, 0, 0, 0});
}

bool DrawingDatabaseIsNewer(double fileDate, double notedDate) {
  return WholeSeconds(fileDate) > WholeSeconds(notedDate);
}

int EmptyCacheFolder(const fs::path& folder, bool dxfOnly) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return 0;
  int deleted = 0;
  fs::directory_iterator it(folder, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::error_code entryError;
    if (!it->is_regular_file(entryError)) continue;
    if (dxfOnly) {
      std::string ext = it->path().extension().string();
      for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (ext != ".dxf") continue;
    }
    if (fs::remove(it->path(), entryError)) ++deleted;
  }
  return deleted;
}

void CheckDrawingCache(const std::string& dxfDbPath) {
  const double fileDate = Disk::FileDate(dxfDbPath);
  const double noted = ParseDxfFileDate(General::IniStr("Database", "DXFFileDate"));
  if (DrawingDatabaseIsNewer(fileDate, noted)) EmptyCacheFolder(vb::InCurDir("DXF"), false);
  General::WriteINI("Database", "DXFFileDate", DxfFileDateText(fileDate));
}

}  // namespace MainForm
