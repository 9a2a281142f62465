#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "platform/ini/Profile.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

// Every test gets a fresh folder of its own; fixtures are written and read back as raw bytes.
class ProfileFiles {
 public:
  ProfileFiles() {
    std::string pattern = (testsupport::TestTempRoot() / "tolvane_ini_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot create a temporary folder";
    dir_ = pattern;
  }
  ~ProfileFiles() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  ProfileFiles(const ProfileFiles&) = delete;
  ProfileFiles& operator=(const ProfileFiles&) = delete;

  const fs::path& dir() const { return dir_; }

  fs::path Put(const std::string& name, const std::string& contents) const {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << contents;
    return path;
  }

  static std::string Get(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  fs::path dir_;
};

class ProfileTest : public ::testing::Test {
 protected:
  ProfileFiles files;
};

// ---------------------------------------------------------------------------------------------
// Reading

struct ReadCase {
  const char* name;
  std::string contents;
  const char* section;
  const char* key;
  std::string expected;  // "<default>" when the default comes back
};

const std::string kDefault = "<default>";

class ProfileReadTest : public ::testing::TestWithParam<ReadCase> {
 protected:
  ProfileFiles files;
};

TEST_P(ProfileReadTest, ReturnsValueOrDefault) {
  const ReadCase& c = GetParam();
  const fs::path file = files.Put("Tolvane.ini", c.contents);
  EXPECT_EQ(ini::GetPrivateProfileString(c.section, c.key, kDefault, 255, file), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileReadTest,
    ::testing::Values(
        ReadCase{"NamesIgnoreCase", "[Paths]\nDataBase=ac.mdb\n", "PATHS", "database", "ac.mdb"},
        ReadCase{"BlanksAndTabsTrimmed", "[ \tPaths\t ]\n \t Data Base \t=\t  some value \t\n",
                 "Paths", "Data Base", "some value"},
        ReadCase{"LeadingBlanksOfLinesIgnored", "  \t[S]\n\t  k=v\n", "S", "k", "v"},
        ReadCase{"DoubleQuotesRemoved", "[S]\nk = \"  quoted  \" \n", "S", "k", "  quoted  "},
        ReadCase{"SingleQuotesRemoved", "[S]\nk='x'\n", "S", "k", "x"},
        ReadCase{"EmptyQuotes", "[S]\nk=\"\"\n", "S", "k", ""},
        ReadCase{"UnmatchedQuotesKept", "[S]\nk=\"x'\n", "S", "k", "\"x'"},
        ReadCase{"LoneQuoteKept", "[S]\nk=\"\n", "S", "k", "\""},
        ReadCase{"InnerQuotesKept", "[S]\nk=\"a\" b\n", "S", "k", "\"a\" b"},
        ReadCase{"SemicolonInValue", "[S]\nk=a;b ; c\n", "S", "k", "a;b ; c"},
        ReadCase{"EqualsInValue", "[S]\nk=a=b\n", "S", "k", "a=b"},
        ReadCase{"CommentLinesSkipped", "[S]\n;k=commented\n  ; k=also\nk=real\n", "S", "k",
                 "real"},
        ReadCase{"CommentedKeyIsMissing", "[S]\n;k=x\n", "S", "k", kDefault},
        ReadCase{"CrLfLines", "[S]\r\nk=v\r\nj=w\r\n", "S", "k", "v"},
        ReadCase{"LastLineWithoutLineEnd", "[S]\nk=v", "S", "k", "v"},
        ReadCase{"EmptyValueIsNotMissing", "[S]\nk=\n", "S", "k", ""},
        ReadCase{"BytesPassThrough", "[S]\nname=Z\xC3\xBCrich \xE2\x82\xAC\n", "S", "name",
                 "Z\xC3\xBCrich \xE2\x82\xAC"},
        ReadCase{"ByteOrderMarkSkipped", "\xEF\xBB\xBF[S]\nk=v\n", "S", "k", "v"},
        ReadCase{"HeaderWithTrailingText", "[S] ; note\nk=v\n", "S", "k", "v"},
        ReadCase{"MissingSection", "[S]\nk=v\n", "T", "k", kDefault},
        ReadCase{"MissingKey", "[S]\nk=v\n", "S", "j", kDefault},
        ReadCase{"KeyOfAnotherSection", "[A]\nk=1\n[B]\nj=2\n", "B", "k", kDefault},
        ReadCase{"KeyBeforeAnySection", "k=v\n[S]\n", "S", "k", kDefault},
        ReadCase{"LineWithoutEqualsIsNoKey", "[S]\nk\n", "S", "k", kDefault},
        ReadCase{"EmptyFile", "", "S", "k", kDefault},
        ReadCase{"FirstSectionWins", "[S]\nk=1\n[s]\nk=2\n", "s", "k", "1"},
        ReadCase{"FirstKeyWins", "[S]\nk=1\nK=2\n", "S", "k", "1"},
        ReadCase{"OnlyFirstSectionIsSearched", "[S]\nj=1\n[S]\nk=2\n", "S", "k", kDefault}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST_F(ProfileTest, MissingFileGivesDefault) {
  EXPECT_EQ(ini::GetPrivateProfileString("S", "k", "fallback", 255, files.dir() / "none.ini"),
            "fallback");
  EXPECT_EQ(ini::GetPrivateProfileString("S", "k", "", 255, files.dir() / "no" / "x.ini"), "");
  // A folder is no profile file either.
  EXPECT_EQ(ini::GetPrivateProfileString("S", "k", "fallback", 255, files.dir()), "fallback");
}

TEST_F(ProfileTest, BufferSizeCutsValueAndDefault) {
  const std::string value(300, 'x');
  const fs::path file = files.Put(
      "a.ini", "[S]\nk=" + value + "\nq=\"" + value + "\"\nf=" + std::string(254, 'y') + "\n");
  struct Case {
    const char* key;
    int bufferSize;
    std::string expected;
  };
  const Case cases[] = {
      {"k", 255, std::string(254, 'x')},
      {"q", 255, std::string(254, 'x')},  // cut after the quotes are removed
      {"f", 255, std::string(254, 'y')},  // fits exactly
      {"k", 2, "x"},
      {"k", 1, ""},
      {"k", 0, ""},
      {"k", -5, ""},
      {"missing", 4, "abc"},
      {"missing", 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " / " + std::to_string(c.bufferSize));
    EXPECT_EQ(ini::GetPrivateProfileString("S", c.key, "abcdef", c.bufferSize, file), c.expected);
  }
}

// ---------------------------------------------------------------------------------------------
// Writing

TEST_F(ProfileTest, CreatesFileSectionAndKey) {
  const fs::path file = files.dir() / "new.ini";
  ASSERT_TRUE(ini::WritePrivateProfileString("Paths", "DataBase", "ac.mdb", file));
  EXPECT_EQ(ProfileFiles::Get(file), "[Paths]\nDataBase=ac.mdb\n");
  EXPECT_EQ(ini::GetPrivateProfileString("paths", "database", "", 255, file), "ac.mdb");
}

TEST_F(ProfileTest, WrittenValuesReadBack) {
  const fs::path file = files.dir() / "round.ini";
  ASSERT_TRUE(ini::WritePrivateProfileString("A", "x", "1", file));
  ASSERT_TRUE(ini::WritePrivateProfileString("B", "y", "two words; and more", file));
  ASSERT_TRUE(ini::WritePrivateProfileString("a", "Z", "3", file));
  ASSERT_TRUE(ini::WritePrivateProfileString("A", "X", "4", file));
  EXPECT_EQ(ProfileFiles::Get(file), "[A]\nX=4\nZ=3\n[B]\ny=two words; and more\n");
  EXPECT_EQ(ini::GetPrivateProfileString("A", "x", "", 255, file), "4");
  EXPECT_EQ(ini::GetPrivateProfileString("B", "Y", "", 255, file), "two words; and more");
}

struct WriteCase {
  const char* name;
  std::string before;
  const char* section;
  const char* key;
  const char* value;
  std::string after;
};

class ProfileWriteTest : public ::testing::TestWithParam<WriteCase> {
 protected:
  ProfileFiles files;
};

TEST_P(ProfileWriteTest, RewritesFile) {
  const WriteCase& c = GetParam();
  const fs::path file = files.Put("Tolvane.ini", c.before);
  ASSERT_TRUE(ini::WritePrivateProfileString(c.section, c.key, c.value, file));
  EXPECT_EQ(ProfileFiles::Get(file), c.after);
  EXPECT_EQ(ini::GetPrivateProfileString(c.section, c.key, "<default>", 255, file), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWriteTest,
    ::testing::Values(
        WriteCase{"ReplacesInPlaceKeepingOtherLines",
                  "; settings\n[A]\n  X = old ; still value\n; note\nz=3\n\n[B]\nx=keep\n", "a",
                  "x", "new", "; settings\n[A]\nx=new\n; note\nz=3\n\n[B]\nx=keep\n"},
        WriteCase{"ReplacesFirstDuplicateOnly", "[A]\nk=1\nk=2\n", "A", "k", "new",
                  "[A]\nk=new\nk=2\n"},
        WriteCase{"ReplacesInFirstDuplicateSection", "[A]\nk=1\n[A]\nk=2\n", "A", "k", "new",
                  "[A]\nk=new\n[A]\nk=2\n"},
        WriteCase{"AppendsToEndOfSection", "[A]\nx=1\n; last word\n\n\n[B]\ny=2\n", "A", "z", "3",
                  "[A]\nx=1\n; last word\nz=3\n\n\n[B]\ny=2\n"},
        WriteCase{"AppendsToEmptySection", "[A]\n\n[B]\ny=2\n", "A", "z", "3",
                  "[A]\nz=3\n\n[B]\ny=2\n"},
        WriteCase{"AppendsToLastSection", "[A]\nx=1\n\n", "A", "z", "3", "[A]\nx=1\nz=3\n\n"},
        WriteCase{"AppendsSectionAtEnd", "[A]\nx=1\n\n", "B", "y", "2", "[A]\nx=1\n\n[B]\ny=2\n"},
        WriteCase{"EndsUnterminatedLineBeforeSection", "[A]\nx=1", "B", "y", "2",
                  "[A]\nx=1\n[B]\ny=2\n"},
        WriteCase{"EndsUnterminatedLineBeforeKey", "[A]\nx=1", "A", "y", "2", "[A]\nx=1\ny=2\n"},
        WriteCase{"KeepsUnterminatedReplacedLine", "[A]\nx=1", "A", "x", "2", "[A]\nx=2"},
        WriteCase{"KeepsCrLfOnReplace", "[A]\r\nx=1\r\ny=2\r\n", "A", "x", "9",
                  "[A]\r\nx=9\r\ny=2\r\n"},
        WriteCase{"KeepsCrLfOnAppend", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2", "A", "z", "3",
                  "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2"},
        WriteCase{"KeepsCrLfOnNewSection", "[A]\r\nx=1", "B", "y", "2",
                  "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
        WriteCase{"StyleComesFromFirstLine", "[A]\nx=1\r\n", "B", "y", "2",
                  "[A]\nx=1\r\n[B]\ny=2\n"},
        WriteCase{"KeepsByteOrderMark", "\xEF\xBB\xBF[A]\nx=1\n", "A", "x", "2",
                  "\xEF\xBB\xBF[A]\nx=2\n"},
        WriteCase{"EmptyFile", "", "A", "x", "1", "[A]\nx=1\n"},
        WriteCase{"EmptyValue", "[A]\nx=1\n", "A", "x", "", "[A]\nx=\n"}),
    [](const ::testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

TEST_F(ProfileTest, FailedWriteReturnsFalseAndKeepsFile) {
  const std::string original = "[A]\nx=1\n";
  const fs::path file = files.Put("a.ini", original);
  const fs::path folder = files.dir() / "folder.ini";
  fs::create_directory(folder);

  struct Case {
    const char* name;
    fs::path target;
    const char* value;
  };
  const Case cases[] = {
      {"parent is a regular file", file / "b.ini", "2"},
      {"parent folder missing", files.dir() / "missing" / "b.ini", "2"},
      {"target is a folder", folder, "2"},
      {"value with line break", file, "2\n[B]"},
      {"value with carriage return", file, "2\r"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(ini::WritePrivateProfileString("A", "x", c.value, c.target));
  }
  EXPECT_EQ(ProfileFiles::Get(file), original);
  EXPECT_FALSE(fs::exists(files.dir() / "missing"));
  EXPECT_TRUE(fs::is_empty(folder));
  EXPECT_FALSE(ini::WritePrivateProfileString("A\nB", "x", "1", file));
  EXPECT_FALSE(ini::WritePrivateProfileString("A", "x\ny", "1", file));
  EXPECT_EQ(ProfileFiles::Get(file), original);
}

TEST_F(ProfileTest, NamesThatWouldNotReadBackAreRefused) {
  // Each would be written where no lookup finds it again, or would change what other entries
  // read: a key "[B]x" plants the header of section B inside A, hiding the real B below it.
  const std::string original = "[A]\nx=1\n[B]\ny=2\n";
  const fs::path file = files.Put("a.ini", original);
  struct Case {
    const char* section;
    const char* key;
  };
  const Case cases[] = {
      {"A", "[B]x"}, {"A", ";x"},   {"A", "x=y"},  {"A", " x"},   {"A", "x\t"},
      {"A]B", "x"},  {" A", "x"},   {"A ", "x"},   {"A\r", "x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + " / " + c.key);
    EXPECT_FALSE(ini::WritePrivateProfileString(c.section, c.key, "3", file));
    EXPECT_EQ(ProfileFiles::Get(file), original);
  }
  EXPECT_EQ(ini::GetPrivateProfileString("B", "y", "", 255, file), "2");
  // Repeated writes of a storable key replace its line instead of adding one each time.
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(ini::WritePrivateProfileString("A", "z", "4", file));
  EXPECT_EQ(ProfileFiles::Get(file), "[A]\nx=1\nz=4\n[B]\ny=2\n");
  // Empty names, and names with blanks inside, read back.
  EXPECT_TRUE(ini::WritePrivateProfileString("", "", "5", file));
  EXPECT_TRUE(ini::WritePrivateProfileString("C D", "e f", "6", file));
  EXPECT_EQ(ini::GetPrivateProfileString("", "", "", 255, file), "5");
  EXPECT_EQ(ini::GetPrivateProfileString("c d", "E F", "", 255, file), "6");
}

}  // namespace
