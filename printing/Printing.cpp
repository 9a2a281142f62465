#include "printing/Printing.h"

#include <QCoreApplication>
#include <QPrinter>
#include <algorithm>
#include <memory>

#include "charts/ChartBuilders.h"
#include "foundation/General.h"
#include "foundation/Globals.h"
#include "foundation/Registry.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Trap.h"
#include "platform/ui/Hooks.h"
#include "printing/PageRaster.h"
#include "printing/frmPlotPreview.h"
#include "printing/ScaleDialogs.h"

namespace Printing {

namespace {

Vars state;
Hooks defaultHooks;
Hooks* installedHooks = &defaultHooks;
printer::QtPrinterDialogRunner systemDialog;
printer::PrinterDialogRunner* dialogRunner = &systemDialog;
printer::PrintDevice* installedPrinter = nullptr;

// Made on first use: a QPrinter and the preview's fonts want the application to exist.
std::unique_ptr<printer::QtPrinter>& currentPrinter() {
  static std::unique_ptr<printer::QtPrinter> p;
  return p;
}
std::unique_ptr<PreviewPages>& previewPages() {
  static std::unique_ptr<PreviewPages> p;
  return p;
}
QPointer<frmPlotPreview>& previewWindow() {
  static QPointer<frmPlotPreview> w;
  return w;
}

// The window, the pages and the printer go while the application is still there (an open
// document is ended, so what was printed is sent): the print plugins are gone by the time
// static objects are destroyed.
void ReleaseDevices() {
  if (frmPlotPreview* w = previewWindow()) delete w;
  previewPages().reset();
  currentPrinter().reset();
  ReleasePlotPicture();
}
void ReleaseAtExit() {
  static const bool registered = (qAddPostRoutine(ReleaseDevices), true);
  (void)registered;
}

// When the program ends in the middle of a job (the error limit, Cancel in an error box), the
// document begun is ended first, so that its file is whole and a printer's job is sent.
void EndOpenDocuments() {
  if (installedPrinter && installedPrinter->documentOpen()) installedPrinter->endDoc();
  if (currentPrinter() && currentPrinter()->documentOpen()) currentPrinter()->endDoc();
}
const bool endsOpenDocuments = (ui::FinishBeforeEnd(&EndOpenDocuments), true);

int16_t ToInt16(int value) { return static_cast<int16_t>(std::clamp(value, -32768, 32767)); }

// Toolbar.FormLoad on opening, Toolbar.FormUnload on closing, even when the dialog fails.
class ToolbarLowered {
 public:
  ToolbarLowered() { hooks().ToolbarFormLoad(); }
  ~ToolbarLowered() { hooks().ToolbarFormUnload(); }
  ToolbarLowered(const ToolbarLowered&) = delete;
  ToolbarLowered& operator=(const ToolbarLowered&) = delete;
};

// The preview window, a fresh one when none is open; shown modeless with no owner. A window the
// user has closed is left to delete itself.
void OpenPreview() {
  QPointer<frmPlotPreview>& w = previewWindow();
  if (!w || !w->isOpen()) w = new frmPlotPreview(Preview());
  w->show();
  w->raise();
}

}  // namespace

Vars& vars() { return state; }

void Hooks::Delay(float seconds) { General::Delay(seconds); }

JobInputs Hooks::Inputs() { return JobInputs{.AircraftClass = Globals::vars().AircraftClass}; }

void InstallHooks(Hooks* h) { installedHooks = h ? h : &defaultHooks; }

Hooks& hooks() { return *installedHooks; }

void InstallDialogRunner(printer::PrinterDialogRunner* runner) {
  dialogRunner = runner ? runner : &systemDialog;
}

printer::QtPrinter& CurrentPrinter() {
  auto& p = currentPrinter();
  if (!p) {
    ReleaseAtExit();
    p = std::make_unique<printer::QtPrinter>();
  }
  return *p;
}

printer::PrintDevice& Printer() { return installedPrinter ? *installedPrinter : CurrentPrinter(); }

void InstallPrinter(printer::PrintDevice* device) { installedPrinter = device; }

PreviewPages& Preview() {
  auto& p = previewPages();
  if (!p) {
    ReleaseAtExit();
    p = std::make_unique<PreviewPages>();
    // A page that a preview job begins while no window shows the pages (the user closed it
    // during the job) opens the window again, so the job's later pages are seen.
    p->setOnPageStart([] {
      if (hooks().PlotPreview() && !PreviewWindow()) OpenPreview();
    });
  }
  return *p;
}

frmPlotPreview* PreviewWindow() {
  frmPlotPreview* w = previewWindow().data();
  return w && w->isOpen() ? w : nullptr;
}

printer::PrintDevice& Target() {
  if (hooks().PlotPreview()) return Preview();
  return Printer();
}

void resetForTest() {
  if (frmPlotPreview* w = previewWindow()) delete w;
  state = Vars{};
  installedHooks = &defaultHooks;
  dialogRunner = &systemDialog;
  installedPrinter = nullptr;
  InstallScaleDialogRunner(nullptr);
  InstallPageRunner(nullptr);
  ForgetJobFailures();
  currentPrinter().reset();
  // A watcher a test left on the pages may be gone: it is dropped before the pages are.
  if (previewPages()) {
    previewPages()->setOnChange(nullptr);
    previewPages()->discard();
  }
}

namespace {
const vb::StateReset stateReset(vb::ResetOrder::Printing, &resetForTest);
}  // namespace

std::string JobTitle(const std::string& aircraft1, const std::string& aircraft2) {
  std::string title;
  for (const std::string* acNum : {&aircraft1, &aircraft2}) {
    if (acNum->empty()) continue;
    const std::string name = Globals::AircraftFullName(*acNum);
    title += (title.empty() || name.empty() ? "" : ", ") + name;
  }
  return title;
}

int32_t ShowPrinterDialog() {
  vb::Proc g(kModule, "ShowPrinterDialog");
  PrintOptions& options = state.Options;
  if (hooks().PlotPreview()) {
    g.step([&] {
      OpenPreview();
      Preview().startJob(QString());
    });
    options.Copies = 1;
    return -1;
  }

  int32_t result = 0;
  std::optional<printer::DialogChoice> choice;
  printer::QtPrinter* current = nullptr;
  g.step([&] {
    current = &CurrentPrinter();
    // A document left open by an earlier job is finished before the printer may change.
    current->endDoc();
    current->keepProgramPage();  // the dialog opens on portrait
    ToolbarLowered lowered;
    choice = dialogRunner->run(current->qprinter(), state.PrintPageCount, hooks().DialogOwner());
  });
  if (choice && current) {
    const printer::DialogChoice& c = *choice;
    // The printer the user picked is the one the dialog left current: no search by name.
    options.DeviceName = c.deviceName.toStdString();
    options.Copies = ToInt16(c.copies);
    options.Orientation = c.landscape ? 2 : 1;
    switch (c.range) {
      case printer::PageRange::Selection:
        options.PrintSelection = true;
        options.PrintPageNums = false;
        options.PrintAllPages = false;
        break;
      case printer::PageRange::Pages:
        options.PrintPageNums = true;
        options.FromPage = ToInt16(c.fromPage);
        options.ToPage = ToInt16(c.toPage);
        options.PrintSelection = false;
        options.PrintAllPages = false;
        break;
      case printer::PageRange::All:
        options.PrintAllPages = true;
        options.PrintSelection = false;
        options.PrintPageNums = false;
        break;
    }
    // The program prints the copies itself, on portrait pages.
    g.step([&] { current->keepProgramPage(); });
    g.step([&] {
      const Registry::Settings& reg = Registry::RegSettings();
      const QString title = QString::fromStdString(JobTitle(reg.Aircraft1, reg.Aircraft2));
      current->startJob(title);
      if (installedPrinter && installedPrinter != current) installedPrinter->startJob(title);
    });
    result = 1;
  }
  g.step([&] { hooks().Delay(0.1f); });
  return result;
}

}  // namespace Printing
