// The page templates as the build installs them in the program folder: each loads into the
// drawing control, holds only what the page printing collects and prints, carries the
// placeholders its page needs and none that its page must not have, shows every row of the
// window's data it stands for, and leaves the charts' and drawings' places free.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "foundation/General.h"
#include "mainwindow/LabelCatalogue.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/runtime/Files.h"

namespace {

namespace fs = std::filesystem;
using LabelCatalogue::Arr;

const std::vector<std::string>& TemplateNames() {
  static const std::vector<std::string> names = {
      "Aircraft.dxf",       "General.dxf",    "GeneralHeli.dxf",         "Payload.dxf",
      "BalancedFieldLength.dxf", "BlockFuelTime.dxf", "WAT.dxf",        "ServiceCeiling.dxf",
      "TakeoffLanding.dxf", "Flight.dxf",     "Exterior.dxf",            "Top.dxf",
      "Side.dxf",           "Front.dxf",      "Interior.dxf",            "InteriorHeli.dxf",
      "Cabin.dxf",          "CabinHeli.dxf"};
  return names;
}

void EnsureApp() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "test_data";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

// A template loaded by bare name from the program folder, once per test program.
const dxf::DrawingControl& Template(const std::string& name) {
  static std::map<std::string, std::unique_ptr<dxf::DrawingControl>> loaded;
  auto& slot = loaded[name];
  if (!slot) {
    slot = std::make_unique<dxf::DrawingControl>(fs::path(TOLVANE_PROGRAM_FOLDER));
    slot->LoadDrawingFile(name);
  }
  return *slot;
}

std::vector<const dxf::Entity*> Texts(const std::string& name) {
  std::vector<const dxf::Entity*> texts;
  for (const dxf::Entity& e : Template(name).EntityList())
    if (e.EntityType == "TEXT") texts.push_back(&e);
  return texts;
}

int Count(const std::string& name, const std::string& text) {
  int n = 0;
  for (const dxf::Entity* t : Texts(name)) n += t->Text == text;
  return n;
}

const dxf::Entity* FindText(const std::string& name, const std::string& text) {
  for (const dxf::Entity* t : Texts(name))
    if (t->Text == text) return t;
  return nullptr;
}

bool EndsWith(const std::string& s, std::string_view end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

// A spec as a template writes it for a plane: "[1]" or "[2]" after it, in place of a "[1]" the
// spec already ends with (the spec language ignores that suffix).
std::string ForPlane(std::string spec, int plane) {
  if (EndsWith(spec, "[1]")) spec.resize(spec.size() - 3);
  return spec + "[" + std::to_string(plane) + "]";
}

std::string Trim(std::string s) {
  s.erase(0, s.find_first_not_of(' '));
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

// ---- geometry of the printed texts --------------------------------------------------------

struct Rect {
  double x0, y0, x1, y1;
  bool Overlaps(const Rect& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

// The ink of a printed text in page inches, for the text `shown` in its place. The page
// printing draws a text of DXF height h in a font cell 1.5 h high with the baseline at the
// text's point (vertical code 0); the ink reaches from the descenders (0.3 h below) to the
// capitals (0.94 h above). Widths are measured in the face the templates name.
Rect Ink(const dxf::Entity& t, const std::string& shown) {
  static const QFontMetricsF metrics = [] {
    EnsureApp();
    QFont font("DejaVu Sans");
    font.setPixelSize(1000);
    return QFontMetricsF(font);
  }();
  const double em = 1.5 * t.g40 / (metrics.height() / 1000.0);
  const double w = metrics.horizontalAdvance(QString::fromStdString(shown)) / 1000.0 * em;
  const bool aligned = t.Extra().g72 != 0;
  const double x = aligned ? t.X1 : t.X0, y = aligned ? t.Y1 : t.Y0;
  const double left = t.Extra().g72 == 1 ? x - w / 2 : t.Extra().g72 == 2 ? x - w : x;
  return {left, y - 0.3 * t.g40, left + w, y + 0.94 * t.g40};
}

// What a page prints in place of a text of template `file`, at its longest likely: a value as one
// full wrapped line (values wrap at 44 characters), a long qualifier note, two long names, a
// legend with its swatch (1.5 font cells wide, drawn as blanks here), the longest scale and page
// texts. The interior templates' scales name their views.
std::string Shown(const std::string& file, const std::string& t) {
  if (file == "Interior.dxf" || file == "InteriorHeli.dxf") {
    if (t == "PlotScale1") return "Interior: Scale = 1:1000";
    if (t == "PlotScale2") return "Cabin: Scale = 1:1000";
  }
  static const std::map<std::string, std::string> fills = {
      {"AcNames", "Kestrane T12 Commuter, Sarrance 8 Executive"},
      {"Page n of Pages", "Page 12 of 12"},
      {"Legend1", "Kestrane T12 Commuter -  WW"},
      {"Legend2", "Sarrance 8 Executive -  WW"},
      {"PlotScale1", "Scale = 1:1000"},
      {"PlotScale2", "Scale = 1:1000"},
      {"(CAT)", "(CAT A)"},
      {"(WAT)", "(WAT A)"},
      {"(CORP/EMS/UTIL)", "(Corporate)"}};
  if (auto it = fills.find(t); it != fills.end()) return it->second;
  if (t.rfind("Qualifier:", 0) == 0)
    return "Four passengers at 200 lbs, NBAA IFR reserves (200 NM alternate), ISA, zero wind, "
           "taxi included.";
  if (t.size() > 3 && (t.ends_with("[1]") || t.ends_with("[2]")))
    return t.rfind("AcName[", 0) == 0 ? "Kestrane T12 Commuter"
                                      : "Aldercrest Aviation Business Aircraft Divisi";
  return t;
}

// The box of a chart as the page printing places it: left, top and width in percent of the
// page width, height in percent of the page height, from the top left corner of the 8.5 by 11
// inch page.
Rect ChartBox(int left, int top, int width, int height) {
  const double t = 11 - top * 8.5 / 100;
  return {left * 8.5 / 100, t - height * 11 / 100.0, (left + width) * 8.5 / 100, t};
}

// The body of a drawing page, between its header and footer: the drawings may go anywhere in it.
constexpr Rect kDrawingBody{0.25, 0.45, 8.25, 10.2};

struct PageCase {
  std::string file;
  std::vector<std::string> required;
  std::vector<std::string> forbidden;
  std::vector<Rect> free;  // where the page's charts or drawings go
};

const std::vector<std::string> kCommon = {"AcNames", "Page n of Pages"};
const std::vector<std::string> kLegends = {"Legend1", "Legend2"};

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Each page's placeholders: the required ones besides "AcNames" and "Page n of Pages", and those
// it must not carry. The data pages' field specs are checked against the window's labels below.
const std::vector<PageCase>& Pages() {
  const std::vector<std::string> noScales = {"PlotScale1", "PlotScale2"};
  const std::vector<std::string> dataForbidden = {"Legend1",    "Legend2",       "PlotScale1",
                                                  "PlotScale2", "(CORP/EMS/UTIL)", "(WAT)",
                                                  "(CAT)"};
  const std::vector<std::string> chartForbidden = {"PlotScale1", "PlotScale2", "(CORP/EMS/UTIL)"};
  const std::vector<std::string> drawingForbidden = {"(WAT)", "(CAT)"};
  static const std::vector<PageCase> pages = {
      {"Aircraft.dxf", {"ModelNum[1]", "ModelNum[2]", "Remarks[1]", "Remarks[2]"}, dataForbidden, {}},
      {"General.dxf",
       {"WtMaxRamp{Lb}[1]", "WtMaxRamp{Lb}[2]", "Ica{Ft}[1]", "Ica{Ft}[2]"},
       Join(dataForbidden, {"Ica{Ft}[1][1]", "Ica{Ft}[1][2]"}),
       {}},
      {"GeneralHeli.dxf",
       {"PilotSeats=1>CorpSeats\\|PassSeats=1>CorpSeats[1]",
        "PilotSeats=2>CorpSeats\\|PassSeats=2>CorpSeats[2]",
        "PilotSeats=1>UtilSeats\\|PassSeats=1>UtilSeats[1]",
        "PilotSeats=2>UtilSeats\\|PassSeats=2>UtilSeats[2]"},
       Join(dataForbidden,
            {"PilotSeats=1>CorpSeats\\|PassSeats=1>CorpSeats[2]",
             "PilotSeats=2>CorpSeats\\|PassSeats=2>CorpSeats[1]",
             "PilotSeats=1>UtilSeats\\|PassSeats=1>UtilSeats[2]",
             "PilotSeats=2>UtilSeats\\|PassSeats=2>UtilSeats[1]"}),
       {}},
      {"Payload.dxf", Join(kLegends, {"Qualifier:Payload"}), chartForbidden,
       {ChartBox(10, 25, 75, 60)}},
      {"BalancedFieldLength.dxf", Join(kLegends, {"Qualifier:Takeoff"}), chartForbidden,
       {ChartBox(10, 25, 75, 60)}},
      {"BlockFuelTime.dxf", Join(kLegends, {"Qualifier:BlockFuel", "Qualifier:BlockTime"}),
       chartForbidden, {ChartBox(10, 13, 75, 38), ChartBox(10, 72, 75, 38)}},
      {"WAT.dxf",
       Join(kLegends, {"(CAT)", "Qualifier:WATCorp", "Qualifier:WATUtil", "Qualifier:LandingSL",
                       "Qualifier:Landing5000Ft"}),
       chartForbidden,
       {ChartBox(10, 11, 75, 28), ChartBox(10, 53, 75, 23), ChartBox(10, 93, 35, 21),
        ChartBox(50, 93, 35, 21)}},
      {"ServiceCeiling.dxf",
       Join(kLegends, {"Qualifier:CeilingCorp", "Qualifier:CeilingUtil", "Qualifier:CeilingHV",
                       "Qualifier:CeilingVNE"}),
       chartForbidden,
       {ChartBox(5, 12, 39, 38), ChartBox(46, 12, 39, 38), ChartBox(5, 71, 39, 38),
        ChartBox(46, 71, 39, 38)}},
      {"TakeoffLanding.dxf", Join(kLegends, {"Qualifier:TakeoffElevation", "Qualifier:Landing"}),
       chartForbidden, {ChartBox(10, 13, 75, 38), ChartBox(10, 72, 75, 38)}},
      {"Flight.dxf", Join(kLegends, {"Qualifier:CruiseSpeed", "Qualifier:OperatingSpeed"}),
       chartForbidden, {ChartBox(10, 13, 75, 38), ChartBox(10, 72, 75, 38)}},
      // The view captions stand at the left edge, clear of the views.
      {"Exterior.dxf", Join(kLegends, {"PlotScale1", "Side", "Top", "Front"}),
       Join(drawingForbidden, {"PlotScale2", "(CORP/EMS/UTIL)"}),
       {{0.75, kDrawingBody.y0, kDrawingBody.x1, kDrawingBody.y1}}},
      {"Top.dxf", Join(kLegends, {"PlotScale1"}),
       Join(drawingForbidden, {"PlotScale2", "(CORP/EMS/UTIL)"}), {kDrawingBody}},
      {"Side.dxf", Join(kLegends, {"PlotScale1"}),
       Join(drawingForbidden, {"PlotScale2", "(CORP/EMS/UTIL)"}), {kDrawingBody}},
      {"Front.dxf", Join(kLegends, {"PlotScale1"}),
       Join(drawingForbidden, {"PlotScale2", "(CORP/EMS/UTIL)"}), {kDrawingBody}},
      // One interior template serves the overlaid page (two scales) and the side-by-side
      // interior page (the second scale empty).
      {"Interior.dxf", Join(kLegends, {"PlotScale1", "PlotScale2"}),
       Join(drawingForbidden, {"(CORP/EMS/UTIL)"}), {kDrawingBody}},
      {"InteriorHeli.dxf", Join(kLegends, {"PlotScale1", "PlotScale2", "(CORP/EMS/UTIL)"}),
       drawingForbidden, {kDrawingBody}},
      // The fixed-wing cabin page has no second scale: it would read "Scale = 1:0".
      {"Cabin.dxf", Join(kLegends, {"PlotScale1"}),
       Join(drawingForbidden, {"PlotScale2", "(CORP/EMS/UTIL)"}), {kDrawingBody}},
      {"CabinHeli.dxf", Join(kLegends, {"PlotScale1", "PlotScale2", "(CORP/EMS/UTIL)"}),
       drawingForbidden, {kDrawingBody}},
  };
  return pages;
}

bool IsPlaceholder(const std::string& t) {
  static const std::set<std::string> fixed = {
      "AcNames", "Page n of Pages", "Legend1", "Legend2", "PlotScale1", "PlotScale2",
      "(WAT)",   "(CAT)",           "(CORP/EMS/UTIL)"};
  return fixed.count(t) || t.rfind("Qualifier:", 0) == 0;
}

// ---- tests --------------------------------------------------------------------------------

TEST(PageTemplates, EveryTemplateLoadsAsPureVectorsOnTheLetterPage) {
  const fs::path folder = TOLVANE_PROGRAM_FOLDER;
  for (const std::string& name : TemplateNames()) {
    SCOPED_TRACE(name);
    // Installed by the build, as committed.
    std::string installed, committed;
    ASSERT_TRUE(vb::ReadWholeFile(folder / name, installed));
    ASSERT_TRUE(vb::ReadWholeFile(fs::path(TOLVANE_TEMPLATES) / name, committed));
    EXPECT_EQ(installed, committed);

    const dxf::DrawingControl& ctl = Template(name);
    EXPECT_EQ(ctl.Drawing().Head.AcadVer, "AC1009");
    ASSERT_GT(ctl.EntityList().Count(), 5);
    // One text style, whose font file names the face the texts print in.
    ASSERT_EQ(ctl.Drawing().TextStyles.Count(), 1);
    const dxf::TextStyle& style = ctl.Drawing().TextStyles.Item(1);
    EXPECT_EQ(dxf::FontFaceForFile(style.FontFileName), "DejaVu Sans");
    EXPECT_EQ(ctl.Drawing().Blocks.Count(), 0);

    for (const dxf::Entity& e : ctl.EntityList()) {
      SCOPED_TRACE(e.EntityType + " " + e.Text);
      // Only what the page printing collects and prints as vectors.
      ASSERT_TRUE(e.EntityType == "TEXT" || e.EntityType == "LINE" || e.EntityType == "POLYLINE");
      EXPECT_EQ(e.LayerName, "0");
      std::vector<std::pair<double, double>> points;
      if (e.EntityType == "TEXT") {
        // Left, centre or right on the baseline: placements that print where they should.
        EXPECT_TRUE(e.Extra().g72 == 0 || e.Extra().g72 == 1 || e.Extra().g72 == 2);
        EXPECT_TRUE(e.Extra().g73 == 0 || e.Extra().g73 == 2);
        EXPECT_EQ(e.Extra().TextStyle, style.StyleName);
        EXPECT_GT(e.g40, 0.05);
        EXPECT_EQ(e.g50, 0);
        points = {{e.X0, e.Y0}};
        if (e.Extra().g72 != 0) {
          EXPECT_EQ(e.X0, e.X1);
          EXPECT_EQ(e.Y0, e.Y1);
        }
      } else if (e.EntityType == "LINE") {
        points = {{e.X0, e.Y0}, {e.X1, e.Y1}};
      } else {
        // Only the segments between vertices print: a closed outline repeats its first one.
        ASSERT_GE(e.Vertices.Count(), 2);
        const dxf::Vertex& first = e.Vertices.Item(1);
        const dxf::Vertex& last = e.Vertices.Item(e.Vertices.Count());
        EXPECT_EQ(first.X0, last.X0);
        EXPECT_EQ(first.Y0, last.Y0);
        for (const dxf::Vertex& v : e.Vertices) points.emplace_back(v.X0, v.Y0);
      }
      for (auto [x, y] : points) {
        EXPECT_GE(x, 0.2);
        EXPECT_LE(x, 8.3);
        EXPECT_GE(y, 0.2);
        EXPECT_LE(y, 10.8);
      }
    }
  }
}

TEST(PageTemplates, EveryPageCarriesItsPlaceholdersAndNoneItMustNot) {
  ASSERT_EQ(Pages().size(), TemplateNames().size());
  for (const PageCase& page : Pages()) {
    SCOPED_TRACE(page.file);
    for (const std::string& t : kCommon) EXPECT_EQ(Count(page.file, t), 1) << t;
    for (const std::string& t : page.required) EXPECT_EQ(Count(page.file, t), 1) << t;
    for (const std::string& t : page.forbidden) EXPECT_EQ(Count(page.file, t), 0) << t;
    // No placeholder the page does not list (a stray qualifier or scale would print).
    const bool dataPage = page.free.empty();
    for (const dxf::Entity* t : Texts(page.file)) {
      if (IsPlaceholder(t->Text)) {
        bool listed = std::count(kCommon.begin(), kCommon.end(), t->Text) ||
                      std::count(page.required.begin(), page.required.end(), t->Text);
        EXPECT_TRUE(listed) << t->Text;
      }
      if (!dataPage) {
        EXPECT_FALSE(EndsWith(t->Text, "[1]") || EndsWith(t->Text, "[2]")) << t->Text;
      }
    }
  }
}

// The general data pages show every row of the window's panel of their class: the caption, both
// planes' specs, the unit, and the headings.
void ExpectPanel(const std::string& file, int panel) {
  SCOPED_TRACE(file);
  const std::string parent = "framScroll_" + std::to_string(panel);
  int rows = 0;
  for (const LabelCatalogue::LabelDef& l : LabelCatalogue::Labels()) {
    if (l.parent != parent) continue;
    const bool plane1 = l.array == Arr::gen0Data1 || l.array == Arr::gen1Data1;
    const bool plane2 = l.array == Arr::gen0Data2 || l.array == Arr::gen1Data2;
    if ((plane1 || plane2) && !l.tag.empty()) {
      const std::string text = ForPlane(l.tag, plane1 ? 1 : 2);
      const dxf::Entity* value = FindText(file, text);
      ASSERT_NE(value, nullptr) << text;
      EXPECT_EQ(Count(file, text), 1) << text;
      if (!plane1) continue;
      ++rows;
      // The row's unit, as a text of its own on the value's line.
      const Arr units = l.array == Arr::gen0Data1 ? Arr::gen0Units : Arr::gen1Units;
      const LabelCatalogue::LabelDef* unit = LabelCatalogue::Find(units, l.index);
      std::string expected;
      if (unit && unit->parent == parent) {
        expected = !unit->tag.empty() ? unit->tag : unit->caption;
        expected.erase(0, expected.find_first_not_of('_'));
      }
      if (expected.empty()) continue;
      bool found = false;
      for (const dxf::Entity* t : Texts(file))
        found |= t->Y0 == value->Y0 && Trim(t->Text) == expected;
      EXPECT_TRUE(found) << "unit " << expected << " of " << text;
    } else if (l.array == Arr::gen0Desrciption || l.array == Arr::gen1Desrciption ||
               l.array == Arr::lblHeading) {
      if (Trim(l.caption).empty()) continue;
      EXPECT_GE(Count(file, Trim(l.caption)), 1) << l.caption;
    }
  }
  EXPECT_GT(rows, 40);
}

TEST(PageTemplates, GeneralPagesShowEveryRowOfTheirPanel) {
  ExpectPanel("General.dxf", 1);
  ExpectPanel("GeneralHeli.dxf", 0);
}

TEST(PageTemplates, AircraftPageShowsEveryRowOfTheAircraftTab) {
  for (int index = 1; index <= 11; ++index) {
    for (int plane = 1; plane <= 2; ++plane) {
      const LabelCatalogue::LabelDef* l =
          LabelCatalogue::Find(plane == 1 ? Arr::lblData1 : Arr::lblData2, index);
      ASSERT_NE(l, nullptr);
      EXPECT_EQ(Count("Aircraft.dxf", ForPlane(l->tag, plane)), 1) << l->tag;
    }
  }
  for (const LabelCatalogue::Caption& c : LabelCatalogue::AircraftTabCaptions())
    EXPECT_EQ(Count("Aircraft.dxf", c.text), 1) << c.text;
  // Column heads: each plane's name over its values.
  EXPECT_EQ(Count("Aircraft.dxf", "AcName[1]"), 1);
  EXPECT_EQ(Count("Aircraft.dxf", "AcName[2]"), 1);
}

// A text that is exactly an imperial unit label turns metric on a metric page. That must happen
// only to the unit of a value that turns metric with it (a spec with a unit in braces); a
// caption or an unconverted value's unit must never read as a label.
TEST(PageTemplates, OnlyTheUnitsOfConvertedValuesTurnMetric) {
  int converted = 0;
  for (const std::string& name : TemplateNames()) {
    SCOPED_TRACE(name);
    for (const dxf::Entity* t : Texts(name)) {
      if (General::MetricString(t->Text) == t->Text) continue;
      ++converted;
      // The values on the unit's line, which must carry a unit to convert.
      int values = 0;
      for (const dxf::Entity* v : Texts(name)) {
        if (v->Y0 != t->Y0 || !(EndsWith(v->Text, "[1]") || EndsWith(v->Text, "[2]"))) continue;
        ++values;
        EXPECT_NE(v->Text.find('{'), std::string::npos) << t->Text << " beside " << v->Text;
      }
      EXPECT_EQ(values, 2) << t->Text;
    }
  }
  EXPECT_GT(converted, 40);
  // The unit of a value shown as stored keeps its imperial label.
  const dxf::Entity* range = FindText("General.dxf", "MaxRngLrc[1]");
  ASSERT_NE(range, nullptr);
  bool nm = false;
  for (const dxf::Entity* t : Texts("General.dxf"))
    nm |= t->Y0 == range->Y0 && Trim(t->Text) == "NM" && General::MetricString(t->Text) == t->Text;
  EXPECT_TRUE(nm);
}

// With every placeholder filled at its longest, no two texts of a page meet, nor a text and a
// line: rows stand far enough apart, a full line of a value fits between its column and the next
// one (or the border), and notes, names, legends and scales keep clear of each other.
TEST(PageTemplates, FilledTextsMeetNoOtherTextOrLine) {
  for (const std::string& name : TemplateNames()) {
    SCOPED_TRACE(name);
    std::vector<const dxf::Entity*> texts = Texts(name);
    std::vector<Rect> inks;
    for (const dxf::Entity* t : texts) inks.push_back(Ink(*t, Shown(name, t->Text)));
    for (size_t i = 0; i < texts.size(); ++i)
      for (size_t j = i + 1; j < texts.size(); ++j)
        EXPECT_FALSE(inks[i].Overlaps(inks[j])) << texts[i]->Text << " / " << texts[j]->Text;
    // Segments (the templates draw only horizontal and vertical ones) stay off the texts.
    for (const dxf::Entity& e : Template(name).EntityList()) {
      std::vector<std::pair<double, double>> pts;
      if (e.EntityType == "LINE") pts = {{e.X0, e.Y0}, {e.X1, e.Y1}};
      if (e.EntityType == "POLYLINE")
        for (const dxf::Vertex& v : e.Vertices) pts.emplace_back(v.X0, v.Y0);
      for (size_t k = 1; k < pts.size(); ++k) {
        Rect seg{std::min(pts[k - 1].first, pts[k].first), std::min(pts[k - 1].second, pts[k].second),
                 std::max(pts[k - 1].first, pts[k].first), std::max(pts[k - 1].second, pts[k].second)};
        seg.x1 += 1e-3;
        seg.y1 += 1e-3;
        for (size_t i = 0; i < texts.size(); ++i)
          EXPECT_FALSE(seg.Overlaps(inks[i])) << "line through " << texts[i]->Text;
      }
    }
  }
}

// A value that wraps prints its further lines 1.5 text heights apart below its first one: the
// rows of long free texts (the makers' address blocks, the notes, names of engines and avionics)
// leave room for that many lines before the next text under them.
TEST(PageTemplates, LongFreeTextsLeaveRoomForTheirWrappedLines) {
  const std::string maker =
      "AcMfgName\\nAddress_1\\nAddress_2\\nCity\\,State\\ Zipcode\\ Country\\nPhone\\nWebAddress";
  const std::string secondMaker = LabelCatalogue::Find(Arr::lblData1, 3)->tag;
  struct Case {
    std::string file, spec;
    int lines;
  };
  const Case cases[] = {
      {"Aircraft.dxf", maker, 5},
      {"Aircraft.dxf", secondMaker, 5},
      {"Aircraft.dxf", "Remarks", 20},
      {"Aircraft.dxf", "SerialNumbers", 2},
      {"Aircraft.dxf", "ModelNum", 2},
      {"General.dxf", "EngMfgName", 2},
      {"General.dxf", "EngMod", 2},
      {"General.dxf", "EqpAvSys", 2},
      {"GeneralHeli.dxf", "EngMfgName", 2},
      {"GeneralHeli.dxf", "EngMod", 2},
  };
  for (const Case& c : cases) {
    for (int plane = 1; plane <= 2; ++plane) {
      const std::string text = ForPlane(c.spec, plane);
      SCOPED_TRACE(c.file + " " + text);
      const dxf::Entity* value = FindText(c.file, text);
      ASSERT_NE(value, nullptr);
      dxf::Entity last = *value;
      last.Text = "Aldercrest Aviation Business Aircraft Divisi";
      last.Y0 -= (c.lines - 1) * 1.5 * value->g40;
      const Rect lastLine = Ink(last, last.Text);
      // No text under the value stands where its last wrapped line would.
      for (const dxf::Entity* t : Texts(c.file)) {
        if (t == value || t->Y0 >= value->Y0) continue;
        EXPECT_FALSE(lastLine.Overlaps(Ink(*t, Shown(c.file, t->Text)))) << "runs into " << t->Text;
      }
    }
  }
}

// The qualifier notes of the chart pages a fixed-wing pair prints are found under the keys the
// templates name: each key has its row in the sample database's "Graph Qualifier".
TEST(PageTemplates, FixedWingQualifierKeysNameRowsOfTheSampleDatabase) {
  sqlite3* db = nullptr;
  const std::string file = std::string(TOLVANE_PROGRAM_FOLDER) + "/ac.mdb";
  ASSERT_EQ(sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  std::unique_ptr<sqlite3, int (*)(sqlite3*)> closer(db, sqlite3_close);
  int keys = 0;
  for (const std::string name : {"Payload.dxf", "BalancedFieldLength.dxf", "BlockFuelTime.dxf",
                                 "TakeoffLanding.dxf", "Flight.dxf"}) {
    for (const dxf::Entity* t : Texts(name)) {
      if (t->Text.rfind("Qualifier:", 0) != 0) continue;
      ++keys;
      const std::string key = t->Text.substr(10);
      sqlite3_stmt* st = nullptr;
      ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT Notes FROM \"Graph Qualifier\" WHERE GRAPH = ?", -1,
                                   &st, nullptr),
                SQLITE_OK);
      sqlite3_bind_text(st, 1, key.c_str(), -1, SQLITE_TRANSIENT);
      EXPECT_EQ(sqlite3_step(st), SQLITE_ROW) << name << " " << key;
      sqlite3_finalize(st);
    }
  }
  EXPECT_EQ(keys, 8);
}

// A helicopter pair looks its qualifiers up with "Heli" in front of the key the template names:
// each of those keys of the pages a helicopter pair prints has its row too.
TEST(PageTemplates, HelicopterQualifierKeysNameRowsOfTheSampleDatabase) {
  sqlite3* db = nullptr;
  const std::string file = std::string(TOLVANE_PROGRAM_FOLDER) + "/ac.mdb";
  ASSERT_EQ(sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  std::unique_ptr<sqlite3, int (*)(sqlite3*)> closer(db, sqlite3_close);
  int keys = 0;
  for (const std::string name :
       {"Payload.dxf", "BlockFuelTime.dxf", "WAT.dxf", "ServiceCeiling.dxf"}) {
    for (const dxf::Entity* t : Texts(name)) {
      if (t->Text.rfind("Qualifier:", 0) != 0) continue;
      ++keys;
      const std::string key = "Heli" + t->Text.substr(10);
      sqlite3_stmt* st = nullptr;
      ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT Notes FROM \"Graph Qualifier\" WHERE GRAPH = ?", -1,
                                   &st, nullptr),
                SQLITE_OK);
      sqlite3_bind_text(st, 1, key.c_str(), -1, SQLITE_TRANSIENT);
      EXPECT_EQ(sqlite3_step(st), SQLITE_ROW) << name << " " << key;
      sqlite3_finalize(st);
    }
  }
  EXPECT_EQ(keys, 11);
}

// Rendered as the page printing renders a template (the whole letter page over the picture, at
// 100 dpi here), each page leaves its charts' boxes and its drawing area without a mark.
TEST(PageTemplates, ChartAndDrawingAreasStayFree) {
  EnsureApp();
  for (const PageCase& page : Pages()) {
    if (page.free.empty()) continue;
    SCOPED_TRACE(page.file);
    dxf::DrawingControl ctl(fs::path(TOLVANE_PROGRAM_FOLDER));
    ctl.LoadDrawingFile(page.file);
    ctl.PlotMode = 0;
    ctl.PlotScale = 1;
    QImage picture(850, 1100, QImage::Format_RGB32);
    picture.fill(Qt::white);
    ctl.RenderToPicture(picture);
    // Something is drawn at all: the border's left edge.
    EXPECT_LT(qGray(picture.pixel(20, 550)), 128);
    for (const Rect& r : page.free) {
      int marks = 0;
      for (int px = static_cast<int>(std::ceil(r.x0 * 100)) + 1; px < r.x1 * 100 - 1; ++px)
        for (int py = static_cast<int>(std::ceil((11 - r.y1) * 100)) + 1; py < (11 - r.y0) * 100 - 1;
             ++py)
          marks += qGray(picture.pixel(px, py)) < 250;
      EXPECT_EQ(marks, 0) << "in (" << r.x0 << ", " << r.y0 << ") - (" << r.x1 << ", " << r.y1
                          << ")";
    }
  }
}

}  // namespace
