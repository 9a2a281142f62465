#pragma once
// View drawings that ask a printed page for far more work than a page can hold: many copies of
// blocks of circles, of bulged polylines and of long texts, a bulge of 1e10. Each is small as a
// file; the printing tests store them as a view of the drawing database.
#include <string>

#include "platform/dxf/DxfTestSupport.h"

namespace hostile {

inline std::string Number(double v) {
  std::string s = std::to_string(v);
  return s;
}

// `inserts` references (a square grid, `spacing` apart) of one block of `circles` circles of
// radius `radius` (a square grid, `step` apart).
inline std::string BlockOfCircles(int circles, double radius, double step, int inserts,
                                  double spacing) {
  using dxftest::Groups;
  std::string block = Groups({{0, "BLOCK"}, {2, "C"}, {10, "0"}, {20, "0"}});
  int side = 1;
  while (side * side < circles) ++side;
  for (int i = 0; i < circles; ++i) {
    block += Groups({{0, "CIRCLE"},
                     {10, Number((i % side) * step)},
                     {20, Number((i / side) * step)},
                     {40, Number(radius)}});
  }
  block += Groups({{0, "ENDBLK"}});
  int across = 1;
  while (across * across < inserts) ++across;
  std::string entities;
  for (int i = 0; i < inserts; ++i) {
    entities += Groups({{0, "INSERT"},
                        {2, "C"},
                        {10, Number((i % across) * spacing)},
                        {20, Number((i / across) * spacing)}});
  }
  return dxftest::File(entities, "", block);
}

// `inserts` references, side by side, of one block holding a closed LWPOLYLINE of `vertices`
// vertices `step` apart along x whose every bulge is 1 (each side a half circle).
inline std::string BlockOfBulges(int vertices, double step, int inserts, double spacing) {
  using dxftest::Groups;
  std::string block = Groups({{0, "BLOCK"}, {2, "P"}, {10, "0"}, {20, "0"}}) +
                      Groups({{0, "LWPOLYLINE"}, {90, std::to_string(vertices)}, {70, "1"}});
  for (int i = 0; i < vertices; ++i)
    block += Groups({{10, Number(i * step)}, {20, "0"}, {42, "1"}});
  block += Groups({{0, "ENDBLK"}});
  std::string entities;
  for (int i = 0; i < inserts; ++i)
    entities += Groups({{0, "INSERT"}, {2, "P"}, {10, "0"}, {20, Number(i * spacing)}});
  return dxftest::File(entities, "", block);
}

// `inserts` references (a square grid, `spacing` apart) of one block holding one TEXT of
// `characters` characters.
inline std::string BlockOfLongText(int characters, int inserts, double spacing) {
  using dxftest::Groups;
  const std::string block = Groups({{0, "BLOCK"}, {2, "T"}, {10, "0"}, {20, "0"}}) +
                            Groups({{0, "TEXT"},
                                    {10, "0"},
                                    {20, "0"},
                                    {40, "2"},
                                    {1, std::string(static_cast<size_t>(characters), 'W')}}) +
                            Groups({{0, "ENDBLK"}});
  int across = 1;
  while (across * across < inserts) ++across;
  std::string entities;
  for (int i = 0; i < inserts; ++i) {
    entities += Groups({{0, "INSERT"},
                        {2, "T"},
                        {10, Number((i % across) * spacing)},
                        {20, Number((i / across) * spacing)}});
  }
  return dxftest::File(entities, "", block);
}

// A two-vertex polyline from (0, 0) to (10, 10) whose bulge is 1e10: all its points lie within
// 0..10, its arc runs almost a whole turn round a circle of radius 3.5e10.
inline std::string HugeBulge() {
  return dxftest::File(dxftest::Groups({{0, "LWPOLYLINE"},
                                        {90, "2"},
                                        {10, "0"},
                                        {20, "0"},
                                        {42, "1e10"},
                                        {10, "10"},
                                        {20, "10"}}));
}

}  // namespace hostile
