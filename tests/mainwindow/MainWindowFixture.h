#pragma once
// A fresh run of the program for each test: a temporary program folder with its INI file and
// registry store, every module's state reset, fake hooks and a clock that moves on by itself.
#include <gtest/gtest.h>

#include "drawings/CadFunctions.h"
#include "foundation/DBase.h"
#include "foundation/General.h"
#include "foundation/Globals.h"
#include "foundation/Registry.h"
#include "mainwindow/MainForm.h"
#include "platform/registry/WinReg.h"
#include "platform/runtime/StateReset.h"
#include "platform/ui/FakeHooks.h"
#include "support/Fixtures.h"

namespace mwtest {

class MainWindowTest : public ::testing::Test {
 protected:
  testsupport::TempDir dir;
  ui::ScopedFakeHooks hooks;
  testsupport::FakeClock clock;

  void SetUp() override {
    clock.step = 0.25f;
    vb::ResetProgramState();
    reg::SetStoreFile(dir / "registry.ini");
    vb::SetProgramFolder(dir.path());
    vb::ChDir(dir.path());
    General::vars().IniFileName = (dir / "Tolvane.ini").string();
    // As after start-up: procedures trap and report their errors.
    General::vars().ErrorHandlingOn = 1;
    General::vars().MaxErrors = 1000;
  }
  void TearDown() override {
    General::vars().ErrorHandlingOn = 1;
    DBase::CloseDatabase();
    vb::ResetProgramState();
  }

  // Puts aircraft in the in-memory list.
  static void AddAircraft(const std::string& acNum, const std::string& category,
                          const std::string& name, const std::string& maker = "Maker") {
    auto& g = Globals::vars();
    g.AircraftList.push_back({category, acNum, name, maker, -1});
    g.AircraftCount = static_cast<int16_t>(g.AircraftList.size() - 1);
  }
  void WriteIni(const std::string& text) {
    ASSERT_TRUE(vb::WriteFileAtomic(dir / "Tolvane.ini", text));
  }
  std::string Ini() { return testsupport::ReadText(dir / "Tolvane.ini"); }
};

}  // namespace mwtest
