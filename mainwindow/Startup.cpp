#include "mainwindow/Startup.h"

#include <chrono>
#include <string>
#include <thread>

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
#include "mainwindow/TabDispatcher.h"
#include "platform/locale/Locale.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/Trap.h"

namespace MainForm {

namespace {

using LabelCatalogue::Arr;

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
  return Globals::AircraftCategory(acNum) == "Helicopters" ? Class::Helicopter : Class::FixedWing;
}

void Startup::FormLoad() {
  Vars& v = vars();
  // 1. Error handling is not on yet, so this guard traps nothing and only makes the entry.
  vb::Proc entry(kModule, "Form_Load");
  // 2. Every relative file name of the program is taken from the program folder.
  vb::ChDir(vb::ProgramFolder());
  // 3. Locale.
  v.UserGeoId = locale::GetUserGeoID(locale::GEOCLASS_NATION);
  v.UserLCID = static_cast<int32_t>(locale::GetUserDefaultLCID());
  v.UserGeoLCIDNumber = LocaleNumber(Geo::GeoLCID(v.UserGeoId, v.UserLCID));
  // 4, 5, 6.
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
  vb::Proc g(kModule, "Form_Load", vb::Trap::Report, false);
  // 7. Database paths and the aircraft list.
  g.step([&] { DBase::InitDatabasePaths(); });
  // 8 to 11. Tab pages in one rectangle, tab 0 shown.
  g.step([&] { view_.PlaceFramesLike(view_.SelectedTab()); });
  g.step([&] {
    view_.SelectTab(0);
    v.CurrentTab = view_.SelectedTab();
  });
  // Plot Screen and Export act on a drawing view: enabled only on tabs 2 to 5.
  g.step([&] {
    const bool drawing = IsDrawingTab(v.CurrentTab);
    view_.SetMenuEnabled(ctl::mnuFilePlotScreen, drawing);
    view_.SetMenuEnabled(ctl::mnuFileExport, drawing);
  });
  v.CurrentDrawingTab = 2;
  g.step([&] { view_.ShowTabNo(); });
  // 12. The design size, base of the proportional layout.
  g.step([&] {
    const WindowRect r = view_.Geometry();
    designWidth_ = r.width;
    designHeight_ = r.height;
    statusBarHeight_ = view_.StatusBarHeight();
  });
  // 13, 14. Trace settings and display settings.
  General::vars().TraceMode = 3;
  General::vars().TraceRepeatSeconds = 0.1;
  g.step([&] {
    DBase::vars().ShowMissingFields = General::IniBool("Settings", "ShowMissingFields", false);
    DBase::vars().ShowBlankFields = General::IniBool("Settings", "ShowBlankFields", false);
    v.PrintFromCAD = General::IniBool("Settings", "PrintFromCAD", false);
    Globals::vars().CategorySelected = General::IniStr("Settings", "CategorySelected");
  });
  // 15 to 18.
  g.step([&] { General::LogBanner(); });
  g.step([&] { view_.CreateSplash(); });
  g.step([&] { view_.SetTag("Starting Up"); });
  g.step([&] { DoInitialization(); });
  // 19, 20. The drawing cache.
  g.step([&] { view_.DoEvents(); });
  g.step([&] { CheckDrawingCache(DBase::vars().DxfDBPath); });
  // 21, 22. Splash shown, then allowed to close.
  g.step([&] {
    view_.ShowSplash();
    view_.DoEvents();
  });
  g.step([&] { LoadDelay(); });
  // 23 to 26.
  v.MainCaption = CaptionText();
  g.step([&] { view_.SetCaption(v.MainCaption); });
  v.FitChartLabels = true;
  v.UseMouseWheelHook = true;
  g.step([&] { view_.HookWindow(); });
  g.step([&] {
    if (!General::IniStr("Settings", "FormColor").empty()) view_.ApplyColorScheme();
  });
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
    Vars& v = vars();
    Registry::Settings& reg = Registry::RegSettings();
    // After a version change the rest of this activation skips failures without a report.
    const bool newVersion = VersionText() != reg.ProgramVersion;
    vb::Proc silent(kModule, "Form_Activate", vb::Trap::Silent, false);
    vb::Proc& p = newVersion ? silent : g;
    if (newVersion) {
      p.step([&] { EmptyCacheFolder(vb::InCurDir("DXF"), true); });
      p.step([&] {
        reg.ProgramVersion = VersionText();
        Registry::SaveRegData();
      });
    }
    p.step([&] { Registry::GetRegData(); });
    p.step([&] { view_.SetGeometry(SettingsRect()); });
    p.step([&] {
      view_.SetMenuChecked(ctl::mnuViewToolbarShow, reg.ToolbarVisible);
      view_.SetMenuChecked(ctl::mnuViewToolbarDock, reg.ToolbarDocked);
    });
    p.step([&] { v.MetricUnits = Registry::RegistryValue("Metric").toBool(); });
    p.step([&] { view_.SetMenuChecked(ctl::mnuViewMetric, v.MetricUnits); });
    p.step([&] { view_.ShowToolbar(reg.ToolbarVisible); });
    p.step([&] { Globals::vars().AircraftClass = ClassOfAircraft(reg.Aircraft1); });
    p.step([&] { UpdateDisplay(view_, data_); });
    CadFunctions::vars().ShowPlane1 = true;
    CadFunctions::vars().ShowPlane2 = true;
    CadFunctions::vars().ShowDims = true;
    p.step([&] { CadFunctions::InitDwgs(); });
    p.step([&] { view_.SetTimerEnabled(true); });
    for (Arr array : {Arr::lblData1, Arr::lblData2})
      for (const LabelCatalogue::LabelDef* label : LabelCatalogue::Members(array))
        if (label->tag == "Color")
          p.step([&] {
            view_.SetLabelBackColor(array, label->index,
                                    array == Arr::lblData1 ? reg.PlaneColor1 : reg.PlaneColor2);
          });
    for (int index : {58, 59, 60}) {
      p.step([&] { view_.SetLabelForeColor(Arr::gen1Data1, index, reg.PlaneColor1); });
      p.step([&] { view_.SetLabelForeColor(Arr::gen1Data2, index, reg.PlaneColor2); });
    }
    firstActivationDone_ = true;
  }
  g.step([&] { view_.SetUpScrollBar(); });
}

void Startup::FormUnload() {
  if (unloaded_) return;
  unloaded_ = true;
  vb::Proc g(kModule, "Form_Unload");
  Registry::Settings& reg = Registry::RegSettings();
  g.step([&] {
    const WindowRect r = view_.Geometry();
    if (!view_.IsMaximized()) {
      reg.Top = r.top;
      reg.Left = r.left;
    } else {
      reg.Top = 0;
      reg.Left = 0;
    }
    reg.Width = r.width;
    reg.Height = r.height;
  });
  g.step([&] { Registry::SaveRegData(); });
  g.step([&] {
    General::WriteINI("Settings", "Aircraft1",
                      "[" + reg.Aircraft1 + "]" + Globals::AircraftFullName(reg.Aircraft1));
  });
  g.step([&] {
    General::WriteINI("Settings", "Aircraft2",
                      "[" + reg.Aircraft2 + "]" + Globals::AircraftFullName(reg.Aircraft2));
  });
  g.step(
      [&] { General::WriteINI("Settings", "CategorySelected", Globals::vars().CategorySelected); });
  // From here on failures are skipped silently.
  vb::Proc s(kModule, "Form_Unload", vb::Trap::Silent, false);
  s.step([&] { view_.UnloadAllForms(); });
  if (vars().UseMouseWheelHook) s.step([&] { view_.UnHookWindow(); });
  s.step([&] {
    if (!General::IniStr("Settings", "FormColor").empty()) view_.RestoreMenuColor();
  });
  s.step([&] { General::TraceLog(1, "Program End"); });
}

}  // namespace MainForm
