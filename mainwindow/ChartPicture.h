#pragma once
// The host of one performance chart on a chart tab: a widget named after its picture
// ("chrtPayload", ...) that keeps the chart in a persistent image. The chart builders draw into
// that image only when Rebuild is called (by the tab dispatcher, and after a resize); a repaint
// copies the image to the screen and never draws a chart or reads the database.
//
// Moving the mouse over the picture shows the values of the chart point under it in a pop-up
// box, drawn on a copy of the chart's image, so that taking it away is putting the image back:
// no mouse move ever reads the database or draws the chart again. The "Assumptions" caption in
// the top right corner opens the chart's assumption box, a child widget of the picture's parent
// right-aligned with the picture; its text is read with the chart. Leaving the picture takes
// both away.
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>

#include "charts/ChartHover.h"

namespace gdi {
class PictureCanvas;
}

namespace MainForm {

class AssumptionBox;

class ChartPicture : public QWidget, private ChartHover::HoverHost {
  Q_OBJECT

 public:
  // pictureName: one of the fourteen chart pictures of the main window; any other name makes
  // a blank picture that draws no chart.
  explicit ChartPicture(std::string pictureName, QWidget* parent = nullptr);
  ~ChartPicture() override;

  const std::string& PictureName() const { return name_; }
  Chart::ChartPicture Picture() const override { return picture_; }
  // The main tab that shows the picture (6 to 13); 0 for a name that is no chart picture.
  int Tab() const;
  // The chart number drawn here for the current aircraft class.
  int ChartNumber() const;

  // Draws the chart over the whole picture at its current size. fromDatabase true reads the
  // chart's tables and refills its cache (the tab dispatcher); false draws it from the cache.
  // Whatever the hover showed is taken away.
  void Rebuild(bool fromDatabase);

  // The chart as last drawn, and what the picture shows now (the chart with its pop-up).
  const QImage& ChartImage() const { return chartImage_; }
  const QImage& ShownImage() const { return popupShown_ ? popupImage_ : chartImage_; }
  // The assumption box (created on first use; nullptr before) and the text it shows.
  QWidget* AssumptionBoxWidget() const;
  std::string AssumptionBoxText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  // The hover host.
  double ScaleWidth() const override;
  ChartHover::CaptionExtent Caption() override;
  void ShowPopup(int s, int p) override;
  void ErasePopup() override;

  void ScheduleRebuild();
  // The chart image is of the picture's size and the screen's device pixel ratio.
  bool DrawnForScreen() const;
  void ShowAssumptionBox();

  std::string name_;
  Chart::ChartPicture picture_;
  std::unique_ptr<gdi::PictureCanvas> canvas_;  // what the builders draw on
  QImage chartImage_;                           // the chart as drawn
  QImage popupImage_;                           // the chart with the pop-up box
  bool popupShown_ = false;
  bool captionKnown_ = false;
  ChartHover::CaptionExtent caption_;
  bool rebuildPending_ = false;
  std::string assumptionGroup_;  // the report group that assumptionText_ was read for
  std::string assumptionText_;
  QPointer<AssumptionBox> box_;
};

// The qualifier line under a chart picture: the chart's qualifier text from the database,
// shown as plain text (never as markup), centred at the top of the label. A text that does not
// fit on one line in the label's own font is broken into lines and, where those do not fit the
// label's height, written smaller, so that none of it is cut.
class QualifierLabel final : public QLabel {
  Q_OBJECT

 public:
  explicit QualifierLabel(QWidget* parent = nullptr);
  void SetQualifier(const QString& text);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Chooses the font and the wrapping for the text at the label's size.
  void Fit();
  QFont base_;
  bool fitting_ = false;
};

}  // namespace MainForm
