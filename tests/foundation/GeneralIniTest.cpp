#include <gtest/gtest.h>

#include <fstream>

#include "foundation/General.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/StateReset.h"
#include "platform/ui/FakeHooks.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadText;

class GeneralIni : public ::testing::Test {
 protected:
  testsupport::TempDir dir;
  ui::ScopedFakeHooks hooks;
  fs::path file = dir / "Tolvane.ini";

  void SetUp() override {
    vb::ResetProgramState();
    General::vars().ErrorHandlingOn = 1;
    General::vars().IniFileName = file.string();
  }
  void TearDown() override { vb::ResetProgramState(); }
  void Write(const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
};

TEST_F(GeneralIni, IniBoolFindsTrueAnywhereInTheValue) {
  struct Case {
    const char* value;
    bool defaultValue, expected;
  };
  const Case cases[] = {
      {"", true, true},      {"", false, false},      {"0", true, false},
      {"No", true, false},   {"1", false, false},     {"Yes", false, false},
      {"On", false, false},  {"-1", false, false},    {"True", false, true},
      {"true", false, true}, {"untrue", false, true}, {"not true", false, true},
  };
  for (const Case& c : cases) {
    Write(std::string("[Settings]\nHandleErrors=") + c.value + "\n");
    EXPECT_EQ(General::IniBool("Settings", "HandleErrors", c.defaultValue), c.expected)
        << '"' << c.value << '"';
  }
  EXPECT_TRUE(General::IniBool("Settings", "Missing", true));
  fs::remove(file);
  EXPECT_TRUE(General::IniBool("Settings", "HandleErrors", true));
}

TEST_F(GeneralIni, ReadersFollowTheProfileRules) {
  Write(
      "; settings of the program\r\n"
      "[Settings]\r\n"
      "  FormColor =  \"Light Blue\"  \r\n"
      "Scale=12.5 in\r\n"
      "Name=abc\r\n"
      "Note=a;b\r\n"
      "[Print Locations]\r\n"
      "TopX1=&H10\r\n"
      "Long=" +
      std::string(300, 'x') + "\r\n");
  EXPECT_EQ(General::IniStr("settings", "formcolor"), "Light Blue");
  EXPECT_EQ(General::IniStr("Settings", "Note"), "a;b");
  EXPECT_EQ(General::IniVal("Settings", "Scale"), 12.5);
  EXPECT_EQ(General::IniVal("Settings", "Name"), 0);
  EXPECT_EQ(General::IniVal("Settings", "Missing"), 0);
  EXPECT_EQ(General::IniVal("Print Locations", "TopX1"), 16);
  EXPECT_EQ(General::IniStr("Print Locations", "Long"), std::string(254, 'x'));
  EXPECT_EQ(General::IniStr("Nowhere", "Name"), "");
  General::vars().IniFileName = (dir / "none.ini").string();
  EXPECT_EQ(General::IniStr("Settings", "Name"), "");
  EXPECT_TRUE(hooks.statusTexts.empty());  // a missing file is no error
}

TEST_F(GeneralIni, IsTrueUpperCasesAndSearches) {
  EXPECT_TRUE(General::IsTrue("TrUe"));
  EXPECT_TRUE(General::IsTrue("untrue"));
  EXPECT_FALSE(General::IsTrue("T rue"));
  EXPECT_FALSE(General::IsTrue(""));
}

TEST_F(GeneralIni, WriteIniCreatesReplacesAndAppends) {
  General::WriteINI("Settings", "CategorySelected", "Jets");
  EXPECT_EQ(ReadText(file), "[Settings]\nCategorySelected=Jets\n");
  Write("[Settings]\n; last category\nCategorySelected=Jets\n\n[Database]\nDBName=ac.mdb\n");
  General::WriteINI("settings", "CategorySelected", "Helicopters");
  General::WriteINI("Settings", "Aircraft1", "[12]Corvane CX-9");
  General::WriteINI("Database", "DXFFileDate", "3/15/2024 10:00:00 AM");
  EXPECT_EQ(
      ReadText(file),
      "[Settings]\n; last category\nCategorySelected=Helicopters\nAircraft1=[12]Corvane CX-9\n"
      "\n[Database]\nDBName=ac.mdb\nDXFFileDate=3/15/2024 10:00:00 AM\n");
  EXPECT_EQ(General::IniStr("Database", "DXFFileDate"), "3/15/2024 10:00:00 AM");
}

TEST_F(GeneralIni, WriteIniStoresValuesAsTheirText) {
  General::WriteINI("Settings", "PlotPreview", true);
  General::WriteINI("Settings", "StartFresh", false);
  General::WriteINI("Settings", "Scale", 0.25);
  EXPECT_EQ(General::IniStr("Settings", "PlotPreview"), "True");
  EXPECT_EQ(General::IniStr("Settings", "StartFresh"), "False");
  EXPECT_EQ(General::IniStr("Settings", "Scale"), "0.25");
}

TEST_F(GeneralIni, LineBreaksInAValueBecomeBlanks) {
  General::WriteINI("Settings", "Aircraft2", "[7]Two\r\nLines\nand\rmore");
  EXPECT_EQ(General::IniStr("Settings", "Aircraft2"), "[7]Two Lines and more");
  EXPECT_EQ(ReadText(file), "[Settings]\nAircraft2=[7]Two Lines and more\n");
}

// A write that fails keeps the file as it was and is reported through the common handler,
// naming the file and the reason: once for a run of writes failing alike (a save writes
// several keys), again when another failure comes or after a write that worked.
TEST_F(GeneralIni, AFailedWriteKeepsTheFileAndIsReportedOncePerFailure) {
  struct LogHere {  // ERROR.LOG in the test's folder, for the length of the test
    fs::path saved = vb::CurDir();
    explicit LogHere(const fs::path& folder) { vb::ChDir(folder); }
    ~LogHere() { vb::ChDir(saved); }
  } logHere(dir.path());
  Write("[Settings]\nStartFresh=False\n");
  fs::permissions(file, fs::perms::owner_read);
  EXPECT_FALSE(General::WriteINI("Settings", "StartFresh", "True"));
  EXPECT_FALSE(General::WriteINI("Settings", "Aircraft1", "[7]Seven"));
  EXPECT_EQ(General::IniStr("Settings", "StartFresh"), "False");
  EXPECT_EQ(ReadText(file), "[Settings]\nStartFresh=False\n");
  EXPECT_EQ(General::vars().ErrorCount, 1);
  const std::string log = ReadText(dir / "ERROR.LOG");
  EXPECT_NE(log.find("[General:WriteINI]<Err:75>Cannot write the settings file " + file.string() +
                     " (Permission denied): settings are not saved"),
            std::string::npos)
      << log;
  const fs::path missing = dir / "missing" / "Tolvane.ini";
  General::vars().IniFileName = missing.string();
  EXPECT_FALSE(General::WriteINI("Settings", "StartFresh", "True"));
  EXPECT_FALSE(General::WriteINI("Settings", "StartFresh", "True"));
  EXPECT_FALSE(fs::exists(dir / "missing"));
  EXPECT_EQ(General::vars().ErrorCount, 2);
  EXPECT_NE(ReadText(dir / "ERROR.LOG").find(missing.string() + " (No such file or directory)"),
            std::string::npos);
  // A write that works clears the memory: the same failure later is reported again.
  General::vars().IniFileName = file.string();
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_TRUE(General::WriteINI("Settings", "StartFresh", "True"));
  General::vars().IniFileName = missing.string();
  EXPECT_FALSE(General::WriteINI("Settings", "StartFresh", "True"));
  EXPECT_EQ(General::vars().ErrorCount, 3);
  EXPECT_TRUE(hooks.boxes.empty());
}

}  // namespace

// With error handling off ("HandleErrors=False"), a failed write is still reported, once, and
// the program goes on: nothing is thrown to the caller.
TEST_F(GeneralIni, AFailedWriteIsReportedAndGoesOnWithHandlingOff) {
  const fs::path saved = vb::CurDir();
  vb::ChDir(dir.path());
  General::vars().ErrorHandlingOn = 0;
  Write("[Settings]\nStartFresh=False\n");
  fs::permissions(file, fs::perms::owner_read);
  bool stored = true;
  EXPECT_NO_THROW(stored = General::WriteINI("Database", "DXFFileDate", "2026-03-04 05:06:07"));
  EXPECT_FALSE(stored);
  EXPECT_NO_THROW(General::WriteINI("Settings", "Aircraft1", "[7]Seven"));
  EXPECT_EQ(ReadText(file), "[Settings]\nStartFresh=False\n");
  EXPECT_EQ(General::vars().ErrorCount, 1);
  EXPECT_NE(ReadText(dir / "ERROR.LOG")
                .find("[General:WriteINI]<Err:75>Cannot write the settings file " + file.string()),
            std::string::npos);
  EXPECT_TRUE(hooks.boxes.empty());
  vb::ChDir(saved);
}
