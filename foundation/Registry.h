#pragma once
// Module Registry: the settings record that follows the user from run to run, kept as string
// values under HKEY_CURRENT_USER\Software\Velmora\Tolvane, and the single extra value "Metric".
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/runtime/Variant.h"

namespace Registry {

// The settings record; each field is stored as a string value of the same name.
struct Settings {
  int32_t Top = 0;              // main window top, twips
  int32_t Left = 0;             // main window left, twips
  int32_t Width = 0;            // main window width, twips
  int32_t Height = 0;           // main window height, twips
  std::string DatabaseVersion;  // shown in the about box; read and written back, never set
  std::string Aircraft1;        // aircraft number of Plane 1; empty = none
  std::string Aircraft2;        // aircraft number of Plane 2; empty = none
  uint8_t PanWithMouse = 0;
  uint8_t ZoomWithMouse = 0;  // non-zero: the mouse wheel zooms the drawing views
  bool ToolbarVisible = false;
  bool ToolbarDocked = false;
  int32_t ToolbarX = 0;  // floating toolbar offset, twips
  int32_t ToolbarY = 0;
  int32_t PlaneColor1 = 0;  // RGB, red in the low byte
  int32_t PlaneColor2 = 0;
  int32_t DimColor = 0;        // -1 = each plane's own colour
  std::string ProgramVersion;  // version of the program that last ran

  bool operator==(const Settings&) const = default;
};

// The key below HKEY_CURRENT_USER.
inline constexpr std::string_view kKeyPath = "Software\\Velmora\\Tolvane";

// The record (lives for the whole run).
Settings& RegSettings();

// The primary screen's size in twips, which the defaults and corrections are taken from. The
// main window sets it from the screen; until then it is 1920 x 1080 pixels at 15 twips each.
void SetScreenSize(double widthTwips, double heightTwips);
double ScreenWidth();
double ScreenHeight();

// Restores the record and the screen size to their initial values.
void resetForTest();

// Fills every field with its default.
void LoadDefaults();
// Reads the record at start-up. With no key (first run) the defaults are taken and written at
// once. Fields are corrected as they are read: a Top or Left off the screen goes to an eighth of
// the screen, a Width below 2500 or a Height below 1000 to three quarters of it. A missing value
// reads as 0, "" or False; a value that does not convert is an error and its field keeps its
// value. An error met during the read, a store file that is damaged or cannot be read included,
// ends in the box "Error Reading From Registry...". A store file that is damaged or cannot be
// read (the store keeps it aside) is reported whether or not error handling is on, and never
// ends the program.
void GetRegData();
// Writes the whole record, creating the key when it is missing (a key that cannot be made shows
// one of the "Couldn't Open Registry (...)" messages and nothing is written). An error met
// during the write, a store file that cannot be written included, ends in the box "Error
// Writing To Registry...". A store file that cannot be written is reported whether or not error
// handling is on, and never ends the program; the same failure of the store is reported once,
// until the store has been read or written without one. Returns 0 when every value was
// written, otherwise the number of the error met, or -1 when the key could not be opened or
// made.
int32_t SaveRegData();
// The text of a value of the key; Empty when the value is missing, "" when the key cannot be
// opened.
vb::Variant RegistryValue(std::string_view name);
// Writes the text of `value` as a string value, creating the key as SaveRegData does. A value
// that cannot be written is reported as SaveRegData reports it, with no box of its own. Returns
// 0 when written, otherwise the number of the error met, or -1 when the key could not be opened
// or made.
int32_t WriteRegistryValue(std::string_view name, const vb::Variant& value);

}  // namespace Registry
