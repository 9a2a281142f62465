#include "mainwindow/ToolbarModule.h"

#include "drawings/CadFunctions.h"
#include "foundation/Registry.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/MainForm.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Trap.h"

namespace Toolbar {

namespace {

constexpr const char* kModuleWord = "Toolbar";

struct Button {
  const char* caption;
  const char* floatingCaption;
  const char* tooltip;
  const char* floatingTooltip;
};

constexpr Button kButtons[10] = {
    {"AC1", "1", "Show/Hide Aircraft #1", "Show/Hide Plane #1"},
    {"AC2", "2", "Show/Hide Aircraft #2", "Show/Hide Plane #2"},
    {"Dim", "Dim", "Show/Hide Dimensions", "Show/Hide Dimensions"},
    {"", "", "Show/Hide Grid", "Show/Hide Grid"},
    {"", "", "Zoom out to show All", "Zoom out to show All"},
    {"", "", "Zoom in on a User defined Area", "Zoom in on a User defined Area"},
    {"", "", "Zoom In", "Zoom In"},
    {"", "", "Zoom Out", "Zoom Out"},
    {"Prev", "Prev", "Show Previous Zoom View", "Show Previous Zoom View"},
    {"Pan", "Pan", "Pan (Move Around)", "Pan (Move Around)"},
};

struct State {
  Windows* windows = nullptr;
  bool topmost = false;
};

State& state() {
  static State s;
  return s;
}

// The installed windows, or an error of the step that needs them.
Windows& W() {
  Windows* w = state().windows;
  if (!w) throw vb::Error{vb::err::ObjectNotSet, vb::ErrorText(vb::err::ObjectNotSet)};
  return *w;
}

Registry::Settings& Reg() { return Registry::RegSettings(); }

}  // namespace

std::string_view ButtonCaption(int index, bool floating) {
  if (index < 0 || index > 9) return {};
  return floating ? kButtons[index].floatingCaption : kButtons[index].caption;
}

std::string_view ButtonTooltip(int index, bool floating) {
  if (index < 0 || index > 9) return {};
  return floating ? kButtons[index].floatingTooltip : kButtons[index].tooltip;
}

void Install(Windows* windows) { state().windows = windows; }

Windows* InstalledWindows() { return state().windows; }

bool Topmost() { return state().topmost; }

void SetTopmost(bool topmost) {
  vb::Proc g(kModuleWord, "SetTopmost");
  g.step([&] {
    W().SetFloatingTopmost(topmost);
    state().topmost = topmost;
  });
}

void ShowTitleBar(bool show) {
  vb::Proc g(kModuleWord, "ShowTitleBar");
  if (show) {
    g.step([&] { W().SetFloatingCaption(W().FloatingTag()); });
  } else {
    g.step([&] {
      W().SetFloatingTag(W().FloatingCaption());
      W().SetFloatingCaption("");
    });
  }
  g.step([&] { W().SetFloatingTitleBar(show); });
}

void DockToolbar(bool docked) {
  vb::Proc g(kModuleWord, "DockToolbar");
  g.step([&] { W().SetFloatingNormal(); });
  if (docked) {
    g.step([&] {
      if (Reg().ToolbarVisible) W().SetStripVisible(true);
    });
    g.step([&] { W().SetFloatingVisible(false); });
  } else {
    g.step([&] { W().SetStripVisible(false); });
    if (Reg().ToolbarVisible) {
      g.step([&] { W().SetFloatingVisible(true); });
      g.step([&] { W().SetFloatingCaption(W().FloatingTag()); });
      g.step([&] { ShowTitleBar(true); });
      g.step([&] { W().SetFloatingSize(kFloatingWidth, kFloatingHeight); });
      g.step([&] { SetTopmost(true); });
      g.step([&] { MoveToolbar(); });
    }
  }
  g.step([&] { W().FocusMain(); });
}

void MoveToolbar() {
  vb::Proc g(kModuleWord, "MoveToolbar");
  const Registry::Settings& reg = Reg();
  if (!reg.ToolbarVisible || reg.ToolbarDocked) return;
  g.step([&] {
    const Rect main = W().MainGeometry();
    W().MoveFloating(main.left + reg.ToolbarX, main.top + reg.ToolbarY);
  });
}

void ShowToolbar(bool visible) {
  vb::Proc g(kModuleWord, "ShowToolbar");
  if (!visible) {
    g.step([&] { W().SetStripVisible(false); });
    g.step([&] { W().SetFloatingVisible(false); });
  } else if (!Reg().ToolbarDocked) {
    g.step([&] { W().SetFloatingVisible(true); });
    g.step([&] { SetTopmost(true); });
    g.step([&] { DockToolbar(false); });
  } else {
    g.step([&] { W().SetStripVisible(true); });
  }
}

void FormLoad() {
  vb::Proc g(kModuleWord, "FormLoad");
  if (Reg().ToolbarVisible) g.step([&] { SetTopmost(false); });
}

void FormUnload() {
  vb::Proc g(kModuleWord, "FormUnload");
  if (Reg().ToolbarVisible && !Reg().ToolbarDocked) g.step([&] { SetTopmost(true); });
}

void ButtonClick(int index) {
  vb::Proc g(MainForm::kModule, "cmdToolbar_Click");
  g.step([&] {
    switch (index) {
      case 0:
        CadFunctions::TogglePlane1();
        break;
      case 1:
        CadFunctions::TogglePlane2();
        break;
      case 2:
        CadFunctions::ToggleDims();
        break;
      case 3:
        CadFunctions::ToggleGrid();
        break;
      case 4:
        CadFunctions::ZoomAll(MainForm::vars().CurrentDrawingTab);
        break;
      case 5:
        CadFunctions::ZoomWindow();
        break;
      case 6:
        CadFunctions::ZoomIn();
        break;
      case 7:
        CadFunctions::ZoomOut();
        break;
      case 8:
        CadFunctions::ZoomPrevious();
        break;
      case 9:
        CadFunctions::Pan();
        break;
      default:
        break;
    }
  });
  g.step([&] { W().FocusMain(); });
}

void FloatingResized(bool maximized) {
  vb::Proc g("frmToolbar", "Form_Resize");
  if (!maximized) return;
  Reg().ToolbarDocked = true;
  g.step([&] { W().SetMenuChecked(MainForm::ctl::mnuViewToolbarDock, true); });
  g.step([&] { DockToolbar(true); });
}

void FloatingClosed() {
  vb::Proc g("frmToolbar", "Form_Unload");
  g.step([&] { W().SetMenuChecked(MainForm::ctl::mnuViewToolbarShow, false); });
}

void TrackPosition() {
  vb::Proc g(MainForm::kModule, "Timer", vb::Trap::Report, false);
  Registry::Settings& reg = Reg();
  if (reg.ToolbarDocked) return;
  g.step([&] {
    // Only a floating window that is on screen has a position worth keeping: a window never
    // shown would record its unplaced corner as the offset.
    if (!W().FloatingVisible()) return;
    const Rect main = W().MainGeometry();
    const Rect floating = W().FloatingGeometry();
    reg.ToolbarX = floating.left - main.left;
    reg.ToolbarY = floating.top - main.top;
  });
}

void resetForTest() { state() = State{}; }

namespace {
const vb::StateReset stateReset(vb::ResetOrder::Window, &resetForTest);
}  // namespace

}  // namespace Toolbar
