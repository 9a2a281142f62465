#pragma once
// A printer dialog and window hooks for the printing tests, and their fixture over the program's
// wiring.
#include <QImage>
#include <QPrinter>
#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "drawings/DxfCadServices.h"
#include "foundation/General.h"
#include "foundation/Globals.h"
#include "foundation/Registry.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Wiring.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/printer/PrinterDialog.h"
#include "platform/runtime/StateReset.h"
#include "platform/ui/FakeHooks.h"
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

// What a print job does to the window it has not got, recorded.
class FakeHooks final : public Printing::Hooks {
 public:
  std::vector<float> delays;
  std::vector<std::string> toolbar;    // "load", "unload"
  std::vector<std::string> jobEvents;  // "started", "ended"
  void ToolbarFormLoad() override { toolbar.push_back("load"); }
  void ToolbarFormUnload() override { toolbar.push_back("unload"); }
  void Delay(float seconds) override { delays.push_back(seconds); }
  void JobStarted() override { jobEvents.push_back("started"); }
  void JobEnded() override { jobEvents.push_back("ended"); }
};

// Module state reset, the program's wiring with the fakes as the window's adapters (what a job
// reads of the window is the window's state: MainForm, Globals, Registry), a small aircraft list.
class PrintingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::QtApp();
    vb::ResetProgramState();
    qt.InstallDialogRunner(&dialog);
    Wire();
    Globals::Vars& g = Globals::vars();
    g.AircraftList.assign(1, {});
    g.AircraftList.push_back({"Jets", "11", "Jet One", "Maker A", -1});
    g.AircraftList.push_back({"Jets", "22", "Jet Two", "Maker B", -1});
    g.AircraftCount = 2;
  }
  void TearDown() override {
    wiring.reset();
    vb::ResetProgramState();
    testsupport::Settle();
  }
  static void Choose(const std::string& a1, const std::string& a2) {
    Registry::RegSettings().Aircraft1 = a1;
    Registry::RegSettings().Aircraft2 = a2;
  }
  // What a print job reads of the window when it starts, as the window's state.
  static void SetJobInputs(const Printing::JobInputs& in) {
    Globals::vars().AircraftClass = static_cast<int16_t>(in.AircraftClass);
    MainForm::Vars& v = MainForm::vars();
    v.CurrentTab = in.CurrentTab;
    v.EMSInteriorAvailable = in.EMSInteriorAvailable;
    v.UtilityInteriorAvailable = in.UtilityInteriorAvailable;
    v.WATAAvailable = in.WATAAvailable;
    v.WATBAvailable = in.WATBAvailable;
  }
  // The drawing controls CAD(0) and CAD(2) to CAD(5) of the window, page templates read from
  // `folder`, wired in as the drawing services.
  void UseDrawingControls(const std::filesystem::path& folder = {}) {
    for (auto& c : controls) c = std::make_unique<dxf::DrawingControl>(folder);
    services =
        std::make_unique<CadFunctions::DxfCadServices>(CadFunctions::DxfCadServices::Controls{
            controls[0].get(), nullptr, controls[2].get(), controls[3].get(), controls[4].get(),
            controls[5].get()});
    Wire();
  }
  // The fixture runs what ships: the program's wiring is in force, its own hooks (what the page
  // routines and the jobs read of the window) untouched by the fixture, and the fixture's adapters
  // installed through it.
  void ExpectTheProgramsWiring() {
    ASSERT_NE(wiring, nullptr);
    EXPECT_EQ(wiring->Replaced(), std::vector<std::string_view>{});
    const std::vector<std::string_view> inForce = Wiring::HooksInForce();
    for (std::string_view hook : Wiring::StateHooks())
      EXPECT_NE(std::find(inForce.begin(), inForce.end(), hook), inForce.end()) << hook;
    for (std::string_view hook : {"ui", "printing window", "printing devices"})
      EXPECT_NE(std::find(wiring->Report().begin(), wiring->Report().end(), hook),
                wiring->Report().end())
          << hook;
    // The inputs of the page routines are the window's state.
    MainForm::vars().InteriorConfig = 3;
    EXPECT_EQ(CadFunctions::CurrentInputs().InteriorConfig, 3);
    MainForm::vars().InteriorConfig = 1;
  }
  // The program's wiring, with the fixture's adapters in the window's place.
  void Wire() {
    wiring.reset();
    wiring = std::make_unique<Wiring::Installed>(Wiring::Adapters{.ui = &ui,
                                                                  .drawingServices = services.get(),
                                                                  .printingWindow = &hooks,
                                                                  .printingDevices = &qt});
  }

  FakeDialog dialog;
  FakeHooks hooks;
  ui::FakeHooks ui;
  // The printer, the printer dialog (answered by `dialog`), the preview window and the scale
  // dialogs of the program.
  Printing::QtDevices qt;
  std::array<std::unique_ptr<dxf::DrawingControl>, 6> controls;
  std::unique_ptr<CadFunctions::DxfCadServices> services;
  std::unique_ptr<Wiring::Installed> wiring;
};

}  // namespace printingtest
