// Reading a file in pieces (ReadDxfFile) gives what reading its bytes at once (ReadDxf) gives:
// the same drawing field for field, or the same error, whatever the size of the pieces and
// wherever they cut the lines, CR LF pairs, UTF-8 characters and objects.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/dxf/DxfTestSupport.h"
#include "platform/dxf/HostileDrawings.h"
#include "platform/dxf/Reader.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Files.h"

namespace {

namespace fs = std::filesystem;
using dxf::Document;
using dxf::Entity;
using dxftest::File;
using dxftest::Groups;

const size_t kPieces[] = {1, 2, 3, 7, 64, 4096, size_t{1} << 20};

// A folder of this run's own, removed when the tests end.
fs::path Scratch() {
  struct Folder {
    Folder() : path(fs::temp_directory_path() / ("tolvane-filereader-" + std::to_string(getpid()))) {
      fs::create_directories(path);
    }
    ~Folder() {
      std::error_code ec;
      fs::remove_all(path, ec);
    }
    fs::path path;
  };
  static const Folder folder;
  return folder.path / "drawing.dxf";
}

void Put(const std::string& bytes) { std::ofstream(Scratch(), std::ios::binary) << bytes; }

// Compares two entities field for field; `where` names the entity in failures.
void ExpectSame(const Entity& a, const Entity& b, const std::string& where) {
  SCOPED_TRACE(where + " " + a.EntityType.str());
  EXPECT_EQ(a.EntityType, b.EntityType);
  EXPECT_EQ(a.LayerName, b.LayerName);
  EXPECT_EQ(a.LineType, b.LineType);
  EXPECT_EQ(a.Text, b.Text);
  const double fa[] = {a.X0, a.Y0, a.X1, a.Y1, a.g40, a.g41, a.g50, a.g51};
  const double fb[] = {b.X0, b.Y0, b.X1, b.Y1, b.g40, b.g41, b.g50, b.g51};
  for (size_t i = 0; i < std::size(fa); ++i) EXPECT_EQ(fa[i], fb[i]) << "field " << i;
  EXPECT_EQ(a.Color, b.Color);
  EXPECT_EQ(a.Flags, b.Flags);
  EXPECT_EQ(a.Invisible, b.Invisible);
  EXPECT_EQ(a.PaperSpace, b.PaperSpace);
  ASSERT_EQ(a.Vertices.Count(), b.Vertices.Count());
  for (long i = 1; i <= a.Vertices.Count(); ++i) {
    const dxf::Vertex &va = a.Vertices.Item(i), &vb = b.Vertices.Item(i);
    EXPECT_TRUE(va.X0 == vb.X0 && va.Y0 == vb.Y0 && va.Bulge == vb.Bulge && va.Flags == vb.Flags)
        << "vertex " << i;
  }
  EXPECT_EQ(a.HasExtra(), b.HasExtra());
  const dxf::EntityExtra &xa = a.Extra(), &xb = b.Extra();
  EXPECT_EQ(xa.TextStyle, xb.TextStyle);
  EXPECT_EQ(xa.BlockName, xb.BlockName);
  const double ga[] = {xa.X2, xa.Y2, xa.X3, xa.Y3, xa.Thickness, xa.g42,
                       xa.g43, xa.g44, xa.g45, xa.g72, xa.g73};
  const double gb[] = {xb.X2, xb.Y2, xb.X3, xb.Y3, xb.Thickness, xb.g42,
                       xb.g43, xb.g44, xb.g45, xb.g72, xb.g73};
  for (size_t i = 0; i < std::size(ga); ++i) EXPECT_EQ(ga[i], gb[i]) << "extra field " << i;
  EXPECT_EQ(xa.g71, xb.g71);
  ASSERT_EQ(xa.Children.size(), xb.Children.size());
  for (size_t i = 0; i < xa.Children.size(); ++i) {
    ExpectSame(xa.Children[i], xb.Children[i], where + " child " + std::to_string(i));
  }
}

void ExpectSame(const Document& a, const Document& b) {
  ASSERT_EQ(a.Entities.Count(), b.Entities.Count());
  for (long i = 1; i <= a.Entities.Count(); ++i) {
    ExpectSame(a.Entities.Item(i), b.Entities.Item(i), "entity " + std::to_string(i));
  }
  ASSERT_EQ(a.Layers.Count(), b.Layers.Count());
  for (long i = 1; i <= a.Layers.Count(); ++i) {
    const dxf::Layer &la = a.Layers.Item(i), &lb = b.Layers.Item(i);
    EXPECT_TRUE(la.Name() == lb.Name() && la.Color == lb.Color && la.Frozen == lb.Frozen &&
                la.Off == lb.Off && la.LineType == lb.LineType)
        << "layer " << la.Name();
  }
  ASSERT_EQ(a.Blocks.Count(), b.Blocks.Count());
  for (size_t i = 0; i < a.Blocks.items().size(); ++i) {
    const dxf::Block &ba = a.Blocks.items()[i], &bb = b.Blocks.items()[i];
    EXPECT_EQ(ba.Name, bb.Name);
    EXPECT_TRUE(ba.BaseX == bb.BaseX && ba.BaseY == bb.BaseY && ba.Flags == bb.Flags);
    ASSERT_EQ(ba.Entities.Count(), bb.Entities.Count());
    for (long k = 1; k <= ba.Entities.Count(); ++k) {
      ExpectSame(ba.Entities.Item(k), bb.Entities.Item(k), ba.Name + " entity " + std::to_string(k));
    }
  }
  ASSERT_EQ(a.TextStyles.Count(), b.TextStyles.Count());
  for (long i = 1; i <= a.TextStyles.Count(); ++i) {
    const dxf::TextStyle &sa = a.TextStyles.Item(i), &sb = b.TextStyles.Item(i);
    EXPECT_TRUE(sa.StyleName == sb.StyleName && sa.FontFileName == sb.FontFileName &&
                sa.FixedHeight == sb.FixedHeight && sa.WidthFactor == sb.WidthFactor);
  }
  ASSERT_EQ(a.LineTypes.Count(), b.LineTypes.Count());
  for (long i = 1; i <= a.LineTypes.Count(); ++i) {
    EXPECT_EQ(a.LineTypes.Item(i).Name, b.LineTypes.Item(i).Name);
    EXPECT_EQ(a.LineTypes.Item(i).Elements, b.LineTypes.Item(i).Elements);
  }
  EXPECT_EQ(a.Head.AcadVer, b.Head.AcadVer);
  EXPECT_TRUE(a.Head.HasLimits == b.Head.HasLimits && a.Head.LimMaxX == b.Head.LimMaxX &&
              a.Head.HasExtents == b.Head.HasExtents && a.Head.ExtMaxY == b.Head.ExtMaxY &&
              a.Head.LtScale == b.Head.LtScale);
}

// Reads `bytes` both ways with every piece size: the same drawing, or the same error.
void ExpectReadsAlike(const std::string& bytes, const std::string& name,
                      const std::vector<size_t>& pieces = {std::begin(kPieces),
                                                           std::end(kPieces)}) {
  SCOPED_TRACE(name);
  Document whole;
  std::string error;
  dxf::ReadStats stats;
  try {
    stats = dxf::ReadDxf(bytes, whole);
  } catch (const vb::Error& e) {
    error = std::to_string(e.number) + " " + e.description;
  }
  Put(bytes);
  for (size_t piece : pieces) {
    SCOPED_TRACE("pieces of " + std::to_string(piece));
    Document d;
    d.Entities.Add().EntityType = "MARKER";
    try {
      dxf::ReadStats s = dxf::ReadDxfFile(Scratch(), d, piece);
      EXPECT_EQ(error, "") << "the file read, its bytes did not";
      EXPECT_EQ(s.entities, stats.entities);
      EXPECT_EQ(s.rejected, stats.rejected);
      ExpectSame(d, whole);
    } catch (const vb::Error& e) {
      EXPECT_EQ(std::to_string(e.number) + " " + e.description, error);
      ASSERT_EQ(d.Entities.Count(), 1);
      EXPECT_EQ(d.Entities.Item(1).EntityType, "MARKER") << "a failed read keeps the document";
    }
    if (testing::Test::HasFailure()) return;  // one report per input is enough
  }
}

std::string WithLineEnds(const std::string& text, const std::string& end) {
  std::string out;
  for (char c : text) {
    if (c == '\n')
      out += end;
    else
      out += c;
  }
  return out;
}

TEST(DxfFileReader, SampleDrawingsAndTemplatesReadAsTheirBytes) {
  int files = 0;
  for (const char* folder : {TOLVANE_SAMPLE_DRAWINGS, TOLVANE_TEMPLATES}) {
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
      if (entry.path().extension() != ".dxf") continue;
      std::string bytes;
      ASSERT_TRUE(vb::ReadWholeFile(entry.path(), bytes));
      // Pieces of a few bytes cut everything somewhere; the large ones keep a file whole.
      ExpectReadsAlike(bytes, entry.path().filename().string(), {5, 4096, size_t{1} << 20});
      ++files;
    }
  }
  EXPECT_GT(files, 40);
}

TEST(DxfFileReader, EveryCutReadsAlike) {
  const std::string body =
      Groups({{999, "a comment"},
              {0, "LINE"},
              {8, "Outline"},
              {102, "{ACAD_REACTORS"},
              {330, "1F"},
              {102, "}"},
              {10, "1.5"},
              {20, "2"},
              {11, "3"},
              {21, "4"},
              {1001, "APP"},
              {1000, "extended data"}}) +
      Groups({{0, "TEXT"}, {10, "0"}, {20, "0"}, {40, "2"}, {1, "caf\xC3\xA9 \xE2\x8C\x80 %%d"},
              {7, "Title"}, {72, "1"}}) +
      Groups({{0, "POLYLINE"}, {66, "1"}, {70, "1"}}) +
      Groups({{0, "VERTEX"}, {10, "0"}, {20, "0"}, {42, "0.5"}}) +
      Groups({{0, "VERTEX"}, {10, "1"}, {20, "0"}}) + Groups({{0, "SEQEND"}}) +
      Groups({{0, "INSERT"}, {2, "B"}, {10, "1"}, {20, "1"}, {66, "1"}}) +
      Groups({{0, "ATTRIB"}, {2, "TAG"}, {1, "value"}, {10, "0"}, {20, "0"}, {74, "3"}}) +
      Groups({{0, "SEQEND"}}) +
      Groups({{0, "LWPOLYLINE"}, {90, "3"}, {10, "0"}, {20, "0"}, {10, "1"}, {20, "1"},
              {42, "1"}, {10, "2"}, {20, "0"}}) +
      Groups({{0, "SOLID"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "0"}, {12, "0"}, {22, "1"}});
  const std::string tables =
      Groups({{0, "TABLE"}, {2, "LAYER"}, {0, "LAYER"}, {2, "Outline"}, {62, "-3"}, {70, "1"}}) +
      Groups({{0, "STYLE"}, {2, "Title"}, {3, "arial.ttf"}, {0, "ENDTAB"}});
  const std::string blocks =
      Groups({{0, "BLOCK"}, {2, "B"}, {10, "0"}, {20, "0"}, {0, "CIRCLE"}, {10, "0"}, {20, "0"},
              {40, "1"}, {0, "ENDBLK"}});
  const std::string header = Groups({{9, "$ACADVER"}, {1, "AC1015"}, {9, "$LIMMAX"},
                                     {10, "20"}, {20, "10"}});
  const std::string file = File(body, tables, blocks, header);
  struct Case {
    std::string name, bytes;
  };
  std::vector<Case> cases = {
      {"LF", file},
      {"CR LF", WithLineEnds(file, "\r\n")},
      {"CR alone", WithLineEnds(file, "\r")},
      {"blank lines at the end", file + "\n\n  \n"},
      {"no line end at the end", file.substr(0, file.size() - 1)},
      // Not UTF-8: the texts are Windows-1252, in a piece read before the byte that shows it.
      {"Windows-1252", File(body + Groups({{0, "TEXT"}, {10, "0"}, {20, "0"}, {1, "90\xB0"}}))},
      // A byte after the EOF object that is not UTF-8 makes the whole file Windows-1252.
      {"Windows-1252 after the end", file + "0\nJUNK\n1\n\xB0\n"},
      // A newer file is UTF-8 whatever its bytes.
      {"newer file", File(Groups({{0, "TEXT"}, {10, "0"}, {20, "0"}, {1, "90\xB0"}}), "", "",
                          Groups({{9, "$ACADVER"}, {1, "AC1021"}}))},
      {"a value longer than any piece", File(Groups({{0, "TEXT"}, {1, std::string(9000, 'x')}}))},
  };
  for (const auto& [name, bytes] : dxftest::HostileInputs()) cases.push_back({name, bytes});
  for (const Case& c : cases) ExpectReadsAlike(c.bytes, c.name);
}

TEST(DxfFileReader, BrokenFilesRaiseAlike) {
  const std::string good = File(Groups({{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}}));
  const std::string cases[] = {
      "",
      "\n\n\n",
      good.substr(0, good.find("11\n1")),
      "0\nSECTION\n2\nENTITIES\n0\nLINE\n10",
      std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + "junk",
      "0\nSECTION\n2\nENTITIES\nX\nLINE\n0\nENDSEC\n0\nEOF\n",
      "0\nSECTION\n2\nENTITIES\n\n0\nLINE\n0\nENDSEC\n0\nEOF\n",  // an empty group code
      File(Groups({{0, "LINE"}, {10, "abc"}, {20, "0"}})),
      std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
      "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nB\n0\nLINE\n",
      "0\nLINE\n10\n1\n",
      // Broken early and binary late: the binary data is what is reported, as for the bytes.
      "0\nSECTION\n2\nENTITIES\nX\nLINE\n" + std::string(5000, ' ') + std::string(1, '\0'),
      good + "0\nJUNK\n1\n" + std::string(1, '\0'),
  };
  int n = 0;
  for (const std::string& c : cases) ExpectReadsAlike(c, "case " + std::to_string(++n));

  Document d;
  try {
    dxf::ReadDxfFile(Scratch().parent_path() / "missing.dxf", d);
    ADD_FAILURE() << "a missing file read";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.number, 75);
  }
}

}  // namespace
