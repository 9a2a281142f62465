#pragma once
// Module MainForm: the state the main window owns and the rest of the program reads (current
// tab, drawing tab, interior and WAT choices and their availability, the unit setting and the
// start-up settings), with the program's title and version. The aircraft class and the
// category of the selection dialog are Globals' (AircraftClass, CategorySelected).
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
  int32_t WATChart = 2;        // 1 WAT A, 2 WAT B
  bool EMSInteriorAvailable = false;
  bool UtilityInteriorAvailable = false;
  bool WATAAvailable = false;
  bool WATBAvailable = false;
  bool MetricUnits = false;
  // Start-up settings.
  int32_t UserGeoId = -1;
  int32_t UserLCID = 0;
  int32_t UserGeoLCIDNumber = 0;  // 409 for the United States
  bool PlotPreview = false;
  bool PrintFromCAD = false;
  bool StartFresh = false;
  bool FitChartLabels = false;
  bool UseMouseWheelHook = false;
  std::string ExportFolder;  // folder of the last export; empty = the program folder
  std::string MainCaption;
  // The failures display updates have reported, passed over until an update meets none.
  vb::RepeatedFailureFilter DisplayFailures{vb::RepeatedFailureFilter::Memory::UntilCleanRun};
};
Vars& vars();
void resetForTest();

// The program's title and version (from the build).
std::string ProgramTitle();
// major.minor.revision, as compared with RegSettings().ProgramVersion.
std::string VersionText();
// The window caption: title + "    Version " + major.minor.revision + eleven blanks.
std::string CaptionText();

}  // namespace MainForm
