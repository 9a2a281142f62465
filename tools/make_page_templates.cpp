// Writes the page templates of the printed pages ("Aircraft.dxf", "General.dxf", ... "CabinHeli.dxf")
// as ASCII DXF files from the page definitions below. The files are committed in data/templates/
// and the build copies them into the program folder; a test checks that the committed files are
// what this program writes, so after a change here run
//   build/tools/make_page_templates data/templates
// and commit the result.
//
// A page is US Letter portrait in inches: 8.5 by 11, origin at the lower left, y upwards. The
// program loads a template into its page drawing, fills the placeholder texts and prints every
// text and line as a vector, so a template holds only what that printing collects: TEXT, LINE and
// POLYLINE (a closed outline repeats its first vertex, because only a polyline's segments are
// printed). Every file is DXF R12 (AC1009) throughout, so that other DXF readers open it too.
//
// Texts are placed by their left, centre or right end (group 72 = 0, 1, 2) on their baseline
// (group 73 = 0), the only placements the page printing puts where a DXF reader does. There is one
// text style, whose font file names the face the printed texts use ("DejaVu Sans").
//
// Placeholders (exact, case-sensitive texts that the program replaces):
//   <field spec>[1], <field spec>[2]  the value of that spec for Plane 1 / Plane 2, wrapped at 44
//                                     characters; each further line stands 1.5 text heights lower
//   "AcNames", "Page n of Pages"      the aircraft names; the page number and count
//   "Qualifier:<key>"                 the chart's qualifier note (one line, not wrapped)
//   "(CAT)", "(CORP/EMS/UTIL)"        the WAT category; the helicopter interior configuration
//   "Legend1", "Legend2"              a plane's name followed by a swatch of its colour
//   "PlotScale1", "PlotScale2"        the scale of the drawings on the page
// A text that is exactly a unit label ("Lbs", "Ft", "CuFt", ...) becomes its metric label when the
// program shows metric units. So a unit stands alone in its own text, and the unit of a value that
// is not converted (a spec without a unit in braces) is written with a leading blank, which keeps
// it from being taken for a label: " NM" stays " NM" beside a range that stays in nautical miles.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "DxfR12.h"

namespace {

using dxfr12::Groups;
using dxfr12::P;

// ---- page geometry ---------------------------------------------------------------------------

constexpr double kPageW = 8.5, kPageH = 11;
// The border, and the left and right ends of the lines of text inside it.
constexpr double kBorderL = 0.2, kBorderB = 0.2, kBorderR = 8.3, kBorderT = 10.8;
constexpr double kLeft = 0.45, kRight = 8.05;
// Header: page title and program title on the first line, the aircraft names (and the page's
// scales or configuration) on the second; data and chart pages rule it off below.
constexpr double kTitleY = 10.5, kTitleH = 0.16, kProgramH = 0.12;
constexpr double kNamesY = 10.28, kNamesH = 0.1;
constexpr double kHeaderRuleY = 10.17;
// Footer: the two legends from the left, the page number at the right.
constexpr double kFooterY = 0.3, kFooterH = 0.09;
constexpr double kLegend1X = kLeft, kLegend2X = 3.0;
// Qualifier notes under the charts: the first a little under the chart box, a staggered second one
// 1.6 text heights lower, which keeps it clear of the legends of the footer under the bottom row.
constexpr double kNoteH = 0.075, kNoteGap = 0.15, kNotePitch = 0.12;

// About how wide a text of n characters is in the printed face (DejaVu Sans), for placing a text
// after another one: 0.68 text heights a character on average.
double Width(const std::string& s, double h) { return 0.68 * h * static_cast<double>(s.size()); }

enum Just { kLeftJ = 0, kCentreJ = 1, kRightJ = 2 };

struct Text {
  P at;
  double h;
  std::string s;
  Just j;
};

class Page {
 public:
  Page(std::string file, std::string title) : file_(std::move(file)), title_(std::move(title)) {}

  const std::string& File() const { return file_; }
  const std::string& Title() const { return title_; }

  void Put(double x, double y, double h, std::string s, Just j = kLeftJ) {
    texts_.push_back({{x, y}, h, std::move(s), j});
  }
  void Line(P a, P b) { lines_.push_back({a, b}); }
  void Box(double x0, double y0, double x1, double y1) {
    polys_.push_back({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}});
  }

  std::string Dxf() const;

 private:
  std::string file_, title_;
  std::vector<Text> texts_;
  std::vector<std::pair<P, P>> lines_;
  std::vector<std::vector<P>> polys_;
};

// ---- DXF R12 output -------------------------------------------------------------------------

constexpr const char* kStyle = dxfr12::kStyle;
constexpr const char* kFontFile = "DejaVu Sans.ttf";

std::string Page::Dxf() const {
  Groups o;
  o.g(999, "Tolvane page template " + file_);
  dxfr12::Head head;
  head.extMax = head.limMax = {kPageW, kPageH};
  head.lineTypes = {{"CONTINUOUS", "Solid line", {}}};
  head.layers = {"0"};
  head.fontFile = kFontFile;
  head.lastHeight = 0.1;
  dxfr12::WriteHeadAndTables(o, head);

  o.g(0, "SECTION");
  o.g(2, "BLOCKS");
  o.g(0, "ENDSEC");

  o.g(0, "SECTION");
  o.g(2, "ENTITIES");
  for (const auto& pts : polys_) {
    o.g(0, "POLYLINE");
    o.g(8, "0");
    o.i(66, 1);
    o.pt(10, {0, 0});
    o.i(70, 0);
    for (const P& p : pts) {
      o.g(0, "VERTEX");
      o.g(8, "0");
      o.pt(10, p);
    }
    o.g(0, "SEQEND");
    o.g(8, "0");
  }
  for (const auto& [a, b] : lines_) {
    o.g(0, "LINE");
    o.g(8, "0");
    o.pt(10, a);
    o.pt(11, b);
  }
  for (const Text& t : texts_) {
    o.g(0, "TEXT");
    o.g(8, "0");
    o.pt(10, t.at);
    o.g(40, t.h);
    o.g(1, t.s);
    o.g(7, kStyle);
    if (t.j != kLeftJ) {
      o.i(72, t.j);
      o.pt(11, t.at);
    }
  }
  o.g(0, "ENDSEC");
  o.g(0, "EOF");
  return o.str();
}

// ---- the common frame ------------------------------------------------------------------------

enum class Kind { kData, kChart, kDrawing };

// A scale placeholder of the header, with the caption that names its views where a page holds
// views at two scales that are always both filled. Where a page fills its placeholders with texts
// that name their views themselves, `widest` is the longest such text.
struct Scale {
  std::string placeholder;
  std::string caption = {};
  std::string widest = "Scale = 1:1000";
};

// Border, header and footer. `extra` goes on the first header line after the page title (the WAT
// category, the helicopter configuration); `scales` are the scale placeholders, right-aligned on
// the second header line from the right, each after its caption: the first scale stands at the
// right end on every drawing page, whether or not a second one (left of it) is filled.
Page Frame(const std::string& file, const std::string& title, Kind kind,
           const std::string& extra = {}, const std::vector<Scale>& scales = {}) {
  Page p(file, title);
  p.Box(kBorderL, kBorderB, kBorderR, kBorderT);
  p.Put(kLeft, kTitleY, kTitleH, title);
  if (!extra.empty()) p.Put(kLeft + Width(title, kTitleH) + 0.25, kTitleY, kProgramH, extra);
  p.Put(kRight, kTitleY, kProgramH, "Tolvane", kRightJ);
  p.Put(kLeft, kNamesY, kNamesH, "AcNames");
  double x = kRight;
  for (const Scale& scale : scales) {
    p.Put(x, kNamesY, kNamesH, scale.placeholder, kRightJ);
    if (scale.caption.empty()) {
      x -= Width(scale.widest, kNamesH) + 0.5;  // room for the text and a gap
    } else {
      x -= 1.0;  // room for "Scale = 1:1000"
      p.Put(x, kNamesY, kNamesH, scale.caption, kRightJ);
      x -= Width(scale.caption, kNamesH) + 0.4;
    }
  }
  // The drawing pages leave the header open below: a tall side view may reach up to it.
  if (kind != Kind::kDrawing) p.Line({kBorderL, kHeaderRuleY}, {kBorderR, kHeaderRuleY});
  if (kind != Kind::kData) {
    p.Put(kLegend1X, kFooterY, kFooterH, "Legend1");
    p.Put(kLegend2X, kFooterY, kFooterH, "Legend2");
  }
  p.Put(kRight, kFooterY, kFooterH, "Page n of Pages", kRightJ);
  return p;
}

// ---- chart pages -----------------------------------------------------------------------------

// A chart's place as the page printing gives it: left, top and width in percent of the page
// width, height in percent of the page height, from the top left corner; and the key of its
// qualifier note.
struct Chart {
  int left, top, width, height;
  const char* qualifier;
};

struct Box {
  double x0, y0, x1, y1;  // page inches, y upwards
};

Box ChartBox(const Chart& c) {
  double top = c.top * kPageW / 100;
  return {c.left * kPageW / 100, kPageH - top - c.height * kPageH / 100,
          (c.left + c.width) * kPageW / 100, kPageH - top};
}

// A chart page: the frame and, under each chart, its qualifier note. A chart as wide as the page
// has its note centred under it; where two charts share a row, the left one's note is
// left-aligned under it and the right one's right-aligned on the next line, so that two long
// notes never run into each other.
Page ChartPage(const std::string& file, const std::string& title, const std::vector<Chart>& charts,
               const std::string& extra = {}) {
  Page p = Frame(file, title, Kind::kChart, extra);
  for (size_t i = 0; i < charts.size(); ++i) {
    Box b = ChartBox(charts[i]);
    std::string note = std::string("Qualifier:") + charts[i].qualifier;
    bool pairedLeft = i + 1 < charts.size() && charts[i + 1].top == charts[i].top;
    bool pairedRight = i > 0 && charts[i - 1].top == charts[i].top;
    double y = b.y0 - kNoteGap;
    if (pairedLeft)
      p.Put(b.x0, y, kNoteH, note);
    else if (pairedRight)
      p.Put(b.x1, y - kNotePitch, kNoteH, note, kRightJ);
    else
      p.Put((b.x0 + b.x1) / 2, y, kNoteH, note, kCentreJ);
  }
  return p;
}

// ---- data pages ------------------------------------------------------------------------------

// One line of a general-data page: a heading, a caption alone, or a data row (caption, the two
// planes' specs, the unit). A row with `roomy` set leaves a free line under it for a wrapped value.
struct Row {
  char kind;  // 'H' heading, 'C' caption only, 'D' data row
  const char* caption;
  const char* spec1;
  const char* spec2;  // nullptr: the same as spec1
  const char* unit;   // nullptr: none
  bool roomy = false;
};

Row H(const char* text) { return {'H', text, nullptr, nullptr, nullptr}; }
Row C(const char* text) { return {'C', text, nullptr, nullptr, nullptr}; }
Row D(const char* caption, const char* spec, const char* unit = nullptr) {
  return {'D', caption, spec, nullptr, unit};
}
Row Long(const char* caption, const char* spec) {
  return {'D', caption, spec, nullptr, nullptr, true};
}
Row D2(const char* caption, const char* spec1, const char* spec2) {
  return {'D', caption, spec1, spec2, nullptr};
}

// The field spec of a plane: the spec with "[1]" or "[2]" after it. A spec that already ends in
// "[1]" (a suffix the spec language ignores) has it replaced.
std::string ForPlane(std::string spec, int plane) {
  if (spec.size() >= 3 && spec.compare(spec.size() - 3, 3, "[1]") == 0) spec.resize(spec.size() - 3);
  return spec + "[" + std::to_string(plane) + "]";
}

// The unit text of a row: the label itself when the spec converts the value (a unit in braces),
// otherwise the label after a blank, so that the page leaves it as it is (see the top).
std::string UnitText(const Row& r) {
  std::string spec = r.spec1;
  return spec.find('{') != std::string::npos ? std::string(r.unit) : " " + std::string(r.unit);
}

// Columns of the general-data pages: the units right-aligned before the values (so that a unit
// written with a leading blank lines up with the others); a value wraps at 44 characters, about
// 34 text heights, so each value column is 2.6 inches wide.
constexpr double kCaptionX = kLeft, kUnitRight = 2.95, kValue1X = 3.05, kValue2X = 5.65;
constexpr double kRowH = 0.075, kHeadingH = 0.09, kHeadsY = 9.98, kHeadsH = 0.1;
// The rows run from under the column heads down to above the footer, spread evenly (a heading
// takes 0.3 of a row more above it and 0.3 below its rule), at most 0.17 inch apart.
constexpr double kFirstRowY = kHeadsY - 0.2, kLastRowY = 0.6, kHeadingGap = 0.3;

Page GeneralPage(const std::string& file, const std::vector<Row>& rows) {
  Page p = Frame(file, "General Data", Kind::kData);
  p.Put(kValue1X, kHeadsY, kHeadsH, "AcName[1]");
  p.Put(kValue2X, kHeadsY, kHeadsH, "AcName[2]");
  double steps = -1;
  for (const Row& r : rows)
    steps += (r.roomy ? 2 : 1) + (r.kind == 'H' ? (&r != &rows[0] ? 2 : 1) * kHeadingGap : 0);
  const double pitch = std::min(0.17, (kFirstRowY - kLastRowY) / steps);
  double y = kFirstRowY;
  bool first = true;
  for (const Row& r : rows) {
    if (r.kind == 'H') {
      if (!first) y -= kHeadingGap * pitch;
      p.Put(kCaptionX, y, kHeadingH, r.caption);
      p.Line({kCaptionX, y - 0.035}, {kRight, y - 0.035});
    } else {
      p.Put(kCaptionX, y, kRowH, r.caption);
    }
    first = false;
    if (r.kind == 'D') {
      if (r.unit) p.Put(kUnitRight, y, kRowH, UnitText(r), kRightJ);
      p.Put(kValue1X, y, kRowH, ForPlane(r.spec1, 1));
      p.Put(kValue2X, y, kRowH, ForPlane(r.spec2 ? r.spec2 : r.spec1, 2));
    }
    y -= pitch;
    if (r.roomy) y -= pitch;
    if (r.kind == 'H') y -= kHeadingGap * pitch;
  }
  return p;
}

// The fixed-wing panel of the general data, top to bottom.
std::vector<Row> FixedWingRows() {
  return {
      H("Weights"),
      D("Ramp Weight:", "WtMaxRamp{Lb}", "Lbs"),
      D("Takeoff Weight:", "WtMTOGW{Lb}", "Lbs"),
      D("Landing Weight:", "WtMaxLand{Lb}", "Lbs"),
      D("Zero Fuel Weight:", "WtZeroFuelW{Lb}", "Lbs"),
      D("Basic Operating Weight:", "WtBow{Lb}", "Lbs"),
      D("Usable Fuel:", "WtUsableFuel{Lb}", "Lbs"),
      D("Useful Load:", "WtMaxRamp\\-WtBow{Lb}", "Lbs"),
      D("Payload with Full Fuel:", "WtPayFuel{Lb}", "Lbs"),
      D("Maximum Payload:", "WtZeroFuelW\\-WtBow{Lb}", "Lbs"),
      D("NBAA IFR Fuel Reserves:", "NBAAIfrFRes{Lb}", "Lbs"),
      D("Optional Ramp Weight:", "WtMaxRampOpt{Lb}", "Lbs"),
      D("Optional Takeoff Weight:", "WtMTOGWOpt{Lb}", "Lbs"),
      D("Optional Zero Fuel Weight:", "WtZeroFuelWOpt{Lb}", "Lbs"),
      D("Optional Basic Operating Weight:", "WtBowOpt{Lb}", "Lbs"),
      D("Optional Payload with Full Fuel:", "WtPayFuelOpt{Lb}", "Lbs"),
      D("Optional Maximum Payload:", "MaxPayloadOpt{Lb}", "Lbs"),
      H("Powerplant"),
      Long("Manufacturer:", "EngMfgName"),
      Long("Model:", "EngMod"),
      D("Thrust/Horsepower (SL Std):", "ThrustSlStd", "Lbs/SHP"),
      D("Thrust or Prop Reverser/Feathering:", "ThrustReversers"),
      H("FAR 36 Noise Levels"),
      D("Takeoff:", "FAR36Takeoff;#,###.00", "EPNdB"),
      D("Sideline:", "FAR36Sideline;#,###.00", "EPNdB"),
      D("Approach:", "FAR36Approach;#,###.00", "EPNdB"),
      D("Meets Stage 3 Restrictions:", "FAR36MS3Rstc"),
      H("Speeds"),
      D("V MC (Ground):", "VmcGround", "KIAS"),
      D("V MC (Air):", "VmcAir", "KIAS"),
      D("V2 (Max. Takeoff Gross Wt.):", "V2MTGW", "KIAS"),
      D("VREF (Bow + 4Pax +NBAA Res.):", "VREF", "KIAS"),
      H("Pressurization"),
      D("Pressure Differential:", "PrssrDiff;#,###.00{PSI}", "PSI"),
      D("_ _ Sea Level Cabin To:", "PrssrSLC{Ft}", "Ft"),
      D("_ _ Cabin Alt. at Max. Cert. Alt.:", "PrssrCAMCA{Ft}", "Ft"),
      H("Accommodations"),
      D("Seats -- Crew:", "PilotSeats"),
      D("Passengers (Typical):", "PassSeats"),
      D("Passengers (Maximum):", "PassMax"),
      D("Volume - Total Pass. Cabin:", "CabinVol{CuFt}", "CuFt"),
      D("Passenger Area:", "SeatVol", "Cu. Ft."),
      D("Baggage - Total:", "BagVolInt\\+BagVolExt{CuFt}", "CuFt"),
      D("Internal:", "BagVolInt\\%BagVolExt;#0%", "%"),
      D("Main Door Size:", "DoorHeight\\xDoorWidth{Ft}", "Ft"),
      H("Performance"),
      D("Rate of Climb (MTOGW) - All Engines:", "RocAllEng{Ft}", "Ft/Min"),
      D("Rate of Climb - One Engine Out:", "RocOei{Ft}", "Ft/Min"),
      D("Initial Cruise Alt. (MTOGW):", "Ica{Ft}[1]", "Ft"),
      D("Time to Init. Cruise Alt.:", "Ttica;#,###.0", "Min."),
      D("Engine Out Ceiling:", "ServOEI{Ft}", "Ft"),
      C("Long Range Cruise:"),
      D("Maximum Range:", "MaxRngLrc", "NM"),
      D("Average Cruise Speed:", "AvgCrSpeedLrc", "KTAS"),
      C("Maximum Cruise:"),
      D("Maximum Range:", "MaxRngMax", "NM"),
      D("Average Cruise Speed:", "AvgCrSpeedMax", "KTAS"),
      D("Max Cert Alt.:", "CertCeiling{Ft}", "Ft"),
      H("Equipment"),
      C("Avionics:"),
      Long("Avionics System:", "EqpAvSys"),
      D("Cockpit Voice Rcdr:", "EqpCVC"),
      D("Flight Data Rcdr:", "EqpFDR"),
      D("EICAS:", "EqpEICAS"),
      D("Ground Warning Sys:", "EqpGWS"),
      D("Traffic Warning Sys:", "EqpTWS"),
      D("Maint Diag Sys:", "EqpMDS"),
      D("VHF 8 Khz Spacing:", "EqpVHS833"),
      C("Other:"),
      D("Aux. Power. Unit:", "EqpAPU"),
      D("Single Point Refuel:", "EqpSingPointRef"),
      D("External Lav. Service:", "EqpExtLavServ"),
  };
}

// The helicopter panel of the general data, top to bottom. The seat rows look the seats up per
// plane, so their two specs differ.
std::vector<Row> HelicopterRows() {
  return {
      H("Weights"),
      D("Max Gross Weight (Internal):", "WtMTOGW{Lb}", "Lbs"),
      D("Max Gross Weight (External):", "WtMTOGWExt{Lb}", "Lbs"),
      D("Useable Fuel:", "WtUsableFuel{Lb}", "Lbs"),
      D("Optional Fuel:", "WtOptFuel{Lb}", "Lbs"),
      D("Maximum External Load:", "WtMaxExtLoad{Lb}", "Lbs"),
      D("30 Min. Fuel Reserves:", "WT30MFuelRsv{Lb}", "Lbs"),
      H("Utility Configuration"),
      D("Empty Operation Weight:", "VfrWtBOW{Lb}", "Lbs"),
      D("Useful Load:", "WtMTOGW\\-VFRWtBow{Lb}", "Lbs"),
      D("Payload with Full Std. Fuel:", "WtMTOGW\\-VFRWtBow\\-WtUsableFuel{Lb}", "Lbs"),
      H("Corporate/EMS Configuration"),
      D("Empty Operation Weight:", "WtBow{Lb}", "Lbs"),
      D("Useful Load:", "WtMTOGW\\-WtBow{Lb}", "Lbs"),
      D("Payload with Full Std. Fuel:", "WtMTOGW\\-WtBow\\-WtUsableFuel{Lb}", "Lbs"),
      H("Certification (FAA)"),
      D("IFR Cert/Equipped:", "IfrCertified"),
      D("VFR Cert/Equipped:", "Certified"),
      D("Category A:", "CatACert"),
      D("Minimum Crew VFR/IFR:", "MinCrewVfrIfr"),
      H("Propulsion System"),
      Long("Manufacturer:", "EngMfgName"),
      Long("Model:", "EngMod"),
      D("Engine Rating             Takeoff:", "EngRTO", "SHP"),
      D("Max. Cont.:", "EngRTMaxCont", "SHP"),
      D("OEI 2.5 Min:", "EngROEI25Min", "SHP"),
      D("OEI 30 Min:", "EngROEI30Min", "SHP"),
      D("OEI Max Cont:", "EngROEIMaxCont", "SHP"),
      H("Airframe Rating   Limit Factor"),
      D("Engine Rating           Takeoff:", "AFRTO", "SHP"),
      D("Max. Cont.:", "AFRMaxCont", "SHP"),
      D("OEI 2.5 Min:", "AFROEI25Min", "SHP"),
      D("OEI 3.0 Min:", "AFROEI30Min", "SHP"),
      D("OEI Max. Cont.:", "AFROEIMaxCont", "SHP"),
      H("FAR 36 Noise Levels"),
      D("Takeoff:", "FAR36Takeoff", "EPNdB"),
      D("Flyover:", "FAR36FlyOver", "EPNdB"),
      D("Approach:", "FAR36Approach", "EPNdB"),
      D("Meets FAR 36 Noise Levels:", "FAR36MNL"),
      H("Accommodations"),
      D2("Seats--      Crew/Pass (Corp):", "PilotSeats=1>CorpSeats\\|PassSeats=1>CorpSeats",
         "PilotSeats=2>CorpSeats\\|PassSeats=2>CorpSeats"),
      D2("Crew/Pass (Max):", "PilotSeats=1>UtilSeats\\|PassSeats=1>UtilSeats",
         "PilotSeats=2>UtilSeats\\|PassSeats=2>UtilSeats"),
      D("Crew/Litters/Attendants:", "Attendants"),
      D("Volume--      Total Pass Cabin:", "CabinVol{CuFt}", "Cu. Ft."),
      D("Passenger Area:", "SeatVol{CuFt}", "Cu. Ft."),
      D("Forward Pass Seat:", "ForwardPassSeat{CuFt}"),
      D("Baggage  - Total:", "BagVolExt{CuFt}", "Cu. Ft."),
      H("Performance"),
      D("VNE (SL, ISA):", "VNE{KTAS}", "KTAS"),
      C("Rate of Climb (Max GW, SL, ISA):"),
      D("--All Engines:", "RocAllEng{Ft}", "Ft/Min"),
      D("--One Engine Inop:", "RocOei{Ft}", "Ft/Min"),
      D("Maximum Range (30 Min Res):", "MR", "NM"),
      D("Max Endurance (30 Min Res):", "ME", "Hrs"),
      D("Max Cert Alt.:", "CertCeiling{Ft}", "Ft"),
  };
}

// The aircraft page: the rows of the aircraft tab. Each row leaves room for the lines its longest
// values wrap into (the maker's address block is one wrapped paragraph).
Page AircraftPage() {
  Page p = Frame("Aircraft.dxf", "Aircraft", Kind::kData);
  constexpr double h = 0.085, line = 1.5 * h, v1 = 2.1, v2 = 5.15;
  p.Put(v1, kHeadsY, 0.12, "AcName[1]");
  p.Put(v2, kHeadsY, 0.12, "AcName[2]");
  struct Item {
    const char* caption;
    const char* spec;
    int lines;  // lines the row keeps for its values
  };
  const Item items[] = {
      {"Model Number:", "ModelNum", 2},
      {"Manufacturer:",
       "AcMfgName\\nAddress_1\\nAddress_2\\nCity\\,State\\ Zipcode\\ Country\\nPhone\\nWebAddress", 5},
      // The second maker follows the first one's block, under the same caption.
      {"",
       "AcMfgNum2=AcMfgNum>AcMfg.AcMfgName\\nAcMfgNum2=AcMfgNum>AcMfg.Address_1\\nAcMfgNum2="
       "AcMfgNum>AcMfg.Address_2\\nAcMfgNum2=AcMfgNum>AcMfg.City\\,AcMfgNum2=AcMfgNum>AcMfg."
       "State\\ AcMfgNum2=AcMfgNum>AcMfg.Zipcode\\ AcMfgNum2=AcMfgNum>AcMfg.Country\\nAcMfgNum2="
       "AcMfgNum>AcMfg.Phone\\nAcMfgNum2=AcMfgNum>AcMfg.WebAddress",
       5},
      {"Yr Type Certified:", "YrTypeCert", 1},
      {"Certification Basis:", "CertBasis", 1},
      {"RVSM Certification:", "RVSMCert", 1},
      {"In Production:", "InProd\\zProdYr", 1},
      {"Serial Numbers:", "SerialNumbers", 2},
      {"Produced/In Service:", "ProducedInServ", 1},
      {"Data Valid For All:", "ValidForAll", 1},
      {"Notes:", "Remarks", 0},  // the rest of the page
  };
  double y = kHeadsY - 0.4;
  for (const Item& it : items) {
    if (*it.caption) p.Put(kLeft, y, h, it.caption);
    p.Put(v1, y, h, ForPlane(it.spec, 1));
    p.Put(v2, y, h, ForPlane(it.spec, 2));
    y -= it.lines * line + 0.16;
  }
  return p;
}

// ---- drawing pages ---------------------------------------------------------------------------

// The exterior page holds three views, each beside its caption at the left edge, level with the
// views' page points (between those of the two aircraft classes): the top view's is its
// centreline, so its caption stands there; the side and front views rise from theirs (the
// ground), so their captions stand half an inch higher, beside the fuselage.
Page ExteriorPage() {
  Page p = Frame("Exterior.dxf", "Exterior", Kind::kDrawing, {}, {{"PlotScale1"}});
  constexpr double x = 0.35, h = 0.1, rise = 0.5;
  p.Put(x, (8.75 + 8.5) / 2 + rise, h, "Side");
  p.Put(x, (5.5 + 5.0) / 2, h, "Top");
  p.Put(x, (1.25 + 1.0) / 2 + rise, h, "Front");
  return p;
}

std::vector<Page> AllPages() {
  std::vector<Page> pages;
  pages.push_back(AircraftPage());
  pages.push_back(GeneralPage("General.dxf", FixedWingRows()));
  pages.push_back(GeneralPage("GeneralHeli.dxf", HelicopterRows()));

  pages.push_back(ChartPage("Payload.dxf", "Payload - Range", {{10, 25, 75, 60, "Payload"}}));
  pages.push_back(ChartPage("BalancedFieldLength.dxf", "Balanced Field Length",
                            {{10, 25, 75, 60, "Takeoff"}}));
  pages.push_back(ChartPage("BlockFuelTime.dxf", "Block Fuel and Block Time",
                            {{10, 13, 75, 38, "BlockFuel"}, {10, 72, 75, 38, "BlockTime"}}));
  pages.push_back(ChartPage("WAT.dxf", "Weight - Altitude - Temperature",
                            {{10, 11, 75, 28, "WATCorp"},
                             {10, 53, 75, 23, "WATUtil"},
                             {10, 93, 35, 21, "LandingSL"},
                             {50, 93, 35, 21, "Landing5000Ft"}},
                            "(CAT)"));
  pages.push_back(ChartPage("ServiceCeiling.dxf", "Service Ceiling and Height-Velocity",
                            {{5, 12, 39, 38, "CeilingCorp"},
                             {46, 12, 39, 38, "CeilingUtil"},
                             {5, 71, 39, 38, "CeilingHV"},
                             {46, 71, 39, 38, "CeilingVNE"}}));
  pages.push_back(ChartPage("TakeoffLanding.dxf", "Takeoff and Landing",
                            {{10, 13, 75, 38, "TakeoffElevation"}, {10, 72, 75, 38, "Landing"}}));
  pages.push_back(ChartPage("Flight.dxf", "Flight Envelope",
                            {{10, 13, 75, 38, "CruiseSpeed"}, {10, 72, 75, 38, "OperatingSpeed"}}));

  pages.push_back(ExteriorPage());
  pages.push_back(Frame("Top.dxf", "Top View", Kind::kDrawing, {}, {{"PlotScale1"}}));
  pages.push_back(Frame("Side.dxf", "Side View", Kind::kDrawing, {}, {{"PlotScale1"}}));
  pages.push_back(Frame("Front.dxf", "Front View", Kind::kDrawing, {}, {{"PlotScale1"}}));
  // One interior template serves the overlaid page (interior and cabin at two scales) and the
  // side-by-side interior page (one scale, the second one empty): it names neither view, the
  // overlaid page's scale texts name theirs ("Interior: Scale = 1:50", "Cabin: Scale = 1:110").
  const std::vector<Scale> interiorScales = {{"PlotScale1", {}, "Interior: Scale = 1:1000"},
                                             {"PlotScale2", {}, "Cabin: Scale = 1:1000"}};
  pages.push_back(Frame("Interior.dxf", "Interior", Kind::kDrawing, {}, interiorScales));
  pages.push_back(
      Frame("InteriorHeli.dxf", "Interior", Kind::kDrawing, "(CORP/EMS/UTIL)", interiorScales));
  // The fixed-wing cabin page has one scale; its second one would read "Scale = 1:0".
  pages.push_back(Frame("Cabin.dxf", "Cabin", Kind::kDrawing, {}, {{"PlotScale1"}}));
  // Helicopter cabins: the front cross-sections at the first scale, the sides at the second, each
  // scale named by its views.
  pages.push_back(Frame("CabinHeli.dxf", "Cabin", Kind::kDrawing, "(CORP/EMS/UTIL)",
                        {{"PlotScale1", "Front sections:"}, {"PlotScale2", "Side sections:"}}));
  return pages;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_page_templates <output folder>\n";
    return 2;
  }
  std::filesystem::path dir = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  bool ok = true;
  for (const Page& page : AllPages()) {
    std::filesystem::path file = dir / page.File();
    std::ofstream out(file, std::ios::binary);
    out << page.Dxf();
    out.close();
    if (!out) {
      std::cerr << "cannot write " << file << "\n";
      ok = false;
    }
  }
  return ok ? 0 : 1;
}
