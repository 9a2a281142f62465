#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <fstream>

#include "foundation/DBaseFixture.h"
#include "foundation/Disk.h"
#include "platform/runtime/Clock.h"

namespace {

namespace fs = std::filesystem;
using dbasetest::DBaseFixture;

class DiskFiles : public DBaseFixture {
 protected:
  void Touch(const fs::path& file) { std::ofstream(file) << "x"; }
  // Sets the file's time to a local date and time, plus some milliseconds.
  void SetLocalTime(const fs::path& file, const vb::DateTimeParts& p, int millis) {
    std::tm tm{};
    tm.tm_year = p.year - 1900;
    tm.tm_mon = p.month - 1;
    tm.tm_mday = p.day;
    tm.tm_hour = p.hour;
    tm.tm_min = p.minute;
    tm.tm_sec = p.second;
    tm.tm_isdst = -1;
    auto when = std::chrono::system_clock::from_time_t(std::mktime(&tm)) +
                std::chrono::milliseconds(millis);
    fs::last_write_time(file, std::chrono::file_clock::from_sys(when));
  }
};

TEST_F(DiskFiles, FileExistsFindsVisibleFilesWithWildcards) {
  Touch(dir / "ac.mdb");
  Touch(dir / ".hidden");
  Touch(dir / "Notes.TXT");
  fs::create_directories(dir / "sub" / "deeper");
  Touch(dir / "sub" / "inner.dxf");
  fs::create_directories(dir / "folders" / "only.mdb");
  Touch(dir / "folders" / ".secret.mdb");
  fs::create_symlink(dir / "ac.mdb", dir / "link.mdb");
  fs::create_directory_symlink(dir / "sub", dir / "linked");
  const std::string d = dir.path().string() + "/";
  struct Case {
    std::string path;
    bool exists;
  };
  const Case cases[] = {
      {"", false},
      {d + "ac.mdb", true},
      {"ac.mdb", true},  // from the current folder
      {"AC.MDB", true},  // without regard to case
      {d + "notes.txt", true},
      {d + "missing.mdb", false},
      {d + ".hidden", false},
      {d + "sub", false},  // a folder
      {d + "linked", false},
      {d + "link.mdb", true},
      {d + "*.mdb", true},
      {d + "a?.mdb", true},
      {d + "?.mdb", false},
      {d + "*.dxf", false},
      {d + "sub/*.dxf", true},
      {"sub/INNER.*", true},
      {d + "*.*", true},
      {d + ".h*", false},  // only a hidden file matches
      {d + "folders/*", false},  // a folder and a hidden file
      {d + "folders/*.mdb", false},
      {d + "nowhere/*", false},
      {d + "sub/", false},
  };
  for (const Case& c : cases) EXPECT_EQ(Disk::FileExists(c.path), c.exists) << c.path;
  EXPECT_TRUE(Reports().empty());
}

TEST_F(DiskFiles, FileDateIsTheLocalTimeToTheSecond) {
  Touch(dir / "dxf.mdb");
  SetLocalTime(dir / "dxf.mdb", {2024, 3, 15, 10, 30, 45}, 700);
  const double expected = vb::DateFromParts({2024, 3, 15, 10, 30, 45});
  EXPECT_EQ(Disk::FileDate((dir / "dxf.mdb").string()), expected);
  EXPECT_EQ(Disk::FileDate("DXF.MDB"), expected);
  SetLocalTime(dir / "dxf.mdb", {1999, 12, 31, 23, 59, 59}, 0);
  EXPECT_EQ(Disk::FileDate("dxf.mdb"), vb::DateFromParts({1999, 12, 31, 23, 59, 59}));
  EXPECT_TRUE(Reports().empty());
}

TEST_F(DiskFiles, FileDateOfAMissingFileIsReportedAndZero) {
  fs::create_directory(dir / "folder");
  EXPECT_EQ(Disk::FileDate((dir / "missing.mdb").string()), 0);
  EXPECT_EQ(Disk::FileDate("folder"), 0);
  EXPECT_EQ(Disk::FileDate(""), 0);
  EXPECT_EQ(Reports(), std::vector<std::string>(3, "[Disk:FileDate]<Err:53>File not found"));
}

}  // namespace
