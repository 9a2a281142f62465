#pragma once
// cEasyReg: a wrapper around one open key of the registry (the store of platform/registry):
// open a key by root and path, create and delete subkeys and values, read a value as text, a
// hex dump or a list, enumerate subkeys and values, and sort a list.
//
// Methods that work on the open key do nothing, and give false or Empty, while no key is open.
// Errors inside a method are never reported: with error handling on, the failing statement is
// skipped (see each method for what it then gives); with it off, the error goes to the caller.
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry/WinReg.h"
#include "platform/runtime/Variant.h"

class cEasyReg {
 public:
  cEasyReg() = default;
  // Closes the handle, whatever the open flag says.
  ~cEasyReg();
  cEasyReg(const cEasyReg&) = delete;
  cEasyReg& operator=(const cEasyReg&) = delete;

  // A list (0-based) of the open key's subkey names in enumeration order; Null on an error.
  vb::Variant GetAllSubDirectories();
  // Creates (or opens) the named subkey below the open key, which stays the open key.
  bool CreateDirectory(std::string_view name);
  // Deletes the named subkey (it must have no subkeys of its own).
  bool DeleteDirectory(std::string_view name);
  // A list (0-based) of the open key's value names in enumeration order; Null on an error.
  vb::Variant GetAllValues();
  // Writes a value of type 1 (REG_SZ) or 2 (REG_EXPAND_SZ): the text of `value` and a NUL;
  // 4 (REG_DWORD): `value` as a 32-bit number; 7 (REG_MULTI_SZ): the text of `value` and a NUL,
  // then each element of `more` (or `more` itself when it is no list) that is not Empty, Null,
  // "" or a single NUL, each with a NUL, then a closing NUL. Any other type shows "Unable to
  // process that Type of data." and gives false. A value that does not convert writes nothing.
  bool CreateValue(std::string_view name, const vb::Variant& value, long type,
                   const std::optional<vb::Variant>& more = std::nullopt);
  bool DeleteValue(std::string_view name);
  // The value: Empty when missing; "Access Denied" or "RegQueryValueEx Returned : (n)" when the
  // query fails otherwise; by type: texts without their closing NUL; REG_BINARY and REG_DWORD
  // as their bytes when `raw`, else as a hex dump ("01 00 00 00 "); REG_DWORD_BIG_ENDIAN as its
  // bytes; REG_MULTI_SZ as a list split at each NUL (the closing NUL gives a last empty
  // element); "Not defined value_type=..." or "value_type=<t>" for the rest. An empty text on
  // an error.
  vb::Variant GetValue(std::string_view name, bool raw = false);

  reg::HKEY RegistryRootKey() const { return rootKey_; }
  std::string SubDirectory() const { return keyPath_; }

  // Opens root\path; root 0 gives false. A key open before is closed first.
  bool OpenRegistry(reg::HKEY root, std::string_view path);
  // Opens the parent of the current path (the path up to its last "\"; "" when it has none,
  // which is the root key itself), with the same root.
  void OneBackOnKey();
  // Closes the handle; on success the key is marked not open.
  bool CloseRegistry();

  // The list sorted ascending by character code (insertion sort); anything that is not a list
  // comes back unchanged.
  vb::Variant SortArrayAscending(const vb::Variant& list);

 private:
  // The 1-based position of the last "\" in `path`; 0 when there is none.
  long FindLastBackslash(std::string_view path);

  reg::HKEY rootKey_ = 0;
  std::string keyPath_;
  reg::HKEY keyHandle_ = 0;
  bool isOpen_ = false;
};
