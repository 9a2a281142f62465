#pragma once
// A file-backed stand-in for the part of the Windows registry the program uses: the key tree of
// HKEY_CURRENT_USER with typed values, reached through the calls of the Windows registry API
// (open, create, query, set, delete, enumerate, close) and their return codes.
//
// Keys and value names compare without regard to ASCII case and keep the case they were created
// with; subkeys and values enumerate in the order they were created. A key exists on its own,
// with or without values. The key HKEY_CURRENT_USER\Software always exists, as it does in every
// Windows user profile, and cannot be deleted.
//
// The store file
// --------------
// $TOLVANE_REGISTRY when set, otherwise $XDG_CONFIG_HOME/Velmora/Tolvane/registry.ini (with
// $XDG_CONFIG_HOME defaulting to ~/.config). Every change rewrites the whole file atomically;
// a change that cannot be written is undone and its call returns ERROR_REGISTRY_IO_FAILED. The
// file is read again whenever it changed on disk since it was last read or written.
//
// The file is text, one line per item, and may be edited by hand:
//
//   ; comment lines start with ";" or "#"; blank lines are ignored
//   [HKEY_CURRENT_USER\Software\Velmora\Tolvane]    one section per key, in creation order
//   "Top"="810"                                     REG_SZ (the data is the text plus one NUL)
//   "Path"=expand:"%HOME%\\data"                    REG_EXPAND_SZ (text plus one NUL)
//   "List"=multi:"a\0b\0"                           REG_MULTI_SZ (text plus one NUL)
//   "Count"=dword:0000000a                          REG_DWORD (four bytes, little-endian)
//   "Blob"=hex:01,ff,00                             REG_BINARY
//   "Odd"=hex(5):00,00,00,01                        any type by its decimal number, raw bytes
//   ""="the key's default value"                    the value with the empty name
//
// Inside quotes \\ is a backslash, \" a quote, \0 a NUL, \n \r \t the line controls and \xHH any
// byte; every other byte stands for itself (texts are kept as UTF-8 bytes). A section header
// names the whole path from HKEY_CURRENT_USER; a missing parent key is made by its first child.
// Blanks around "=" and between hex bytes are allowed.
//
// A missing file is an empty store. A file that cannot be read, or holds a line that is none of
// the above, also gives an empty store (StoreProblem() says why, and where the file went): it is
// renamed to "<file>.corrupt-<yyyymmdd-hhmmss>" as soon as it is read, so that nothing the user
// had is overwritten and the next read starts clean. When it cannot be renamed then, the next
// change tries again before it writes.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace reg {

using HKEY = uint32_t;

// Predefined root keys. Only HKEY_CURRENT_USER is kept; the others are invalid handles.
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;

// Value types.
inline constexpr uint32_t REG_NONE = 0;
inline constexpr uint32_t REG_SZ = 1;
inline constexpr uint32_t REG_EXPAND_SZ = 2;
inline constexpr uint32_t REG_BINARY = 3;
inline constexpr uint32_t REG_DWORD = 4;
inline constexpr uint32_t REG_DWORD_BIG_ENDIAN = 5;
inline constexpr uint32_t REG_LINK = 6;
inline constexpr uint32_t REG_MULTI_SZ = 7;

// Return codes (the Windows error numbers).
inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;      // no such key or value
inline constexpr long ERROR_ACCESS_DENIED = 5;       // deleting a key that has subkeys, or Software
inline constexpr long ERROR_INVALID_HANDLE = 6;      // not an open key
inline constexpr long ERROR_INVALID_PARAMETER = 87;  // a key name that cannot be stored
inline constexpr long ERROR_NO_MORE_ITEMS = 259;     // enumeration past the last item
inline constexpr long ERROR_REGISTRY_IO_FAILED = 1016;  // the store file could not be written
inline constexpr long ERROR_KEY_DELETED = 1018;         // the open key was deleted meanwhile

// RegCreateKeyEx dispositions.
inline constexpr uint32_t REG_CREATED_NEW_KEY = 1;
inline constexpr uint32_t REG_OPENED_EXISTING_KEY = 2;

// Key paths are relative to `key`, with "\" between names; empty names in a path are skipped,
// so "" stands for `key` itself. A key name of more than 255 bytes, or holding a control
// character, is ERROR_INVALID_PARAMETER. Handles are never reused within a run, so closing a
// handle twice can never close someone else's key.
long RegOpenKeyEx(HKEY key, std::string_view subKey, HKEY* result);
// Opens the key, creating it and every missing key above it.
long RegCreateKeyEx(HKEY key, std::string_view subKey, HKEY* result,
                    uint32_t* disposition = nullptr);
// Deletes a key that has no subkeys, with its values.
long RegDeleteKey(HKEY key, std::string_view subKey);
long RegCloseKey(HKEY key);

// Sets a value: its type and its data bytes as given.
long RegSetValueEx(HKEY key, std::string_view name, uint32_t type, std::string_view data);
// Reads a value; any of the outputs may be null (a null `data` asks for type and size only).
long RegQueryValueEx(HKEY key, std::string_view name, uint32_t* type, std::string* data,
                     uint32_t* size);
long RegDeleteValue(HKEY key, std::string_view name);

// The name of the index-th subkey (0-based); ERROR_NO_MORE_ITEMS past the last.
long RegEnumKey(HKEY key, uint32_t index, std::string* name);
// The name, type and data of the index-th value (0-based); outputs may be null.
long RegEnumValue(HKEY key, uint32_t index, std::string* name, uint32_t* type, std::string* data);

// The store file in use (see above).
std::filesystem::path StoreFile();
// Uses `file` as the store from now on (tests); an empty path returns to the default.
void SetStoreFile(const std::filesystem::path& file);
// Why the store file could not be used at its last read or write: a damaged or unreadable file,
// a damaged file that could not be kept aside, or a failed write. Empty when all went well or
// the file simply does not exist yet. Reads the file first when it changed.
std::string StoreProblem();

// Forgets everything held in memory (open handles, the keys read, the store file override).
void resetForTest();

}  // namespace reg
