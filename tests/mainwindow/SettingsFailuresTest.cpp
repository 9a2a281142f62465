// The program with error handling off ("HandleErrors=False") meets settings it cannot read or
// write: a damaged settings store, a read-only Tolvane.ini, a settings store that cannot be
// written. Each run goes through the main window's own start-up and shut-down on the sample
// databases, as the program runs: the failure is reported, and the program shows its window,
// closes normally and writes what it can.
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <string>
#include <vector>

#include "WidgetsFixture.h"
#include "mainwindow/ControlNames.h"
#include "support/TestSupport.h"

namespace {

using namespace mwtest;
namespace fs = std::filesystem;
namespace ctl = MainForm::ctl;

constexpr const char* kIni =
    "[Settings]\nHandleErrors=False\n[Database]\nDBName=ac.mdb\nDxfDBName=dxf.mdb\n";

void ReadOnly(const fs::path& file) {
  fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

// Answers every message box the program shows with OK, as the user would, noting its title and
// text.
class BoxAnswerer {
 public:
  BoxAnswerer() {
    timer_.setInterval(1);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible()) return;
      boxes.push_back(box->windowTitle().toStdString() + ": " + box->text().toStdString());
      box->button(QMessageBox::Ok)->click();
    });
    timer_.start();
  }
  std::vector<std::string> boxes;

 private:
  QTimer timer_;
};

class SettingsFailures : public Widgets {
 protected:
  fs::path store = dir / "registry.ini";

  void SetUp() override {
    Widgets::SetUp();
    SampleJetsProgramFolder(dir.path(), true);
    WriteIni(kIni);
    NewRun();
  }
  // The program started afresh: every module as a new process has it, error handling not yet
  // on (start-up reads "HandleErrors" itself).
  void NewRun() {
    vb::ResetProgramState();
    reg::SetStoreFile(store);
    vb::SetProgramFolder(dir.path());
    vb::ChDir(dir.path());
  }
  // Starts the program; it must show its window and finish its first activation.
  std::unique_ptr<MainForm::frmMain> Start() {
    std::unique_ptr<MainForm::frmMain> w;
    EXPECT_NO_THROW(w = StartedWindow());
    if (!w) return w;
    EXPECT_EQ(General::vars().ErrorHandlingOn, 0);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->startup().FirstActivationDone());
    return w;
  }
  // Closes the window as the user does; shut-down must run to its last step.
  void Close(std::unique_ptr<MainForm::frmMain>& w) {
    General::vars().TraceEnabled = true;
    General::vars().TraceMode = 1;  // to CODE.LOG only
    EXPECT_NO_THROW(w->close());
    EXPECT_TRUE(w->startup().Unloaded());
    EXPECT_FALSE(w->isVisible());
    const std::string trace = testsupport::ReadText(dir / "CODE.LOG");
    EXPECT_NE(trace.find("[MainForm:UnHookWindow]"), std::string::npos) << trace;
    EXPECT_NE(trace.find("Program End"), std::string::npos) << trace;
    General::vars().TraceEnabled = false;
    w.reset();
  }
  std::string ErrorLog() { return testsupport::ReadText(dir / "ERROR.LOG"); }
  static size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  }
};

// A damaged store is told at start, kept aside, and the settings start from their defaults; the
// window closes normally and stores its settings afresh, so the next start is clean.
TEST_F(SettingsFailures, ADamagedStoreIsReportedKeptAsideAndTheNextStartIsClean) {
  const std::string damaged =
      "[HKEY_CURRENT_USER\\Software\\Velmora\\Tolvane]\n\"Top\"=\"810\"\n"
      "garbage\n";
  ASSERT_TRUE(vb::WriteFileAtomic(store, damaged));
  {
    BoxAnswerer answer;
    auto w = Start();
    ASSERT_TRUE(w);
    ASSERT_EQ(answer.boxes.size(), 1u);
    EXPECT_EQ(answer.boxes[0].rfind("Error Reading From Registry...: Error The registry store " +
                                        store.string() + " is damaged at line 3; it is kept as ",
                                    0),
              0u)
        << answer.boxes[0];
    EXPECT_EQ(Registry::RegSettings().Aircraft1, "");  // the defaults: no aircraft
    Close(w);
    EXPECT_EQ(answer.boxes.size(), 1u);
  }
  const std::vector<fs::path> aside = testsupport::AsideStores(dir.path());
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(testsupport::ReadText(aside[0]), damaged);
  EXPECT_EQ(Count(ErrorLog(), "<Err:75>"), 1u) << ErrorLog();

  // The next start: no report, the settings the last run stored.
  const std::string log = ErrorLog();
  NewRun();
  BoxAnswerer answer;
  auto w = Start();
  ASSERT_TRUE(w);
  EXPECT_TRUE(answer.boxes.empty());
  EXPECT_EQ(reg::StoreProblem(), "");
  EXPECT_EQ(Registry::RegSettings().PlaneColor1, 255);
  Close(w);
  EXPECT_TRUE(answer.boxes.empty());
  EXPECT_EQ(ErrorLog(), log);
  EXPECT_EQ(testsupport::AsideStores(dir.path()), aside);
}

// A read-only Tolvane.ini: the drawing-cache date cannot be noted at start, nor the aircraft at
// shut-down. Told once; the window shows, and shut-down saves the settings store and runs on.
TEST_F(SettingsFailures, AReadOnlyIniIsReportedOnceAndShutDownRunsOn) {
  ReadOnly(dir / "Tolvane.ini");
  BoxAnswerer answer;
  auto w = Start();
  ASSERT_TRUE(w);
  EXPECT_EQ(Registry::RegSettings().Aircraft1, "101");
  EXPECT_EQ(Count(ErrorLog(), "[General:WriteINI]<Err:75>Cannot write the settings file " +
                                  (dir / "Tolvane.ini").string()),
            1u)
      << ErrorLog();
  // A size of its own, which shut-down stores.
  w->SetGeometry({1500, 3000, 18000, 12000});
  const int width = w->Geometry().width;
  EXPECT_NE(width, Registry::RegSettings().Width);
  Close(w);
  EXPECT_TRUE(answer.boxes.empty());
  EXPECT_EQ(Ini(), kIni);
  EXPECT_EQ(Count(ErrorLog(), "<Err:75>"), 1u) << ErrorLog();
  // The settings store was written before the INI keys were tried.
  NewRun();
  Registry::GetRegData();
  EXPECT_EQ(Registry::RegSettings().Width, width);
  EXPECT_EQ(Registry::RegSettings().Aircraft2, "102");
}

// A settings store that cannot be written: View > Metric switches and redisplays, shut-down
// writes the INI keys after the failed save; the failure is told once.
TEST_F(SettingsFailures, AStoreThatCannotBeWrittenIsReportedAndTheProgramGoesOn) {
  ReadOnly(store);
  const std::string before = testsupport::ReadText(store);
  BoxAnswerer answer;
  auto w = Start();
  ASSERT_TRUE(w);
  EXPECT_TRUE(answer.boxes.empty());
  QAction* metric = w->findChild<QAction*>(ctl::mnuViewMetric);
  ASSERT_NE(metric, nullptr);
  EXPECT_NO_THROW(metric->trigger());
  EXPECT_TRUE(DBase::vars().MetricUnits);
  EXPECT_TRUE(metric->isChecked());
  EXPECT_EQ(
      Count(ErrorLog(), "[Registry:WriteRegistryValue]<Err:75>Cannot write the registry store " +
                            store.string()),
      1u)
      << ErrorLog();
  Close(w);
  EXPECT_EQ(General::IniStr("Settings", "Aircraft1"), "[101]Aldercrest Aviation Swiftline 6");
  EXPECT_EQ(General::IniStr("Settings", "Aircraft2"), "[102]Vantreux Aerospace Sarrance 8");
  EXPECT_EQ(testsupport::ReadText(store), before);
  EXPECT_EQ(Count(ErrorLog(), "<Err:75>"), 1u) << ErrorLog();
  EXPECT_TRUE(answer.boxes.empty());

  // Closed without Metric first, the failed save at shut-down shows its box, and the INI keys
  // are still written.
  fs::remove(dir / "Tolvane.ini");
  WriteIni(kIni);
  NewRun();
  w = Start();
  ASSERT_TRUE(w);
  Close(w);
  ASSERT_EQ(answer.boxes.size(), 1u);
  EXPECT_EQ(answer.boxes[0],
            "Error Writing To Registry...: Error Cannot write the registry "
            "store " +
                store.string() + " (75)");
  EXPECT_EQ(General::IniStr("Settings", "Aircraft1"), "[101]Aldercrest Aviation Swiftline 6");
  EXPECT_EQ(testsupport::ReadText(store), before);
}

}  // namespace
