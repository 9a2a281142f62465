// The interior and cabin pages apart from the drawing control: columns by configuration, page
// points and boxes from the settings, the scale combinations and the reference crosses.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "printing/InteriorPages.h"

namespace {

using Printing::CrossLine;
using Printing::InteriorLayout;
using Printing::InteriorLayoutFor;
using Printing::InteriorPageKind;
using Printing::InteriorScales;

constexpr int kFixedWing = 1;
constexpr int kHeli = 2;

// Settings of "Print Locations" as the reader hands them on: each key read is noted; a key not
// in the map reads as 0 (the default).
struct Settings {
  std::map<std::string, double> values;
  std::vector<std::string> keys;
  Printing::LocationReader reader() {
    return [this](std::string_view key, double fallback, bool positive) {
      keys.emplace_back(key);
      const auto it = values.find(std::string(key));
      const double v = it == values.end() ? 0 : it->second;
      if (v == 0 || (positive && !(v > 0))) return fallback;
      return v;
    };
  }
};

InteriorLayout Layout(InteriorPageKind kind, int cls, int config = 1) {
  Settings none;
  return InteriorLayoutFor(kind, cls, config, none.reader());
}

TEST(InteriorLayout, ConfigurationChoosesTheHelicopterColumns) {
  struct Case {
    int cls, config;
    Printing::InteriorColumns want;
  };
  const Case cases[] = {
      {kHeli, 1, {"Interior", "CabinFront", "CabinSide"}},
      {kHeli, 2, {"InteriorEMS", "CabinFrontEMS", "CabinSideEMS"}},
      {kHeli, 3, {"InteriorUtil", "CabinFrontUtil", "CabinSideUtil"}},
      {kHeli, 7, {"InteriorUtil", "CabinFrontUtil", "CabinSideUtil"}},
      {kHeli, 0, {"InteriorUtil", "CabinFrontUtil", "CabinSideUtil"}},
      {kFixedWing, 2, {"Interior", "Cabin", ""}},
      {0, 3, {"Interior", "Cabin", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "class " << c.cls << " config " << c.config);
    EXPECT_EQ(Printing::InteriorColumnsFor(c.cls, c.config), c.want);
  }
  // The pages take their views from the same table.
  const InteriorLayout overlaid = Layout(InteriorPageKind::Overlaid, kHeli, 2);
  ASSERT_EQ(overlaid.views.size(), 3u);
  EXPECT_EQ(overlaid.views[0].column, "InteriorEMS");
  EXPECT_EQ(overlaid.views[1].column, "CabinFrontEMS");
  EXPECT_EQ(overlaid.views[2].column, "CabinSideEMS");
  const InteriorLayout cabin = Layout(InteriorPageKind::Cabin, kHeli, 3);
  ASSERT_EQ(cabin.views.size(), 2u);
  EXPECT_EQ(cabin.views[0].column, "CabinFrontUtil");
  EXPECT_EQ(cabin.views[1].column, "CabinSideUtil");
  EXPECT_EQ(Layout(InteriorPageKind::Interior, kHeli, 3).views.at(0).column, "InteriorUtil");
  EXPECT_EQ(Layout(InteriorPageKind::Cabin, kFixedWing).views.at(0).column, "Cabin");
}

TEST(InteriorLayout, TemplatesAndStatusTextsByPageAndClass) {
  struct Case {
    InteriorPageKind kind;
    int cls;
    const char *routine, *status, *file;
  };
  const Case cases[] = {
      {InteriorPageKind::Overlaid, kFixedWing, "PrintInteriorAndCabin",
       "Printing Interior and Cabin page", "Interior.dxf"},
      {InteriorPageKind::Overlaid, kHeli, "PrintInteriorAndCabin",
       "Printing Interior and Cabin page", "InteriorHeli.dxf"},
      {InteriorPageKind::Interior, kFixedWing, "PrintInterior", "Printing Interior page",
       "Interior.dxf"},
      {InteriorPageKind::Interior, kHeli, "PrintInterior", "Printing Interior page",
       "InteriorHeli.dxf"},
      {InteriorPageKind::Cabin, kFixedWing, "PrintCabin", "Printing Interior page", "Cabin.dxf"},
      {InteriorPageKind::Cabin, kHeli, "PrintCabin", "Printing Interior page", "CabinHeli.dxf"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Printing::InteriorPageNamesOf(c.kind).routine, c.routine);
    EXPECT_EQ(Printing::InteriorPageNamesOf(c.kind).status, c.status);
    EXPECT_EQ(Layout(c.kind, c.cls).templateFile, c.file);
  }
}

TEST(InteriorLayout, OverlaidPagesHaveFixedPointsBoxesAndScales) {
  struct Want {
    double x, y, fw, fh, cw, ch;
    int scale;
  };
  auto check = [](const InteriorLayout& l, const std::vector<Want>& want) {
    ASSERT_EQ(l.views.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
      const Printing::InteriorView& v = l.views[i];
      SCOPED_TRACE(std::string(v.column));
      EXPECT_EQ(v.x[0], want[i].x);
      EXPECT_EQ(v.x[1], want[i].x);  // both aircraft share the point
      EXPECT_EQ(v.y[0], want[i].y);
      EXPECT_EQ(v.y[1], want[i].y);
      EXPECT_EQ(v.fitWidth, want[i].fw);
      EXPECT_EQ(v.fitHeight, want[i].fh);
      EXPECT_EQ(v.crossWidth, want[i].cw);
      EXPECT_EQ(v.crossHeight, want[i].ch);
      EXPECT_EQ(v.scale, want[i].scale);
    }
  };
  // Settings play no part on this page.
  Settings s;
  s.values = {{"InteriorX1", 1}, {"CabinWd", 2}};
  const InteriorLayout heli = InteriorLayoutFor(InteriorPageKind::Overlaid, kHeli, 1, s.reader());
  check(heli, {{5.75, 7, 5, 9, 5, 9, 1}, {2, 7, 5, 5, 5, 5, 2}, {1, 1, 5, 5, 5, 5, 2}});
  check(InteriorLayoutFor(InteriorPageKind::Overlaid, kFixedWing, 1, s.reader()),
        {{5.75, 9, 7, 9, 3, 8, 1}, {2.25, 6, 3.75, 5, 3.5, 4, 2}});
  EXPECT_TRUE(s.keys.empty());
}

TEST(InteriorLayout, SideBySidePagesReadTheirSettingsInOrderWithTheirDefaults) {
  // The fixed-wing interior page with nothing set: (2.5, 10.25) and (5.5, 10.25), box 11 x 9.
  Settings fw;
  const InteriorLayout interior =
      InteriorLayoutFor(InteriorPageKind::Interior, kFixedWing, 1, fw.reader());
  ASSERT_EQ(interior.views.size(), 1u);
  const Printing::InteriorView& v = interior.views[0];
  EXPECT_EQ(v.x, (std::array<double, 2>{2.5, 5.5}));
  EXPECT_EQ(v.y, (std::array<double, 2>{10.25, 10.25}));
  EXPECT_EQ(v.fitWidth, 11);
  EXPECT_EQ(v.fitHeight, 9);
  EXPECT_EQ(v.crossWidth, 11);  // the cross box is the fit box
  EXPECT_EQ(fw.keys,
            (std::vector<std::string>{"InteriorX1", "InteriorX2", "InteriorY", "InteriorWd",
                                      "InteriorHt"}));

  Settings heli;
  const InteriorLayout hi = InteriorLayoutFor(InteriorPageKind::Interior, kHeli, 1, heli.reader());
  EXPECT_EQ(hi.views.at(0).x, (std::array<double, 2>{2.5, 6}));
  EXPECT_EQ(hi.views.at(0).y, (std::array<double, 2>{7, 7}));
  EXPECT_EQ(hi.views.at(0).fitWidth, 5);
  EXPECT_EQ(hi.views.at(0).fitHeight, 9);
  EXPECT_EQ(heli.keys.front(), "InteriorHeliX1");

  Settings hc;
  const InteriorLayout cabin = InteriorLayoutFor(InteriorPageKind::Cabin, kHeli, 1, hc.reader());
  ASSERT_EQ(cabin.views.size(), 2u);
  EXPECT_EQ(cabin.views[0].x, (std::array<double, 2>{2.5, 6}));
  EXPECT_EQ(cabin.views[0].y, (std::array<double, 2>{7.5, 7.5}));
  EXPECT_EQ(cabin.views[1].x, (std::array<double, 2>{1.2, 1.2}));
  EXPECT_EQ(cabin.views[1].y, (std::array<double, 2>{3.5, 1.5}));
  for (const auto& view : cabin.views) {
    EXPECT_EQ(view.fitWidth, 5.5);
    EXPECT_EQ(view.fitHeight, 6);
  }
  EXPECT_EQ(cabin.views[0].scale, 1);
  EXPECT_EQ(cabin.views[1].scale, 2);
  EXPECT_EQ(hc.keys, (std::vector<std::string>{"CabinFrontX1", "CabinFrontX2", "CabinSideX1",
                                               "CabinSideX2", "CabinSideY1", "CabinSideY2",
                                               "CabinWdHeli", "CabinHtHeli"}));

  Settings fc;
  const InteriorLayout fcab = InteriorLayoutFor(InteriorPageKind::Cabin, kFixedWing, 1, fc.reader());
  ASSERT_EQ(fcab.views.size(), 1u);
  EXPECT_EQ(fcab.views[0].x, (std::array<double, 2>{4, 4}));
  EXPECT_EQ(fcab.views[0].y, (std::array<double, 2>{8.25, 3.65}));
  EXPECT_EQ(fcab.views[0].fitWidth, 8.75);
  EXPECT_EQ(fcab.views[0].fitHeight, 8);
  EXPECT_EQ(fc.keys, (std::vector<std::string>{"CabinY1", "CabinY2", "CabinWd", "CabinHt"}));
}

TEST(InteriorLayout, ASettingReplacesItsDefault) {
  Settings s;
  s.values = {{"InteriorWd", 4}, {"InteriorX1", -1}, {"InteriorY", 3.5}};
  const Printing::InteriorView v =
      InteriorLayoutFor(InteriorPageKind::Interior, kFixedWing, 1, s.reader()).views.at(0);
  EXPECT_EQ(v.fitWidth, 4);
  EXPECT_EQ(v.crossWidth, 4);
  EXPECT_EQ(v.x[0], -1);  // a page point may be negative
  EXPECT_EQ(v.y[1], 3.5);
}

// One table: the searched scales of the views, the chosen interior and cabin scales (0: not a
// to-scale print), the page's scales and its two scale texts.
TEST(InteriorScales, SearchedAndChosenScalesCombinePerPage) {
  struct Case {
    const char* name;
    InteriorPageKind kind;
    int cls;
    std::vector<double> searched;
    double print, cabin;
    InteriorScales want;
    const char *text1, *text2;
  };
  const double nan = std::nan("");
  constexpr auto kOverlaid = InteriorPageKind::Overlaid;
  constexpr auto kInterior = InteriorPageKind::Interior;
  constexpr auto kCabin = InteriorPageKind::Cabin;
  const Case cases[] = {
      // Searched: both helicopter cabin views at the larger of their scales.
      // The overlaid page names its two scales: the template has no names for them.
      {"heli overlaid, side needs more", kOverlaid, kHeli, {90, 40, 60}, 0, 0, {90, 60},
       "Interior: Scale = 1:90", "Cabin: Scale = 1:60"},
      {"heli overlaid, front needs more", kOverlaid, kHeli, {90, 60, 40}, 0, 0, {90, 60},
       "Interior: Scale = 1:90", "Cabin: Scale = 1:60"},
      {"fixed-wing overlaid", kOverlaid, kFixedWing, {80, 30}, 0, 0, {80, 30},
       "Interior: Scale = 1:80", "Cabin: Scale = 1:30"},
      {"interior page", kInterior, kHeli, {70}, 0, 0, {70, 0}, "Scale = 1:70", ""},
      // The helicopter cabin page: the fronts at the larger scale, the sides at their own.
      {"heli cabin, front needs more", kCabin, kHeli, {60, 40}, 0, 0, {60, 40}, "Scale = 1:60",
       "Scale = 1:40"},
      {"heli cabin, side needs more", kCabin, kHeli, {40, 60}, 0, 0, {60, 60}, "Scale = 1:60",
       "Scale = 1:60"},
      {"fixed-wing cabin", kCabin, kFixedWing, {50}, 0, 0, {50, 0}, "Scale = 1:50", ""},
      // Chosen, whether or not the drawings then fit.
      {"overlaid 150 / 30", kOverlaid, kHeli, {90, 40, 60}, 150, 30, {150, 30},
       "Interior: Scale = 1:150", "Cabin: Scale = 1:30"},
      {"overlaid fixed-wing, overflowing", kOverlaid, kFixedWing, {80, 30}, 20, 20, {20, 20},
       "Interior: Scale = 1:20", "Cabin: Scale = 1:20"},
      {"interior page, fractional", kInterior, kFixedWing, {70}, 62.3f, 30, {62.3f, 0},
       "Scale = 1:62.3", ""},
      {"cabin page: the cabin scale for every view", kCabin, kHeli, {60, 40}, 150, 30, {30, 30},
       "Scale = 1:30", "Scale = 1:30"},
      {"fixed-wing cabin page", kCabin, kFixedWing, {50}, 150, 30, {30, 30}, "Scale = 1:30",
       "Scale = 1:30"},
      // An unusable cabin scale keeps the searched cabin scales and their own texts.
      {"overlaid, cabin 0", kOverlaid, kHeli, {90, 40, 60}, 150, 0, {150, 60},
       "Interior: Scale = 1:150", "Cabin: Scale = 1:60"},
      {"overlaid, cabin negative", kOverlaid, kFixedWing, {80, 30}, 150, -5, {150, 30},
       "Interior: Scale = 1:150", "Cabin: Scale = 1:30"},
      {"cabin page, cabin 0", kCabin, kHeli, {60, 40}, 150, 0, {60, 40}, "Scale = 1:60",
       "Scale = 1:40"},
      {"cabin page, cabin NaN", kCabin, kFixedWing, {50}, 150, nan, {50, 0}, "Scale = 1:50", ""},
      // No chosen scale: the cabin scale of an earlier dialog plays no part.
      {"no print scale", kCabin, kHeli, {60, 40}, 0, 30, {60, 40}, "Scale = 1:60",
       "Scale = 1:40"},
      {"negative print scale", kOverlaid, kFixedWing, {80, 30}, -5, 30, {80, 30},
       "Interior: Scale = 1:80", "Cabin: Scale = 1:30"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const InteriorLayout l = Layout(c.kind, c.cls);
    const InteriorScales s = Printing::CombineInteriorScales(l, c.searched, c.print, c.cabin);
    EXPECT_EQ(s, c.want);
    const auto texts = Printing::InteriorScaleTexts(l, s);
    EXPECT_EQ(texts[0], c.text1);
    EXPECT_EQ(texts[1], c.text2);
  }
}

std::vector<CrossLine> Cross(double x1, double y1, double x2, double y2, double x3, double y3,
                             double x4, double y4) {
  return {{x1, y1, x2, y2}, {x3, y3, x4, y4}};
}

void ExpectLines(const std::vector<CrossLine>& got, const std::vector<CrossLine>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(got[i].x1, want[i].x1, 1e-12);
    EXPECT_NEAR(got[i].y1, want[i].y1, 1e-12);
    EXPECT_NEAR(got[i].x2, want[i].x2, 1e-12);
    EXPECT_NEAR(got[i].y2, want[i].y2, 1e-12);
  }
}

std::vector<CrossLine> Join(std::initializer_list<std::vector<CrossLine>> parts) {
  std::vector<CrossLine> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

TEST(ReferenceCrosses, OverlaidPagesHaveOneCrossPerViewWhateverIsShown) {
  const auto heli = Join({
      Cross(5.75, 2.5, 5.75, 10, 5.75 - 5.0 / 3, 7, 5.75 + 5.0 / 3, 7),  // interior
      Cross(2, 4.5, 2, 9.5, 2 - 5.0 / 3, 7, 2 + 5.0 / 3, 7),              // cabin front
      Cross(1, 0.5, 1, 3.5, 0.5, 1, 6, 1),                                // cabin side
  });
  const InteriorLayout h = Layout(InteriorPageKind::Overlaid, kHeli);
  ExpectLines(Printing::InteriorCrosses(h, true, true), heli);
  ExpectLines(Printing::InteriorCrosses(h, false, false), heli);
  // The fixed-wing interior cross is drawn with its cross box 3 x 8, not its fit box, whatever
  // the scale (a 300 x 700 interior prints at 1:80).
  const auto fw = Join({
      Cross(5.75, 1, 5.75, 9.5, 4.25, 9, 7.25, 9),     // interior
      Cross(2.25, 4, 2.25, 8, 0.5, 6, 4, 6),           // cabin, box 3.5 x 4
  });
  ExpectLines(Printing::InteriorCrosses(Layout(InteriorPageKind::Overlaid, kFixedWing), false,
                                        true),
              fw);
}

TEST(ReferenceCrosses, SideBySidePagesHaveOneCrossPerShownPlaneAndView) {
  const InteriorLayout cabin = Layout(InteriorPageKind::Cabin, kHeli);  // box 5.5 x 6
  const auto plane1 = Join({Cross(2.5, 4.5, 2.5, 10.5, 2.5 - 5.5 / 3, 7.5, 2.5 + 5.5 / 3, 7.5),
                            Cross(1.2, 3.0, 1.2, 6.5, 0.7, 3.5, 6.7, 3.5)});
  // Plane 2's side cross-section has the symmetric cross.
  const auto plane2 = Join({Cross(6, 4.5, 6, 10.5, 6 - 5.5 / 3, 7.5, 6 + 5.5 / 3, 7.5),
                            Cross(1.2, -1.5, 1.2, 4.5, 1.2 - 5.5 / 3, 1.5, 1.2 + 5.5 / 3, 1.5)});
  ExpectLines(Printing::InteriorCrosses(cabin, true, true), Join({plane1, plane2}));
  ExpectLines(Printing::InteriorCrosses(cabin, false, true), plane2);
  ExpectLines(Printing::InteriorCrosses(cabin, true, false), plane1);
  EXPECT_TRUE(Printing::InteriorCrosses(cabin, false, false).empty());

  // The interior pages take the shapes of the overlaid interiors with the fit box of the
  // settings (fixed-wing 11 x 9, helicopters 5 x 9).
  ExpectLines(Printing::InteriorCrosses(Layout(InteriorPageKind::Interior, kFixedWing), true,
                                        true),
              Join({Cross(2.5, 1.25, 2.5, 10.75, -3, 10.25, 8, 10.25),
                    Cross(5.5, 1.25, 5.5, 10.75, 0, 10.25, 11, 10.25)}));
  ExpectLines(Printing::InteriorCrosses(Layout(InteriorPageKind::Interior, kHeli), false, true),
              Cross(6, 2.5, 6, 10, 6 - 5.0 / 3, 7, 6 + 5.0 / 3, 7));
  ExpectLines(Printing::InteriorCrosses(Layout(InteriorPageKind::Cabin, kFixedWing), true, true),
              Join({Cross(4, 4.25, 4, 12.25, -0.375, 8.25, 8.375, 8.25),
                    Cross(4, -0.35, 4, 7.65, -0.375, 3.65, 8.375, 3.65)}));
}

}  // namespace
