#pragma once
// What the start-up, shut-down and display-update logic needs of the main window, with no Qt
// in sight: controls are named by their object names ("mnuFilePrintWAT", "optCorp") and the
// label arrays of the label catalogue. frmMain implements it over its widgets; tests record.
#include <cstdint>
#include <string>
#include <string_view>

#include "mainwindow/LabelCatalogue.h"

namespace MainForm {

// The window's outer frame in twips.
struct WindowRect {
  int32_t top = 0, left = 0, width = 0, height = 0;
  bool operator==(const WindowRect&) const = default;
};

class MainView {
 public:
  virtual ~MainView() = default;

  // --- Menus ---
  virtual void SetMenuVisible(std::string_view item, bool visible) noexcept = 0;
  virtual void SetMenuEnabled(std::string_view item, bool enabled) noexcept = 0;
  virtual void SetMenuChecked(std::string_view item, bool checked) noexcept = 0;

  // --- Tabs, frames and panels ---
  // The tab the tab control shows now.
  virtual int SelectedTab() noexcept = 0;
  // Selects a tab without running the tab-click handler.
  virtual void SelectTab(int tab) noexcept = 0;
  virtual void SetTabVisible(int tab, bool visible) = 0;
  // Every tab page framDisplay(i) takes the rectangle of framDisplay(tab).
  virtual void PlaceFramesLike(int tab) noexcept = 0;
  // framScroll(panel): 0 helicopter rows, 1 fixed-wing rows.
  virtual void SetPanelVisible(int panel, bool visible) noexcept = 0;
  // framAircraft(plane - 1) on the aircraft tab.
  virtual void SetAircraftFrameCaption(int plane, const std::string& caption) noexcept = 0;

  // --- Labels of the catalogue ---
  virtual std::string LabelCaption(LabelCatalogue::Arr array, int index) = 0;
  // Sets the caption and redraws the label at once.
  virtual void SetLabelCaption(LabelCatalogue::Arr array, int index, const std::string& text) = 0;
  virtual void SetLabelBackColor(LabelCatalogue::Arr array, int index, int32_t rgb) = 0;
  virtual void SetLabelForeColor(LabelCatalogue::Arr array, int index, int32_t rgb) = 0;

  // --- Option buttons ---
  // Selects an option button; a change of selection runs its click handler.
  virtual void SetOptionValue(std::string_view name, bool value) = 0;
  virtual void SetOptionVisible(std::string_view name, bool visible) = 0;

  // --- The window ---
  virtual WindowRect Geometry() = 0;
  virtual void SetGeometry(const WindowRect& rect) noexcept = 0;
  virtual bool IsMaximized() = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetCaption(const std::string& caption) noexcept = 0;
  virtual void SetTag(const std::string& tag) noexcept = 0;
  virtual std::string Tag() = 0;
  virtual void SetTimerEnabled(bool enabled) noexcept = 0;

  // --- The event loop ---
  virtual void DoEvents() = 0;
  virtual void Delay(float seconds) = 0;

  // --- The splash window ---
  // Creates the splash window hidden, owned by the main window (its load logic runs).
  virtual void CreateSplash() = 0;
  virtual void ShowSplash() = 0;
  virtual void AllowSplashClose() = 0;

  // --- Operations of the window's other parts ---
  // General.ShowTabNo: brings the current tab's page on screen and fills it.
  virtual void ShowTabNo() = 0;
  virtual void ShowToolbar(bool visible) = 0;
  virtual void HookWindow() = 0;
  virtual void UnHookWindow() = 0;
  // The optional colour scheme of INI "FormColor", and the menu colour it changed.
  virtual void ApplyColorScheme() = 0;
  virtual void RestoreMenuColor() = 0;
  // The general tab's scroll bar, set up on every activation.
  virtual void SetUpScrollBar() noexcept = 0;
  // Every form of the program: its controls made invisible, then the form unloaded.
  virtual void UnloadAllForms() = 0;
};

}  // namespace MainForm
