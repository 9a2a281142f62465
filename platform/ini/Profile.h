#pragma once
// Profile files ("INI" files): named sections of key=value lines, read and written with the
// behaviour the program's settings files were made for on Windows.
#include <filesystem>
#include <string>
#include <string_view>

namespace ini {

// Returns the value of `key` in `section` of `file`, or `defaultValue` when the file, the section
// or the key is missing. Section and key names compare without regard to ASCII case; the first
// matching section, and the first matching key within it, win. Blanks and tabs around names and
// values are trimmed and one matching pair of enclosing quotes is removed from the value.
// At most bufferSize-1 bytes come back (the default is cut the same way); bufferSize <= 0 gives "".
// Never throws.
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, int bufferSize,
                                    const std::filesystem::path& file);

// Writes key=value into `section` of `file`: replaces the first matching key line, or adds the key
// at the end of its section, or adds the section at the end of the file, or creates the file.
// Every other line keeps its bytes and the file keeps its line-end style. The whole file is
// replaced atomically. Returns false, leaving the file untouched, when it cannot be read or
// written, when the value holds a line break, or when a name would not read back as itself: a
// line break or a blank or tab at either end in either name, a "]" in the section name, or in
// the key an "=" or a leading ";" or "[". Never throws. On false, `failure` (when given) says
// why in a few words: the system's reason for a file that cannot be read or written ("No space
// left on device", "Read-only file system"), or what is wrong with the entry.
bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, const std::filesystem::path& file,
                               std::string* failure = nullptr);

}  // namespace ini
