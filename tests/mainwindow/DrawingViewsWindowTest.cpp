// The drawing tabs in the Qt main window on the offscreen platform, with the program's wiring:
// the dimensions of an overlaid pair, side by side from drawings away from the origin, the
// interior buttons of a helicopter with no configuration to choose, and the zoom and pan
// commands of the View menu.
#include <QAction>
#include <QLabel>
#include <QRadioButton>
#include <QTabBar>
#include <filesystem>
#include <string>
#include <vector>

#include "WidgetsFixture.h"
#include "drawings/CadFunctions.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/frmMain.h"
#include "platform/dxfcontrol/DrawingWidget.h"
#include "platform/runtime/Files.h"

namespace {

namespace ctl = MainForm::ctl;
using namespace mwtest;

class DrawingViews : public SamplePairRun {
 protected:
  void ShowTab(int tab) {
    w->findChild<QTabBar*>(ctl::SSTab)->setCurrentIndex(tab);
    ASSERT_TRUE(Await([&] { return MainForm::vars().CurrentTab == tab; }));
    ASSERT_TRUE(Await([&] { return MainForm::vars().TabDrawn[static_cast<size_t>(tab)]; }));
  }
  // Selects an option button as a click does, and waits for the view it recomposes.
  void Select(const char* option, int tab) {
    auto* button = w->findChild<QRadioButton*>(option);
    ASSERT_NE(button, nullptr) << option;
    button->setChecked(true);
    ASSERT_TRUE(Await([&] { return MainForm::vars().TabDrawn[static_cast<size_t>(tab)]; }));
  }
  bool Frozen(int view, std::string_view layer) {
    return w->CAD(view)->Layers().Item(layer).Frozen;
  }
  // The dimension layers of both aircraft on a view: "frozen" or "shown" each.
  std::vector<std::string> Dims(int view) {
    std::vector<std::string> out;
    for (std::string_view layer : {"Dim1", "Dim2"})
      out.push_back(Frozen(view, layer) ? "frozen" : "shown");
    return out;
  }
  // The entities of a view other than the grid.
  long Drawn(int view) {
    long n = 0;
    for (const dxf::Entity& e : w->CAD(view)->EntityList()) n += e.LayerName != "GRID";
    return n;
  }
  // A cached view drawing of the run's own: the composition uses a cached file as it is.
  void CacheDrawing(const std::string& name, const std::string& entities) {
    std::filesystem::create_directories(dir.path() / "DXF");
    ASSERT_TRUE(vb::WriteFileAtomic(dir.path() / "DXF" / name,
                                    "0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n"));
  }
  static std::string Line(double x0, double y0, double x1, double y1) {
    return "0\nLINE\n8\n0\n10\n" + std::to_string(x0) + "\n20\n" + std::to_string(y0) +
           "\n11\n" + std::to_string(x1) + "\n21\n" + std::to_string(y1) + "\n";
  }
};

using Dimensions = std::vector<std::string>;

// Overlaid, the two aircraft's dimensions would be drawn over each other: the view's "Overlay"
// button hides both, side by side shows them again, and one aircraft alone keeps its own.
TEST_F(DrawingViews, AnOverlaidPairShowsNoDimensions) {
  Start("101", "102");
  ShowTab(2);
  EXPECT_EQ(Dims(2), (Dimensions{"shown", "shown"}));
  Select("optSideOverlay_2", 2);
  EXPECT_EQ(Dims(2), (Dimensions{"frozen", "frozen"}));
  // The other views keep theirs: their buttons still say side by side.
  EXPECT_EQ(Dims(3), (Dimensions{"shown", "shown"}));
  Select("optSideOverlay_3", 2);
  EXPECT_EQ(Dims(2), (Dimensions{"shown", "shown"}));
  Close();

  // The helicopter interior's "View All" lays the pair over each other.
  Start("201", "202");
  ShowTab(5);
  EXPECT_EQ(Dims(5), (Dimensions{"shown", "shown"}));
  Select("optHeliAll", 5);
  EXPECT_TRUE(w->findChild<QRadioButton*>("optSideOverlay_0")->isChecked());
  EXPECT_EQ(Dims(5), (Dimensions{"frozen", "frozen"}));
  Close();

  Start("101", "");
  ShowTab(2);
  Select("optSideOverlay_2", 2);
  EXPECT_FALSE(Frozen(2, "Dim1"));
}

// Side by side on the top tab, Plane 2 is set off by Plane 1's top view measured from the
// origin: a drawing at X 348..1017 puts Plane 2 at 1017, clear of it, not at its width 669.
TEST_F(DrawingViews, SideBySideMeasuresADrawingAwayFromTheOriginFromIt) {
  Start("101", "102");
  CacheDrawing("101Top.dxf", Line(348, 10, 1017, 10) + Line(1017, 50, 348, 50));
  CacheDrawing("102Top.dxf", Line(0, 0, 100, 0) + Line(0, 40, 100, 40));
  ShowTab(2);
  const PlaneBoxes b = BoxesOf(*w->CAD(2));
  EXPECT_DOUBLE_EQ(b.p1.minX, 348);
  EXPECT_DOUBLE_EQ(b.p1.maxX, 1017);
  EXPECT_DOUBLE_EQ(b.p2.minX, 1017);
  EXPECT_DOUBLE_EQ(b.p2.maxX, 1117);
}

// A helicopter without an EMS or utility interior shows the fixed-wing buttons, and they choose
// its views: the floor plan, the cross section, and all three views.
TEST_F(DrawingViews, AHelicopterAloneFollowsTheButtonsShown) {
  Start("202", "");
  ShowTab(5);
  EXPECT_TRUE(w->findChild<QWidget*>("fraInterior")->isVisible());
  EXPECT_FALSE(w->findChild<QWidget*>("fraInteriorHeli")->isVisible());
  ASSERT_TRUE(w->findChild<QRadioButton*>("optCabin")->isChecked());
  const long crossSection = Drawn(5);
  const PlaneBoxes cabin = BoxesOf(*w->CAD(5));
  Select("optInterior", 5);
  const long floorPlan = Drawn(5);
  const PlaneBoxes floor = BoxesOf(*w->CAD(5));
  Select("optBothInterior", 5);
  const long all = Drawn(5);
  EXPECT_GT(crossSection, 0);
  EXPECT_GT(floorPlan, 0);
  // The floor plan is not the cross section, and "View All" adds the side cross section to both.
  EXPECT_NE(floor.p1.minY, cabin.p1.minY);
  EXPECT_GT(all, floorPlan + crossSection);
}

// With the toolbar hidden the View menu has its drawing commands: each acts as its button does.
TEST_F(DrawingViews, TheViewMenuZoomsAndPansAsTheToolbarDoes) {
  Start("101", "102");
  w->findChild<QAction*>(ctl::mnuViewToolbarShow)->trigger();
  ASSERT_FALSE(Registry::RegSettings().ToolbarVisible);
  ShowTab(2);
  dxf::DrawingWidget* cad = w->CAD(2);
  auto width = [&] { return cad->ViewMaxX() - cad->ViewMinX(); };
  auto menu = [&](const char* name) {
    QAction* a = w->findChild<QAction*>(name);
    EXPECT_NE(a, nullptr) << name;
    if (a) {
      EXPECT_TRUE(a->isVisible() && a->isEnabled()) << name;
      a->trigger();
    }
    Settle();
  };
  const double all = width();
  menu("mnuViewZoomIn");
  EXPECT_NEAR(width(), all * 0.85, all * 1e-4);
  menu("mnuViewZoomOut");
  EXPECT_NEAR(width(), all * 0.85 * 1.15, all * 1e-4);
  menu("mnuViewZoomPrevious");
  EXPECT_NEAR(width(), all * 0.85, all * 1e-4);
  menu("mnuViewZoomAll");
  EXPECT_NEAR(width(), all, all * 1e-4);
  auto* status = w->findChild<QLabel*>(ctl::sbStatusbar_panel1);
  menu("mnuViewZoomWindow");
  EXPECT_TRUE(CadFunctions::vars().ZoomWindowMode);
  EXPECT_EQ(cad->PickMode(), 2);
  EXPECT_EQ(status->text().toStdString(), "Select First Corner for Window");
  menu("mnuViewPan");
  EXPECT_TRUE(CadFunctions::vars().PanMode);
  EXPECT_EQ(status->text().toStdString(), "Select Start Point for Pan");
}

}  // namespace
