#pragma once
// What the user chose in the printer dialog, as the printing logic reads it (PrinterDialog.h
// shows the dialog).
#include <QString>

namespace printer {

enum class PageRange { All, Selection, Pages };

// The user's choices as the dialog returned them.
struct DialogChoice {
  QString deviceName;  // the printer chosen, or the output file when printing to a file
  int copies = 1;
  bool landscape = false;
  PageRange range = PageRange::All;
  int fromPage = 0, toPage = 0;  // with PageRange::Pages
  bool operator==(const DialogChoice&) const = default;
};

}  // namespace printer
