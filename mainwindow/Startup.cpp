#include "mainwindow/Startup.h"

#include <chrono>
#include <string>
#include <thread>

#include "charts/Chart.h"
#include "drawings/CadFunctions.h"
#include "drawings/DrawingCache.h"
#include "foundation/DBase.h"
#include "foundation/General.h"
#include "foundation/Geo.h"
#include "foundation/Globals.h"
#include "foundation/Registry.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/DisplayUpdate.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/PlaneLabels.h"
#include "mainwindow/TabDispatcher.h"
#include "platform/locale/Locale.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/Trap.h"

namespace MainForm {

namespace {

int32_t LocaleNumber(const std::string& text) {
  if (text.empty()) return 0;
  int32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
    if (value > 99999999) return 0;
  }
  return value;
}

WindowRect SettingsRect() {
  const Registry::Settings& s = Registry::RegSettings();
  return {s.Top, s.Left, s.Width, s.Height};
}

}  // namespace

int16_t ClassOfAircraft(const std::string& acNum) {
  if (acNum.empty()) return Class::None;
  return Globals::ClassOfCategory(Globals::AircraftCategory(acNum));
}

void Startup::FormLoad() {
  Vars& v = vars();
  // Error handling is not on yet, so this guard traps nothing and only makes the entry.
  vb::Proc entry(kModule, "Form_Load");
  // Every relative file name of the program is taken from the program folder.
  vb::ChDir(vb::ProgramFolder());
  // The user's country and language, for the charts' units and the date forms.
  v.UserGeoId = locale::GetUserGeoID(locale::GEOCLASS_NATION);
  v.UserLCID = static_cast<int32_t>(locale::GetUserDefaultLCID());
  Globals::vars().UserGeoLCIDNumber = LocaleNumber(Geo::GeoLCID(v.UserGeoId, v.UserLCID));
  // The INI file: preview mode and whether errors are trapped and reported.
  General::vars().IniFileName = (vb::ProgramFolder() / "Tolvane.ini").string();
  if (General::IniBool("Settings", "PlotPreview", false)) v.PlotPreview = true;
  if (General::IniBool("Settings", "HandleErrors", true)) {
    General::Vars& gv = General::vars();
    gv.ErrorHandlingOn = 1;
    gv.MaxErrors = 1000;
    gv.ErrorStatusSeconds = 0.01f;
    gv.ErrorBoxSeconds = 0;
    gv.ErrorBeep = false;
  }
  // From here a failing step is reported and start-up goes on (with error handling on), so a
  // fault in one step never leaves the program without its window.
  static constexpr Step kLoadSteps[] = {
      {"InitDatabasePaths", [](Startup&) { DBase::InitDatabasePaths(); }},
      // The tab pages in one rectangle, the aircraft tab shown.
      {"PlaceFrames", [](Startup& s) { s.view_.PlaceFramesLike(s.view_.SelectedTab()); }},
      {"SelectFirstTab",
       [](Startup& s) {
         s.view_.SelectTab(Tab::Aircraft);
         vars().CurrentTab = s.view_.SelectedTab();
       }},
      // Plot Screen and Export act on a drawing view: enabled only on the drawing tabs.
      {"DrawingCommands",
       [](Startup& s) {
         vars().CurrentDrawingTab = Tab::Top;
         EnableDrawingCommands(vars().CurrentTab, [&s](std::string_view item, bool enabled) {
           s.view_.SetMenuEnabled(item, enabled);
         });
       }},
      {"ShowTabNo", [](Startup& s) { s.view_.ShowTabNo(); }},
      {"DisplaySettings",
       [](Startup&) {
         General::vars().TraceMode = 3;
         General::vars().TraceRepeatSeconds = 0.1;
         DBase::vars().ShowMissingFields = General::IniBool("Settings", "ShowMissingFields", false);
         DBase::vars().ShowBlankFields = General::IniBool("Settings", "ShowBlankFields", false);
         vars().PrintFromCAD = General::IniBool("Settings", "PrintFromCAD", false);
         Globals::vars().CategorySelected = General::IniStr("Settings", "CategorySelected");
       }},
      {"LogBanner", [](Startup&) { General::LogBanner(); }},
      {"CreateSplash", [](Startup& s) { s.view_.CreateSplash(); }},
      {"MarkStartingUp", [](Startup& s) { s.view_.SetTag("Starting Up"); }},
      {"DoInitialization", [](Startup& s) { s.DoInitialization(); }},
      {"DoEvents", [](Startup& s) { s.view_.DoEvents(); }},
      {"CheckDrawingCache", [](Startup&) { CheckDrawingCache(DBase::vars().DxfDBPath); }},
      {"ShowSplash",
       [](Startup& s) {
         s.view_.ShowSplash();
         s.view_.DoEvents();
       }},
      {"LoadDelay", [](Startup& s) { s.LoadDelay(); }},
      {"Caption",
       [](Startup& s) {
         vars().MainCaption = CaptionText();
         s.view_.SetCaption(vars().MainCaption);
       }},
      {"HookWindow",
       [](Startup& s) {
         Chart::vars().FitChartLabels = true;
         vars().UseMouseWheelHook = true;
         s.view_.HookWindow();
       }},
      {"ApplyColorScheme",
       [](Startup& s) {
         if (!General::IniStr("Settings", "FormColor").empty()) s.view_.ApplyColorScheme();
       }},
  };
  RunSteps(kLoadSteps, vb::Trap::Report);
}

void Startup::RunSteps(std::span<const Step> steps, vb::Trap trap) {
  for (const Step& step : steps) {
    // Each step is a procedure of its own for the trace and the error report; a failing one is
    // reported (or skipped silently) and the next one runs.
    vb::Proc g(kModule, step.name, trap, true);
    g.step([&] { step.run(*this); });
  }
}

void Startup::DoInitialization() {
  vb::Proc g(kModule, "DoInitialization");
  Vars& v = vars();
  bool startingUp = false;
  g.step([&] { startingUp = view_.Tag() == "Starting Up"; });
  g.step([&] { Registry::GetRegData(); });
  g.step([&] {
    v.StartFresh = General::IniBool("Settings", "StartFresh", false);
    if (v.StartFresh) {
      Registry::RegSettings().Aircraft1.clear();
      Registry::RegSettings().Aircraft2.clear();
      Registry::SaveRegData();
    }
  });
  if (startingUp) g.step([&] { view_.SetGeometry(SettingsRect()); });
  v.ExportFolder.clear();
  g.step([&] { view_.SetVisible(false); });
}

void Startup::LoadDelay() {
  vb::Proc g(kModule, "LoadDelay");
  g.step([&] {
    const float noted = vb::Timer();
    do {
      view_.DoEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (vb::Timer() == noted);
  });
  g.step([&] { view_.AllowSplashClose(); });
}

void Startup::FormActivate() {
  vb::Proc g(kModule, "Form_Activate");
  if (!firstActivationDone_) {
    // The first activation finishes start-up. After a version change the cached drawings are
    // dropped, and the rest of this activation skips failures without a report.
    static constexpr Step kNewVersionSteps[] = {
        {"EmptyCacheFolder", [](Startup&) { EmptyCacheFolder(vb::InCurDir("DXF"), true); }},
        {"SaveProgramVersion",
         [](Startup&) {
           Registry::RegSettings().ProgramVersion = VersionText();
           Registry::SaveRegData();
         }},
    };
    static constexpr Step kFirstActivationSteps[] = {
        {"GetRegData", [](Startup&) { Registry::GetRegData(); }},
        {"PlaceWindow", [](Startup& s) { s.view_.SetGeometry(SettingsRect()); }},
        {"ToolbarChecks",
         [](Startup& s) {
           const Registry::Settings& reg = Registry::RegSettings();
           s.view_.SetMenuChecked(ctl::mnuViewToolbarShow, reg.ToolbarVisible);
           s.view_.SetMenuChecked(ctl::mnuViewToolbarDock, reg.ToolbarDocked);
         }},
        {"MetricUnits",
         [](Startup&) { DBase::vars().MetricUnits = Registry::RegistryValue("Metric").toBool(); }},
        {"MetricCheck",
         [](Startup& s) { s.view_.SetMenuChecked(ctl::mnuViewMetric, DBase::vars().MetricUnits); }},
        {"ShowToolbar",
         [](Startup& s) { s.view_.ShowToolbar(Registry::RegSettings().ToolbarVisible); }},
        {"AircraftClass",
         [](Startup&) {
           Globals::vars().AircraftClass = ClassOfAircraft(Registry::RegSettings().Aircraft1);
         }},
        {"UpdateDisplay", [](Startup& s) { UpdateDisplay(s.view_, s.data_); }},
        // Both planes and the dimensions start shown.
        {"ShowPlanesAndDims",
         [](Startup&) {
           CadFunctions::vars().ShowPlane1 = true;
           CadFunctions::vars().ShowPlane2 = true;
           CadFunctions::vars().ShowDims = true;
         }},
        {"InitDwgs", [](Startup&) { CadFunctions::InitDwgs(); }},
        {"StartTimer", [](Startup& s) { s.view_.SetTimerEnabled(true); }},
    };
    const bool newVersion = VersionText() != Registry::RegSettings().ProgramVersion;
    const vb::Trap trap = newVersion ? vb::Trap::Silent : vb::Trap::Report;
    if (newVersion) RunSteps(kNewVersionSteps, trap);
    RunSteps(kFirstActivationSteps, trap);
    ColorPlaneLabels(view_, trap);
    firstActivationDone_ = true;
  }
  g.step([&] { view_.SetUpScrollBar(); });
}

void Startup::FormUnload() {
  if (unloaded_) return;
  unloaded_ = true;
  vb::Proc entry(kModule, "Form_Unload");
  static constexpr Step kSaveSteps[] = {
      {"SavePlacement",
       [](Startup& s) {
         Registry::Settings& reg = Registry::RegSettings();
         const WindowRect r = s.view_.Geometry();
         // A maximised window keeps its size and comes back at the screen's corner.
         const bool maximized = s.view_.IsMaximized();
         reg.Top = maximized ? 0 : r.top;
         reg.Left = maximized ? 0 : r.left;
         reg.Width = r.width;
         reg.Height = r.height;
       }},
      {"SaveRegData", [](Startup&) { Registry::SaveRegData(); }},
      {"WriteAircraft1",
       [](Startup&) {
         const std::string& acNum = Registry::RegSettings().Aircraft1;
         General::WriteINI("Settings", "Aircraft1",
                           "[" + acNum + "]" + Globals::AircraftFullName(acNum));
       }},
      {"WriteAircraft2",
       [](Startup&) {
         const std::string& acNum = Registry::RegSettings().Aircraft2;
         General::WriteINI("Settings", "Aircraft2",
                           "[" + acNum + "]" + Globals::AircraftFullName(acNum));
       }},
      {"WriteCategory",
       [](Startup&) {
         General::WriteINI("Settings", "CategorySelected", Globals::vars().CategorySelected);
       }},
  };
  // From here on failures are skipped silently.
  static constexpr Step kCloseSteps[] = {
      {"UnloadAllForms", [](Startup& s) { s.view_.UnloadAllForms(); }},
      {"UnHookWindow",
       [](Startup& s) {
         if (vars().UseMouseWheelHook) s.view_.UnHookWindow();
       }},
      {"RestoreMenuColor",
       [](Startup& s) {
         if (!General::IniStr("Settings", "FormColor").empty()) s.view_.RestoreMenuColor();
       }},
      {"ProgramEnd", [](Startup&) { General::TraceLog(1, "Program End"); }},
  };
  RunSteps(kSaveSteps, vb::Trap::Report);
  RunSteps(kCloseSteps, vb::Trap::Silent);
}

}  // namespace MainForm
