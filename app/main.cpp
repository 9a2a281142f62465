// Tolvane: compares two aircraft side by side.
#include <QApplication>

#include "foundation/General.h"
#include "mainwindow/frmMain.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Format.h"
#include "platform/ui/Hooks.h"

namespace {

// No exception may cross Qt's event loop: an error that no procedure trapped (error handling
// off) ends the program here, as an untrapped run-time error did.
class Application final : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const vb::Error& e) {
      ui::UntrappedError(e.number, e.description);
    } catch (const std::exception& e) {
      ui::UntrappedError(vb::err::InternalError, e.what());
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  // The floating toolbar is placed beside the main window, which Wayland does not allow a
  // program to do: with an X display at hand (XWayland included) the X11 platform is used,
  // unless the user asked for another one.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "xcb");
  Application app(argc, argv);
  Application::setApplicationName("Tolvane");
  Application::setOrganizationName("Velmora");
  Application::setStyle("Fusion");
  // The program ends with the main window's shut-down, not when some window closes.
  Application::setQuitOnLastWindowClosed(false);
  vb::UseSystemLocale();
  General::InstallTraps();

  // The window installs the program's wiring (mainwindow/Wiring) while it lives.
  MainForm::frmMain window;
  try {
    window.Start();
  } catch (const vb::Error& e) {
    ui::UntrappedError(e.number, e.description);
  }
  window.show();
  return Application::exec();
}
