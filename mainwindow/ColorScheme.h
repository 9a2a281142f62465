#pragma once
// The optional colour scheme of the main window, named in section "Settings" of the INI file:
// FormColor (window, frames, option buttons, check boxes, toolbar, status bar, tab control),
// BarColor (the bars behind the general-data rows), HeadingColor (their headings) and
// MenuColor. Colours are RGB values with red in the low byte.
#include <cstdint>
#include <optional>
#include <string_view>

namespace MainForm {

// A colour name (case-sensitive; "Transparent" is -1) or a number: the leading number of the
// text as the runtime reads it (decimal, or hexadecimal after "&H"), rounded half to even to a
// 32-bit integer; 0 for text without a leading number or a number beyond 32 bits.
int32_t ColorFromName(std::string_view name);

// Red, green and blue each lowered by 10, not below 0.
int32_t DarkenColor(int32_t colour);

// The contrast ratio of two colours, 1 to 21: (L1 + 0.05) / (L2 + 0.05) of their relative
// luminances, the lighter over the darker (the measure of the web's accessibility guidelines).
double ContrastRatio(int32_t a, int32_t b);
// Black or white, whichever reads better on the background: the text colour of the headings on
// the scheme's heading colour. Every background gives a ratio of at least 4.5.
int32_t ReadableTextColor(int32_t background);

struct ColorScheme {
  int32_t form = 0;
  int32_t bar = 0;
  int32_t heading = 0;
  int32_t menu = 0;
  bool operator==(const ColorScheme&) const = default;
};

// The scheme of the four key texts. No scheme when the form colour's text is empty, and none
// when it names no usable background (a negative value: "Transparent", -1, a system colour
// &H8000000F). A bar, heading or menu colour of 0 or below counts as not given: the bar falls
// back to the darkened form colour, the heading to the darkened bar colour, the menu to the form
// colour. Every colour kept is limited to its 24 colour bits.
std::optional<ColorScheme> ResolveColorScheme(std::string_view form, std::string_view bar,
                                              std::string_view heading, std::string_view menu);

// The scheme named in the INI file's "Settings" section (FormColor, BarColor, HeadingColor,
// MenuColor).
std::optional<ColorScheme> IniColorScheme();

}  // namespace MainForm
