#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <string>
#include <vector>

#include "foundation/ChooseModel.h"
#include "foundation/General.h"
#include "foundation/Globals.h"
#include "foundation/Registry.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/frmChoose.h"
#include "platform/runtime/StateReset.h"
#include "platform/ui/FakeHooks.h"

namespace {

namespace ctl = MainForm::ctl;

void EnsureApp() {
  if (QApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "test_foundation";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

// Closes a modal dialog left open by a failed step, so that a failure cannot hang the run.
class Watchdog {
 public:
  Watchdog() {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [] {
      ADD_FAILURE() << "the dialog was left open";
      if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    timer_.start(10000);
  }

 private:
  QTimer timer_;
};

class CountingHooks : public ChooseHooks {
 public:
  int lowered = 0, raised = 0, tabsCleared = 0;
  void ToolbarFormLoad() override { ++lowered; }
  void ToolbarFormUnload() override { ++raised; }
  void SetTabDrawn(int, bool) override { ++tabsCleared; }
};

class ChooseDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    vb::ResetProgramState();
    InstallChooseHooks(&hooks);
    Globals::Vars& v = Globals::vars();
    const std::vector<Globals::AircraftListEntry> entries = {
        {"Jets", "12", "A-100", "Corvane", -1}, {"Jets", "16", "Solo", "", -1},
        {"Jets", "17", "Zed", "Belmar", -1},    {"Pistons", "21", "P1", "Dunmore", -1},
        {"Pistons", "22", "P2", "Dunmore", -1}, {"Helicopters", "41", "H1", "Falk", -1},
    };
    v.AircraftList.assign(1, {});
    v.AircraftList.insert(v.AircraftList.end(), entries.begin(), entries.end());
    v.AircraftCount = static_cast<int16_t>(entries.size());
  }
  void TearDown() override { vb::ResetProgramState(); }

  template <class T>
  static T* Child(QWidget& dialog, const char* name) {
    T* w = dialog.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  static QStringList Items(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
  }
  // The user picks a category from the drop-down list.
  static void PickCategory(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    box->setCurrentIndex(index);
    emit box->activated(index);
  }
  static void SelectLine(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << text.toStdString();
    list->setCurrentItem(found.first());
  }

  CountingHooks hooks;
  ui::ScopedFakeHooks uiHooks;
};

TEST_F(ChooseDialogTest, ControlsCarryTheirNamesCaptionsAndPlaces) {
  frmChoose dialog;
  EXPECT_EQ(dialog.objectName(), "frmChoose");
  EXPECT_EQ(dialog.windowTitle(), "Choose Aircraft");
  EXPECT_EQ(dialog.size(), QSize(529, 285));  // 7935 x 4275 twips
  struct Control {
    const char* name;
    const char* caption;
    QRect place;
  };
  const Control buttons[] = {
      {"cmdAdd", "&Add ->", {231, 93, 67, 33}},
      {"cmdRemove", "<- &Remove", {231, 149, 67, 33}},
      {"cmdCancel", "&Cancel", {53, 228, 81, 33}},
      {"cmdOK", "&OK", {346, 227, 81, 33}},
  };
  for (const Control& c : buttons) {
    QPushButton* b = Child<QPushButton>(dialog, c.name);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(), c.caption) << c.name;
    EXPECT_EQ(b->geometry(), c.place) << c.name;
  }
  QComboBox* box = Child<QComboBox>(dialog, "cmbCategory");
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isEditable());
  EXPECT_EQ(box->geometry(), QRect(206, 34, 122, 21));
  QLabel* label = Child<QLabel>(dialog, "Label1");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), "Category");
  EXPECT_EQ(label->geometry(), QRect(206, 10, 122, 21));
  QListWidget* list1 = Child<QListWidget>(dialog, "List1");
  QListWidget* list2 = Child<QListWidget>(dialog, "List2");
  ASSERT_TRUE(list1 && list2);
  EXPECT_EQ(list1->geometry(), QRect(18, 66, 207, 147));
  EXPECT_EQ(list2->geometry(), QRect(305, 66, 207, 147));
  EXPECT_EQ(list1->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_EQ(list2->selectionMode(), QAbstractItemView::SingleSelection);

  // Loaded with nothing chosen and no category: all four offered, nothing listed.
  EXPECT_EQ(box->count(), 4);
  EXPECT_EQ(box->currentText(), "");
  EXPECT_EQ(list1->count(), 0);
  EXPECT_TRUE(Child<QPushButton>(dialog, "cmdAdd")->isEnabled());
  EXPECT_FALSE(Child<QPushButton>(dialog, "cmdRemove")->isEnabled());
}

TEST_F(ChooseDialogTest, TabGoesThroughTheControlsInOrder) {
  frmChoose dialog;
  const QStringList expected = {"cmbCategory", "List1",     "List2", "cmdAdd",
                                "cmdRemove",   "cmdCancel", "cmdOK"};
  QStringList order;
  QWidget* w = Child<QWidget>(dialog, "cmbCategory");
  for (int i = 0; i < 100 && w && order.size() < expected.size(); ++i) {
    if (expected.contains(w->objectName()) && (w->focusPolicy() & Qt::TabFocus) &&
        !order.contains(w->objectName()))
      order << w->objectName();
    w = w->nextInFocusChain();
  }
  EXPECT_EQ(order, expected);
  EXPECT_EQ(Child<QLabel>(dialog, "Label1")->focusPolicy(), Qt::NoFocus);
}

TEST_F(ChooseDialogTest, ChoosingTwoAircraftAndPressingOKStoresThem) {
  Watchdog watchdog;
  QWidget main;
  main.setGeometry(100, 80, 900, 700);
  main.show();
  bool driven = false;
  QPoint dialogCentre;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(dialog->objectName(), "frmChoose");
    dialogCentre = dialog->frameGeometry().center();
    EXPECT_EQ(hooks.lowered, 1);
    auto* box = Child<QComboBox>(*dialog, ctl::cmbCategory);
    auto* list1 = Child<QListWidget>(*dialog, ctl::List1);
    auto* list2 = Child<QListWidget>(*dialog, ctl::List2);
    auto* add = Child<QPushButton>(*dialog, ctl::cmdAdd);
    auto* remove = Child<QPushButton>(*dialog, ctl::cmdRemove);
    auto* ok = Child<QPushButton>(*dialog, ctl::cmdOK);

    PickCategory(box, "Jets");
    EXPECT_EQ(Items(list1), (QStringList{"Belmar Zed", "Corvane A-100", "Solo"}));
    SelectLine(list1, "Corvane A-100");
    add->click();
    EXPECT_EQ(Items(list2), QStringList{"Corvane A-100"});
    EXPECT_EQ(list2->item(0)->data(Qt::UserRole).toString(), "12");
    EXPECT_EQ(Globals::vars().AircraftClass, 1);
    EXPECT_EQ(box->count(), 3);  // the helicopters are no longer offered
    EXPECT_TRUE(remove->isEnabled());

    SelectLine(list1, "Solo");
    add->click();
    EXPECT_EQ(Items(list2), (QStringList{"Corvane A-100", "Solo"}));
    EXPECT_FALSE(add->isEnabled());
    EXPECT_EQ(Items(list1), QStringList{"Belmar Zed"});

    SelectLine(list2, "Corvane A-100");
    remove->click();
    EXPECT_EQ(Items(list2), QStringList{"Solo"});
    EXPECT_TRUE(add->isEnabled());

    PickCategory(box, "Pistons");
    EXPECT_EQ(Items(list1), (QStringList{"Dunmore P1", "Dunmore P2"}));
    SelectLine(list1, "Dunmore P2");
    emit list1->itemDoubleClicked(list1->currentItem());
    EXPECT_EQ(Items(list2), (QStringList{"Solo", "Dunmore P2"}));
    EXPECT_EQ(box->currentText(), "Jets");
    EXPECT_EQ(Items(list1), QStringList{"Dunmore P1"});
    driven = true;
    ok->click();
  });
  EXPECT_TRUE(ChooseAircraft(&main));
  EXPECT_TRUE(driven);
  EXPECT_EQ(Registry::RegSettings().Aircraft1, "16");
  EXPECT_EQ(Registry::RegSettings().Aircraft2, "22");
  EXPECT_EQ(Globals::vars().CategorySelected, "Pistons");
  EXPECT_EQ(Globals::vars().AircraftClass, 1);
  EXPECT_EQ(hooks.raised, 1);
  EXPECT_EQ(hooks.tabsCleared, 4);
  // Centred on the main window.
  const QPoint mainCentre = main.frameGeometry().center();
  EXPECT_LE((dialogCentre - mainCentre).manhattanLength(), 24)
      << dialogCentre.x() << "," << dialogCentre.y();
}

TEST_F(ChooseDialogTest, EscCancelAndTheCloseBoxLeaveThePlanesAndRestoreTheClass) {
  enum class Way { Esc, CancelButton, CloseBox };
  for (Way way : {Way::Esc, Way::CancelButton, Way::CloseBox}) {
    SCOPED_TRACE(static_cast<int>(way));
    Watchdog watchdog;
    Registry::RegSettings().Aircraft1 = "41";
    Registry::RegSettings().Aircraft2 = "";
    Globals::vars().AircraftClass = 2;
    hooks.raised = 0;
    bool driven = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      auto* list2 = Child<QListWidget>(*dialog, ctl::List2);
      EXPECT_EQ(Items(list2), QStringList{"Falk H1"});
      SelectLine(list2, "Falk H1");
      Child<QPushButton>(*dialog, ctl::cmdRemove)->click();
      auto* list1 = Child<QListWidget>(*dialog, ctl::List1);
      SelectLine(list1, "Solo");  // the jets are shown after the last one went
      Child<QPushButton>(*dialog, ctl::cmdAdd)->click();
      EXPECT_EQ(Globals::vars().AircraftClass, 1);
      driven = true;
      switch (way) {
        case Way::Esc: {
          QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
          QApplication::sendEvent(list1, &esc);
          break;
        }
        case Way::CancelButton:
          Child<QPushButton>(*dialog, ctl::cmdCancel)->click();
          break;
        case Way::CloseBox:
          dialog->close();
          break;
      }
    });
    EXPECT_FALSE(ChooseAircraft(nullptr));
    EXPECT_TRUE(driven);
    EXPECT_EQ(Registry::RegSettings().Aircraft1, "41");
    EXPECT_EQ(Registry::RegSettings().Aircraft2, "");
    EXPECT_EQ(Globals::vars().AircraftClass, 2);
    EXPECT_EQ(hooks.raised, 1);
  }
  EXPECT_EQ(hooks.tabsCleared, 0);
}

TEST_F(ChooseDialogTest, TypedTextDoesNotRefillTheList) {
  Globals::vars().CategorySelected = "Pistons";
  frmChoose dialog;
  auto* box = Child<QComboBox>(dialog, ctl::cmbCategory);
  auto* list1 = Child<QListWidget>(dialog, ctl::List1);
  EXPECT_EQ(box->currentText(), "Pistons");
  ASSERT_EQ(list1->count(), 2);
  box->lineEdit()->setText("Helicopters");
  EXPECT_EQ(dialog.model().state().CategoryText, "Helicopters");
  EXPECT_EQ(list1->count(), 2);
  EXPECT_EQ(box->count(), 4);  // typed text never becomes an entry
  SelectLine(list1, "Dunmore P1");
  Child<QPushButton>(dialog, ctl::cmdAdd)->click();
  EXPECT_EQ(Globals::vars().AircraftClass, 1);  // the piston's class, not the typed text's
  EXPECT_EQ(box->currentText(), "Jets");
  EXPECT_EQ(box->count(), 3);
}

// The arrow keys in either list: with nothing selected the first arrow selects the first line
// (also in a list of one line); with a line selected they move the selection; an empty list
// stays empty. The list reached by Tab, as the user reaches it.
TEST_F(ChooseDialogTest, TheArrowKeysSelectInBothLists) {
  struct Case {
    const char* list;
    const char* category;  // shown in List1
    const char* chosen1;   // the aircraft in List2
    const char* chosen2;
    int selected;  // the line selected before the key; -1 none
    Qt::Key key;
    int expected;  // the line selected after it; -1 none
  };
  const Case cases[] = {
      // Many lines, nothing selected: the first line, whichever arrow.
      {ctl::List1, "Jets", "", "", -1, Qt::Key_Down, 0},
      {ctl::List1, "Jets", "", "", -1, Qt::Key_Up, 0},
      {ctl::List2, "", "12", "16", -1, Qt::Key_Down, 0},
      {ctl::List2, "", "12", "16", -1, Qt::Key_Up, 0},
      // One line, nothing selected.
      {ctl::List1, "Helicopters", "", "", -1, Qt::Key_Down, 0},
      {ctl::List1, "Helicopters", "", "", -1, Qt::Key_Up, 0},
      {ctl::List2, "", "41", "", -1, Qt::Key_Down, 0},
      {ctl::List2, "", "41", "", -1, Qt::Key_Up, 0},
      // A line selected: the arrows move on from it and stop at the ends.
      {ctl::List1, "Jets", "", "", 0, Qt::Key_Down, 1},
      {ctl::List1, "Jets", "", "", 2, Qt::Key_Down, 2},
      {ctl::List1, "Jets", "", "", 1, Qt::Key_Up, 0},
      {ctl::List2, "", "12", "16", 0, Qt::Key_Down, 1},
      {ctl::List2, "", "12", "16", 1, Qt::Key_Up, 0},
      {ctl::List2, "", "41", "", 0, Qt::Key_Down, 0},
      // No lines.
      {ctl::List1, "", "", "", -1, Qt::Key_Down, -1},
      {ctl::List2, "", "", "", -1, Qt::Key_Down, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.list) + " " + c.category + " [" + c.chosen1 + "," + c.chosen2 +
                 "] from " + std::to_string(c.selected) +
                 (c.key == Qt::Key_Down ? " Down" : " Up"));
    Globals::vars().CategorySelected = c.category;
    Registry::RegSettings().Aircraft1 = c.chosen1;
    Registry::RegSettings().Aircraft2 = c.chosen2;
    Globals::vars().AircraftClass = 0;
    frmChoose dialog;
    dialog.show();
    auto* list = Child<QListWidget>(dialog, c.list);
    ASSERT_NE(list, nullptr);
    if (c.selected >= 0) list->setCurrentRow(c.selected);
    list->setFocus(Qt::TabFocusReason);
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(list, &focusIn);
    QKeyEvent key(QEvent::KeyPress, c.key, Qt::NoModifier);
    QApplication::sendEvent(list, &key);
    const QList<QListWidgetItem*> selected = list->selectedItems();
    EXPECT_EQ(selected.isEmpty() ? -1 : list->row(selected.first()), c.expected);
    const ChooseModel::State& s = dialog.model().state();
    EXPECT_EQ(c.list == std::string(ctl::List1) ? s.List1Index : s.List2Index, c.expected);
    dialog.close();
  }
}

// Typing an offered category into the box picks nothing, neither on Enter nor when the focus
// leaves the box: only a pick from the drop-down list refills List1 and changes the category
// remembered.
TEST_F(ChooseDialogTest, TypingACategoryPicksNothing) {
  enum class Then { Return, Enter, LeaveTheBox };
  for (Then then : {Then::Return, Then::Enter, Then::LeaveTheBox}) {
    SCOPED_TRACE(static_cast<int>(then));
    Globals::vars().CategorySelected = "Pistons";
    frmChoose dialog;
    dialog.show();
    auto* box = Child<QComboBox>(dialog, ctl::cmbCategory);
    auto* list1 = Child<QListWidget>(dialog, ctl::List1);
    ASSERT_EQ(Items(list1), (QStringList{"Dunmore P1", "Dunmore P2"}));
    box->lineEdit()->clear();
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_J, Qt::NoModifier, "Jets");  // an offered one
    QApplication::sendEvent(box, &typed);
    ASSERT_EQ(box->currentText(), "Jets");
    if (then == Then::LeaveTheBox) {
      QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
      QApplication::sendEvent(box, &out);
    } else {
      QKeyEvent enter(QEvent::KeyPress, then == Then::Return ? Qt::Key_Return : Qt::Key_Enter,
                      Qt::NoModifier);
      QApplication::sendEvent(box, &enter);
    }
    EXPECT_EQ(Items(list1), (QStringList{"Dunmore P1", "Dunmore P2"}));
    EXPECT_EQ(Globals::vars().CategorySelected, "Pistons");
    EXPECT_EQ(box->currentText(), "Jets");
    EXPECT_TRUE(dialog.isVisible());
    // A pick from the list still refills it.
    PickCategory(box, "Jets");
    EXPECT_EQ(Items(list1), (QStringList{"Belmar Zed", "Corvane A-100", "Solo"}));
    EXPECT_EQ(Globals::vars().CategorySelected, "Jets");
    dialog.close();
  }
}

TEST_F(ChooseDialogTest, TheDialogPaintsAndItsCaptionsFit) {
  Registry::RegSettings().Aircraft1 = "12";
  Globals::vars().CategorySelected = "Jets";
  Globals::vars().AircraftClass = 1;
  frmChoose dialog;
  dialog.show();
  const QImage shot = dialog.grab().toImage();
  EXPECT_EQ(shot.size(), QSize(529, 285) * shot.devicePixelRatio());
  const QString out = qEnvironmentVariable("TOLVANE_CHOOSE_SHOT");
  if (!out.isEmpty()) {
    EXPECT_TRUE(shot.save(out));
  }
  // Every button shows its caption whole, inside its frame.
  for (const char* name : {ctl::cmdAdd, ctl::cmdRemove, ctl::cmdCancel, ctl::cmdOK}) {
    QPushButton* b = Child<QPushButton>(dialog, name);
    const int textWidth = b->fontMetrics().horizontalAdvance(b->text().remove('&'));
    EXPECT_LE(textWidth + 4, b->width()) << name;
    EXPECT_FALSE(b->isDefault()) << name;
  }
  // Enter in a list presses no button.
  auto* list1 = Child<QListWidget>(dialog, ctl::List1);
  list1->setFocus();
  list1->setCurrentRow(0);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(list1, &enter);
  EXPECT_EQ(dialog.model().state().List2.size(), 1u);
  EXPECT_TRUE(dialog.isVisible());
  // Enter on a button presses it.
  auto* add = Child<QPushButton>(dialog, ctl::cmdAdd);
  add->setFocus();
  QKeyEvent enterOnAdd(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(add, &enterOnAdd);
  EXPECT_EQ(dialog.model().state().List2.size(), 2u);
  dialog.close();
}

}  // namespace
