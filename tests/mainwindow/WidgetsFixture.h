#pragma once
// The whole program in the Qt main window on the offscreen platform, started on the sample
// databases: the fixture of the widget tests.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "MainWindowFixture.h"
#include "WidgetSupport.h"
#include "mainwindow/frmMain.h"
#include "platform/dxfcontrol/DrawingWidget.h"
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

// The extents of each aircraft's entities on a drawing view, by layer.
struct PlaneBoxes {
  struct Box {
    double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
  } p1, p2;
  // Neither box reaches into the other.
  bool Apart() const {
    return p1.maxX < p2.minX || p2.maxX < p1.minX || p1.maxY < p2.minY || p2.maxY < p1.minY;
  }
};
inline PlaneBoxes BoxesOf(const dxf::DrawingWidget& cad) {
  PlaneBoxes s;
  for (const dxf::Entity& e : cad.EntityList()) {
    const bool p1 = e.LayerName == "PLANE1";
    if (!p1 && e.LayerName != "PLANE2") continue;
    PlaneBoxes::Box& b = p1 ? s.p1 : s.p2;
    auto add = [&](double x, double y) {
      b.minX = std::min(b.minX, x);
      b.maxX = std::max(b.maxX, x);
      b.minY = std::min(b.minY, y);
      b.maxY = std::max(b.maxY, y);
    };
    add(e.X0, e.Y0);
    if (e.EntityType == "LINE") add(e.X1, e.Y1);
    for (long i = 1; i <= e.Vertices.Count(); ++i)
      add(e.Vertices.Item(i).X0, e.Vertices.Item(i).Y0);
  }
  return s;
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

// One run of the program on a sample pair at a time, closed at the end of the test.
class SamplePairRun : public Widgets {
 protected:
  std::unique_ptr<MainForm::frmMain> w;

  void Start(const char* aircraft1, const char* aircraft2) {
    w = StartOnSamplePair(aircraft1, aircraft2);
    ASSERT_TRUE(w->startup().FirstActivationDone());
  }
  void Close() {
    if (!w) return;
    w->close();
    w.reset();
  }
  void TearDown() override {
    Close();
    Widgets::TearDown();
  }
};

}  // namespace mwtest
