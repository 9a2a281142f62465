#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "foundation/General.h"

namespace {

TEST(GeneralSort, SortsByCharacterCodesWithinTheRange) {
  std::vector<std::string> names = {"",          "Velmar Kite", "arrow",
                                    "Astor 200", "Velmar Kite", "Brisk"};
  General::QuickSort(names, 0, 5);
  EXPECT_EQ(names, (std::vector<std::string>{"", "Astor 200", "Brisk", "Velmar Kite", "Velmar Kite",
                                             "arrow"}));
  std::vector<std::string> part = {"c", "b", "a", "0"};
  General::QuickSort(part, 1, 2);
  EXPECT_EQ(part, (std::vector<std::string>{"c", "a", "b", "0"}));
  General::QuickSort(part, 3, 9);  // out of range: untouched
  EXPECT_EQ(part, (std::vector<std::string>{"c", "a", "b", "0"}));
}

TEST(GeneralSort, PartitionPlacesThePivot) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    std::vector<std::string> list(1 + random() % 12);
    for (auto& s : list) s = std::string(1, static_cast<char>('a' + random() % 5));
    int last = static_cast<int>(list.size()) - 1;
    std::string pivot = list[last];
    std::vector<std::string> sorted = list;
    std::sort(sorted.begin(), sorted.end());
    int p = General::QuickSortPartition(list, 0, last);
    ASSERT_EQ(list[p], pivot);
    for (int i = 0; i < p; ++i) EXPECT_LE(list[i], pivot);
    for (int i = p + 1; i <= last; ++i) EXPECT_GE(list[i], pivot);
    std::sort(list.begin(), list.end());
    EXPECT_EQ(list, sorted);  // a permutation of the input
  }
}

}  // namespace
