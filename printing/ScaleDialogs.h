#pragma once
// The scale dialogs of the to-scale prints (Scales.h): frmScale asks one scale (the exterior
// pages), frmScale2 an interior and a cabin scale. OK hands n of the text "1:n" to the page
// builders through PrintScale (and CabinPrintScale). Neither dialog validates the text: a text
// that yields no positive number means no scale was chosen.
#include <QDialog>
#include <functional>

#include "printing/Scales.h"

class QComboBox;
class QPushButton;

namespace Printing {

// What both dialogs share: a fixed frame with a close button alone, no default button (Enter does
// not close it), Esc and closing cancel. Form_Load, once the controls are made, lowers the
// floating toolbar while the dialog is open, centres it on the main window (when one is given; the
// dialog is shown without an owner either way) and fills its boxes, under the form's own name in
// the trace and the error reports; the destructor (Form_Unload) raises the toolbar again.
class ScaleDialog : public QDialog {
  Q_OBJECT
 public:
  ~ScaleDialog() override;

 protected:
  ScaleDialog(int height, QWidget* mainWindow);
  void Form_Load(const char* form, const std::function<void()>& fillBoxes);
  // A scale box with the design's text "1:180"; Form_Load gives it its list and default.
  QComboBox* AddScaleBox(const char* name, QRect rect);
  static void FillScaleBox(QComboBox* box, const ScaleList& list);
  void AddLabel(const char* name, const char* text, QRect rect, double points);
  // Places both buttons; OK runs accept() after the subclass stored its values.
  void AddButtons(int top, int cancelLeft, int okLeft);
  virtual void StoreChoice() = 0;

  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;

 private:
  void CentreOnMainWindow();
  QWidget* mainWindow_;
};

class frmScale final : public ScaleDialog {
  Q_OBJECT
 public:
  explicit frmScale(QWidget* mainWindow = nullptr);

 private:
  void StoreChoice() override;
  QComboBox* cmbScale = nullptr;
};

class frmScale2 final : public ScaleDialog {
  Q_OBJECT
 public:
  explicit frmScale2(QWidget* mainWindow = nullptr);

 private:
  void StoreChoice() override;
  QComboBox* cmbScale1 = nullptr;
  QComboBox* cmbScale2 = nullptr;
};

}  // namespace Printing
