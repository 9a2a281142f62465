#include <gtest/gtest.h>

#include "platform/runtime/Error.h"
#include "platform/runtime/Strings.h"

namespace {

TEST(Strings, OneBasedPositionsAndBinaryCompare) {
  EXPECT_EQ(vb::InStr("a,b,c", ","), 2);
  EXPECT_EQ(vb::InStr(3, "a,b,c", ","), 4);
  EXPECT_EQ(vb::InStr("abc", "B"), 0);
  EXPECT_EQ(vb::InStr("abc", ""), 1);
  EXPECT_EQ(vb::InStr(4, "abc", ""), 0);
  EXPECT_EQ(vb::Left("abc", 2), "ab");
  EXPECT_EQ(vb::Left("abc", 9), "abc");
  EXPECT_EQ(vb::Right("abc", 2), "bc");
  EXPECT_EQ(vb::Mid("abcdef", 3), "cdef");
  EXPECT_EQ(vb::Mid("abcdef", 3, 2), "cd");
  EXPECT_EQ(vb::Mid("abc", 7), "");
  EXPECT_EQ(vb::UCase("Not true 1"), "NOT TRUE 1");
  EXPECT_TRUE(vb::EqualsNoCase("Settings", "sETTINGS"));
  EXPECT_FALSE(vb::EqualsNoCase("Settings", "Setting"));
}

TEST(Strings, TrimRemovesBlanksOnly) {
  EXPECT_EQ(vb::Trim("  a b  "), "a b");
  EXPECT_EQ(vb::Trim("\ta\t"), "\ta\t");
  EXPECT_EQ(vb::LTrim("  a "), "a ");
  EXPECT_EQ(vb::RTrim("  a "), "  a");
  EXPECT_EQ(vb::Trim("   "), "");
}

TEST(Strings, BadArgumentsRaiseError5) {
  auto invalid = [](auto f) {
    try {
      f();
    } catch (const vb::Error& e) {
      return e.number == 5 && e.description == "Invalid procedure call or argument";
    }
    return false;
  };
  EXPECT_TRUE(invalid([] { vb::Left("abc", -1); }));
  EXPECT_TRUE(invalid([] { vb::Mid("abc", 0); }));
  EXPECT_TRUE(invalid([] { vb::Mid("abc", 1, -1); }));
  EXPECT_TRUE(invalid([] { vb::InStr(0, "abc", "a"); }));
}

}  // namespace
