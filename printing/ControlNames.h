#pragma once
// The object names of the File menu's print items (PrintItems() places them) and of the printing
// windows' controls: the plot preview window and the scale dialogs. Each name is written once;
// spelling a name through these constants makes a typo fail to compile instead of finding
// nothing.
#include "platform/ui/ControlNames.h"

namespace Printing::ctl {

// --- The print items of the File menu and their submenus ---
TOLVANE_CONTROL(mnuFilePlotScreen);
TOLVANE_CONTROL(mnuFilePrint);
TOLVANE_CONTROL(mnuFilePrintPage);
TOLVANE_CONTROL(mnuFilePrintAll);
TOLVANE_CONTROL(mnuFilePrintAllChoose);
TOLVANE_CONTROL(mnuFilePrintAllOverlaid);
TOLVANE_CONTROL(mnuFilePrintAllSideBySide);
TOLVANE_CONTROL(mnuFilePrintScale);
TOLVANE_CONTROL(mnuFilePrintExteriorScale);
TOLVANE_CONTROL(mnuFilePrintExteriorScaleOverlaid);
TOLVANE_CONTROL(mnuFilePrintExteriorScaleSideBySide);
TOLVANE_CONTROL(mnuFilePrintInteriorScale);
TOLVANE_CONTROL(mnuFilePrintInteriorScaleOverlaid);
TOLVANE_CONTROL(mnuFilePrintInteriorScaleSideBySide);
TOLVANE_CONTROL(mnuFilePrintAircraft);
TOLVANE_CONTROL(mnuFilePrintGeneral);
TOLVANE_CONTROL(mnuFilePrintExterior);
TOLVANE_CONTROL(mnuFilePrintExteriorChoose);
TOLVANE_CONTROL(mnuFilePrintExteriorOverlaid);
TOLVANE_CONTROL(mnuFilePrintExteriorSideBySide);
TOLVANE_CONTROL(mnuFilePrintInterior);
TOLVANE_CONTROL(mnuFilePrintInteriorChoose);
TOLVANE_CONTROL(mnuFilePrintInteriorOverlaid);
TOLVANE_CONTROL(mnuFilePrintInteriorSideBySide);
TOLVANE_CONTROL(mnuFilePrintBlockFuelTime);
TOLVANE_CONTROL(mnuFilePrintBalancedFieldLength);
TOLVANE_CONTROL(mnuFilePrintTakeoffLanding);
TOLVANE_CONTROL(mnuFilePrintFlightEnvelope);
TOLVANE_CONTROL(mnuFilePrintPayloadRange);
TOLVANE_CONTROL(mnuFilePrintServiceCeiling);
TOLVANE_CONTROL(mnuFilePrintHVCruiseSpeed);
TOLVANE_CONTROL(mnuFilePrintWAT);

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
