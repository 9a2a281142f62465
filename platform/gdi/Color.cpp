#include "platform/gdi/Color.h"

#include <cstdio>

namespace gdi {

QColor ToQColor(Rgb rgb) { return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)); }

Rgb FromQColor(const QColor& color) {
  QColor c = color.toRgb();
  return RGB(c.red(), c.green(), c.blue());
}

std::string HexText(Rgb rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
  return text;
}

}  // namespace gdi
