#pragma once
// The modal "Choose Aircraft" dialog: the user picks up to two aircraft of one class, by
// category, from the in-memory aircraft list. The logic lives in ChooseModel; this is its
// window.
#include <QDialog>

#include "foundation/ChooseModel.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

// Shows the dialog modally, centred on `parent` (the main window). Returns true when the user
// pressed OK: the chosen aircraft numbers are then in Registry::RegSettings().Aircraft1 and
// Aircraft2. Returns false on Cancel, Esc or the window's close box, which leave them as they
// were.
bool ChooseAircraft(QWidget* parent);

// The dialog window. Its controls carry their names as object names: cmbCategory, Label1,
// List1, List2, cmdAdd, cmdRemove, cmdCancel, cmdOK. Constructing it loads it (the toolbar is
// lowered, the lists filled); closing it by any means, or destroying it, unloads it.
class frmChoose : public QDialog {
 public:
  explicit frmChoose(QWidget* parent = nullptr);
  ~frmChoose() override;
  frmChoose(const frmChoose&) = delete;
  frmChoose& operator=(const frmChoose&) = delete;

  const ChooseModel& model() const { return model_; }

  // Esc and the close box end here: they act as Cancel.
  void reject() override;
  void done(int result) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // The arrow keys of the two lists.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Shows the model's state in the controls.
  void Refresh();
  void CentreOn(QWidget* parent);

  ChooseModel model_;
  bool unloaded_ = false;
  QComboBox* cmbCategory_ = nullptr;
  QLabel* Label1_ = nullptr;
  QListWidget* List1_ = nullptr;
  QListWidget* List2_ = nullptr;
  QPushButton* cmdAdd_ = nullptr;
  QPushButton* cmdRemove_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
};
