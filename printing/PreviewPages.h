#pragma once
// The plot preview's pages: in preview mode the pages of a print job are drawn here instead of on
// the printer, one picture per printed page, drawn at 68 pixels per page inch (a Letter page is
// 580 x 750 pixels). The preview window (frmPlotPreview, one of printing's Qt adapters) shows
// them.
#include <QImage>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/printer/PrintDevice.h"

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
