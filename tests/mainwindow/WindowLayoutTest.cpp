// The window's proportional layout, through the window as the program starts it on the sample
// pairs: at its design size, larger, at 900 x 500 and at its smallest size, every control of
// every tab lies inside its container and the client area, is tall enough for its text and wide
// enough for its caption, and the general data's last row is reachable by the scroll bar.
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "WidgetsFixture.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/MainForm.h"

namespace {

namespace ctl = MainForm::ctl;
using MainForm::frmMain;
using namespace mwtest;

std::string Describe(const QWidget* w) {
  const QRect r = w->geometry();
  return w->objectName().toStdString() + " (" + w->metaObject()->className() + ") at " +
         std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) +
         "x" + std::to_string(r.height());
}

// The width a control's caption (or a label's one line of text) takes, and the width the
// control gives it: a button's contents beside its indicator (and icon), a label's contents, a
// group box's width from where its title starts. Nothing for a text that is not a caption (a
// label's rich text).
struct TextFit {
  int need = 0, room = 0;
};
std::optional<TextFit> FitOfText(const QWidget& c, const QString& text) {
  const QFontMetrics fm = c.fontMetrics();
  const int caption = fm.size(Qt::TextShowMnemonic, text).width();
  QStyleOptionButton option;
  option.initFrom(&c);
  option.text = text;
  if (qobject_cast<const QRadioButton*>(&c))
    return TextFit{caption,
                   c.style()->subElementRect(QStyle::SE_RadioButtonContents, &option, &c).width()};
  if (qobject_cast<const QCheckBox*>(&c))
    return TextFit{caption,
                   c.style()->subElementRect(QStyle::SE_CheckBoxContents, &option, &c).width()};
  if (auto* button = qobject_cast<const QPushButton*>(&c)) {
    int room = c.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &c).width();
    if (!button->icon().isNull()) room -= button->iconSize().width() + 4;
    return TextFit{caption, room};
  }
  if (auto* label = qobject_cast<const QLabel*>(&c)) {
    if (label->textFormat() == Qt::RichText ||
        (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text)))
      return std::nullopt;
    // A unit padded with underscores on the left: they are a leader, which fills the label and
    // is cut at its left end; the unit itself must show.
    QString shown = text;
    while (shown.startsWith(QLatin1Char('_'))) shown.remove(0, 1);
    return TextFit{fm.size(0, shown).width(), label->contentsRect().width() - 2 * label->margin() -
                                                  std::max(0, label->indent())};
  }
  if (auto* box = qobject_cast<const QGroupBox*>(&c)) {
    QStyleOptionGroupBox groupOption;
    groupOption.initFrom(&c);
    groupOption.text = text;
    groupOption.subControls = QStyle::SC_GroupBoxLabel;
    const QRect title =
        c.style()->subControlRect(QStyle::CC_GroupBox, &groupOption, QStyle::SC_GroupBoxLabel, box);
    return TextFit{caption, c.width() - title.left()};
  }
  return std::nullopt;
}

// What is wrong with the controls shown now: a control reaching outside its container, too low
// for a line of its text, or too narrow for its caption. The general data's row panels scroll
// inside their frame, and the tab bar slides in the band of the tab headers: the scroll bar's
// test and the tab bar's are theirs.
std::vector<std::string> Misplaced(frmMain& w) {
  std::vector<std::string> out;
  QWidget* client = w.centralWidget();
  for (QWidget* c : client->findChildren<QWidget*>()) {
    if (c->isWindow() || !c->isVisibleTo(&w)) continue;
    QWidget* parent = c->parentWidget();
    // The parts Qt makes of its own controls (the tab bar's arrows) are the control's affair.
    if (parent->objectName().isEmpty() || c->objectName().isEmpty()) continue;
    const bool slides =
        c->objectName().startsWith(ctl::framScroll_) || c->objectName() == ctl::SSTab;
    if (!slides && !parent->rect().contains(c->geometry()))
      out.push_back(Describe(c) + " outside " + Describe(parent));
    QString text;
    if (auto* label = qobject_cast<QLabel*>(c); label && !label->wordWrap()) text = label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(c)) text = button->text();
    if (!text.isEmpty() && c->height() < c->fontMetrics().height())
      out.push_back(Describe(c) + " lower than its text (" +
                    std::to_string(c->fontMetrics().height()) + ")");
    if (auto* box = qobject_cast<QGroupBox*>(c)) text = box->title();
    if (text.isEmpty()) continue;
    if (const std::optional<TextFit> fit = FitOfText(*c, text); fit && fit->need > fit->room)
      out.push_back(Describe(c) + " cuts \"" + text.toStdString() + "\" (" +
                    std::to_string(fit->need) + " wide in " + std::to_string(fit->room) + ")");
  }
  return out;
}

// The general tab: the panel shown fits its frame or the scroll bar reaches both its ends.
void ExpectPanelReachable(frmMain& w) {
  auto* general = w.findChild<QFrame*>(ctl::framGeneral);
  auto* bar = w.findChild<QScrollBar*>(ctl::scrollFrame);
  ASSERT_TRUE(general && bar);
  QFrame* panel = w.findChild<QFrame*>(ctl::framScroll_ + QString::number(1));
  if (!panel->isVisibleTo(general))
    panel = w.findChild<QFrame*>(ctl::framScroll_ + QString::number(0));
  ASSERT_TRUE(panel->isVisibleTo(general));
  if (bar->isVisibleTo(general)) {
    bar->setValue(bar->maximum());
    EXPECT_LE(panel->geometry().bottom(), general->height() - 1) << "the last row out of reach";
    bar->setValue(0);
  } else {
    EXPECT_LE(panel->geometry().bottom(), general->height() - 1) << "a panel cut off, no bar";
  }
  EXPECT_GE(panel->y(), 0);
}

TEST_F(Widgets, EveryControlFitsTheWindowAtItsDesignSizeLargerAndAt900By500) {
  const char* shots = std::getenv("TOLVANE_SCREENSHOT_DIR");
  for (const SamplePair& pair : kSamplePairs) {
    SCOPED_TRACE(pair.tag);
    auto w = StartOnSamplePair(pair.aircraft1, pair.aircraft2);
    ASSERT_TRUE(w->startup().FirstActivationDone());
    const long errorsAtStart = General::vars().ErrorCount;
    const QSize around = w->size() - w->centralWidget()->size();
    const QSize design(frmMain::Px(w->designLayout().Design().width) + around.width(),
                       frmMain::Px(w->designLayout().Design().height) + around.height());
    auto* tabs = w->findChild<QTabBar*>(ctl::SSTab);
    // The smallest window the layout allows is laid out as well.
    for (const auto& [name, size] :
         {std::pair{"design", design}, std::pair{"larger", QSize(1400, 900)},
          std::pair{"900x500", QSize(900, 500)}, std::pair{"smallest", w->minimumSize()}}) {
      SCOPED_TRACE(name);
      w->resize(size);
      ASSERT_TRUE(Await([&] { return w->centralWidget()->size() == size - around; }));
      for (int tab = 0; tab < MainForm::kTabCount; ++tab) {
        if (!tabs->isTabVisible(tab)) continue;
        SCOPED_TRACE("tab " + std::to_string(tab));
        tabs->setCurrentIndex(tab);
        ASSERT_TRUE(Await([&] { return MainForm::vars().CurrentTab == tab; }));
        for (const std::string& problem : Misplaced(*w)) ADD_FAILURE() << problem;
        if (tab == MainForm::Tab::General) ExpectPanelReachable(*w);
        if (shots)
          w->grab().save(
              QString("%1/%2-%3-tab%4.png").arg(shots, pair.tag, name).arg(tab, 2, 10, QChar('0')));
      }
    }
    // With the toolbar floating the tabs take the strip's place and the pages its height.
    w->resize(900, 500);
    ASSERT_TRUE(Await([&] { return w->centralWidget()->size() == QSize(900, 500) - around; }));
    w->SetStripVisible(false);
    for (const std::string& problem : Misplaced(*w)) ADD_FAILURE() << "no strip: " << problem;
    EXPECT_EQ(tabs->mapTo(w->centralWidget(), QPoint(0, 0)).y(), 0);
    EXPECT_EQ(w->findChild<QWidget*>(ctl::SSTabPages)->geometry().bottom(),
              w->centralWidget()->height() - 1);
    w->SetStripVisible(true);
    EXPECT_EQ(General::vars().ErrorCount, errorsAtStart);
    w->close();
    w.reset();
  }
}

}  // namespace
