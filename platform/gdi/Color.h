#pragma once
// Colours inside the program are Windows RGB values, red in the low byte (0x00BBGGRR). This is
// the one place where they become Qt colours and back.
#include <QColor>
#include <cstdint>
#include <string>

namespace gdi {

using Rgb = std::uint32_t;

constexpr Rgb RGB(int red, int green, int blue) {
  return static_cast<Rgb>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(Rgb c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Rgb c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Rgb c) { return static_cast<int>((c >> 16) & 0xFF); }

// The high byte (system colour flags of the Windows design) is ignored: the colour is opaque.
QColor ToQColor(Rgb rgb);
// The opaque colour of a Qt colour as a Windows RGB value.
Rgb FromQColor(const QColor& color);

// "#rrggbb", the form used in recordings and messages.
std::string HexText(Rgb rgb);

}  // namespace gdi
