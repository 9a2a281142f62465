// The Qt main window and splash window on the offscreen platform: the named controls other
// parts reach, the menus' captions, the status-bar hook, the splash window's close rules, and a
// whole run on the sample database with two jets side by side.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "Fakes.h"
#include "WidgetsFixture.h"
#include "charts/Chart.h"
#include "mainwindow/ChartPicture.h"
#include "mainwindow/ColorScheme.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/DisplayUpdate.h"
#include "mainwindow/ToolbarModule.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmSplash.h"
#include "platform/dxfcontrol/DrawingWidget.h"
#include "platform/printer/PrinterDialog.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/Trap.h"
#include "printing/PrintCommands.h"
#include "printing/Printing.h"
#include "printing/QtDevices.h"
#include "support/TextInk.h"

namespace {

namespace ctl = MainForm::ctl;

using namespace mwtest;

void Click(QWidget* w) {
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &press);
}

// This test and the next spell the object names out rather than through the window's name
// constants: they hold the names other parts, page templates and stored settings rely on.
TEST_F(Widgets, MenusHaveTheirCaptionsAndStates) {
  MainForm::frmMain w(std::make_unique<FakeAircraftData>());
  struct Item {
    const char* name;
    const char* caption;
    bool enabled;
  };
  const Item items[] = {
      {"mnuFileNew", "&New", true},
      {"mnuFileExport", "&Export", false},
      {"mnuFilePlotScreen", "Plot &Screen", false},
      {"mnuFilePrint", "&Print Current Page", true},
      {"mnuFilePrintAll", "&All Pages", true},
      {"mnuFilePrintAircraft", "&Aircraft", true},
      {"mnuFilePrintGeneral", "&General", true},
      {"mnuFilePrintExterior", "&Exterior", true},
      {"mnuFilePrintInterior", "&Interior View", true},
      {"mnuFilePrintBlockFuelTime", "&Block Fuel/Time", true},
      {"mnuFilePrintBalancedFieldLength", "&Balanced Field Length", true},
      {"mnuFilePrintTakeoffLanding", "&Takeoff and Landing", true},
      {"mnuFilePrintFlightEnvelope", "&Flight Envelope", true},
      {"mnuFilePrintPayloadRange", "&Payload Range", true},
      {"mnuFilePrintServiceCeiling", "&Service Ceiling", true},
      {"mnuFilePrintHVCruiseSpeed", "&HV/Cruise Speed", true},
      {"mnuFilePrintWAT", "&WAT", true},
      {"mnuFilePrintAllOverlaid", "Overlaid", true},
      {"mnuFilePrintInteriorScaleSideBySide", "Side by Side", true},
      {"mnuFileProperties", "&Properties", true},
      {"mnuFileExit", "E&xit", true},
      {"mnuEditCopy", "&Copy", true},
      {"mnuChoose", "&Aircraft", true},
      {"mnuHelpContents", "&Contents", true},
      {"mnuHelpAbout", "&About", true},
      {"mnuViewMetric", "&Metric Units", true},
      {"mnuViewToolbarShow", "&Show", true},
      {"mnuViewToolbarDock", "&Dock", true},
  };
  for (const Item& i : items) {
    auto* a = w.findChild<QAction*>(i.name);
    ASSERT_NE(a, nullptr) << i.name;
    EXPECT_EQ(a->text().toStdString(), i.caption) << i.name;
    EXPECT_EQ(a->isEnabled(), i.enabled) << i.name;
  }
  for (const char* name :
       {"mnuViewPlane1", "mnuViewPlane2", "mnuViewPlane1Color", "mnuViewPlane2Color",
        "mnuViewShowDims", "mnuViewShowGrid", "mnuViewDimColor"})
    EXPECT_NE(w.findChild<QAction*>(name), nullptr) << name;
  for (const char* twin :
       {"mnuFilePrintAllChoose", "mnuFilePrintExteriorChoose", "mnuFilePrintInteriorChoose"}) {
    auto* menu = w.findChild<QMenu*>(twin);
    ASSERT_NE(menu, nullptr) << twin;
    EXPECT_EQ(menu->actions().size(), 2);
  }
  // Plot Screen waits for a drawing tab.
  w.SetMenuEnabled("mnuFilePlotScreen", true);
  EXPECT_TRUE(w.findChild<QAction*>("mnuFilePlotScreen")->isEnabled());
}

// The File menu holds the print items as the print commands register them: each in its submenu
// with its caption, in their order, and each command's item runs that command.
TEST_F(Widgets, TheFileMenusPrintItemsAreTheRegisteredOnes) {
  MainForm::frmMain w(std::make_unique<FakeAircraftData>());
  auto* file = w.findChild<QMenu*>(ctl::mnuFile);
  ASSERT_NE(file, nullptr);
  std::map<std::string_view, std::vector<QAction*>> seen;  // the items each menu showed so far
  for (const Printing::PrintItem& item : Printing::PrintItems()) {
    const QString name = QString::fromUtf8(item.name.data(), qsizetype(item.name.size()));
    SCOPED_TRACE(name.toStdString());
    QMenu* parent = item.parent.empty() ? file
                                        : w.findChild<QMenu*>(QString::fromUtf8(
                                              item.parent.data(), qsizetype(item.parent.size())));
    ASSERT_NE(parent, nullptr);
    QAction* action =
        item.command ? w.findChild<QAction*>(name) : w.findChild<QMenu*>(name)->menuAction();
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text().toStdString(), item.caption);
    // After the items before it in the same menu.
    std::vector<QAction*>& before = seen[item.parent];
    const QList<QAction*> actions = parent->actions();
    const qsizetype at = actions.indexOf(action);
    ASSERT_GE(at, 0);
    for (QAction* earlier : before) EXPECT_LT(actions.indexOf(earlier), at);
    before.push_back(action);
    // Those of a pair start hidden (and read as disabled so), those of a drawing view disabled.
    const bool shown = item.offered != Printing::Offered::TwoPlanes;
    EXPECT_EQ(action->isVisible(), shown);
    EXPECT_EQ(action->isEnabled(), shown && item.enabled == Printing::Enabled::Always);
  }
  // A command's item runs its command: with no aircraft and the printer dialog cancelled, the
  // handler's trace entry is its item's.
  struct Traced final : vb::TrapHandler {
    std::vector<std::string> entries;
    bool HandlingOn() override { return true; }
    void TraceEntry(std::string_view m, std::string_view p) override {
      entries.push_back(std::string(m) + ":" + std::string(p));
    }
    void HandleError(std::string_view, std::string_view, const vb::Error&) override {}
  } traced;
  struct Cancel final : printer::PrinterDialogRunner {
    std::optional<printer::DialogChoice> run(QPrinter&, int, QWidget*) override { return {}; }
  } cancel;
  w.printingDevices().InstallDialogRunner(&cancel);
  vb::TrapHandler* program = vb::CurrentTrapHandler();
  vb::SetTrapHandler(&traced);
  w.findChild<QAction*>(ctl::mnuFilePrintGeneral)->trigger();
  vb::SetTrapHandler(program);
  EXPECT_NE(
      std::find(traced.entries.begin(), traced.entries.end(), "MainForm:mnuFilePrintGeneral_Click"),
      traced.entries.end());
}

TEST_F(Widgets, EveryNamedControlExists) {
  MainForm::frmMain w(std::make_unique<FakeAircraftData>());
  auto* tabs = w.findChild<QTabBar*>("SSTab");
  ASSERT_NE(tabs, nullptr);
  ASSERT_EQ(tabs->count(), 14);
  EXPECT_EQ(tabs->tabText(0).toStdString(), "Aircraft");
  EXPECT_EQ(tabs->tabText(13).toStdString(), "WAT");
  for (int i = 0; i < 14; ++i)
    EXPECT_NE(w.findChild<QFrame*>("framDisplay_" + QString::number(i)), nullptr) << i;
  for (const auto& l : LabelCatalogue::Labels()) {
    auto* label =
        w.findChild<QLabel*>(QString::fromStdString(LabelCatalogue::ObjectName(l.array, l.index)));
    ASSERT_NE(label, nullptr) << LabelCatalogue::ObjectName(l.array, l.index);
    EXPECT_EQ(label->property("Tag").toString().toStdString(), l.tag);
  }
  for (const char* name : {"PlotPicture",
                           "CAD_0",
                           "CAD_2",
                           "CAD_5",
                           "chrtBlockFuel",
                           "chrtWATUtil",
                           "chrtPayload",
                           "lblTakeoff",
                           "lblWATCorp",
                           "lblAssumption",
                           "framGeneral",
                           "framScroll_0",
                           "framScroll_1",
                           "framLabels",
                           "framAircraft_0",
                           "framAircraft_1",
                           "fraIntCabVol_0",
                           "fraInterior",
                           "fraInteriorHeli",
                           "fraInteriorHeliType",
                           "fraInteriorHeliOverlayView_0",
                           "tbToolbar",
                           "Frame1",
                           "sbStatusbar",
                           "scrollFrame"})
    EXPECT_NE(w.findChild<QWidget*>(name), nullptr) << name;
  for (int i = 0; i < 8; ++i)
    EXPECT_NE(w.findChild<QRadioButton*>("optSideOverlay_" + QString::number(i)), nullptr) << i;
  for (const char* name :
       {"optInterior", "optCabin", "optBothInterior", "optHeliInterior", "optHeliCabin",
        "optHeliCabinSide", "optHeliAll", "optCorp", "optEMS", "optUtil", "optWATA", "optWATB"})
    EXPECT_NE(w.findChild<QRadioButton*>(name), nullptr) << name;
  EXPECT_TRUE(w.findChild<QRadioButton*>("optSideOverlay_3")->isChecked());
  EXPECT_TRUE(w.findChild<QRadioButton*>("optCabin")->isChecked());
  for (int i = 0; i < 10; ++i)
    EXPECT_NE(w.findChild<QPushButton*>("cmdToolbar_" + QString::number(i)), nullptr);
  EXPECT_NE(w.findChild<QCheckBox*>("chkACVisible_1"), nullptr);

  // The user-interface hooks write panel 1 of the status bar.
  ui::Current().SetStatusText("[1]File not found");
  EXPECT_EQ(w.findChild<QLabel*>("sbStatusbar_panel1")->text().toStdString(), "[1]File not found");
}

// Every frame, view and chart of a tab page stands inside the page with a margin, so no border
// is cut off by the window's edge.
TEST_F(Widgets, EveryFrameOfAPageStandsClearOfItsEdges) {
  MainForm::frmMain w(std::make_unique<FakeAircraftData>());
  for (int tab = 0; tab < 14; ++tab) {
    auto* page = w.findChild<QFrame*>("framDisplay_" + QString::number(tab));
    ASSERT_NE(page, nullptr) << tab;
    for (QObject* child : page->children()) {
      auto* frame = qobject_cast<QFrame*>(child);
      auto* group = qobject_cast<QGroupBox*>(child);
      if (!frame && !group) continue;
      const QRect r = qobject_cast<QWidget*>(child)->geometry();
      const std::string name = child->objectName().toStdString();
      EXPECT_GE(r.left(), 4) << tab << " " << name;
      EXPECT_LE(r.right(), page->width() - 1 - 4) << tab << " " << name;
    }
  }
}

// The texts of the two aircraft columns wrap short of their frame's border, so a long note
// does not run into it.
TEST_F(Widgets, TheAircraftColumnsTextsStandClearOfTheirBorders) {
  MainForm::frmMain w(std::make_unique<FakeAircraftData>());
  for (const char* name : {"framAircraft_0", "framAircraft_1"}) {
    auto* frame = w.findChild<QGroupBox*>(name);
    ASSERT_NE(frame, nullptr) << name;
    const auto labels = frame->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    ASSERT_FALSE(labels.isEmpty()) << name;
    for (const QLabel* label : labels)
      EXPECT_LE(label->geometry().right(), frame->width() - 1 - 4)
          << name << " " << label->objectName().toStdString();
  }
}

// A print job holds the print items disabled and gives them back their states when it ends. An
// item hidden while the job ran (the direct "All Pages" while a pair is chosen, the fixed-wing
// pages while helicopters are) must be usable again once it is shown.
TEST_F(Widgets, APrintItemHiddenDuringAJobIsUsableOnceShown) {
  MainForm::frmMain w(std::make_unique<FakeAircraftData>());
  auto* all = w.findChild<QAction*>(ctl::mnuFilePrintAll);
  auto* general = w.findChild<QAction*>(ctl::mnuFilePrintGeneral);
  ASSERT_NE(all, nullptr);
  ASSERT_NE(general, nullptr);
  w.SetMenuVisible(ctl::mnuFilePrintAll, false);
  w.PrintJobStarted();
  EXPECT_FALSE(general->isEnabled()) << "held while the job runs";
  w.PrintJobEnded();
  EXPECT_TRUE(general->isEnabled());
  w.SetMenuVisible(ctl::mnuFilePrintAll, true);
  EXPECT_TRUE(all->isEnabled());
}

// The configuration frame of the interior tab shows only while one of its buttons does: a
// fixed-wing pair, which has no helicopter configurations, shows no empty "Configuration" box.
TEST_F(Widgets, TheConfigurationFrameShowsOnlyWithAButtonInIt) {
  MainForm::frmMain w(std::make_unique<FakeAircraftData>());
  auto* frame = w.findChild<QGroupBox*>(ctl::fraInteriorHeliType);
  ASSERT_NE(frame, nullptr);
  auto* page = w.findChild<QFrame*>("framDisplay_5");
  for (const char* option : {ctl::optCorp, ctl::optEMS, ctl::optUtil})
    w.SetOptionVisible(option, false);
  EXPECT_FALSE(frame->isVisibleTo(page));
  w.SetOptionVisible(ctl::optEMS, true);
  EXPECT_TRUE(frame->isVisibleTo(page));
  EXPECT_FALSE(w.findChild<QRadioButton*>(ctl::optUtil)->isVisibleTo(page));
  w.SetOptionVisible(ctl::optEMS, false);
  EXPECT_FALSE(frame->isVisibleTo(page));
}

TEST_F(Widgets, HidingThePageOnScreenMovesToTheAircraftTab) {
  MainForm::frmMain w(std::make_unique<FakeAircraftData>());
  auto* tabs = w.findChild<QTabBar*>(ctl::SSTab);
  w.SelectTab(13);
  MainForm::vars().CurrentTab = 13;
  for (int tab = 11; tab <= 13; ++tab) w.SetTabVisible(tab, false);
  EXPECT_EQ(MainForm::vars().CurrentTab, 0);
  EXPECT_EQ(tabs->currentIndex(), 0);
  w.ShowTabNo();
  EXPECT_FALSE(w.findChild<QFrame*>("framDisplay_13")->isVisibleTo(&w));
  EXPECT_TRUE(w.findChild<QFrame*>("framDisplay_0")->isVisibleTo(&w));
}

// The window's tab click is the dispatcher's: the chart notes are read again, Export follows
// the kind of tab, and the last drawing tab stays the one the drawing commands act on.
TEST_F(Widgets, TheWindowsTabClickResetsTheChartNotesAndFollowsTheTab) {
  MainForm::frmMain w(std::make_unique<FakeAircraftData>());
  auto* exportItem = w.findChild<QAction*>(ctl::mnuFileExport);
  struct Step {
    int tab;
    bool exportEnabled;
    int drawingTab;
  };
  // A chart tab draws its charts at once, and they read their notes again as they do.
  for (const Step& s : {Step{3, true, 3}, Step{10, false, 3}, Step{1, false, 3}}) {
    SCOPED_TRACE(s.tab);
    Chart::vars().ChartLabelsLoaded.fill(true);
    w.SelectTab(s.tab);
    w.TabStrip_Click();
    EXPECT_EQ(MainForm::vars().CurrentTab, s.tab);
    EXPECT_EQ(MainForm::vars().CurrentDrawingTab, s.drawingTab);
    EXPECT_EQ(exportItem->isEnabled(), s.exportEnabled);
    if (s.tab != 10) {
      for (int chart = 1; chart <= 16; ++chart)
        EXPECT_FALSE(Chart::vars().ChartLabelsLoaded[static_cast<size_t>(chart)]) << chart;
    }
    EXPECT_TRUE(w.findChild<QFrame*>(ctl::framDisplay_ + QString::number(s.tab))->isVisibleTo(&w));
  }
}

TEST_F(Widgets, SplashClosesOnlyOnceAllowed) {
  QWidget main;
  auto* splash = new MainForm::frmSplash(&main);
  QPointer<MainForm::frmSplash> alive(splash);
  splash->show();
  Click(splash);
  Click(splash->findChild<QLabel*>(ctl::lblSplash));
  // Its timer has looked at the clock a few times and left it open.
  const long reads = clock.reads;
  ASSERT_TRUE(Await([&] { return clock.reads >= reads + 2; }));
  ASSERT_TRUE(alive);
  EXPECT_TRUE(splash->isVisible());
  EXPECT_FALSE(main.isVisible());

  splash->AllowClose();
  Click(splash->findChild<QLabel*>(ctl::picLogo));
  Settle();
  EXPECT_FALSE(alive) << "closed at once and deleted";
  EXPECT_TRUE(main.isVisible()) << "its unload shows the main window";
}

// The wait runs on the program's clock, which the test moves by hand: the window stays up to
// just short of two seconds after the tick that starts the wait, and unloads at two.
TEST_F(Widgets, SplashClosesByItselfTwoSecondsAfterPermission) {
  clock.step = 0;
  clock.timer = 86399;  // the wait runs over midnight, where the clock falls back to 0
  QWidget main;
  auto* splash = new MainForm::frmSplash(&main);
  QPointer<MainForm::frmSplash> alive(splash);
  splash->show();
  long reads = clock.reads;
  ASSERT_TRUE(Await([&] { return clock.reads >= reads + 2; }));
  ASSERT_TRUE(alive);
  EXPECT_NE(splash->cursor().shape(), Qt::BusyCursor) << "no wait before permission";
  splash->AllowClose();
  ASSERT_TRUE(PumpUntil([&] { return splash->cursor().shape() == Qt::BusyCursor; }));
  clock.timer = 0.99f;
  reads = clock.reads;
  ASSERT_TRUE(Await([&] { return clock.reads >= reads + 2; }));
  ASSERT_TRUE(alive) << "closed before two seconds had passed";
  EXPECT_FALSE(main.isVisible());
  clock.timer = 1;
  ASSERT_TRUE(PumpUntil([&] { return !alive; }));
  EXPECT_TRUE(main.isVisible());
}

// The splash window, shown while the main window is still hidden, stays in front of it once the
// main window is shown: the main window owns it and it keeps above, until it closes itself.
TEST_F(Widgets, TheSplashStaysInFrontOfTheMainWindowShownAfterIt) {
  WriteIni("[Settings]\nHandleErrors=True\n[Database]\nDBName=ac.mdb\nDxfDBName=dxf.mdb\n");
  SampleJetsProgramFolder(dir.path(), false);
  auto w = std::make_unique<MainForm::frmMain>();
  w->Start();
  QPointer<MainForm::frmSplash> splash(w->splash());
  ASSERT_TRUE(splash);
  ASSERT_TRUE(splash->isVisible());
  EXPECT_FALSE(w->isVisible());
  w->show();
  ASSERT_TRUE(splash) << "closed before the main window was shown";
  EXPECT_TRUE(splash->isVisible());
  EXPECT_TRUE(splash->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  ASSERT_NE(splash->windowHandle(), nullptr);
  EXPECT_EQ(splash->windowHandle()->transientParent(), w->windowHandle());
  // It closes by itself, two seconds on the program's clock after start-up allowed it.
  EXPECT_TRUE(Await([&] { return !splash; }));
  EXPECT_TRUE(w->isVisible());
  w->close();
}

// The section headings of the general data read on the heading colour of any scheme: white on
// the design's dark blue, black on the pale heading colour of "PaleBlue".
TEST_F(Widgets, TheHeadingsReadOnTheSchemesHeadingColour) {
  struct Case {
    const char* formColor;
    QColor text;
  };
  for (const Case& c :
       {Case{"", Qt::white}, Case{"PaleBlue", Qt::black}, Case{"DarkGray", Qt::white}}) {
    SCOPED_TRACE(c.formColor);
    WriteIni(std::string("[Settings]\nHandleErrors=True\nFormColor=") + c.formColor +
             "\n[Database]\nDBName=ac.mdb\nDxfDBName=dxf.mdb\n");
    std::filesystem::remove(dir.path() / "ac.mdb");
    SampleJetsProgramFolder(dir.path(), false);
    auto w = StartedWindow();
    const auto headings = w->findChildren<QLabel*>(QRegularExpression("^lblHeading_"));
    ASSERT_FALSE(headings.isEmpty());
    auto rgb = [](QColor q) { return q.red() + q.green() * 256 + q.blue() * 65536; };
    for (const QLabel* heading : headings) {
      const QPalette pal = heading->palette();
      const QColor back = pal.color(QPalette::Window), fore = pal.color(QPalette::WindowText);
      EXPECT_EQ(fore, c.text) << heading->objectName().toStdString();
      EXPECT_GE(MainForm::ContrastRatio(rgb(back), rgb(fore)), 4.5)
          << heading->objectName().toStdString();
    }
    w->close();
    w.reset();
  }
}

// The mouse on a chart's "Assumptions" caption opens the chart's assumption box over the page;
// moving on from the picture to the page around it closes the box again.
TEST_F(Widgets, MovingFromAChartOntoItsPageClosesItsAssumptions) {
  auto w = StartOnSamplePair("101", "102");
  w->findChild<QTabBar*>(ctl::SSTab)->setCurrentIndex(10);
  ASSERT_TRUE(Await([] { return MainForm::vars().CurrentTab == 10; }));
  auto* chart = w->findChild<MainForm::ChartPicture*>(ctl::chrtPayload);
  auto* page = w->findChild<QFrame*>(ctl::framDisplay_ + QString::number(10));
  ASSERT_TRUE(chart && page);
  auto move = [](QWidget* target, QPointF at) {
    QMouseEvent e(QEvent::MouseMove, at, target->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(target, &e);
  };
  move(chart, QPointF(chart->width() - 4, 4));
  QWidget* box = chart->AssumptionBoxWidget();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->parentWidget(), page);
  EXPECT_TRUE(box->isVisible());
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(chart, &leave);
  move(page, QPointF(2, 2));
  EXPECT_FALSE(box->isVisible());
  w->close();
}

TEST_F(Widgets, SplashTextCarriesTheClocksYear) {
  clock.now = vb::DateFromParts({2031, 5, 1, 9, 0, 0});
  EXPECT_NE(MainForm::SplashModel::Text().find("2031"), std::string::npos);
}

// A whole run: the sample database, two sample jets stored as the last pair.
TEST_F(Widgets, TwoSampleJetsSideBySide) {
  WriteIni("[Settings]\nHandleErrors=True\n[Database]\nDBName=ac.mdb\nDxfDBName=dxf.mdb\n");
  SampleJetsProgramFolder(dir.path(), false);
  auto w = StartedWindow();
  ASSERT_TRUE(w->startup().FirstActivationDone());
  auto text = [&](const char* name) {
    auto* l = w->findChild<QLabel*>(name);
    return l ? l->text().toStdString() : std::string("<none>");
  };
  EXPECT_EQ(text("lblData1_1"), "AC-600");
  EXPECT_EQ(text("lblData2_1"), "VS-8");
  EXPECT_EQ(text("lblData1_12"), "Swiftline 6");
  EXPECT_EQ(w->findChild<QGroupBox*>("framAircraft_1")->title().toStdString(),
            "Vantreux Aerospace Sarrance 8");
  EXPECT_FALSE(text("gen1Data1_0").empty());
  EXPECT_NE(text("gen1Data1_0"), text("gen1Data2_0"));
  EXPECT_EQ(w->windowTitle().toStdString(), MainForm::CaptionText());
  auto* tabs = w->findChild<QTabBar*>(ctl::SSTab);
  EXPECT_FALSE(tabs->isTabVisible(13)) << "a fixed-wing pair has no WAT tab";
  EXPECT_TRUE(tabs->isTabVisible(7));

  const char* shots = std::getenv("TOLVANE_SCREENSHOT_DIR");
  auto shoot = [&](const char* file) {
    if (shots) w->grab().save(QString(shots) + "/" + file);
  };
  shoot("tab0.png");
  tabs->setCurrentIndex(1);
  EXPECT_TRUE(Await([] { return MainForm::vars().CurrentTab == 1; }));
  EXPECT_TRUE(w->findChild<QFrame*>("framDisplay_1")->isVisible());
  EXPECT_FALSE(w->findChild<QFrame*>("framDisplay_0")->isVisible());
  EXPECT_TRUE(w->findChild<QFrame*>("framScroll_1")->isVisible());
  EXPECT_TRUE(w->findChild<QScrollBar*>(ctl::scrollFrame)->maximum() > 0);
  shoot("tab1.png");

  DBase::vars().MetricUnits = true;
  w->TabStrip_Click();
  const std::string kg = General::MetricString("Lbs");
  EXPECT_EQ(text("gen1Units_0"), std::string(15 - kg.size(), '_') + kg);
  shoot("tab1-metric.png");
  DBase::vars().MetricUnits = false;

  // Choose: the dialog opens on the stored pair; OK keeps it and the panels scroll back up.
  auto* scroll = w->findChild<QScrollBar*>(ctl::scrollFrame);
  scroll->setValue(scroll->maximum());
  bool dialogSeen = false;
  WhenModal choose([&](QWidget* d) {
    dialogSeen = d->objectName() == "frmChoose" || d->inherits("QDialog");
    if (auto* ok = d->findChild<QPushButton*>(ctl::cmdOK)) ok->click();
  });
  w->findChild<QAction*>(ctl::mnuChoose)->trigger();
  EXPECT_TRUE(dialogSeen);
  EXPECT_EQ(scroll->value(), 0);
  EXPECT_EQ(Registry::RegSettings().Aircraft1, "101");
  EXPECT_EQ(Registry::RegSettings().Aircraft2, "102");
  EXPECT_EQ(text("lblData2_1"), "VS-8");

  w->setWindowState(Qt::WindowMaximized);
  Await([&] { return w->windowHandle()->windowStates().testFlag(Qt::WindowMaximized); });
  w->close();
  EXPECT_TRUE(w->startup().Unloaded());
  EXPECT_EQ(General::IniStr("Settings", "Aircraft1"), "[101]Aldercrest Aviation Swiftline 6");
  EXPECT_EQ(General::IniStr("Settings", "Aircraft2"), "[102]Vantreux Aerospace Sarrance 8");
  EXPECT_EQ(Registry::RegSettings().Top, 0);
  EXPECT_EQ(Registry::RegSettings().Left, 0);
  w.reset();
}

// The keyboard reaches every tab the class offers, in both directions, and never one it hides:
// the arrow keys on the tab bar stop at either end, Ctrl+Tab and Ctrl+Shift+Tab from anywhere in
// the window go round. The tab shown is the program's current tab all the way.
TEST_F(Widgets, TheKeyboardStepsThroughTheShownTabsOnly) {
  struct Case {
    const char *aircraft1, *aircraft2;
    std::vector<int> shown;
  };
  const Case cases[] = {
      {"101", "102", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {"201", "202", {0, 1, 2, 3, 4, 5, 6, 8, 10, 11, 12, 13}},
  };
  WriteIni("[Settings]\nHandleErrors=True\n[Database]\nDBName=ac.mdb\nDxfDBName=dxf.mdb\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.aircraft1);
    SampleJetsProgramFolder(dir.path(), false, c.aircraft1, c.aircraft2);
    auto w = StartedWindow();
    ASSERT_TRUE(w->startup().FirstActivationDone());
    auto* tabs = w->findChild<QTabBar*>(ctl::SSTab);
    std::vector<int> visible;
    for (int tab = 0; tab < tabs->count(); ++tab)
      if (tabs->isTabVisible(tab)) visible.push_back(tab);
    ASSERT_EQ(visible, c.shown);
    // A key pressed on `target`; the tab it leads to, which must be the current tab too.
    auto press = [&](QWidget* target, int key, Qt::KeyboardModifiers modifiers) {
      QKeyEvent e(QEvent::KeyPress, key, modifiers);
      QApplication::sendEvent(target, &e);
      EXPECT_EQ(MainForm::vars().CurrentTab, tabs->currentIndex());
      EXPECT_TRUE(w->findChild<QFrame*>(ctl::framDisplay_ + QString::number(tabs->currentIndex()))
                      ->isVisible());
      return tabs->currentIndex();
    };
    // Where a walk presses its keys: the tab bar, or the page shown.
    const auto target = [&](bool onPage) -> QWidget* {
      if (!onPage) return tabs;
      return w->findChild<QFrame*>(ctl::framDisplay_ + QString::number(tabs->currentIndex()));
    };
    std::vector<int> backwards(c.shown.rbegin(), c.shown.rend());
    struct Walk {
      const char* name;
      int key;
      Qt::KeyboardModifiers modifiers;
      bool onPage;  // pressed on the page shown rather than on the tab bar
      bool forwards, wraps;
    };
    const Walk walks[] = {
        {"Right", Qt::Key_Right, Qt::NoModifier, false, true, false},
        {"Left", Qt::Key_Left, Qt::NoModifier, false, false, false},
        {"Ctrl+Tab", Qt::Key_Tab, Qt::ControlModifier, true, true, true},
        {"Ctrl+Shift+Tab", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, true, false,
         true},
    };
    for (const Walk& walk : walks) {
      SCOPED_TRACE(walk.name);
      const std::vector<int>& order = walk.forwards ? c.shown : backwards;
      w->SelectTab(order.front());
      w->TabStrip_Click();
      std::vector<int> reached;
      for (size_t step = 1; step < order.size(); ++step)
        reached.push_back(press(target(walk.onPage), walk.key, walk.modifiers));
      EXPECT_EQ(reached, std::vector<int>(order.begin() + 1, order.end()));
      // Past the end: round to the other end, or no further.
      EXPECT_EQ(press(target(walk.onPage), walk.key, walk.modifiers),
                walk.wraps ? order.front() : order.back());
    }
    w->close();
    w.reset();
  }
}

// The tab headers, where the shown tabs do not all fit (a jet pair, whose last tabs are hidden,
// below about 890 pixels; a helicopter pair below about 1000) and where they do: the arrows show
// only where the tabs overflow, whichever tab is current shows whole left of them, the row never
// starts right of the band's left end nor ends short of the arrows, and the arrows take it to
// either end.
TEST_F(Widgets, TheTabHeadersShowTheCurrentTabAndReachBothEndsOfTheRow) {
  for (const SamplePair& pair : kSamplePairs) {
    SCOPED_TRACE(pair.tag);
    auto w = StartOnSamplePair(pair.aircraft1, pair.aircraft2);
    ASSERT_TRUE(w->startup().FirstActivationDone());
    auto* tabs = w->findChild<QTabBar*>(ctl::SSTab);
    QWidget* client = w->centralWidget();
    std::vector<int> shown;
    for (int tab = 0; tab < tabs->count(); ++tab)
      if (tabs->isTabVisible(tab)) shown.push_back(tab);
    ASSERT_GE(shown.size(), 2u);
    // A tab's left and right ends in the client area; the visible arrow of a direction.
    auto left = [&](int tab) { return tabs->mapTo(client, tabs->tabRect(tab).topLeft()).x(); };
    auto right = [&](int tab) { return left(tab) + tabs->tabRect(tab).width(); };
    auto arrow = [&](Qt::ArrowType type) -> QToolButton* {
      for (QToolButton* b : client->findChildren<QToolButton*>())
        if (b->isVisible() && b->arrowType() == type) return b;
      return nullptr;
    };
    const QSize around = w->size() - client->size();
    for (const int width : {660, 800, 900, 1400}) {
      SCOPED_TRACE(width);
      w->resize(QSize(width, 500) + around);
      ASSERT_TRUE(Await([&] { return client->width() == width; }));
      for (int tab : shown) {
        SCOPED_TRACE(tab);
        tabs->setCurrentIndex(tab);
        ASSERT_TRUE(Await([&] { return MainForm::vars().CurrentTab == tab; }));
        QToolButton* back = arrow(Qt::LeftArrow);
        const int room = back ? back->mapTo(client, QPoint(0, 0)).x() : client->width();
        EXPECT_GE(left(tab), 0);
        EXPECT_LE(right(tab), room);
        EXPECT_LE(left(shown.front()), 0) << "a gap left of the first tab";
        EXPECT_GE(right(shown.back()), std::min(room, tabs->tabRect(shown.back()).right() + 1))
            << "a gap left of the arrows";
      }
      QToolButton* forth = arrow(Qt::RightArrow);
      QToolButton* back = arrow(Qt::LeftArrow);
      EXPECT_EQ(forth != nullptr, tabs->sizeHint().width() > width);
      if (!forth || !back) continue;
      tabs->setCurrentIndex(shown.front());
      for (QToolButton* b : {back, forth})  // over the tabs, to be clicked
        EXPECT_EQ(client->childAt(b->mapTo(client, b->rect().center())), b);
      for (int click = 0; click < 20 && forth->isEnabled(); ++click) forth->click();
      EXPECT_LE(right(shown.back()), back->mapTo(client, QPoint(0, 0)).x())
          << "the end out of reach";
      for (int click = 0; click < 20 && back->isEnabled(); ++click) back->click();
      EXPECT_EQ(left(shown.front()), 0) << "the start out of reach";
    }
    w->close();
    w.reset();
  }
}

// An Access file that is no aircraft database (the Northwind sample): the missing tables are
// reported in ERROR.LOG, and the program starts and runs on.
TEST_F(Widgets, AnAccessFileWithoutTheAircraftTablesIsReportedAndTheProgramRuns) {
  const std::filesystem::path nwind = std::filesystem::path(TOLVANE_ACCESS_FIXTURES) / "nwind.mdb";
  if (!std::filesystem::exists(nwind)) GTEST_SKIP() << "no Access fixture at " << nwind;
  std::filesystem::copy_file(nwind, dir / "nwind.mdb");
  WriteIni("[Settings]\nHandleErrors=True\n[Database]\nDBName=nwind.mdb\n");
  auto w = StartedWindow();
  EXPECT_TRUE(w->startup().FirstActivationDone());
  EXPECT_EQ(Globals::vars().AircraftCount, 0);
  const std::string log = testsupport::ReadText(dir / "ERROR.LOG");
  EXPECT_NE(log.find("no such table: Aircraft"), std::string::npos) << log;
  // The program goes on: a tab switch and the window's close run as always.
  auto* tabs = w->findChild<QTabBar*>(ctl::SSTab);
  tabs->setCurrentIndex(1);
  EXPECT_TRUE(Await([] { return MainForm::vars().CurrentTab == 1; }));
  w->close();
  EXPECT_TRUE(w->startup().Unloaded());
  w.reset();
}

// The ERROR.LOG lines from `from` on, each without its date and time (from its "[" on).
std::vector<std::string> LogLinesFrom(const std::filesystem::path& log, size_t from) {
  std::vector<std::string> lines;
  const std::string text = testsupport::ReadText(log);
  for (size_t pos = 0, n = 0; pos < text.size(); ++n) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (n < from) continue;
    const size_t tag = line.find('[');
    lines.push_back(tag == std::string::npos ? line : line.substr(tag));
  }
  return lines;
}

// Normal use with the aircraft database gone (the last pair stored, the file deleted): every
// tab a hundred times. Each tab switch reports what fails, but a failure that repeats
// unchanged during one display update (the same read failing for label after label) is
// reported once for that update: the program runs on, far from the 1000-error shut-down.
TEST_F(Widgets, WithTheDatabaseMissingEveryTabAHundredTimesKeepsTheProgramRunning) {
  WriteIni("[Settings]\nHandleErrors=True\n[Database]\nDBName=ac.mdb\nDxfDBName=dxf.mdb\n");
  SampleJetsProgramFolder(dir.path(), false);
  std::filesystem::remove(dir / "ac.mdb");
  auto w = StartedWindow();
  ASSERT_TRUE(w->startup().FirstActivationDone());
  const long atStart = General::vars().ErrorCount;
  const std::filesystem::path log = dir / "ERROR.LOG";
  size_t logged = LogLinesFrom(log, 0).size();
  EXPECT_EQ(static_cast<long>(logged), atStart) << "one ERROR.LOG line per error counted";
  // The start says what is wrong: the database file cannot be opened.
  EXPECT_NE(testsupport::ReadText(log).find("unable to open database file: " +
                                            (dir / "ac.mdb").string()),
            std::string::npos);
  long mostInOneSwitch = 0;
  for (int round = 0; round < 100; ++round) {
    for (int tab = 0; tab < 14; ++tab) {
      const long before = General::vars().ErrorCount;
      w->SelectTab(tab);
      w->TabStrip_Click();
      ASSERT_EQ(hooks.ends, 0) << "the program was ended at tab " << tab << ", round " << round;
      const std::vector<std::string> lines = LogLinesFrom(log, logged);
      logged += lines.size();
      // Counted and logged alike, and no line twice in one switch.
      ASSERT_EQ(static_cast<long>(lines.size()), General::vars().ErrorCount - before);
      std::set<std::string> distinct(lines.begin(), lines.end());
      ASSERT_EQ(distinct.size(), lines.size()) << "a failure repeated in one switch of tab " << tab
                                               << ": " << lines.front();
      mostInOneSwitch = std::max(mostInOneSwitch, General::vars().ErrorCount - before);
      // Far from the shut-down (whose message box would wait for the user).
      ASSERT_LT(General::vars().ErrorCount, 500) << "at tab " << tab << ", round " << round;
    }
  }
  EXPECT_EQ(hooks.ends, 0);
  EXPECT_LT(General::vars().ErrorCount, 100) << "at most " << mostInOneSwitch << " per switch";
  // The window is still the program's: it switches and closes as always.
  w->SelectTab(1);
  w->TabStrip_Click();
  EXPECT_EQ(MainForm::vars().CurrentTab, 1);
  w->close();
  EXPECT_TRUE(w->startup().Unloaded());
  w.reset();
}

}  // namespace

namespace {

// How many pixels of the picture have the colour.
int CountColour(const QImage& picture, QRgb colour) {
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x)
      n += (line[x] & 0xFFFFFF) == (colour & 0xFFFFFF);
  }
  return n;
}

TEST_F(Widgets, TheChartTabsDrawTheSamplePairsCharts) {
  WriteIni("[Settings]\nHandleErrors=True\n[Database]\nDBName=ac.mdb\nDxfDBName=dxf.mdb\n");
  SampleJetsProgramFolder(dir.path(), false);
  auto w = StartedWindow();
  ASSERT_TRUE(w->startup().FirstActivationDone());
  auto* tabs = w->findChild<QTabBar*>(ctl::SSTab);
  const char* shots = std::getenv("TOLVANE_SCREENSHOT_DIR");
  // Start-up notes the missing drawing database; the charts report nothing.
  const long errorsAtStart = General::vars().ErrorCount;
  struct Page {
    int tab;
    std::vector<const char*> pictures;
  };
  const Page pages[] = {{6, {ctl::chrtBlockFuel, ctl::chrtBlockTime}},
                        {7, {ctl::chrtBalancedFieldLength}},
                        {8, {ctl::chrtTakeoffElevation, ctl::chrtLanding}},
                        {9, {ctl::chrtCruiseSpeed, ctl::chrtOperatingSpeed}},
                        {10, {ctl::chrtPayload}}};
  for (const Page& page : pages) {
    tabs->setCurrentIndex(page.tab);
    EXPECT_TRUE(PumpUntil([&] { return MainForm::vars().CurrentTab == page.tab; }));
    for (const char* name : page.pictures) {
      auto* chart = w->findChild<MainForm::ChartPicture*>(name);
      ASSERT_NE(chart, nullptr) << name;
      EXPECT_TRUE(chart->isVisible()) << name;
      // Both planes' colours: Plane 1 red, Plane 2 blue.
      EXPECT_GT(CountColour(chart->ChartImage(), qRgb(255, 0, 0)), 40) << name;
      EXPECT_GT(CountColour(chart->ChartImage(), qRgb(0, 0, 255)), 40) << name;
    }
    if (shots) w->grab().save(QString(shots) + "/tab" + QString::number(page.tab) + ".png");
  }
  // The qualifier under the payload chart came from the database.
  EXPECT_FALSE(w->findChild<QLabel*>(ctl::lblPayload)->text().isEmpty());
  EXPECT_EQ(General::vars().ErrorCount, errorsAtStart);
  w->close();
  w.reset();
}

}  // namespace

namespace {

TEST_F(Widgets, TheDrawingTabsShowBothAircraft) {
  WriteIni("[Settings]\nHandleErrors=True\n[Database]\nDBName=ac.mdb\nDxfDBName=dxf.mdb\n");
  SampleJetsProgramFolder(dir.path(), true);
  auto w = StartedWindow();
  ASSERT_TRUE(w->startup().FirstActivationDone());
  const long errorsAtStart = General::vars().ErrorCount;
  auto* tabs = w->findChild<QTabBar*>(ctl::SSTab);
  const char* shots = std::getenv("TOLVANE_SCREENSHOT_DIR");
  for (int tab = 2; tab <= 5; ++tab) {
    tabs->setCurrentIndex(tab);
    EXPECT_TRUE(PumpUntil([&] { return MainForm::vars().CurrentDrawingTab == tab; }));
    dxf::DrawingWidget* cad = w->CAD(tab);
    ASSERT_NE(cad, nullptr);
    EXPECT_TRUE(cad->isVisible()) << tab;
    EXPECT_GT(cad->EntityList().Count(), 100) << tab;
    // Both planes' colours on the view: Plane 1 red, Plane 2 blue (smoothed lines: by hue).
    const QImage image = cad->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    int red = 0, blue = 0;
    for (int y = 0; y < image.height(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        const int r = qRed(line[x]), g = qGreen(line[x]), b = qBlue(line[x]);
        red += r > 160 && g < 120 && b < 120;
        blue += b > 160 && r < 120 && g < 120;
      }
    }
    EXPECT_GT(red, 100) << tab;
    EXPECT_GT(blue, 100) << tab;
    if (shots) w->grab().save(QString(shots) + "/tab" + QString::number(tab) + ".png");
  }
  EXPECT_EQ(General::vars().ErrorCount, errorsAtStart);
  w->close();
  w.reset();
}

}  // namespace

namespace {

// Side by side, the two aircraft's floor plans (merged a quarter turn round) and cross sections
// on the interior tab stand clear of each other: the sample jets, whose plans are longer than
// they are wide, and the sample helicopters in their corporate interiors.
TEST_F(Widgets, SideBySideInteriorsStandClearOfEachOther) {
  struct Pair {
    const char* aircraft1;
    const char* aircraft2;
    std::vector<const char*> views;
  };
  const Pair pairs[] = {{"101", "102", {"optInterior", "optCabin"}},
                        {"201", "202", {"optHeliInterior", "optHeliCabin", "optHeliCabinSide"}}};
  const char* shots = std::getenv("TOLVANE_SCREENSHOT_DIR");
  for (const Pair& pair : pairs) {
    auto w = StartOnSamplePair(pair.aircraft1, pair.aircraft2);
    ASSERT_TRUE(w->startup().FirstActivationDone());
    const long errorsAtStart = General::vars().ErrorCount;
    auto* tabs = w->findChild<QTabBar*>(ctl::SSTab);
    tabs->setCurrentIndex(5);
    ASSERT_TRUE(PumpUntil([&] { return MainForm::vars().CurrentDrawingTab == 5; }));
    auto opt = [&](const char* name) { return w->findChild<QRadioButton*>(name); };
    opt("optSideOverlay_1")->setChecked(true);
    for (const char* view : pair.views) {
      SCOPED_TRACE(std::string(pair.aircraft1) + "+" + pair.aircraft2 + " " + view);
      opt(view)->setChecked(true);
      ASSERT_TRUE(Await([] { return MainForm::vars().TabDrawn[5]; }));
      const PlaneBoxes b = BoxesOf(*w->CAD(5));
      ASSERT_LT(b.p1.minX, b.p1.maxX);
      ASSERT_LT(b.p2.minX, b.p2.maxX);
      EXPECT_TRUE(b.Apart()) << "Plane 1 X " << b.p1.minX << ".." << b.p1.maxX << " Y " << b.p1.minY
                             << ".." << b.p1.maxY << ", Plane 2 X " << b.p2.minX << ".."
                             << b.p2.maxX << " Y " << b.p2.minY << ".." << b.p2.maxY;
      if (shots)
        w->grab().save(QString(shots) + "/interior-" + pair.aircraft1 + "-" + view + ".png");
    }
    EXPECT_EQ(General::vars().ErrorCount, errorsAtStart);
    w->close();
    w.reset();
  }
}

// The interior tab shows the floor plans a quarter turn round, their texts set upright at one
// height: the sample jets' labels that stand in boxes (the galley's) stay inside them there too.
TEST_F(Widgets, LabelsInBoxesOfTheFloorPlansStayInsideThemOnTheInteriorTab) {
  auto w = StartOnSamplePair("101", "102");
  ASSERT_TRUE(w->startup().FirstActivationDone());
  auto* tabs = w->findChild<QTabBar*>(ctl::SSTab);
  tabs->setCurrentIndex(5);
  ASSERT_TRUE(PumpUntil([&] { return MainForm::vars().CurrentDrawingTab == 5; }));
  for (const char* side : {"optSideOverlay_1", "optSideOverlay_0"}) {
    SCOPED_TRACE(side);
    w->findChild<QRadioButton*>(side)->setChecked(true);
    w->findChild<QRadioButton*>("optInterior")->setChecked(true);
    ASSERT_TRUE(Await([] { return MainForm::vars().TabDrawn[5]; }));
    int labels = 0;
    for (const std::string& out : testsupport::LabelsOutOfTheirBoxes(*w->CAD(5), labels))
      ADD_FAILURE() << out;
    EXPECT_GT(labels, 0);  // the galley's label at least
  }
  w->close();
  w.reset();
}

// There too, no text of a floor plan runs into another of the same plan, though the tab sets
// side by side the labels that stand one above the other along the cabin: every sample
// aircraft's floor plan (the helicopter's in each configuration), side by side and overlaid.
TEST_F(Widgets, NoTwoTextsOfAFloorPlanRunIntoEachOtherOnTheInteriorTab) {
  struct Pair {
    const char *aircraft1, *aircraft2;
    std::vector<const char*> configurations;  // none for a fixed-wing pair
  };
  const Pair pairs[] = {{"101", "102", {}},
                        {"103", "104", {}},
                        {"201", "202", {ctl::optCorp, ctl::optEMS, ctl::optUtil}}};
  for (const Pair& pair : pairs) {
    SCOPED_TRACE(std::string(pair.aircraft1) + "+" + pair.aircraft2);
    auto w = StartOnSamplePair(pair.aircraft1, pair.aircraft2);
    ASSERT_TRUE(w->startup().FirstActivationDone());
    w->findChild<QTabBar*>(ctl::SSTab)->setCurrentIndex(5);
    ASSERT_TRUE(PumpUntil([&] { return MainForm::vars().CurrentDrawingTab == 5; }));
    auto opt = [&](const char* name) { return w->findChild<QRadioButton*>(name); };
    const bool heli = !pair.configurations.empty();
    std::vector<const char*> configurations = pair.configurations;
    if (!heli) configurations.push_back(nullptr);
    for (const char* configuration : configurations) {
      if (configuration) opt(configuration)->setChecked(true);
      for (const char* side : {"optSideOverlay_1", "optSideOverlay_0"}) {
        SCOPED_TRACE(std::string(configuration ? configuration : "") + " " + side);
        opt(side)->setChecked(true);
        opt(heli ? ctl::optHeliInterior : ctl::optInterior)->setChecked(true);
        ASSERT_TRUE(Await([] { return MainForm::vars().TabDrawn[5]; }));
        int texts = 0;
        for (const std::string& out : testsupport::OverlappingTexts(*w->CAD(5), texts))
          ADD_FAILURE() << out;
        EXPECT_GT(texts, 0);  // the dimensions' numbers at least
      }
    }
    w->close();
    w.reset();
  }
}

}  // namespace

namespace {

// Pictures of every tab a sample jet pair and a sample helicopter pair show, drawings and charts
// composed, for comparing the screens of two builds: only when TOLVANE_SCREENSHOT_DIR names a
// folder (<pair>-tab<nn>.png). Each tab shown is the one selected and none reports an error.
TEST_F(Widgets, PicturesOfEveryTabOfAJetPairAndAHelicopterPair) {
  const char* shots = std::getenv("TOLVANE_SCREENSHOT_DIR");
  if (!shots) GTEST_SKIP() << "TOLVANE_SCREENSHOT_DIR not set";
  for (const SamplePair& pair : kSamplePairs) {
    SCOPED_TRACE(pair.tag);
    auto w = StartOnSamplePair(pair.aircraft1, pair.aircraft2);
    ASSERT_TRUE(w->startup().FirstActivationDone());
    const long errorsAtStart = General::vars().ErrorCount;
    auto* tabs = w->findChild<QTabBar*>(ctl::SSTab);
    for (int tab = 0; tab < MainForm::kTabCount; ++tab) {
      if (!tabs->isTabVisible(tab)) continue;
      tabs->setCurrentIndex(tab);
      EXPECT_TRUE(Await([&] { return MainForm::vars().CurrentTab == tab; })) << tab;
      EXPECT_TRUE(w->findChild<QFrame*>(QString("framDisplay_%1").arg(tab))->isVisible()) << tab;
      w->grab().save(QString("%1/%2-tab%3.png").arg(shots, pair.tag).arg(tab, 2, 10, QChar('0')));
    }
    EXPECT_EQ(General::vars().ErrorCount, errorsAtStart);
    w->close();
    w.reset();
  }
}

}  // namespace

namespace {

// Records the toolbar's state while the dialog is open, then cancels.
class ToolbarWatchingDialog final : public printer::PrinterDialogRunner {
 public:
  bool topmostWhileOpen = true;
  QWidget* owner = nullptr;
  std::optional<printer::DialogChoice> run(QPrinter&, int, QWidget* o) override {
    topmostWhileOpen = Toolbar::Topmost();
    owner = o;
    return std::nullopt;
  }
};

}  // namespace

TEST_F(Widgets, ThePrinterDialogIsOwnedByTheWindowAndLowersTheFloatingToolbar) {
  MainForm::frmMain w(std::make_unique<FakeAircraftData>());
  ToolbarWatchingDialog dialog;
  w.printingDevices().InstallDialogRunner(&dialog);
  Registry::RegSettings().ToolbarVisible = true;
  Registry::RegSettings().ToolbarDocked = false;
  Toolbar::SetTopmost(true);
  EXPECT_EQ(Printing::ShowPrinterDialog(), 0);
  EXPECT_EQ(dialog.owner, &w);
  EXPECT_FALSE(dialog.topmostWhileOpen);
  EXPECT_TRUE(Toolbar::Topmost());
  // Preview mode as start-up read it.
  MainForm::vars().PlotPreview = true;
  EXPECT_TRUE(Printing::jobState().PlotPreview());
  MainForm::vars().PlotPreview = false;
  EXPECT_FALSE(Printing::jobState().PlotPreview());
}

namespace {

// The lines a label shows its text in: what its font needs for the text, broken as the label
// breaks it, and the room the label gives.
struct LabelFit {
  QRectF need, room;
};
LabelFit FitOf(const QLabel* label) {
  const QRectF room = label->contentsRect();
  const int flags = (label->wordWrap() ? Qt::TextWordWrap : 0) | Qt::AlignHCenter;
  return {QFontMetricsF(label->font())
              .boundingRect(QRectF(0, 0, room.width(), 1e6), flags, label->text()),
          room};
}

// The qualifier lines under the charts show the database's text as it stands, markup included,
// and whole: broken into lines, and written smaller where the lines need it, in the label as
// designed and in the smaller label a smaller window gives it.
TEST_F(Widgets, QualifiersArePlainTextAndNeverCut) {
  WriteIni("[Settings]\nHandleErrors=True\n[Database]\nDBName=ac.mdb\nDxfDBName=dxf.mdb\n");
  SampleJetsProgramFolder(dir.path(), true, "201", "202");
  // A qualifier that starts with a tag.
  std::string sql;
  ASSERT_TRUE(vb::ReadWholeFile(TOLVANE_SAMPLE_AC_SQL, sql));
  sql += "\nUPDATE \"Graph Qualifier\" SET Notes = '<h1>Big</h1>' WHERE GRAPH = 'CeilingHVHeli';\n";
  std::filesystem::remove(dir.path() / "ac.mdb");
  testsupport::BuildDatabase(dir.path() / "ac.mdb", sql);
  auto w = StartedWindow();
  ASSERT_TRUE(w->startup().FirstActivationDone());
  const long errorsAtStart = General::vars().ErrorCount;
  auto* tabs = w->findChild<QTabBar*>(ctl::SSTab);
  for (int tab : {12, 13}) {
    tabs->setCurrentIndex(tab);
    ASSERT_TRUE(Await([&] { return MainForm::vars().CurrentTab == tab; }));
  }
  auto* tagged = w->findChild<QLabel*>(ctl::lblCeilingHV);
  ASSERT_NE(tagged, nullptr);
  EXPECT_EQ(tagged->text().toStdString(), "<h1>Big</h1>");
  EXPECT_EQ(tagged->textFormat(), Qt::PlainText);
  for (const char* name : {ctl::lblWATCorp, ctl::lblWATUtil}) {
    SCOPED_TRACE(name);
    auto* label = w->findChild<QLabel*>(name);
    ASSERT_NE(label, nullptr);
    ASSERT_GT(label->text().size(), 80);  // the helicopters' long WAT qualifiers
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    // As designed, and as a window of 900 x 500 scales it: 0.806 of its design size.
    const QRect designed = label->geometry();
    for (double scale : {1.0, std::min(900 / 670.0, 500 / 620.0)}) {
      label->setGeometry(QRect(designed.topLeft(), designed.size() * scale));
      Settle();
      const LabelFit fit = FitOf(label);
      EXPECT_LE(fit.need.width(), fit.room.width()) << scale;
      EXPECT_LE(fit.need.height(), fit.room.height()) << scale;
      EXPECT_GE(label->font().pointSizeF(), 5) << scale;
    }
    label->setGeometry(designed);
  }
  EXPECT_EQ(General::vars().ErrorCount, errorsAtStart);
  w->close();
  w.reset();
}

}  // namespace
