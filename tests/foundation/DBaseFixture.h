#pragma once
// The test setting of the database module: a temporary program folder (which is also the
// current folder, where ERROR.LOG goes), error handling on, and the fixture databases built on
// demand.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "foundation/DBase.h"
#include "foundation/General.h"
#include "foundation/Globals.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/StateReset.h"
#include "platform/ui/FakeHooks.h"
#include "support/Fixtures.h"

namespace dbasetest {

namespace fs = std::filesystem;

class DBaseFixture : public ::testing::Test {
 protected:
  testsupport::TempDir dir;
  ui::ScopedFakeHooks hooks;
  const fs::path savedProgramFolder = vb::ProgramFolder();
  const fs::path savedCurDir = vb::CurDir();

  void SetUp() override {
    vb::ResetProgramState();
    General::vars().ErrorHandlingOn = 1;
    General::vars().IniFileName = (dir / "Tolvane.ini").string();
    vb::SetProgramFolder(dir.path());
    vb::ChDir(dir.path());
  }
  void TearDown() override {
    vb::ResetProgramState();
    vb::SetProgramFolder(savedProgramFolder);
    vb::ChDir(savedCurDir);
  }
  // ac.mdb and dxf.mdb in the program folder, and the module's paths set to them.
  void BuildDatabases(const std::string& acExtra = "") {
    testsupport::BuildFixtureDatabases(dir.path(), acExtra);
    DBase::vars().DBPath = (dir / "ac.mdb").string();
    DBase::vars().DxfDBPath = (dir / "dxf.mdb").string();
  }

  // The reports of ERROR.LOG, each without its date and time: "[DBase:Lookup]<Err:3265>...".
  std::vector<std::string> Reports() {
    std::vector<std::string> reports;
    std::istringstream in(testsupport::ReadText(dir / "ERROR.LOG"));
    for (std::string line; std::getline(in, line);) {
      size_t tag = line.find(" [");
      reports.push_back(tag == std::string::npos ? line : line.substr(tag + 1));
    }
    return reports;
  }
};

}  // namespace dbasetest
