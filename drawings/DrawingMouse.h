#pragma once
// The main window's mouse handlers of its drawing views CAD(2) to CAD(5): what each view
// reports (x, y in drawing units) goes to the two-click commands and the plain-click re-centre
// of CadFunctions, with the user's PanWithMouse setting. A command that ends leaves no view
// waiting for a pick: the second click may fall on another view than the one that was armed.
namespace MainForm {

void CAD_MouseDown(int index);
void CAD_MouseMove(int index, float x, float y);
void CAD_MouseUp(int index, float x, float y);
// The control's status event: a trace entry only.
void CAD_ReadStatus();

}  // namespace MainForm
