#include "mainwindow/MainForm.h"

#include "platform/runtime/StateReset.h"

#ifndef TOLVANE_VERSION_MAJOR
#define TOLVANE_VERSION_MAJOR 1
#define TOLVANE_VERSION_MINOR 0
#define TOLVANE_VERSION_PATCH 0
#endif

namespace MainForm {

namespace {
Vars state;
}

Vars& vars() { return state; }

void resetForTest() { state = Vars{}; }

void MarkTabDrawn(int tab, bool drawn) {
  if (tab >= 0 && tab < static_cast<int>(state.TabDrawn.size())) state.TabDrawn[tab] = drawn;
}

namespace {
const vb::StateReset stateReset(vb::ResetOrder::Window, &resetForTest);
}  // namespace

std::string ProgramTitle() { return "Tolvane"; }

std::string VersionText() {
  return std::to_string(TOLVANE_VERSION_MAJOR) + "." + std::to_string(TOLVANE_VERSION_MINOR) + "." +
         std::to_string(TOLVANE_VERSION_PATCH);
}

std::string CaptionText() {
  return ProgramTitle() + "    Version " + VersionText() + std::string(11, ' ');
}

}  // namespace MainForm
