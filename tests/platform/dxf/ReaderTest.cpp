#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>

#include "platform/dxf/Aci.h"
#include "platform/dxf/DxfTestSupport.h"
#include "platform/dxf/Reader.h"
#include "platform/dxf/TagStream.h"
#include "platform/runtime/Error.h"

namespace {

using dxf::Document;
using dxftest::File;
using dxftest::Groups;

Document Read(const std::string& text) {
  Document d;
  dxf::ReadDxf(text, d);
  return d;
}

TEST(DxfReader, FieldsPerKind) {
  std::string ents =
      Groups({{0, "LINE"},
              {8, "Outline"},
              {62, "3"},
              {6, "dashed"},
              {39, "0.5"},
              {10, "1"},
              {20, "2"},
              {11, "3"},
              {21, "4"}}) +
      Groups({{0, "CIRCLE"}, {8, "0"}, {10, "45"}, {20, "-30"}, {40, "3"}}) +
      Groups({{0, "ARC"}, {10, "100"}, {20, "10"}, {40, "10"}, {50, "0"}, {51, "90"}}) +
      Groups({{0, "ELLIPSE"}, {10, "30"}, {20, "0"}, {11, "8"}, {21, "0"}, {40, "0.5"}}) +
      Groups({{0, "TEXT"},
              {8, "DIM"},
              {10, "50"},
              {20, "-72"},
              {40, "4"},
              {1, "8.3"},
              {50, "30"},
              {7, "arialsty"},
              {72, "1"}}) +
      Groups({{0, "TEXT"},
              {10, "5"},
              {20, "6"},
              {40, "2"},
              {1, "T"},
              {72, "1"},
              {11, "7"},
              {21, "8"},
              {41, "0.8"},
              {73, "2"}}) +
      Groups({{0, "MTEXT"},
              {10, "20"},
              {20, "4"},
              {40, "1"},
              {71, "5"},
              {3, "Gal"},
              {1, "ley\\PAft"},
              {50, "1.5707963267948966"}}) +
      Groups({{0, "SOLID"},
              {10, "-1"},
              {20, "0"},
              {11, "1"},
              {21, "0"},
              {12, "-1"},
              {22, "1"},
              {13, "1"},
              {23, "1"}}) +
      Groups({{0, "SOLID"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "0"}, {12, "0"}, {22, "1"}}) +
      Groups({{0, "LWPOLYLINE"},
              {90, "4"},
              {70, "1"},
              {10, "0"},
              {20, "-5"},
              {10, "100"},
              {20, "-5"},
              {42, "0.5"},
              {10, "100"},
              {20, "5"},
              {10, "0"},
              {20, "5"}}) +
      Groups({{0, "INSERT"}, {2, "SEAT"}, {10, "2"}, {20, "3"}}) +
      Groups(
          {{0, "INSERT"}, {2, "SEAT"}, {10, "10"}, {20, "3"}, {41, "2"}, {42, "0.5"}, {50, "90"}}) +
      Groups({{0, "DIMENSION"},
              {2, "*D1"},
              {10, "35"},
              {20, "10"},
              {11, "0"},
              {21, "15"},
              {70, "32"}}) +
      Groups({{0, "POINT"}, {10, "9"}, {20, "9"}}) +
      Groups({{0, "SPLINE"},
              {70, "8"},
              {10, "0"},
              {20, "0"},
              {10, "1"},
              {20, "1"},
              {10, "2"},
              {20, "0"}}) +
      Groups({{0, "WIPEOUT"}, {8, "misc"}, {10, "1"}, {20, "1"}, {340, "ABC"}});
  Document d = Read(File(ents));
  ASSERT_EQ(d.Entities.Count(), 16);
  const auto& line = d.Entities.Item(1);
  EXPECT_EQ(line.EntityType, "LINE");
  EXPECT_EQ(line.LayerName, "OUTLINE");
  EXPECT_EQ(line.Color, 3);
  EXPECT_EQ(line.LineType, "DASHED");
  EXPECT_DOUBLE_EQ(line.Extra().Thickness, 0.5);
  EXPECT_DOUBLE_EQ(line.X0, 1);
  EXPECT_DOUBLE_EQ(line.Y0, 2);
  EXPECT_DOUBLE_EQ(line.X1, 3);
  EXPECT_DOUBLE_EQ(line.Y1, 4);
  const auto& circle = d.Entities.Item(2);
  EXPECT_EQ(circle.Color, dxf::kByLayer);
  EXPECT_DOUBLE_EQ(circle.g40, 3);
  EXPECT_DOUBLE_EQ(circle.X0, 45);
  const auto& arc = d.Entities.Item(3);
  EXPECT_DOUBLE_EQ(arc.g50, 0);
  EXPECT_DOUBLE_EQ(arc.g51, 90);
  const auto& ellipse = d.Entities.Item(4);
  EXPECT_DOUBLE_EQ(ellipse.X1, 8);
  EXPECT_DOUBLE_EQ(ellipse.g40, 0.5);
  EXPECT_DOUBLE_EQ(ellipse.g41, 0);  // default start parameter
  EXPECT_DOUBLE_EQ(ellipse.Extra().g42, 2 * std::numbers::pi);
  const auto& text = d.Entities.Item(5);
  EXPECT_EQ(text.Text, "8.3");
  EXPECT_EQ(text.Extra().TextStyle, "ARIALSTY");
  EXPECT_DOUBLE_EQ(text.g40, 4);
  EXPECT_DOUBLE_EQ(text.g41, 1);  // default width factor
  EXPECT_DOUBLE_EQ(text.g50, 30);
  EXPECT_DOUBLE_EQ(text.Extra().g72, 1);
  EXPECT_DOUBLE_EQ(text.X1, 50);  // no 11/21: the alignment point is the insertion point
  EXPECT_DOUBLE_EQ(text.Y1, -72);
  const auto& aligned = d.Entities.Item(6);
  EXPECT_DOUBLE_EQ(aligned.X1, 7);
  EXPECT_DOUBLE_EQ(aligned.Y1, 8);
  EXPECT_DOUBLE_EQ(aligned.g41, 0.8);
  EXPECT_DOUBLE_EQ(aligned.Extra().g73, 2);
  const auto& mtext = d.Entities.Item(7);
  EXPECT_EQ(mtext.Text, "Galley\\PAft");
  EXPECT_EQ(mtext.Extra().g71, 5);
  EXPECT_NEAR(mtext.g50, 90, 1e-9);  // radians in the file, degrees in the field
  const auto& solid = d.Entities.Item(8);
  EXPECT_DOUBLE_EQ(solid.Extra().X3, 1);
  EXPECT_DOUBLE_EQ(solid.Extra().Y3, 1);
  const auto& triangle = d.Entities.Item(9);
  EXPECT_DOUBLE_EQ(triangle.Extra().X3, 0);  // three points: the fourth is the third
  EXPECT_DOUBLE_EQ(triangle.Extra().Y3, 1);
  const auto& lw = d.Entities.Item(10);
  ASSERT_EQ(lw.Vertices.Count(), 4);
  EXPECT_EQ(lw.Flags & 1, 1);
  EXPECT_DOUBLE_EQ(lw.Vertices.Item(2).X0, 100);
  EXPECT_DOUBLE_EQ(lw.Vertices.Item(2).Bulge, 0.5);
  EXPECT_DOUBLE_EQ(lw.Vertices.Item(3).Bulge, 0);
  EXPECT_DOUBLE_EQ(lw.X0, 0);
  EXPECT_DOUBLE_EQ(lw.Y0, -5);
  const auto& ins = d.Entities.Item(11);
  EXPECT_EQ(ins.Extra().BlockName, "SEAT");
  EXPECT_DOUBLE_EQ(ins.g41, 1);  // default scales
  EXPECT_DOUBLE_EQ(ins.Extra().g42, 1);
  const auto& ins2 = d.Entities.Item(12);
  EXPECT_DOUBLE_EQ(ins2.g41, 2);
  EXPECT_DOUBLE_EQ(ins2.Extra().g42, 0.5);
  EXPECT_DOUBLE_EQ(ins2.g50, 90);
  const auto& dim = d.Entities.Item(13);
  EXPECT_EQ(dim.Extra().BlockName, "*D1");
  EXPECT_DOUBLE_EQ(dim.X0, 35);
  EXPECT_DOUBLE_EQ(dim.Y1, 15);
  EXPECT_EQ(d.Entities.Item(14).EntityType, "POINT");
  EXPECT_EQ(d.Entities.Item(15).Vertices.Count(), 3);
  EXPECT_EQ(d.Entities.Item(16).EntityType, "WIPEOUT");  // unknown: type and layer kept
  EXPECT_EQ(d.Entities.Item(16).LayerName, "MISC");
  // Layers named only by entities join the collection after the declared ones.
  ASSERT_EQ(d.Layers.Count(), 4);
  EXPECT_EQ(d.Layers.Item(2).Name(), "OUTLINE");
  EXPECT_EQ(d.Layers.Item(3).Name(), "DIM");
  EXPECT_EQ(d.Layers.Item(4).Name(), "MISC");
  EXPECT_EQ(d.Layers.Item(4).Color, 7);
}

// The common kinds keep the rarely used fields in no block of their own (a large drawing stays
// small), also where the file spells out their defaults; those read as the defaults, and a copy
// of an entity that has the block owns its own.
TEST(DxfReader, CommonEntitiesHoldNoExtraFields) {
  Document d = Read(File(
      Groups({{0, "LINE"}, {10, "1"}, {20, "2"}, {11, "3"}, {21, "4"}, {39, "0"}}) +
      Groups({{0, "CIRCLE"}, {10, "1"}, {20, "1"}, {40, "2"}}) +
      Groups({{0, "ARC"}, {10, "1"}, {20, "1"}, {40, "2"}, {50, "10"}, {51, "20"}}) +
      Groups({{0, "TEXT"}, {10, "1"}, {20, "1"}, {40, "2"}, {1, "A"}, {7, "standard"},
              {72, "0"}, {73, "0"}}) +
      Groups({{0, "LWPOLYLINE"}, {90, "2"}, {10, "0"}, {20, "0"}, {10, "1"}, {20, "1"}}) +
      Groups({{0, "TEXT"}, {10, "1"}, {20, "1"}, {40, "2"}, {1, "B"}, {72, "2"}})));
  ASSERT_EQ(d.Entities.Count(), 6);
  for (long i = 1; i <= 5; ++i) {
    EXPECT_FALSE(d.Entities.Item(i).HasExtra()) << d.Entities.Item(i).EntityType;
  }
  const dxf::Entity& plain = d.Entities.Item(4);
  EXPECT_EQ(plain.Extra().TextStyle, "STANDARD");
  EXPECT_DOUBLE_EQ(plain.Extra().g72, 0);
  EXPECT_DOUBLE_EQ(plain.Extra().g43, 1);
  EXPECT_FALSE(plain.HasExtra());  // reading allocated nothing

  dxf::Entity justified = d.Entities.Item(6);
  ASSERT_TRUE(justified.HasExtra());
  EXPECT_DOUBLE_EQ(justified.Extra().g72, 2);
  justified.EditExtra().g72 = 1;
  EXPECT_DOUBLE_EQ(d.Entities.Item(6).Extra().g72, 2);
  dxf::Entity assigned;
  assigned = justified;
  justified.EditExtra().g72 = 0;
  EXPECT_DOUBLE_EQ(assigned.Extra().g72, 1);
}

TEST(DxfReader, PolylineSequenceAndAttribs) {
  std::string ents = Groups({{0, "POLYLINE"}, {66, "1"}, {70, "1"}, {10, "0"}, {20, "0"}}) +
                     Groups({{0, "VERTEX"}, {10, "0"}, {20, "0"}}) +
                     Groups({{0, "VERTEX"}, {10, "100"}, {20, "0"}, {42, "0.5"}}) +
                     Groups({{0, "VERTEX"}, {10, "100"}, {20, "20"}}) + Groups({{0, "SEQEND"}}) +
                     Groups({{0, "INSERT"}, {66, "1"}, {2, "B"}, {10, "1"}, {20, "1"}}) +
                     Groups({{0, "ATTRIB"},
                             {10, "1"},
                             {20, "2"},
                             {40, "1"},
                             {1, "tag value"},
                             {2, "TAG"},
                             {74, "3"},
                             {70, "1"}}) +
                     Groups({{0, "SEQEND"}}) +
                     Groups({{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}});
  Document d = Read(File(ents));
  ASSERT_EQ(d.Entities.Count(), 3);
  const auto& pl = d.Entities.Item(1);
  EXPECT_EQ(pl.EntityType, "POLYLINE");
  ASSERT_EQ(pl.Vertices.Count(), 3);
  EXPECT_DOUBLE_EQ(pl.Vertices.Item(2).Bulge, 0.5);
  EXPECT_EQ(pl.Flags, 1);
  const auto& ins = d.Entities.Item(2);
  ASSERT_EQ(ins.Extra().Children.size(), 1u);
  EXPECT_EQ(ins.Extra().Children[0].Text, "tag value");
  EXPECT_DOUBLE_EQ(ins.Extra().Children[0].Extra().g73, 3);
  EXPECT_TRUE(ins.Extra().Children[0].Invisible);
  EXPECT_EQ(d.Entities.Item(3).EntityType, "LINE");
}

TEST(DxfReader, TablesBlocksAndHeader) {
  std::string tables =
      Groups({{0, "TABLE"}, {2, "LAYER"}, {70, "3"}}) +
      Groups({{0, "LAYER"}, {2, "Page"}, {70, "0"}, {62, "5"}, {6, "CONTINUOUS"}}) +
      Groups({{0, "LAYER"}, {2, "0"}, {70, "0"}, {62, "7"}}) +
      Groups({{0, "LAYER"}, {2, "hidden"}, {70, "1"}, {62, "-2"}}) + Groups({{0, "ENDTAB"}}) +
      Groups({{0, "TABLE"}, {2, "STYLE"}}) +
      Groups({{0, "STYLE"}, {2, "ArialSty"}, {70, "0"}, {40, "0"}, {41, "1"}, {3, "arial.ttf"}}) +
      Groups({{0, "ENDTAB"}}) + Groups({{0, "TABLE"}, {2, "LTYPE"}}) +
      Groups({{0, "LTYPE"},
              {2, "DASHED"},
              {3, "__ __"},
              {73, "2"},
              {40, "0.75"},
              {49, "0.5"},
              {49, "-0.25"}}) +
      Groups({{0, "ENDTAB"}});
  std::string blocks =
      Groups({{0, "BLOCK"}, {8, "0"}, {2, "SEAT"}, {70, "0"}, {10, "0"}, {20, "0"}}) +
      Groups({{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}}) + Groups({{0, "ENDBLK"}});
  std::string header = Groups({{9, "$ACADVER"},
                               {1, "AC1009"},
                               {9, "$LIMMIN"},
                               {10, "0"},
                               {20, "0"},
                               {9, "$LIMMAX"},
                               {10, "8.5"},
                               {20, "11"}});
  Document d = Read(File("", tables, blocks, header));
  ASSERT_EQ(d.Layers.Count(), 3);
  EXPECT_EQ(d.Layers.Item(1).Name(), "0");  // "0" forced to position 1
  EXPECT_EQ(d.Layers.Item(2).Name(), "PAGE");
  EXPECT_EQ(d.Layers.Item(2).Color, 5);
  EXPECT_EQ(d.Layers.Item("Hidden").Color, 2);
  EXPECT_TRUE(d.Layers.Item("HIDDEN").Frozen);
  EXPECT_TRUE(d.Layers.Item("hidden").Off);
  ASSERT_NE(d.TextStyles.Find("arialsty"), nullptr);
  EXPECT_EQ(d.TextStyles.Find("ARIALSTY")->FontFileName, "arial.ttf");
  EXPECT_NE(d.TextStyles.Find("STANDARD"), nullptr);
  ASSERT_NE(d.LineTypes.Find("dashed"), nullptr);
  EXPECT_EQ(d.LineTypes.Find("DASHED")->Elements.size(), 2u);
  EXPECT_EQ(d.Blocks.Item("seat").Entities.Count(), 1);
  EXPECT_TRUE(d.Head.HasLimits);
  EXPECT_DOUBLE_EQ(d.Head.LimMaxX, 8.5);
  EXPECT_DOUBLE_EQ(d.Head.LimMaxY, 11);
}

TEST(DxfReader, LineEndsPaddingAndTextCodes) {
  struct Case {
    const char* name;
    std::string raw;  // the TEXT value as in the file
    std::string want;
    bool crlf;
  };
  const Case cases[] = {
      {"degree", "30%%d", "30\xC2\xB0", false},
      {"diameter and plus-minus", "%%c5 %%p1",
       "\xE2\x8C\x80"
       "5 \xC2\xB1"
       "1",
       true},
      {"percent and toggles", "%%u50%%%%%o", "50%", false},
      {"unicode escape", "A\\U+00B0B",
       "A\xC2\xB0"
       "B",
       true},
      {"utf-8 bytes", "\xC2\xB0", "\xC2\xB0", false},
      {"cp1252 byte", "90\xB0", "90\xC2\xB0", true},
  };
  for (const Case& c : cases) {
    std::string file = File(Groups({{0, "TEXT"}, {10, "0"}, {20, "0"}, {1, c.raw}}));
    if (c.crlf) {
      std::string crlf;
      for (char ch : file) {
        if (ch == '\n')
          crlf += "\r\n";
        else
          crlf += ch;
      }
      file = crlf;
    }
    Document d = Read(file);
    ASSERT_EQ(d.Entities.Count(), 1) << c.name;
    EXPECT_EQ(d.Entities.Item(1).Text, c.want) << c.name;
  }
  // Padded group codes and numbers, no EOF at the end.
  Document d = Read(
      "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\n  1.5\n 20\n2\n 11\n3\n 21\n4\n"
      "  0\nENDSEC\n");
  ASSERT_EQ(d.Entities.Count(), 1);
  EXPECT_DOUBLE_EQ(d.Entities.Item(1).X0, 1.5);
}

TEST(DxfReader, MalformedFilesRaiseAndKeepTheDocument) {
  std::string good = File(Groups({{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}}));
  struct Case {
    const char* name;
    std::string text;
  };
  std::string huge = File(Groups({{0, "LWPOLYLINE"}, {90, "2000000000"}, {10, "0"}, {20, "0"}}));
  const Case cases[] = {
      {"empty", ""},
      {"blank lines", "\n\n\n"},
      {"truncated mid-entity", good.substr(0, good.find("11\n1"))},
      {"odd number of lines", "0\nSECTION\n2\nENTITIES\n0\nLINE\n10"},
      {"binary sentinel", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + "junk"},
      {"non-numeric group code", "0\nSECTION\n2\nENTITIES\nX\nLINE\n0\nENDSEC\n0\nEOF\n"},
      {"number that does not read", File(Groups({{0, "LINE"}, {10, "abc"}, {20, "0"}}))},
      {"junk bytes", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
      {"truncated inside a block", "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nB\n0\nLINE\n"},
      {"truncated inside the tables", "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n"},
      {"no section", "0\nLINE\n10\n1\n"},
  };
  for (const Case& c : cases) {
    Document d = Read(good);
    try {
      dxf::ReadDxf(c.text, d);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const vb::Error& e) {
      EXPECT_EQ(e.number, dxf::kInvalidFileFormat) << c.name;
      EXPECT_NE(e.description.find("DXF"), std::string::npos) << c.name;
    }
    EXPECT_EQ(d.Entities.Count(), 1) << c.name << ": the old drawing must stay";
  }
  // A huge count with few vertices reads the vertices that are there.
  EXPECT_EQ(Read(huge).Entities.Item(1).Vertices.Count(), 1);
}

TEST(DxfReader, SectionsLeftOpenEndAtTheNextOne) {
  // A block without ENDBLK, tables and entities without ENDSEC: the next SECTION or EOF ends
  // them; nothing was cut off, so the file reads.
  Document d = Read(
      "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nA\n62\n3\n"
      "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nB\n0\nLINE\n11\n1\n0\nENDSEC\n"
      "0\nSECTION\n2\nENTITIES\n0\n\n0\nINSERT\n2\nB\n0\nEOF\n");
  EXPECT_EQ(d.Layers.Item("A").Color, 3);
  EXPECT_EQ(d.Blocks.Item("B").Entities.Count(), 1);
  ASSERT_EQ(d.Entities.Count(), 1);  // the object with an empty type is skipped
  EXPECT_EQ(d.Entities.Item(1).Extra().BlockName, "B");
}

TEST(DxfReader, NewerFileWithHandlesClassesAndObjects) {
  std::string text = "999\nwritten by a CAD program\n" +
                     Groups({{0, "SECTION"},
                             {2, "HEADER"},
                             {9, "$ACADVER"},
                             {1, "AC1015"},
                             {9, "$INSUNITS"},
                             {70, "1"},
                             {0, "ENDSEC"}}) +
                     Groups({{0, "SECTION"},
                             {2, "CLASSES"},
                             {0, "CLASS"},
                             {1, "ACDBDICTIONARYWDFLT"},
                             {2, "AcDbDictionaryWithDefault"},
                             {0, "ENDSEC"}}) +
                     Groups({{0, "SECTION"},
                             {2, "TABLES"},
                             {0, "TABLE"},
                             {2, "VPORT"},
                             {5, "8"},
                             {330, "0"},
                             {100, "AcDbSymbolTable"},
                             {70, "1"},
                             {0, "VPORT"},
                             {2, "*ACTIVE"},
                             {0, "ENDTAB"},
                             {0, "TABLE"},
                             {2, "LAYER"},
                             {5, "2"},
                             {102, "{ACAD_XDICTIONARY"},
                             {360, "1F"},
                             {102, "}"},
                             {100, "AcDbSymbolTable"},
                             {70, "2"},
                             {0, "LAYER"},
                             {5, "10"},
                             {330, "2"},
                             {100, "AcDbSymbolTableRecord"},
                             {100, "AcDbLayerTableRecord"},
                             {2, "0"},
                             {70, "0"},
                             {62, "7"},
                             {6, "Continuous"},
                             {370, "-3"},
                             {390, "F"},
                             {0, "LAYER"},
                             {5, "11"},
                             {100, "AcDbLayerTableRecord"},
                             {2, "Dim"},
                             {70, "0"},
                             {62, "4"},
                             {6, "Continuous"},
                             {0, "ENDTAB"},
                             {0, "TABLE"},
                             {2, "BLOCK_RECORD"},
                             {0, "BLOCK_RECORD"},
                             {2, "*Model_Space"},
                             {0, "ENDTAB"},
                             {0, "ENDSEC"}}) +
                     Groups({{0, "SECTION"},
                             {2, "BLOCKS"},
                             {0, "BLOCK"},
                             {5, "20"},
                             {8, "0"},
                             {2, "*Model_Space"},
                             {70, "0"},
                             {10, "0"},
                             {20, "0"},
                             {0, "ENDBLK"},
                             {5, "21"},
                             {0, "BLOCK"},
                             {2, "*Paper_Space"},
                             {0, "ENDBLK"},
                             {0, "ENDSEC"}}) +
                     Groups({{0, "SECTION"},
                             {2, "ENTITIES"},
                             {0, "LINE"},
                             {5, "2A"},
                             {330, "1F"},
                             {100, "AcDbEntity"},
                             {8, "Dim"},
                             {100, "AcDbLine"},
                             {10, "1"},
                             {20, "2"},
                             {30, "0"},
                             {11, "3"},
                             {21, "4"},
                             {31, "0"},
                             {1001, "APP"},
                             {1000, "xdata 10"},
                             {1010, "99"},
                             {0, "ENDSEC"}}) +
                     Groups({{0, "SECTION"},
                             {2, "OBJECTS"},
                             {0, "DICTIONARY"},
                             {5, "C"},
                             {3, "ACAD_GROUP"},
                             {350, "D"},
                             {0, "ENDSEC"},
                             {0, "EOF"}});
  Document d = Read(text);
  EXPECT_EQ(d.Head.AcadVer, "AC1015");
  ASSERT_EQ(d.Layers.Count(), 2);
  EXPECT_EQ(d.Layers.Item(2).Name(), "DIM");
  EXPECT_EQ(d.Layers.Item(1).LineType, "CONTINUOUS");
  EXPECT_EQ(d.Blocks.Count(), 0);  // the space records hold nothing to draw
  ASSERT_EQ(d.Entities.Count(), 1);
  EXPECT_DOUBLE_EQ(d.Entities.Item(1).X0, 1);  // xdata 1010 did not overwrite group 10
  EXPECT_DOUBLE_EQ(d.Entities.Item(1).Y1, 4);
}

TEST(DxfReader, NonFiniteCoordinatesDropTheEntity) {
  Document d;
  dxf::ReadStats s =
      dxf::ReadDxf(File(Groups({{0, "LINE"}, {10, "nan"}, {20, "0"}, {11, "1"}, {21, "1"}}) +
                        Groups({{0, "CIRCLE"}, {10, "1e999"}, {20, "0"}, {40, "1"}}) +
                        Groups({{0, "POINT"}, {10, "1"}, {20, "2"}})),
                   d);
  EXPECT_EQ(s.rejected, 2);
  ASSERT_EQ(d.Entities.Count(), 1);
  EXPECT_EQ(d.Entities.Item(1).EntityType, "POINT");
}

TEST(DxfReader, HatchBoundaryLoops) {
  std::string hatch =
      Groups({{0, "HATCH"}, {8, "fill"}, {10, "0"}, {20, "0"}, {2, "SOLID"}, {70, "1"},
              {91, "2"},    {92, "2"},   {72, "0"}, {73, "1"}, {93, "3"},    {10, "0"},
              {20, "0"},    {10, "1"},   {20, "0"}, {10, "1"}, {20, "1"},    {97, "0"},
              {92, "1"},    {93, "2"},   {72, "1"}, {10, "5"}, {20, "5"},    {11, "6"},
              {21, "5"},    {72, "1"},   {10, "6"}, {20, "5"}, {11, "6"},    {21, "6"},
              {97, "0"},    {75, "0"},   {76, "1"}, {98, "1"}, {10, "9"},    {20, "9"}});
  Document d = Read(File(hatch));
  ASSERT_EQ(d.Entities.Count(), 1);
  const auto& h = d.Entities.Item(1);
  ASSERT_EQ(h.Extra().Children.size(), 2u);
  EXPECT_EQ(h.Extra().Children[0].Vertices.Count(), 3);
  ASSERT_EQ(h.Extra().Children[1].Vertices.Count(), 3);  // shared edge end points joined
  EXPECT_DOUBLE_EQ(h.Extra().Children[1].Vertices.Item(3).Y0, 6);
  EXPECT_EQ(h.Extra().Children[1].LayerName, "FILL");
}

TEST(DxfAci, PaletteSpotValuesAndNearest) {
  struct Case {
    int aci;
    dxf::Rgb rgb;
  };
  const Case cases[] = {{1, dxf::MakeRgb(255, 0, 0)},      {2, dxf::MakeRgb(255, 255, 0)},
                        {5, dxf::MakeRgb(0, 0, 255)},      {7, dxf::MakeRgb(255, 255, 255)},
                        {8, dxf::MakeRgb(128, 128, 128)},  {10, dxf::MakeRgb(255, 0, 0)},
                        {11, dxf::MakeRgb(255, 127, 127)}, {12, dxf::MakeRgb(204, 0, 0)},
                        {19, dxf::MakeRgb(76, 38, 38)},    {21, dxf::MakeRgb(255, 159, 127)},
                        {30, dxf::MakeRgb(255, 127, 0)},   {50, dxf::MakeRgb(255, 255, 0)},
                        {140, dxf::MakeRgb(0, 191, 255)},  {250, dxf::MakeRgb(51, 51, 51)},
                        {253, dxf::MakeRgb(173, 173, 173)}};
  for (const Case& c : cases) {
    EXPECT_EQ(dxf::AciToRgb(c.aci), c.rgb) << c.aci;
  }
  EXPECT_EQ(dxf::MakeRgb(1, 2, 3), 0x030201u);  // red in the low byte
  EXPECT_EQ(dxf::RgbToAci(dxf::MakeRgb(255, 0, 0)), 1);
  EXPECT_EQ(dxf::RgbToAci(dxf::MakeRgb(0, 0, 250)), 5);
  EXPECT_EQ(dxf::RgbToAci(0x000000), 7);
  EXPECT_EQ(dxf::RgbToAci(0xFFFFFF), 7);
  EXPECT_EQ(dxf::AciDisplayRgb(7, 0xFFFFFF), 0x000000u);  // black on paper
  EXPECT_EQ(dxf::AciDisplayRgb(7, 0x000000), 0xFFFFFFu);
  for (int i = 1; i < 256; ++i) {
    if (i == 7) continue;
    int back = dxf::RgbToAci(dxf::AciToRgb(i));
    EXPECT_EQ(dxf::AciToRgb(back), dxf::AciToRgb(i)) << i;
  }
}

}  // namespace

// Numbers read to the same double as the general parser, whatever form a writer gives them.
TEST(DxfReader, NumbersReadExactlyInEveryForm) {
  dxf::reader::Object o;
  o.type = "LINE";
  dxf::reader::NumberReader numbers;
  numbers.Begin(o);
  uint64_t seed = 12345;
  auto next = [&] {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    return seed >> 11;
  };
  const char* formats[] = {"%.6f", "%.15g", "%.16g", "%.17g", "%.3f", "%.0f", "%.12f", "%.1f"};
  char buf[64];
  for (int i = 0; i < 20000; ++i) {
    const double magnitude = std::pow(10.0, static_cast<double>(next() % 14) - 6);
    double x = static_cast<double>(next()) / 9007199254740992.0 * magnitude;
    if (next() % 2) x = -x;
    std::snprintf(buf, sizeof buf, formats[i % 8], x);
    std::string_view text(buf);
    double expected = 0;
    std::from_chars(text.data(), text.data() + text.size(), expected);
    dxf::reader::Tag t{10, text};
    const double got = numbers.Real(t);
    ASSERT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << text << " read as " << got;
  }
  for (std::string_view text : {"0", "-0", "-0.0", "5.", ".5", "-.5", "007", "100.50", "1000",
                                "0.000000", "123456789012345", "1234567890123456789",
                                "0.00000000000000000000001", "1e5", "2.5E-3"}) {
    double expected = 0;
    std::from_chars(text.data(), text.data() + text.size(), expected);
    dxf::reader::Tag t{10, text};
    const double got = numbers.Real(t);
    EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << text << " read as " << got;
  }
  for (std::string_view bad : {"-", ".", "-.", "1.2.3", "1-2", "x"}) {
    dxf::reader::Tag t{10, bad};
    EXPECT_THROW(numbers.Real(t), vb::Error) << bad;
  }
}
