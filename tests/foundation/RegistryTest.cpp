#include <gtest/gtest.h>

#include <fstream>
#include <utility>
#include <vector>

#include "foundation/General.h"
#include "foundation/Registry.h"
#include "platform/registry/WinReg.h"
#include "platform/runtime/StateReset.h"
#include "platform/ui/FakeHooks.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadText;
using Texts = std::vector<std::pair<std::string, std::string>>;

// The record on a 1920 x 1080 pixel screen (28800 x 16200 twips) with no settings stored.
Registry::Settings Defaults() {
  Registry::Settings s;
  s.Top = 810;
  s.Left = 1440;
  s.Width = 25920;
  s.Height = 14580;
  s.DatabaseVersion = "Database Version Error";
  s.PanWithMouse = 1;
  s.ZoomWithMouse = 1;
  s.ToolbarVisible = true;
  s.ToolbarDocked = true;
  s.ToolbarX = 1000;
  s.ToolbarY = 500;
  s.PlaneColor1 = 255;
  s.PlaneColor2 = 0xFF0000;
  s.DimColor = -1;
  return s;
}

const Texts kDefaultTexts = {
    {"Top", "810"},
    {"Left", "1440"},
    {"Width", "25920"},
    {"Height", "14580"},
    {"Aircraft1", ""},
    {"Aircraft2", ""},
    {"PanWithMouse", "1"},
    {"ZoomWithMouse", "1"},
    {"ToolbarVisible", "True"},
    {"ToolbarDocked", "True"},
    {"ToolbarX", "1000"},
    {"ToolbarY", "500"},
    {"DatabaseVersion", "Database Version Error"},
    {"PlaneColor1", "255"},
    {"PlaneColor2", "16711680"},
    {"DimColor", "-1"},
    {"ProgramVersion", ""},
};

class RegistryRecord : public ::testing::Test {
 protected:
  testsupport::TempDir dir;
  ui::ScopedFakeHooks hooks;
  fs::path file = dir / "registry.ini";
  Registry::Settings& s = Registry::RegSettings();

  void SetUp() override {
    vb::ResetProgramState();
    General::vars().ErrorHandlingOn = 1;
    General::vars().MaxErrors = 1000;
    vb::ChDir(dir.path());
    reg::SetStoreFile(file);
  }
  void TearDown() override { vb::ResetProgramState(); }
  // A new run of the program on the store file.
  void UseStore(const fs::path& store) {
    reg::resetForTest();
    reg::SetStoreFile(store);
  }
  // Every value of the settings key, in order, as text; each must be a string value.
  Texts StoredTexts() {
    Texts texts;
    reg::HKEY key = 0;
    if (reg::RegOpenKeyEx(reg::HKEY_CURRENT_USER, Registry::kKeyPath, &key) != reg::ERROR_SUCCESS)
      return texts;
    std::string name, data;
    uint32_t type = 0;
    for (uint32_t i = 0; reg::RegEnumValue(key, i, &name, &type, &data) == reg::ERROR_SUCCESS;
         ++i) {
      EXPECT_EQ(type, reg::REG_SZ) << name;
      EXPECT_TRUE(!data.empty() && data.back() == '\0') << name;
      data.pop_back();
      texts.emplace_back(name, data);
    }
    reg::RegCloseKey(key);
    return texts;
  }
  // Stores the defaults, then the given texts over them.
  void StoreSettings(const Texts& changes) {
    Registry::LoadDefaults();
    ASSERT_EQ(Registry::SaveRegData(), 0);
    for (const auto& [name, text] : changes)
      ASSERT_EQ(Registry::WriteRegistryValue(name, text), 0) << name;
  }
};

TEST_F(RegistryRecord, FirstRunTakesTheDefaultsAndWritesAllSeventeenAsText) {
  Registry::GetRegData();
  EXPECT_EQ(s, Defaults());
  EXPECT_EQ(StoredTexts(), kDefaultTexts);
  EXPECT_TRUE(hooks.boxes.empty());
  EXPECT_NE(ReadText(file).find("\"DimColor\"=\"-1\"\n"), std::string::npos);

  // The next run reads the same record back.
  UseStore(file);
  s = Registry::Settings{};
  Registry::GetRegData();
  EXPECT_EQ(s, Defaults());
  EXPECT_TRUE(hooks.boxes.empty());
}

TEST_F(RegistryRecord, SavedRecordComesBack) {
  Registry::LoadDefaults();
  s.Top = 0;
  s.Left = 28800;
  s.Width = 2500;
  s.Height = 1000;
  s.Aircraft1 = "0123";
  s.Aircraft2 = "77";
  s.PanWithMouse = 0;
  s.ZoomWithMouse = 255;
  s.ToolbarVisible = false;
  s.ToolbarDocked = false;
  s.ToolbarX = -300;
  s.ToolbarY = 0;
  s.DatabaseVersion = "2025.4 (Spring)";
  s.PlaneColor1 = 0x00FF00;
  s.PlaneColor2 = 0;
  s.DimColor = -1;
  s.ProgramVersion = "1.0.0";
  ASSERT_EQ(Registry::SaveRegData(), 0);
  const Registry::Settings saved = s;
  UseStore(file);
  s = Registry::Settings{};
  Registry::GetRegData();
  EXPECT_EQ(s, saved);
  EXPECT_TRUE(hooks.boxes.empty());
}

TEST_F(RegistryRecord, PositionAndSizeAreCorrectedAsTheyAreRead) {
  struct Case {
    const char* name;
    const char* text;
    int32_t Registry::Settings::*field;
    int32_t expected;
  };
  using S = Registry::Settings;
  const Case cases[] = {
      {"Top", "-10", &S::Top, 2025},        {"Top", "16200", &S::Top, 16200},
      {"Top", "16201", &S::Top, 2025},      {"Top", "0", &S::Top, 0},
      {"Left", "-1", &S::Left, 3600},       {"Left", "28800", &S::Left, 28800},
      {"Left", "28801", &S::Left, 3600},    {"Width", "2499", &S::Width, 21600},
      {"Width", "2500", &S::Width, 2500},   {"Height", "999", &S::Height, 12150},
      {"Height", "1000", &S::Height, 1000}, {"ToolbarX", "-5", &S::ToolbarX, -5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + "=" + c.text);
    StoreSettings({{c.name, c.text}});
    Registry::GetRegData();
    EXPECT_EQ(s.*c.field, c.expected);
  }
  // Corrections are rounded to whole twips, halves to even: 16204 / 8 and 16212 / 8 are
  // 2025.5 and 2026.5.
  for (double height : {16204.0, 16212.0}) {
    Registry::SetScreenSize(28800, height);
    StoreSettings({{"Top", "-1"}});
    Registry::GetRegData();
    EXPECT_EQ(s.Top, 2026) << height;
  }
  EXPECT_TRUE(hooks.boxes.empty());
}

TEST_F(RegistryRecord, DefaultsFollowTheScreen) {
  Registry::SetScreenSize(1280 * 15, 1024 * 15);
  Registry::LoadDefaults();
  EXPECT_EQ(s.Top, 768);
  EXPECT_EQ(s.Left, 960);
  EXPECT_EQ(s.Width, 17280);
  EXPECT_EQ(s.Height, 13824);
}

TEST_F(RegistryRecord, MissingValuesReadAsZeroEmptyOrFalse) {
  StoreSettings({});
  reg::HKEY key = 0;
  ASSERT_EQ(reg::RegOpenKeyEx(reg::HKEY_CURRENT_USER, Registry::kKeyPath, &key),
            reg::ERROR_SUCCESS);
  ASSERT_EQ(reg::RegDeleteValue(key, "PlaneColor1"), reg::ERROR_SUCCESS);
  Registry::GetRegData();
  Registry::Settings expected = Defaults();
  expected.PlaneColor1 = 0;  // black: the default is not applied to a single missing value
  EXPECT_EQ(s, expected);

  // A key with no values at all.
  for (const auto& [name, text] : kDefaultTexts) reg::RegDeleteValue(key, name);
  reg::RegCloseKey(key);
  Registry::GetRegData();
  Registry::Settings empty;
  empty.Width = 21600;   // corrected from 0
  empty.Height = 12150;  // corrected from 0
  EXPECT_EQ(s, empty);
  EXPECT_TRUE(hooks.boxes.empty());
}

TEST_F(RegistryRecord, ValueThatDoesNotConvertKeepsItsFieldAndEndsInTheReadBox) {
  StoreSettings({{"Top", "abc"}, {"PanWithMouse", "300"}, {"Aircraft1", "0042"}});
  s.Top = 1234;
  s.PanWithMouse = 7;
  Registry::GetRegData();
  EXPECT_EQ(s.Top, 1234);
  EXPECT_EQ(s.PanWithMouse, 7);
  EXPECT_EQ(s.Aircraft1, "0042");  // the rest is read
  EXPECT_EQ(s.PlaneColor2, 0xFF0000);
  const std::string log = ReadText(dir / "ERROR.LOG");
  EXPECT_NE(log.find("[Registry:GetRegData]<Err:13>Type mismatch"), std::string::npos) << log;
  EXPECT_NE(log.find("[Registry:GetRegData]<Err:6>Overflow"), std::string::npos) << log;
  ASSERT_EQ(hooks.boxes.size(), 1u);
  EXPECT_EQ(hooks.boxes[0].prompt, "Error Overflow (6)");  // the last error met
  EXPECT_EQ(hooks.boxes[0].title, "Error Reading From Registry...");
  EXPECT_EQ(hooks.boxes[0].buttons, ui::Buttons::OK);
}

TEST_F(RegistryRecord, MetricValue) {
  // No key yet: an empty text.
  EXPECT_EQ(Registry::RegistryValue("Metric"), vb::Variant(""));
  StoreSettings({});
  // The key without the value: Empty, which converts to False.
  const vb::Variant never = Registry::RegistryValue("Metric");
  EXPECT_TRUE(never.isEmpty());
  EXPECT_FALSE(never.toBool());
  EXPECT_EQ(Registry::WriteRegistryValue("Metric", true), 0);
  EXPECT_EQ(Registry::RegistryValue("metric"), vb::Variant("True"));
  EXPECT_TRUE(Registry::RegistryValue("Metric").toBool());
  EXPECT_EQ(Registry::WriteRegistryValue("Metric", false), 0);
  EXPECT_FALSE(Registry::RegistryValue("Metric").toBool());
  EXPECT_TRUE(hooks.boxes.empty());
}

TEST_F(RegistryRecord, WriteRegistryValueCreatesTheKey) {
  EXPECT_EQ(Registry::WriteRegistryValue("Metric", true), 0);
  EXPECT_EQ(StoredTexts(), (Texts{{"Metric", "True"}}));
  // The key is there now, so the next start reads an empty record instead of the defaults.
  Registry::GetRegData();
  EXPECT_EQ(s.PlaneColor1, 0);
  EXPECT_TRUE(hooks.boxes.empty());
}

TEST_F(RegistryRecord, StoreThatCannotBeWrittenShowsTheWriteBox) {
  StoreSettings({});
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::string before = ReadText(file);
  s.Top = 99;
  EXPECT_EQ(Registry::SaveRegData(), 75);
  ASSERT_EQ(hooks.boxes.size(), 1u);
  EXPECT_EQ(hooks.boxes[0].prompt,
            "Error Cannot write the registry store " + file.string() + " (75)");
  EXPECT_EQ(hooks.boxes[0].title, "Error Writing To Registry...");
  EXPECT_EQ(ReadText(file), before);

  // The same failure of the store is told once: the next write fails alike without a report.
  const std::string log = ReadText(dir / "ERROR.LOG");
  EXPECT_EQ(Registry::WriteRegistryValue("Metric", true), 75);
  EXPECT_EQ(Registry::SaveRegData(), 75);
  EXPECT_EQ(hooks.boxes.size(), 1u);
  EXPECT_EQ(ReadText(dir / "ERROR.LOG"), log);

  // Once the store has worked again, the failure is told again. The one "Metric" value:
  // reported as an error of the procedure, with no box of its own.
  fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(Registry::WriteRegistryValue("Metric", false), 0);
  fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
  const std::string worked = ReadText(file);
  EXPECT_EQ(Registry::WriteRegistryValue("Metric", true), 75);
  EXPECT_EQ(hooks.boxes.size(), 1u);
  EXPECT_NE(ReadText(dir / "ERROR.LOG")
                .find("[Registry:WriteRegistryValue]<Err:75>Cannot write the registry store"),
            std::string::npos);
  EXPECT_EQ(ReadText(file), worked);
}

// With error handling off (HandleErrors=False), a failure of the store is still reported, with
// its box, and never ends the program: the settings live on in memory.
TEST_F(RegistryRecord, StoreFailuresAreReportedAndGoOnWithHandlingOff) {
  General::vars().ErrorHandlingOn = 0;
  General::vars().MaxErrors = 0;
  // A damaged store read at start: told, kept aside, the defaults taken and written afresh.
  std::ofstream(file) << "[HKEY_CURRENT_USER\\Software\\Velmora\\Tolvane]\ngarbage\n";
  EXPECT_NO_THROW(Registry::GetRegData());
  EXPECT_EQ(s, Defaults());
  EXPECT_EQ(StoredTexts(), kDefaultTexts);
  ASSERT_EQ(hooks.boxes.size(), 1u);
  EXPECT_EQ(hooks.boxes[0].title, "Error Reading From Registry...");
  // A store that cannot be written: at the save, and at the one "Metric" value.
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  s.Top = 99;
  int32_t saved = 0;
  EXPECT_NO_THROW(saved = Registry::SaveRegData());
  EXPECT_EQ(saved, 75);
  ASSERT_EQ(hooks.boxes.size(), 2u);
  EXPECT_EQ(hooks.boxes[1].title, "Error Writing To Registry...");
  EXPECT_EQ(s.Top, 99);
  fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(Registry::WriteRegistryValue("Metric", false), 0);
  fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_NO_THROW(saved = Registry::WriteRegistryValue("Metric", true));
  EXPECT_EQ(saved, 75);
  const std::string log = ReadText(dir / "ERROR.LOG");
  EXPECT_NE(log.find("[Registry:GetRegData]<Err:75>The registry store " + file.string() +
                     " is damaged at line 2; it is kept as "),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("[Registry:SaveRegData]<Err:75>Cannot write the registry store"),
            std::string::npos);
  EXPECT_NE(log.find("[Registry:WriteRegistryValue]<Err:75>Cannot write the registry store"),
            std::string::npos);
}

TEST_F(RegistryRecord, KeyThatCannotBeMadeShowsCouldntOpen) {
  std::ofstream(dir / "blocker") << "a file where the store's folder should be";
  UseStore(dir / "blocker" / "registry.ini");
  Registry::GetRegData();
  EXPECT_EQ(s, Defaults());  // kept in memory, unsaved
  ASSERT_EQ(hooks.boxes.size(), 1u);
  EXPECT_EQ(hooks.boxes[0].prompt, "Couldn't Open Registry (CORPDIR)");
  EXPECT_EQ(hooks.boxes[0].title, "Tolvane");
  EXPECT_EQ(Registry::SaveRegData(), -1);
  EXPECT_EQ(Registry::WriteRegistryValue("Metric", true), -1);
  EXPECT_EQ(hooks.boxes.size(), 3u);
}

TEST_F(RegistryRecord, DamagedStoreShowsTheReadBoxAndIsKeptAside) {
  std::ofstream(file)
      << "[HKEY_CURRENT_USER\\Software\\Velmora\\Tolvane]\n\"Top\"=\"5\"\ngarbage\n";
  Registry::GetRegData();
  const std::vector<fs::path> aside = testsupport::AsideStores(dir.path());
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_NE(ReadText(aside[0]).find("garbage"), std::string::npos);
  ASSERT_EQ(hooks.boxes.size(), 1u);
  EXPECT_EQ(hooks.boxes[0].prompt, "Error The registry store " + file.string() +
                                       " is damaged at line 3; it is kept as " + aside[0].string() +
                                       " (75)");
  EXPECT_EQ(hooks.boxes[0].title, "Error Reading From Registry...");
  EXPECT_EQ(s, Defaults());
  EXPECT_EQ(StoredTexts(), kDefaultTexts);
}

}  // namespace
