#pragma once
// The key tree of the registry store and its text form (the file format is described in
// WinReg.h). Used by WinReg.cpp only.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace reg::detail {

struct Value {
  std::string name;
  uint32_t type = 0;
  std::string data;  // the bytes as stored
};

struct Key {
  std::string name;
  std::vector<Value> values;  // in creation order
  std::vector<Key> subkeys;   // in creation order
};

inline constexpr std::string_view kRootName = "HKEY_CURRENT_USER";

// Whether `name` can be a key name: 1 to 255 bytes, no control characters and no "\".
bool ValidKeyName(std::string_view name);

// The subkey of `key` named `name` (ASCII case ignored), or nullptr.
Key* FindSubkey(Key& key, std::string_view name);
// The value of `key` named `name` (ASCII case ignored), or nullptr.
Value* FindValue(Key& key, std::string_view name);

// Reads the store text into `root` (which comes back holding what was read, under the name
// HKEY_CURRENT_USER). On a line that is not valid, returns false with its 1-based number.
bool ParseStore(std::string_view text, Key& root, std::size_t& badLine);

// The store text of the tree: a short comment header, then one section per key, parents before
// their subkeys, each key's values in order.
std::string FormatStore(const Key& root);

}  // namespace reg::detail
