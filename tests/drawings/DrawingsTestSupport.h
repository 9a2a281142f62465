#pragma once
// The fixture of the drawing tests: a recording fake of the drawing services, main-window
// hooks that record what they were told, chosen input values and an error trap that records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawings/CadFunctions.h"
#include "drawings/FakeCadServices.h"
#include "foundation/General.h"
#include "platform/runtime/Trap.h"

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
    CadFunctions::resetForTest();
    CadFunctions::InstallServices(&fake);
    CadFunctions::InstallWindowHooks(&hooks);
    CadFunctions::SetDrawingInputsSource([this] { return inputs; });
    vb::SetTrapHandler(&traps);
  }
  void TearDown() override {
    CadFunctions::resetForTest();
    General::InstallTraps();
  }
};

}  // namespace drawingstest
