#pragma once
// The rules of the drawing cache (the "DXF" folder below the program folder) at start-up: it
// is emptied when the drawing database is newer than the date noted at the last start, and the
// cached drawings are deleted when a new program version runs for the first time.
#include <filesystem>
#include <string>
#include <string_view>

namespace MainForm {

// The date noted in INI "DXFFileDate" as text: "yyyy-MM-dd HH:mm:ss", which reads back the
// same in every locale and keeps whole seconds, the precision of the file dates compared.
std::string DxfFileDateText(double oleDate);
// The noted date: the form above, or a date text of the locale (older INI files hold
// "1/1/1980" or "M/d/yyyy h:mm:ss AM"); 1 January 1980 when the text reads as no date.
double ParseDxfFileDate(std::string_view text);
// True when the drawing database's date is later than the noted one, compared at whole
// seconds.
bool DrawingDatabaseIsNewer(double fileDate, double notedDate);

// Deletes every regular file of `folder` (all of them, or only those ending in ".dxf" in any
// letter case). A missing folder deletes nothing; a file that cannot be deleted stays and the
// others are still deleted. Returns the number of files deleted.
int EmptyCacheFolder(const std::filesystem::path& folder, bool dxfOnly);

// The start-up check: the cache is emptied when the drawing database `dxfDbPath` is newer than
// INI "DXFFileDate" of section "Database", which is then set to the database's date.
void CheckDrawingCache(const std::string& dxfDbPath);

}  // namespace MainForm
