#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <vector>

#include "platform/registry/WinReg.h"
#include "platform/runtime/StateReset.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using testsupport::ReadText;
using namespace reg;

class WinReg : public ::testing::Test {
 protected:
  testsupport::TempDir dir;
  fs::path file = dir / "registry.ini";

  void SetUp() override {
    vb::ResetProgramState();
    SetStoreFile(file);
  }
  void TearDown() override { vb::ResetProgramState(); }

  // Starts over from what is on disk, as a new run of the program would.
  void Use(const fs::path& store) {
    reg::resetForTest();
    SetStoreFile(store);
  }
  void Write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  HKEY Create(std::string_view path) {
    HKEY key = 0;
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, path, &key), ERROR_SUCCESS) << path;
    return key;
  }
  std::vector<std::string> SubkeyNames(HKEY key) {
    std::vector<std::string> names;
    std::string name;
    for (uint32_t i = 0; RegEnumKey(key, i, &name) == ERROR_SUCCESS; ++i) names.push_back(name);
    return names;
  }
  std::vector<std::string> ValueNames(HKEY key) {
    std::vector<std::string> names;
    std::string name;
    for (uint32_t i = 0; RegEnumValue(key, i, &name, nullptr, nullptr) == ERROR_SUCCESS; ++i)
      names.push_back(name);
    return names;
  }
  std::vector<fs::path> AsideFiles() { return testsupport::AsideStores(dir.path()); }
};

TEST_F(WinReg, MissingStoreHoldsOnlySoftwareAndIsNotCreatedByReading) {
  HKEY key = 0;
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Velmora", &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(SubkeyNames(HKEY_CURRENT_USER), std::vector<std::string>{"Software"});
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "SOFTWARE", &key), ERROR_SUCCESS);
  EXPECT_EQ(RegEnumKey(key, 0, nullptr), ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(RegQueryValueEx(key, "Top", nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Software"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(StoreProblem(), "");
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software", &key), ERROR_INVALID_HANDLE);
}

TEST_F(WinReg, CreateMakesEveryMissingKeyAndKeysKeepCaseAndOrder) {
  HKEY key = 0;
  uint32_t disposition = 0;
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Velmora\\Tolvane", &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  HKEY again = 0;
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "SOFTWARE\\velmora\\TOLVANE\\", &again, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  EXPECT_NE(again, key);
  // Relative to an open key.
  HKEY software = Create("software");
  HKEY sub = 0;
  ASSERT_EQ(RegCreateKeyEx(software, "Zeta", &sub), ERROR_SUCCESS);
  Create("Software\\Alpha");
  Create("Software\\velmora\\Tolvane\\Deep\\Deeper");

  Use(file);  // everything comes back from the file
  HKEY reopened = Create("Software");
  EXPECT_EQ(SubkeyNames(reopened), (std::vector<std::string>{"Velmora", "Zeta", "Alpha"}));
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "software\\VELMORA\\tolvane\\deep\\DEEPER", &key),
            ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Velmora", &key), ERROR_SUCCESS);
  EXPECT_EQ(SubkeyNames(key), std::vector<std::string>{"Tolvane"});
  EXPECT_NE(ReadText(file).find("[HKEY_CURRENT_USER\\Software\\Velmora\\Tolvane\\Deep]\n"),
            std::string::npos);
}

TEST_F(WinReg, ValuesKeepTheirTypeAndBytesThroughTheFile) {
  struct Case {
    std::string name;
    uint32_t type;
    std::string data;
  };
  const std::vector<Case> cases = {
      {"Top", REG_SZ, "810\0"s},
      {"Empty", REG_SZ, "\0"s},
      {"NoNul", REG_SZ, "abc"},
      {"Odd text", REG_SZ, "a\"b\\c\n\r\t\x01\x7f caf\xC3\xA9 [x]=y;z\0"s},
      {"Path", REG_EXPAND_SZ, "%HOME%\\data\0"s},
      {"List", REG_MULTI_SZ, "a\0b\0\0"s},
      {"Count", REG_DWORD, "\x0a\0\0\x80"s},
      {"Short dword", REG_DWORD, "\x01\x02"s},
      {"Blob", REG_BINARY, "\x00\xff\x10"s},
      {"No bytes", REG_BINARY, ""},
      {"Big", REG_DWORD_BIG_ENDIAN, "\0\0\0\x01"s},
      {"Eleven", 11, "12345678"},
      {"", REG_SZ, "default\0"s},
      {"name \"with\" = and \\", REG_SZ, "x\0"s},
  };
  HKEY key = Create("Software\\Velmora\\Tolvane");
  for (const Case& c : cases)
    ASSERT_EQ(RegSetValueEx(key, c.name, c.type, c.data), ERROR_SUCCESS) << c.name;

  Use(file);
  key = Create("Software\\Velmora\\Tolvane");
  std::vector<std::string> names;
  for (const Case& c : cases) {
    uint32_t type = 0, size = 0;
    std::string data;
    ASSERT_EQ(RegQueryValueEx(key, c.name, &type, nullptr, &size), ERROR_SUCCESS) << c.name;
    EXPECT_EQ(size, c.data.size()) << c.name;
    ASSERT_EQ(RegQueryValueEx(key, c.name, &type, &data, &size), ERROR_SUCCESS) << c.name;
    EXPECT_EQ(type, c.type) << c.name;
    EXPECT_EQ(data, c.data) << c.name;
    names.push_back(c.name);
  }
  EXPECT_EQ(ValueNames(key), names);
  uint32_t type = 0;
  std::string name, data;
  ASSERT_EQ(RegEnumValue(key, 6, &name, &type, &data), ERROR_SUCCESS);
  EXPECT_EQ(name, "Count");
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(RegEnumValue(key, static_cast<uint32_t>(cases.size()), &name, &type, &data),
            ERROR_NO_MORE_ITEMS);

  // The settings a user may want to change read plainly.
  const std::string text = ReadText(file);
  for (const char* line : {"\"Top\"=\"810\"\n", "\"Count\"=dword:8000000a\n",
                           "\"List\"=multi:\"a\\0b\\0\"\n", "\"Blob\"=hex:00,ff,10\n",
                           "\"Eleven\"=hex(11):31,32,33,34,35,36,37,38\n", "\"\"=\"default\"\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
}

TEST_F(WinReg, ValueNamesIgnoreCaseAndKeepTheirFirstSpelling) {
  HKEY key = Create("Software\\Velmora\\Tolvane");
  ASSERT_EQ(RegSetValueEx(key, "Top", REG_SZ, "1\0"s), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueEx(key, "Left", REG_SZ, "2\0"s), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueEx(key, "TOP", REG_DWORD, "\x05\0\0\0"s), ERROR_SUCCESS);
  uint32_t type = 0;
  std::string data;
  ASSERT_EQ(RegQueryValueEx(key, "top", &type, &data, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(data, "\x05\0\0\0"s);
  EXPECT_EQ(ValueNames(key), (std::vector<std::string>{"Top", "Left"}));
  EXPECT_EQ(RegDeleteValue(key, "tOp"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValue(key, "Top"), ERROR_FILE_NOT_FOUND);
  Use(file);
  key = Create("Software\\Velmora\\Tolvane");
  EXPECT_EQ(ValueNames(key), std::vector<std::string>{"Left"});
}

TEST_F(WinReg, DeletingKeysAndStaleHandles) {
  HKEY tolvane = Create("Software\\Velmora\\Tolvane");
  HKEY velmora = Create("Software\\Velmora");
  EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Software\\Velmora"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKey(velmora, "Missing"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKey(velmora, ""), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegDeleteKey(velmora, "TOLVANE"), ERROR_SUCCESS);
  // The handle of the deleted key is still valid as a handle, but its key is gone.
  EXPECT_EQ(RegQueryValueEx(tolvane, "Top", nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
  EXPECT_EQ(RegSetValueEx(tolvane, "Top", REG_SZ, "1\0"s), ERROR_KEY_DELETED);
  EXPECT_EQ(RegCloseKey(tolvane), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(tolvane), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(0), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegQueryValueEx(0, "Top", nullptr, nullptr, nullptr), ERROR_INVALID_HANDLE);
  // Handles are never handed out twice, so a stale one can never close another key.
  HKEY next = Create("Software\\Velmora");
  EXPECT_NE(next, tolvane);
  EXPECT_NE(next, velmora);
  HKEY bad = 0;
  EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Bad\nName", &bad),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\" + std::string(256, 'k'), &bad),
            ERROR_INVALID_PARAMETER);
  Use(file);
  EXPECT_EQ(SubkeyNames(Create("Software\\Velmora")), std::vector<std::string>{});
}

TEST_F(WinReg, HandEditedFileIsRead) {
  Write(file,
        "\xEF\xBB\xBF; edited by hand\r\n"
        "# another comment\r\n"
        "\r\n"
        "[hkey_current_user\\Software\\Velmora\\Tolvane\\Child]\r\n"
        "  \"Leaf\" = \"yes\"  \r\n"
        "[HKEY_CURRENT_USER\\Software\\Velmora\\Tolvane]\r\n"
        "\"Top\"=\"100\"\r\n"
        "\"Bytes\"=hex: 01, 02 ,03\r\n"
        "\"Number\"=DWORD:ff\r\n"
        "\"Top\"=\"200\"\r\n"
        "[HKEY_CURRENT_USER]\n"
        "\"AtRoot\"=expand:\"x\"");
  HKEY key = Create("Software\\Velmora\\Tolvane");
  EXPECT_EQ(StoreProblem(), "");
  EXPECT_EQ(SubkeyNames(key), std::vector<std::string>{"Child"});
  EXPECT_EQ(ValueNames(key), (std::vector<std::string>{"Top", "Bytes", "Number"}));
  std::string data;
  uint32_t type = 0;
  ASSERT_EQ(RegQueryValueEx(key, "Top", &type, &data, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(data, "200\0"s);  // the later line wins
  ASSERT_EQ(RegQueryValueEx(key, "Bytes", &type, &data, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(data, "\x01\x02\x03");
  ASSERT_EQ(RegQueryValueEx(key, "Number", &type, &data, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(data, "\xff\0\0\0"s);
  ASSERT_EQ(RegQueryValueEx(HKEY_CURRENT_USER, "AtRoot", &type, &data, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_EXPAND_SZ);
  HKEY child = 0;
  ASSERT_EQ(RegOpenKeyEx(key, "child", &child), ERROR_SUCCESS);
  ASSERT_EQ(RegQueryValueEx(child, "leaf", &type, &data, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(data, "yes\0"s);
  // Software exists even when the file never named it on its own.
  EXPECT_EQ(SubkeyNames(HKEY_CURRENT_USER), std::vector<std::string>{"Software"});
}

TEST_F(WinReg, DamagedStoreGivesNoKeysAndIsKeptAsideAsSoonAsItIsRead) {
  const std::string good = "[HKEY_CURRENT_USER\\Software\\Velmora]\n\"A\"=\"1\"\n";
  const char* const damaged[] = {
      "garbage",
      "\"A\"=\"2\"",  // bad only before any section: this case goes first in the file
      "\"B\"=\"unterminated",
      "\"B\"=\"bad \\q escape\"",
      "\"B\"=hex:1,02",
      "\"B\"=dword:123456789",
      "\"B\"=hex(x):00",
      "\"B\" \"no equals\"",
      "\"B\"=\"text\" trailing",
      "[HKEY_LOCAL_MACHINE\\Software]",
      "[HKEY_CURRENT_USER\\\\Software]",
      "[HKEY_CURRENT_USER\\Software",
  };
  int round = 0;
  for (const char* bad : damaged) {
    SCOPED_TRACE(bad);
    // The second case is the only one that is bad by where it stands: before any section.
    const std::string text = round == 1 ? std::string(bad) + "\n" + good : good + bad + "\n";
    const int line = round == 1 ? 1 : 3;
    ++round;
    for (const fs::path& aside : AsideFiles()) fs::remove(aside);
    Write(file, text);
    Use(file);
    HKEY key = 0;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Velmora", &key), ERROR_FILE_NOT_FOUND);
    // The read keeps the file aside at once, whole, and says where it went.
    const std::vector<fs::path> aside = AsideFiles();
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(ReadText(aside[0]), text);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(StoreProblem(), "The registry store " + file.string() + " is damaged at line " +
                                  std::to_string(line) + "; it is kept as " + aside[0].string());
    // The next run starts from a clean store, whether or not anything was written meanwhile.
    Use(file);
    EXPECT_EQ(StoreProblem(), "");

    Create("Software\\Velmora\\Tolvane");
    EXPECT_EQ(StoreProblem(), "");
    EXPECT_EQ(AsideFiles(), aside);
    Use(file);
    EXPECT_EQ(StoreProblem(), "");
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Velmora\\Tolvane", &key), ERROR_SUCCESS);
  }
}

TEST_F(WinReg, UnreadableStoreIsKeptAsideToo) {
  fs::create_directories(file / "inside");  // a folder where the file should be
  HKEY key = 0;
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Velmora", &key), ERROR_FILE_NOT_FOUND);
  const std::vector<fs::path> aside = AsideFiles();
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(StoreProblem(), "Cannot read the registry store " + file.string() + "; it is kept as " +
                                aside[0].string());
  Create("Software\\Velmora");
  EXPECT_EQ(AsideFiles(), aside);
  EXPECT_TRUE(fs::is_directory(aside[0] / "inside"));
  EXPECT_TRUE(fs::is_regular_file(file));
}

TEST_F(WinReg, ChangeThatCannotBeWrittenIsUndoneAndReported) {
  // A store whose folder cannot be made: its parent is a file.
  Write(dir / "blocker", "x");
  const fs::path blocked = dir / "blocker" / "registry.ini";
  Use(blocked);
  HKEY key = 0;
  EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Velmora", &key), ERROR_REGISTRY_IO_FAILED);
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Velmora", &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(StoreProblem(), "Cannot write the registry store " + blocked.string());

  // A store file marked read-only.
  Use(file);
  key = Create("Software\\Velmora");
  ASSERT_EQ(RegSetValueEx(key, "Top", REG_SZ, "1\0"s), ERROR_SUCCESS);
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::string before = ReadText(file);
  EXPECT_EQ(RegSetValueEx(key, "Top", REG_SZ, "2\0"s), ERROR_REGISTRY_IO_FAILED);
  EXPECT_EQ(RegDeleteValue(key, "Top"), ERROR_REGISTRY_IO_FAILED);
  EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Software\\Velmora"), ERROR_REGISTRY_IO_FAILED);
  std::string data;
  ASSERT_EQ(RegQueryValueEx(key, "Top", nullptr, &data, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(data, "1\0"s);
  EXPECT_EQ(ReadText(file), before);
  EXPECT_EQ(StoreProblem(), "Cannot write the registry store " + file.string());
  // Opening an existing key writes nothing, so it still works.
  uint32_t disposition = 0;
  EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Velmora", &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(RegSetValueEx(key, "Top", REG_SZ, "3\0"s), ERROR_SUCCESS);
  EXPECT_EQ(StoreProblem(), "");
}

TEST_F(WinReg, ChangesMadeOnDiskAreReadAgain) {
  HKEY key = Create("Software\\Velmora");
  ASSERT_EQ(RegSetValueEx(key, "Top", REG_SZ, "1\0"s), ERROR_SUCCESS);
  Write(file, "[HKEY_CURRENT_USER\\Software\\Velmora]\n\"Top\"=\"changed\"\n\"New\"=\"x\"\n");
  std::string data;
  ASSERT_EQ(RegQueryValueEx(key, "Top", nullptr, &data, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(data, "changed\0"s);
  // A change made now keeps what was added on disk.
  ASSERT_EQ(RegSetValueEx(key, "Left", REG_SZ, "2\0"s), ERROR_SUCCESS);
  EXPECT_EQ(ValueNames(key), (std::vector<std::string>{"Top", "New", "Left"}));
}

// Sets or clears an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST_F(WinReg, StoreFileFollowsTheEnvironment) {
  SetStoreFile({});
  ScopedEnv home("HOME", "/home/pilot");
  {
    ScopedEnv store("TOLVANE_REGISTRY", "/tmp/elsewhere/store.ini");
    ScopedEnv xdg("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(StoreFile(), fs::path("/tmp/elsewhere/store.ini"));
  }
  ScopedEnv store("TOLVANE_REGISTRY", nullptr);
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(StoreFile(), fs::path("/cfg/Velmora/Tolvane/registry.ini"));
  }
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", "relative/cfg");  // ignored, as the XDG rules say
    EXPECT_EQ(StoreFile(), fs::path("/home/pilot/.config/Velmora/Tolvane/registry.ini"));
  }
  ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
  EXPECT_EQ(StoreFile(), fs::path("/home/pilot/.config/Velmora/Tolvane/registry.ini"));
  SetStoreFile(file);
  EXPECT_EQ(StoreFile(), file);
}

}  // namespace
