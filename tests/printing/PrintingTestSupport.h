#pragma once
// A printer dialog and window hooks for the printing tests.
#include <QImage>
#include <QPrinter>
#include <optional>
#include <vector>

#include "foundation/General.h"
#include "foundation/Globals.h"
#include "foundation/Registry.h"
#include "platform/printer/PrinterDialog.h"
#include "platform/runtime/StateReset.h"
#include "printing/Printing.h"
#include "printing/QtDevices.h"
#include "support/Pdf.h"
#include "support/QtApp.h"

namespace printingtest {

// Keeps a rendered page for a person to look at when TOLVANE_PNG_DIR names a folder.
inline void SaveForLooking(const QImage& image, const QString& name) {
  const QByteArray dir = qgetenv("TOLVANE_PNG_DIR");
  if (!dir.isEmpty()) image.save(QString::fromLocal8Bit(dir) + "/" + name);
}

// Page `page` (from 1) of a PDF file rendered at `dpi` and kept for a person to look at when
// TOLVANE_PNG_DIR names a folder; without it the page is not rendered at all.
inline void SavePageForLooking(const QString& file, int page, int dpi, const QString& name) {
  if (!qEnvironmentVariableIsEmpty("TOLVANE_PNG_DIR"))
    SaveForLooking(testsupport::PdfPageImage(file, page, dpi), name);
}

// Answers the dialog at once. Like the system dialog it leaves the user's copies, orientation
// and output on the printer, and hands back the choice.
class FakeDialog final : public printer::PrinterDialogRunner {
 public:
  std::optional<printer::DialogChoice> answer;  // nothing: Cancel
  QString outputFile;                           // set on the printer on OK when not empty
  int calls = 0;
  int maxPageSeen = -1;
  QWidget* ownerSeen = nullptr;
  bool portraitWhenOpened = false;
  int copiesWhenOpened = 0;

  // OK on one copy of all pages, printed into the PDF file `file`.
  void AnswerPdf(const QString& file) {
    outputFile = file;
    answer = printer::DialogChoice{file, 1, false, printer::PageRange::All, 0, 0};
  }

  std::optional<printer::DialogChoice> run(QPrinter& printer, int maxPage,
                                           QWidget* owner) override {
    ++calls;
    maxPageSeen = maxPage;
    ownerSeen = owner;
    portraitWhenOpened = printer.pageLayout().orientation() == QPageLayout::Portrait;
    copiesWhenOpened = printer.copyCount();
    if (!answer) return std::nullopt;
    if (!outputFile.isEmpty()) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(outputFile);
    }
    printer.setCopyCount(answer->copies);
    printer.setPageOrientation(answer->landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    return answer;
  }
};

class FakeHooks final : public Printing::Hooks {
 public:
  bool preview = false;
  std::vector<float> delays;
  std::vector<std::string> toolbar;  // "load", "unload"
  bool PlotPreview() override { return preview; }
  void ToolbarFormLoad() override { toolbar.push_back("load"); }
  void ToolbarFormUnload() override { toolbar.push_back("unload"); }
  void Delay(float seconds) override { delays.push_back(seconds); }
  // The main window's side of a print job.
  Printing::JobInputs inputs;
  int32_t interiorConfig = 1;
  std::vector<std::string> jobEvents;  // "started", "ended"
  Printing::JobInputs Inputs() override { return inputs; }
  int32_t InteriorConfig() override { return interiorConfig; }
  void SetInteriorConfig(int32_t config) override { interiorConfig = config; }
  void JobStarted() override { jobEvents.push_back("started"); }
  void JobEnded() override { jobEvents.push_back("ended"); }
};

// Module state reset, the fakes installed, a small aircraft list.
class PrintingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::QtApp();
    vb::ResetProgramState();
    Printing::InstallHooks(&hooks);
    Printing::InstallDevices(&qt);
    qt.InstallDialogRunner(&dialog);
    Globals::Vars& g = Globals::vars();
    g.AircraftList.assign(1, {});
    g.AircraftList.push_back({"Jets", "11", "Jet One", "Maker A", -1});
    g.AircraftList.push_back({"Jets", "22", "Jet Two", "Maker B", -1});
    g.AircraftCount = 2;
  }
  void TearDown() override {
    vb::ResetProgramState();
    testsupport::Settle();
  }
  static void Choose(const std::string& a1, const std::string& a2) {
    Registry::RegSettings().Aircraft1 = a1;
    Registry::RegSettings().Aircraft2 = a2;
  }

  FakeDialog dialog;
  FakeHooks hooks;
  // The printer, the printer dialog (answered by `dialog`), the preview window and the scale
  // dialogs of the program.
  Printing::QtDevices qt;
};

}  // namespace printingtest
