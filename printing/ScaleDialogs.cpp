#include "printing/ScaleDialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "platform/runtime/Trap.h"
#include "printing/ControlNames.h"
#include "printing/Printing.h"

namespace Printing {

// --- ScaleDialog ---
// Sizes are those of a 96 dpi screen (a twip is 1/15 pixel there).

ScaleDialog::ScaleDialog(int height, QWidget* mainWindow)
    : QDialog(nullptr), mainWindow_(mainWindow) {
  setWindowTitle("Choose Scale");
  // A fixed dialog: its title bar is exactly these hints, a title and a close button (closing
  // cancels), with no minimise or maximise box and no help button.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(254, height);
}

ScaleDialog::~ScaleDialog() { hooks().ToolbarFormUnload(); }

void ScaleDialog::Form_Load(const char* form, const std::function<void()>& fillBoxes) {
  vb::Proc g(form, "Form_Load");
  g.step([] { hooks().ToolbarFormLoad(); });
  g.step([this] { CentreOnMainWindow(); });
  g.step(fillBoxes);
}

QComboBox* ScaleDialog::AddScaleBox(const char* name, QRect rect) {
  auto* box = new QComboBox(this);
  box->setObjectName(name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);  // Enter keeps the typed text out of the list
  box->setCompleter(nullptr);  // the text stays as typed: "1:" is not completed to "1:80"
  box->setGeometry(rect);
  box->setEditText("1:180");
  return box;
}

void ScaleDialog::FillScaleBox(QComboBox* box, const ScaleList& list) {
  box->addItems(list.entries);
  box->setEditText(list.text);
}

void ScaleDialog::AddLabel(const char* name, const char* text, QRect rect, double points) {
  auto* label = new QLabel(QString::fromUtf8(text), this);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  QFont font = label->font();
  font.setPointSizeF(points);
  font.setBold(true);
  label->setFont(font);
  label->setGeometry(rect);
}

void ScaleDialog::AddButtons(int top, int cancelLeft, int okLeft) {
  cmdCancel = new QPushButton("&Cancel", this);
  cmdCancel->setObjectName(ctl::cmdCancel);
  cmdCancel->setGeometry(cancelLeft, top, 81, 33);
  cmdOK = new QPushButton("&OK", this);
  cmdOK->setObjectName(ctl::cmdOK);
  cmdOK->setGeometry(okLeft, top, 81, 33);
  // Neither button is the default, so Enter in a scale box does not close the dialog.
  for (QPushButton* b : {cmdCancel, cmdOK}) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdOK, &QPushButton::clicked, this, [this] {
    StoreChoice();
    accept();
  });
}

void ScaleDialog::CentreOnMainWindow() {
  QWidget* main = mainWindow_;
  if (!main) return;
  // Outer rectangles: the dialog's frame is taken to be as wide as the main window's.
  const QRect outer = main->frameGeometry();
  const QMargins frame(main->geometry().left() - outer.left(), main->geometry().top() - outer.top(),
                       outer.right() - main->geometry().right(),
                       outer.bottom() - main->geometry().bottom());
  const QSize mine = size().grownBy(frame);
  move(outer.left() + outer.width() / 2 - mine.width() / 2,
       outer.top() + outer.height() / 2 - mine.height() / 2);
}

// --- frmScale ---

frmScale::frmScale(QWidget* mainWindow) : ScaleDialog(131, mainWindow) {
  setObjectName(ctl::frmScale);
  AddLabel(ctl::Label1, "Scale to Print", QRect(66, 14, 122, 21), 12);
  cmbScale = AddScaleBox(ctl::cmbScale, QRect(90, 38, 74, 21));
  AddButtons(80, 17, 157);
  setTabOrder(cmbScale, cmdCancel);
  setTabOrder(cmdCancel, cmdOK);
  cmbScale->setFocus();
  Form_Load(ctl::frmScale,
            [this] { FillScaleBox(cmbScale, SingleScaleList(vars().PrintScaleKind)); });
}

void frmScale::StoreChoice() {
  vars().PrintScale = ParseScale(cmbScale->currentText().toStdString());
}

// --- frmScale2 ---

frmScale2::frmScale2(QWidget* mainWindow) : ScaleDialog(179, mainWindow) {
  setObjectName(ctl::frmScale2);
  AddLabel(ctl::Label1, "Scale to Print", QRect(66, 8, 122, 21), 12);
  AddLabel(ctl::Label2, "Interior Scale", QRect(64, 32, 122, 17), 9.75);
  cmbScale1 = AddScaleBox(ctl::cmbScale1, QRect(90, 48, 74, 21));
  AddLabel(ctl::Label3, "Cabin Scale", QRect(64, 80, 122, 17), 9.75);
  cmbScale2 = AddScaleBox(ctl::cmbScale2, QRect(88, 96, 74, 21));
  AddButtons(132, 17, 157);
  setTabOrder(cmbScale1, cmdCancel);
  setTabOrder(cmdCancel, cmdOK);
  setTabOrder(cmdOK, cmbScale2);
  cmbScale1->setFocus();
  Form_Load(ctl::frmScale2, [this] {
    FillScaleBox(cmbScale1, InteriorScaleList());
    FillScaleBox(cmbScale2, CabinScaleList());
  });
}

// The two boxes are read independently: an unusable cabin text gives CabinPrintScale 0 even
// when the interior text is usable; the cabin page falls back to its own scale then.
void frmScale2::StoreChoice() {
  vars().PrintScale = ParseScale(cmbScale1->currentText().toStdString());
  vars().CabinPrintScale = ParseScale(cmbScale2->currentText().toStdString());
}

}  // namespace Printing
