#pragma once
// The object names of the main window's controls that the drawing operations read or set: the
// interior tab's frames and option buttons, and the view menu items they check. The window
// (mainwindow/ControlNames.h) takes these over, so each name is written once; spelling a name
// through these constants makes a typo fail to compile instead of finding nothing.
//
// A control of a control array carries its index after an underscore ("optSideOverlay_3"): its
// constant is the prefix up to the underscore, and Indexed() builds the name.
#include <string>

#include "platform/ui/ControlNames.h"

namespace CadFunctions::ctl {

// --- The view menu items the drawing operations check ---
TOLVANE_CONTROL(mnuViewPlane1);
TOLVANE_CONTROL(mnuViewPlane2);
TOLVANE_CONTROL(mnuViewShowDims);
TOLVANE_CONTROL(mnuViewShowGrid);

// --- The interior tab's frames and option buttons ---
TOLVANE_CONTROL(fraInterior);
TOLVANE_CONTROL(fraInteriorHeli);
TOLVANE_CONTROL(optSideOverlay_);  // optSideOverlay(0..7)
TOLVANE_CONTROL(optInterior);
TOLVANE_CONTROL(optCabin);
TOLVANE_CONTROL(optBothInterior);
TOLVANE_CONTROL(optHeliInterior);
TOLVANE_CONTROL(optHeliCabin);
TOLVANE_CONTROL(optHeliCabinSide);
TOLVANE_CONTROL(optHeliAll);
TOLVANE_CONTROL(optCorp);
TOLVANE_CONTROL(optEMS);
TOLVANE_CONTROL(optUtil);

// The name of member `index` of a control array: Indexed(optSideOverlay_, 3) is
// "optSideOverlay_3".
inline std::string Indexed(const char* prefix, int index) {
  return std::string(prefix) + std::to_string(index);
}

}  // namespace CadFunctions::ctl
