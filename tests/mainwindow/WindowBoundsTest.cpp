// The window's work that must keep within a time and a memory: a damaged aircraft database,
// hostile drawings on the drawing tabs and on a printed page. This program runs each of its
// tests with nothing else beside it, so that the machine's load in a parallel run does not
// decide them.
#include <sqlite3.h>

#include <QTabBar>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include <unistd.h>

#include "PrintJobsFixture.h"
#include "WidgetsFixture.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/MainForm.h"
#include "platform/dxf/HostileDrawings.h"
#include "platform/dxfcontrol/DrawingWidget.h"
#include "platform/runtime/Files.h"
#include "support/Fixtures.h"
#include "support/PeakMemory.h"

namespace {

namespace ctl = MainForm::ctl;
using namespace mwtest;

// The aircraft database damaged so that reading it does not finish (nwind.mdb with every other
// page from page 3 on zeroed: mdbtools reads its catalog for ever): the start waits for the
// reader once, a few seconds; then every access fails at once, the window answers input within
// 5 s of the start, ERROR.LOG names the damage once, and the program ends normally.
TEST_F(Widgets, AnAircraftDatabaseWhoseReadingDoesNotFinishCostsOneWait) {
  const std::filesystem::path nwind = std::filesystem::path(TOLVANE_ACCESS_FIXTURES) / "nwind.mdb";
  std::string bytes;
  ASSERT_TRUE(vb::ReadWholeFile(nwind, bytes));
  for (size_t page = 3; page * 2048 < bytes.size(); page += 2)
    std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(page * 2048), 2048, '\0');
  SampleJetsProgramFolder(dir.path(), true);
  ASSERT_TRUE(vb::WriteFileAtomic(dir / "damaged.mdb", bytes));
  WriteIni("[Settings]\nHandleErrors=True\n[Database]\nDBName=damaged.mdb\nDxfDBName=dxf.mdb\n");
  using Clock = std::chrono::steady_clock;
  const Clock::time_point started = Clock::now();
  auto w = StartedWindow();
  ASSERT_TRUE(w->startup().FirstActivationDone());
  auto* tabs = w->findChild<QTabBar*>(ctl::SSTab);
  tabs->setCurrentIndex(1);
  EXPECT_TRUE(PumpUntil([] { return MainForm::vars().CurrentTab == 1; }));
  const double answered = std::chrono::duration<double>(Clock::now() - started).count();
  EXPECT_LT(answered, 5.0);
  std::printf("the window answered %.2f s after the start\n", answered);
  // Every tab reads the file again, and fails at once.
  const Clock::time_point tabsStarted = Clock::now();
  for (int tab = 0; tab < 14; ++tab) {
    w->SelectTab(tab);
    w->TabStrip_Click();
  }
  EXPECT_LT(std::chrono::duration<double>(Clock::now() - tabsStarted).count(), 2.0);
  const std::string log = testsupport::ReadText(dir / "ERROR.LOG");
  size_t named = 0;
  for (size_t at = 0; (at = log.find("does not finish", at)) != std::string::npos; ++at) ++named;
  EXPECT_EQ(named, 1u) << log;
  EXPECT_NE(log.find("[Access] the database file is damaged: reading the table list of " +
                     (dir / "damaged.mdb").string()),
            std::string::npos)
      << log;
  w->close();
  EXPECT_TRUE(w->startup().Unloaded());
  EXPECT_EQ(hooks.ends, 0);
  w.reset();
}

// The drawing database holds the hostile drawings (the DXF tests' regression inputs) as the
// sample jets' views: every drawing tab composes and redraws them within the screen's time
// budget, and the window closes normally.
TEST_F(Widgets, HostileDrawingsInTheDrawingDatabaseKeepTheWindowResponsive) {
  WriteIni("[Settings]\nHandleErrors=True\n[Database]\nDBName=ac.mdb\nDxfDBName=dxf.mdb\n");
  SampleJetsProgramFolder(dir.path(), true);
  const auto inputs = dxftest::HostileInputs();
  std::string sql;
  const char* columns[] = {"Top", "Front", "Side", "Interior", "Cabin"};
  size_t next = 0;
  for (const char* ac : {"101", "102"}) {
    for (const char* column : columns) {
      sql += std::string("UPDATE DXF SET ") + column + " = '" +
             inputs[next++ % inputs.size()].second + "' WHERE AcNum = " + ac + ";";
    }
  }
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((dir / "dxf.mdb").c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);

  using Clock = std::chrono::steady_clock;
  const Clock::time_point started = Clock::now();
  auto w = StartedWindow();
  ASSERT_TRUE(w->startup().FirstActivationDone());
  auto* tabs = w->findChild<QTabBar*>(ctl::SSTab);
  for (int round = 0; round < 2; ++round) {
    for (int tab = 2; tab <= 5; ++tab) {
      const Clock::time_point t0 = Clock::now();
      tabs->setCurrentIndex(tab);
      ASSERT_TRUE(PumpUntil([&] { return MainForm::vars().CurrentDrawingTab == tab; }));
      dxf::DrawingWidget* cad = w->CAD(tab);
      ASSERT_NE(cad, nullptr);
      int hostile = 0;  // the composed view holds the stored drawing's entities
      for (const dxf::Entity& e : cad->EntityList()) {
        hostile += e.EntityType == "HATCH" || e.EntityType == "INSERT" ||
                   e.EntityType == "CIRCLE" || e.EntityType == "ARC";
      }
      EXPECT_GT(hostile, 0) << "tab " << tab;
      cad->Redraw();
      cad->repaint();
      const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
      EXPECT_LT(seconds, 3.0) << "tab " << tab << " round " << round;
    }
  }
  w->close();
  w.reset();
  EXPECT_LT(std::chrono::duration<double>(Clock::now() - started).count(), 30.0);
}

// A closed polyline of 20,000 or 100,000 vertices, every bulge an arc of nearly a whole turn on a
// circle billions of pixels across, as the Top view of jet 101: the Top tab shows within the
// screen's budget, and showing it takes little memory whatever the vertex count. Each size is
// measured in a fresh run of this test program (a process that has already drawn would reuse
// the memory it freed): the growth of the resident set from before the tab is chosen to its
// peak.
TEST_F(Widgets, BulgedPolylinesAsTheTopViewShowInBoundedTimeAndMemory) {
  if (const char* drawing = std::getenv("TOLVANE_TOP_VIEW_DRAWING")) {
    // The measured run.
    WriteIni("[Settings]\nHandleErrors=True\n[Database]\nDBName=ac.mdb\nDxfDBName=dxf.mdb\n");
    SampleJetsProgramFolder(dir.path(), true);
    std::string text;
    ASSERT_TRUE(vb::ReadWholeFile(drawing, text));
    ASSERT_TRUE(testsupport::StoreViewDrawing(dir / "dxf.mdb", "101", "Top", text));
    auto w = StartedWindow();
    ASSERT_TRUE(w->startup().FirstActivationDone());
    auto* tabs = w->findChild<QTabBar*>(ctl::SSTab);
    const long before = testsupport::ProcStatusKb("VmRSS");
    const auto t0 = std::chrono::steady_clock::now();
    tabs->setCurrentIndex(2);
    ASSERT_TRUE(PumpUntil([] { return MainForm::vars().CurrentDrawingTab == 2; }));
    dxf::DrawingWidget* cad = w->CAD(2);
    ASSERT_NE(cad, nullptr);
    cad->repaint();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    long vertices = 0;  // the stored polyline is on the tab
    for (const dxf::Entity& e : cad->EntityList()) vertices = std::max(vertices, e.Vertices.Count());
    std::printf("MEASURED %ld %.3f %ld\n", testsupport::ProcStatusKb("VmHWM") - before, seconds, vertices);
    std::fflush(stdout);
    w->close();
    w.reset();
    return;
  }
  for (const auto& [columns, rows] : {std::pair{200, 100}, std::pair{500, 200}}) {
    SCOPED_TRACE(std::to_string(columns * rows) + " vertices");
    const std::filesystem::path file = dir / "poly.dxf";
    ASSERT_TRUE(vb::WriteFileAtomic(file, dxftest::BulgedGridPolyline(columns, rows)));
    const std::string command = "TOLVANE_TOP_VIEW_DRAWING='" + file.string() + "' /proc/" +
                                std::to_string(getpid()) +
                                "/exe --gtest_filter=Widgets.BulgedPolylinesAsTheTopViewShowInBoundedTimeAndMemory";
    std::fflush(nullptr);
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    const int status = pclose(pipe);
    long growthKb = -1, vertices = 0;
    double seconds = -1;
    const size_t at = out.find("MEASURED ");
    ASSERT_NE(at, std::string::npos) << out;
    ASSERT_EQ(std::sscanf(out.c_str() + at, "MEASURED %ld %lf %ld", &growthKb, &seconds, &vertices), 3);
    EXPECT_EQ(status, 0) << out;
    std::printf("%d vertices: the Top tab showed in %.3f s, %.1f MB above the program's own use\n",
                columns * rows, seconds, static_cast<double>(growthKb) / 1024);
    EXPECT_EQ(vertices, columns * rows);
    EXPECT_LT(growthKb, 100 * 1024);
    EXPECT_LT(seconds, 3.0);
  }
}

// A hostile view drawing in the drawing database (a block of a 20,000-vertex bulged polyline
// inserted 40 times) as jet 101's top view: File > Print Page > Exterior prints its page within
// a second, reporting once that it was too big to print in full.
TEST_F(PrintJobs, AHostileTopViewPrintsTheExteriorPageWithinASecond) {
  std::string fan;
  ASSERT_TRUE(vb::ReadWholeFile(std::string(TOLVANE_FIXTURES) + "/hostile/f_fan40.dxf", fan));
  ASSERT_TRUE(testsupport::StoreViewDrawing(dir / "dxf.mdb", "101", "Top", fan));
  Start("101", "102");
  const long before = General::vars().ErrorCount;
  const auto t0 = std::chrono::steady_clock::now();
  const double cpu0 = testsupport::ThreadSeconds();
  const QString file = Print(ctl::mnuFilePrintExteriorOverlaid, "hostile-exterior");
  // Processor time: the wall time also holds what else the machine runs.
  EXPECT_LT(testsupport::ThreadSeconds() - cpu0, 1.0);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(), 5.0);
  ExpectNumbered(file, 1);
  EXPECT_EQ(General::vars().ErrorCount - before, 1);  // too big to print in full
  EXPECT_EQ(Status(), "The print job had errors, logged in " + General::ErrorLogFile() +
                          "; written: " + file.toStdString());
}

}  // namespace
