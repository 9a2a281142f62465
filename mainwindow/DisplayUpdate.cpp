#include "mainwindow/DisplayUpdate.h"

#include <utility>

#include "drawings/CadFunctions.h"
#include "foundation/DBase.h"
#include "foundation/General.h"
#include "foundation/Globals.h"
#include "foundation/Registry.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/MainForm.h"
#include "platform/runtime/Trap.h"
#include "printing/PrintCommands.h"

namespace MainForm {

namespace {

using LabelCatalogue::Arr;

bool updating = false;
bool updateAgain = false;

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  if (from.empty()) return;
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

// The print items the pair is offered: those of its class, and with both aircraft chosen the
// twins that ask overlaid or side by side in place of the items that print one aircraft.
void OfferPrintItems(MainView& view) noexcept {
  const Registry::Settings& reg = Registry::RegSettings();
  const bool helicopters = Globals::vars().AircraftClass == Class::Helicopter;
  const bool both = !reg.Aircraft1.empty() && !reg.Aircraft2.empty();
  for (const Printing::PrintItem& item : Printing::PrintItems())
    view.SetMenuVisible(item.name, Printing::IsOffered(item, helicopters, both));
}

void ShowClassTabs(MainView& view, bool helicopter) {
  // Tabs 7 to 13: balanced field and flight envelope for fixed-wing aircraft only, service
  // ceiling, HV/cruise and WAT for helicopters only.
  static constexpr bool kHelicopter[] = {false, true, false, true, true, true, true};
  static constexpr bool kFixedWing[] = {true, true, true, true, false, false, false};
  for (int tab = 7; tab <= 13; ++tab)
    view.SetTabVisible(tab, helicopter ? kHelicopter[tab - 7] : kFixedWing[tab - 7]);
}

void HelicopterBranch(vb::Proc& g, MainView& view, AircraftData& data) {
  Vars& v = vars();
  const Registry::Settings& reg = Registry::RegSettings();
  g.step([&] { ShowClassTabs(view, true); });

  v.EMSInteriorAvailable = false;
  v.UtilityInteriorAvailable = false;
  for (const std::string* acNum : {&reg.Aircraft1, &reg.Aircraft2}) {
    if (acNum->empty()) continue;
    g.step([&] {
      const AircraftData::Interiors found = data.InteriorVariants(*acNum);
      if (found.ems) v.EMSInteriorAvailable = true;
      if (found.utility) v.UtilityInteriorAvailable = true;
    });
  }
  v.InteriorConfig = 1;
  g.step([&] { view.SetOptionValue(ctl::optCorp, true); });

  v.WATAAvailable = false;
  v.WATBAvailable = false;
  for (const std::string* acNum : {&reg.Aircraft1, &reg.Aircraft2}) {
    if (acNum->empty()) continue;
    g.step([&] {
      // Exact comparison: a category that differs in letter case or blanks does not count.
      for (const std::string& cat : data.WatCategories(*acNum)) {
        if (cat == "WAT A") v.WATAAvailable = true;
        if (cat == "WAT B") v.WATBAvailable = true;
      }
    });
  }
  if (v.WATAAvailable && !v.WATBAvailable) {
    Globals::vars().WATChart = 1;
    g.step([&] { view.SetOptionValue(ctl::optWATA, true); });
  } else {
    Globals::vars().WATChart = 2;
    g.step([&] { view.SetOptionValue(ctl::optWATB, true); });
  }
  view.SetPanelVisible(0, true);
  view.SetPanelVisible(1, false);
}

void FixedWingBranch(vb::Proc& g, MainView& view) {
  Vars& v = vars();
  g.step([&] { ShowClassTabs(view, false); });
  v.EMSInteriorAvailable = false;
  v.UtilityInteriorAvailable = false;
  v.WATAAvailable = false;
  v.WATBAvailable = false;
  g.step([&] {
    view.SetOptionVisible(ctl::optCorp, false);
    view.SetOptionVisible(ctl::optEMS, false);
    view.SetOptionVisible(ctl::optUtil, false);
  });
  v.InteriorConfig = 1;
  view.SetPanelVisible(0, false);
  view.SetPanelVisible(1, true);
}

void UnitCaptions(vb::Proc& g, MainView& view) {
  const bool metric = DBase::vars().MetricUnits;
  for (Arr array : {Arr::gen0Units, Arr::gen1Units})
    for (const LabelCatalogue::LabelDef* label : LabelCatalogue::Members(array)) {
      if (label->tag.empty()) continue;
      g.step([&] {
        view.SetLabelCaption(array, label->index,
                             UnitCaption(label->tag, LabelCatalogue::IsPaddedUnit(*label), metric));
      });
    }
}

// A label whose Tag is a field spec shows what the spec yields, also when that is empty, so a
// value of the previous aircraft never stays beside the new one. Separators (empty Tag) and
// colour swatches (Tag "Color") are not touched.
bool ShowsData(const LabelCatalogue::LabelDef& label) {
  return !label.tag.empty() && label.tag != "Color";
}

void PlaneLabels(vb::Proc& g, MainView& view, AircraftData& data, int plane,
                 const std::string& acNum) {
  const Arr arrays[3] = {plane == 1 ? Arr::lblData1 : Arr::lblData2,
                         plane == 1 ? Arr::gen0Data1 : Arr::gen0Data2,
                         plane == 1 ? Arr::gen1Data1 : Arr::gen1Data2};
  if (acNum.empty()) {
    view.SetAircraftFrameCaption(plane, "");
    for (Arr array : arrays)
      for (const LabelCatalogue::LabelDef* label : LabelCatalogue::Members(array))
        g.step([&] { view.SetLabelCaption(array, label->index, ""); });
    return;
  }
  g.step([&] { view.Delay(0.1f); });
  const bool opened = g.step([&] { data.Open(acNum); });
  g.step([&] { view.SetAircraftFrameCaption(plane, Globals::AircraftFullName(acNum)); });
  for (Arr array : arrays)
    for (const LabelCatalogue::LabelDef* label : LabelCatalogue::Members(array)) {
      if (!ShowsData(*label)) continue;
      // Without the record every spec would fail alike: the failed open has been reported
      // once, and the labels are emptied rather than reported one by one.
      std::string text;
      if (opened) g.step([&] { text = data.DisplayValue(label->tag); });
      g.step([&] { view.SetLabelCaption(array, label->index, text); });
    }
  if (opened) g.step([&] { data.Close(); });
}

void UpdateOnce(MainView& view, AircraftData& data) {
  vb::Proc g(kModule, "UpdateDisplay");
  const Registry::Settings& reg = Registry::RegSettings();
  if (Globals::vars().AircraftClass == Class::Helicopter)
    HelicopterBranch(g, view, data);
  else
    FixedWingBranch(g, view);
  g.step([&] { CadFunctions::InitDwgs(); });
  g.step([&] { CadFunctions::UpdateDims(); });
  UnitCaptions(g, view);
  const std::string plane1 = reg.Aircraft1, plane2 = reg.Aircraft2;
  PlaneLabels(g, view, data, 1, plane1);
  PlaneLabels(g, view, data, 2, plane2);
  OfferPrintItems(view);
  g.step([&] { view.ShowTabNo(); });
}

}  // namespace

std::string UnitCaption(std::string_view tag, bool padded, bool metric) {
  std::string t(tag);
  if (padded) {
    std::string text = metric ? General::MetricString(t) : t;
    if (text.size() < 15) text = std::string(15 - text.size(), '_') + text;
    return text;
  }
  if (metric && t.find('<') != std::string::npos) {
    const size_t p = t.find('<');
    const size_t q = t.find('>');
    if (q != std::string::npos && q > p) {
      const std::string unit = t.substr(p + 1, q - p - 1);
      ReplaceAll(t, "<" + unit + ">", General::MetricString(unit));
      return t;
    }
  }
  std::erase(t, '<');
  std::erase(t, '>');
  return t;
}

void UpdateDisplay(MainView& view, AircraftData& data) {
  if (updating) {
    updateAgain = true;
    return;
  }
  updating = true;
  struct Reset {
    ~Reset() { updating = false; }
  } reset;
  do {
    updateAgain = false;
    // A failure that repeats unchanged, in this update or since the last update without
    // failures, is reported once.
    vars().DisplayFailures.Run([&] { UpdateOnce(view, data); });
  } while (updateAgain);
}

}  // namespace MainForm
