// Module General: sorting the names of the aircraft selection dialog.
#include <algorithm>
#include <utility>

#include "foundation/General.h"
#include "platform/runtime/Trap.h"

namespace General {

void QuickSort(std::vector<std::string>& list, int first, int last) {
  vb::Proc g("General", "QuickSort");
  g.step([&] {
    if (first < 0 || last >= static_cast<int>(list.size()) || first > last) return;
    std::sort(list.begin() + first, list.begin() + last + 1);
  });
}

int QuickSortPartition(std::vector<std::string>& list, int first, int last) {
  vb::Proc g("General", "QuickSortPartition");
  int result = first;
  g.step([&] {
    if (first < 0 || last >= static_cast<int>(list.size()) || first > last) return;
    const std::string pivot = list[last];
    int lo = first, hi = last;
    for (;;) {
      while (lo < hi && list[lo] <= pivot) ++lo;
      while (hi > lo && list[hi] >= pivot) --hi;
      std::swap(list[lo], list[hi]);
      if (hi <= lo) {
        std::swap(list[lo], list[last]);
        result = lo;
        return;
      }
    }
  });
  return result;
}

}  // namespace General
