#include <gtest/gtest.h>

#include <numbers>
#include <type_traits>

#include "platform/dxf/DxfTestSupport.h"
#include "platform/dxf/EntityViews.h"
#include "platform/dxf/Reader.h"

namespace {

using dxftest::File;
using dxftest::Groups;

// Each group of a file lands where the view of its kind names it: every code carries a value of
// its own, so a view bound to the wrong field reads a wrong number.
TEST(DxfEntityViews, NamesReadTheGroupsOfEachKind) {
  dxf::Document d;
  dxf::ReadDxf(
      File(Groups({{0, "ARC"}, {10, "1"}, {20, "2"}, {40, "3"}, {50, "40"}, {51, "50"}}) +
           Groups({{0, "ELLIPSE"},
                   {10, "1"},
                   {20, "2"},
                   {11, "3"},
                   {21, "4"},
                   {40, "0.5"},
                   {41, "0.25"},
                   {42, "1.5"}}) +
           Groups({{0, "TEXT"},
                   {10, "1"},
                   {20, "2"},
                   {11, "3"},
                   {21, "4"},
                   {40, "5"},
                   {41, "0.75"},
                   {50, "30"},
                   {51, "15"},
                   {71, "2"},
                   {72, "4"},
                   {73, "3"},
                   {1, "T"}}) +
           Groups({{0, "MTEXT"},
                   {10, "1"},
                   {20, "2"},
                   {40, "5"},
                   {41, "60"},
                   {44, "1.5"},
                   {71, "8"},
                   {50, "0"},
                   {1, "M"}}) +
           Groups({{0, "INSERT"},
                   {2, "B"},
                   {10, "1"},
                   {20, "2"},
                   {41, "3"},
                   {42, "4"},
                   {43, "5"},
                   {50, "60"},
                   {70, "7"},
                   {71, "8"},
                   {44, "9"},
                   {45, "10"}}) +
           Groups({{0, "ATTDEF"}, {2, "TAGNAME"}, {70, "8"}, {74, "2"}, {40, "1"}, {1, "A"}})),
      d);
  ASSERT_EQ(d.Entities.Count(), 6);
  const dxf::ArcView arc(d.Entities.Item(1));
  EXPECT_EQ(
      (std::vector<double>{arc.CentreX, arc.CentreY, arc.Radius, arc.StartAngle, arc.EndAngle}),
      (std::vector<double>{1, 2, 3, 40, 50}));
  const dxf::CircleView circle(d.Entities.Item(1));
  EXPECT_EQ(circle.Radius, 3);
  EXPECT_EQ(circle.Centre().y, 2);

  const dxf::EllipseView el(d.Entities.Item(2));
  EXPECT_EQ((std::vector<double>{el.CentreX, el.CentreY, el.MajorX, el.MajorY, el.Ratio,
                                 el.StartParam, el.EndParam}),
            (std::vector<double>{1, 2, 3, 4, 0.5, 0.25, 1.5}));

  const dxf::TextView text(d.Entities.Item(3));
  EXPECT_EQ(
      (std::vector<double>{text.X, text.Y, text.AlignX, text.AlignY, text.Height, text.WidthFactor,
                           text.Rotation, text.Oblique, text.HJust, text.VJust}),
      (std::vector<double>{1, 2, 3, 4, 5, 0.75, 30, 15, 4, 3}));
  EXPECT_EQ(text.Mirror, 2);

  const dxf::MTextView mt(d.Entities.Item(4));
  EXPECT_EQ((std::vector<double>{mt.X, mt.Y, mt.Height, mt.Width, mt.LineSpacing, mt.Rotation}),
            (std::vector<double>{1, 2, 5, 60, 1.5, 0}));
  EXPECT_EQ(mt.Attachment, 8);

  const dxf::InsertView ins(d.Entities.Item(5));
  EXPECT_EQ(ins.Block, "B");
  EXPECT_EQ((std::vector<double>{ins.X, ins.Y, ins.XScale, ins.YScale, ins.ZScale, ins.Rotation,
                                 ins.ColumnSpacing, ins.RowSpacing}),
            (std::vector<double>{1, 2, 3, 4, 5, 60, 9, 10}));
  EXPECT_EQ(ins.Columns, 7);
  EXPECT_EQ(ins.Rows, 8);

  const dxf::TextView attdef(d.Entities.Item(6));
  EXPECT_EQ(attdef.Tag, "TAGNAME");
  EXPECT_EQ(attdef.AttributeFlags, 8);
  EXPECT_EQ(attdef.VJust, 2);  // group 74 for attributes
}

// A view writes the entity's own fields; over a const entity it only reads.
TEST(DxfEntityViews, WritesReachTheEntityAndConstViewsOnlyRead) {
  dxf::Entity e;
  e.EntityType = "INSERT";
  dxf::InsertView ins(e);
  ins.XScale = 2;
  ins.Rows = 3;
  ins.Block = "SEAT";
  EXPECT_EQ(e.g41, 2);
  EXPECT_EQ(e.Extra().g71, 3);
  EXPECT_EQ(e.Extra().BlockName, "SEAT");
  e.EditExtra().g44 = 12;
  EXPECT_EQ(ins.ColumnSpacing, 12);

  const dxf::Entity& ce = e;
  dxf::InsertView readOnly(ce);
  static_assert(std::is_const_v<std::remove_reference_t<decltype(readOnly.XScale)>>);
  static_assert(!std::is_const_v<std::remove_reference_t<decltype(ins.XScale)>>);
  EXPECT_EQ(readOnly.Rows, 3);
}

}  // namespace
