#pragma once
// The Qt side of the user-interface hooks: status text in panel 1 of the main window's status
// bar, message boxes, the beep, the hourglass pointer and one pass of the event loop.
#include <QLabel>
#include <QPointer>
#include <QWidget>

#include "platform/ui/Hooks.h"

namespace MainForm {

class QtHooks final : public ui::Hooks {
 public:
  // The main window (owner of the boxes) and its status-bar panel 1; either may be null.
  void SetMainWindow(QWidget* window, QLabel* panel1);

  bool MainWindowExists() override;
  void SetStatusText(const std::string& text) override;
  ui::Answer MessageBox(const std::string& prompt, const std::string& title, ui::Buttons buttons,
                        ui::Icon icon) override;
  void Beep() override;
  void DoEvents() override;
  void SetHourglass(bool on) override;
  void DebugOutput(const std::string& line) override;
  void EndProgram() override;

 private:
  QPointer<QWidget> window_;
  QPointer<QLabel> panel1_;
  bool hourglass_ = false;
};

}  // namespace MainForm
