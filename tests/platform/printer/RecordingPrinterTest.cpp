#include <gtest/gtest.h>

#include <QImage>

#include "platform/printer/RecordingPrinter.h"

namespace {

using Log = std::vector<std::string>;

TEST(RecordingPrinter, LogsDocumentsPagesAndPrimitivesInOrder) {
  printer::RecordingPrinter p;
  EXPECT_EQ(p.kind(), gdi::TargetKind::Printer);
  EXPECT_EQ(p.scaleWidth(), 10200);
  EXPECT_EQ(p.scaleHeight(), 13200);
  EXPECT_EQ(p.resolution(), 1200);
  EXPECT_EQ(p.canvas().logPixelsY(), 1200);

  p.startJob("Plane One, Plane Two");
  // Choosing a pen draws nothing: the document begins with the line.
  p.canvas().selectPen({2, 0x0000FF});
  EXPECT_FALSE(p.documentOpen());
  p.canvas().moveTo(10, 20);
  p.canvas().lineTo(30, 40);
  EXPECT_TRUE(p.documentOpen());
  p.paintPicture(QImage(4, 3, QImage::Format_RGB32), 0, 0, 10200, 13200);
  p.newPage();
  p.canvas().textOut(5, 6, "Page 2");
  p.endDoc();
  p.endDoc();  // nothing open: nothing logged
  EXPECT_FALSE(p.documentOpen());
  // A new page with nothing open begins a document of its own.
  p.newPage();
  p.endDoc();

  const Log expected = {"JOB Plane One, Plane Two",
                        "PEN 2 #ff0000",
                        "BEGIN",
                        "LINE 10 20 30 40",
                        "PICTURE 0 0 10200 13200 4 3",
                        "NEWPAGE",
                        "TEXT 5 6 \"Page 2\" #000000",
                        "ENDDOC",
                        "BEGIN",
                        "NEWPAGE",
                        "ENDDOC"};
  EXPECT_EQ(p.log(), expected);
  EXPECT_EQ(p.documents(), 2);
  EXPECT_EQ(p.pagesOfDocument(), 2);
  EXPECT_EQ(p.documentName(), "Plane One, Plane Two");
  p.forget();
  EXPECT_TRUE(p.log().empty());
}

TEST(RecordingPrinter, ANewJobEndsTheOpenDocument) {
  printer::RecordingPrinter p(5100, 6600, 600);
  EXPECT_DOUBLE_EQ(p.twipsPerPixel(), 2.4);
  p.canvas().rectangle(0, 0, 10, 10);
  p.startJob("Next");
  EXPECT_FALSE(p.documentOpen());
  const Log expected = {"BEGIN", "RECT 0 0 10 10", "ENDDOC", "JOB Next"};
  EXPECT_EQ(p.log(), expected);
}

}  // namespace
