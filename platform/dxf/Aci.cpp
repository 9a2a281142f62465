#include "platform/dxf/Aci.h"

#include <array>
#include <cmath>

namespace dxf {

namespace {

// Hues 0..345 degrees in steps of 15; the ten shades of a hue alternate full and half
// saturation at the values 1, 0.8, 0.6, 0.5 and 0.3.
std::array<Rgb, 256> BuildPalette() {
  std::array<Rgb, 256> p{};
  const Rgb fixed[10] = {MakeRgb(0, 0, 0),      MakeRgb(255, 0, 0),     MakeRgb(255, 255, 0),
                         MakeRgb(0, 255, 0),    MakeRgb(0, 255, 255),   MakeRgb(0, 0, 255),
                         MakeRgb(255, 0, 255),  MakeRgb(255, 255, 255), MakeRgb(128, 128, 128),
                         MakeRgb(192, 192, 192)};
  for (int i = 0; i < 10; ++i) p[static_cast<size_t>(i)] = fixed[i];
  const double values[5] = {1.0, 0.8, 0.6, 0.5, 0.3};
  for (int i = 10; i < 250; ++i) {
    int hue = (i - 10) / 10 * 15;
    int shade = (i - 10) % 10;
    double v = 255 * values[shade / 2];
    double s = (shade % 2) ? 0.5 : 1.0;
    double h = hue / 60.0;
    int sector = static_cast<int>(h);
    double f = h - sector;
    double lo = v * (1 - s), down = v * (1 - s * f), up = v * (1 - s * (1 - f));
    double r = 0, g = 0, b = 0;
    switch (sector) {
      case 0:
        r = v, g = up, b = lo;
        break;
      case 1:
        r = down, g = v, b = lo;
        break;
      case 2:
        r = lo, g = v, b = up;
        break;
      case 3:
        r = lo, g = down, b = v;
        break;
      case 4:
        r = up, g = lo, b = v;
        break;
      default:
        r = v, g = lo, b = down;
        break;
    }
    auto c = [](double x) { return static_cast<int>(std::floor(x + 1e-9)); };
    p[static_cast<size_t>(i)] = MakeRgb(c(r), c(g), c(b));
  }
  const int greys[6] = {51, 91, 132, 173, 214, 255};
  for (int i = 0; i < 6; ++i)
    p[static_cast<size_t>(250 + i)] = MakeRgb(greys[i], greys[i], greys[i]);
  return p;
}

const std::array<Rgb, 256>& Palette() {
  static const std::array<Rgb, 256> palette = BuildPalette();
  return palette;
}

}  // namespace

Rgb AciToRgb(int aci) {
  if (aci < 1 || aci > 255) aci = 7;
  return Palette()[static_cast<size_t>(aci)];
}

Rgb AciDisplayRgb(int aci, Rgb background) {
  if (aci < 1 || aci > 255 || aci == 7) {
    int luma = RedOf(background) * 299 + GreenOf(background) * 587 + BlueOf(background) * 114;
    return luma >= 128000 ? MakeRgb(0, 0, 0) : MakeRgb(255, 255, 255);
  }
  return AciToRgb(aci);
}

int RgbToAci(Rgb rgb) {
  rgb &= 0xFFFFFF;
  if (rgb == MakeRgb(0, 0, 0) || rgb == MakeRgb(255, 255, 255)) return 7;
  int best = 7;
  long bestDist = -1;
  for (int i = 1; i < 256; ++i) {
    Rgb c = Palette()[static_cast<size_t>(i)];
    long dr = RedOf(c) - RedOf(rgb), dg = GreenOf(c) - GreenOf(rgb), db = BlueOf(c) - BlueOf(rgb);
    long d = dr * dr + dg * dg + db * db;
    if (bestDist < 0 || d < bestDist) best = i, bestDist = d;
    if (d == 0) break;
  }
  return best;
}

}  // namespace dxf
