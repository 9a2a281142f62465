// Tab switching and the tab display dispatcher.
#include "mainwindow/TabDispatcher.h"

#include "charts/Chart.h"
#include "drawings/CadFunctions.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/MainForm.h"
#include "platform/runtime/Trap.h"
#include "printing/PrintCommands.h"

namespace MainForm {

namespace {

// The busy pointer for as long as a switch runs, also when a step fails.
class BusyPointer {
 public:
  explicit BusyPointer(TabWindow& w) : w_(w) { w_.SetBusyPointer(true); }
  ~BusyPointer() { w_.SetBusyPointer(false); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  TabWindow& w_;
};

}  // namespace

bool IsDrawingTab(int tab) { return tab >= Tab::Top && tab <= Tab::Interior; }

void EnableDrawingCommands(int tab, const std::function<void(std::string_view, bool)>& setEnabled) {
  const bool drawing = IsDrawingTab(tab);
  for (const Printing::PrintItem& item : Printing::PrintItems())
    if (item.enabled == Printing::Enabled::OnDrawingTabs) setEnabled(item.name, drawing);
  setEnabled(ctl::mnuFileExport, drawing);
}

int StepToTab(int current, int direction, bool wrap, int count,
              const std::function<bool(int)>& selectable) {
  if (direction == 0) return current;
  const int step = direction > 0 ? 1 : -1;
  for (int tried = 1; tried < count; ++tried) {
    int tab = current + step * tried;
    if (wrap)
      tab = (tab % count + count) % count;
    else if (tab < 0 || tab >= count)
      break;
    if (selectable(tab)) return tab;
  }
  return current;
}

void ClearChartLabels() {
  for (int chart = 1; chart <= 16; ++chart)
    Chart::vars().ChartLabelsLoaded[static_cast<size_t>(chart)] = false;
}

void TabDispatcher::ShowTabNo() {
  vb::Proc g("General", "ShowTabNo");
  Vars& v = vars();
  const int tab = v.CurrentTab;
  // The hidden print picture keeps its image by itself (a QImage); nothing to switch on.
  for (int i = 0; i < kTabCount; ++i) window_.SetPageShown(i, i == tab);
  if (tab >= Tab::BlockFuel && tab < kTabCount) window_.HideAssumption(tab);
  if (IsDrawingTab(tab) && !v.TabDrawn[static_cast<size_t>(tab)]) {
    g.step([&] { ComposeDrawingTab(tab, controls_, options_); });
  }
  if (tab >= Tab::BlockFuel && tab < kTabCount) {
    if (tab == Tab::WAT) {
      // Shown when the pair has the chart; never hidden here.
      if (v.WATAAvailable) g.step([&] { window_.SetOptionVisible(ctl::optWATA, true); });
      if (v.WATBAvailable) g.step([&] { window_.SetOptionVisible(ctl::optWATB, true); });
    }
    // The pictures of the tab in table order; the chart of a picture follows the class (the
    // helicopters' landing charts on tab 8).
    for (const ChartHover::PictureInfo& picture : ChartHover::Pictures()) {
      if (picture.tab != tab) continue;
      g.step([&] { window_.BuildChart(picture, Chart::ChartNumberFromPicture(picture.picture)); });
    }
  }
  if (IsDrawingTab(tab)) {
    g.step([&] { CadFunctions::services().Redraw(tab); });
  }
}

void TabDispatcher::TabStripClick() {
  vb::Proc g(kModule, "TabStrip_Click");
  Vars& v = vars();
  BusyPointer busy(window_);
  v.CurrentTab = window_.SelectedTab();
  const bool drawing = IsDrawingTab(v.CurrentTab);
  EnableDrawingCommands(v.CurrentTab, [this](std::string_view item, bool enabled) {
    window_.SetMenuEnabled(item, enabled);
  });
  // Leaving a drawing tab keeps the last one: the drawing commands go on acting on its view.
  if (drawing) v.CurrentDrawingTab = v.CurrentTab;
  ClearChartLabels();
  g.step([&] { window_.UpdateDisplay(); });
}

void TabDispatcher::SetTabVisible(int tab, bool visible) {
  vb::Proc entry(kModule, "SetTabVisible");
  window_.SetTabShown(tab, visible);
  Vars& v = vars();
  if (visible || tab != v.CurrentTab || tab == Tab::Aircraft) return;
  v.CurrentTab = Tab::Aircraft;
  window_.SelectTab(Tab::Aircraft);
  EnableDrawingCommands(Tab::Aircraft, [this](std::string_view item, bool enabled) {
    window_.SetMenuEnabled(item, enabled);
  });
}

}  // namespace MainForm
