#pragma once
// The print commands of the main window's File menu ("Plot Screen", "Print Current Page" and
// the items under "Print Page"). Each command is a list of page steps, data built from the
// aircraft pair, run by one job loop: the printer dialog (or the preview in preview mode), the
// page count, then for every copy its pages in order, each with its page number, a new page
// before pages 2..n and an end of document after the last, so that every copy is a document of
// its own numbered from 1. The to-scale commands ask for the scale first and print only when
// one was chosen.
//
// One job at a time: the page routines let the event loop run while they wait, so a second
// command, a tab change or another pair chosen mid-job would compose two pages into CAD(0) at
// once. A command started while a job runs is refused, and the main window disables its print
// items and takes no input while the job runs (Hooks::JobRunning), whatever fails on the way.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Globals.h"
#include "printing/Scales.h"

namespace Printing {

// The page routines of module CadFunctions a command prints.
enum class PageRoutine {
  Aircraft,
  General,
  Exterior,
  Top,
  Side,
  Front,
  InteriorAndCabin,
  Interior,
  Cabin,
  BlockFuelTime,
  BalancedFieldLength,
  TakeoffLanding,
  FlightEnvelope,
  PayloadRange,
  ServiceCeiling,
  WAT,
};
// "PrintAircraft", ...
std::string_view RoutineName(PageRoutine routine);

// One page of a command: its routine, and the interior configuration (1 corporate, 2 EMS,
// 3 utility) or the WAT chart (1 WAT A, 2 WAT B) it needs; 0 prints with the one in force. The
// value in force is set back right after the page.
struct PageStep {
  PageRoutine routine;
  int32_t interiorConfig = 0;
  int32_t watChart = 0;
  bool operator==(const PageStep&) const = default;
};

// The commands, one per menu item; PrintItems() registers each with its item.
enum class PrintCommand {
  PlotScreen,
  CurrentPage,
  All,
  AllOverlaid,
  AllSideBySide,
  ExteriorScaleOverlaid,
  ExteriorScaleSideBySide,
  InteriorScaleOverlaid,
  InteriorScaleSideBySide,
  Aircraft,
  General,
  Exterior,
  ExteriorOverlaid,
  ExteriorSideBySide,
  Interior,
  InteriorOverlaid,
  InteriorSideBySide,
  BlockFuelTime,
  BalancedFieldLength,
  TakeoffLanding,
  FlightEnvelope,
  PayloadRange,
  ServiceCeiling,
  HVCruiseSpeed,
  WAT,
};
// The command's handler, the procedure name of its trace entry: its item's name and "_Click"
// ("mnuFilePrintAll_Click").
std::string_view HandlerName(PrintCommand command);

// What a job reads of the main window when it starts.
struct JobInputs {
  int32_t AircraftClass = Globals::Class::None;  // as Globals::vars().AircraftClass
  int32_t CurrentTab = 0;     // the page of "Print Current Page", the view of "Plot Screen"
  bool EMSInteriorAvailable = false;
  bool UtilityInteriorAvailable = false;
  bool WATAAvailable = false;
  bool WATBAvailable = false;
};

// The pages of one copy of a command, in order (none for Plot Screen, which prints the view as
// a raster). A helicopter pair's Print All and All Side by Side print each interior
// configuration the pair has once: corporate, then EMS, then utility.
std::vector<PageStep> PagesOf(PrintCommand command, const JobInputs& inputs);

// When the File menu offers a print item.
enum class Offered {
  Always,
  FixedWing,   // not for a pair of helicopters
  Helicopter,  // for a pair of helicopters only
  OnePlane,    // while at most one aircraft is chosen (its twin asks overlaid or side by side)
  TwoPlanes,   // while both aircraft are chosen
};
// When an item offered can be chosen. While a job runs every print item is held disabled.
enum class Enabled {
  Always,
  OnDrawingTabs,  // it prints the drawing view shown
};
// A print item of the File menu: a command, or a submenu (no command) that holds others.
struct PrintItem {
  std::string_view name{};     // the object name ("mnuFilePrintAll")
  std::string_view caption{};  // "&All Pages"
  std::string_view parent{};   // the submenu it is in; empty for the File menu itself
  std::optional<PrintCommand> command{};
  Offered offered = Offered::Always;
  Enabled enabled = Enabled::Always;
  // The pages of one copy (none for a submenu and for Plot Screen).
  std::vector<PageStep> (*pages)(const JobInputs&) = nullptr;
  // The scale dialog a to-scale command asks first.
  std::optional<ScaleDialogKind> scale{};
};
// Every print item, in the order of the menu: each command once, after the submenus that hold
// it. The main window builds its print items from this list, and offers and enables them by it.
std::span<const PrintItem> PrintItems();
// The item of a command; the item of a name (nullptr for a name that is no print item).
const PrintItem& ItemOf(PrintCommand command);
const PrintItem* FindPrintItem(std::string_view name);
// Whether the menu offers an item for a pair of helicopters (or not) with both aircraft chosen
// (or at most one).
bool IsOffered(const PrintItem& item, bool helicopters, bool bothPlanes);

// What one job did: whether it printed at all (its dialogs were answered, not cancelled) and
// how many pages it printed, over every copy.
struct JobOutcome {
  bool ran = false;
  long pages = 0;
};

// Runs a command: refused while a job runs; otherwise the job, with the main window told when
// it starts and ends. A failure that a job since the last job without failures reported
// unchanged is not reported again (the error log keeps one line for it), so that no number of
// jobs over a missing database reaches the error limit. Afterwards the status bar says how the
// job went (JobStatusText).
void RunCommand(PrintCommand command);
// The status bar's words after a job that met `failures` failures and wrote `files` (a job to a
// file): nothing for a cancelled job; "Nothing was printed" when no page was; "The print job had
// errors, logged in <log>" (and "; written: <files>") when it met failures; "Printed to
// <files>" when it wrote files; nothing for a clean job to a printer or the preview.
std::string JobStatusText(const JobOutcome& outcome, long failures,
                          const std::vector<std::string>& files, const std::string& errorLog);
// Forgets the failures earlier jobs reported (tests).
void ForgetJobFailures();
// A job is running.
bool JobRunning();

// How a page step's routine is printed; a test installs its own (nullptr restores the
// routines of CadFunctions).
using PageRunner = std::function<void(PageRoutine)>;
void InstallPageRunner(PageRunner runner);

}  // namespace Printing
