// The "Choose Aircraft" dialog window: its controls laid out as designed (in twips, 15 to a
// pixel), each user action handed to ChooseModel and the model's state shown again.
#include "mainwindow/frmChoose.h"

#include <QComboBox>
#include <QFont>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <cmath>
#include <exception>

#include "mainwindow/ControlNames.h"
#include "platform/runtime/Error.h"
#include "platform/ui/Hooks.h"

namespace {

namespace ctl = MainForm::ctl;

constexpr double kTwipsPerPixel = 15.0;

int Px(int twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

QRect Twips(int left, int top, int width, int height) {
  return QRect(Px(left), Px(top), Px(width), Px(height));
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Runs a handler from the event loop. An error no procedure trapped (error handling off) ends
// the program as an untrapped run-time error did; nothing is thrown into Qt.
template <class F>
void Handle(F&& handler) {
  try {
    handler();
  } catch (const vb::Error& e) {
    ui::UntrappedError(e.number, e.description);
  } catch (const std::exception& e) {
    ui::UntrappedError(vb::err::InternalError, e.what());
  }
}

// Makes the list box show the lines (text, and the aircraft number as item data) and the
// selected line. The items are rebuilt only when they changed.
void ShowLines(QListWidget* list, const std::vector<ChooseModel::Line>& lines, int index) {
  bool same = list->count() == static_cast<int>(lines.size());
  for (int i = 0; same && i < list->count(); ++i) {
    const QListWidgetItem* item = list->item(i);
    const ChooseModel::Line& line = lines[static_cast<size_t>(i)];
    same = item->text() == Q(line.Text) && item->data(Qt::UserRole).toString() == Q(line.AcNum);
  }
  if (!same) {
    // A category may hold thousands of aircraft: the wait cursor while the list is built.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    list->clear();
    for (const ChooseModel::Line& line : lines) {
      auto* item = new QListWidgetItem(Q(line.Text));
      item->setData(Qt::UserRole, Q(line.AcNum));
      list->addItem(item);
    }
    QGuiApplication::restoreOverrideCursor();
  }
  if (index >= 0 && index < list->count()) {
    list->setCurrentRow(index);
  } else {
    list->setCurrentRow(-1);
    list->clearSelection();
  }
}

int SelectedRow(const QListWidget* list) {
  const QList<QListWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? -1 : list->row(selected.first());
}

}  // namespace

bool ChooseAircraft(QWidget* parent) {
  frmChoose dialog(parent);
  return dialog.exec() == QDialog::Accepted && dialog.model().outcome() == ChooseModel::Outcome::OK;
}

frmChoose::frmChoose(QWidget* parent) : QDialog(parent) {
  setObjectName(ctl::frmChoose);
  setWindowTitle("Choose Aircraft");
  setFixedSize(Px(7935), Px(4275));
  // The controls are sized for the designed 8-point dialog font.
  QFont designFont = font();
  designFont.setPointSizeF(8);
  setFont(designFont);

  cmbCategory_ = new QComboBox(this);
  cmbCategory_->setObjectName(ctl::cmbCategory);
  cmbCategory_->setEditable(true);
  // Typed text stays as typed and never becomes an entry of the list.
  cmbCategory_->setInsertPolicy(QComboBox::NoInsert);
  cmbCategory_->setCompleter(nullptr);
  cmbCategory_->setGeometry(Twips(3090, 510, 1830, 315));

  Label1_ = new QLabel("Category", this);
  Label1_->setObjectName(ctl::Label1);
  Label1_->setGeometry(Twips(3090, 150, 1830, 315));

  List1_ = new QListWidget(this);
  List1_->setObjectName(ctl::List1);
  List1_->setSelectionMode(QAbstractItemView::SingleSelection);
  List1_->setUniformItemSizes(true);
  List1_->setGeometry(Twips(270, 990, 3100, 2205));

  List2_ = new QListWidget(this);
  List2_->setObjectName(ctl::List2);
  List2_->setSelectionMode(QAbstractItemView::SingleSelection);
  List2_->setGeometry(Twips(4575, 990, 3100, 2205));

  auto button = [this](const char* name, const char* caption, QRect geometry) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setGeometry(geometry);
    // Not made the default by Qt when the dialog is shown; see keyPressEvent.
    b->setAutoDefault(false);
    return b;
  };
  cmdAdd_ = button(ctl::cmdAdd, "&Add ->", Twips(3465, 1395, 1000, 495));
  cmdRemove_ = button(ctl::cmdRemove, "<- &Remove", Twips(3465, 2235, 1000, 495));
  cmdCancel_ = button(ctl::cmdCancel, "&Cancel", Twips(795, 3420, 1215, 495));
  cmdOK_ = button(ctl::cmdOK, "&OK", Twips(5190, 3405, 1215, 495));

  // Only a pick from the drop-down list refills List1: Qt's editable box would also take typed
  // text that names an entry as a pick of it, on Enter and when the focus leaves the box.
  QObject::disconnect(cmbCategory_->lineEdit(), &QLineEdit::returnPressed, cmbCategory_, nullptr);
  QObject::disconnect(cmbCategory_->lineEdit(), &QLineEdit::editingFinished, cmbCategory_, nullptr);
  // The arrow keys of the lists (see eventFilter).
  List1_->installEventFilter(this);
  List2_->installEventFilter(this);

  QWidget::setTabOrder(cmbCategory_, List1_);
  QWidget::setTabOrder(List1_, List2_);
  QWidget::setTabOrder(List2_, cmdAdd_);
  QWidget::setTabOrder(cmdAdd_, cmdRemove_);
  QWidget::setTabOrder(cmdRemove_, cmdCancel_);
  QWidget::setTabOrder(cmdCancel_, cmdOK_);

  connect(cmbCategory_, &QComboBox::activated, this, [this](int index) {
    Handle([&] {
      model_.PickCategory(index);
      Refresh();
    });
  });
  connect(cmbCategory_->lineEdit(), &QLineEdit::textChanged, this, [this](const QString& text) {
    Handle([&] { model_.TypeCategory(text.toStdString()); });
  });
  connect(List1_, &QListWidget::itemSelectionChanged, this,
          [this] { Handle([&] { model_.SelectList1(SelectedRow(List1_)); }); });
  connect(List2_, &QListWidget::itemSelectionChanged, this,
          [this] { Handle([&] { model_.SelectList2(SelectedRow(List2_)); }); });
  connect(List1_, &QListWidget::itemDoubleClicked, this, [this] {
    Handle([&] {
      model_.SelectList1(SelectedRow(List1_));
      model_.List1_DblClick();
      Refresh();
    });
  });
  connect(List2_, &QListWidget::itemDoubleClicked, this, [this] {
    Handle([&] {
      model_.SelectList2(SelectedRow(List2_));
      model_.List2_DblClick();
      Refresh();
    });
  });
  connect(cmdAdd_, &QPushButton::clicked, this, [this] {
    Handle([&] {
      model_.cmdAdd_Click();
      Refresh();
    });
  });
  connect(cmdRemove_, &QPushButton::clicked, this, [this] {
    Handle([&] {
      model_.cmdRemove_Click();
      Refresh();
    });
  });
  connect(cmdOK_, &QPushButton::clicked, this, [this] {
    Handle([&] { model_.cmdOK_Click(); });
    accept();
  });
  connect(cmdCancel_, &QPushButton::clicked, this, [this] {
    Handle([&] { model_.cmdCancel_Click(); });
    reject();
  });

  CentreOn(parent);
  Handle([&] { model_.Form_Load(); });
  Refresh();
}

frmChoose::~frmChoose() {
  if (!unloaded_) Handle([&] { model_.Form_Unload(); });
}

void frmChoose::keyPressEvent(QKeyEvent* event) {
  // Enter presses the button that has the focus, and nothing else: the dialog has no default
  // button, so Enter in a list or in the category box does not add or close.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (auto* b = qobject_cast<QPushButton*>(focusWidget()); b && b->isEnabled()) b->click();
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool frmChoose::eventFilter(QObject* watched, QEvent* event) {
  // In a list with no line selected, the first arrow selects the first line. Qt makes that
  // line current without selecting it when the list gets the focus, so Down would select the
  // second line and a list of one line could not be selected by the keyboard at all.
  auto* list = qobject_cast<QListWidget*>(watched);
  if (list && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Down || key == Qt::Key_Up) && list->count() > 0 &&
        list->selectedItems().isEmpty()) {
      list->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmChoose::reject() {
  Handle([&] { model_.Form_QueryUnload(); });
  QDialog::reject();
}

void frmChoose::done(int result) {
  if (!unloaded_) {
    unloaded_ = true;
    Handle([&] { model_.Form_Unload(); });
  }
  QDialog::done(result);
}

void frmChoose::CentreOn(QWidget* parent) {
  // Without a main window Qt centres the dialog on the screen.
  if (!parent) return;
  const QRect main = parent->window()->frameGeometry();
  move(main.left() + main.width() / 2 - width() / 2, main.top() + main.height() / 2 - height() / 2);
}

void frmChoose::Refresh() {
  const ChooseModel::State& s = model_.state();
  const QSignalBlocker blockBox(cmbCategory_);
  const QSignalBlocker blockEdit(cmbCategory_->lineEdit());
  const QSignalBlocker blockList1(List1_);
  const QSignalBlocker blockList2(List2_);

  QStringList items;
  for (const std::string& item : s.CategoryItems) items << Q(item);
  QStringList shown;
  for (int i = 0; i < cmbCategory_->count(); ++i) shown << cmbCategory_->itemText(i);
  if (shown != items) {
    cmbCategory_->clear();
    cmbCategory_->addItems(items);
  }
  const QString text = Q(s.CategoryText);
  const int index = cmbCategory_->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (cmbCategory_->currentIndex() != index) cmbCategory_->setCurrentIndex(index);
  if (cmbCategory_->currentText() != text) cmbCategory_->setEditText(text);

  ShowLines(List1_, s.List1, s.List1Index);
  ShowLines(List2_, s.List2, s.List2Index);
  cmdAdd_->setEnabled(s.AddEnabled);
  cmdRemove_->setEnabled(s.RemoveEnabled);
}
