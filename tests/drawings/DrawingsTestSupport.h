#pragma once
// The fixture of the drawing tests: a recording fake of the drawing services, main-window
// hooks that record what they were told, chosen input values and an error trap that records.
#include <gtest/gtest.h>

#include <QApplication>
#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "drawings/CadFunctions.h"
#include "drawings/DxfCadServices.h"
#include "foundation/General.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Trap.h"
#include "support/FakeCadServices.h"

namespace drawingstest {

struct RecordingHooks : CadFunctions::WindowHooks {
  std::vector<std::string> events;
  void SetMenuChecked(std::string_view item, bool checked) override {
    events.push_back("menu " + std::string(item) + " " + (checked ? "1" : "0"));
  }
  void SetToolbarButtonBold(int index, bool bold) override {
    events.push_back("bold " + std::to_string(index) + " " + (bold ? "1" : "0"));
  }
  void SetAircraftVisibleCheck(int index, bool checked) override {
    events.push_back("check " + std::to_string(index) + " " + (checked ? "1" : "0"));
  }
  void SetTabDrawn(int tab, bool drawn) override {
    events.push_back("tabdrawn " + std::to_string(tab) + " " + (drawn ? "1" : "0"));
  }
  void ShowTabNo() override { events.push_back("showtab"); }
  // The "Overlay" option button of each drawing view.
  std::array<bool, 6> overlay{};
  bool OverlaySelected(int view) override { return overlay.at(view); }
};

struct RecordingTraps : vb::TrapHandler {
  std::vector<vb::Error> errors;
  bool HandlingOn() override { return true; }
  void TraceEntry(std::string_view, std::string_view) override {}
  void HandleError(std::string_view, std::string_view, const vb::Error& error) override {
    errors.push_back(error);
  }
};

class Drawings : public ::testing::Test {
 protected:
  CadFunctions::FakeCadServices fake;
  RecordingHooks hooks;
  RecordingTraps traps;
  CadFunctions::DrawingInputs inputs;
  CadFunctions::Vars& v = CadFunctions::vars();

  void SetUp() override {
    vb::ResetProgramState();
    CadFunctions::InstallServices(&fake);
    CadFunctions::InstallWindowHooks(&hooks);
    CadFunctions::SetDrawingInputsSource([this] { return inputs; });
    vb::SetTrapHandler(&traps);
  }
  void TearDown() override { vb::ResetProgramState(); }
};

// Joins group-code/value pairs into DXF text.
inline std::string Groups(std::initializer_list<std::pair<int, std::string>> pairs) {
  std::string out;
  for (const auto& [code, value] : pairs) out += std::to_string(code) + "\n" + value + "\n";
  return out;
}
// A whole DXF file around an ENTITIES body.
inline std::string DxfFile(const std::string& entities) {
  return "0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}
inline std::string Line(const std::string& layer, double x0, double y0, double x1, double y1) {
  return Groups({{0, "LINE"},
                 {8, layer},
                 {10, std::to_string(x0)},
                 {20, std::to_string(y0)},
                 {11, std::to_string(x1)},
                 {21, std::to_string(y1)}});
}
inline std::string Text(const std::string& layer, double x, double y, double height,
                        const std::string& text, const std::string& type = "TEXT") {
  return Groups({{0, type},
                 {8, layer},
                 {10, std::to_string(x)},
                 {20, std::to_string(y)},
                 {40, std::to_string(height)},
                 {1, text}});
}

// Text needs Qt's font database, which needs an application object.
inline void EnsureGuiApp() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "test_drawings";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

// The drawing operations over real drawing controls: CAD(0) and CAD(2) to CAD(5), plain
// controls that are never shown, with the real services installed.
class RealViews : public ::testing::Test {
 protected:
  std::array<std::unique_ptr<dxf::DrawingControl>, 6> controls;
  std::unique_ptr<CadFunctions::DxfCadServices> real;
  RecordingHooks hooks;
  RecordingTraps traps;
  CadFunctions::DrawingInputs inputs;
  CadFunctions::Vars& v = CadFunctions::vars();

  void SetUp() override {
    vb::ResetProgramState();
    CadFunctions::DxfCadServices::Controls handed{};
    for (int view : {0, 2, 3, 4, 5}) {
      controls[view] = std::make_unique<dxf::DrawingControl>();
      handed[view] = controls[view].get();
    }
    real = std::make_unique<CadFunctions::DxfCadServices>(handed);
    CadFunctions::InstallServices(real.get());
    CadFunctions::InstallWindowHooks(&hooks);
    CadFunctions::SetDrawingInputsSource([this] { return inputs; });
    vb::SetTrapHandler(&traps);
  }
  void TearDown() override { vb::ResetProgramState(); }
  dxf::DrawingControl& cad(int view) { return *controls.at(view); }
  bool frozen(int view, std::string_view layer) { return cad(view).Layers().Item(layer).Frozen; }
  int colour(int view, std::string_view layer) { return cad(view).Layers().Item(layer).Color; }
  // The layer names of a view, in position order.
  std::vector<std::string> layerNames(int view) {
    std::vector<std::string> names;
    for (const dxf::Layer& l : cad(view).Layers()) names.push_back(l.Name());
    return names;
  }
};

}  // namespace drawingstest
