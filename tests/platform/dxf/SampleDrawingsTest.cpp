// The sample view drawings the program ships: each reads without a rejected entity, keeps its
// outline on layer "0" (which takes the plane's layer and colour when merged) and its
// dimensions on layer "DIM".
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/dxf/Reader.h"
#include "platform/runtime/Files.h"

namespace {

namespace fs = std::filesystem;

TEST(SampleDrawings, EveryDrawingReadsWithOutlineAndDimensions) {
  int files = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(TOLVANE_SAMPLE_DRAWINGS)) {
    if (entry.path().extension() != ".dxf") continue;
    ++files;
    std::string bytes;
    ASSERT_TRUE(vb::ReadWholeFile(entry.path(), bytes));
    dxf::Document doc;
    dxf::ReadStats stats = dxf::ReadDxf(bytes, doc);
    const std::string name = entry.path().filename().string();
    EXPECT_GT(stats.entities, 10) << name;
    EXPECT_EQ(stats.rejected, 0) << name;
    long outline = 0, dimensions = 0, other = 0;
    for (long i = 1; i <= doc.Entities.Count(); ++i) {
      const std::string& layer = doc.Entities.Item(i).LayerName;
      if (layer == "0") ++outline;
      else if (layer == "DIM") ++dimensions;
      else ++other;
    }
    EXPECT_GT(outline, 0) << name;
    EXPECT_GT(dimensions, 0) << name;
    EXPECT_EQ(other, 0) << name;
  }
  EXPECT_EQ(files, 38);
}

}  // namespace
