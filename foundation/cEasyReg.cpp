// cEasyReg: one open registry key and the calls the program makes on it.
#include "foundation/cEasyReg.h"

#include <cstdint>
#include <vector>

#include "platform/runtime/Trap.h"
#include "platform/ui/Hooks.h"

namespace {

constexpr std::string_view kModule = "cEasyReg";

// The methods trap their errors only when error handling is on, and never report them.
vb::Trap MethodTrap() {
  vb::TrapHandler* handler = vb::CurrentTrapHandler();
  return handler && handler->HandlingOn() ? vb::Trap::Silent : vb::Trap::None;
}

std::string HexDump(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string dump;
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    dump += kDigits[byte >> 4];
    dump += kDigits[byte & 15];
    dump += ' ';
  }
  return dump;
}

std::vector<std::string> SplitAtNul(std::string_view data) {
  std::vector<std::string> parts;
  for (;;) {
    const std::size_t cut = data.find('\0');
    parts.emplace_back(data.substr(0, cut));
    if (cut == std::string_view::npos) return parts;
    data.remove_prefix(cut + 1);
  }
}

// An element of the optional list of a multi-string that is left out.
bool SkippedElement(const std::string& text) {
  return text.empty() || text == std::string(1, '\0');
}

vb::Variant ValueOfType(uint32_t type, std::string data, bool raw) {
  switch (type) {
    case reg::REG_NONE:
      return "Not defined value_type=REG_NONE";
    case reg::REG_SZ:
    case reg::REG_EXPAND_SZ:
      // The stored text ends in its NUL; a text stored without one loses nothing.
      if (!data.empty() && data.back() == '\0') data.pop_back();
      return data;
    case reg::REG_BINARY:
    case reg::REG_DWORD:
      return raw ? vb::Variant(data) : vb::Variant(HexDump(data));
    case reg::REG_DWORD_BIG_ENDIAN:
      return data;
    case reg::REG_LINK:
      return "Not defined value_type=REG_LINK";
    case reg::REG_MULTI_SZ:
      if (!data.empty()) data.pop_back();
      return SplitAtNul(data);
    case 8:
      return "Not defined value_type=REG_RESOURCE_LIST";
    case 9:
      return "Not defined value_type=REG_FULL_RESOURCE_DESCRIPTOR";
    case 10:
      return "Not defined value_type=REG_RESOURCE_REQUIREMENTS_LIST";
    default:
      return "value_type=" + std::to_string(type);
  }
}

}  // namespace

cEasyReg::~cEasyReg() { reg::RegCloseKey(keyHandle_); }

vb::Variant cEasyReg::GetAllSubDirectories() {
  vb::Proc g(kModule, "GetAllSubDirectories", MethodTrap(), true);
  if (!isOpen_) return {};
  vb::Variant result;
  const bool ok = g.step([&] {
    std::vector<std::string> names;
    std::string name;
    for (uint32_t index = 0; reg::RegEnumKey(keyHandle_, index, &name) == reg::ERROR_SUCCESS;
         ++index)
      names.push_back(name.substr(0, name.find('\0')));
    result = std::move(names);
  });
  return ok ? result : vb::Variant::Null();
}

bool cEasyReg::CreateDirectory(std::string_view name) {
  vb::Proc g(kModule, "CreateDirectory", MethodTrap(), true);
  if (!isOpen_) return false;
  bool created = false;
  g.step([&] {
    reg::HKEY sub = 0;
    created = reg::RegCreateKeyEx(keyHandle_, name, &sub) == reg::ERROR_SUCCESS;
    // The new key's handle is not kept.
    if (created) reg::RegCloseKey(sub);
  });
  return created;
}

bool cEasyReg::DeleteDirectory(std::string_view name) {
  vb::Proc g(kModule, "DeleteDirectory", MethodTrap(), true);
  if (!isOpen_) return false;
  return g.value([&] { return reg::RegDeleteKey(keyHandle_, name) == reg::ERROR_SUCCESS; }, false);
}

vb::Variant cEasyReg::GetAllValues() {
  vb::Proc g(kModule, "GetAllValues", MethodTrap(), true);
  if (!isOpen_) return {};
  vb::Variant result;
  const bool ok = g.step([&] {
    // Only the names are asked for, so a long value neither cuts the list short nor is read.
    std::vector<std::string> names;
    std::string name;
    for (uint32_t index = 0;
         reg::RegEnumValue(keyHandle_, index, &name, nullptr, nullptr) == reg::ERROR_SUCCESS;
         ++index)
      names.push_back(name.substr(0, name.find('\0')));
    result = std::move(names);
  });
  return ok ? result : vb::Variant::Null();
}

bool cEasyReg::CreateValue(std::string_view name, const vb::Variant& value, long type,
                           const std::optional<vb::Variant>& more) {
  vb::Proc g(kModule, "CreateValue", MethodTrap(), true);
  if (!isOpen_) return false;
  bool written = false;
  // Building the data and writing it are one statement: data that cannot be built is not
  // written at all.
  switch (type) {
    case reg::REG_SZ:
    case reg::REG_EXPAND_SZ:
      g.step([&] {
        std::string data = value.toString();
        data += '\0';
        written = reg::RegSetValueEx(keyHandle_, name, static_cast<uint32_t>(type), data) ==
                  reg::ERROR_SUCCESS;
      });
      break;
    case reg::REG_DWORD:
      g.step([&] {
        auto number = static_cast<uint32_t>(value.toLong());
        std::string data;
        for (int i = 0; i < 4; ++i, number >>= 8) data += static_cast<char>(number & 0xFF);
        written = reg::RegSetValueEx(keyHandle_, name, reg::REG_DWORD, data) == reg::ERROR_SUCCESS;
      });
      break;
    case reg::REG_MULTI_SZ:
      g.step([&] {
        std::string data = value.toString();
        data += '\0';
        if (more) {
          if (more->type() == vb::VarType::List) {
            for (const std::string& element : more->list()) {
              if (SkippedElement(element)) continue;
              data += element;
              data += '\0';
            }
          } else if (!more->isEmpty() && !more->isNull()) {
            const std::string element = more->toString();
            if (!SkippedElement(element)) {
              data += element;
              data += '\0';
            }
          }
        }
        data += '\0';
        written =
            reg::RegSetValueEx(keyHandle_, name, reg::REG_MULTI_SZ, data) == reg::ERROR_SUCCESS;
      });
      break;
    default:
      g.step([&] {
        ui::Current().MessageBox("Unable to process that Type of data.",
                                 std::string(ui::ProgramTitle), ui::Buttons::OK, ui::Icon::None);
      });
      break;
  }
  return written;
}

bool cEasyReg::DeleteValue(std::string_view name) {
  vb::Proc g(kModule, "DeleteValue", MethodTrap(), true);
  if (!isOpen_) return false;
  return g.value([&] { return reg::RegDeleteValue(keyHandle_, name) == reg::ERROR_SUCCESS; },
                 false);
}

vb::Variant cEasyReg::GetValue(std::string_view name, bool raw) {
  vb::Proc g(kModule, "GetValue", MethodTrap(), true);
  if (!isOpen_) return {};
  vb::Variant result;
  const bool ok = g.step([&] {
    uint32_t type = 0, size = 0;
    long rc = reg::RegQueryValueEx(keyHandle_, name, &type, nullptr, &size);
    std::string data;
    if (rc == reg::ERROR_SUCCESS) rc = reg::RegQueryValueEx(keyHandle_, name, &type, &data, &size);
    if (rc == reg::ERROR_FILE_NOT_FOUND) {
      result = vb::Variant();
    } else if (rc == reg::ERROR_ACCESS_DENIED) {
      result = "Access Denied";
    } else if (rc != reg::ERROR_SUCCESS) {
      result = "RegQueryValueEx Returned : (" + std::to_string(rc) + ")";
    } else {
      result = ValueOfType(type, std::move(data), raw);
    }
  });
  return ok ? result : vb::Variant(std::string());
}

bool cEasyReg::OpenRegistry(reg::HKEY root, std::string_view path) {
  vb::Proc g(kModule, "OpenRegistry", MethodTrap(), true);
  // A key open before is closed first, so that its handle is not lost.
  if (isOpen_) g.step([&] { CloseRegistry(); });
  isOpen_ = false;
  if (root == 0) return false;
  rootKey_ = root;
  keyPath_ = std::string(path);
  g.step([&] {
    reg::HKEY handle = 0;
    if (reg::RegOpenKeyEx(root, path, &handle) == reg::ERROR_SUCCESS) {
      keyHandle_ = handle;
      isOpen_ = true;
    }
  });
  return isOpen_;
}

void cEasyReg::OneBackOnKey() {
  vb::Proc g(kModule, "OneBackOnKey", MethodTrap(), true);
  g.step([&] {
    const long position = FindLastBackslash(keyPath_);
    // A path without "\" goes back to the root key itself.
    const std::string parent = position > 0 ? keyPath_.substr(0, position - 1) : std::string();
    CloseRegistry();
    OpenRegistry(rootKey_, parent);
  });
}

bool cEasyReg::CloseRegistry() {
  vb::Proc g(kModule, "CloseRegistry", MethodTrap(), true);
  bool closed = false;
  g.step([&] {
    closed = reg::RegCloseKey(keyHandle_) == reg::ERROR_SUCCESS;
    if (closed) isOpen_ = false;
  });
  return closed;
}

vb::Variant cEasyReg::SortArrayAscending(const vb::Variant& list) {
  vb::Proc g(kModule, "SortArrayAscending", MethodTrap(), true);
  if (list.type() != vb::VarType::List) return list;
  vb::Variant sorted = list;
  g.step([&] {
    std::vector<std::string> items = list.list();
    // Insertion sort: each element moves below every earlier one that is greater or equal, so
    // equal elements change their order, as they did in the original routine.
    for (std::size_t i = 1; i < items.size(); ++i) {
      std::string item = std::move(items[i]);
      std::size_t gap = i;
      while (gap > 0 && items[gap - 1] >= item) {
        items[gap] = std::move(items[gap - 1]);
        --gap;
      }
      items[gap] = std::move(item);
    }
    sorted = std::move(items);
  });
  return sorted;
}

long cEasyReg::FindLastBackslash(std::string_view path) {
  const std::size_t position = path.rfind('\\');
  return position == std::string_view::npos ? 0 : static_cast<long>(position) + 1;
}
