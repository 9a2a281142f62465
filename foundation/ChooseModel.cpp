// The "Choose Aircraft" dialog's logic: categories offered by class, the aircraft of a category
// sorted by full name, at most two chosen, the class fixed by the first choice.
#include "foundation/ChooseModel.h"

#include <algorithm>
#include <string_view>

#include "foundation/Globals.h"
#include "foundation/Registry.h"
#include "platform/runtime/Strings.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Trap.h"
#include "platform/ui/Hooks.h"

namespace {

constexpr std::string_view kModule = "frmChoose";
constexpr std::string_view kHelicopters = "Helicopters";
constexpr std::string_view kJets = "Jets";

ChooseHooks defaultHooks;
ChooseHooks* installedHooks = &defaultHooks;

// Whether an entry of the aircraft list (1 to AircraftCount) has that number.
bool InList(std::string_view acNum) {
  const Globals::Vars& v = Globals::vars();
  const size_t last = std::min(static_cast<size_t>(std::max<int16_t>(v.AircraftCount, 0)),
                               v.AircraftList.size() - 1);
  for (size_t i = 1; i <= last; ++i)
    if (v.AircraftList[i].AcNum == acNum) return true;
  return false;
}

}  // namespace

void InstallChooseHooks(ChooseHooks* hooks) { installedHooks = hooks ? hooks : &defaultHooks; }

namespace {
// The dialog's own hooks, as at start.
void ResetChooseHooks() { InstallChooseHooks(nullptr); }
const vb::StateReset stateReset(vb::ResetOrder::Foundation, &ResetChooseHooks);
}  // namespace

ChooseHooks& chooseHooks() { return *installedHooks; }

ChooseHooks* InstalledChooseHooks() {
  return installedHooks == &defaultHooks ? nullptr : installedHooks;
}

const std::vector<std::string>& ChooseModel::AllCategories() {
  static const std::vector<std::string> categories = {"Jets", "Pistons", "TurboProps",
                                                      "Helicopters"};
  return categories;
}

void ChooseModel::OfferCategories(int aircraftClass) {
  const std::vector<std::string>& all = AllCategories();
  std::vector<std::string>& items = state_.CategoryItems;
  items.clear();
  if (aircraftClass != Globals::Class::Helicopter)
    items.insert(items.end(), all.begin(), all.begin() + 3);
  if (aircraftClass == Globals::Class::Helicopter || aircraftClass == Globals::Class::None)
    items.push_back(all[3]);
}

void ChooseModel::PickCategory(int index) {
  if (index < 0 || index >= static_cast<int>(state_.CategoryItems.size())) return;
  state_.CategoryText = state_.CategoryItems[static_cast<size_t>(index)];
  cmbCategory_Click();
}

void ChooseModel::TypeCategory(std::string text) { state_.CategoryText = std::move(text); }

void ChooseModel::SelectList1(int row) {
  state_.List1Index = row >= 0 && row < static_cast<int>(state_.List1.size()) ? row : -1;
}

void ChooseModel::SelectList2(int row) {
  state_.List2Index = row >= 0 && row < static_cast<int>(state_.List2.size()) ? row : -1;
}

void ChooseModel::Form_Load() {
  vb::Proc g(kModule, "Form_Load");
  State& s = state_;
  g.step([&] { chooseHooks().ToolbarFormLoad(); });
  // (The dialog centres itself on the main window.)
  g.step([&] {
    s.CategoryItems.clear();
    s.CategoryText.clear();
    OfferCategories(Globals::vars().AircraftClass);
  });
  g.step([&] {
    const std::string selected = Globals::vars().CategorySelected;
    for (size_t i = 0; i < s.CategoryItems.size(); ++i)
      if (s.CategoryItems[i] == selected) PickCategory(static_cast<int>(i));
  });
  g.step([&] {
    // A number no longer in the list shows as "N/A" and keeps its number as item data.
    const Registry::Settings& reg = Registry::RegSettings();
    for (const std::string* acNum : {&reg.Aircraft1, &reg.Aircraft2})
      if (!acNum->empty()) s.List2.push_back({Globals::AircraftFullName(*acNum), *acNum});
  });
  g.step([&] {
    s.AddEnabled = s.List2.size() < 2;
    s.RemoveEnabled = !s.List2.empty();
  });
  // Every chart looks its labels up again after the dialog.
  for (int chart = 1; chart <= 16; ++chart)
    g.step([&] { chooseHooks().SetChartLabelCount(chart, 0); });
}

void ChooseModel::Form_Unload() {
  vb::Proc g(kModule, "Form_Unload", vb::Trap::None);
  g.step([&] { chooseHooks().ToolbarFormUnload(); });
}

void ChooseModel::Form_QueryUnload() {
  vb::Proc g(kModule, "Form_QueryUnload", vb::Trap::None);
  g.step([&] {
    if (outcome_ == Outcome::Open) cmdCancel_Click();
  });
}

void ChooseModel::cmbCategory_Click() {
  vb::Proc g(kModule, "cmbCategory_Click");
  State& s = state_;
  g.step([&] { ui::Current().SetHourglass(true); });
  g.step([&] { Globals::vars().CategorySelected = s.CategoryText; });
  g.step([&] {
    s.List1.clear();
    s.List1Index = -1;
  });
  g.step([&] {
    const Globals::Vars& v = Globals::vars();
    const size_t last = std::min(static_cast<size_t>(std::max<int16_t>(v.AircraftCount, 0)),
                                 v.AircraftList.size() - 1);
    std::vector<Line> lines;
    for (size_t i = 1; i <= last && lines.size() < kMaxOffered; ++i) {
      const Globals::AircraftListEntry& e = v.AircraftList[i];
      if (e.Category == s.CategoryText && e.QTZData == -1)
        lines.push_back({vb::LTrim(e.AcMfgName + " " + e.AcName), e.AcNum});
    }
    // By character codes, capitals before small letters, as General::QuickSort orders its
    // texts; aircraft of the same full name keep the order of the list.
    std::stable_sort(lines.begin(), lines.end(),
                     [](const Line& a, const Line& b) { return a.Text < b.Text; });
    s.List1 = std::move(lines);
  });
  g.step([&] { ui::Current().SetHourglass(false); });
}

void ChooseModel::cmdAdd_Click() {
  vb::Proc g(kModule, "cmdAdd_Click", vb::Trap::None);
  g.step([&] { MoveItems(); });
}

void ChooseModel::List1_DblClick() {
  vb::Proc g(kModule, "List1_DblClick", vb::Trap::None);
  g.step([&] { MoveItems(); });
}

void ChooseModel::MoveItems() {
  vb::Proc g(kModule, "MoveItems");
  State& s = state_;
  g.step([&] {
    const int row = s.List1Index;
    if (s.List2.size() < 2 && row >= 0 && row < static_cast<int>(s.List1.size())) {
      s.List2.push_back(s.List1[static_cast<size_t>(row)]);
      s.List1.erase(s.List1.begin() + row);
      s.List1Index = -1;
    }
  });
  g.step([&] { s.AddEnabled = s.List2.size() < 2; });
  g.step([&] {
    if (s.List2.empty()) {
      s.RemoveEnabled = false;
      return;
    }
    s.RemoveEnabled = true;
    // The class follows the chosen aircraft's own category (the newest line first, which is
    // the one just added), not the box's text, which the user may have typed over. Only when
    // no chosen aircraft is in the list any more does the box's text decide.
    std::string category = s.CategoryText;
    for (auto line = s.List2.rbegin(); line != s.List2.rend(); ++line) {
      if (InList(line->AcNum)) {
        category = Globals::AircraftCategory(line->AcNum);
        break;
      }
    }
    const int16_t aircraftClass = Globals::ClassOfCategory(category);
    Globals::vars().AircraftClass = aircraftClass;
    OfferCategories(aircraftClass);
    // List1 is not refilled: it keeps the rest of the category it shows.
    s.CategoryText = aircraftClass == Globals::Class::Helicopter ? kHelicopters : kJets;
  });
}

void ChooseModel::cmdRemove_Click() {
  vb::Proc g(kModule, "cmdRemove_Click");
  State& s = state_;
  g.step([&] {
    const int row = s.List2Index;
    if (row >= 0 && row < static_cast<int>(s.List2.size())) {
      s.List2.erase(s.List2.begin() + row);
      s.List2Index = -1;
    }
  });
  g.step([&] {
    if (!s.List2.empty()) {
      s.RemoveEnabled = true;
      return;
    }
    s.RemoveEnabled = false;
    Globals::vars().AircraftClass = Globals::Class::None;
    OfferCategories(0);
    s.CategoryText = kJets;
    cmbCategory_Click();
  });
  // Two aircraft still chosen (nothing was selected) keep Add disabled.
  g.step([&] { s.AddEnabled = s.List2.size() < 2; });
}

void ChooseModel::List2_DblClick() {
  vb::Proc g(kModule, "List2_DblClick", vb::Trap::None);
  g.step([&] { cmdRemove_Click(); });
}

void ChooseModel::cmdOK_Click() {
  vb::Proc g(kModule, "cmdOK_Click", vb::Trap::None);
  g.step([&] {
    // A line whose aircraft is no longer in the list stores "0000".
    auto number = [&](size_t line) -> std::string {
      if (line >= state_.List2.size()) return "";
      const std::string& acNum = state_.List2[line].AcNum;
      return InList(acNum) ? acNum : "0000";
    };
    Registry::Settings& reg = Registry::RegSettings();
    reg.Aircraft1 = number(0);
    reg.Aircraft2 = number(1);
  });
  // Every drawing tab is rebuilt for the new pair.
  for (int tab = Globals::Tab::FirstDrawing; tab <= Globals::Tab::LastDrawing; ++tab)
    g.step([&] { chooseHooks().SetTabDrawn(tab, false); });
  outcome_ = Outcome::OK;
}

void ChooseModel::cmdCancel_Click() {
  vb::Proc g(kModule, "cmdCancel_Click", vb::Trap::None);
  g.step([&] {
    const std::string& plane1 = Registry::RegSettings().Aircraft1;
    Globals::vars().AircraftClass =
        plane1.empty() ? Globals::Class::None
                       : Globals::ClassOfCategory(Globals::AircraftCategory(plane1));
  });
  outcome_ = Outcome::Cancel;
}
