#pragma once
// Module Printing: the opening of every print job. ShowPrinterDialog shows the printer dialog
// over the program's current printer and keeps the user's choices in PrintOptions; in preview
// mode it opens the plot preview window instead. The module also holds the devices the page
// routines draw on: the current printer (one for the whole run) and the preview's pages.
//
// The system's printer, the printer dialog, the preview window and the scale dialogs are Qt
// Widgets and Qt Print Support, which this library does not link: it reaches them through
// Devices, which printing's Qt adapters give (QtDevices.h) and the program's wiring installs.
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/printer/DialogChoice.h"
#include "platform/printer/PrintDevice.h"
#include "printing/PrintCommands.h"
#include "printing/Scales.h"

class PreviewPages;

namespace Printing {

inline constexpr const char* kModule = "Printing";

// The choices of the last printer dialog. Zero at start, written only by ShowPrinterDialog,
// never reset. Copies is read by every print command; Orientation by the screen plot; the
// other fields are kept for callers.
struct PrintOptions {
  std::string DeviceName;  // the printer chosen, or the output file when printing to a file
  int16_t Copies = 0;
  uint8_t Orientation = 0;  // 1 portrait, 2 landscape (the page itself stays portrait)
  bool PrintSelection = false;
  bool PrintPageNums = false;
  int16_t FromPage = 0;
  int16_t ToPage = 0;
  bool PrintAllPages = false;
  bool operator==(const PrintOptions&) const = default;
};

struct Vars {
  PrintOptions Options;
  // The page being printed and the pages of one copy of the job; the print commands set them.
  // PrintPageCount stays after the job: the next dialog offers it as its last page.
  int16_t PrintPageNumber = 0;
  int16_t PrintPageCount = 0;
  // The to-scale prints. PrintScale is the denominator n of the chosen scale 1:n (0 or below:
  // none chosen); CabinPrintScale that of the cabin drawings. PrintScaleKind tells the scale
  // dialog which list to offer: 2 the exterior list, 1 the interior list.
  float PrintScale = 0;
  float CabinPrintScale = 0;
  int32_t PrintScaleKind = 0;
};
Vars& vars();
// Variables back to their start values, the hooks and the job state to the defaults, no devices
// and no printer installed, the preview's pages discarded.
void resetForTest();

// What a print job does to the windows around it. The defaults do without a main window; the
// main window gives its own to the program's wiring.
class Hooks {
 public:
  virtual ~Hooks() = default;
  // The floating toolbar is lowered while the dialog is open and raised again after.
  virtual void ToolbarFormLoad() {}
  virtual void ToolbarFormUnload() {}
  // General.Delay.
  virtual void Delay(float seconds);
  // A print command has started (its dialogs and pages follow) and has ended, also when it
  // failed or was cancelled.
  virtual void JobStarted() {}
  virtual void JobEnded() {}
};
void InstallHooks(Hooks* hooks);  // nullptr restores the defaults
Hooks& hooks();
Hooks* InstalledHooks();  // nullptr while the defaults serve

// What a print job reads of the program's state, and the interior configuration a page sets for
// itself and puts back (the WAT chart a page sets is Globals'). The program's wiring installs
// the main window's state; the defaults keep their own values (the aircraft class is Globals').
class JobState {
 public:
  virtual ~JobState() = default;
  // The INI setting "PlotPreview", read at start-up.
  virtual bool PlotPreview() { return false; }
  // What a job reads when it starts.
  virtual JobInputs Inputs();
  virtual int32_t InteriorConfig() { return interiorConfig_; }
  virtual void SetInteriorConfig(int32_t config) { interiorConfig_ = config; }

 private:
  int32_t interiorConfig_ = 1;
};
void InstallJobState(JobState* state);  // nullptr restores the defaults
JobState& jobState();
JobState* InstalledJobState();  // nullptr while the defaults serve

// What printing prints on and shows that is not its own: the program's current printer, the
// printer dialog over it, the plot preview window and the scale dialogs.
class Devices {
 public:
  virtual ~Devices() = default;
  // The program's current printer: one for the whole run.
  virtual printer::PrintDevice& SystemPrinter() = 0;
  // The printer's page as the program prints it: copy count 1, portrait, no margins, the paper
  // kept (before the dialog opens and after the user chose).
  virtual void KeepProgramPage() = 0;
  // The printer dialog over the current printer, modal to the main window, pages 1 to maxPage;
  // the user's choices on OK (the printer set up as chosen), nothing on Cancel.
  virtual std::optional<printer::DialogChoice> RunPrinterDialog(int maxPage) = 0;
  // The files the documents of the current job went to (a job to a file), in order.
  virtual std::vector<std::string> FilesOfJob() = 0;
  // The preview window over the pages, shown and raised: the open one, or a fresh one when none
  // is open (a window the user has closed deletes itself).
  virtual void ShowPreview(PreviewPages& pages) = 0;
  // A preview window is open (not once the user has closed it).
  virtual bool PreviewOpen() = 0;
  // The scale dialog, modal; it stores the scale chosen (PrintScale, CabinPrintScale).
  virtual void ShowScaleDialog(ScaleDialogKind kind) = 0;
  // Ends a document the current printer has open, so that what was printed is sent or written
  // (the program is ending in the middle of a job).
  virtual void EndOpenDocument() = 0;
};
// nullptr: none (no dialog is shown and nothing reaches a printer: the job reports it).
void InstallDevices(Devices* devices);
Devices* InstalledDevices();

// The printer the page routines print on: the current printer, or the one a test installed.
printer::PrintDevice& Printer();
void InstallPrinter(printer::PrintDevice* device);  // nullptr restores the current printer
// The pages of the plot preview; the window shows them while it is open. Closing the window
// discards them; in preview mode the next page a job begins opens the window again.
PreviewPages& Preview();
// The preview window is open (not once the user has closed it).
bool PreviewOpen();
// Where the pages of a job are drawn: the preview in preview mode, else the printer.
printer::PrintDevice& Target();

// The title of a job: the full names of the planes chosen, joined by ", " (a plane not chosen
// adds neither a name nor a separator).
std::string JobTitle(const std::string& aircraft1, const std::string& aircraft2);

// Opens a print job. Preview mode: the preview window opens (a fresh one, or the open one
// emptied), Copies := 1, result -1; no dialog, nothing else changes. Otherwise the printer
// dialog: on OK the choices go into PrintOptions, the printer keeps the printer and paper the
// user chose but its copy count goes back to 1 and its page to portrait, the job starts under
// the job title, result 1; on Cancel (or a failing dialog) nothing changes, result 0. A 0.1 s
// delay follows the dialog either way. Callers test only for 0.
int32_t ShowPrinterDialog();

}  // namespace Printing
