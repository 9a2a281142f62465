#pragma once
// The fixture of the tab dispatcher and drawing-tab tests: a fresh program folder with a DXF
// cache, the recording drawing services, a recording drawing control that gives each cached
// drawing the extents a test chooses, the option buttons of the drawing tabs as at start, and
// an error trap that records.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "drawings/CadFunctions.h"
#include "drawings/DrawingTabs.h"
#include "foundation/General.h"
#include "foundation/Globals.h"
#include "foundation/Registry.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Wiring.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Trap.h"
#include "support/FakeCadServices.h"
#include "support/TestSupport.h"

namespace mwtest {

inline std::string Num(double v) { return vb::NumberText(v); }

// Load, merge and completion calls go into the drawing services' call list, so that their order
// against the layer calls can be followed.
struct RecordingControls : MainForm::CompositionControls {
  explicit RecordingControls(CadFunctions::FakeCadServices& f) : fake(f) {}
  CadFunctions::FakeCadServices& fake;
  // The extents each cached file has once loaded, by file name ("101Top.dxf").
  std::map<std::string, CadFunctions::Extents> extents;

  static std::string Name(const std::string& file) {
    return std::filesystem::path(file).filename().string();
  }
  void LoadDrawingFile(int view, const std::string& file) override {
    fake.calls.push_back({"Load", std::to_string(view) + "," + Name(file)});
    auto& entities = fake.views[view].entities;
    entities.clear();
    auto found = extents.find(Name(file));
    if (found == extents.end() || found->second.empty) return;
    const CadFunctions::Extents& e = found->second;
    entities.push_back({"PLANE1", "POINT", e.minX, e.minY, {}});
    entities.push_back({"PLANE1", "POINT", e.maxX, e.maxY, {}});
  }
  // A merge adds the file's two corner points on the view's current layer (unplaced: only
  // their being there counts).
  void Add(int view, const std::string& file) {
    auto found = extents.find(Name(file));
    if (found == extents.end() || found->second.empty) return;
    const CadFunctions::Extents& e = found->second;
    auto& v = fake.views[view];
    v.entities.push_back({v.currentLayer, "POINT", e.minX, e.minY, {}});
    v.entities.push_back({v.currentLayer, "POINT", e.maxX, e.maxY, {}});
  }
  void MergeDrawingFile(int view, const std::string& file) override {
    fake.calls.push_back({"Merge", std::to_string(view) + "," + Name(file)});
    Add(view, file);
  }
  void MergeDrawingFile(int view, const std::string& file, float r, float sx, float sy, float x,
                        float y) override {
    fake.calls.push_back({"Merge", std::to_string(view) + "," + Name(file) + "," + Num(r) + "," +
                                       Num(sx) + "," + Num(sy) + "," + Num(x) + "," + Num(y)});
    Add(view, file);
  }
  void CompleteDrawing(int view) override {
    fake.calls.push_back({"CompleteDrawing", std::to_string(view)});
  }
};

struct FakeOptions : MainForm::CompositionOptions {
  // As the window starts: side by side on every drawing tab, the cross sections, corporate.
  std::set<std::string, std::less<>> selected = {
      "optSideOverlay_1", "optSideOverlay_3", "optSideOverlay_5", "optSideOverlay_7",
      "optCabin",         "optHeliCabin",     "optCorp"};
  std::map<std::string, bool, std::less<>> visible;
  bool OptionSelected(std::string_view name) override { return selected.count(name) > 0; }
  void SetOptionVisible(std::string_view name, bool v) override { visible[std::string(name)] = v; }
  void SetFrameVisible(std::string_view name, bool v) override { visible[std::string(name)] = v; }
  // Selects one button of a group, as a click does.
  void Select(std::string_view name, std::initializer_list<std::string_view> group) {
    for (std::string_view other : group) selected.erase(std::string(other));
    selected.insert(std::string(name));
  }
  void Overlay(int tab) {
    const int side = MainForm::SideBySideButton(tab);
    selected.erase("optSideOverlay_" + std::to_string(side));
    selected.insert("optSideOverlay_" + std::to_string(side - 1));
  }
};

struct RecordingTraps : vb::TrapHandler {
  std::vector<vb::Error> errors;
  bool HandlingOn() override { return true; }
  void TraceEntry(std::string_view, std::string_view) override {}
  void HandleError(std::string_view, std::string_view, const vb::Error& e) override {
    errors.push_back(e);
  }
};

// The window side of the drawing operations: records the check boxes, keeps the drawn marks,
// calls the tab display back and answers from the option buttons, as the main window does.
struct RecordingWindowHooks : CadFunctions::WindowHooks {
  explicit RecordingWindowHooks(MainForm::CompositionOptions& o) : options(o) {}
  MainForm::CompositionOptions& options;
  std::vector<std::string> events;
  std::function<void()> showTab;
  bool OverlaySelected(int view) override { return MainForm::OverlaySelected(options, view); }
  void SetTabDrawn(int tab, bool drawn) override {
    MainForm::vars().TabDrawn.at(static_cast<size_t>(tab)) = drawn;
  }
  void SetAircraftVisibleCheck(int index, bool checked) override {
    events.push_back("check " + std::to_string(index) + " " + (checked ? "1" : "0"));
  }
  void ShowTabNo() override {
    events.push_back("showtab");
    if (showTab) showTab();
  }
};

class CompositionTest : public ::testing::Test {
 protected:
  testsupport::TempDir dir;
  CadFunctions::FakeCadServices fake;
  RecordingControls controls{fake};
  FakeOptions options;
  RecordingTraps traps;
  RecordingWindowHooks hooks{options};
  // The program's wiring over the fakes: what the composition reads of the program (the pair,
  // the current drawing tab, the interior choices) comes from the settings and the window's
  // state, as in the program.
  std::unique_ptr<Wiring::Installed> wiring;

  void SetUp() override {
    vb::ResetProgramState();
    vb::SetProgramFolder(dir.path());
    General::vars().IniFileName = (dir / "Tolvane.ini").string();
    wiring = std::make_unique<Wiring::Installed>(
        Wiring::Adapters{.drawingServices = &fake, .drawingWindow = &hooks});
    vb::SetTrapHandler(&traps);
    Registry::RegSettings().Aircraft1 = "101";
    Registry::RegSettings().Aircraft2 = "102";
    Globals::vars().AircraftClass = MainForm::Class::FixedWing;
    // The first activation.
    auto& cv = CadFunctions::vars();
    cv.ShowPlane1 = cv.ShowPlane2 = cv.ShowDims = true;
    std::filesystem::create_directories(dir / "DXF");
  }
  void TearDown() override {
    wiring.reset();
    vb::ResetProgramState();
  }

  // A cached view drawing of an aircraft, with the extents the recording control gives it.
  void Cache(const std::string& acNum, const std::string& view, CadFunctions::Extents e = {}) {
    const std::string name = acNum + view + ".dxf";
    std::ofstream(dir / "DXF" / name) << "0\nEOF\n";
    controls.extents[name] = e;
  }
  static CadFunctions::Extents Box(double minX, double maxX, double minY, double maxY) {
    return {false, minX, maxX, minY, maxY};
  }

  // The calls of the given operations, as "op args", in order.
  std::vector<std::string> Calls(std::initializer_list<std::string_view> ops) const {
    std::vector<std::string> out;
    for (const auto& c : fake.calls) {
      for (std::string_view op : ops) {
        if (c.op == op) out.push_back(c.op + " " + c.args);
      }
    }
    return out;
  }
  std::vector<std::string> Merges() const { return Calls({"Merge"}); }
  std::vector<std::string> Loads() const { return Calls({"Load"}); }
};

}  // namespace mwtest
