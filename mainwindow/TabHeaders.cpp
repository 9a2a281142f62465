#include "mainwindow/TabHeaders.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionTab>
#include <QTabBar>
#include <QToolButton>
#include <algorithm>
#include <tuple>

namespace MainForm {

// The torn edge a tab bar draws over the left end of a tab it cuts off, in the bar's style.
class TearMark final : public QWidget {
 public:
  TearMark(QTabBar* bar, QWidget* parent) : QWidget(parent), bar_(bar) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
  }
  // Over the tab `tab` of the bar (its look follows whether it is the current tab).
  void Mark(int tab) {
    selected_ = tab == bar_->currentIndex();
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QStyleOptionTab option;
    option.initFrom(bar_);
    option.shape = bar_->shape();
    option.rect = rect();
    if (selected_) option.state |= QStyle::State_Selected;
    QPainter painter(this);
    bar_->style()->drawPrimitive(QStyle::PE_IndicatorTabTearLeft, &option, &painter, bar_);
  }

 private:
  QTabBar* bar_;
  bool selected_ = false;
};

TabHeaders::TabHeaders(QTabBar* bar, QWidget* parent)
    : QWidget(parent),
      bar_(bar),
      left_(new QToolButton(this)),
      right_(new QToolButton(this)),
      tear_(new TearMark(bar, this)) {
  bar_->setParent(this);
  bar_->setUsesScrollButtons(false);
  bar_->lower();  // the arrows stand over its right end, the torn mark over its left
  // The arrows a tab bar has of its own, repeating while held down.
  for (auto [button, arrow, name] : {std::tuple{left_, Qt::LeftArrow, "Scroll Left"},
                                     std::tuple{right_, Qt::RightArrow, "Scroll Right"}}) {
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setAccessibleName(QString::fromLatin1(name));
    button->hide();
  }
  connect(left_, &QToolButton::clicked, this, [this] { Step(-1); });
  connect(right_, &QToolButton::clicked, this, [this] { Step(1); });
  connect(bar_, &QTabBar::currentChanged, this, [this](int index) { ShowTab(index); });
}

void TabHeaders::Update() {
  Arrange();
  ShowTab(bar_->currentIndex());
}

bool TabHeaders::event(QEvent* e) {
  // The bar asks for it when its tabs' widths change (a tab shown or hidden, another font).
  if (e->type() == QEvent::LayoutRequest) Update();
  return QWidget::event(e);
}

void TabHeaders::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Update();
}

void TabHeaders::Arrange() {
  const int tabs = bar_->sizeHint().width();
  const bool overflow = tabs > width();
  // Where the bar would put its arrows and torn mark in a bar as wide as the band.
  QStyleOptionTab option;
  option.initFrom(bar_);
  option.shape = bar_->shape();
  option.rect = rect();
  QStyle* style = bar_->style();
  if (overflow) {
    left_->setGeometry(style->subElementRect(QStyle::SE_TabBarScrollLeftButton, &option, bar_));
    right_->setGeometry(style->subElementRect(QStyle::SE_TabBarScrollRightButton, &option, bar_));
  }
  left_->setVisible(overflow);
  right_->setVisible(overflow);
  slide_ = std::clamp(slide_, 0, MostSlide());
  bar_->setGeometry(-slide_, 0, std::max(width(), tabs), height());
  left_->setEnabled(slide_ > 0);
  right_->setEnabled(slide_ < MostSlide());
  // The last tab that starts left of the band's left end is cut there.
  int cut = -1;
  for (int tab = 0; tab < bar_->count(); ++tab)
    if (const QRect r = bar_->tabRect(tab); !r.isEmpty() && r.left() < slide_) cut = tab;
  tear_->setGeometry(style->subElementRect(QStyle::SE_TabBarTearIndicatorLeft, &option, bar_));
  tear_->setVisible(overflow && cut >= 0);
  tear_->Mark(cut);
}

void TabHeaders::ShowTab(int index) {
  const QRect tab = bar_->tabRect(index);  // the bar's own, as it never scrolls itself
  if (tab.isEmpty()) return;
  if (tab.left() < slide_)
    slide_ = tab.left();
  else if (tab.right() + 1 > slide_ + Room())
    slide_ = tab.right() + 1 - Room();
  Arrange();
}

void TabHeaders::Step(int direction) {
  const int count = bar_->count();
  for (int k = 0; k < count; ++k) {
    const QRect tab = bar_->tabRect(direction < 0 ? count - 1 - k : k);
    if (tab.isEmpty()) continue;  // hidden
    if (direction < 0 && tab.left() < slide_) {
      slide_ = tab.left();
      break;
    }
    if (direction > 0 && tab.right() + 1 > slide_ + Room()) {
      slide_ = tab.right() + 1 - Room();
      break;
    }
  }
  Arrange();
}

int TabHeaders::Room() const { return left_->isVisibleTo(this) ? left_->x() : width(); }

int TabHeaders::MostSlide() const { return std::max(0, bar_->sizeHint().width() - Room()); }

}  // namespace MainForm
