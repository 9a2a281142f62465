#pragma once
// The band of the main tabs' headers. The tab bar in it is never narrower than its shown tabs and
// slides within the band so that the current tab shows whole; when the tabs do not all fit, two
// arrow buttons at the band's right end, where a tab bar has its own, slide it a tab at a time,
// and a tab cut off at the band's left end is marked torn there, as a tab bar marks it.
//
// A tab bar that scrolls itself (Qt 6.4) measures its row up to its last tab, shown or hidden:
// with the last tabs hidden (the tabs a fixed-wing pair does not have) and the row wider than
// the bar, it shifts the row right, leaving a blank gap left of the first tab, and cannot scroll
// to the last tab shown. So the bar here never scrolls itself: it keeps its tabs, their indexes
// and which of them are hidden, and the band does the scrolling over the tabs shown.
#include <QWidget>

class QTabBar;
class QToolButton;

namespace MainForm {

class TearMark;

class TabHeaders final : public QWidget {
 public:
  // Takes the bar into the band.
  TabHeaders(QTabBar* bar, QWidget* parent);

  // Lays the band out again and shows the current tab: after the tabs shown changed, or the
  // current tab was chosen without the bar's signals (which the band follows otherwise).
  void Update();

 protected:
  bool event(QEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  // The bar's width and place for the current slide, the arrows shown where the tabs overflow.
  void Arrange();
  // Slides the bar as little as shows the tab whole (within the room left of the arrows).
  void ShowTab(int index);
  // An arrow: the next tab cut off on that side, or hidden beyond it, comes into view.
  void Step(int direction);
  // The width the tabs show in, and the slide that shows the last shown tab's right end there.
  int Room() const;
  int MostSlide() const;

  QTabBar* bar_;
  QToolButton* left_;
  QToolButton* right_;
  TearMark* tear_;
  int slide_ = 0;  // pixels of the bar left of the band
};

}  // namespace MainForm
