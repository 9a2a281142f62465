#pragma once
// The object names of the printing windows' controls: the plot preview window and the scale
// dialogs. Each name is written once; spelling a name through these constants makes a typo
// fail to compile instead of finding nothing.
#include "platform/ui/ControlNames.h"

namespace Printing::ctl {

// --- The plot preview window ---
TOLVANE_CONTROL(frmPlotPreview);
TOLVANE_CONTROL(picPage);
TOLVANE_CONTROL(scrPage);
TOLVANE_CONTROL(cmdPreviousPage);
TOLVANE_CONTROL(cmdNextPage);
TOLVANE_CONTROL(lblPage);

// --- The scale dialogs (their OK and Cancel buttons and first caption are every dialog's) ---
TOLVANE_CONTROL(frmScale);
TOLVANE_CONTROL(frmScale2);
TOLVANE_CONTROL(cmbScale);
TOLVANE_CONTROL(cmbScale1);
TOLVANE_CONTROL(cmbScale2);
TOLVANE_CONTROL(Label2);
TOLVANE_CONTROL(Label3);

using namespace ui::ctl;

}  // namespace Printing::ctl
