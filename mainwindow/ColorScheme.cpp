#include "mainwindow/ColorScheme.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "foundation/General.h"
#include "platform/runtime/Number.h"

namespace MainForm {

namespace {

struct Named {
  std::string_view name;
  int32_t rgb;
};

constexpr int32_t Rgb(int r, int g, int b) { return r + g * 256 + b * 65536; }

// Looked up in this order; the first match wins ("Purple" and "Magenta" are the same colour).
constexpr Named kNames[] = {
    {"White", Rgb(255, 255, 255)},
    {"LightGray", Rgb(224, 224, 224)},
    {"Gray", Rgb(192, 192, 192)},
    {"MediumGray", Rgb(128, 128, 128)},
    {"DarkGray", Rgb(64, 64, 64)},
    {"Black", Rgb(0, 0, 0)},
    {"PaleRed", Rgb(255, 192, 192)},
    {"LightRed", Rgb(255, 128, 128)},
    {"Red", Rgb(255, 0, 0)},
    {"MediumRed", Rgb(192, 0, 0)},
    {"DarkRed", Rgb(128, 0, 0)},
    {"BlackRed", Rgb(64, 0, 0)},
    {"PaleOrange", Rgb(255, 224, 192)},
    {"LightOrange", Rgb(255, 192, 128)},
    {"Orange", Rgb(255, 128, 0)},
    {"MediumOrange", Rgb(192, 64, 0)},
    {"DarkOrange", Rgb(128, 64, 0)},
    {"BlackOrange", Rgb(128, 64, 64)},
    {"PaleYellow", Rgb(255, 255, 192)},
    {"LightPaleYellow", Rgb(255, 255, 224)},
    {"LightYellow", Rgb(255, 255, 128)},
    {"Yellow", Rgb(255, 255, 0)},
    {"MediumYellow", Rgb(192, 192, 0)},
    {"DarkYellow", Rgb(128, 128, 0)},
    {"BlackYellow", Rgb(64, 64, 0)},
    {"PaleGreen", Rgb(192, 255, 192)},
    {"LightGreen", Rgb(128, 255, 128)},
    {"Green", Rgb(0, 255, 0)},
    {"MediumGreen", Rgb(0, 192, 0)},
    {"DarkGreen", Rgb(0, 128, 0)},
    {"BlackGreen", Rgb(0, 64, 0)},
    {"PaleCyan", Rgb(192, 255, 255)},
    {"LightCyan", Rgb(128, 255, 255)},
    {"Cyan", Rgb(0, 255, 255)},
    {"MediumCyan", Rgb(0, 192, 192)},
    {"DarkCyan", Rgb(0, 128, 128)},
    {"BlackCyan", Rgb(0, 64, 64)},
    {"PaleBlue", Rgb(206, 235, 255)},
    {"LightBlue", Rgb(128, 128, 255)},
    {"Blue", Rgb(0, 0, 255)},
    {"MediumBlue", Rgb(0, 0, 192)},
    {"DarkBlue", Rgb(0, 0, 128)},
    {"BlackBlue", Rgb(0, 0, 64)},
    {"PalePurple", Rgb(255, 192, 255)},
    {"LightPurple", Rgb(255, 128, 255)},
    {"Purple", Rgb(255, 0, 255)},
    {"Magenta", Rgb(255, 0, 255)},
    {"MediumPurple", Rgb(192, 0, 192)},
    {"DarkPurple", Rgb(128, 0, 128)},
    {"BlackPurple", Rgb(64, 0, 64)},
    {"Transparent", -1},
};

// Negative values are no usable colour; the rest keep their 24 colour bits.
int32_t Given(int32_t colour) { return colour <= 0 ? 0 : colour & 0xFFFFFF; }

}  // namespace

int32_t ColorFromName(std::string_view name) {
  for (const Named& n : kNames)
    if (n.name == name) return n.rgb;
  const double value = std::nearbyint(vb::Val(name));  // the default rounding: half to even
  if (!(value >= -2147483648.0 && value <= 2147483647.0)) return 0;
  return static_cast<int32_t>(value);
}

int32_t DarkenColor(int32_t colour) {
  const int32_t red = colour & 0xFF;
  const int32_t green = (colour >> 8) & 0xFF;
  const int32_t blue = colour / 65536;
  auto down = [](int32_t channel) { return channel > 10 ? channel - 10 : 0; };
  return down(red) + down(green) * 256 + down(blue) * 65536;
}

namespace {

// The relative luminance of an RGB colour (red in the low byte), 0 to 1.
double Luminance(int32_t colour) {
  auto linear = [](int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour & 0xFF) + 0.7152 * linear((colour >> 8) & 0xFF) +
         0.0722 * linear((colour >> 16) & 0xFF);
}

}  // namespace

double ContrastRatio(int32_t a, int32_t b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

int32_t ReadableTextColor(int32_t background) {
  constexpr int32_t kBlack = 0, kWhite = 0xFFFFFF;
  return ContrastRatio(background, kBlack) >= ContrastRatio(background, kWhite) ? kBlack : kWhite;
}

std::optional<ColorScheme> ResolveColorScheme(std::string_view form, std::string_view bar,
                                              std::string_view heading, std::string_view menu) {
  if (form.empty()) return std::nullopt;
  ColorScheme s;
  const int32_t formColour = ColorFromName(form);
  if (formColour < 0) return std::nullopt;
  s.form = formColour & 0xFFFFFF;
  s.heading = Given(ColorFromName(heading));
  s.bar = Given(ColorFromName(bar));
  s.menu = Given(ColorFromName(menu));
  if (s.bar == 0) s.bar = DarkenColor(s.form);
  if (s.heading == 0) s.heading = DarkenColor(s.bar);
  if (s.menu == 0) s.menu = s.form;
  return s;
}

std::optional<ColorScheme> IniColorScheme() {
  const std::string form = General::IniStr("Settings", "FormColor");
  const std::string heading = General::IniStr("Settings", "HeadingColor");
  const std::string bar = General::IniStr("Settings", "BarColor");
  const std::string menu = General::IniStr("Settings", "MenuColor");
  return ResolveColorScheme(form, bar, heading, menu);
}

}  // namespace MainForm
