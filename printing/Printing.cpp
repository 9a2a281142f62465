#include "printing/Printing.h"

#include <QCoreApplication>
#include <algorithm>
#include <memory>

#include "foundation/General.h"
#include "foundation/Globals.h"
#include "foundation/Registry.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Trap.h"
#include "platform/ui/Hooks.h"
#include "printing/PageRaster.h"
#include "printing/PreviewPages.h"

namespace Printing {

namespace {

Vars state;
Hooks defaultHooks;
Hooks* installedHooks = &defaultHooks;
JobState defaultJobState;
JobState* installedJobState = &defaultJobState;
Devices* installedDevices = nullptr;
printer::PrintDevice* installedPrinter = nullptr;

// Made on first use: the preview's fonts want the application to exist.
std::unique_ptr<PreviewPages>& previewPages() {
  static std::unique_ptr<PreviewPages> p;
  return p;
}

// The pages and the raster go while the application is still there: Qt's fonts and images are
// gone by the time static objects are destroyed. (The devices are their owner's: the main
// window releases them when it goes.)
void ReleaseDevices() {
  previewPages().reset();
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
  if (installedDevices) installedDevices->EndOpenDocument();
}

// Where nothing can be printed: no devices are installed. Every document fails to begin, as on
// a printer that is not there.
class NoPrinter final : public printer::PrintDevice {
 public:
  gdi::TargetKind kind() const override { return gdi::TargetKind::Printer; }
  double scaleWidth() const override { return 0; }
  double scaleHeight() const override { return 0; }
  int resolution() const override { return 1200; }
  void startJob(const QString& documentName) override { name_ = documentName; }
  QString documentName() const override { return name_; }
  gdi::Canvas& canvas() override { Fail(); }
  void paintPicture(const QImage&, double, double, double, double) override { Fail(); }
  void beginDocument() override { Fail(); }
  void newPage() override { Fail(); }
  void endDoc() override {}
  bool documentOpen() const override { return false; }

 private:
  [[noreturn]] static void Fail() { vb::Raise(printer::kPrinterError, "No printer is set up"); }
  QString name_;
};
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

// The preview window, a fresh one when none is open; shown modeless with no owner.
void OpenPreview() {
  if (installedDevices) installedDevices->ShowPreview(Preview());
}

// The devices; without them the dialog cannot be shown, which is reported.
Devices& RequireDevices() {
  if (!installedDevices) vb::Raise(vb::err::ObjectNotSet, "No printer is set up");
  return *installedDevices;
}

}  // namespace

Vars& vars() { return state; }

void Hooks::Delay(float seconds) { General::Delay(seconds); }

JobInputs JobState::Inputs() { return JobInputs{.AircraftClass = Globals::vars().AircraftClass}; }

void InstallHooks(Hooks* h) { installedHooks = h ? h : &defaultHooks; }

Hooks& hooks() { return *installedHooks; }

Hooks* InstalledHooks() { return installedHooks == &defaultHooks ? nullptr : installedHooks; }

void InstallJobState(JobState* s) { installedJobState = s ? s : &defaultJobState; }

JobState& jobState() { return *installedJobState; }

JobState* InstalledJobState() {
  return installedJobState == &defaultJobState ? nullptr : installedJobState;
}

void InstallDevices(Devices* devices) { installedDevices = devices; }

Devices* InstalledDevices() { return installedDevices; }

printer::PrintDevice& Printer() {
  if (installedPrinter) return *installedPrinter;
  if (installedDevices) return installedDevices->SystemPrinter();
  static NoPrinter none;
  return none;
}

void InstallPrinter(printer::PrintDevice* device) { installedPrinter = device; }

PreviewPages& Preview() {
  auto& p = previewPages();
  if (!p) {
    ReleaseAtExit();
    p = std::make_unique<PreviewPages>();
    // A page that a preview job begins while no window shows the pages (the user closed it
    // during the job) opens the window again, so the job's later pages are seen.
    p->setOnPageStart([] {
      if (jobState().PlotPreview() && !PreviewOpen()) OpenPreview();
    });
  }
  return *p;
}

bool PreviewOpen() { return installedDevices && installedDevices->PreviewOpen(); }

printer::PrintDevice& Target() {
  if (jobState().PlotPreview()) return Preview();
  return Printer();
}

void resetForTest() {
  state = Vars{};
  installedHooks = &defaultHooks;
  defaultJobState = JobState{};
  installedJobState = &defaultJobState;
  installedDevices = nullptr;
  installedPrinter = nullptr;
  InstallScaleDialogRunner(nullptr);
  InstallPageRunner(nullptr);
  ForgetJobFailures();
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
  if (jobState().PlotPreview()) {
    g.step([&] {
      OpenPreview();
      Preview().startJob(QString());
    });
    options.Copies = 1;
    return -1;
  }

  int32_t result = 0;
  std::optional<printer::DialogChoice> choice;
  Devices* devices = nullptr;
  g.step([&] {
    devices = &RequireDevices();
    // A document left open by an earlier job is finished before the printer may change.
    devices->SystemPrinter().endDoc();
    devices->KeepProgramPage();  // the dialog opens on portrait
    ToolbarLowered lowered;
    choice = devices->RunPrinterDialog(state.PrintPageCount);
  });
  if (choice && devices) {
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
    g.step([&] { devices->KeepProgramPage(); });
    g.step([&] {
      const Registry::Settings& reg = Registry::RegSettings();
      const QString title = QString::fromStdString(JobTitle(reg.Aircraft1, reg.Aircraft2));
      printer::PrintDevice& current = devices->SystemPrinter();
      current.startJob(title);
      if (installedPrinter && installedPrinter != &current) installedPrinter->startJob(title);
    });
    result = 1;
  }
  g.step([&] { hooks().Delay(0.1f); });
  return result;
}

}  // namespace Printing
