// The placeholder texts of a page template: the word wrap, texts of several lines, and a
// fixture template filled for a pair from a test aircraft database.
#include <gtest/gtest.h>

#include <filesystem>

#include "DrawingsTestSupport.h"
#include "drawings/PageDrawing.h"
#include "foundation/DBase.h"
#include "foundation/Globals.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/Strings.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

TEST(MultiLine, WrapsAtTheLastSpaceWithinTheWidth) {
  struct Case {
    std::string text;
    int width;
    std::string wrapped;
  };
  const Case cases[] = {
      // The first line leaves its breaking space off, later lines keep it.
      {"The quick brown fox jumps", 10, "The quick\r\nbrown fox \r\njumps"},
      // A word longer than the width stays whole and ends at the first space after it.
      {"abcdefgh ij", 5, "abcdefgh\r\nij"},
      // A rest without any space is the last line, however long.
      {"abcdefghijkl", 5, "abcdefghijkl"},
      {"ab cdefghijkl", 5, "ab\r\ncdefghijkl"},
      // Short texts come back whole, with CR LF, CR and LF made spaces.
      {"one\r\ntwo\rthree\nfour", 44, "one two three four"},
      {"", 44, ""},
      // Several spaces at a break are all taken off the next line.
      {"aaaa    bbbb", 5, "aaaa\r\nbbbb"},
      // Characters, not bytes: "é" counts one.
      {"\u00e9t\u00e9 hiver", 4, "\u00e9t\u00e9\r\nhiver"},
      // A width below 1 wraps nothing.
      {"The quick brown fox", 0, "The quick brown fox"},
      {"The quick brown fox", -3, "The quick brown fox"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CadFunctions::MultiLine(c.text, c.width), c.wrapped) << c.text << " / " << c.width;
  }
}

// The template drawing CAD(0) over the real services, and a test aircraft database.
class TemplateText : public drawingstest::RealViews {
 protected:
  testsupport::TempDir dir;
  CadFunctions::PageInputs page;

  void SetUp() override {
    RealViews::SetUp();
    CadFunctions::SetPageInputsSource([this] { return page; });
  }
  // The aircraft database of the tests, with a long remark for aircraft 3 and a few qualifier
  // rows of this test's own. Built once: the tests only read it.
  void Database() {
    static testsupport::TempDir shared;
    static bool built = false;
    DBase::vars().DBPath = (shared / "ac.mdb").string();
    if (built) return;
    built = true;
    testsupport::BuildFromScript(
        shared / "ac.mdb", "ac_fixture.sql",
        "UPDATE Aircraft SET Remarks = 'Long range cabin && galley with a forward lavatory, "
        "a baggage hold reached in flight and seats that fold flat for sleeping AcName[1]' "
        "WHERE AcNum = 3;"
        "UPDATE Aircraft SET Remarks = 'Remarks[1]' WHERE AcNum = 7;"
        "INSERT INTO \"Graph Qualifier\" (GRAPH, Notes) VALUES "
        "('HeliBlockFuel', 'Printed helicopter block fuel'), "
        "('Pilot''s', 'A key with a quote'), ('Empty', NULL);");
  }
  dxf::Entity& text(double x, double y, const std::string& t, const std::string& type = "TEXT") {
    dxf::Entity& e = cad(0).EntityList().Add();
    e.EntityType = type;
    e.X0 = x, e.Y0 = y, e.X1 = x + 1, e.Y1 = y + 0.5, e.g40 = 0.1, e.Text = t;
    return e;
  }
  std::vector<std::string> texts() {
    std::vector<std::string> out;
    for (const dxf::Entity& e : cad(0).EntityList()) out.push_back(e.Text);
    return out;
  }
  // The text of a template placeholder once filled.
  std::string filled(const std::string& placeholder) {
    cad(0).EntityList().Clear();
    text(1, 1, placeholder);
    CadFunctions::UpdateCADText();
    std::string all;
    for (const dxf::Entity& e : cad(0).EntityList()) all += (all.empty() ? "" : "|") + e.Text;
    return all;
  }
};

TEST_F(TemplateText, FurtherLinesStandOneAndAHalfHeightsBelowAndLookLikeTheFirst) {
  dxf::Entity& e = text(2, 5, "placeholder");
  e.Y1 = 5.2, e.X1 = 3, e.EditExtra().g72 = 1, e.EditExtra().g73 = 2, e.g41 = 0.8,
  e.EditExtra().TextStyle = "TITLE";
  e.LayerName = "PLANE1", e.Color = 3;
  CadFunctions::SetCADText(1, "A\r\nB\r\nC");
  ASSERT_EQ(texts(), (std::vector<std::string>{"A", "B", "C"}));
  const double ys[] = {5, 4.85, 4.7};
  for (long i = 1; i <= 3; ++i) {
    const dxf::Entity& t = cad(0).EntityList().Item(i);
    EXPECT_EQ(t.EntityType, "TEXT");
    EXPECT_NEAR(t.Y0, ys[i - 1], 1e-12);
    EXPECT_NEAR(t.Y1, ys[i - 1] + 0.2, 1e-12);
    EXPECT_EQ(t.X0, 2);
    EXPECT_EQ(t.X1, 3);
    EXPECT_EQ(t.g40, 0.1);
    EXPECT_EQ(t.Extra().g72, 1);
    EXPECT_EQ(t.Extra().g73, 2);
    EXPECT_EQ(t.g41, 0.8);
    EXPECT_EQ(t.Extra().TextStyle, "TITLE");
    // The continuation lines keep the first line's layer and colour, not the current layer's.
    EXPECT_EQ(t.LayerName, "PLANE1");
    EXPECT_EQ(t.Color, 3);
  }
  // A last CR LF adds no empty line; an empty line between two keeps its place.
  cad(0).EntityList().Clear();
  text(0, 5, "x");
  CadFunctions::SetCADText(1, "A\r\nB\r\n");
  EXPECT_EQ(texts(), (std::vector<std::string>{"A", "B"}));
  cad(0).EntityList().Clear();
  text(0, 5, "x");
  CadFunctions::SetCADText(1, "A\r\n\r\nB");
  EXPECT_EQ(texts(), (std::vector<std::string>{"A", "", "B"}));
  EXPECT_NEAR(cad(0).EntityList().Item(3).Y0, 4.7, 1e-12);
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(TemplateText, AFixtureTemplateFilledForAPairOnPageThreeOfNine) {
  Database();
  inputs.Aircraft1 = "7";
  inputs.Aircraft2 = "3";
  page.PrintPageNumber = 3;
  page.PrintPageCount = 9;
  page.WATAAvailable = true;
  Globals::vars().WATChart = 1;
  inputs.UtilityInteriorAvailable = true;
  inputs.InteriorConfig = 2;
  Globals::vars().AircraftClass = 1;
  DBase::vars().MetricUnits = true;
  cad(0).LoadDrawingText(drawingstest::DxfFile(
      drawingstest::Text("0", 1, 10, 0.2, "Page n of Pages") +
      drawingstest::Text("0", 1, 9, 0.2, "AcNames") +
      drawingstest::Text("0", 1, 8, 0.1, "AcName[1]") +
      drawingstest::Text("TEXTS", 4, 8, 0.1, "Remarks[2]") +
      drawingstest::Text("0", 1, 7, 0.1, "Qualifier:BlockFuel") +
      drawingstest::Text("0", 1, 6, 0.1, "(WAT)") + drawingstest::Text("0", 2, 6, 0.1, "(CAT)") +
      drawingstest::Text("0", 3, 6, 0.1, "(CORP/EMS/UTIL)") +
      drawingstest::Text("0", 1, 5, 0.1, "Lbs") + drawingstest::Text("0", 2, 5, 0.1, "Range") +
      drawingstest::Text("0", 1, 4, 0.1, "Legend1") +
      drawingstest::Text("0", 2, 4, 0.1, "PlotScale1") +
      drawingstest::Text("0", 1, 3, 0.1, "AcNames", "MTEXT") +
      drawingstest::Text("0", 1, 2, 0.1, "Remarks[1]")));
  cad(0).SetCurrentLayerName("Plane1");  // as a page's set-up leaves it
  CadFunctions::UpdateCADText();
  EXPECT_EQ(texts(), (std::vector<std::string>{
                         "Page 3 of 9", "Seven, Three", "Seven",
                         "Long range cabin & galley with a forward", "Block fuel qualifier",
                         "(WAT A)", "(CAT A)", "(EMS)", "Kgs", "Range", "Legend1", "PlotScale1",
                         "AcNames",
                         // Aircraft 7's remark reads "Remarks[1]": written, never expanded again.
                         "Remarks[1]",
                         // The rest of aircraft 3's remark, below its first line; its last line
                         // is data, not a placeholder.
                         "lavatory, a baggage hold reached in flight ",
                         "and seats that fold flat for sleeping ", "AcName[1]"}));
  const dxf::EntityCollection& all = cad(0).EntityList();
  for (long i : {15L, 16L, 17L}) {
    EXPECT_EQ(all.Item(i).LayerName, "TEXTS");
    EXPECT_EQ(all.Item(i).X0, 4);
  }
  EXPECT_NEAR(all.Item(15).Y0, 8 - 0.15, 1e-9);
  EXPECT_NEAR(all.Item(16).Y0, 8 - 0.30, 1e-9);
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(TemplateText, NamesQualifiersAndLabelsFollowTheChoices) {
  Database();
  struct Case {
    std::string name;
    std::function<void()> set;
    std::string placeholder, expected;
  };
  const Case cases[] = {
      {"Plane 1 alone", [&] { inputs.Aircraft1 = "7"; }, "AcNames", "Seven"},
      {"Plane 2 alone", [&] { inputs.Aircraft2 = "3"; }, "AcNames", "Three"},
      {"no plane", [] {}, "AcNames", ""},
      {"a plane not chosen", [&] { inputs.Aircraft1 = "7"; }, "AcName[2]", ""},
      {"no such qualifier", [] {}, "Qualifier:Nothing", ""},
      {"helicopters put Heli first", [&] { Globals::vars().AircraftClass = 2; },
       "Qualifier:BlockFuel", "Printed helicopter block fuel"},
      {"a quote in the key", [] {}, "Qualifier:Pilot's", "A key with a quote"},
      {"no notes", [] {}, "Qualifier:Empty", ""},
      {"no WAT chart", [&] { Globals::vars().WATChart = 1; }, "(WAT)", ""},
      {"WAT B", [&] { page.WATBAvailable = true; }, "(WAT)", "(WAT B)"},
      {"CAT B", [&] { page.WATAAvailable = true; }, "(CAT)", "(CAT B)"},
      {"no configurations", [&] { inputs.InteriorConfig = 3; }, "(CORP/EMS/UTIL)", ""},
      {"utility",
       [&] {
         inputs.EMSInteriorAvailable = true;
         inputs.InteriorConfig = 3;
       },
       "(CORP/EMS/UTIL)", "(Utility)"},
      {"corporate", [&] { inputs.EMSInteriorAvailable = true; }, "(CORP/EMS/UTIL)", "(Corporate)"},
      {"imperial units", [] {}, "Lbs", "Lbs"},
      {"metric units", [] { DBase::vars().MetricUnits = true; }, "Inch", "cm"},
      // The field rule comes first: a spec that is a unit label is never converted as a label.
      {"a field before the label",
       [&] {
         DBase::vars().MetricUnits = true;
         inputs.Aircraft1 = "7";
       },
       "AcName[1]", "Seven"},
      // A page shows a field as the window does: figures with the user's decimal character.
      {"a comma locale",
       [&] {
         vb::CurrentNumberForms().decimal = ",";
         inputs.Aircraft1 = "7";
       },
       "DoorHeight\\xDoorWidth[1]", "4,5 x 2,5"},
      {"a near placeholder", [] {}, "Page n of pages", "Page n of pages"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    inputs = {};
    page = {};
    Globals::vars().AircraftClass = 1;
    Globals::vars().WATChart = 2;
    DBase::vars().MetricUnits = false;
    vb::CurrentNumberForms() = {};
    c.set();
    EXPECT_EQ(filled(c.placeholder), c.expected);
  }
  vb::CurrentNumberForms() = {};
  EXPECT_TRUE(traps.errors.empty());
}

// A database that cannot be read: each placeholder that reads it is reported and printed empty,
// the qualifier like the fields and the names (never the template's own "Qualifier:" text), and
// the rest are still filled.
TEST_F(TemplateText, WithoutADatabaseEachPlaceholderIsReportedAndEmptyAndTheRestStillFilled) {
  testsupport::BuildDatabase(dir / "bare.mdb", "CREATE TABLE Other (Id INTEGER);");
  struct Case {
    const char* name;
    std::string dbPath;
  };
  const Case cases[] = {
      {"no database file", (dir / "missing.mdb").string()},
      {"no qualifier table", (dir / "bare.mdb").string()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cad(0).EntityList().Clear();
    traps.errors.clear();
    DBase::vars().DBPath = c.dbPath;
    inputs.Aircraft1 = "7";
    page.PrintPageNumber = 2;
    page.PrintPageCount = 2;
    text(0, 4, "Qualifier:BlockFuel");
    text(0, 3, "AcName[1]");
    text(0, 2, "AcNames");
    text(0, 1, "Page n of Pages");
    CadFunctions::UpdateCADText();
    EXPECT_FALSE(traps.errors.empty());
    // What the page prints: a field the database module answers with a blank shows nothing.
    std::vector<std::string> printed;
    for (const std::string& t : texts()) printed.push_back(vb::Trim(t));
    EXPECT_EQ(printed, (std::vector<std::string>{"", "", "", "Page 2 of 2"}));
  }
}

}  // namespace
