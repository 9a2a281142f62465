#include "printing/PrintCommands.h"

#include <algorithm>
#include <optional>
#include <string>

#include "foundation/General.h"
#include "platform/runtime/RepeatedFailure.h"
#include "platform/runtime/Trap.h"
#include "platform/ui/Hooks.h"
#include "printing/DrawingPages.h"
#include "printing/PagePrinting.h"
#include "printing/PageRaster.h"
#include "printing/Printing.h"
#include "printing/Scales.h"
#include "printing/ViewPages.h"

namespace Printing {

namespace {

using R = PageRoutine;
using C = PrintCommand;

// The print commands are the main window's handlers: their trace entries carry its module word.
constexpr std::string_view kHandlerModule = "MainForm";

bool jobRunning = false;

void RunRoutine(PageRoutine routine) {
  switch (routine) {
    case R::Aircraft: return CadFunctions::PrintAircraft();
    case R::General: return CadFunctions::PrintGeneral();
    case R::Exterior: return CadFunctions::PrintExterior();
    case R::Top: return CadFunctions::PrintTop();
    case R::Side: return CadFunctions::PrintSide();
    case R::Front: return CadFunctions::PrintFront();
    case R::InteriorAndCabin: return CadFunctions::PrintInteriorAndCabin();
    case R::Interior: return CadFunctions::PrintInterior();
    case R::Cabin: return CadFunctions::PrintCabin();
    case R::BlockFuelTime: return CadFunctions::PrintBlockFuelTime();
    case R::BalancedFieldLength: return CadFunctions::PrintBalancedFieldLength();
    case R::TakeoffLanding: return CadFunctions::PrintTakeoffLanding();
    case R::FlightEnvelope: return CadFunctions::PrintFlightEnvelope();
    case R::PayloadRange: return CadFunctions::PrintPayloadRange();
    case R::ServiceCeiling: return CadFunctions::PrintServiceCeiling();
    case R::WAT: return CadFunctions::PrintWAT();
  }
}

PageRunner pageRunner = &RunRoutine;

bool Heli(const JobInputs& in) { return in.AircraftClass == Globals::Class::Helicopter; }

void AddWATPages(std::vector<PageStep>& pages, const JobInputs& in) {
  if (in.WATAAvailable) pages.push_back({R::WAT, 0, 1});
  if (in.WATBAvailable) pages.push_back({R::WAT, 0, 2});
}

// Print All (overlaid) and All Side by Side.
std::vector<PageStep> AllPages(const JobInputs& in, bool sideBySide) {
  std::vector<PageStep> pages{{R::Aircraft}, {R::General}};
  if (sideBySide)
    pages.insert(pages.end(), {{R::Top}, {R::Side}, {R::Front}});
  else
    pages.push_back({R::Exterior});
  auto interior = [&](int32_t config) {
    if (sideBySide) {
      pages.push_back({R::Interior, config});
      pages.push_back({R::Cabin, config});
    } else {
      pages.push_back({R::InteriorAndCabin, config});
    }
  };
  if (!Heli(in)) {
    interior(0);
    pages.push_back({R::BlockFuelTime});
    pages.push_back({R::BalancedFieldLength});
    pages.push_back({R::TakeoffLanding});
    pages.push_back({R::FlightEnvelope});
    pages.push_back({R::PayloadRange});
    return pages;
  }
  // Corporate first whatever the interior tab shows, so that no configuration comes twice.
  interior(1);
  if (in.EMSInteriorAvailable) interior(2);
  if (in.UtilityInteriorAvailable) interior(3);
  pages.push_back({R::BlockFuelTime});
  pages.push_back({R::PayloadRange});
  pages.push_back({R::ServiceCeiling});
  AddWATPages(pages, in);
  return pages;
}

// The page of "Print Current Page" for the tab shown.
std::vector<PageStep> CurrentPage(const JobInputs& in) {
  namespace Tab = Globals::Tab;
  switch (in.CurrentTab) {
    case Tab::Aircraft:
      return {{R::Aircraft}};
    case Tab::General:
      return {{R::General}};
    case Tab::Top:
    case Tab::Front:
    case Tab::Side:
      return {{R::Exterior}};
    case Tab::Interior:
      return {{R::InteriorAndCabin}};
    case Tab::BlockFuel:
      return {{R::BlockFuelTime}};
    case Tab::BalancedField:
      return {{R::BalancedFieldLength}};
    case Tab::TakeoffLanding:
      return {{Heli(in) ? R::WAT : R::TakeoffLanding}};
    case Tab::FlightEnvelope:
      return {{R::FlightEnvelope}};
    case Tab::PayloadRange:
      return {{R::PayloadRange}};
    case Tab::ServiceCeiling:
    case Tab::HVCruise:
      return {{R::ServiceCeiling}};
    case Tab::WAT:
      return {{R::WAT}};
    default: return {};
  }
}

// The scale dialog a to-scale command asks first.
std::optional<ScaleDialogKind> ScaleDialogOf(PrintCommand command) {
  switch (command) {
    case C::ExteriorScaleOverlaid:
    case C::ExteriorScaleSideBySide: return ScaleDialogKind::Single;
    case C::InteriorScaleOverlaid:
    case C::InteriorScaleSideBySide: return ScaleDialogKind::InteriorAndCabin;
    default: return std::nullopt;
  }
}

int16_t ToInt16(size_t n) { return static_cast<int16_t>(std::min<size_t>(n, 32767)); }

// Sets the value a page needs and puts the one in force back when the page is done, whatever
// failed in it. Nothing for a value of 0.
class ForOnePage {
 public:
  ForOnePage(int32_t value, std::function<int32_t()> get, std::function<void(int32_t)> set)
      : set_(std::move(set)) {
    if (value == 0) return;
    kept_ = get();
    set_(value);
  }
  ~ForOnePage() {
    if (kept_) set_(*kept_);
  }
  ForOnePage(const ForOnePage&) = delete;
  ForOnePage& operator=(const ForOnePage&) = delete;

 private:
  std::function<void(int32_t)> set_;
  std::optional<int32_t> kept_;
};

void PrintPage(vb::Proc& g, const PageStep& page) {
  ForOnePage config(
      page.interiorConfig, [] { return hooks().InteriorConfig(); },
      [](int32_t c) { hooks().SetInteriorConfig(c); });
  int32_t& watChart = Globals::vars().WATChart;
  ForOnePage chart(
      page.watChart, [&] { return watChart; }, [&](int32_t c) { watChart = c; });
  g.step([&] { pageRunner(page.routine); });
}

// The files the job wrote, when it printed to a file on the program's printer.
std::vector<std::string> FilesOfJob() {
  std::vector<std::string> files;
  Devices* devices = InstalledDevices();
  if (hooks().PlotPreview() || !devices) return files;
  if (&Printer() != &devices->SystemPrinter()) return files;
  return devices->FilesOfJob();
}

// The common job: the printer dialog, the page count, then each copy as a document of its own,
// begun before its first page so that a page that draws nothing is still a page of it.
void RunJob(vb::Proc& g, const std::vector<PageStep>& pages, JobOutcome& outcome) {
  if (ShowPrinterDialog() == 0) return;
  outcome.ran = true;
  Vars& v = vars();
  v.PrintPageCount = ToInt16(pages.size());
  for (int copy = 1; copy <= v.Options.Copies; ++copy) {
    v.PrintPageNumber = 0;
    if (!pages.empty()) g.step([] { Target().beginDocument(); });
    for (size_t i = 0; i < pages.size(); ++i) {
      v.PrintPageNumber = ToInt16(i + 1);
      if (i > 0) g.step([] { Target().newPage(); });
      PrintPage(g, pages[i]);
      ++outcome.pages;
    }
    g.step([] { Target().endDoc(); });
  }
}

// The failures of the print jobs, each reported by the first job that meets it until a job
// meets none.
vb::RepeatedFailureFilter& JobFailures() {
  static vb::RepeatedFailureFilter failures(vb::RepeatedFailureFilter::Memory::UntilCleanRun);
  return failures;
}

// The job flag and the window's busy state for one command, ended whatever happens in it.
class JobScope {
 public:
  JobScope() {
    jobRunning = true;
    hooks().JobStarted();
  }
  ~JobScope() {
    ReleasePlotPicture();
    ForgetMeasuredDrawings();
    hooks().JobEnded();
    jobRunning = false;
  }
  JobScope(const JobScope&) = delete;
  JobScope& operator=(const JobScope&) = delete;
};

}  // namespace

std::string_view RoutineName(PageRoutine routine) {
  switch (routine) {
    case R::Aircraft: return "PrintAircraft";
    case R::General: return "PrintGeneral";
    case R::Exterior: return "PrintExterior";
    case R::Top: return "PrintTop";
    case R::Side: return "PrintSide";
    case R::Front: return "PrintFront";
    case R::InteriorAndCabin: return "PrintInteriorAndCabin";
    case R::Interior: return "PrintInterior";
    case R::Cabin: return "PrintCabin";
    case R::BlockFuelTime: return "PrintBlockFuelTime";
    case R::BalancedFieldLength: return "PrintBalancedFieldLength";
    case R::TakeoffLanding: return "PrintTakeoffLanding";
    case R::FlightEnvelope: return "PrintFlightEnvelope";
    case R::PayloadRange: return "PrintPayloadRange";
    case R::ServiceCeiling: return "PrintServiceCeiling";
    case R::WAT: return "PrintWAT";
  }
  return "";
}

std::string_view HandlerName(PrintCommand command) {
  switch (command) {
    case C::PlotScreen: return "mnuFilePlotScreen_Click";
    case C::CurrentPage: return "mnuFilePrint_Click";
    case C::All: return "mnuFilePrintAll_Click";
    case C::AllOverlaid: return "mnuFilePrintAllOverlaid_Click";
    case C::AllSideBySide: return "mnuFilePrintAllSideBySide_Click";
    case C::ExteriorScaleOverlaid: return "mnuFilePrintExteriorScaleOverlaid_Click";
    case C::ExteriorScaleSideBySide: return "mnuFilePrintExteriorScaleSideBySide_Click";
    case C::InteriorScaleOverlaid: return "mnuFilePrintInteriorScaleOverlaid_Click";
    case C::InteriorScaleSideBySide: return "mnuFilePrintInteriorScaleSideBySide_Click";
    case C::Aircraft: return "mnuFilePrintAircraft_Click";
    case C::General: return "mnuFilePrintGeneral_Click";
    case C::Exterior: return "mnuFilePrintExterior_Click";
    case C::ExteriorOverlaid: return "mnuFilePrintExteriorOverlaid_Click";
    case C::ExteriorSideBySide: return "mnuFilePrintExteriorSideBySide_Click";
    case C::Interior: return "mnuFilePrintInterior_Click";
    case C::InteriorOverlaid: return "mnuFilePrintInteriorOverlaid_Click";
    case C::InteriorSideBySide: return "mnuFilePrintInteriorSideBySide_Click";
    case C::BlockFuelTime: return "mnuFilePrintBlockFuelTime_Click";
    case C::BalancedFieldLength: return "mnuFilePrintBalancedFieldLength_Click";
    case C::TakeoffLanding: return "mnuFilePrintTakeoffLanding_Click";
    case C::FlightEnvelope: return "mnuFilePrintFlightEnvelope_Click";
    case C::PayloadRange: return "mnuFilePrintPayloadRange_Click";
    case C::ServiceCeiling: return "mnuFilePrintServiceCeiling_Click";
    case C::HVCruiseSpeed: return "mnuFilePrintHVCruiseSpeed_Click";
    case C::WAT: return "mnuFilePrintWAT_Click";
  }
  return "";
}

std::vector<PageStep> PagesOf(PrintCommand command, const JobInputs& in) {
  switch (command) {
    case C::PlotScreen: return {};
    case C::CurrentPage: return CurrentPage(in);
    case C::All:
    case C::AllOverlaid: return AllPages(in, false);
    case C::AllSideBySide: return AllPages(in, true);
    case C::Exterior:
    case C::ExteriorOverlaid:
    case C::ExteriorScaleOverlaid: return {{R::Exterior}};
    case C::ExteriorSideBySide:
    case C::ExteriorScaleSideBySide: return {{R::Top}, {R::Side}, {R::Front}};
    case C::Interior:
    case C::InteriorOverlaid:
    case C::InteriorScaleOverlaid: return {{R::InteriorAndCabin}};
    case C::InteriorSideBySide:
    case C::InteriorScaleSideBySide: return {{R::Interior}, {R::Cabin}};
    case C::Aircraft: return {{R::Aircraft}};
    case C::General: return {{R::General}};
    case C::BlockFuelTime: return {{R::BlockFuelTime}};
    case C::BalancedFieldLength: return {{R::BalancedFieldLength}};
    // A helicopter pair's take-off and landing charts are on its WAT page.
    case C::TakeoffLanding: return {{Heli(in) ? R::WAT : R::TakeoffLanding}};
    case C::FlightEnvelope: return {{R::FlightEnvelope}};
    case C::PayloadRange: return {{R::PayloadRange}};
    // The service ceiling page carries the height-velocity and cruise speed charts too.
    case C::ServiceCeiling:
    case C::HVCruiseSpeed: return {{R::ServiceCeiling}};
    case C::WAT: {
      std::vector<PageStep> pages;
      AddWATPages(pages, in);
      return pages;
    }
  }
  return {};
}

bool JobRunning() { return jobRunning; }

void InstallPageRunner(PageRunner runner) { pageRunner = runner ? std::move(runner) : &RunRoutine; }

std::string JobStatusText(const JobOutcome& outcome, long failures,
                          const std::vector<std::string>& files, const std::string& errorLog) {
  if (!outcome.ran) return "";
  std::string written;
  for (const std::string& f : files) written += (written.empty() ? "" : ", ") + f;
  const std::string errors = "The print job had errors, logged in " + errorLog;
  if (outcome.pages == 0) return "Nothing was printed" + (failures > 0 ? ": " + errors : "");
  if (failures > 0) return errors + (written.empty() ? "" : "; written: " + written);
  if (!written.empty()) return "Printed to " + written;
  return "";
}

void ForgetJobFailures() { JobFailures() = vb::RepeatedFailureFilter(vb::RepeatedFailureFilter::Memory::UntilCleanRun); }

void RunCommand(PrintCommand command) {
  if (jobRunning) return;
  JobScope job;
  const JobInputs inputs = hooks().Inputs();
  JobOutcome outcome;
  JobFailures().Run([&] {
    if (command == C::PlotScreen) {
      outcome = PlotScreen(inputs.CurrentTab);
      return;
    }
    vb::Proc g(kHandlerModule, HandlerName(command));
    const std::vector<PageStep> pages = PagesOf(command, inputs);
    const std::optional<ScaleDialogKind> scale = ScaleDialogOf(command);
    if (!scale) return RunJob(g, pages, outcome);
    // A to-scale command prints only when a scale was chosen, and leaves none chosen after it.
    Vars& v = vars();
    v.PrintScaleKind = *scale == ScaleDialogKind::Single ? 2 : 1;
    g.step([&] { ShowScaleDialog(*scale); });
    if (v.PrintScale > 0) RunJob(g, pages, outcome);
    v.PrintScale = 0;
  });
  vb::Proc g(kHandlerModule, HandlerName(command), vb::Trap::Report, false);
  g.step([&] {
    const std::string text = JobStatusText(outcome, JobFailures().FailuresOfLastRun(),
                                           FilesOfJob(), General::ErrorLogFile());
    if (!text.empty()) ui::Current().SetStatusText(text);
  });
}

}  // namespace Printing
