#pragma once
// The synthetic drawings of the DXF benchmarks.
#include <string>

namespace dxfbench {

inline void Pair(std::string& s, int code, const std::string& value) {
  s += std::to_string(code);
  s += '\n';
  s += value;
  s += '\n';
}

// A drawing of `count` entities (lines, polylines, circles, arcs, texts) on four layers: each
// entity on the next layer (`interleaved`, a new pen for every entity: the worst case), or the
// layers one after the other, as composed aircraft views are.
inline std::string MakeDrawing(int count, bool interleaved = true) {
  std::string s;
  s.reserve(static_cast<size_t>(count) * 200);
  s += "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n";
  for (int l = 0; l < 4; ++l) {
    Pair(s, 0, "LAYER");
    Pair(s, 2, "L" + std::to_string(l));
    Pair(s, 70, "0");
    Pair(s, 62, std::to_string(l + 1));
  }
  s += "0\nENDTAB\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n";
  for (int i = 0; i < count; ++i) {
    double x = (i % 400) * 2.5, y = (i / 400) * 2.5;
    std::string layer =
        "L" + std::to_string(interleaved ? i % 4 : static_cast<int>(4LL * i / count));
    switch (i % 5) {
      case 0:
        Pair(s, 0, "LINE");
        Pair(s, 8, layer);
        Pair(s, 10, std::to_string(x));
        Pair(s, 20, std::to_string(y));
        Pair(s, 30, "0.0");
        Pair(s, 11, std::to_string(x + 2));
        Pair(s, 21, std::to_string(y + 1.5));
        Pair(s, 31, "0.0");
        break;
      case 1:
        Pair(s, 0, "LWPOLYLINE");
        Pair(s, 8, layer);
        Pair(s, 90, "4");
        Pair(s, 70, "1");
        for (int k = 0; k < 4; ++k) {
          Pair(s, 10, std::to_string(x + (k == 1 || k == 2 ? 2 : 0)));
          Pair(s, 20, std::to_string(y + (k >= 2 ? 2 : 0)));
          if (k == 1) Pair(s, 42, "0.4");
        }
        break;
      case 2:
        Pair(s, 0, "CIRCLE");
        Pair(s, 8, layer);
        Pair(s, 10, std::to_string(x + 1));
        Pair(s, 20, std::to_string(y + 1));
        Pair(s, 40, "0.9");
        break;
      case 3:
        Pair(s, 0, "ARC");
        Pair(s, 8, layer);
        Pair(s, 10, std::to_string(x + 1));
        Pair(s, 20, std::to_string(y + 1));
        Pair(s, 40, "0.7");
        Pair(s, 50, "15.0");
        Pair(s, 51, "200.0");
        break;
      default:
        Pair(s, 0, "TEXT");
        Pair(s, 8, layer);
        Pair(s, 10, std::to_string(x));
        Pair(s, 20, std::to_string(y));
        Pair(s, 40, "0.4");
        Pair(s, 1, "T" + std::to_string(i));
        break;
    }
  }
  s += "0\nENDSEC\n0\nEOF\n";
  return s;
}

}  // namespace dxfbench
