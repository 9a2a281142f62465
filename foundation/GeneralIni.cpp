// Module General: reading and writing the INI settings file "Tolvane.ini".
#include "foundation/General.h"
#include "platform/ini/Profile.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/Strings.h"
#include "platform/runtime/Trap.h"

namespace General {

namespace {

constexpr std::string_view kModule = "General";
// The Windows design read every value into a 255-character buffer.
constexpr int kBufferSize = 255;

std::string ReadIni(std::string_view section, std::string_view key) {
  return ini::GetPrivateProfileString(section, key, "", kBufferSize, vars().IniFileName);
}

}  // namespace

std::string IniStr(std::string_view section, std::string_view key) {
  vb::Proc g(kModule, "IniStr");
  return g.value([&] { return ReadIni(section, key); });
}

double IniVal(std::string_view section, std::string_view key) {
  vb::Proc g(kModule, "IniVal");
  return g.value([&] { return vb::Val(ReadIni(section, key)); }, 0);
}

bool IniBool(std::string_view section, std::string_view key, bool defaultValue) {
  vb::Proc g(kModule, "IniBool");
  bool value = defaultValue;
  g.step([&] {
    std::string text = ReadIni(section, key);
    value = text.empty() ? defaultValue : IsTrue(text);
  });
  return value;
}

bool IsTrue(std::string_view value) {
  vb::Proc g(kModule, "IsTrue");
  bool result = false;
  // On purpose a plain search: "untrue" and "not true" read as true, "1" and "Yes" as false.
  g.step([&] { result = vb::InStr(vb::UCase(value), "TRUE") > 0; });
  return result;
}

bool WriteINI(std::string_view section, std::string_view key, std::string_view value) {
  vb::Proc g(kModule, "WriteINI");
  Vars& v = vars();
  bool stored = false;
  std::string failure;
  g.step([&] {
    // A line break would split the key's line in two; it is stored as a blank instead.
    std::string text;
    text.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
      char c = value[i];
      if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
      text += (c == '\r' || c == '\n') ? ' ' : c;
    }
    std::string why;
    stored = ini::WritePrivateProfileString(section, key, text, v.IniFileName, &why);
    if (stored)
      v.LastIniWriteFailure.clear();
    else
      failure = "Cannot write the settings file " + v.IniFileName + " (" + why +
                "): settings are not saved";
  });
  // The file keeps what it held; the user is told once which file and why, whether or not
  // error handling is on: a setting that cannot be saved never ends the program.
  if (!failure.empty() && failure != v.LastIniWriteFailure) {
    v.LastIniWriteFailure = failure;
    g.report({vb::err::PathFileAccess, std::move(failure)});
  }
  return stored;
}

bool WriteINI(std::string_view section, std::string_view key, const char* value) {
  return WriteINI(section, key, std::string_view(value ? value : ""));
}

bool WriteINI(std::string_view section, std::string_view key, bool value) {
  return WriteINI(section, key, std::string_view(value ? "True" : "False"));
}

bool WriteINI(std::string_view section, std::string_view key, double value) {
  return WriteINI(section, key, std::string_view(vb::CStr(value)));
}

}  // namespace General
