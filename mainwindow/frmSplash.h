#pragma once
// The window shown while the program starts: the logo picLogo and the text lblSplash. It closes
// by itself two seconds after start-up allows it, or at once on a click once allowed; its
// unload shows the main window.
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "mainwindow/SplashModel.h"

namespace MainForm {

class frmSplash final : public QWidget {
  Q_OBJECT
 public:
  // `mainWindow` owns the splash and is shown when it unloads.
  explicit frmSplash(QWidget* mainWindow);

  // SplashCloseAllowed := true.
  void AllowClose() { model_.AllowClose(); }
  const SplashModel& model() const { return model_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowTimer_Timer();
  void Clicked();

  QPointer<QWidget> main_;
  SplashModel model_;
  QTimer showTimer_;
  QLabel* picLogo_;
  QLabel* lblSplash_;
};

}  // namespace MainForm
