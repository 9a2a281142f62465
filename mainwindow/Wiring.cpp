#include "mainwindow/Wiring.h"

#include "charts/Chart.h"
#include "charts/ChartBuilders.h"
#include "drawings/PageDrawing.h"
#include "foundation/ChooseModel.h"
#include "foundation/Globals.h"
#include "foundation/Registry.h"
#include "mainwindow/MainForm.h"

namespace Wiring {

namespace {

using MainForm::vars;

// --- What the logic reads of the main window's state ---

CadFunctions::DrawingInputs ProgramDrawingInputs() {
  const Registry::Settings& s = Registry::RegSettings();
  const MainForm::Vars& v = vars();
  return CadFunctions::DrawingInputs{.Aircraft1 = s.Aircraft1,
                                     .Aircraft2 = s.Aircraft2,
                                     .PlaneColor1 = s.PlaneColor1,
                                     .PlaneColor2 = s.PlaneColor2,
                                     .DimColor = s.DimColor,
                                     .CurrentDrawingTab = v.CurrentDrawingTab,
                                     .InteriorConfig = v.InteriorConfig,
                                     .EMSInteriorAvailable = v.EMSInteriorAvailable,
                                     .UtilityInteriorAvailable = v.UtilityInteriorAvailable};
}

// The page counters of the print job, the WAT charts the pair has and the start-up setting that
// leaves every page to the drawing control.
CadFunctions::PageInputs ProgramPageInputs() {
  const MainForm::Vars& v = vars();
  const Printing::Vars& p = Printing::vars();
  return CadFunctions::PageInputs{.PrintPageNumber = p.PrintPageNumber,
                                  .PrintPageCount = p.PrintPageCount,
                                  .WATAAvailable = v.WATAAvailable,
                                  .WATBAvailable = v.WATBAvailable,
                                  .PrintFromCAD = v.PrintFromCAD};
}

// Preview mode as start-up read it; what a job reads of the window when it starts; the interior
// configuration a page sets for itself.
class ProgramJobState final : public Printing::JobState {
 public:
  bool PlotPreview() override { return vars().PlotPreview; }
  Printing::JobInputs Inputs() override {
    const MainForm::Vars& v = vars();
    return Printing::JobInputs{.AircraftClass = Globals::vars().AircraftClass,
                               .CurrentTab = v.CurrentTab,
                               .EMSInteriorAvailable = v.EMSInteriorAvailable,
                               .UtilityInteriorAvailable = v.UtilityInteriorAvailable,
                               .WATAAvailable = v.WATAAvailable,
                               .WATBAvailable = v.WATBAvailable};
  }
  int32_t InteriorConfig() override { return vars().InteriorConfig; }
  void SetInteriorConfig(int32_t config) override { vars().InteriorConfig = config; }
};

// The selection dialog's effects: the floating toolbar lowered while it is open, the charts' note
// counts, the drawn marks of the tabs.
class ProgramChooseHooks final : public ChooseHooks {
 public:
  void ToolbarFormLoad() override { Toolbar::FormLoad(); }
  void ToolbarFormUnload() override { Toolbar::FormUnload(); }
  // The chart's notes in the one label store are cut to `count` (0: none until the chart looks
  // them up again); the store holds no notes beyond those it has, so a larger count keeps them.
  void SetChartLabelCount(int chart, int count) override {
    if (chart < 1 || chart > Chart::kMaxCharts || count < 0) return;
    std::vector<Chart::ChartLabel>& labels = Chart::vars().ChartLabels[static_cast<size_t>(chart)];
    if (static_cast<size_t>(count) < labels.size()) labels.resize(static_cast<size_t>(count));
  }
  void SetTabDrawn(int tab, bool drawn) override { MainForm::MarkTabDrawn(tab, drawn); }
};

}  // namespace

struct Installed::Own {
  Adapters adapters;
  ProgramJobState jobState;
  ProgramChooseHooks choose;
};

namespace {

Installed::Own* current = nullptr;

// The window's colour dialog and qualifier labels are reached through the wiring in force, so
// that the hook in force can be told for the wiring's.
void ShowColorPicker(Color::PickerModel& model) {
  if (current && current->adapters.colorPicker) current->adapters.colorPicker(model);
}
void ShowQualifier(const std::string& label, const std::string& caption) {
  if (current && current->adapters.chartQualifiers)
    current->adapters.chartQualifiers(label, caption);
}

template <class F, class G>
bool Holds(const std::function<F>& f, G* target) {
  G* const* held = f.template target<G*>();
  return held && *held == target;
}

using Own = Installed::Own;

// One hook of the program: whether the wiring installs it (an adapter given, or always for the
// wiring's own), how, how it goes back to its module's default, whether the module has a hook
// in force, and whether that one is the wiring's.
struct Slot {
  std::string_view name;
  bool own;
  bool (*given)(const Own&);
  void (*install)(Own&);
  void (*remove)();
  bool (*inForce)();
  bool (*wirings)(const Own&);
};

// An adapter that is an object the module keeps a pointer to: installed as given, told by the
// module's pointer.
template <auto Adapter, auto Install, auto InstalledOne>
constexpr Slot AdapterSlot(std::string_view name) {
  return {name,
          false,
          [](const Own& o) { return o.adapters.*Adapter != nullptr; },
          [](Own& o) { Install(o.adapters.*Adapter); },
          [] { Install(nullptr); },
          [] { return InstalledOne() != nullptr; },
          [](const Own& o) { return InstalledOne() == o.adapters.*Adapter; }};
}

// One of the wiring's own objects, kept in Own, that the module keeps a pointer to.
template <auto Object, auto Install, auto InstalledOne>
constexpr Slot OwnSlot(std::string_view name) {
  return {name,
          true,
          [](const Own&) { return true; },
          [](Own& o) { Install(&(o.*Object)); },
          [] { Install(nullptr); },
          [] { return InstalledOne() != nullptr; },
          [](const Own& o) { return InstalledOne() == &(o.*Object); }};
}

// One of the wiring's own functions, set as the module's source of what it reads.
template <auto Function, auto Set, auto Source>
constexpr Slot SourceSlot(std::string_view name) {
  return {name,
          true,
          [](const Own&) { return true; },
          [](Own&) { Set(Function); },
          [] { Set({}); },
          [] { return bool(Source()); },
          [](const Own&) { return Holds(Source(), Function); }};
}

const Slot kSlots[] = {
    AdapterSlot<&Adapters::ui, &ui::Install, &ui::Installed>("ui"),
    AdapterSlot<&Adapters::drawingServices, &CadFunctions::InstallServices,
                &CadFunctions::InstalledServices>("drawing services"),
    AdapterSlot<&Adapters::drawingWindow, &CadFunctions::InstallWindowHooks,
                &CadFunctions::InstalledWindowHooks>("drawing window"),
    AdapterSlot<&Adapters::printingWindow, &Printing::InstallHooks, &Printing::InstalledHooks>(
        "printing window"),
    AdapterSlot<&Adapters::printingDevices, &Printing::InstallDevices, &Printing::InstalledDevices>(
        "printing devices"),
    AdapterSlot<&Adapters::toolbar, &Toolbar::Install, &Toolbar::InstalledWindows>(
        "toolbar windows"),
    {"colour picker", false, [](const Own& o) { return bool(o.adapters.colorPicker); },
     [](Own&) { Color::SetDefaultPicker(&ShowColorPicker); },
     [] { Color::SetDefaultPicker(nullptr); }, [] { return bool(Color::DefaultPicker()); },
     [](const Own&) { return Holds(Color::DefaultPicker(), &ShowColorPicker); }},
    {"chart qualifiers", false, [](const Own& o) { return bool(o.adapters.chartQualifiers); },
     [](Own&) { ChartBuilders::vars().QualifierSink = &ShowQualifier; },
     [] { ChartBuilders::vars().QualifierSink = nullptr; },
     [] { return bool(ChartBuilders::vars().QualifierSink); },
     [](const Own&) { return Holds(ChartBuilders::vars().QualifierSink, &ShowQualifier); }},
    // The wiring's own, over the main window's state.
    OwnSlot<&Own::choose, &InstallChooseHooks, &InstalledChooseHooks>("choose hooks"),
    SourceSlot<&ProgramDrawingInputs, &CadFunctions::SetDrawingInputsSource,
               &CadFunctions::DrawingInputsSource>("drawing inputs"),
    SourceSlot<&ProgramPageInputs, &CadFunctions::SetPageInputsSource,
               &CadFunctions::PageInputsSource>("page inputs"),
    OwnSlot<&Own::jobState, &Printing::InstallJobState, &Printing::InstalledJobState>(
        "print job state"),
};

// The names of the slots that `keep` holds for, in their order.
template <class Keep>
std::vector<std::string_view> NamesOf(Keep keep) {
  std::vector<std::string_view> names;
  for (const Slot& s : kSlots)
    if (keep(s)) names.push_back(s.name);
  return names;
}

}  // namespace

std::vector<std::string_view> ProgramHooks() {
  return NamesOf([](const Slot&) { return true; });
}

std::vector<std::string_view> StateHooks() {
  return NamesOf([](const Slot& s) { return s.own; });
}

std::vector<std::string_view> HooksInForce() {
  return NamesOf([](const Slot& s) { return s.inForce(); });
}

Installed::Installed(Adapters adapters) : own_(std::make_unique<Own>()) {
  own_->adapters = std::move(adapters);
  current = own_.get();
  for (const Slot& s : kSlots) {
    if (!s.given(*own_)) continue;
    s.install(*own_);
    report_.push_back(s.name);
  }
}

// A hook that another has replaced meanwhile is left to it.
Installed::~Installed() {
  for (const Slot& s : kSlots)
    if (s.given(*own_) && s.wirings(*own_)) s.remove();
  if (current == own_.get()) current = nullptr;
}

std::vector<std::string_view> Installed::Replaced() const {
  return NamesOf([this](const Slot& s) { return s.given(*own_) && !s.wirings(*own_); });
}

}  // namespace Wiring
