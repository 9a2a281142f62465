// The main window's commands on the offscreen platform: View menu and visibility check boxes,
// the toolbar docked and floating, the interior and WAT option buttons, the export, Copy, the
// data-label double click, the small dialogs and the colour scheme.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>

#include "Fakes.h"
#include "MainWindowFixture.h"
#include "WidgetSupport.h"
#include "charts/Chart.h"
#include "drawings/CADGraph.h"
#include "mainwindow/ColorPicker.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/Dialogs.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmToolbar.h"
#include "platform/dxfcontrol/DrawingWidget.h"

namespace {

namespace ctl = MainForm::ctl;

using namespace mwtest;

constexpr int32_t Rgb(int r, int g, int b) { return r + g * 256 + b * 65536; }

class ScriptedSave : public MainForm::SaveDialog {
 public:
  std::vector<MainForm::SaveRequest> requests;
  std::vector<std::string> answers;  // one per use; "" = Cancel
  std::string GetSaveFileName(const MainForm::SaveRequest& r) override {
    requests.push_back(r);
    if (answers.empty()) return "";
    std::string a = answers.front();
    answers.erase(answers.begin());
    return a;
  }
};

class Commands : public MainWindowTest {
 protected:
  FakeAircraftData* data = nullptr;
  std::unique_ptr<MainForm::frmMain> w;
  RecordingViews cad;
  ScriptedSave save;

  void SetUp() override {
    QtApp();
    MainWindowTest::SetUp();
    Registry::LoadDefaults();
    AddAircraft("101", "Jets", "Swift");
    AddAircraft("102", "Jets", "Sarrance");
    auto d = std::make_unique<FakeAircraftData>();
    data = d.get();
    w = std::make_unique<MainForm::frmMain>(std::move(d));
    w->SetDrawingViews(&cad);
    w->SetSaveDialog(&save);
    // As after the first activation.
    auto& dv = CadFunctions::vars();
    dv.ShowPlane1 = dv.ShowPlane2 = dv.ShowDims = true;
  }
  void TearDown() override {
    w.reset();
    MainWindowTest::TearDown();
  }
  QAction* Act(const char* name) { return w->findChild<QAction*>(name); }
  QPushButton* StripButton(int i) {
    return w->findChild<QFrame*>(ctl::tbToolbar)
        ->findChild<QPushButton*>(ctl::cmdToolbar_ + QString::number(i));
  }
  QPushButton* FloatingButton(int i) { return w->floatingToolbar()->buttons()[size_t(i)]; }
  QCheckBox* Box(int i) {
    return w->findChild<QCheckBox*>(ctl::chkACVisible_ + QString::number(i));
  }
  QRadioButton* Opt(const char* name) { return w->findChild<QRadioButton*>(name); }
  void AllChartLabelsLoaded() {
    for (int i = 1; i <= 16; ++i) Chart::vars().ChartLabelsLoaded[size_t(i)] = true;
  }
  bool AnyChartLabelsLoaded() {
    for (int i = 1; i <= 16; ++i)
      if (Chart::vars().ChartLabelsLoaded[size_t(i)]) return true;
    return false;
  }
};

// --- View menu and check boxes ---

TEST_F(Commands, HidingPlaneOneFromTheBoxOrTheMenuGivesOneState) {
  for (bool fromMenu : {true, false}) {
    CadFunctions::vars().ShowPlane1 = true;
    w->SetMenuChecked(ctl::mnuViewPlane1, true);
    Box(0)->setChecked(true);
    w->SetToolbarButtonBold(0, true);
    AllChartLabelsLoaded();
    if (fromMenu)
      Act(ctl::mnuViewPlane1)->trigger();
    else
      Box(0)->click();
    EXPECT_FALSE(CadFunctions::vars().ShowPlane1) << fromMenu;
    EXPECT_FALSE(Act(ctl::mnuViewPlane1)->isChecked()) << fromMenu;
    EXPECT_FALSE(StripButton(0)->font().bold()) << fromMenu;
    EXPECT_FALSE(FloatingButton(0)->font().bold()) << fromMenu;
    EXPECT_FALSE(Box(0)->isChecked()) << fromMenu;
    EXPECT_FALSE(AnyChartLabelsLoaded()) << fromMenu;
  }
  // And back on from the menu.
  Act(ctl::mnuViewPlane1)->trigger();
  EXPECT_TRUE(CadFunctions::vars().ShowPlane1);
  EXPECT_TRUE(Act(ctl::mnuViewPlane1)->isChecked());
  EXPECT_TRUE(StripButton(0)->font().bold());
  EXPECT_TRUE(Box(0)->isChecked());
}

TEST_F(Commands, ABoxThatAgreesWithTheFlagOnlySetsTheMenuCheck) {
  CadFunctions::vars().ShowPlane2 = false;
  Box(1)->setChecked(false);
  w->SetMenuChecked(ctl::mnuViewPlane2, true);  // out of step
  w->chkACVisible_Click(1);
  EXPECT_FALSE(CadFunctions::vars().ShowPlane2);
  EXPECT_FALSE(Act(ctl::mnuViewPlane2)->isChecked());
}

TEST_F(Commands, DimsAndGridTogglesSetTheirChecksAndBoldButtons) {
  CadFunctions::vars().ShowGrid = false;
  Act(ctl::mnuViewShowGrid)->trigger();
  EXPECT_TRUE(CadFunctions::vars().ShowGrid);
  EXPECT_TRUE(Act(ctl::mnuViewShowGrid)->isChecked());
  EXPECT_TRUE(StripButton(3)->font().bold());
  EXPECT_TRUE(FloatingButton(3)->font().bold());
  Act(ctl::mnuViewShowDims)->trigger();
  EXPECT_FALSE(CadFunctions::vars().ShowDims);
  EXPECT_FALSE(Act(ctl::mnuViewShowDims)->isChecked());
  EXPECT_FALSE(StripButton(2)->font().bold());
  // The toolbar button runs the same toggle.
  StripButton(2)->click();
  EXPECT_TRUE(CadFunctions::vars().ShowDims);
  EXPECT_TRUE(Act(ctl::mnuViewShowDims)->isChecked());
}

TEST_F(Commands, MetricIsWrittenToTheRegistryBeforeTheUpdate) {
  Registry::RegSettings().Aircraft1 = "101";
  std::string seen = "<not opened>";
  data->onOpen = [&](const std::string&) { seen = Registry::RegistryValue("Metric").toString(); };
  Act(ctl::mnuViewMetric)->trigger();
  EXPECT_TRUE(DBase::vars().MetricUnits);
  EXPECT_EQ(seen, "True");
  Act(ctl::mnuViewMetric)->trigger();
  EXPECT_FALSE(DBase::vars().MetricUnits);
  EXPECT_EQ(Registry::RegistryValue("Metric").toString(), "False");
}

TEST_F(Commands, DimensionColourRecoloursEveryView) {
  Color::InstallPicker([](Color::PickerModel& m) {
    EXPECT_EQ(m.Caption(), "Dims Color");
    EXPECT_TRUE(m.PlaneBoxVisible());
    m.ClickCell(5);  // cyan
    m.Ok();
  });
  Act(ctl::mnuViewDimColor)->trigger();
  EXPECT_EQ(Registry::RegSettings().DimColor, Rgb(0, 255, 255));
  for (int v = 2; v <= 5; ++v) {
    EXPECT_EQ((cad.layerColour[{v, 3}]), CADGraph::CADColor(Rgb(0, 255, 255))) << v;
    EXPECT_EQ((cad.layerColour[{v, 4}]), CADGraph::CADColor(Rgb(0, 255, 255))) << v;
  }
  EXPECT_EQ(cad.count("Redraw"), 4);
}

TEST_F(Commands, PlaneColourFromTheMenuAndFromADataLabel) {
  std::vector<std::string> titles;
  Color::InstallPicker([&](Color::PickerModel& m) {
    titles.push_back(m.Caption());
    m.DoubleClickCell(2);  // green
  });
  Act(ctl::mnuViewPlane1Color)->trigger();
  EXPECT_EQ(Registry::RegSettings().PlaneColor1, Rgb(0, 255, 0));
  auto* label = w->findChild<MainForm::DataLabel*>("lblData2_1");
  ASSERT_NE(label, nullptr);
  emit label->doubleClicked();
  EXPECT_EQ(Registry::RegSettings().PlaneColor2, Rgb(0, 255, 0));
  EXPECT_EQ(titles, (std::vector<std::string>{"Plane 1 Color", "Plane 2 Color"}));
  EXPECT_EQ((cad.layerColour[{4, 6}]), CADGraph::CADColor(Rgb(0, 255, 0)));
  auto* swatch = w->findChild<QLabel*>("lblData2_49");
  EXPECT_EQ(swatch->palette().color(QPalette::Window), QColor(0, 255, 0));
}

// --- Toolbar, docked and floating ---

TEST_F(Commands, TheToolbarDocksFloatsAndHides) {
  auto& reg = Registry::RegSettings();
  w->resize(900, 600);
  w->show();
  AwaitExposed(w.get());
  w->SetMenuChecked(ctl::mnuViewToolbarShow, true);
  w->SetMenuChecked(ctl::mnuViewToolbarDock, true);
  Toolbar::ShowToolbar(true);
  auto* strip = w->findChild<QFrame*>(ctl::tbToolbar);
  MainForm::frmToolbar* floating = w->floatingToolbar();
  EXPECT_TRUE(strip->isVisible());
  EXPECT_FALSE(floating->isVisible());
  EXPECT_EQ(StripButton(0)->text(), "AC1");
  EXPECT_EQ(FloatingButton(0)->text(), "1");
  EXPECT_EQ(FloatingButton(0)->toolTip(), "Show/Hide Plane #1");
  EXPECT_FALSE(StripButton(4)->icon().isNull());

  Act(ctl::mnuViewToolbarDock)->trigger();  // unchecks: floating
  EXPECT_FALSE(reg.ToolbarDocked);
  EXPECT_FALSE(strip->isVisible());
  EXPECT_TRUE(floating->isVisible());
  EXPECT_EQ(floating->windowTitle(), "Viewing Toolbar");
  EXPECT_EQ(floating->frameGeometry().size(), QSize(5375 / 15, 905 / 15));
  EXPECT_EQ(FloatingButton(9)->geometry(), QRect(316, 4, 33, 29));
  EXPECT_EQ(w->findChild<QTabBar*>(ctl::SSTab)->mapTo(w->centralWidget(), QPoint(0, 0)).y(), 0)
      << "the tabs take the strip's place";

  // Maximising the floating window docks it.
  floating->setWindowState(Qt::WindowMaximized);
  EXPECT_TRUE(Await([&] { return reg.ToolbarDocked; }));
  EXPECT_TRUE(Act(ctl::mnuViewToolbarDock)->isChecked());
  EXPECT_FALSE(floating->isVisible());
  EXPECT_FALSE(floating->isMaximized());
  EXPECT_TRUE(strip->isVisible());

  // Its close box unchecks Show and keeps the setting.
  Act(ctl::mnuViewToolbarDock)->trigger();
  ASSERT_TRUE(floating->isVisible());
  floating->close();
  EXPECT_FALSE(floating->isVisible());
  EXPECT_FALSE(Act(ctl::mnuViewToolbarShow)->isChecked());
  EXPECT_TRUE(reg.ToolbarVisible);
  // The next Show click makes check and flag agree: hidden.
  Act(ctl::mnuViewToolbarShow)->trigger();
  EXPECT_TRUE(Act(ctl::mnuViewToolbarShow)->isChecked());
  EXPECT_TRUE(floating->isVisible());
  Act(ctl::mnuViewToolbarShow)->trigger();
  EXPECT_FALSE(reg.ToolbarVisible);
  EXPECT_FALSE(floating->isVisible());
  EXPECT_FALSE(strip->isVisible());
}

TEST_F(Commands, TheFloatingToolbarIsPlacedFromTheMainWindowAndKeptOnScreen) {
  auto& reg = Registry::RegSettings();
  w->move(100, 80);
  w->show();
  AwaitExposed(w.get());
  reg.ToolbarDocked = false;
  Toolbar::ShowToolbar(true);
  MainForm::frmToolbar* floating = w->floatingToolbar();
  EXPECT_EQ(floating->frameGeometry().topLeft() - w->frameGeometry().topLeft(),
            QPoint(1000 / 15, 500 / 15));
  // The timer keeps the offset the user gives it.
  floating->move(w->frameGeometry().left() + 40, w->frameGeometry().top() + 20);
  w->Timer1_Timer();
  EXPECT_EQ(reg.ToolbarX, 600);
  EXPECT_EQ(reg.ToolbarY, 300);
  // An offset stored for a larger screen does not put the window off this one.
  reg.ToolbarX = 900000;
  reg.ToolbarY = -900000;
  Toolbar::MoveToolbar();
  const QRect screen = floating->screen()->availableGeometry();
  EXPECT_TRUE(screen.contains(floating->frameGeometry().topLeft()));
}

// The floating window placed at the stored offset reads back that offset: the timer keeps what
// was stored however the pixel rounds it (15 twips to a pixel), until someone moves the window.
TEST_F(Commands, TheFloatingToolbarsStoredOffsetSurvivesItsPlacement) {
  auto& reg = Registry::RegSettings();
  w->move(100, 80);
  w->show();
  AwaitExposed(w.get());
  MainForm::frmToolbar* floating = w->floatingToolbar();
  for (const QPoint offset : {QPoint(1000, 500), QPoint(1007, -105)}) {
    reg.ToolbarDocked = true;
    Toolbar::ShowToolbar(true);
    reg.ToolbarX = offset.x();
    reg.ToolbarY = offset.y();
    reg.ToolbarDocked = false;
    Toolbar::ShowToolbar(true);
    EXPECT_EQ(floating->frameGeometry().topLeft() - w->frameGeometry().topLeft(),
              QPoint(offset.x() / 15, offset.y() / 15));
    // Ticks while the window settles (a second here, where no frame comes) and after: the offset
    // stays as stored.
    for (int tick = 0; tick < 12; ++tick) {
      testsupport::Pump(100);
      w->Timer1_Timer();
    }
    EXPECT_EQ(QPoint(reg.ToolbarX, reg.ToolbarY), offset);
  }
  // A move by the user is recorded: 10 and 4 pixels from the place of the offset 1007, -105.
  floating->move(floating->frameGeometry().topLeft() + QPoint(10, 4));
  w->Timer1_Timer();
  EXPECT_EQ(QPoint(reg.ToolbarX, reg.ToolbarY), QPoint((67 + 10) * 15, (-7 + 4) * 15));
}

TEST_F(Commands, ADialogLowersTheFloatingToolbarWhileItIsOpen) {
  auto& reg = Registry::RegSettings();
  w->show();
  reg.ToolbarDocked = false;
  Toolbar::ShowToolbar(true);
  ASSERT_TRUE(Toolbar::Topmost());
  bool lowered = false;
  WhenModal about([&](QWidget* d) {
    lowered = !Toolbar::Topmost();
    d->close();
  });
  w->mnuHelpAbout_Click();
  EXPECT_TRUE(lowered);
  EXPECT_TRUE(Toolbar::Topmost());
}

// --- Interior and WAT option buttons ---

TEST_F(Commands, ViewAllOverlaysOnceThroughTheConfiguration) {
  MainForm::vars().CurrentTab = 0;
  MainForm::vars().TabDrawn[5] = true;
  Opt(ctl::optCorp)->setChecked(true);
  Opt("optSideOverlay_1")->setChecked(true);
  cad.calls.clear();
  Opt(ctl::optHeliAll)->setChecked(true);
  // optHeliAll's own redraw and the Overlay button's run of optCorp.
  EXPECT_EQ(cad.count("ClearDrawing 5"), 2);
  EXPECT_TRUE(Opt("optSideOverlay_0")->isChecked());
  EXPECT_TRUE(w->findChild<QGroupBox*>(ctl::fraInteriorHeliOverlayView_0)->isHidden());
  EXPECT_EQ(MainForm::vars().InteriorConfig, 1);
  EXPECT_FALSE(MainForm::vars().TabDrawn[5]) << "the interior tab, not the current one";

  Opt(ctl::optHeliCabinSide)->setChecked(true);
  EXPECT_FALSE(w->findChild<QGroupBox*>(ctl::fraInteriorHeliOverlayView_0)->isHidden());
}

TEST_F(Commands, ConfigurationButtonsSetTheInteriorConfig) {
  struct Case {
    const char* button;
    int config;
  };
  for (const Case& c : {Case{ctl::optEMS, 2}, Case{ctl::optUtil, 3}, Case{ctl::optCorp, 1}}) {
    cad.calls.clear();
    MainForm::vars().TabDrawn[5] = true;
    Opt(c.button)->setChecked(true);
    EXPECT_EQ(MainForm::vars().InteriorConfig, c.config) << c.button;
    EXPECT_EQ(cad.count("ClearDrawing 5"), 1) << c.button;
    EXPECT_FALSE(MainForm::vars().TabDrawn[5]) << c.button;
  }
}

TEST_F(Commands, OverlayWithNoConfigurationSelectedDoesNothing) {
  auto* corp = Opt(ctl::optCorp);
  // Leave the configuration group with nothing selected.
  corp->setAutoExclusive(false);
  corp->setChecked(false);
  corp->setAutoExclusive(true);
  cad.calls.clear();
  Opt("optSideOverlay_0")->setChecked(true);
  EXPECT_EQ(cad.count("ClearDrawing"), 0);
}

TEST_F(Commands, WatButtonsChooseTheChart) {
  Opt(ctl::optWATA)->setChecked(true);
  EXPECT_EQ(Globals::vars().WATChart, 1);
  Opt(ctl::optWATB)->setChecked(true);
  EXPECT_EQ(Globals::vars().WATChart, 2);
  EXPECT_EQ(cad.count("ClearDrawing"), 0) << "the drawing views are not touched";
}

// --- File and Edit ---

TEST_F(Commands, ExportByNameAndFolder) {
  struct Case {
    int tab;
    std::string answer;
    std::string expected;  // the recorded save; "" = none
  };
  const std::string d = dir.path().generic_string();
  const Case cases[] = {
      {2, d + "/a/TopView.wmf", "SaveMetafile 2 " + d + "/a/TopView.wmf"},
      {3, d + "/b/Front.DXF", "SaveDxf 3 " + d + "/b/Front.DXF"},
      {4, d + "/c/plan.dxf.bmp", "SaveDxf 4 " + d + "/c/plan.dxf.bmp"},
      {5, d + "/d/interior.bmp", "SaveBitmap 5 " + d + "/d/interior.bmp"},
      {5, d + "/e/picture.png", "SaveBitmap 5 " + d + "/e/picture.png"},
  };
  std::string folder = vb::ProgramFolder().string();
  for (const Case& c : cases) {
    MainForm::vars().CurrentDrawingTab = c.tab;
    cad.calls.clear();
    save.answers = {c.answer};
    w->mnuFileExport_Click();
    ASSERT_EQ(cad.calls.size(), 1u) << c.answer;
    EXPECT_EQ(cad.calls[0], c.expected);
    const MainForm::SaveRequest& r = save.requests.back();
    EXPECT_EQ(r.folder, folder) << "opens where the last export went";
    EXPECT_EQ(r.title, "Export Current Image...");
    EXPECT_EQ(r.defaultSuffix, "wmf");
    ASSERT_EQ(r.filters.size(), 3u);
    EXPECT_EQ(r.filters[0], "Windows MetaFile (*.wmf)");
    folder = std::filesystem::path(c.answer).parent_path().generic_string() + "/";
    EXPECT_EQ(MainForm::vars().ExportFolder, folder);
  }
  EXPECT_EQ(save.requests[0].fileName, "TopView");
  EXPECT_EQ(save.requests[1].fileName, "FrontView");
  EXPECT_EQ(save.requests[2].fileName, "SideView");
  EXPECT_EQ(save.requests[3].fileName, "InteriorView");
}

TEST_F(Commands, ExportCancelChangesNothing) {
  MainForm::vars().ExportFolder = "/somewhere/";
  vb::ChDir(dir / "elsewhere");
  MainForm::vars().CurrentDrawingTab = 2;
  save.answers = {""};
  w->mnuFileExport_Click();
  EXPECT_TRUE(cad.calls.empty());
  EXPECT_EQ(MainForm::vars().ExportFolder, "/somewhere/");
  EXPECT_EQ(vb::CurDir(), dir / "elsewhere") << "the current folder is not touched";
}

TEST_F(Commands, ExportWritesTheViewThroughTheDrawingControl) {
  w->SetDrawingViews(nullptr);  // the window's own drawing views
  MainForm::vars().CurrentDrawingTab = 3;
  vb::ChDir(dir / "elsewhere");
  w->CAD(3)->MergeDrawingText(
      "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n5\n21\n"
      "2\n0\nENDSEC\n0\nEOF\n");
  const auto file = dir / "out" / "front.dxf";
  std::filesystem::create_directories(file.parent_path());
  save.answers = {file.string()};
  w->mnuFileExport_Click();
  std::string text;
  ASSERT_TRUE(vb::ReadWholeFile(file, text));
  EXPECT_NE(text.find("LINE"), std::string::npos);
  EXPECT_EQ(vb::CurDir(), vb::ProgramFolder());
  EXPECT_EQ(General::vars().ErrorCount, 0);
}

TEST_F(Commands, CopyPutsBothNamesOnTheClipboard) {
  Registry::RegSettings().Aircraft1 = "101";
  Registry::RegSettings().Aircraft2 = "";
  Act(ctl::mnuEditCopy)->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
            Globals::AircraftName("101") + "\r\nN/A");
  Registry::RegSettings().Aircraft2 = "102";
  Act(ctl::mnuEditCopy)->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
            Globals::AircraftName("101") + "\r\n" + Globals::AircraftName("102"));
}

TEST_F(Commands, NewClearsThePairAndKeepsTheClass) {
  Registry::RegSettings().Aircraft1 = "101";
  Registry::RegSettings().Aircraft2 = "102";
  Globals::vars().AircraftClass = MainForm::Class::Helicopter;
  Act(ctl::mnuFileNew)->trigger();
  EXPECT_EQ(Registry::RegSettings().Aircraft1, "");
  EXPECT_EQ(Registry::RegSettings().Aircraft2, "");
  EXPECT_EQ(Globals::vars().AircraftClass, MainForm::Class::Helicopter);
  EXPECT_EQ(Registry::RegistryValue("Aircraft1").toString(), "");
}

TEST_F(Commands, ChooseThenCancelStillResetsAndUpdates) {
  Registry::RegSettings().Aircraft1 = "101";
  AllChartLabelsLoaded();
  for (int chart = 1; chart <= 16; ++chart)
    Chart::vars().ChartLabels[size_t(chart)].assign(2, Chart::ChartLabel{});
  auto* scroll = w->findChild<QScrollBar*>(ctl::scrollFrame);
  scroll->setRange(0, 100);
  scroll->setValue(40);
  bool lowered = false;
  int chartsWithNotes = -1;  // while the dialog is open: its load left every chart without notes
  WhenModal choose([&](QWidget* d) {
    lowered = true;
    chartsWithNotes = 0;
    for (int chart = 1; chart <= 16; ++chart)
      chartsWithNotes += !Chart::vars().ChartLabels[size_t(chart)].empty();
    if (auto* cancel = d->findChild<QPushButton*>(ctl::cmdCancel)) cancel->click();
  });
  data->queries.clear();
  Act(ctl::mnuChoose)->trigger();
  EXPECT_TRUE(lowered);
  EXPECT_EQ(chartsWithNotes, 0);
  EXPECT_EQ(scroll->value(), 0);
  EXPECT_FALSE(AnyChartLabelsLoaded());
  EXPECT_NE(std::find(data->queries.begin(), data->queries.end(), "open 101"), data->queries.end())
      << "the display was updated";
}

// --- Dialogs ---

TEST_F(Commands, ThePickerDialogChoosesClickedColours) {
  w->show();
  struct Case {
    std::function<void(QDialog*)> act;
    int32_t start;
    bool option;
    int32_t result;
  };
  auto cell = [](QDialog* d, int i) {
    return d->findChild<QLabel*>(ctl::lblColor_ + QString::number(i));
  };
  const Case cases[] = {
      {[&](QDialog* d) {
         Mouse(cell(d, 3), QEvent::MouseButtonPress);
         d->findChild<QPushButton*>(ctl::cmdOK)->click();
       },
       Rgb(255, 0, 0), false, Rgb(0, 0, 255)},
      {[&](QDialog* d) {
         Mouse(cell(d, 8), QEvent::MouseButtonPress);
         Mouse(cell(d, 8), QEvent::MouseButtonDblClick);
       },
       0, false, Rgb(255, 128, 0)},
      {[&](QDialog* d) {
         Mouse(cell(d, 3), QEvent::MouseButtonPress);
         d->findChild<QPushButton*>("CancelButton")->click();
       },
       Rgb(255, 0, 0), false, Rgb(255, 0, 0)},
      {[&](QDialog* d) {
         Mouse(cell(d, 3), QEvent::MouseButtonPress);
         d->close();  // the close box cancels
       },
       Rgb(0, 255, 0), false, Rgb(0, 255, 0)},
      {[&](QDialog* d) {
         auto* box = d->findChild<QCheckBox*>(ctl::chkPlaneColor);
         EXPECT_TRUE(box->isVisible());
         EXPECT_TRUE(box->isChecked());
         Mouse(cell(d, 1), QEvent::MouseButtonPress);
         EXPECT_FALSE(box->isChecked());
         box->click();
         d->findChild<QPushButton*>(ctl::cmdOK)->click();
       },
       -1, true, -1},
  };
  Registry::RegSettings().DimColor = -1;
  for (const Case& c : cases) {
    bool seen = false;
    WhenModal picker([&](QWidget* modal) {
      auto* d = qobject_cast<QDialog*>(modal);
      if (!d || d->objectName() != "frmColor") return;
      seen = true;
      EXPECT_EQ(d->windowTitle(), "Pick");
      EXPECT_EQ(d->findChild<QCheckBox*>(ctl::chkPlaneColor)->isVisible(), c.option);
      c.act(d);
    });
    EXPECT_EQ(Color::SelectColor("Pick", c.start, c.option), c.result);
    EXPECT_TRUE(seen);
  }
}

TEST_F(Commands, PropertiesApplyOkAndCancel) {
  auto& reg = Registry::RegSettings();
  struct Case {
    const char* what;
    std::function<void(QDialog*)> act;
    uint8_t pan, zoom;
    bool saved;
  };
  const Case cases[] = {
      {"OK without change still saves",
       [](QDialog* d) { d->findChild<QPushButton*>(ctl::cmdOK)->click(); }, 1, 1, true},
      {"Apply then Cancel keeps the applied values",
       [](QDialog* d) {
         auto* apply = d->findChild<QPushButton*>(ctl::cmdApply);
         EXPECT_TRUE(apply->isEnabled());
         d->findChild<QCheckBox*>(ctl::chkPanMouse)->click();
         apply->click();
         EXPECT_FALSE(apply->isEnabled());
         d->findChild<QCheckBox*>(ctl::chkZoomMouse)->click();
         EXPECT_TRUE(apply->isEnabled()) << "a click after Apply enables it again";
         d->findChild<QPushButton*>(ctl::cmdCancel)->click();
       },
       0, 1, true},
      {"Cancel alone stores nothing",
       [](QDialog* d) {
         d->findChild<QCheckBox*>(ctl::chkZoomMouse)->click();
         d->findChild<QPushButton*>(ctl::cmdCancel)->click();
       },
       1, 1, false},
  };
  for (const Case& c : cases) {
    Registry::LoadDefaults();
    ASSERT_EQ(Registry::SaveRegData(), 0);
    std::filesystem::remove(dir / "registry.ini");
    WhenModal properties([&](QWidget* modal) {
      auto* d = qobject_cast<QDialog*>(modal);
      ASSERT_NE(d, nullptr);
      EXPECT_EQ(d->windowTitle(), "Properties");
      EXPECT_TRUE(d->findChild<QCheckBox*>(ctl::chkPanMouse)->isChecked());
      c.act(d);
    });
    w->mnuFileProperties_Click();
    EXPECT_EQ(reg.PanWithMouse, c.pan) << c.what;
    EXPECT_EQ(reg.ZoomWithMouse, c.zoom) << c.what;
    EXPECT_EQ(std::filesystem::exists(dir / "registry.ini"), c.saved) << c.what;
  }
}

TEST_F(Commands, AboutBoxTexts) {
  Registry::RegSettings().DatabaseVersion = "";
  clock.now = vb::DateFromParts({2033, 3, 1, 9, 0, 0});
  MainForm::frmAbout about(w.get());
  EXPECT_EQ(about.windowTitle(), "About Tolvane");
  auto text = [&](const char* name) {
    return about.findChild<QLabel*>(name)->text().toStdString();
  };
  EXPECT_EQ(text(ctl::lblTitle), "Tolvane");
  EXPECT_EQ(text(ctl::lblVersion), "Version " + MainForm::VersionText() + "  ()");
  EXPECT_NE(text(ctl::lblCopyright).find("2033"), std::string::npos);
  EXPECT_FALSE(text(ctl::lblDisclaimer).empty());
  EXPECT_EQ(about.findChild<QPushButton*>(ctl::cmdSysInfo)->text(), "&System Info...");
  EXPECT_TRUE(about.findChild<QPushButton*>(ctl::cmdOK)->isDefault());
  EXPECT_EQ(MainForm::AboutVersionText("Database Version Error"),
            "Version " + MainForm::VersionText() + "  (Database Version Error)");
  const std::string info = MainForm::SystemInfoText();
  EXPECT_NE(info.find(qVersion()), std::string::npos);
  EXPECT_NE(info.find(QSysInfo::kernelVersion().toStdString()), std::string::npos);
}

// --- Colour scheme ---

TEST_F(Commands, TheSchemeColoursTheWindowTabsAndBars) {
  WriteIni("[Settings]\nFormColor=PaleBlue\nBarColor=\nMenuColor=LightYellow\n");
  w->ApplyColorScheme();
  const QColor form(206, 235, 255);
  EXPECT_EQ(w->palette().color(QPalette::Window), form);
  EXPECT_EQ(w->statusBar()->palette().color(QPalette::Window), form);
  EXPECT_EQ(w->findChild<QGroupBox*>(ctl::fraInterior)->palette().color(QPalette::Window), form);
  EXPECT_EQ(Opt(ctl::optWATA)->palette().color(Opt(ctl::optWATA)->backgroundRole()), form);
  EXPECT_EQ(Box(1)->palette().color(Box(1)->backgroundRole()), form);
  EXPECT_TRUE(Box(1)->autoFillBackground());
  EXPECT_EQ(StripButton(1)->palette().color(QPalette::Button), form);
  EXPECT_EQ(w->findChild<QLabel*>("barBG_0")->palette().color(QPalette::Window),
            QColor(196, 225, 245));
  EXPECT_EQ(w->findChild<QLabel*>("lblHeading_0")->palette().color(QPalette::Window),
            QColor(186, 215, 235));
  EXPECT_EQ(w->menuBar()->palette().color(QPalette::Window), QColor(255, 255, 128));
  EXPECT_EQ(w->findChild<QTabBar*>(ctl::SSTab)->palette().color(QPalette::Button), form);
  // A pixel of the page area shows the scheme colour.
  w->resize(800, 600);
  w->show();
  AwaitExposed(w.get());
  auto* page = w->findChild<QWidget*>("framDisplay_0");
  const QImage shot = page->grab().toImage();
  EXPECT_EQ(QColor(shot.pixel(2, shot.height() - 3)), form);

  const char* shots = std::getenv("TOLVANE_SCREENSHOT_DIR");
  if (shots) w->grab().save(QString(shots) + "/scheme.png");
}

}  // namespace

namespace {

// Pictures of the running window for a look by eye: only when TOLVANE_SCREENSHOT_DIR names a
// folder. The sample database, two sample jets.
class Screenshots : public MainWindowTest {
 protected:
  void SetUp() override {
    QtApp();
    MainWindowTest::SetUp();
  }
};

TEST_F(Screenshots, MainWindowToolbarPickerAboutScheme) {
  const char* shots = std::getenv("TOLVANE_SCREENSHOT_DIR");
  if (!shots) GTEST_SKIP() << "TOLVANE_SCREENSHOT_DIR not set";
  const QString out(shots);
  std::string sql;
  ASSERT_TRUE(vb::ReadWholeFile(TOLVANE_SAMPLE_AC_SQL, sql));
  testsupport::BuildDatabase(dir / "ac.mdb", sql);
  for (const char* scheme : {"", "PaleBlue"}) {
    WriteIni(std::string("[Settings]\nHandleErrors=True\nFormColor=") + scheme +
             "\n[Database]\nDBName=ac.mdb\nDxfDBName=dxf.mdb\n");
    Registry::LoadDefaults();
    Registry::RegSettings().Aircraft1 = "101";
    Registry::RegSettings().Aircraft2 = "102";
    Registry::RegSettings().ProgramVersion = MainForm::VersionText();
    Registry::RegSettings().Left = 600;
    Registry::RegSettings().Top = 600;
    Registry::RegSettings().Width = 15000;
    Registry::RegSettings().Height = 10500;
    ASSERT_EQ(Registry::SaveRegData(), 0);
    auto w = std::make_unique<MainForm::frmMain>();
    w->Start();
    w->show();
    // The splash window closes by itself, two seconds on the program's clock.
    Await([&] { return w->startup().FirstActivationDone() && !w->splash(); });
    AwaitExposed(w.get());
    auto screen = [&](const QString& file) {
      Settle();
      QGuiApplication::primaryScreen()->grabWindow(0).save(out + "/" + file);
    };
    auto showTab = [&](int tab) {
      w->findChild<QTabBar*>(ctl::SSTab)->setCurrentIndex(tab);
      Await([&] { return MainForm::vars().CurrentTab == tab; });
    };
    if (*scheme) {
      showTab(1);
      w->grab().save(out + "/scheme-general.png");
      showTab(5);
      w->grab().save(out + "/scheme-interior.png");
      showTab(0);
      w->grab().save(out + "/scheme-aircraft.png");
      screen("scheme-screen.png");
      w->close();
      continue;
    }
    showTab(2);
    w->grab().save(out + "/main-docked.png");
    screen("screen-docked.png");
    w->findChild<QAction*>(ctl::mnuViewToolbarDock)->trigger();
    AwaitExposed(w->floatingToolbar());
    w->floatingToolbar()->grab().save(out + "/toolbar-floating.png");
    screen("screen-floating.png");
    // Takes the pictures of the dialog as soon as it is on the screen, then closes it.
    auto grabDialog = [&](const QString& file) {
      return std::make_unique<WhenModal>([&, file](QWidget* d) {
        AwaitExposed(d);
        d->grab().save(out + "/" + file);
        QGuiApplication::primaryScreen()->grabWindow(0).save(out + "/screen-" + file);
        d->close();
      });
    };
    {
      auto shot = grabDialog("picker.png");
      Registry::RegSettings().DimColor = -1;
      Color::SelectColor("Dims Color", -1, true);
    }
    {
      auto shot = grabDialog("picker-plane.png");
      Color::SelectColor("Plane 1 Color", 0x0000FF, false);
    }
    {
      auto shot = grabDialog("about.png");
      w->mnuHelpAbout_Click();
    }
    {
      auto shot = grabDialog("properties.png");
      w->mnuFileProperties_Click();
    }
    w->findChild<QAction*>(ctl::mnuViewToolbarDock)->trigger();
    Settle();
    w->close();
  }
}

}  // namespace
