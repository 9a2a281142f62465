#pragma once
// What a printed page needs of the drawing subsystem. A page printer loads its page template
// into CAD(0), fills the template's placeholder texts with the data of the compared aircraft
// (UpdateCADText), merges drawings as the page wants, and then flattens the page
// (GetCADEntities): the texts and straight segments it prints itself as vectors go into two
// lists and out of the drawing, and what stays in the drawing is printed as a raster.
//
// The lists are plain vectors that grow as needed. Coordinates are drawing units (inches on a
// page template), y up; colours RGB with red in the low byte.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace dxf {
struct Entity;
class DrawingControl;
}  // namespace dxf

namespace CadFunctions {

// --- What the page routines read of the main window and the print job (the interior
// configuration and the interiors a pair has come with the DrawingInputs, the WAT chart is
// Globals') ---
struct PageInputs {
  int PrintPageNumber = 1;  // the page being printed, from 1
  int PrintPageCount = 1;   // the pages of the print job
  bool WATAAvailable = false;
  bool WATBAvailable = false;
  bool PrintFromCAD = false;  // INI "Settings" "PrintFromCAD": nothing is flattened
};
void SetPageInputsSource(std::function<PageInputs()> source);  // empty: the defaults
const std::function<PageInputs()>& PageInputsSource();
PageInputs CurrentPageInputs();

// --- Template texts ---
// Fills the placeholders of the template in CAD(0), then redraws it. Only TEXT entities are
// looked at, each once (the lines SetCADText appends are not looked at again), and the first
// rule that matches applies, compared exactly:
//   "<spec>[1]", "<spec>[2]"  the field spec evaluated for Plane 1 or 2, wrapped at 44
//                              characters ("&&" then becomes "&"); empty for a plane not chosen
//   "Page n of Pages"          "Page 3 of 9"
//   "AcNames"                  the model names of the chosen planes, joined by ", "
//   "Qualifier:<key>"          Notes of the "Graph Qualifier" row of that key ("Heli" in front
//                              of it for a helicopter pair); empty without a row
//   "(WAT)", "(CAT)"           "(WAT A)" / "(CAT A)" for WAT chart 1, else the B form; empty
//                              when neither WAT chart is available
//   "(CORP/EMS/UTIL)"          "(EMS)", "(Utility)" or "(Corporate)" by the interior
//                              configuration; empty when neither EMS nor utility exists
//   anything else              with metric units, the metric form of a unit label ("Lbs")
// "Legend1", "Legend2", "PlotScale1" and "PlotScale2" are left for the printing of the texts.
void UpdateCADText();
// Writes a text of lines separated by CR LF into TEXT entity `item` (1-based) of CAD(0): the
// first line into it, each further one into a new TEXT 1.5 text heights below the one before,
// with the entity's alignment, style, height, width factor, layer and colour.
void SetCADText(long item, const std::string& text);
// The text wrapped into lines of about `width` characters, joined by CR LF; CR and LF in the
// text become spaces first. A line breaks at the last space within the width (or the first one
// after it, for a longer word); a width below 1 wraps nothing.
std::string MultiLine(const std::string& text, int width);

// --- Entity lists ---
struct CadText {
  std::string Text;
  double X = 0, Y = 0;  // the reference point the justification codes name
  std::string Font;     // the style's font file without its extension, or the style name
  int32_t Color = 0;
  double Height = 0;
  double Angle = 0;  // degrees, counter-clockwise
  int HAlign = 0;    // DXF group 72: 0 left, 1 centre, 2 right, 3 aligned, 4 middle, 5 fit
  int VAlign = 0;    // DXF group 73: 0 baseline, 1 bottom, 2 middle, 3 top
  bool operator==(const CadText&) const = default;
};
struct CadLine {
  float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  int32_t Color = 0;
  bool operator==(const CadLine&) const = default;
};
struct EntityLists {
  std::vector<CadText> CadTextList;
  std::vector<CadLine> CadLineList;
  int CadEntityViewIndex = 0;  // the view the lists were taken from (its text styles)
  // The flattening left nothing in the drawing that draws: the page needs no raster.
  bool RasterEmpty = false;
  // A bound of the page (below) left part of the drawing out; the page printer reports it.
  bool Cut = false;
};

// --- The bounds of one page's flattening, whatever the drawing holds ---
// What can show on the page, in page inches: the 8.5 x 11 inch sheet and an inch round it.
// Entities, curves and block copies wholly outside are passed over before they are worked out;
// segments that reach further than a page beyond the sheet are cut back.
inline constexpr double kPageShowMinX = -1, kPageShowMinY = -1;
inline constexpr double kPageShowMaxX = 9.5, kPageShowMaxY = 12;
// Curves are cut into chords by their size on the page: 2 degrees a chord (180 for a whole
// circle), as always, but no chord shorter than half a pixel of a 1200 dpi printer, which adds
// nothing to what the chords before it drew (a circle of 0.01 inch takes 151 chords, one of a
// thousandth 16). A curve much larger than the page is cut only where it shows, into chords that
// stay within the tolerance of it.
inline constexpr double kMinChord = 1.0 / 2400;
inline constexpr double kChordTolerance = 1e-4;
// What one page collects at most; a page that asks for more prints what fits and reports, once,
// that it is too big to print in full. (A printer takes about a microsecond a segment and
// fifteen a text: the page prints within half a second whatever it asks for.)
struct PageLimits {
  long Segments = 300'000;
  long Texts = 10'000;
  long TextCharacters = 200'000;
  // Entities and polyline vertices met through block references, over every copy of every
  // reference (each row of an array looked at counts as one).
  long BlockContents = 2'000'000;
};
inline constexpr PageLimits kPageLimits{};
inline constexpr long kPageMaxSegments = kPageLimits.Segments;
inline constexpr long kPageMaxTexts = kPageLimits.Texts;
inline constexpr long kPageMaxTextCharacters = kPageLimits.TextCharacters;
inline constexpr long kPageMaxBlockContents = kPageLimits.BlockContents;
// The limits the flattening keeps: kPageLimits unless a fuzz run sets smaller ones, so that its
// runs stay quick on the same paths (a reset of the program state restores them).
const PageLimits& PageLimitsInForce();
void SetPageLimits(const PageLimits& limits);
// A text taller than the page cannot be printed; it is passed over.
inline constexpr double kPageMaxTextHeight = 11;
// The lists of the last flattened page (empty until then).
const EntityLists& entityLists();
inline size_t CadTextCount() { return entityLists().CadTextList.size(); }
inline size_t CadLineCount() { return entityLists().CadLineList.size(); }
void ClearEntityLists();

// Flattens the drawing of CAD(view) (a page, in page inches) into the lists, which it empties
// first; with PrintFromCAD the lists stay empty and the drawing untouched. Dimension entities go
// when dimensions are not enabled for the view; entities on frozen layers stay, uncollected;
// TEXT, LINE, polylines, CIRCLEs and whole unturned ELLIPSEs are collected and removed;
// everything else stays. A block reference stays, and the contents of every copy of its block
// (each column and row of an array; nested references expanded in turn) are collected placed by
// it, on its layer, in its place in the lists (the order of the walk); the block's entities take
// the reference's layer whatever kinds they are, and the kinds collected then leave the block,
// so that the raster does not print them again. Within the page's bounds (above), which the
// drawing's own entities take first and the block references' copies share after them: what a
// bound leaves out sets Cut, for the page printer to report once.
void GetCADEntities(int view);
// Adds one entity, placed by the block reference that holds it (insertion point, scales,
// rotation in degrees, block base point): a TEXT, or the segments of a LINE, a polyline (its
// arcs and, when closed, its closing side included), a CIRCLE or an ELLIPSE (its own axis and
// parameter range) cut into chords by their size on the page. Other kinds add nothing.
// Top-level entities are added with (0, 0, 1, 1, 0).
void AddEntity(const dxf::Entity& entity, double insertX, double insertY, double scaleX,
               double scaleY, double rotation, double baseX = 0, double baseY = 0);
// The colour of a dimension layer: the plane's colour for -1 (PlaneColor1 for plane 1,
// PlaneColor2 for any other), else the colour itself.
int32_t vbDimColor(int32_t colour, int plane);

}  // namespace CadFunctions
