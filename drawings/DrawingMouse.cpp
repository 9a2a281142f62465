// The drawing views' mouse handlers.
#include "drawings/DrawingMouse.h"

#include "drawings/CadFunctions.h"
#include "foundation/Registry.h"
#include "platform/runtime/Trap.h"

namespace MainForm {

namespace {

// The trace module word of the main window's procedures.
constexpr const char* kModule = "MainForm";

bool AnyArmed() {
  const CadFunctions::Vars& v = CadFunctions::vars();
  return v.PanMode || v.PanEndMode || v.ZoomWindowMode || v.ZoomWindowEndMode;
}
}  // namespace

void CAD_MouseDown(int index) {
  vb::Proc g(kModule, "CAD_MouseDown");
  g.step([&] { CadFunctions::CadMouseDown(index); });
}

void CAD_MouseMove(int index, float x, float y) {
  vb::Proc g(kModule, "CAD_MouseMove");
  g.step([&] { CadFunctions::CadMouseMove(index, x, y); });
}

void CAD_MouseUp(int index, float x, float y) {
  vb::Proc g(kModule, "CAD_MouseUp");
  const bool armedBefore = AnyArmed();
  g.step([&] { CadFunctions::CadMouseUp(index, x, y, Registry::RegSettings().PanWithMouse != 0); });
  // The last step of a command done: the view armed first may be another one.
  if (!armedBefore || AnyArmed()) return;
  for (int view = CadFunctions::kFirstTabView; view <= CadFunctions::kLastTabView; ++view) {
    if (view != index) g.step([&] { CadFunctions::services().SetPickMode(view, 0); });
  }
}

void CAD_ReadStatus() { vb::Proc g(kModule, "CAD_ReadStatus"); }

}  // namespace MainForm
