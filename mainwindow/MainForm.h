#pragma once
// Module MainForm: the state the main window owns and the rest of the program reads (current
// tab, drawing tab, the interior choice, the interiors and WAT charts available and the start-up
// settings), with the program's title and version. The aircraft class, the category of the
// selection dialog, the WAT chart and the user's country are Globals' (AircraftClass,
// CategorySelected, WATChart, UserGeoLCIDNumber); the unit setting is DBase's (MetricUnits).
#include <array>
#include <cstdint>
#include <string>

#include "foundation/Globals.h"
#include "platform/runtime/RepeatedFailure.h"

namespace MainForm {

// The trace module word of the main window's procedures.
inline constexpr const char* kModule = "MainForm";

// The main tabs (Globals').
namespace Tab = Globals::Tab;
inline constexpr int kTabCount = Tab::Count;

// Values of Globals::vars().AircraftClass.
namespace Class = Globals::Class;

struct Vars {
  int32_t CurrentTab = 0;
  int32_t CurrentDrawingTab = 2;  // 2 to 5, also the index of the drawing view
  std::array<bool, 21> TabDrawn{};
  int32_t InteriorConfig = 1;  // 1 corporate, 2 EMS, 3 utility
  bool EMSInteriorAvailable = false;
  bool UtilityInteriorAvailable = false;
  bool WATAAvailable = false;
  bool WATBAvailable = false;
  // Start-up settings.
  int32_t UserGeoId = -1;
  int32_t UserLCID = 0;
  bool PlotPreview = false;
  bool PrintFromCAD = false;
  bool StartFresh = false;
  bool UseMouseWheelHook = false;
  std::string ExportFolder;  // folder of the last export; empty = the program folder
  std::string MainCaption;
  // The failures display updates have reported, passed over until an update meets none.
  vb::RepeatedFailureFilter DisplayFailures{vb::RepeatedFailureFilter::Memory::UntilCleanRun};
};
Vars& vars();
void resetForTest();

// TabDrawn(tab) := drawn; a tab number out of range changes nothing.
void MarkTabDrawn(int tab, bool drawn);

// The program's title and version (from the build).
std::string ProgramTitle();
// major.minor.revision, as compared with RegSettings().ProgramVersion.
std::string VersionText();
// The window caption: title + "    Version " + major.minor.revision + eleven blanks.
std::string CaptionText();

}  // namespace MainForm
