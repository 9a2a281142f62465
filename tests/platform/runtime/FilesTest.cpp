#include <gtest/gtest.h>

#include <fstream>

#include "platform/runtime/Error.h"
#include "platform/runtime/Files.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadText;
using testsupport::TempDir;

void touch(const fs::path& p, const std::string& text = "x") { std::ofstream(p) << text; }

TEST(Files, NamesResolveExactlyFirstThenWithoutRegardToCase) {
  TempDir dir;
  touch(dir / "AIRCRAFT.DXF", "upper");
  EXPECT_EQ(vb::ResolveName(dir.path(), "Aircraft.dxf"), dir / "AIRCRAFT.DXF");
  touch(dir / "Aircraft.dxf", "exact");
  EXPECT_EQ(vb::ResolveName(dir.path(), "Aircraft.dxf"), dir / "Aircraft.dxf");
  // No match: the name as given, to be created.
  EXPECT_EQ(vb::ResolveName(dir.path(), "Top.dxf"), dir / "Top.dxf");
  // A sub-folder in the name and an absolute name: only the file name is matched loosely.
  fs::create_directories(dir / "DXF");
  touch(dir / "DXF" / "12TOP.dxf");
  EXPECT_EQ(vb::ResolveName(dir.path(), "DXF/12Top.dxf"), dir / "DXF" / "12TOP.dxf");
  EXPECT_EQ(vb::ResolveName("/elsewhere", (dir / "DXF" / "12top.DXF").string()),
            dir / "DXF" / "12TOP.dxf");
  // A missing folder is no error.
  EXPECT_EQ(vb::ResolveName(dir / "none", "a.txt"), dir / "none" / "a.txt");
}

TEST(Files, CurrentFolderIsARuntimeVariable) {
  TempDir dir;
  fs::path before = fs::current_path();
  vb::ChDir(dir.path());
  EXPECT_EQ(vb::CurDir(), dir.path());
  EXPECT_EQ(vb::InCurDir("ERROR.LOG"), dir / "ERROR.LOG");
  EXPECT_EQ(fs::current_path(), before);
}

TEST(Files, ProgramFolderCanBeSet) {
  TempDir dir;
  vb::SetProgramFolder(dir.path());
  EXPECT_EQ(vb::ProgramFolder(), dir.path());
}

TEST(Files, AppendLineAddsOneLineAtATime) {
  TempDir dir;
  vb::AppendLine(dir / "LOG", "one");
  vb::AppendLine(dir / "LOG", "two");
  EXPECT_EQ(ReadText(dir / "LOG"), "one\ntwo\n");
  try {
    vb::AppendLine(dir / "missing" / "LOG", "x");
    FAIL() << "no error";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.number, 75);
  }
}

TEST(Files, AtomicWriteReplacesWholeFileOrNothing) {
  TempDir dir;
  fs::path file = dir / "Tolvane.ini";
  EXPECT_TRUE(vb::WriteFileAtomic(file, "[A]\nk=1\n"));
  EXPECT_TRUE(vb::WriteFileAtomic(file, "[A]\nk=2\n"));
  EXPECT_EQ(ReadText(file), "[A]\nk=2\n");
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
  // A file marked read-only is kept, even for a user who could rename over it.
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_FALSE(vb::WriteFileAtomic(file, "changed"));
  EXPECT_EQ(ReadText(file), "[A]\nk=2\n");
  // A folder that does not exist.
  EXPECT_FALSE(vb::WriteFileAtomic(dir / "none" / "x.ini", "x"));
}

}  // namespace
