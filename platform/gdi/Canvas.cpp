#include "platform/gdi/Canvas.h"

#include <cmath>

namespace gdi {

Font DefaultFont(int logPixelsY) {
  Font f;
  f.face = "MS Sans Serif";
  f.height =
      static_cast<int>(std::nearbyint(8.0 * logPixelsY / 72.0 * 20.0 / kScreenTwipsPerPixel));
  return f;
}

Canvas::Canvas(int logPixelsY) : dpi_(logPixelsY > 0 ? logPixelsY : kScreenDpi) { resetState(); }

double Canvas::twipsPerPixelX() const {
  return kind() == TargetKind::Printer ? 1440.0 / dpi_ : kScreenTwipsPerPixel;
}

double Canvas::twipsPerPixelY() const {
  return kind() == TargetKind::Printer ? 1440.0 / dpi_ : kScreenTwipsPerPixel;
}

void Canvas::resetState() {
  state_ = DcState{};
  state_.font = DefaultFont(dpi_);
}

void Canvas::begin(bool clearFirst) {
  resetState();
  if (clearFirst && (kind() == TargetKind::Picture || kind() == TargetKind::Form)) clear();
}

void Canvas::lineTo(double x, double y) {
  Point from = state_.current;
  state_.current = {x, y};
  line(from.x, from.y, x, y);
}

std::vector<std::string_view> TextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  if (text.empty()) return lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.push_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace gdi
