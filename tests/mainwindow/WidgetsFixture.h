#pragma once
// The whole program in the Qt main window on the offscreen platform, started on the sample
// databases: the fixture of the widget tests.
#include <filesystem>
#include <memory>
#include <string>

#include "MainWindowFixture.h"
#include "WidgetSupport.h"
#include "mainwindow/frmMain.h"
#include "platform/runtime/Files.h"
#include "support/Fixtures.h"

namespace mwtest {

// The program folder holds the sample aircraft database (and, when asked, the sample drawing
// database); the store holds sample jets 101 and 102 (or the pair given) as the last pair.
inline void SampleJetsProgramFolder(const std::filesystem::path& dir, bool drawings,
                                    const char* aircraft1 = "101", const char* aircraft2 = "102") {
  std::string sql;
  ASSERT_TRUE(vb::ReadWholeFile(TOLVANE_SAMPLE_AC_SQL, sql));
  testsupport::BuildDatabase(dir / "ac.mdb", sql);
  if (drawings) std::filesystem::copy_file(TOLVANE_SAMPLE_DXF_DB, dir / "dxf.mdb");
  Registry::LoadDefaults();
  Registry::RegSettings().Aircraft1 = aircraft1;
  Registry::RegSettings().Aircraft2 = aircraft2;
  Registry::RegSettings().ProgramVersion = MainForm::VersionText();
  ASSERT_EQ(Registry::SaveRegData(), 0);
}

// The sample pairs whose every tab the widget tests go through: a jet pair and a helicopter pair.
struct SamplePair {
  const char* tag;
  const char* aircraft1;
  const char* aircraft2;
};
inline constexpr SamplePair kSamplePairs[] = {{"jets", "101", "102"}, {"helis", "201", "202"}};

inline std::unique_ptr<MainForm::frmMain> StartedWindow() {
  auto w = std::make_unique<MainForm::frmMain>();
  w->Start();
  w->show();
  Await([&] { return w->startup().FirstActivationDone(); });
  return w;
}

class Widgets : public MainWindowTest {
 protected:
  void SetUp() override {
    QtApp();
    MainWindowTest::SetUp();
  }
  // A fresh run on the sample databases, drawings included, with the pair stored as the last one.
  std::unique_ptr<MainForm::frmMain> StartOnSamplePair(const char* aircraft1,
                                                       const char* aircraft2) {
    WriteIni("[Settings]\nHandleErrors=True\n[Database]\nDBName=ac.mdb\nDxfDBName=dxf.mdb\n");
    std::filesystem::remove(dir.path() / "ac.mdb");
    std::filesystem::remove(dir.path() / "dxf.mdb");
    SampleJetsProgramFolder(dir.path(), true, aircraft1, aircraft2);
    return StartedWindow();
  }
};

}  // namespace mwtest
