#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cmath>

#include "PrintingTestSupport.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Trap.h"
#include "printing/ScaleDialogs.h"

namespace {

using Printing::ScaleDialogKind;
using printingtest::PrintingTest;

struct ParseCase {
  const char* text;
  float value;
};

TEST(ScaleText, ParseTakesTheNumberAfterTheFirstColon) {
  const ParseCase cases[] = {
      {"1:75", 75},  {"1:62.5", 62.5f}, {"1:100", 100}, {"1:62.3", 62.3f},
      {"75", 0},     {"1:", 0},         {"1:abc", 0},   {"1:0", 0},
      {"1:-5", -5},  {"", 0},           {"1: 90", 90},  {"2:50:7", 50},
      {"1:1e39", 0}, {"1:-1e39", 0},    {"1:1e308", 0}, {"1:12abc", 12},
  };
  for (const ParseCase& c : cases) {
    EXPECT_EQ(Printing::ParseScale(c.text), c.value) << c.text;
    EXPECT_TRUE(std::isfinite(Printing::ParseScale(c.text))) << c.text;
  }
}

TEST(ScaleText, PrintsTheShortestForm) {
  const std::pair<float, const char*> cases[] = {
      {62.3f, "Scale = 1:62.3"}, {80, "Scale = 1:80"},           {62.5f, "Scale = 1:62.5"},
      {0.1f, "Scale = 1:0.1"},   {1000000, "Scale = 1:1000000"}, {150, "Scale = 1:150"},
  };
  for (const auto& [n, text] : cases) EXPECT_EQ(Printing::ScaleText(n), text) << n;
  EXPECT_EQ(Printing::ScaleText(Printing::ParseScale("1:62.3")), "Scale = 1:62.3");
}

QComboBox* Box(QWidget& dialog, const char* name) {
  auto* box = dialog.findChild<QComboBox*>(name);
  EXPECT_NE(box, nullptr) << name;
  return box;
}
QPushButton* Button(QWidget& dialog, const char* name) {
  auto* b = dialog.findChild<QPushButton*>(name);
  EXPECT_NE(b, nullptr) << name;
  return b;
}
QStringList Entries(const QComboBox* box) {
  QStringList out;
  for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
  return out;
}

class ScaleDialogTest : public PrintingTest {};

TEST_F(ScaleDialogTest, SingleBoxOffersTheListOfItsKind) {
  struct Case {
    int32_t kind;
    QStringList entries;
    QString text;
    float okValue;
  };
  const Case cases[] = {
      {2, {"1:80", "1:100", "1:120", "1:180", "1:200", "1:300"}, "1:100", 100},
      {1, {"1:20", "1:30", "1:60", "1:90", "1:100"}, "1:30", 30},
      {0, {}, "1:180", 180},
      {7, {}, "1:180", 180},
  };
  for (const Case& c : cases) {
    Printing::vars().PrintScaleKind = c.kind;
    Printing::vars().PrintScale = 0;
    Printing::frmScale dialog;
    dialog.show();
    QComboBox* box = Box(dialog, "cmbScale");
    EXPECT_TRUE(box->isEditable());
    EXPECT_EQ(box->insertPolicy(), QComboBox::NoInsert);
    EXPECT_EQ(Entries(box), c.entries) << c.kind;
    EXPECT_EQ(box->currentText(), c.text) << c.kind;
    EXPECT_EQ(dialog.windowTitle(), "Choose Scale");
    QTest::mouseClick(Button(dialog, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(Printing::vars().PrintScale, c.okValue) << c.kind;
  }
}

TEST_F(ScaleDialogTest, TypedTextIsReadAsItStands) {
  const ParseCase cases[] = {{"1:75", 75}, {"1:62.5", 62.5f}, {"75", 0},   {"1:", 0},
                             {"1:abc", 0}, {"1:0", 0},        {"1:-5", -5}};
  Printing::vars().PrintScaleKind = 2;
  for (const ParseCase& c : cases) {
    Printing::vars().PrintScale = 99;
    Printing::frmScale dialog;
    dialog.show();
    QComboBox* box = Box(dialog, "cmbScale");
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), c.text);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);  // Enter does not close the dialog
    EXPECT_TRUE(dialog.isVisible()) << c.text;
    EXPECT_EQ(box->count(), 6) << "typed text joined the list: " << c.text;
    QTest::mouseClick(Button(dialog, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(Printing::vars().PrintScale, c.value) << c.text;
  }
}

TEST_F(ScaleDialogTest, TwoBoxesAreReadIndependently) {
  Printing::vars().PrintScaleKind = 2;  // not read by this dialog
  {
    Printing::frmScale2 dialog;
    dialog.show();
    const QStringList all{"1:20", "1:30", "1:60", "1:90", "1:100", "1:150", "1:200", "1:300"};
    EXPECT_EQ(Entries(Box(dialog, "cmbScale1")), all);
    EXPECT_EQ(Entries(Box(dialog, "cmbScale2")), all);
    EXPECT_EQ(Box(dialog, "cmbScale1")->currentText(), "1:150");
    EXPECT_EQ(Box(dialog, "cmbScale2")->currentText(), "1:30");
    QTest::mouseClick(Button(dialog, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(Printing::vars().PrintScale, 150);
    EXPECT_EQ(Printing::vars().CabinPrintScale, 30);
  }
  {
    // A usable interior text with an unusable cabin text.
    Printing::frmScale2 dialog;
    dialog.show();
    Box(dialog, "cmbScale1")->setCurrentIndex(3);
    Box(dialog, "cmbScale2")->setEditText("30");
    QTest::mouseClick(Button(dialog, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(Printing::vars().PrintScale, 90);
    EXPECT_EQ(Printing::vars().CabinPrintScale, 0);
  }
}

TEST_F(ScaleDialogTest, CancelEscAndCloseChangeNothing) {
  const auto cancel = [](QDialog& d) { QTest::mouseClick(Button(d, "cmdCancel"), Qt::LeftButton); };
  const auto esc = [](QDialog& d) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &d, Qt::Key_Escape);
  };
  const auto close = [](QDialog& d) { d.close(); };
  const std::function<void(QDialog&)> ways[] = {cancel, esc, close};
  Printing::vars().PrintScaleKind = 2;
  for (const auto& way : ways) {
    Printing::vars().PrintScale = 0;
    Printing::vars().CabinPrintScale = 45;
    {
      Printing::frmScale dialog;
      dialog.show();
      QApplication::setActiveWindow(&dialog);
      Box(dialog, "cmbScale")->setEditText("1:75");
      way(dialog);
      EXPECT_FALSE(dialog.isVisible());
      EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    {
      Printing::frmScale2 dialog;
      dialog.show();
      QApplication::setActiveWindow(&dialog);
      Box(dialog, "cmbScale1")->setEditText("1:75");
      Box(dialog, "cmbScale2")->setEditText("1:75");
      way(dialog);
      EXPECT_FALSE(dialog.isVisible());
      EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(Printing::vars().PrintScale, 0);
    EXPECT_EQ(Printing::vars().CabinPrintScale, 45);
  }
}

TEST_F(ScaleDialogTest, NoDefaultButtonAndFocusStartsInTheFirstBox) {
  Printing::frmScale single;
  Printing::frmScale2 both;
  for (QDialog* d : {static_cast<QDialog*>(&single), static_cast<QDialog*>(&both)}) {
    for (const char* name : {"cmdOK", "cmdCancel"}) {
      EXPECT_FALSE(Button(*d, name)->isDefault()) << name;
      EXPECT_FALSE(Button(*d, name)->autoDefault()) << name;
    }
    EXPECT_EQ(Button(*d, "cmdOK")->text(), "&OK");
    EXPECT_EQ(Button(*d, "cmdCancel")->text(), "&Cancel");
  }
  single.show();
  QApplication::setActiveWindow(&single);
  QComboBox* box = Box(single, "cmbScale");
  EXPECT_TRUE(box->hasFocus() || box->lineEdit()->hasFocus());
  // Tab order: the box, Cancel, OK.
  QWidget* w = box;
  QStringList order;
  for (int i = 0; i < 3; ++i) {
    w = w->nextInFocusChain();
    while (!(w->focusPolicy() & Qt::TabFocus) || w->parentWidget() == box)
      w = w->nextInFocusChain();
    order << w->objectName();
  }
  EXPECT_EQ(order, (QStringList{"cmdCancel", "cmdOK", "cmbScale"}));
}

TEST_F(ScaleDialogTest, ToolbarLoweredWhileOpenAndCentredOnTheMainWindow) {
  QWidget main;
  main.setGeometry(100, 80, 800, 600);
  {
    Printing::frmScale dialog(&main);
    EXPECT_EQ(hooks.toolbar, (std::vector<std::string>{"load"}));
    EXPECT_EQ(dialog.parentWidget(), nullptr);  // shown without an owner
    const QPoint centre = dialog.geometry().center();
    EXPECT_NEAR(centre.x(), main.frameGeometry().center().x(), 2);
    EXPECT_NEAR(centre.y(), main.frameGeometry().center().y(), 2);
  }
  EXPECT_EQ(hooks.toolbar, (std::vector<std::string>{"load", "unload"}));
  { Printing::frmScale2 dialog; }
  EXPECT_EQ(hooks.toolbar, (std::vector<std::string>{"load", "unload", "load", "unload"}));
}

// Each dialog's Form_Load is traced under the form's name, and a failing step of it is reported
// there while the others still run: the toolbar failing leaves the dialog centred and filled.
TEST_F(ScaleDialogTest, FormLoadIsTracedUnderTheFormsNameAndGoesOnAfterAFailure) {
  struct Traps final : vb::TrapHandler {
    std::vector<std::string> entries, errors;
    bool HandlingOn() override { return true; }
    void TraceEntry(std::string_view m, std::string_view p) override {
      entries.push_back(std::string(m) + ":" + std::string(p));
    }
    void HandleError(std::string_view m, std::string_view p, const vb::Error&) override {
      errors.push_back(std::string(m) + ":" + std::string(p));
    }
  } traps;
  QWidget main;
  main.setGeometry(100, 80, 800, 600);
  struct FailingToolbar final : Printing::Hooks {
    void ToolbarFormLoad() override { throw vb::Error{91, "Object variable not set"}; }
  } failing;
  Printing::InstallHooks(&failing);
  vb::SetTrapHandler(&traps);
  Printing::vars().PrintScaleKind = 2;
  Printing::frmScale single(&main);
  Printing::frmScale2 both(&main);
  EXPECT_EQ(traps.entries, (std::vector<std::string>{"frmScale:Form_Load", "frmScale2:Form_Load"}));
  EXPECT_EQ(traps.errors, (std::vector<std::string>{"frmScale:Form_Load", "frmScale2:Form_Load"}));
  EXPECT_EQ(Box(single, "cmbScale")->currentText(), "1:100");
  EXPECT_EQ(Box(both, "cmbScale2")->currentText(), "1:30");
  for (QDialog* d : {static_cast<QDialog*>(&single), static_cast<QDialog*>(&both)})
    EXPECT_NEAR(d->geometry().center().x(), main.frameGeometry().center().x(), 2);
}

// Both dialogs keep their size and offer a close button alone: no minimise or maximise box, no
// help button.
TEST_F(ScaleDialogTest, TheFixedDialogsHaveACloseButtonAlone) {
  Printing::frmScale single;
  Printing::frmScale2 both;
  for (QDialog* d : {static_cast<QDialog*>(&single), static_cast<QDialog*>(&both)}) {
    SCOPED_TRACE(d->objectName().toStdString());
    const Qt::WindowFlags f = d->windowFlags();
    EXPECT_EQ(d->windowType(), Qt::Dialog);
    EXPECT_TRUE(f.testFlag(Qt::CustomizeWindowHint));  // the hints below are the whole title bar
    EXPECT_TRUE(f.testFlag(Qt::WindowTitleHint));
    EXPECT_TRUE(f.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(f & (Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint |
                      Qt::WindowFullscreenButtonHint));
    EXPECT_EQ(d->minimumSize(), d->maximumSize());
  }
}

TEST_F(ScaleDialogTest, EveryShowingStartsFromTheDefaults) {
  Printing::vars().PrintScaleKind = 2;
  // The dialog shown modally as the print commands show it; a timer answers it.
  const auto answer = [](const char* box, const char* text, const char* button) {
    QTimer::singleShot(0, [=] {
      auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(d, nullptr);
      EXPECT_TRUE(d->isModal());
      QComboBox* b = Box(*d, box);
      EXPECT_EQ(b->currentText(), QString(box) == "cmbScale" ? "1:100" : "1:150");
      b->setEditText(text);
      QTest::mouseClick(Button(*d, button), Qt::LeftButton);
    });
  };
  answer("cmbScale", "1:62.3", "cmdOK");
  Printing::ShowScaleDialog(ScaleDialogKind::Single);
  EXPECT_EQ(Printing::ScaleText(Printing::vars().PrintScale), "Scale = 1:62.3");
  answer("cmbScale", "1:300", "cmdCancel");
  Printing::ShowScaleDialog(ScaleDialogKind::Single);
  EXPECT_EQ(Printing::vars().PrintScale, 62.3f);
  answer("cmbScale1", "1:20", "cmdOK");
  Printing::ShowScaleDialog(ScaleDialogKind::InteriorAndCabin);
  EXPECT_EQ(Printing::vars().PrintScale, 20);
  EXPECT_EQ(Printing::vars().CabinPrintScale, 30);
  EXPECT_EQ(hooks.toolbar.size(), 6u);
}

// The print commands show the devices' dialog: centred on the devices' main window, without an
// owner.
TEST_F(ScaleDialogTest, TheDevicesShowTheirDialogCentredOnTheMainWindow) {
  QWidget main;
  main.setGeometry(100, 80, 800, 600);
  qt.SetMainWindow(&main);
  QPoint centre;
  QWidget* owner = &main;
  QTimer::singleShot(0, [&] {
    auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(d, nullptr);
    centre = d->frameGeometry().center();
    owner = d->parentWidget();
    QTest::mouseClick(Button(*d, "cmdCancel"), Qt::LeftButton);
  });
  Printing::ShowScaleDialog(ScaleDialogKind::InteriorAndCabin);
  EXPECT_EQ(owner, nullptr);
  // Shown, the dialog may move by its frame.
  EXPECT_NEAR(centre.x(), main.frameGeometry().center().x(), 4);
  EXPECT_NEAR(centre.y(), main.frameGeometry().center().y(), 4);
}

TEST_F(ScaleDialogTest, InstalledRunnerReplacesTheDialogs) {
  std::vector<ScaleDialogKind> shown;
  Printing::InstallScaleDialogRunner([&](ScaleDialogKind k) { shown.push_back(k); });
  Printing::ShowScaleDialog(ScaleDialogKind::InteriorAndCabin);
  Printing::ShowScaleDialog(ScaleDialogKind::Single);
  EXPECT_EQ(shown, (std::vector<ScaleDialogKind>{ScaleDialogKind::InteriorAndCabin,
                                                 ScaleDialogKind::Single}));
  EXPECT_TRUE(hooks.toolbar.empty());
}

TEST_F(ScaleDialogTest, PicturesForLooking) {
  Printing::vars().PrintScaleKind = 2;
  Printing::frmScale single;
  single.show();
  printingtest::SaveForLooking(single.grab().toImage(), "frmScale.png");
  Printing::frmScale2 both;
  both.show();
  printingtest::SaveForLooking(both.grab().toImage(), "frmScale2.png");
  for (QWidget* d : {static_cast<QWidget*>(&single), static_cast<QWidget*>(&both)})
    for (QWidget* child : d->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      EXPECT_TRUE(d->rect().contains(child->geometry())) << child->objectName().toStdString();
}

}  // namespace
