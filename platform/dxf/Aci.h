#pragma once
// The AutoCAD colour index (ACI) against the program's RGB values (0x00BBGGRR, red in the low
// byte). This is the one place that converts between the two.
#include <cstdint>

namespace dxf {

using Rgb = uint32_t;  // 0x00BBGGRR

constexpr Rgb MakeRgb(int r, int g, int b) {
  return static_cast<Rgb>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Rgb c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Rgb c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Rgb c) { return static_cast<int>((c >> 16) & 0xFF); }

// The standard palette colour of an index 1-255 (7 is white; 1-9 fixed, 10-249 as 24 hues of
// 10 shades, 250-255 greys). Anything else gives the colour of 7.
Rgb AciToRgb(int aci);

// The colour an index is drawn in on a background: 7 is the foreground colour, black on a light
// background and white on a dark one.
Rgb AciDisplayRgb(int aci, Rgb background);

// The index whose palette colour is nearest to `rgb` (1-255). Black and white give 7, the
// foreground colour.
int RgbToAci(Rgb rgb);

}  // namespace dxf
