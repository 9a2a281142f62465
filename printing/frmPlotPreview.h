#pragma once
// The plot preview: in preview mode the pages of a print job are drawn here instead of on the
// printer. PreviewPages keeps the drawing (one picture per printed page, drawn at 68 pixels per
// page inch: a Letter page is 580 x 750 pixels); frmPlotPreview (" Plot Preview") shows one
// page at a time, scrollable, with the page number and buttons to the previous and next pages.
// The window is a modeless tool window with no owner, centred on the screen when it opens; Esc
// closes it, and closing it discards the pages drawn so far. A job goes on when the user closes
// the window: the next page it begins opens a new one (Printing).
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "platform/printer/PrintDevice.h"

class QLabel;
class QScrollArea;
class QToolButton;

class PreviewPages final : public printer::PrintDevice {
 public:
  static constexpr int kPageWidth = 580;
  static constexpr int kPageHeight = 750;

  PreviewPages();
  ~PreviewPages() override;

  // The pages drawn so far, complete.
  int pageCount() const { return static_cast<int>(pages_.size()); }
  const QImage& page(int index);
  // Forgets every page and ends the document (a new job).
  void discard();
  // Forgets the pages drawn so far (the window closed). A document open stays open: the page it
  // goes on with, or begins next, is the first again.
  void dropPages();
  // Called after every change (a page added, a refresh, the pages discarded).
  void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }
  // Called when a page begins, before the change is told.
  void setOnPageStart(std::function<void()> onPageStart) { onPageStart_ = std::move(onPageStart); }

  gdi::TargetKind kind() const override { return gdi::TargetKind::Form; }
  double scaleWidth() const override { return kPageWidth; }
  double scaleHeight() const override { return kPageHeight; }
  int resolution() const override { return gdi::kScreenDpi; }
  void startJob(const QString& documentName) override;
  QString documentName() const override { return name_; }
  gdi::Canvas& canvas() override;
  void paintPicture(const QImage& image, double x, double y, double width, double height) override;
  // The next page; so does the first drawing after an end of document, so that nothing is
  // drawn over an earlier page.
  void beginDocument() override;
  void newPage() override;
  void endDoc() override;
  bool documentOpen() const override { return open_; }
  void refresh() override { changed(); }

 private:
  class Surface;
  void begin();
  void addPage();
  void changed();

  std::unique_ptr<Surface> surface_;
  std::vector<std::unique_ptr<QImage>> pages_;
  QString name_;
  bool open_ = false;
  std::function<void()> onChange_;
  std::function<void()> onPageStart_;
};

class frmPlotPreview final : public QWidget {
  Q_OBJECT
 public:
  explicit frmPlotPreview(PreviewPages& pages);
  ~frmPlotPreview() override;

  // The page shown, from 0.
  int currentPage() const { return current_; }
  void showPage(int index);
  // Until it is closed the window shows the pages; a closed one only waits to be deleted.
  bool isOpen() const { return attached_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Lets go of the pages, discarding them: once, when the window closes or goes.
  void release();
  void Form_Load();
  void Form_KeyPress(int keyAscii);
  void pagesChanged();

  PreviewPages& pages_;
  QScrollArea* scroll_ = nullptr;
  QWidget* view_ = nullptr;
  QLabel* pageLabel_ = nullptr;
  QToolButton* previous_ = nullptr;
  QToolButton* next_ = nullptr;
  int current_ = 0;
  int shownCount_ = 0;
  int barHeight_ = 0;
  bool attached_ = true;
};
