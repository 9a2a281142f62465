#pragma once
// Module CADGraph: colours of the drawing control (AutoCAD colour indexes) and the chart
// primitives the chart layer hands on when it draws onto a drawing control.
#include <cstdint>
#include <string>
#include <string_view>

namespace CADGraph {

// The colour index of an RGB colour (red in the low byte): the index whose colour row lists
// it; 7 for any colour no row lists.
int CADColor(int32_t colour);
// The colour index of a dimension layer: for colour -1 that of the plane's colour (PlaneColor1
// for plane 1, PlaneColor2 for any other plane), otherwise that of the colour itself.
int CADDimColor(int32_t colour, int plane);
int CADDimColor(int32_t colour, int plane, int32_t planeColor1, int32_t planeColor2);
// The RGB colour of a colour index; 0 (black) for 7 and every index without a colour of its own.
int32_t IndexColor(int colourIndex);

// --- Chart primitives on the drawing control ---
void InitCADGraphics(bool clear);
void SetCADPen(double width, int32_t colour);
// Stands for RemovePen and RemoveFont on the drawing control: nothing to release.
void NoOpRemove();
void SetCADBrush(int32_t colour);
void RemoveCADBrush();
void CADMoveTo(double x, double y);
void CADLineTo(double x, double y);
void CADRectangle(double x1, double y1, double x2, double y2);
void CADEllipse(double x1, double y1, double x2, double y2);
void SetCADTextBgMode(int mode);
void SetCADTextColor(int32_t colour);
void CADText(double x, double y, std::string_view text);
// The width of a text in drawing units: 0.75 x the current text height per character.
double CADTextWd(std::string_view text);
// The current text height in drawing units; the text itself is not measured.
double CADTextHt(std::string_view text);
// The drawing aspect (control width / height) InitCADGraphics recorded; 0 until it ran.
double CADAspect();

}  // namespace CADGraph
