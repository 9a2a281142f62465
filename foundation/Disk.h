#pragma once
// Module Disk: does a file exist, and when was it last changed.
#include <string_view>

namespace Disk {

// True when the path is not empty and names a file that a directory search with normal
// attributes finds: the last part of the path may hold the wildcards "*" (any run of
// characters) and "?" (one character), and names compare without regard to case, as on
// Windows. Folders never match; neither do hidden files (names starting with "."). A relative
// path is taken from the current folder. A missing folder is no error: the result is false.
bool FileExists(std::string_view path);

// The file's last-modified date and time as an OLE date in local time, to the whole second.
// A missing file (or a folder) raises error 53, which is reported, and gives the zero date
// (30 December 1899), earlier than any real file date.
double FileDate(std::string_view path);

}  // namespace Disk
