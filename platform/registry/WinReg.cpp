// The registry calls over the key tree of the store file. The tree is held in memory, read
// again when the file changed on disk, and written back whole after every change.
#include "platform/registry/WinReg.h"

#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <map>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/registry/StoreText.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Strings.h"

namespace reg {

namespace {

namespace fs = std::filesystem;
using detail::Key;
using detail::Value;

constexpr std::string_view kSoftware = "Software";

// What the file looked like when it was last read or written.
struct Stamp {
  bool exists = false;
  std::uintmax_t size = 0;
  fs::file_time_type time{};
  bool operator==(const Stamp&) const = default;
};

struct State {
  fs::path overrideFile;
  bool loaded = false;
  fs::path loadedFile;
  Stamp stamp;
  Key root;
  bool keepAside = false;  // the file on disk could not be used: rename it before writing
  std::string problem;
  // Open handles: the path of names (in their stored case) below HKEY_CURRENT_USER.
  std::map<HKEY, std::vector<std::string>> handles;
  HKEY nextHandle = 0x100;
};

State& state() {
  static State s;
  return s;
}

Key EmptyRoot() {
  Key root{std::string(detail::kRootName), {}, {}};
  root.subkeys.push_back(Key{std::string(kSoftware), {}, {}});
  return root;
}

Stamp StampOf(const fs::path& file) {
  Stamp stamp;
  std::error_code ec;
  const fs::file_status status = fs::status(file, ec);
  if (ec || !fs::exists(status)) return stamp;
  stamp.exists = true;
  if (fs::is_regular_file(status)) stamp.size = fs::file_size(file, ec);
  stamp.time = fs::last_write_time(file, ec);
  return stamp;
}

// "<file>.corrupt-<yyyymmdd-hhmmss>", with a number added when that name is taken.
fs::path AsideName(const fs::path& file) {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  fs::path aside = file.string() + ".corrupt-" + stamp;
  std::error_code ec;
  for (int n = 2; fs::exists(fs::symlink_status(aside, ec)); ++n)
    aside = file.string() + ".corrupt-" + stamp + "-" + std::to_string(n);
  return aside;
}

// Renames a store file that could not be used to its aside name, so that nothing the user had
// is lost and the next read finds no file. False when it cannot be renamed.
bool KeepAside(const fs::path& file, fs::path& aside) {
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(file, ec))) return true;
  aside = AsideName(file);
  fs::rename(file, aside, ec);
  return !ec;
}

void Load(const fs::path& file, Stamp stamp) {
  State& s = state();
  s.root = EmptyRoot();
  s.keepAside = false;
  s.problem.clear();
  if (stamp.exists) {
    std::string text;
    std::error_code ec;
    Key root;
    std::size_t badLine = 0;
    if (!fs::is_regular_file(file, ec) || !vb::ReadWholeFile(file, text)) {
      s.keepAside = true;
      s.problem = "Cannot read the registry store " + file.string();
    } else if (!detail::ParseStore(text, root, badLine)) {
      s.keepAside = true;
      s.problem =
          "The registry store " + file.string() + " is damaged at line " + std::to_string(badLine);
    } else {
      if (!detail::FindSubkey(root, kSoftware))
        root.subkeys.insert(root.subkeys.begin(), Key{std::string(kSoftware), {}, {}});
      s.root = std::move(root);
    }
    // A file that cannot be used is kept aside at once, not at the next change, which may
    // never come: the next read, in this run or the next, starts from a clean store.
    fs::path aside;
    if (s.keepAside && KeepAside(file, aside)) {
      s.keepAside = false;
      s.problem += "; it is kept as " + aside.string();
      stamp = StampOf(file);
    }
  }
  s.loaded = true;
  s.loadedFile = file;
  s.stamp = stamp;
}

// Reads the file again when it is another file or changed since it was last read or written.
void Refresh() {
  State& s = state();
  const fs::path file = StoreFile();
  const Stamp now = StampOf(file);
  if (s.loaded && file == s.loadedFile && now == s.stamp) return;
  Load(file, now);
}

// Writes the tree to the store file; false (with the problem noted) when it cannot.
bool Save() {
  State& s = state();
  const fs::path& file = s.loadedFile;
  std::error_code ec;
  // A file that could not be kept aside when it was read is tried again.
  if (s.keepAside) {
    fs::path aside;
    if (!KeepAside(file, aside)) {
      s.problem = "Cannot keep the damaged registry store " + file.string() + " aside as " +
                  aside.string();
      return false;
    }
    s.keepAside = false;
  }
  if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
  const bool written = vb::WriteFileAtomic(file, detail::FormatStore(s.root));
  s.stamp = StampOf(file);
  if (!written) {
    s.problem = "Cannot write the registry store " + file.string();
    return false;
  }
  s.problem.clear();
  return true;
}

// Runs a change of the tree and writes it; a change that cannot be written is undone.
// `change` returns ERROR_SUCCESS when it changed the tree, or an error code having changed
// nothing.
template <class F>
long Change(F&& change) {
  State& s = state();
  Key backup = s.root;
  const long rc = std::forward<F>(change)();
  if (rc != ERROR_SUCCESS) return rc;
  if (!Save()) {
    s.root = std::move(backup);
    return ERROR_REGISTRY_IO_FAILED;
  }
  return ERROR_SUCCESS;
}

Key* KeyAt(const std::vector<std::string>& path) {
  Key* key = &state().root;
  for (const std::string& name : path) {
    key = detail::FindSubkey(*key, name);
    if (!key) return nullptr;
  }
  return key;
}

// The path and key an open handle stands for; nullptr with the code when there is none.
Key* KeyOf(HKEY handle, std::vector<std::string>& path, long& rc) {
  Refresh();
  State& s = state();
  if (handle == HKEY_CURRENT_USER) {
    path.clear();
  } else {
    auto it = s.handles.find(handle);
    if (it == s.handles.end()) {
      rc = ERROR_INVALID_HANDLE;
      return nullptr;
    }
    path = it->second;
  }
  Key* key = KeyAt(path);
  if (!key) rc = ERROR_KEY_DELETED;
  return key;
}

// Splits "a\b\c" into its names, skipping empty ones.
bool SplitPath(std::string_view subKey, std::vector<std::string>& names) {
  names.clear();
  while (!subKey.empty()) {
    const std::size_t cut = subKey.find('\\');
    const std::string_view name = subKey.substr(0, cut);
    if (!name.empty()) {
      if (!detail::ValidKeyName(name)) return false;
      names.emplace_back(name);
    }
    if (cut == std::string_view::npos) break;
    subKey.remove_prefix(cut + 1);
  }
  return true;
}

HKEY NewHandle(std::vector<std::string> path) {
  State& s = state();
  const HKEY handle = s.nextHandle++;
  s.handles[handle] = std::move(path);
  return handle;
}

}  // namespace

long RegOpenKeyEx(HKEY key, std::string_view subKey, HKEY* result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  long rc = ERROR_SUCCESS;
  std::vector<std::string> path, names;
  Key* at = KeyOf(key, path, rc);
  if (!at) return rc;
  if (!SplitPath(subKey, names)) return ERROR_INVALID_PARAMETER;
  for (const std::string& name : names) {
    at = detail::FindSubkey(*at, name);
    if (!at) return ERROR_FILE_NOT_FOUND;
    path.push_back(at->name);
  }
  *result = NewHandle(std::move(path));
  return ERROR_SUCCESS;
}

long RegCreateKeyEx(HKEY key, std::string_view subKey, HKEY* result, uint32_t* disposition) {
  if (!result) return ERROR_INVALID_PARAMETER;
  long rc = ERROR_SUCCESS;
  std::vector<std::string> path, names;
  if (!KeyOf(key, path, rc)) return rc;
  if (!SplitPath(subKey, names)) return ERROR_INVALID_PARAMETER;
  const std::vector<std::string> base = path;
  // The names as they are stored: existing keys keep their case, new ones take the given case.
  bool created = false;
  auto walk = [&](bool create) {
    path = base;
    Key* at = KeyAt(path);
    for (const std::string& name : names) {
      Key* sub = detail::FindSubkey(*at, name);
      if (!sub) {
        if (!create) return false;
        at->subkeys.push_back(Key{name, {}, {}});
        sub = &at->subkeys.back();
      }
      path.push_back(sub->name);
      at = sub;
    }
    return true;
  };
  if (!walk(false)) {
    rc = Change([&] { return walk(true) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND; });
    if (rc != ERROR_SUCCESS) return rc;
    created = true;
  }
  if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  *result = NewHandle(std::move(path));
  return ERROR_SUCCESS;
}

long RegDeleteKey(HKEY key, std::string_view subKey) {
  long rc = ERROR_SUCCESS;
  std::vector<std::string> path, names;
  if (!KeyOf(key, path, rc)) return rc;
  if (!SplitPath(subKey, names)) return ERROR_INVALID_PARAMETER;
  if (names.empty()) return ERROR_INVALID_PARAMETER;
  const std::string last = names.back();
  names.pop_back();
  for (const std::string& name : names) path.push_back(name);
  Key* parent = KeyAt(path);
  Key* target = parent ? detail::FindSubkey(*parent, last) : nullptr;
  if (!target) return ERROR_FILE_NOT_FOUND;
  if (!target->subkeys.empty()) return ERROR_ACCESS_DENIED;
  if (path.empty() && vb::EqualsNoCase(last, kSoftware)) return ERROR_ACCESS_DENIED;
  return Change([&] {
    Key* p = KeyAt(path);
    std::erase_if(p->subkeys, [&](const Key& k) { return vb::EqualsNoCase(k.name, last); });
    return ERROR_SUCCESS;
  });
}

long RegCloseKey(HKEY key) {
  if (key == HKEY_CURRENT_USER) return ERROR_SUCCESS;
  return state().handles.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

long RegSetValueEx(HKEY key, std::string_view name, uint32_t type, std::string_view data) {
  long rc = ERROR_SUCCESS;
  std::vector<std::string> path;
  if (!KeyOf(key, path, rc)) return rc;
  return Change([&] {
    Key* at = KeyAt(path);
    if (Value* value = detail::FindValue(*at, name)) {
      value->type = type;
      value->data = std::string(data);
    } else {
      at->values.push_back(Value{std::string(name), type, std::string(data)});
    }
    return ERROR_SUCCESS;
  });
}

long RegQueryValueEx(HKEY key, std::string_view name, uint32_t* type, std::string* data,
                     uint32_t* size) {
  long rc = ERROR_SUCCESS;
  std::vector<std::string> path;
  Key* at = KeyOf(key, path, rc);
  if (!at) return rc;
  const Value* value = detail::FindValue(*at, name);
  if (!value) return ERROR_FILE_NOT_FOUND;
  if (type) *type = value->type;
  if (data) *data = value->data;
  if (size) *size = static_cast<uint32_t>(value->data.size());
  return ERROR_SUCCESS;
}

long RegDeleteValue(HKEY key, std::string_view name) {
  long rc = ERROR_SUCCESS;
  std::vector<std::string> path;
  Key* at = KeyOf(key, path, rc);
  if (!at) return rc;
  if (!detail::FindValue(*at, name)) return ERROR_FILE_NOT_FOUND;
  return Change([&] {
    std::erase_if(KeyAt(path)->values,
                  [&](const Value& v) { return vb::EqualsNoCase(v.name, name); });
    return ERROR_SUCCESS;
  });
}

long RegEnumKey(HKEY key, uint32_t index, std::string* name) {
  long rc = ERROR_SUCCESS;
  std::vector<std::string> path;
  Key* at = KeyOf(key, path, rc);
  if (!at) return rc;
  if (index >= at->subkeys.size()) return ERROR_NO_MORE_ITEMS;
  if (name) *name = at->subkeys[index].name;
  return ERROR_SUCCESS;
}

long RegEnumValue(HKEY key, uint32_t index, std::string* name, uint32_t* type, std::string* data) {
  long rc = ERROR_SUCCESS;
  std::vector<std::string> path;
  Key* at = KeyOf(key, path, rc);
  if (!at) return rc;
  if (index >= at->values.size()) return ERROR_NO_MORE_ITEMS;
  const Value& value = at->values[index];
  if (name) *name = value.name;
  if (type) *type = value.type;
  if (data) *data = value.data;
  return ERROR_SUCCESS;
}

fs::path StoreFile() {
  const State& s = state();
  if (!s.overrideFile.empty()) return s.overrideFile;
  if (const char* file = std::getenv("TOLVANE_REGISTRY"); file && *file) return fs::path(file);
  fs::path config;
  // The XDG rule: a relative $XDG_CONFIG_HOME is ignored.
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg && fs::path(xdg).is_absolute())
    config = xdg;
  if (config.empty()) {
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
      const passwd* user = getpwuid(getuid());
      home = user ? user->pw_dir : nullptr;
    }
    config = fs::path(home && *home ? home : "/") / ".config";
  }
  return config / "Velmora" / "Tolvane" / "registry.ini";
}

void SetStoreFile(const fs::path& file) {
  State& s = state();
  s.overrideFile = file;
  s.loaded = false;
}

std::string StoreProblem() {
  Refresh();
  return state().problem;
}

void resetForTest() { state() = State{}; }

namespace {
const vb::StateReset stateReset(vb::ResetOrder::Platform, &resetForTest);
}  // namespace

}  // namespace reg
