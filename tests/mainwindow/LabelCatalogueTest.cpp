// The label catalogue: every array member once, within its bounds, both planes alike, and the
// layout rules of the panels.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "foundation/General.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/LabelCatalogue.h"

namespace {

namespace ctl = MainForm::ctl;

using LabelCatalogue::Arr;
using LabelCatalogue::Find;
using LabelCatalogue::Members;

TEST(LabelCatalogue, ArraysHoldEachIndexOnceWithinTheirBounds) {
  const std::map<Arr, int> upper = {
      {Arr::lblData1, 49},        {Arr::lblData2, 49},   {Arr::gen0Data1, 47},
      {Arr::gen0Data2, 47},       {Arr::gen1Data1, 60},  {Arr::gen1Data2, 60},
      {Arr::gen0Units, 47},       {Arr::gen1Units, 59},  {Arr::gen0Desrciption, 47},
      {Arr::gen1Desrciption, 61}, {Arr::lblHeading, 16}, {Arr::barBG, 51}};
  std::set<std::pair<int, int>> seen;
  for (const auto& l : LabelCatalogue::Labels()) {
    EXPECT_TRUE(seen.insert({int(l.array), l.index}).second)
        << LabelCatalogue::ObjectName(l.array, l.index) << " twice";
    EXPECT_GE(l.index, 0);
    EXPECT_LE(l.index, upper.at(l.array)) << LabelCatalogue::ObjectName(l.array, l.index);
  }
  // Arrays that are full from 0 to their upper bound.
  for (Arr a : {Arr::lblData1, Arr::lblData2, Arr::gen0Data1, Arr::gen0Data2, Arr::gen1Data1,
                Arr::gen1Data2, Arr::gen0Units, Arr::gen0Desrciption, Arr::gen1Desrciption,
                Arr::lblHeading})
    EXPECT_EQ(int(Members(a).size()), upper.at(a) + 1) << LabelCatalogue::ArrayName(a);
  // Bars lie behind every other row of a section, numbered without gaps.
  const auto bars = Members(Arr::barBG);
  ASSERT_GE(bars.size(), 40u);
  for (size_t i = 0; i < bars.size(); ++i) EXPECT_EQ(bars[i]->index, int(i));
}

TEST(LabelCatalogue, BothPlanesShowTheSameRowsWithTheSameSpecs) {
  for (auto [one, two] :
       {std::pair{Arr::lblData1, Arr::lblData2}, std::pair{Arr::gen0Data1, Arr::gen0Data2},
        std::pair{Arr::gen1Data1, Arr::gen1Data2}})
    for (const auto* l : Members(one)) {
      const auto* other = Find(two, l->index);
      ASSERT_NE(other, nullptr);
      if (l->parent.rfind(ctl::framAircraft_, 0) == 0)
        EXPECT_EQ(other->parent, "framAircraft_1") << "Plane 2's own column";
      else
        EXPECT_EQ(other->parent, l->parent);
      const bool toolbar = one == Arr::lblData1 && (l->index == 48 || l->index == 49);
      if (!toolbar) {
        EXPECT_EQ(other->top, l->top) << "a row stands on one line";
      }
      if (one == Arr::gen0Data1 && (l->index == 31 || l->index == 32)) {
        EXPECT_NE(other->tag, l->tag);
        EXPECT_NE(l->tag.find("=1>"), std::string::npos);
        EXPECT_NE(other->tag.find("=2>"), std::string::npos);
      } else if (!toolbar) {
        EXPECT_EQ(other->tag, l->tag) << LabelCatalogue::ObjectName(l->array, l->index);
      }
    }
}

TEST(LabelCatalogue, TabPagesCarryEachPlanesNameSwatchAndSeparator) {
  struct Trio {
    int tab, name, swatch, separator;
  };
  const Trio trios[] = {{2, 12, 38, 37},  {3, 34, 35, 36},  {4, 31, 32, 33},  {5, 28, 29, 30},
                        {6, 19, 20, 21},  {7, 24, 23, 22},  {8, 27, 26, 25},  {9, 13, 14, 15},
                        {10, 18, 17, 16}, {11, 41, 40, 39}, {12, 44, 43, 42}, {13, 47, 46, 45}};
  for (const Trio& t : trios)
    for (Arr a : {Arr::lblData1, Arr::lblData2}) {
      const std::string page = ctl::framDisplay_ + std::to_string(t.tab);
      EXPECT_EQ(Find(a, t.name)->tag, "AcName");
      EXPECT_EQ(Find(a, t.swatch)->tag, "Color");
      EXPECT_EQ(Find(a, t.separator)->tag, "");
      EXPECT_EQ(Find(a, t.separator)->caption, "-");
      for (int i : {t.name, t.swatch, t.separator}) EXPECT_EQ(Find(a, i)->parent, page);
    }
  EXPECT_EQ(Find(Arr::lblData1, 38)->backColor, 255);
  EXPECT_EQ(Find(Arr::lblData2, 38)->backColor, 0xFF0000);
  EXPECT_EQ(Find(Arr::lblData1, 12)->left, Find(Arr::lblData1, 34)->left + 900);
}

TEST(LabelCatalogue, UnitLabelsArePaddedOrFixed) {
  struct Case {
    Arr array;
    int index;
    const char* tag;
    const char* caption;
    bool padded;
  };
  const Case cases[] = {
      {Arr::gen1Units, 0, "Lbs", "____________Lbs", true},
      {Arr::gen1Units, 34, "CuFt", "___________CuFt", true},
      {Arr::gen1Units, 18, "", "________Lbs/SHP", true},
      {Arr::gen1Units, 36, "", "______________%", true},
      // In the unit of the row above: blank underscores; no unit at all: nothing.
      {Arr::gen1Units, 1, "", "_______________", true},
      {Arr::gen1Units, 16, "", "", false},
      {Arr::gen0Units, 41, "", "____________NM", true},
      {Arr::gen0Units, 45, "Cu. Ft.", "________Cu. Ft.", true},
      {Arr::gen0Units, 47, "", "__________Cu. Ft.", true},
      {Arr::gen1Units, 57, "Cabin Volume <Cu Ft>:", "Cabin Volume Cu Ft:", false},
      {Arr::gen1Units, 59, "Aircraft Footprint Sq <Ft>:", "Aircraft Footprint Sq Ft:", false},
  };
  for (const Case& c : cases) {
    const auto* l = Find(c.array, c.index);
    ASSERT_NE(l, nullptr) << c.index;
    EXPECT_EQ(l->tag, c.tag) << c.index;
    EXPECT_EQ(l->caption, c.caption) << c.index;
    EXPECT_EQ(LabelCatalogue::IsPaddedUnit(*l), c.padded) << c.index;
  }
  EXPECT_EQ(Find(Arr::gen1Units, 57)->parent, ctl::fraIntCabVol_0);
  EXPECT_EQ(Find(Arr::gen1Data1, 60)->tag, "ACWidth\\*ACLength{SqFt}");
}

// The footprint is width times length: with metric on it must show square metres, not the
// square feet scaled once by the foot's factor.
TEST(LabelCatalogue, TheFootprintConvertsAsAnArea) {
  for (Arr array : {Arr::gen1Data1, Arr::gen1Data2}) {
    const std::string& tag = Find(array, 60)->tag;
    const size_t open = tag.find('{');
    ASSERT_NE(open, std::string::npos) << tag;
    const std::string unit = tag.substr(open + 1, tag.find('}') - open - 1);
    std::string text = "2734.48";  // 53.2 ft by 51.4 ft
    EXPECT_EQ(General::MetricConvert(text, unit), "254.0") << tag;
  }
}

TEST(LabelCatalogue, PanelsKeepTheirColumnsAndRowsDoNotOverlap) {
  for (int panel = 0; panel < 2; ++panel) {
    const std::string parent = ctl::framScroll_ + std::to_string(panel);
    std::map<int, int> rowsAt;  // top -> number of row captions there
    for (const auto& l : LabelCatalogue::Labels()) {
      if (l.parent != parent) continue;
      switch (l.array) {
        case Arr::gen0Desrciption:
        case Arr::gen1Desrciption:
          EXPECT_EQ(l.left, 90);
          EXPECT_EQ(l.left + l.width, 3210);
          ++rowsAt[l.top];
          break;
        case Arr::gen0Data1:
        case Arr::gen1Data1:
          EXPECT_EQ(l.left, 4455);
          EXPECT_EQ(l.left + l.width, 6495);
          break;
        case Arr::gen0Data2:
        case Arr::gen1Data2:
          EXPECT_EQ(l.left, 6690);
          EXPECT_EQ(l.left + l.width, 8730);
          break;
        case Arr::gen0Units:
        case Arr::gen1Units:
          EXPECT_EQ(l.left, 3225);
          EXPECT_EQ(l.left + l.width, 4410);
          break;
        default:
          break;
      }
      EXPECT_LE(l.top + l.height, LabelCatalogue::PanelHeight(panel));
    }
    for (auto [top, n] : rowsAt) EXPECT_EQ(n, 1) << "two captions at " << top;
  }
  // The fixed-wing panel also shows two rows of the helicopter arrays.
  EXPECT_EQ(Find(Arr::gen0Data1, 46)->parent, "framScroll_1");
  EXPECT_EQ(Find(Arr::gen0Data1, 47)->parent, "framScroll_1");
  EXPECT_EQ(Find(Arr::lblHeading, 12)->caption, " Certification (FAA)");
  EXPECT_EQ(Find(Arr::lblHeading, 12)->parent, "framScroll_0");
}

}  // namespace
