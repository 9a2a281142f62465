#include "mainwindow/MainForm.h"

#include "platform/runtime/StateReset.h"

#ifndef TOLVANE_VERSION_MAJOR
#define TOLVANE_VERSION_MAJOR 1
#define TOLVANE_VERSION_MINOR 0
#define TOLVANE_VERSION_PATCH 0
#endif

namespace MainForm {

using State = vb::ModuleState<Vars, vb::ResetOrder::Window>;

Vars& vars() { return State::Get(); }

void resetForTest() { State::Reset(); }

void MarkTabDrawn(int tab, bool drawn) {
  Vars& v = vars();
  if (tab >= 0 && tab < static_cast<int>(v.TabDrawn.size())) v.TabDrawn[tab] = drawn;
}

std::string ProgramTitle() { return "Tolvane"; }

std::string VersionText() {
  return std::to_string(TOLVANE_VERSION_MAJOR) + "." + std::to_string(TOLVANE_VERSION_MINOR) + "." +
         std::to_string(TOLVANE_VERSION_PATCH);
}

std::string CaptionText() {
  return ProgramTitle() + "    Version " + VersionText() + std::string(11, ' ');
}

}  // namespace MainForm
