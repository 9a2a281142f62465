#pragma once
// The scale dialogs of the to-scale prints: frmScale asks one scale (the exterior pages),
// frmScale2 an interior and a cabin scale. A scale is a text "1:n"; OK hands n to the page
// builders through PrintScale (and CabinPrintScale). Neither dialog validates the text: a text
// that yields no positive number means no scale was chosen.
#include <QDialog>
#include <QStringList>
#include <functional>
#include <string>
#include <string_view>

class QComboBox;
class QPushButton;

namespace Printing {

// The number after the first colon of a scale text ("1:75" -> 75, "1:62.5" -> 62.5); 0 when the
// text holds no colon or nothing numeric follows it. A value too large for a float gives 0.
float ParseScale(std::string_view text);

// A scale denominator in its shortest form: 62.3 -> "62.3", 80 -> "80", never
// "62.2999992370605".
std::string ScaleNumber(float n);
// The scale line of a printed page: "Scale = 1:" and the shortest form of n.
std::string ScaleText(float n);

// A scale box's entries and the text it starts with.
struct ScaleList {
  QStringList entries;
  QString text;
};
// frmScale's list for a PrintScaleKind: 2 the exterior list, 1 the interior list, otherwise
// none (the text stays "1:180").
ScaleList SingleScaleList(int32_t kind);
// The list of both boxes of frmScale2, with the interior and the cabin default.
ScaleList InteriorScaleList();
ScaleList CabinScaleList();

// What both dialogs share: a fixed frame with a close button alone, no default button (Enter does
// not close it), Esc and closing cancel. Form_Load, once the controls are made, lowers the
// floating toolbar while the dialog is open, centres it on the main window and fills its boxes,
// under the form's own name in the trace and the error reports; the destructor (Form_Unload)
// raises the toolbar again.
class ScaleDialog : public QDialog {
  Q_OBJECT
 public:
  ~ScaleDialog() override;

 protected:
  ScaleDialog(int height);
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
};

class frmScale final : public ScaleDialog {
  Q_OBJECT
 public:
  frmScale();

 private:
  void StoreChoice() override;
  QComboBox* cmbScale = nullptr;
};

class frmScale2 final : public ScaleDialog {
  Q_OBJECT
 public:
  frmScale2();

 private:
  void StoreChoice() override;
  QComboBox* cmbScale1 = nullptr;
  QComboBox* cmbScale2 = nullptr;
};

// Shows frmScale or frmScale2 modally, without an owner, and returns once it has closed; the
// caller then reads PrintScale (and CabinPrintScale). A test may install its own runner;
// nullptr restores the dialogs.
enum class ScaleDialogKind { Single, InteriorAndCabin };
using ScaleDialogRunner = std::function<void(ScaleDialogKind)>;
void InstallScaleDialogRunner(ScaleDialogRunner runner);
void ShowScaleDialog(ScaleDialogKind kind);

}  // namespace Printing
