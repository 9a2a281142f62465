#include "mainwindow/MenuCommands.h"

#include <filesystem>

#include "foundation/Globals.h"
#include "foundation/Registry.h"
#include "mainwindow/MainForm.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/Trap.h"

namespace MainForm {

ExportFormat ExportFormatOf(std::string_view file) {
  std::string upper(file);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (upper.find(".DXF") != std::string::npos) return ExportFormat::Dxf;
  if (upper.find(".WMF") != std::string::npos) return ExportFormat::Metafile;
  return ExportFormat::Bitmap;
}

std::string ExportFolderOf(std::string_view file) {
  // The folder is everything before the last separator: searching for the file's title from
  // the start would stop early when the same text occurs in a folder name.
  std::string folder = std::filesystem::path(file).parent_path().generic_string();
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string ExportFileName(int drawingTab, const std::string& previous) {
  switch (drawingTab) {
    case Tab::Top:
      return "TopView";
    case Tab::Front:
      return "FrontView";
    case Tab::Side:
      return "SideView";
    case Tab::Interior:
      return "InteriorView";
    default:
      return previous;
  }
}

void ExportCurrentView(DrawingViews& cad, SaveDialog& dialog, std::string& lastName) {
  vb::Proc g(kModule, "mnuFileExport_Click");
  Vars& v = vars();
  SaveRequest request;
  request.title = "Export Current Image...";
  request.filters = {"Windows MetaFile (*.wmf)", "Windows Bitmap (*.bmp)",
                     "AutoCAD DXF File(*.dxf)"};
  lastName = ExportFileName(v.CurrentDrawingTab, lastName);
  request.fileName = lastName;
  request.defaultSuffix = "wmf";
  request.folder = !v.ExportFolder.empty() ? v.ExportFolder : vb::ProgramFolder().string();
  std::string file;
  if (!g.step([&] { file = dialog.GetSaveFileName(request); })) return;
  if (file.empty()) return;  // Cancel
  const int view = v.CurrentDrawingTab;
  g.step([&] {
    switch (ExportFormatOf(file)) {
      case ExportFormat::Dxf:
        cad.SaveDxf(view, file);
        break;
      case ExportFormat::Metafile:
        cad.SaveMetafile(view, file);
        break;
      case ExportFormat::Bitmap:
        cad.SaveBitmap(view, file);
        break;
    }
  });
  lastName = std::filesystem::path(file).filename().string();
  v.ExportFolder = ExportFolderOf(file);
  g.step([&] { vb::ChDir(vb::ProgramFolder()); });
}

std::string CopyText() {
  const Registry::Settings& reg = Registry::RegSettings();
  // The name lookup gives empty text for an empty number (it matches the list's blank first
  // entry); a plane not chosen reads "N/A" on the clipboard.
  auto name = [](const std::string& acNum) {
    return acNum.empty() ? std::string("N/A") : Globals::AircraftName(acNum);
  };
  return name(reg.Aircraft1) + "\r\n" + name(reg.Aircraft2);
}

}  // namespace MainForm
