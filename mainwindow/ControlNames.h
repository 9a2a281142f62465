#pragma once
// The object names of the main window's controls and of the windows and dialogs of this folder.
// Code and tests find a control by its object name (findChild, MainView's named menus and option
// buttons); spelling the name through these constants makes a typo fail to compile instead of
// finding nothing. Each constant is spelt as the name it holds.
//
// A control of a control array carries its index after an underscore ("optSideOverlay_3"): its
// constant is the prefix up to the underscore, and Indexed() builds the name.
#include "drawings/ControlNames.h"
#include "platform/ui/ControlNames.h"
#include "printing/ControlNames.h"

namespace MainForm::ctl {

// --- The windows and their fixed parts ---
TOLVANE_CONTROL(frmMain);
TOLVANE_CONTROL(frmMainClient);
TOLVANE_CONTROL(frmSplash);
TOLVANE_CONTROL(frmToolbar);
TOLVANE_CONTROL(frmAbout);
TOLVANE_CONTROL(frmColor);
TOLVANE_CONTROL(frmProperties);
TOLVANE_CONTROL(frmChoose);
TOLVANE_CONTROL(SSTab);
TOLVANE_CONTROL(SSTabHeaders);
TOLVANE_CONTROL(SSTabPages);
TOLVANE_CONTROL(sbStatusbar);
TOLVANE_CONTROL(sbStatusbar_panel1);
TOLVANE_CONTROL(Timer1);
TOLVANE_CONTROL(PlotPicture);
TOLVANE_CONTROL(CommonDialog);

// --- File menu ---
TOLVANE_CONTROL(mnuFile);
TOLVANE_CONTROL(mnuFileNew);
TOLVANE_CONTROL(mnuFileExport);
TOLVANE_CONTROL(mnuFileProperties);
TOLVANE_CONTROL(mnuFileExit);

// --- Edit, View, Aircraft and Help menus ---
TOLVANE_CONTROL(mnuEdit);
TOLVANE_CONTROL(mnuEditCopy);
TOLVANE_CONTROL(mnuView);
TOLVANE_CONTROL(mnuViewPlane1Color);
TOLVANE_CONTROL(mnuViewPlane2Color);
TOLVANE_CONTROL(mnuViewDimColor);
TOLVANE_CONTROL(mnuViewMetric);
TOLVANE_CONTROL(mnuViewToolbar);
TOLVANE_CONTROL(mnuViewToolbarShow);
TOLVANE_CONTROL(mnuViewToolbarDock);
// The toolbar's drawing commands (buttons 4 to 9) on the View menu.
TOLVANE_CONTROL(mnuViewZoomAll);
TOLVANE_CONTROL(mnuViewZoomWindow);
TOLVANE_CONTROL(mnuViewZoomIn);
TOLVANE_CONTROL(mnuViewZoomOut);
TOLVANE_CONTROL(mnuViewZoomPrevious);
TOLVANE_CONTROL(mnuViewPan);
TOLVANE_CONTROL(mnuChoose);
TOLVANE_CONTROL(mnuHelp);
TOLVANE_CONTROL(mnuHelpContents);
TOLVANE_CONTROL(mnuHelpAbout);

// --- The toolbar strip ---
TOLVANE_CONTROL(tbToolbar);
TOLVANE_CONTROL(Frame1);
TOLVANE_CONTROL(cmdToolbar_);    // cmdToolbar(0..9)
TOLVANE_CONTROL(chkACVisible_);  // chkACVisible(0..1)

// --- Tab pages and their frames ---
TOLVANE_CONTROL(framDisplay_);  // framDisplay(0..13), one page per tab
TOLVANE_CONTROL(framLabels);
TOLVANE_CONTROL(framAircraft_);  // framAircraft(0..1)
TOLVANE_CONTROL(framGeneral);
TOLVANE_CONTROL(framScroll_);  // framScroll(0..1)
TOLVANE_CONTROL(scrollFrame);
TOLVANE_CONTROL(lblCaption_);  // the aircraft tab's row captions
TOLVANE_CONTROL(CAD_);         // CAD(0) and CAD(2..5)

// --- The interior tab's frames and the option buttons ---
TOLVANE_CONTROL(fraInteriorHeliType);
TOLVANE_CONTROL(fraInteriorHeliOverlayView_0);
TOLVANE_CONTROL(fraIntCabVol_0);
TOLVANE_CONTROL(optWATA);
TOLVANE_CONTROL(optWATB);

// --- The chart pictures, their qualifier labels and the assumption boxes ---
TOLVANE_CONTROL(chrtBlockFuel);
TOLVANE_CONTROL(chrtBlockTime);
TOLVANE_CONTROL(chrtBalancedFieldLength);
TOLVANE_CONTROL(chrtTakeoffElevation);
TOLVANE_CONTROL(chrtLanding);
TOLVANE_CONTROL(chrtCruiseSpeed);
TOLVANE_CONTROL(chrtOperatingSpeed);
TOLVANE_CONTROL(chrtPayload);
TOLVANE_CONTROL(chrtCeilingCorp);
TOLVANE_CONTROL(chrtCeilingUtil);
TOLVANE_CONTROL(chrtCeilingHV);
TOLVANE_CONTROL(chrtCeilingVNE);
TOLVANE_CONTROL(chrtWATCorp);
TOLVANE_CONTROL(chrtWATUtil);
TOLVANE_CONTROL(lblBlockFuel);
TOLVANE_CONTROL(lblBlockTime);
TOLVANE_CONTROL(lblTakeoff);
TOLVANE_CONTROL(lblTakeoffElevation);
TOLVANE_CONTROL(lblLanding);
TOLVANE_CONTROL(lblCruiseSpeed);
TOLVANE_CONTROL(lblOperatingSpeed);
TOLVANE_CONTROL(lblPayload);
TOLVANE_CONTROL(lblCeilingCorp);
TOLVANE_CONTROL(lblCeilingUtil);
TOLVANE_CONTROL(lblCeilingHV);
TOLVANE_CONTROL(lblCeilingVNE);
TOLVANE_CONTROL(lblWATCorp);
TOLVANE_CONTROL(lblWATUtil);
TOLVANE_CONTROL(stcAssumption_);  // stcAssumption_<picture>, each chart picture's assumption box
TOLVANE_CONTROL(lblAssumption);

// --- The label arrays of the label catalogue ---
TOLVANE_CONTROL(lblData1);
TOLVANE_CONTROL(lblData2);
TOLVANE_CONTROL(gen0Data1);
TOLVANE_CONTROL(gen0Data2);
TOLVANE_CONTROL(gen1Data1);
TOLVANE_CONTROL(gen1Data2);
TOLVANE_CONTROL(gen0Units);
TOLVANE_CONTROL(gen1Units);
TOLVANE_CONTROL(gen0Desrciption);
TOLVANE_CONTROL(gen1Desrciption);
TOLVANE_CONTROL(lblHeading);
TOLVANE_CONTROL(barBG);

// --- The splash window and the dialogs ---
TOLVANE_CONTROL(lblSplash);
TOLVANE_CONTROL(lblTitle);
TOLVANE_CONTROL(lblVersion);
TOLVANE_CONTROL(lblCopyright);
TOLVANE_CONTROL(lblDisclaimer);
TOLVANE_CONTROL(picLogo);
TOLVANE_CONTROL(picIcon);
TOLVANE_CONTROL(imgIcon);
TOLVANE_CONTROL(cmdApply);
TOLVANE_CONTROL(cmdSysInfo);
TOLVANE_CONTROL(chkPanMouse);
TOLVANE_CONTROL(chkZoomMouse);
TOLVANE_CONTROL(chkPlaneColor);
TOLVANE_CONTROL(lblColor_);  // the colour picker's cells
TOLVANE_CONTROL(lblSelected);
// The Choose Aircraft dialog.
TOLVANE_CONTROL(cmbCategory);
TOLVANE_CONTROL(List1);
TOLVANE_CONTROL(List2);
TOLVANE_CONTROL(cmdAdd);
TOLVANE_CONTROL(cmdRemove);

// The names the drawing operations use (and Indexed()), the File menu's print items (and the
// printing windows'), and those of every dialog's common parts, are theirs.
using namespace CadFunctions::ctl;
using namespace Printing::ctl;
using namespace ui::ctl;

}  // namespace MainForm::ctl
