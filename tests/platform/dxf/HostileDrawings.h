#pragma once
// Drawings that ask for unbounded work (several found by fuzzing the reader and the renderer):
// the regression inputs of the DXF tests, and of the program's tests that show them.
#include <string>
#include <utility>
#include <vector>

#include "platform/dxf/DxfTestSupport.h"

namespace dxftest {

// A HATCH of one boundary loop: an arc edge about (0, 0) of radius 5 from `start` to `end`
// degrees, counter-clockwise or not, closed by a line edge.
inline std::string HatchWithArcEdge(const std::string& start, const std::string& end, bool ccw = true) {
  return File(Groups({{0, "HATCH"}, {8, "FILL"},
                      {2, "SOLID"}, {70, "1"},
                      {91, "1"},    {92, "0"},
                      {93, "2"},    {72, "2"},
                      {10, "0"},    {20, "0"},
                      {40, "5"},    {50, start},
                      {51, end},    {73, ccw ? "1" : "0"},
                      {72, "1"},    {10, "0"},
                      {20, "5"},    {11, "5"},
                      {21, "0"},    {97, "0"},
                      {75, "0"},    {76, "1"},
                      {98, "0"}}));
}

// Block C is one circle of radius `radius` about (cx, 0); block A a 316 x 316 array of C; the
// drawing a 40-column array of A, every spacing one unit: under 300 bytes of groups asking for
// four million circles.
inline std::string NestedArraysOfOneCircle(const std::string& cx, const std::string& radius) {
  return File(
      Groups({{0, "INSERT"}, {2, "A"}, {70, "40"}, {44, "1"}}), "",
      Groups({{0, "BLOCK"}, {2, "C"}, {10, "0"}, {20, "0"}}) +
          Groups({{0, "CIRCLE"}, {10, cx}, {20, "0"}, {40, radius}}) + Groups({{0, "ENDBLK"}}) +
          Groups({{0, "BLOCK"}, {2, "A"}, {10, "0"}, {20, "0"}}) +
          Groups({{0, "INSERT"}, {2, "C"}, {70, "316"}, {71, "316"}, {44, "1"}, {45, "1"}}) +
          Groups({{0, "ENDBLK"}}));
}

// A block whose ENDBLK was damaged holds an array of 6 copies of itself: nested down to the
// depth limit it asks for 6^16 copies.
inline std::string BlockInsideItself() {
  const std::string blocks =
      Groups({{0, "BLOCK"}, {2, "SEAT"}, {10, "0"}, {20, "0"}}) +
      Groups({{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}}) +
      Groups({{0, "INSERT"}, {2, "SEAT"}, {10, "1"}, {20, "1"}, {70, "3"}, {71, "2"}}) +
      Groups({{0, "ENDBLK"}});
  return File(Groups({{0, "INSERT"}, {2, "SEAT"}}), "", blocks);
}

// A circle and an arc of radius 1e7 whose rims pass through the middle of a 12 x 9 window.
inline std::string HugeCircleAndArc() {
  return File(
      Groups({{0, "CIRCLE"}, {10, "-9999994"}, {20, "4.5"}, {40, "1e7"}}) +
      Groups({{0, "ARC"}, {10, "6"}, {20, "-9999995.5"}, {40, "1e7"}, {50, "0"}, {51, "180"}}));
}

// One closed LWPOLYLINE through the points of a columns x rows grid of unit steps, row after
// row, every bulge 1e10: each segment is an arc of nearly a whole turn on a circle billions of
// units across, so that every vertex asks for a circle's worth of points.
inline std::string BulgedGridPolyline(int columns, int rows) {
  std::string body = Groups({{0, "LWPOLYLINE"}, {90, std::to_string(columns * rows)}, {70, "1"}});
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < columns; ++x) {
      body += Groups({{10, std::to_string(x)}, {20, std::to_string(y)}, {42, "1e10"}});
    }
  }
  return File(body);
}

// Every one of them, named.
inline std::vector<std::pair<std::string, std::string>> HostileInputs() {
  return {{"hatch arc edge of a huge negative angle", HatchWithArcEdge("-1e300", "0")},
          {"hatch arc edge of a huge positive angle", HatchWithArcEdge("0", "1e300", false)},
          {"nested arrays of a huge circle", NestedArraysOfOneCircle("0", "1e9")},
          {"nested arrays of a huge circle's rim", NestedArraysOfOneCircle("-1e9", "1e9")},
          {"a block inside itself", BlockInsideItself()},
          {"a circle far larger than the view", HugeCircleAndArc()}};
}

}  // namespace dxftest
