#pragma once
// The small dialogs of the main window: the colour picker (frmColor), the about box (frmAbout)
// and the properties dialog (frmProperties). Each lowers the floating toolbar while it is open
// and raises it again when it closes.
#include <QDialog>
#include <QLabel>
#include <string>

#include "mainwindow/ColorPicker.h"
#include "mainwindow/PropertiesModel.h"

class QCheckBox;
class QPushButton;

namespace MainForm {

// A dialog of the program: Toolbar.FormLoad when it is made, Toolbar.FormUnload when it goes.
class ProgramDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ProgramDialog(QWidget* parent);
  ~ProgramDialog() override;
};

// A label that reports clicks and double clicks (the picker's colour cells).
class ClickLabel final : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
 signals:
  void clicked();
  void doubleClicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// The sample of the chosen colour; "Same Color as Plane" (-1) shows hatched.
class ColorSample final : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;
  void SetColor(int32_t rgb);
  int32_t Color() const { return rgb_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int32_t rgb_ = 0;
};

class frmColor final : public ProgramDialog {
  Q_OBJECT
 public:
  frmColor(Color::PickerModel& model, QWidget* parent);
  // The picker runner of Color.SelectColor: shows the dialog modally over the active window.
  static void Run(Color::PickerModel& model);

 private:
  void Sync();
  Color::PickerModel& model_;
  ColorSample* sample_ = nullptr;
  QCheckBox* planeBox_ = nullptr;
};

// lblVersion: "Version a.b.c  (" + the database version as stored + ")".
std::string AboutVersionText(const std::string& databaseVersion);
// lblCopyright for a year.
std::string AboutCopyrightText(int year);
// What System Info shows: the operating system, its kernel and the Qt version, from Qt's own
// queries.
std::string SystemInfoText();

class frmAbout final : public ProgramDialog {
  Q_OBJECT
 public:
  explicit frmAbout(QWidget* parent);
  void cmdSysInfo_Click();
};

class frmProperties final : public ProgramDialog {
  Q_OBJECT
 public:
  explicit frmProperties(QWidget* parent);
  const PropertiesModel& model() const { return model_; }

 private:
  void Sync();
  PropertiesModel model_;
  QCheckBox* pan_ = nullptr;
  QCheckBox* zoom_ = nullptr;
  QPushButton* apply_ = nullptr;
};

// The program's icon, drawn (two aircraft outlines side by side).
QPixmap ProgramIcon(int size);

}  // namespace MainForm
