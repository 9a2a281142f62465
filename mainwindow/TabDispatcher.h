#pragma once
// Tab switching and the tab display dispatcher (General.ShowTabNo) of the main window.
//
// ShowTabNo brings the page of the current tab on screen and fills it: a drawing tab is
// composed into its view once (until its TabDrawn flag is cleared) and then only redrawn; a
// chart tab runs the builders of its charts, in the order of the chart-picture table, every
// time. TabStripClick is the tab control's click. No Qt here: the window is reached through
// TabWindow, the drawing views through the drawing services, and the composition through
// CompositionControls and CompositionOptions.
#include <functional>
#include <string_view>

#include "charts/ChartHover.h"
#include "drawings/DrawingTabs.h"

namespace MainForm {

class TabWindow {
 public:
  virtual ~TabWindow() = default;
  // --- Tab switching ---
  // The tab the tab control shows now.
  virtual int SelectedTab() noexcept = 0;
  // Selects a tab without running the tab-click handler.
  virtual void SelectTab(int tab) noexcept = 0;
  // Shows or hides a tab of the tab control without running the tab-click handler.
  virtual void SetTabShown(int tab, bool shown) noexcept = 0;
  // The busy pointer over the tab control while a switch runs.
  virtual void SetBusyPointer(bool busy) noexcept = 0;
  virtual void SetMenuEnabled(std::string_view item, bool enabled) noexcept = 0;
  // frmMain.UpdateDisplay, which ends by showing the current tab.
  virtual void UpdateDisplay() = 0;

  // --- The dispatcher ---
  // framDisplay(tab): Visible and Enabled.
  virtual void SetPageShown(int tab, bool shown) noexcept = 0;
  // stcAssumption(tab) hidden.
  virtual void HideAssumption(int tab) noexcept = 0;
  virtual void SetOptionVisible(std::string_view name, bool visible) = 0;
  // Runs chart `chartNumber`'s builder on `picture` with (picture, true, 0, 0, 100, 100): the
  // chart read from the database over the whole picture.
  virtual void BuildChart(const ChartHover::PictureInfo& picture, int chartNumber) = 0;
};

class TabDispatcher {
 public:
  TabDispatcher(TabWindow& window, CompositionControls& controls, CompositionOptions& options)
      : window_(window), controls_(controls), options_(options) {}

  // General.ShowTabNo, on CurrentTab. Safe to call from inside itself (the plane toggles call
  // it back while a drawing tab is composed): the tab is marked drawn before they run, so the
  // nested call only shows the page and redraws.
  void ShowTabNo();

  // The tab control's click: the selected tab made current (and the current drawing tab when it
  // is one), Plot Screen and Export enabled only on drawing tabs, the chart labels to be read
  // again, then the display update; under the busy pointer.
  void TabStripClick();

  // Shows or hides one tab. Hiding the current tab makes tab 0 current and selected, without
  // running the display update from inside the one that hides it: the caller shows the tab
  // (the display update ends with ShowTabNo).
  void SetTabVisible(int tab, bool visible);

 private:
  TabWindow& window_;
  CompositionControls& controls_;
  CompositionOptions& options_;
};

// Tab 2 to 5.
bool IsDrawingTab(int tab);
// Plot Screen (each print item that prints the drawing view shown) and Export act on a drawing
// view: enabled with tab `tab` current exactly when it is a drawing tab. `setEnabled` is the
// window's SetMenuEnabled.
void EnableDrawingCommands(int tab, const std::function<void(std::string_view, bool)>& setEnabled);

// The tab a keyboard step leads to from `current` among `count` tabs: the nearest tab in
// `direction` (+1 the next, -1 the previous) that `selectable` allows; the tabs the class does
// not offer are passed over. Past the last (or before the first) selectable tab the step goes
// round to the other end when `wrap` holds, else it stays on `current`.
int StepToTab(int current, int direction, bool wrap, int count,
              const std::function<bool(int)>& selectable);

// Every chart reads its notes and labels from the database again when it is next drawn (a new
// tab, a new pair or a plane shown or hidden).
void ClearChartLabels();

}  // namespace MainForm
