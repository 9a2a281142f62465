#include "mainwindow/QtHooks.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

namespace MainForm {

void QtHooks::SetMainWindow(QWidget* window, QLabel* panel1) {
  window_ = window;
  panel1_ = panel1;
}

bool QtHooks::MainWindowExists() { return !window_.isNull(); }

void QtHooks::SetStatusText(const std::string& text) {
  if (!panel1_) return;
  panel1_->setText(QString::fromStdString(text));
  panel1_->repaint();
}

ui::Answer QtHooks::MessageBox(const std::string& prompt, const std::string& title,
                               ui::Buttons buttons, ui::Icon icon) {
  QMessageBox::Icon qicon = QMessageBox::NoIcon;
  switch (icon) {
    case ui::Icon::Critical:
      qicon = QMessageBox::Critical;
      break;
    case ui::Icon::Exclamation:
      qicon = QMessageBox::Warning;
      break;
    case ui::Icon::Information:
      qicon = QMessageBox::Information;
      break;
    case ui::Icon::None:
      break;
  }
  QMessageBox box(
      qicon, QString::fromStdString(title), QString::fromStdString(prompt),
      buttons == ui::Buttons::OKCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
      window_ && window_->isVisible() ? window_.data() : nullptr);
  return box.exec() == QMessageBox::Cancel ? ui::Answer::Cancel : ui::Answer::OK;
}

void QtHooks::Beep() { QApplication::beep(); }

void QtHooks::DoEvents() { QCoreApplication::processEvents(); }

void QtHooks::SetHourglass(bool on) {
  if (on == hourglass_) return;
  hourglass_ = on;
  if (on)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void QtHooks::DebugOutput(const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); }

void QtHooks::EndProgram() {
  // End stops the program at once, without the shut-down steps.
  std::fflush(nullptr);
  std::_Exit(0);
}

}  // namespace MainForm
