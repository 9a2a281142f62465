#include <gtest/gtest.h>

#include <vector>

#include "foundation/General.h"
#include "foundation/cEasyReg.h"
#include "platform/registry/WinReg.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/StateReset.h"
#include "platform/ui/FakeHooks.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using List = std::vector<std::string>;

constexpr std::string_view kKey = "Software\\Velmora\\Tolvane";

class EasyReg : public ::testing::Test {
 protected:
  testsupport::TempDir dir;
  ui::ScopedFakeHooks hooks;

  void SetUp() override {
    vb::ResetProgramState();
    General::vars().ErrorHandlingOn = 1;
    vb::ChDir(dir.path());
    reg::SetStoreFile(dir / "registry.ini");
    reg::HKEY key = 0;
    ASSERT_EQ(reg::RegCreateKeyEx(reg::HKEY_CURRENT_USER, kKey, &key), reg::ERROR_SUCCESS);
    reg::RegCloseKey(key);
  }
  void TearDown() override { vb::ResetProgramState(); }
  // Stores a value directly, whatever its type.
  void Store(std::string_view name, uint32_t type, std::string_view data) {
    reg::HKEY key = 0;
    ASSERT_EQ(reg::RegOpenKeyEx(reg::HKEY_CURRENT_USER, kKey, &key), reg::ERROR_SUCCESS);
    ASSERT_EQ(reg::RegSetValueEx(key, name, type, data), reg::ERROR_SUCCESS);
    reg::RegCloseKey(key);
  }
  // The stored type and bytes of a value (type 0xFFFF when missing).
  std::pair<uint32_t, std::string> Stored(std::string_view name) {
    reg::HKEY key = 0;
    uint32_t type = 0xFFFF;
    std::string data;
    if (reg::RegOpenKeyEx(reg::HKEY_CURRENT_USER, kKey, &key) == reg::ERROR_SUCCESS) {
      if (reg::RegQueryValueEx(key, name, &type, &data, nullptr) != reg::ERROR_SUCCESS)
        type = 0xFFFF;
      reg::RegCloseKey(key);
    }
    return {type, data};
  }
};

TEST_F(EasyReg, ClosedObjectDoesNothing) {
  cEasyReg r;
  EXPECT_EQ(r.RegistryRootKey(), 0u);
  EXPECT_EQ(r.SubDirectory(), "");
  EXPECT_TRUE(r.GetAllSubDirectories().isEmpty());
  EXPECT_FALSE(r.CreateDirectory("New"));
  EXPECT_FALSE(r.DeleteDirectory("Software"));
  EXPECT_TRUE(r.GetAllValues().isEmpty());
  EXPECT_FALSE(r.CreateValue("Top", "1", reg::REG_SZ));
  EXPECT_FALSE(r.CreateValue("Top", "1", reg::REG_BINARY));  // no message while closed
  EXPECT_FALSE(r.DeleteValue("Top"));
  EXPECT_TRUE(r.GetValue("Top").isEmpty());
  EXPECT_FALSE(r.CloseRegistry());
  EXPECT_TRUE(hooks.boxes.empty());

  EXPECT_FALSE(r.OpenRegistry(0, kKey));
  EXPECT_EQ(r.RegistryRootKey(), 0u);
  EXPECT_FALSE(r.CreateDirectory("New"));  // still not open
  EXPECT_FALSE(r.OpenRegistry(reg::HKEY_CURRENT_USER, "Software\\Missing"));
  EXPECT_EQ(r.SubDirectory(), "Software\\Missing");
  EXPECT_FALSE(r.CreateDirectory("New"));
}

TEST_F(EasyReg, GetValueConvertsByType) {
  struct Case {
    const char* name;
    uint32_t type;
    std::string data;
    bool raw;
    vb::Variant expected;
  };
  const Case cases[] = {
      {"Sz", reg::REG_SZ, "True\0"s, false, "True"},
      {"SzNoBytes", reg::REG_SZ, "", false, ""},
      {"SzNoNul", reg::REG_SZ, "abc", false, "abc"},
      {"Expand", reg::REG_EXPAND_SZ, "%HOME%\0"s, false, "%HOME%"},
      {"Dword", reg::REG_DWORD, "\x01\0\0\0"s, false, "01 00 00 00 "},
      {"DwordRaw", reg::REG_DWORD, "\x01\0\0\0"s, true, vb::Variant("\x01\0\0\0"s)},
      {"Binary", reg::REG_BINARY, "\xab\x0c"s, false, "AB 0C "},
      {"BinaryRaw", reg::REG_BINARY, "\xab\x0c"s, true, "\xab\x0c"},
      {"Big", reg::REG_DWORD_BIG_ENDIAN, "\0\0\0\x01"s, false, vb::Variant("\0\0\0\x01"s)},
      {"Multi", reg::REG_MULTI_SZ, "a\0b\0\0"s, false, List{"a", "b", ""}},
      {"None", reg::REG_NONE, "x", false, "Not defined value_type=REG_NONE"},
      {"Link", reg::REG_LINK, "x", false, "Not defined value_type=REG_LINK"},
      {"T8", 8, "x", false, "Not defined value_type=REG_RESOURCE_LIST"},
      {"T9", 9, "x", false, "Not defined value_type=REG_FULL_RESOURCE_DESCRIPTOR"},
      {"T10", 10, "x", false, "Not defined value_type=REG_RESOURCE_REQUIREMENTS_LIST"},
      {"T11", 11, "x", false, "value_type=11"},
  };
  for (const Case& c : cases) Store(c.name, c.type, c.data);
  cEasyReg r;
  ASSERT_TRUE(r.OpenRegistry(reg::HKEY_CURRENT_USER, kKey));
  for (const Case& c : cases) EXPECT_EQ(r.GetValue(c.name, c.raw), c.expected) << c.name;

  // A missing value is Empty, not "": callers convert it to 0, "" or False.
  const vb::Variant missing = r.GetValue("Missing");
  EXPECT_TRUE(missing.isEmpty());
  EXPECT_EQ(missing.toLong(), 0);
  EXPECT_EQ(missing.toString(), "");
  EXPECT_FALSE(missing.toBool());

  // Any other failure of the query is told in the result.
  reg::RegDeleteKey(reg::HKEY_CURRENT_USER, kKey);
  EXPECT_EQ(r.GetValue("Sz"), vb::Variant("RegQueryValueEx Returned : (1018)"));
}

TEST_F(EasyReg, CreateValueWritesTheDataOfEachType) {
  cEasyReg r;
  ASSERT_TRUE(r.OpenRegistry(reg::HKEY_CURRENT_USER, kKey));
  EXPECT_TRUE(r.CreateValue("Bool", true, reg::REG_SZ));
  EXPECT_TRUE(r.CreateValue("Negative", int32_t{-1}, reg::REG_SZ));
  EXPECT_TRUE(r.CreateValue("Expand", "%HOME%", reg::REG_EXPAND_SZ));
  EXPECT_TRUE(r.CreateValue("Dword", int32_t{258}, reg::REG_DWORD));
  EXPECT_TRUE(r.CreateValue("Multi", "a", reg::REG_MULTI_SZ,
                            vb::Variant(List{"b", "", std::string(1, '\0'), "c"})));
  EXPECT_TRUE(r.CreateValue("MultiOne", "a", reg::REG_MULTI_SZ, vb::Variant("x")));
  EXPECT_TRUE(r.CreateValue("MultiNull", "a", reg::REG_MULTI_SZ, vb::Variant::Null()));
  EXPECT_TRUE(r.CreateValue("MultiAlone", "a", reg::REG_MULTI_SZ));
  EXPECT_EQ(Stored("Bool"), std::make_pair(reg::REG_SZ, "True\0"s));
  EXPECT_EQ(Stored("Negative"), std::make_pair(reg::REG_SZ, "-1\0"s));
  EXPECT_EQ(Stored("Expand"), std::make_pair(reg::REG_EXPAND_SZ, "%HOME%\0"s));
  EXPECT_EQ(Stored("Dword"), std::make_pair(reg::REG_DWORD, "\x02\x01\0\0"s));
  EXPECT_EQ(Stored("Multi"), std::make_pair(reg::REG_MULTI_SZ, "a\0b\0c\0\0"s));
  EXPECT_EQ(Stored("MultiOne"), std::make_pair(reg::REG_MULTI_SZ, "a\0x\0\0"s));
  EXPECT_EQ(Stored("MultiNull"), std::make_pair(reg::REG_MULTI_SZ, "a\0\0"s));
  EXPECT_EQ(Stored("MultiAlone"), std::make_pair(reg::REG_MULTI_SZ, "a\0\0"s));
  EXPECT_EQ(r.GetValue("Multi"), vb::Variant(List{"a", "b", "c", ""}));
  EXPECT_TRUE(hooks.boxes.empty());

  // A value that does not convert writes nothing; the error is not reported.
  EXPECT_FALSE(r.CreateValue("Bad", "abc", reg::REG_DWORD));
  EXPECT_FALSE(r.CreateValue("Bad", vb::Variant::Null(), reg::REG_SZ));
  EXPECT_EQ(Stored("Bad").first, 0xFFFFu);
  EXPECT_EQ(General::vars().ErrorCount, 0);
  EXPECT_FALSE(fs::exists(dir / "ERROR.LOG"));

  EXPECT_FALSE(r.CreateValue("Blob", "ab", reg::REG_BINARY));
  ASSERT_EQ(hooks.boxes.size(), 1u);
  EXPECT_EQ(hooks.boxes[0].prompt, "Unable to process that Type of data.");
  EXPECT_EQ(hooks.boxes[0].title, "Tolvane");
  EXPECT_EQ(hooks.boxes[0].buttons, ui::Buttons::OK);
  EXPECT_EQ(Stored("Blob").first, 0xFFFFu);
}

TEST_F(EasyReg, ErrorsGoToTheCallerWhenHandlingIsOff) {
  General::vars().ErrorHandlingOn = 0;
  cEasyReg r;
  ASSERT_TRUE(r.OpenRegistry(reg::HKEY_CURRENT_USER, kKey));
  try {
    r.CreateValue("Bad", "abc", reg::REG_DWORD);
    FAIL() << "no error";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.number, vb::err::TypeMismatch);
  }
}

TEST_F(EasyReg, SubkeysAndValuesAreListedAndDeleted) {
  cEasyReg r;
  ASSERT_TRUE(r.OpenRegistry(reg::HKEY_CURRENT_USER, kKey));
  EXPECT_EQ(r.GetAllSubDirectories(), vb::Variant(List{}));
  EXPECT_EQ(r.GetAllValues(), vb::Variant(List{}));
  EXPECT_TRUE(r.CreateDirectory("B"));
  EXPECT_TRUE(r.CreateDirectory("a"));
  EXPECT_TRUE(r.CreateDirectory("A"));  // the same key as "a"
  EXPECT_TRUE(r.CreateDirectory("a\\Deeper"));
  EXPECT_EQ(r.SubDirectory(), kKey);  // the open key stays the same
  EXPECT_TRUE(r.CreateValue("Zulu", "1", reg::REG_SZ));
  EXPECT_TRUE(r.CreateValue("Alpha", "2", reg::REG_SZ));
  EXPECT_EQ(r.GetAllSubDirectories(), vb::Variant(List{"B", "a"}));
  EXPECT_EQ(r.GetAllValues(), vb::Variant(List{"Zulu", "Alpha"}));

  EXPECT_FALSE(r.DeleteDirectory("a"));  // it has a subkey
  EXPECT_TRUE(r.DeleteDirectory("A\\deeper"));
  EXPECT_TRUE(r.DeleteDirectory("A"));
  EXPECT_FALSE(r.DeleteDirectory("A"));
  EXPECT_TRUE(r.DeleteValue("zulu"));
  EXPECT_FALSE(r.DeleteValue("zulu"));
  EXPECT_TRUE(r.CloseRegistry());

  // A new object sees what the last one left, from the store file.
  reg::resetForTest();
  reg::SetStoreFile(dir / "registry.ini");
  cEasyReg next;
  ASSERT_TRUE(next.OpenRegistry(reg::HKEY_CURRENT_USER, kKey));
  EXPECT_EQ(next.GetAllSubDirectories(), vb::Variant(List{"B"}));
  EXPECT_EQ(next.GetAllValues(), vb::Variant(List{"Alpha"}));
  EXPECT_EQ(next.GetValue("ALPHA"), vb::Variant("2"));
}

TEST_F(EasyReg, OneBackOnKeyWalksUpToTheRoot) {
  cEasyReg r;
  ASSERT_TRUE(r.OpenRegistry(reg::HKEY_CURRENT_USER, kKey));
  r.OneBackOnKey();
  EXPECT_EQ(r.SubDirectory(), "Software\\Velmora");
  EXPECT_EQ(r.GetAllSubDirectories(), vb::Variant(List{"Tolvane"}));
  r.OneBackOnKey();
  EXPECT_EQ(r.SubDirectory(), "Software");
  r.OneBackOnKey();  // no "\" left: the root key itself
  EXPECT_EQ(r.SubDirectory(), "");
  EXPECT_EQ(r.GetAllSubDirectories(), vb::Variant(List{"Software"}));
  EXPECT_EQ(r.RegistryRootKey(), reg::HKEY_CURRENT_USER);
  r.OneBackOnKey();
  EXPECT_EQ(r.SubDirectory(), "");
  EXPECT_EQ(r.GetAllSubDirectories(), vb::Variant(List{"Software"}));
  EXPECT_TRUE(r.CloseRegistry());
  EXPECT_FALSE(r.CloseRegistry());
  EXPECT_TRUE(r.GetAllSubDirectories().isEmpty());
}

TEST_F(EasyReg, SortArrayAscendingByCharacterCode) {
  cEasyReg r;
  EXPECT_EQ(r.SortArrayAscending(List{"B", "a", "A"}), vb::Variant(List{"A", "B", "a"}));
  EXPECT_EQ(r.SortArrayAscending(List{"b", "b", "10", "9", "", "\xC3\xA9", "a"}),
            vb::Variant(List{"", "10", "9", "a", "b", "b", "\xC3\xA9"}));
  EXPECT_EQ(r.SortArrayAscending(List{}), vb::Variant(List{}));
  EXPECT_EQ(r.SortArrayAscending("B a A"), vb::Variant("B a A"));
  EXPECT_TRUE(r.SortArrayAscending(vb::Variant()).isEmpty());
}

}  // namespace
