#pragma once
// File-system services of the BASIC runtime: the program folder, the current folder that
// bare file names are relative to, name resolution with the Windows design's case-insensitive
// names, line appends for the logs and atomic whole-file writes.
#include <filesystem>
#include <string>
#include <string_view>

namespace vb {

namespace fs = std::filesystem;

// The program folder: $TOLVANE_HOME when set, otherwise the folder of the executable.
fs::path ProgramFolder();
// Overrides the program folder (tests pass a temporary folder here).
void SetProgramFolder(const fs::path& folder);

// The current folder bare file names are taken from. Start-up makes it the program folder;
// it is a runtime variable, so tests never change the process's working directory.
fs::path CurDir();
void ChDir(const fs::path& folder);

// Finds `name` in `folder`: the exact name first, then a case-insensitive (ASCII) match among
// the folder's entries, since the Windows design spelled its file names without regard to case.
// With no match the exact path is returned, so a caller can create the file under that name.
// An absolute `name` is resolved in its own parent folder.
fs::path ResolveName(const fs::path& folder, std::string_view name);
// ResolveName in the current folder.
fs::path InCurDir(std::string_view name);

// Appends `line` and a line end to the file, opening and closing it around the one line.
// Throws vb::Error 75 (path/file access error) when the file cannot be written.
void AppendLine(const fs::path& file, std::string_view line);

// Reads a whole file. Returns false when it cannot be read.
bool ReadWholeFile(const fs::path& file, std::string& contents);

// Writes a whole file through a temporary file in the same folder, flushed to the disk and then
// renamed over the old one, so that a crash, a kill or a full disk never leaves half a file or
// an empty one. The new file keeps the old one's permissions; a symbolic link keeps pointing at
// the file it named. A temporary file that a killed writer left is deleted by the next write.
// Returns false (old file untouched) on any failure, and for a file marked read-only; errno
// then tells why (ENOSPC for a full disk, EACCES or EROFS for a folder that cannot be written).
bool WriteFileAtomic(const fs::path& file, std::string_view contents);

}  // namespace vb
