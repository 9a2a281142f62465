// The faults of a real machine under the settings, the logs and the aircraft database: a full
// disk, a program folder that cannot be written, a database file that vanishes or is replaced
// between start and use. Each leaves the program running, says what happened where it still
// can, and leaves every settings file as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "DBaseFixture.h"
#include "foundation/Registry.h"
#include "platform/registry/WinReg.h"
#include "platform/runtime/Trap.h"
#include "support/BrokenDisk.h"

namespace {

namespace fs = std::filesystem;
using dbasetest::DBaseFixture;
using testsupport::BrokenFolder;

class MachineFaults : public DBaseFixture {
 protected:
  static void Put(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
  }
  static std::string Text(const fs::path& file) { return testsupport::ReadText(file); }
  // A step that fails, reported through the common handler as any procedure's would be.
  static void FailingStep() {
    vb::Proc g("Test", "FailingStep");
    g.step([] { vb::Raise(vb::err::TypeMismatch); });
  }
};

#define SKIP_UNLESS_AVAILABLE(broken) \
  if (!(broken).available()) GTEST_SKIP() << (broken).why(); \
  std::cout << "broken by " << (broken).way() << "\n"

TEST_F(MachineFaults, AFullDiskUnderTheIniFileKeepsTheFileAndTheProgramGoesOn) {
  const fs::path disk = dir / "disk";
  const std::string original = "[Settings]\r\nStartFresh=False\r\n";
  BrokenFolder broken(disk, BrokenFolder::Kind::Full, [&] { Put(disk / "Tolvane.ini", original); });
  SKIP_UNLESS_AVAILABLE(broken);
  General::vars().IniFileName = (disk / "Tolvane.ini").string();
  General::vars().ErrorStatusSeconds = 0.01f;
  EXPECT_FALSE(General::WriteINI("Settings", "StartFresh", "True"));
  EXPECT_FALSE(General::WriteINI("Settings", "NewKey", 12.5));
  EXPECT_EQ(Text(disk / "Tolvane.ini"), original);
  EXPECT_EQ(General::IniStr("Settings", "StartFresh"), "False");
  EXPECT_EQ(General::IniStr("Settings", "NewKey"), "");
  EXPECT_TRUE(hooks.boxes.empty());
  // Told once for the two keys, in ERROR.LOG (in the program's folder, not on the full disk)
  // and on the status bar, naming the file.
  EXPECT_EQ(General::vars().ErrorCount, 1);
  const auto reports = Reports();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].rfind("[General:WriteINI]<Err:75>Cannot write the settings file " +
                                 (disk / "Tolvane.ini").string() + " (",
                             0),
            0u)
      << reports[0];
  EXPECT_NE(std::find_if(hooks.statusTexts.begin(), hooks.statusTexts.end(),
                         [](const std::string& t) {
                           return t.rfind("[1]Cannot write the settings file ", 0) == 0;
                         }),
            hooks.statusTexts.end());
}

TEST_F(MachineFaults, AFullDiskUnderTheSettingsStoreIsReportedAndKeepsTheStore) {
  const fs::path disk = dir / "config";
  const fs::path store = disk / "registry.ini";
  reg::SetStoreFile(store);
  Registry::RegSettings().Aircraft1 = "7";
  ASSERT_EQ(Registry::SaveRegData(), 0);
  const std::string original = Text(store);
  reg::resetForTest();
  {
    BrokenFolder broken(disk, BrokenFolder::Kind::Full, [&] { Put(store, original); });
    SKIP_UNLESS_AVAILABLE(broken);
    reg::SetStoreFile(store);
    Registry::RegSettings().Aircraft1 = "12";
    EXPECT_NE(Registry::SaveRegData(), 0);
    EXPECT_EQ(Text(store), original);
    // The user is told once, in the store's own words, and the log in the program folder has it.
    ASSERT_EQ(hooks.boxes.size(), 1u);
    EXPECT_EQ(hooks.boxes[0].title, "Error Writing To Registry...");
    EXPECT_NE(hooks.boxes[0].prompt.find("Cannot write the registry store"), std::string::npos);
    const auto reports = Reports();
    ASSERT_FALSE(reports.empty());
    EXPECT_NE(reports.back().find("Cannot write the registry store"), std::string::npos);
    reg::resetForTest();
  }
  // With room again, the next save writes the new settings.
  reg::SetStoreFile(store);
  EXPECT_EQ(Registry::SaveRegData(), 0);
  EXPECT_NE(Text(store).find("\"Aircraft1\"=\"12\""), std::string::npos);
}

TEST_F(MachineFaults, AFullDiskUnderTheErrorLogLeavesTheStatusTextAndGoesOn) {
  const fs::path disk = dir / "logs";
  // The log starts on this disk: a line appended to an existing log could still fit into the
  // room its last block has left.
  BrokenFolder broken(disk, BrokenFolder::Kind::Full, [] {});
  SKIP_UNLESS_AVAILABLE(broken);
  vb::ChDir(disk);
  General::vars().ErrorStatusSeconds = 0.01f;
  for (int i = 0; i < 3; ++i) FailingStep();
  EXPECT_EQ(General::vars().ErrorCount, 3);
  EXPECT_NE(std::find(hooks.statusTexts.begin(), hooks.statusTexts.end(), "[3]Type mismatch"),
            hooks.statusTexts.end());
  // No line, not even half of one, was written.
  EXPECT_EQ(Text(disk / "ERROR.LOG"), "");
}

TEST_F(MachineFaults, AnUnwritableProgramFolderKeepsItsFilesAndTheProgramGoesOn) {
  const fs::path folder = dir / "program";
  const std::string ini = "[Database]\nDBName=ac.mdb\n";
  BrokenFolder broken(folder, BrokenFolder::Kind::ReadOnly, [&] {
    Put(folder / "Tolvane.ini", ini);
    testsupport::BuildFixtureDatabases(folder);
  });
  SKIP_UNLESS_AVAILABLE(broken);
  vb::SetProgramFolder(folder);
  vb::ChDir(folder);
  General::vars().IniFileName = (folder / "Tolvane.ini").string();
  General::vars().ErrorStatusSeconds = 0.01f;
  // The settings are read, a write changes nothing and says so, and a failure still reaches
  // the status bar.
  EXPECT_EQ(General::IniStr("Database", "DBName"), "ac.mdb");
  EXPECT_FALSE(General::WriteINI("Database", "DXFFileDate", "2025-12-10 08:00:00"));
  EXPECT_EQ(Text(folder / "Tolvane.ini"), ini);
  EXPECT_NE(std::find_if(hooks.statusTexts.begin(), hooks.statusTexts.end(),
                         [&](const std::string& t) {
                           return t.rfind("[1]Cannot write the settings file " +
                                              (folder / "Tolvane.ini").string() + " (",
                                          0) == 0;
                         }),
            hooks.statusTexts.end());
  FailingStep();
  EXPECT_NE(std::find(hooks.statusTexts.begin(), hooks.statusTexts.end(), "[2]Type mismatch"),
            hooks.statusTexts.end());
  EXPECT_FALSE(fs::exists(folder / "ERROR.LOG"));
  // The database, which is only ever read, is read.
  DBase::vars().DBPath = (folder / "ac.mdb").string();
  DBase::OpenDatabase("7");
  EXPECT_EQ(DBase::DisplayDataValue("AcName"), "Seven");
  DBase::CloseDatabase();
  EXPECT_EQ(General::vars().ErrorCount, 2);
}

TEST_F(MachineFaults, ADatabaseThatVanishesOrIsReplacedAfterTheStartIsReportedAndNeverMade) {
  BuildDatabases();
  DBase::OpenDatabase("7");
  ASSERT_EQ(DBase::DisplayDataValue("AcName"), "Seven");
  DBase::CloseDatabase();
  ASSERT_TRUE(Reports().empty());

  // Gone: each use is reported, and no empty database appears in its place.
  fs::remove(dir / "ac.mdb");
  DBase::OpenDatabase("7");
  EXPECT_NE(DBase::DisplayDataValue("AcName"), "Seven");
  DBase::CloseDatabase();
  EXPECT_EQ(DBase::Lookup("AcMfgName", "ACMFG", "AcMfgNum", "1"), "");
  EXPECT_FALSE(fs::exists(dir / "ac.mdb"));
  const size_t afterVanishing = Reports().size();
  EXPECT_GE(afterVanishing, 2u);

  // Replaced by a file that is no database: reported the same way.
  Put(dir / "ac.mdb", "not a database at all, but some text a user saved over it\n");
  DBase::OpenDatabase("7");
  EXPECT_NE(DBase::DisplayDataValue("AcName"), "Seven");
  DBase::CloseDatabase();
  EXPECT_GT(Reports().size(), afterVanishing);
  EXPECT_EQ(Text(dir / "ac.mdb"), "not a database at all, but some text a user saved over it\n");

  // Replaced by another database: its record is the one read.
  testsupport::BuildFromScript(dir / "ac.mdb", "ac_fixture.sql",
                               "UPDATE Aircraft SET AcName = 'Seven B' WHERE AcNum = 7;");
  DBase::OpenDatabase("7");
  EXPECT_EQ(DBase::DisplayDataValue("AcName"), "Seven B");
  DBase::CloseDatabase();
  EXPECT_GT(General::vars().ErrorCount, 0);
}

}  // namespace
