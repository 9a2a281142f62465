// Start-up, first activation and shut-down of the main window, in a temporary program folder.
#include <chrono>
#include <filesystem>

#include "Fakes.h"
#include "MainWindowFixture.h"
#include "charts/Chart.h"
#include "drawings/DrawingCache.h"
#include "foundation/Disk.h"
#include "mainwindow/Startup.h"
#include "platform/ini/Profile.h"

namespace {

using namespace mwtest;
using MainForm::vars;
namespace fs = std::filesystem;

class StartupTest : public MainWindowTest {
 protected:
  FakeMainView view;
  FakeAircraftData data;
  MainForm::Startup startup{view, data};

  void SetUp() override {
    MainWindowTest::SetUp();
    testsupport::BuildFixtureDatabases(dir.path());
  }
  // The settings store as a later run reads it.
  Registry::Settings Stored() {
    Registry::Settings now = Registry::RegSettings();
    reg::resetForTest();
    reg::SetStoreFile(dir / "registry.ini");
    Registry::GetRegData();
    Registry::Settings stored = Registry::RegSettings();
    Registry::RegSettings() = now;
    return stored;
  }
  void StoreSettings(const std::string& a1, const std::string& a2,
                     const std::string& version = MainForm::VersionText()) {
    Registry::LoadDefaults();
    auto& s = Registry::RegSettings();
    s.Aircraft1 = a1;
    s.Aircraft2 = a2;
    s.Top = 600;
    s.Left = 900;
    s.Width = 15000;
    s.Height = 11000;
    s.ProgramVersion = version;
    ASSERT_EQ(Registry::SaveRegData(), 0);
  }
  void TouchCache(std::initializer_list<const char*> names) {
    fs::create_directories(dir / "DXF");
    for (const char* n : names) ASSERT_TRUE(vb::WriteFileAtomic(dir / "DXF" / n, "x"));
  }
  size_t CacheFiles() {
    std::error_code ec;
    size_t n = 0;
    for (auto& e : fs::directory_iterator(dir / "DXF", ec)) n += e.is_regular_file();
    return n;
  }
};

TEST_F(StartupTest, LoadRunsItsStepsInOrder) {
  WriteIni("[Settings]\nPlotPreview=True\nShowBlankFields=True\nCategorySelected=Jets\n");
  StoreSettings("7", "5");
  Chart::vars().FitChartLabels = false;
  startup.FormLoad();

  const std::vector<std::string> order = {"PlaceFramesLike 3",
                                          "SelectTab 0",
                                          "SetMenuEnabled mnuFilePlotScreen 0",
                                          "SetMenuEnabled mnuFileExport 0",
                                          "ShowTabNo",
                                          "CreateSplash",
                                          "SetTag Starting Up",
                                          "SetGeometry 600,900,15000,11000",
                                          "SetVisible 0",
                                          "DoEvents",
                                          "ShowSplash",
                                          "DoEvents",
                                          "AllowSplashClose",
                                          "SetCaption",
                                          "HookWindow"};
  int last = -1;
  for (const std::string& step : order) {
    int at = -1;
    for (size_t i = last + 1; i < view.calls.size(); ++i)
      if (view.calls[i] == step) {
        at = int(i);
        break;
      }
    ASSERT_GT(at, last) << step << " missing or out of order";
    last = at;
  }
  EXPECT_EQ(view.count("ApplyColorScheme"), 0) << "no FormColor, no scheme";
  EXPECT_EQ(vars().CurrentTab, 0);
  EXPECT_EQ(vars().CurrentDrawingTab, 2);
  EXPECT_TRUE(vars().PlotPreview);
  EXPECT_TRUE(DBase::vars().ShowBlankFields);
  EXPECT_FALSE(DBase::vars().ShowMissingFields);
  EXPECT_EQ(Globals::vars().CategorySelected, "Jets");
  EXPECT_EQ(General::vars().ErrorHandlingOn, 1);
  EXPECT_EQ(General::vars().MaxErrors, 1000);
  EXPECT_EQ(General::vars().ErrorBoxSeconds, 0);
  EXPECT_EQ(General::vars().TraceMode, 3);
  EXPECT_GT(Globals::vars().AircraftCount, 0) << "the aircraft list is loaded";
  EXPECT_EQ(view.caption, "Tolvane    Version " + MainForm::VersionText() + "           ");
  EXPECT_EQ(view.tag, "Starting Up");
  EXPECT_TRUE(Chart::vars().FitChartLabels);  // the one switch the charts read
  EXPECT_TRUE(vars().UseMouseWheelHook);
  EXPECT_EQ(Registry::RegSettings().Aircraft1, "7");
}

TEST_F(StartupTest, HandleErrorsFalseLeavesErrorHandlingOff) {
  WriteIni("[Settings]\nHandleErrors=False\n");
  General::vars().ErrorHandlingOn = 0;
  General::vars().MaxErrors = 0;
  // The fixture's aircraft without a name is an error of the list load, which without error
  // handling would end the program; this run goes without the aircraft database.
  fs::remove(dir / "ac.mdb");
  try {
    startup.FormLoad();
  } catch (const vb::Error& e) {
    ADD_FAILURE() << e.number << " " << e.description << " " << General::vars().CurrentProcedure;
  }
  EXPECT_EQ(General::vars().ErrorHandlingOn, 0);
  EXPECT_EQ(General::vars().MaxErrors, 0);
}

TEST_F(StartupTest, AColourSchemeIsAppliedAndItsMenuColourRestored) {
  WriteIni("[Settings]\nFormColor=Blue\n");
  startup.FormLoad();
  EXPECT_EQ(view.calls.back(), "ApplyColorScheme");
  startup.FormUnload();
  EXPECT_EQ(view.count("RestoreMenuColor"), 1);
}

TEST_F(StartupTest, StartFreshClearsThePairAndSavesIt) {
  WriteIni("[Settings]\nStartFresh=True\n");
  StoreSettings("7", "5");
  startup.FormLoad();
  EXPECT_EQ(Registry::RegSettings().Aircraft1, "");
  EXPECT_EQ(Registry::RegSettings().Aircraft2, "");
  const Registry::Settings stored = Stored();
  EXPECT_EQ(stored.Aircraft1, "");
  EXPECT_EQ(stored.Aircraft2, "");
}

TEST_F(StartupTest, DrawingCacheFollowsTheDrawingDatabasesDate) {
  const fs::path dxfDb = dir / "dxf.mdb";
  const double date = Disk::FileDate(dxfDb.string());
  struct Case {
    const char* name;
    std::string noted;
    bool emptied;
  };
  const Case cases[] = {
      {"same date", MainForm::DxfFileDateText(date), false},
      {"one second older", MainForm::DxfFileDateText(date - 1.0 / 86400), true},
      {"one second newer", MainForm::DxfFileDateText(date + 1.0 / 86400), false},
      {"not a date", "yesterday", true},
      {"missing", "", true},
      {"legacy form", "1/1/1980", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TouchCache({"7Top.dxf", "notes.txt"});
    WriteIni("[Database]\nDXFFileDate=" + c.noted + "\n");
    MainForm::CheckDrawingCache(dxfDb.string());
    EXPECT_EQ(CacheFiles(), c.emptied ? 0u : 2u);
    EXPECT_EQ(General::IniStr("Database", "DXFFileDate"), MainForm::DxfFileDateText(date))
        << "rewritten on every start";
  }
  // The date written reads back as the same date: an unchanged database keeps the cache.
  TouchCache({"7Top.dxf"});
  MainForm::CheckDrawingCache(dxfDb.string());
  EXPECT_EQ(CacheFiles(), 1u);
}

TEST_F(StartupTest, MissingDrawingDatabaseKeepsTheCacheAndNotesTheZeroDate) {
  TouchCache({"7Top.dxf"});
  WriteIni("[Database]\nDXFFileDate=1/1/1980\n");
  MainForm::CheckDrawingCache((dir / "nothere.mdb").string());
  EXPECT_EQ(CacheFiles(), 1u);
  EXPECT_EQ(General::IniStr("Database", "DXFFileDate"), "1899-12-30 00:00:00");
  // A missing DXF folder is no error.
  fs::remove_all(dir / "DXF");
  EXPECT_EQ(MainForm::EmptyCacheFolder(dir / "DXF", false), 0);
}

TEST_F(StartupTest, ParsesNotedDates) {
  EXPECT_DOUBLE_EQ(MainForm::ParseDxfFileDate("2026-03-04 05:06:07"),
                   vb::DateFromParts({2026, 3, 4, 5, 6, 7}));
  EXPECT_DOUBLE_EQ(MainForm::ParseDxfFileDate("3/4/2026 5:06:07 AM"),
                   vb::DateFromParts({2026, 3, 4, 5, 6, 7}));
  EXPECT_DOUBLE_EQ(MainForm::ParseDxfFileDate("2026-13-04 05:06:07"),
                   vb::DateFromParts({1980, 1, 1, 0, 0, 0}));
  EXPECT_EQ(MainForm::DxfFileDateText(vb::DateFromParts({2026, 3, 4, 5, 6, 7})),
            "2026-03-04 05:06:07");
}

TEST_F(StartupTest, FirstActivationFinishesStartUp) {
  StoreSettings("12", "");
  startup.FormLoad();
  view.calls.clear();
  Registry::RegSettings().PlaneColor1 = 0x00FF00;
  startup.FormActivate();
  // The settings are read again, so the stored colours apply.
  EXPECT_EQ(Registry::RegSettings().PlaneColor1, 255);
  const std::vector<std::string> order = {"SetGeometry 600,900,15000,11000",
                                          "SetMenuChecked mnuViewToolbarShow 1",
                                          "SetMenuChecked mnuViewToolbarDock 1",
                                          "SetMenuChecked mnuViewMetric 0",
                                          "ShowToolbar 1",
                                          "ShowTabNo",
                                          "SetTimerEnabled 1",
                                          "Back lblData1",
                                          "Back lblData2",
                                          "Fore gen1Data1_58",
                                          "Fore gen1Data2_58",
                                          "Fore gen1Data1_59",
                                          "Fore gen1Data2_59",
                                          "Fore gen1Data1_60",
                                          "Fore gen1Data2_60",
                                          "SetUpScrollBar"};
  int last = -1;
  for (const std::string& step : order) {
    const int at = view.indexOf(step);
    ASSERT_GT(at, last) << step;
    last = at;
  }
  EXPECT_EQ(Globals::vars().AircraftClass, MainForm::Class::Helicopter);
  EXPECT_TRUE(CadFunctions::vars().ShowPlane1);
  EXPECT_TRUE(CadFunctions::vars().ShowDims);
  EXPECT_EQ(view.backColor[std::pair(int(Arr::lblData1), 38)], 255);
  EXPECT_EQ(view.backColor[std::pair(int(Arr::lblData2), 49)], 0xFF0000);
  EXPECT_EQ(view.foreColor[std::pair(int(Arr::gen1Data2), 60)], 0xFF0000);
  EXPECT_EQ(view.count("Back "), 26) << "every swatch of both planes";
  EXPECT_TRUE(startup.FirstActivationDone());

  view.calls.clear();
  startup.FormActivate();
  EXPECT_EQ(view.calls, std::vector<std::string>{"SetUpScrollBar"});
}

TEST_F(StartupTest, ANewVersionDeletesOnlyCachedDrawings) {
  StoreSettings("7", "", "0.9.0");
  startup.FormLoad();
  TouchCache({"7Top.dxf", "7Side.DXF", "readme.txt"});
  startup.FormActivate();
  EXPECT_TRUE(fs::exists(dir / "DXF" / "readme.txt"));
  EXPECT_EQ(CacheFiles(), 1u);
  EXPECT_EQ(Stored().ProgramVersion, MainForm::VersionText());
  EXPECT_EQ(Globals::vars().AircraftClass, MainForm::Class::FixedWing);

  // The same version next time: the cache stays.
  MainForm::Startup again(view, data);
  TouchCache({"7Top.dxf"});
  again.FormActivate();
  EXPECT_EQ(CacheFiles(), 2u);
}

TEST_F(StartupTest, ShutDownSavesPlacementAndWritesTheIniKeys) {
  StoreSettings("7", "");
  startup.FormLoad();
  startup.FormActivate();
  Globals::vars().CategorySelected = "Jets";
  view.geometry = {150, 300, 12000, 9000};
  startup.FormUnload();
  const Registry::Settings stored = Stored();
  EXPECT_EQ(stored.Top, 150);
  EXPECT_EQ(stored.Left, 300);
  EXPECT_EQ(stored.Width, 12000);
  EXPECT_EQ(stored.Height, 9000);
  EXPECT_EQ(General::IniStr("Settings", "Aircraft1"), "[7]Maker B Seven");
  EXPECT_EQ(General::IniStr("Settings", "Aircraft2"), "[]");
  EXPECT_EQ(General::IniStr("Settings", "CategorySelected"), "Jets");
  const std::vector<std::string> tail = {"UnloadAllForms", "UnHookWindow"};
  EXPECT_EQ(std::vector<std::string>(view.calls.end() - 2, view.calls.end()), tail);
  EXPECT_EQ(view.count("RestoreMenuColor"), 0);
  // A second close does nothing.
  view.calls.clear();
  startup.FormUnload();
  EXPECT_TRUE(view.calls.empty());
}

TEST_F(StartupTest, ShutDownWhileMaximisedStoresTheCorner) {
  startup.FormLoad();
  view.maximized = true;
  view.geometry = {-8, -8, 21000, 13000};
  startup.FormUnload();
  const Registry::Settings stored = Stored();
  EXPECT_EQ(stored.Top, 0);
  EXPECT_EQ(stored.Left, 0);
  EXPECT_EQ(stored.Width, 21000);
  EXPECT_EQ(stored.Height, 13000);
}

// Start-up and shut-down name each of their steps in the trace; a failing step is reported
// under its own name and the steps after it still run.
TEST_F(StartupTest, EveryStepIsTracedByNameAndAFailureStopsOnlyItsStep) {
  General::vars().TraceEnabled = true;
  General::vars().TraceMode = 1;  // to CODE.LOG
  bool thrown = false;
  view.onDoEvents = [&] {
    if (!thrown) {
      thrown = true;
      throw vb::Error{5, "Invalid procedure call or argument"};
    }
  };
  startup.FormLoad();
  startup.FormActivate();
  startup.FormUnload();
  const std::string log = testsupport::ReadText(dir / "CODE.LOG");
  size_t at = 0;
  for (const char* step :
       {"InitDatabasePaths", "PlaceFrames",       "SelectFirstTab", "DrawingCommands",
        "ShowTabNo",         "DisplaySettings",   "LogBanner",      "CreateSplash",
        "MarkStartingUp",    "DoInitialization",  "DoEvents",       "CheckDrawingCache",
        "ShowSplash",        "LoadDelay",         "Caption",        "HookWindow",
        "ApplyColorScheme",  "GetRegData",        "PlaceWindow",    "ToolbarChecks",
        "MetricUnits",       "MetricCheck",       "ShowToolbar",    "AircraftClass",
        "UpdateDisplay",     "ShowPlanesAndDims", "InitDwgs",       "StartTimer",
        "SavePlacement",     "SaveRegData",       "WriteAircraft1", "WriteAircraft2",
        "WriteCategory",     "UnloadAllForms",    "UnHookWindow",   "RestoreMenuColor",
        "ProgramEnd"}) {
    const size_t found = log.find(std::string("[MainForm:") + step + "]", at);
    ASSERT_NE(found, std::string::npos) << step << " missing or out of order";
    at = found;
  }
  // The first DoEvents failed: reported under its step, and the drawing cache was still checked.
  const std::string errors = testsupport::ReadText(dir / "ERROR.LOG");
  EXPECT_NE(errors.find("[MainForm:DoEvents]<Err:5>"), std::string::npos) << errors;
  EXPECT_NE(view.indexOf("ShowSplash"), -1);
  EXPECT_TRUE(startup.FirstActivationDone());
  EXPECT_EQ(General::IniStr("Settings", "CategorySelected"), Globals::vars().CategorySelected);
}

}  // namespace
