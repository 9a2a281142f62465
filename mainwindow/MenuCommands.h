#pragma once
// The logic of the main menu commands that has decisions of its own: the export of the current
// drawing view through a file-save dialog, and the text Edit > Copy puts on the clipboard.
#include <string>
#include <string_view>
#include <vector>

#include "drawings/DrawingViews.h"

namespace MainForm {

// What the export's save dialog is asked.
struct SaveRequest {
  std::string title;                 // "Export Current Image..."
  std::vector<std::string> filters;  // in order; the first is selected
  std::string fileName;              // proposed name, without folder
  std::string defaultSuffix;         // added when the user types no suffix (of the filter chosen)
  std::string folder;                // initial folder
};

// The file-save dialog: the chosen path, or "" when the user cancelled. An overwrite is
// confirmed by the dialog. A failure of the dialog itself raises vb::Error.
class SaveDialog {
 public:
  virtual ~SaveDialog() = default;
  virtual std::string GetSaveFileName(const SaveRequest& request) = 0;
};

enum class ExportFormat { Dxf, Metafile, Bitmap };

// By the upper-case file name: ".DXF" anywhere in it is a DXF file, else ".WMF" anywhere a
// metafile, else a bitmap.
ExportFormat ExportFormatOf(std::string_view file);
// The folder of a chosen file with its trailing "/".
std::string ExportFolderOf(std::string_view file);
// The proposed name for drawing tab 2 to 5; any other tab keeps `previous`.
std::string ExportFileName(int drawingTab, const std::string& previous);

// File > Export: asks for a file (in ExportFolder, or the program folder the first time),
// writes the current drawing view in the format of its name, remembers its folder for the
// next export and sets the current folder back to the program folder. Cancel ends it with
// nothing written and nothing changed. `lastName` is the dialog's file name, kept between uses.
void ExportCurrentView(DrawingViews& cad, SaveDialog& dialog, std::string& lastName);

// Edit > Copy: the two aircraft names on two lines ("N/A" for a plane not chosen).
std::string CopyText();

}  // namespace MainForm
