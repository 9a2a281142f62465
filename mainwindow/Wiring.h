#pragma once
// The program's wiring: every process-wide hook the logic calls through, installed in one place.
// The main window gives its adapters, what it carries out on screen for the logic; the wiring adds
// what the logic reads of the program's state and sets in it: the drawing and page inputs, the
// print job's state and the selection dialog's hooks, all over the main window's state
// (MainForm, Globals, Registry, Printing). The window and the test fixtures make the same call,
// so the tests run what ships; a fixture gives fakes for the adapters it has, and leaves out those
// of a window it does not have.
//
// It lives with the window's logic (no Qt Widgets): the window's Qt adapters call it, and so can
// the tests of printing, which the window's logic sits above.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "drawings/CadServices.h"
#include "mainwindow/ColorPicker.h"
#include "mainwindow/ToolbarModule.h"
#include "platform/ui/Hooks.h"
#include "printing/Printing.h"

namespace Wiring {

// What the main window carries out for the logic. An adapter left out (nullptr, empty) leaves that
// hook to its module's default.
struct Adapters {
  // The status bar, message boxes, the hourglass and the event pump.
  ui::Hooks* ui = nullptr;
  // The drawing controls CAD(0) to CAD(5).
  CadFunctions::Services* drawingServices = nullptr;
  // The menu checks, toolbar buttons and check boxes the drawing operations set; ShowTabNo.
  CadFunctions::WindowHooks* drawingWindow = nullptr;
  // What a print job does to the window (the toolbar lowered, input held while it runs).
  Printing::Hooks* printingWindow = nullptr;
  // The printer, its dialog, the preview window and the scale dialogs.
  Printing::Devices* printingDevices = nullptr;
  // The docked strip and the floating toolbar.
  Toolbar::Windows* toolbar = nullptr;
  // The colour dialog.
  Color::PickerRunner colorPicker{};
  // A chart's qualifier, shown by the label of that name.
  std::function<void(const std::string& label, const std::string& caption)> chartQualifiers{};
};

// Every hook of the program by name, in the order installed: the adapters', then the wiring's own.
std::vector<std::string_view> ProgramHooks();
// The wiring's own: installed whatever adapters are given.
std::vector<std::string_view> StateHooks();
// The hooks not at their module's default now, by name, in the order of ProgramHooks().
std::vector<std::string_view> HooksInForce();

// The wiring in force: installs on construction, and on destruction puts every hook it installed
// and that is still its own back to its module's default. One at a time (a second one replaces
// the first).
class Installed {
 public:
  explicit Installed(Adapters adapters);
  ~Installed();
  Installed(const Installed&) = delete;
  Installed& operator=(const Installed&) = delete;

  // What it installed, by name, in the order of ProgramHooks().
  const std::vector<std::string_view>& Report() const { return report_; }
  // Those of them whose module has another hook in force now (installed over the wiring's).
  std::vector<std::string_view> Replaced() const;

  struct Own;

 private:
  std::unique_ptr<Own> own_;
  std::vector<std::string_view> report_;
};

}  // namespace Wiring
