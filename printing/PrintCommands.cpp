#include "printing/PrintCommands.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "foundation/General.h"
#include "platform/runtime/RepeatedFailure.h"
#include "platform/runtime/Trap.h"
#include "platform/ui/Hooks.h"
#include "printing/ControlNames.h"
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

// The page of "Print Current Page" for each tab.
namespace Tab = Globals::Tab;
constexpr std::pair<int, R> kPageOfTab[] = {
    {Tab::Aircraft, R::Aircraft},
    {Tab::General, R::General},
    {Tab::Top, R::Exterior},
    {Tab::Front, R::Exterior},
    {Tab::Side, R::Exterior},
    {Tab::Interior, R::InteriorAndCabin},
    {Tab::BlockFuel, R::BlockFuelTime},
    {Tab::BalancedField, R::BalancedFieldLength},
    {Tab::TakeoffLanding, R::TakeoffLanding},
    {Tab::FlightEnvelope, R::FlightEnvelope},
    {Tab::PayloadRange, R::PayloadRange},
    {Tab::ServiceCeiling, R::ServiceCeiling},
    {Tab::HVCruise, R::ServiceCeiling},
    {Tab::WAT, R::WAT},
};

// The page a routine's charts print on for the pair: a helicopter pair's take-off and landing
// charts are on its WAT page.
R PageFor(R routine, const JobInputs& in) {
  return routine == R::TakeoffLanding && Heli(in) ? R::WAT : routine;
}

// The page of "Print Current Page" for the tab shown; none for another number.
std::vector<PageStep> CurrentPage(const JobInputs& in) {
  for (auto [tab, page] : kPageOfTab)
    if (tab == in.CurrentTab) return {{PageFor(page, in)}};
  return {};
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
      page.interiorConfig, [] { return jobState().InteriorConfig(); },
      [](int32_t c) { jobState().SetInteriorConfig(c); });
  int32_t& watChart = Globals::vars().WATChart;
  ForOnePage chart(
      page.watChart, [&] { return watChart; }, [&](int32_t c) { watChart = c; });
  g.step([&] { pageRunner(page.routine); });
}

// The files the job wrote, when it printed to a file on the program's printer.
std::vector<std::string> FilesOfJob() {
  std::vector<std::string> files;
  Devices* devices = InstalledDevices();
  if (jobState().PlotPreview() || !devices) return files;
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

namespace {

using Pages = std::vector<PageStep>;
using K = ScaleDialogKind;
namespace ctl = Printing::ctl;

// The one page a routine prints.
template <R routine>
Pages OnePage(const JobInputs&) {
  return {{routine}};
}
Pages ExteriorSideBySide(const JobInputs&) { return {{R::Top}, {R::Side}, {R::Front}}; }
Pages InteriorSideBySide(const JobInputs&) { return {{R::Interior}, {R::Cabin}}; }

using PagesFn = Pages (*)(const JobInputs&);

// A submenu of print items, and the item of a command.
PrintItem Menu(std::string_view name, std::string_view caption, std::string_view parent,
               Offered offered = Offered::Always) {
  return {.name = name, .caption = caption, .parent = parent, .offered = offered};
}
PrintItem Item(std::string_view name, std::string_view caption, std::string_view parent, C command,
               PagesFn pages, Offered offered = Offered::Always,
               std::optional<K> scale = std::nullopt) {
  return {.name = name,
          .caption = caption,
          .parent = parent,
          .command = command,
          .offered = offered,
          .pages = pages,
          .scale = scale};
}

Pages AllOverlaid(const JobInputs& in) { return AllPages(in, false); }
Pages AllSideBySide(const JobInputs& in) { return AllPages(in, true); }

// The File menu's print items. Each command's item names it, captions it and gives its pages.
const PrintItem kItems[] = {
    {.name = ctl::mnuFilePlotScreen,
     .caption = "Plot &Screen",
     .command = C::PlotScreen,
     .enabled = Enabled::OnDrawingTabs},
    Item(ctl::mnuFilePrint, "&Print Current Page", "", C::CurrentPage, &CurrentPage),
    Menu(ctl::mnuFilePrintPage, "Print P&age", ""),
    Item(ctl::mnuFilePrintAll, "&All Pages", ctl::mnuFilePrintPage, C::All, &AllOverlaid,
         Offered::OnePlane),
    Menu(ctl::mnuFilePrintAllChoose, "&All Pages", ctl::mnuFilePrintPage, Offered::TwoPlanes),
    Item(ctl::mnuFilePrintAllOverlaid, "Overlaid", ctl::mnuFilePrintAllChoose, C::AllOverlaid,
         &AllOverlaid),
    Item(ctl::mnuFilePrintAllSideBySide, "Side by Side", ctl::mnuFilePrintAllChoose,
         C::AllSideBySide, &AllSideBySide),
    Menu(ctl::mnuFilePrintScale, "Print Images to &Scale", ctl::mnuFilePrintPage),
    Menu(ctl::mnuFilePrintExteriorScale, "&Exterior", ctl::mnuFilePrintScale),
    Item(ctl::mnuFilePrintExteriorScaleOverlaid, "Overlaid", ctl::mnuFilePrintExteriorScale,
         C::ExteriorScaleOverlaid, &OnePage<R::Exterior>, Offered::Always, K::Single),
    Item(ctl::mnuFilePrintExteriorScaleSideBySide, "Side by Side", ctl::mnuFilePrintExteriorScale,
         C::ExteriorScaleSideBySide, &ExteriorSideBySide, Offered::Always, K::Single),
    Menu(ctl::mnuFilePrintInteriorScale, "&Interior", ctl::mnuFilePrintScale),
    Item(ctl::mnuFilePrintInteriorScaleOverlaid, "Overlaid", ctl::mnuFilePrintInteriorScale,
         C::InteriorScaleOverlaid, &OnePage<R::InteriorAndCabin>, Offered::Always,
         K::InteriorAndCabin),
    Item(ctl::mnuFilePrintInteriorScaleSideBySide, "Side by Side", ctl::mnuFilePrintInteriorScale,
         C::InteriorScaleSideBySide, &InteriorSideBySide, Offered::Always, K::InteriorAndCabin),
    Item(ctl::mnuFilePrintAircraft, "&Aircraft", ctl::mnuFilePrintPage, C::Aircraft,
         &OnePage<R::Aircraft>),
    Item(ctl::mnuFilePrintGeneral, "&General", ctl::mnuFilePrintPage, C::General,
         &OnePage<R::General>),
    Item(ctl::mnuFilePrintExterior, "&Exterior", ctl::mnuFilePrintPage, C::Exterior,
         &OnePage<R::Exterior>, Offered::OnePlane),
    Menu(ctl::mnuFilePrintExteriorChoose, "&Exterior", ctl::mnuFilePrintPage, Offered::TwoPlanes),
    Item(ctl::mnuFilePrintExteriorOverlaid, "Overlaid", ctl::mnuFilePrintExteriorChoose,
         C::ExteriorOverlaid, &OnePage<R::Exterior>),
    Item(ctl::mnuFilePrintExteriorSideBySide, "Side by Side", ctl::mnuFilePrintExteriorChoose,
         C::ExteriorSideBySide, &ExteriorSideBySide),
    Item(ctl::mnuFilePrintInterior, "&Interior View", ctl::mnuFilePrintPage, C::Interior,
         &OnePage<R::InteriorAndCabin>, Offered::OnePlane),
    Menu(ctl::mnuFilePrintInteriorChoose, "&Interior View", ctl::mnuFilePrintPage,
         Offered::TwoPlanes),
    Item(ctl::mnuFilePrintInteriorOverlaid, "Overlaid", ctl::mnuFilePrintInteriorChoose,
         C::InteriorOverlaid, &OnePage<R::InteriorAndCabin>),
    Item(ctl::mnuFilePrintInteriorSideBySide, "Side by Side", ctl::mnuFilePrintInteriorChoose,
         C::InteriorSideBySide, &InteriorSideBySide),
    Item(ctl::mnuFilePrintBlockFuelTime, "&Block Fuel/Time", ctl::mnuFilePrintPage,
         C::BlockFuelTime, &OnePage<R::BlockFuelTime>),
    Item(ctl::mnuFilePrintBalancedFieldLength, "&Balanced Field Length", ctl::mnuFilePrintPage,
         C::BalancedFieldLength, &OnePage<R::BalancedFieldLength>, Offered::FixedWing),
    Item(ctl::mnuFilePrintTakeoffLanding, "&Takeoff and Landing", ctl::mnuFilePrintPage,
         C::TakeoffLanding,
         [](const JobInputs& in) { return Pages{{PageFor(R::TakeoffLanding, in)}}; }),
    Item(ctl::mnuFilePrintFlightEnvelope, "&Flight Envelope", ctl::mnuFilePrintPage,
         C::FlightEnvelope, &OnePage<R::FlightEnvelope>, Offered::FixedWing),
    Item(ctl::mnuFilePrintPayloadRange, "&Payload Range", ctl::mnuFilePrintPage, C::PayloadRange,
         &OnePage<R::PayloadRange>),
    // The service ceiling page carries the height-velocity and cruise speed charts too.
    Item(ctl::mnuFilePrintServiceCeiling, "&Service Ceiling", ctl::mnuFilePrintPage,
         C::ServiceCeiling, &OnePage<R::ServiceCeiling>, Offered::Helicopter),
    Item(ctl::mnuFilePrintHVCruiseSpeed, "&HV/Cruise Speed", ctl::mnuFilePrintPage,
         C::HVCruiseSpeed, &OnePage<R::ServiceCeiling>, Offered::Helicopter),
    Item(
        ctl::mnuFilePrintWAT, "&WAT", ctl::mnuFilePrintPage, C::WAT,
        [](const JobInputs& in) {
          Pages pages;
          AddWATPages(pages, in);
          return pages;
        },
        Offered::Helicopter),
};

// The items of the commands, in the order of the command enumeration, and their handlers' names.
struct CommandIndex {
  std::vector<const PrintItem*> items;
  std::vector<std::string> handlers;
  CommandIndex() {
    for (const PrintItem& item : kItems) {
      if (!item.command) continue;
      const auto at = static_cast<size_t>(*item.command);
      if (items.size() <= at) items.resize(at + 1, nullptr), handlers.resize(at + 1);
      items[at] = &item;
      handlers[at] = std::string(item.name) + "_Click";
    }
  }
};
const CommandIndex& Commands() {
  static const CommandIndex index;
  return index;
}

}  // namespace

std::span<const PrintItem> PrintItems() { return kItems; }

const PrintItem& ItemOf(PrintCommand command) {
  return *Commands().items.at(static_cast<size_t>(command));
}

const PrintItem* FindPrintItem(std::string_view name) {
  for (const PrintItem& item : kItems)
    if (item.name == name) return &item;
  return nullptr;
}

bool IsOffered(const PrintItem& item, bool helicopters, bool bothPlanes) {
  switch (item.offered) {
    case Offered::Always:
      return true;
    case Offered::FixedWing:
      return !helicopters;
    case Offered::Helicopter:
      return helicopters;
    case Offered::OnePlane:
      return !bothPlanes;
    case Offered::TwoPlanes:
      return bothPlanes;
  }
  return true;
}

std::string_view HandlerName(PrintCommand command) {
  return Commands().handlers.at(static_cast<size_t>(command));
}

std::vector<PageStep> PagesOf(PrintCommand command, const JobInputs& in) {
  const PrintItem& item = ItemOf(command);
  return item.pages ? item.pages(in) : std::vector<PageStep>{};
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
  const JobInputs inputs = jobState().Inputs();
  JobOutcome outcome;
  JobFailures().Run([&] {
    if (command == C::PlotScreen) {
      outcome = PlotScreen(inputs.CurrentTab);
      return;
    }
    vb::Proc g(kHandlerModule, HandlerName(command));
    const std::vector<PageStep> pages = PagesOf(command, inputs);
    const std::optional<ScaleDialogKind> scale = ItemOf(command).scale;
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
