#pragma once
// Start-up, first activation and shut-down of the main window (frmMain.Form_Load,
// DoInitialization, LoadDelay, Form_Activate, Form_Unload), in the order the program has
// always followed. The window itself is reached through MainView, the databases through
// AircraftData, so the whole sequence runs in tests without a display.
#include <cstdint>
#include <span>
#include <string_view>

#include "mainwindow/AircraftData.h"
#include "mainwindow/MainView.h"
#include "platform/runtime/Trap.h"

namespace MainForm {

class Startup {
 public:
  Startup(MainView& view, AircraftData& data) : view_(view), data_(data) {}

  // The start-up sequence: working folder, locale, INI settings, databases and the aircraft
  // list, tabs, trace settings, banner, splash, registry settings and placement, drawing
  // cache, caption, wheel hook and the optional colour scheme.
  void FormLoad();
  // Settings record, fresh start, window placement; hides the window until start-up ends.
  void DoInitialization();
  // Lets the clock move on, then allows the splash window to close.
  void LoadDelay();
  // Every activation; the first one also finishes start-up.
  void FormActivate();
  // Shut-down: placement and settings saved, INI aircraft written, every form unloaded, hook
  // removed, "Program End". Runs once; a second call does nothing.
  void FormUnload();

  bool FirstActivationDone() const { return firstActivationDone_; }
  bool Unloaded() const { return unloaded_; }

 private:
  // One step of start-up or shut-down: its name in the trace and the error report, and what it
  // does.
  struct Step {
    std::string_view name;
    void (*run)(Startup&);
  };
  // Runs the steps in order, each under a guard of its own with `trap`.
  void RunSteps(std::span<const Step> steps, vb::Trap trap);

  MainView& view_;
  AircraftData& data_;
  bool firstActivationDone_ = false;
  bool unloaded_ = false;
};

// AircraftClass for an aircraft as Plane 1: none without one, helicopter by its category.
int16_t ClassOfAircraft(const std::string& acNum);

}  // namespace MainForm
