#pragma once
// What the poppler tools say about a PDF file: its page count, title and page sizes (pdfinfo),
// a page's text (pdftotext) and a page rendered as an image (pdftoppm). A test skips when the
// tools are not installed.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace testsupport {

inline bool HavePopplerTools() {
  return !QStandardPaths::findExecutable("pdfinfo").isEmpty() &&
         !QStandardPaths::findExecutable("pdftotext").isEmpty() &&
         !QStandardPaths::findExecutable("pdftoppm").isEmpty();
}

// Standard output of a tool; "" when it fails.
inline QString RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
    return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

struct PdfInfo {
  bool ok = false;
  int pages = 0;
  QString title;
  QStringList pageSizes;  // "612 x 792 pts" per page
};

inline PdfInfo ReadPdfInfo(const QString& file) {
  PdfInfo info;
  const QString out = RunTool("pdfinfo", {"-f", "1", "-l", "9999", file});
  if (out.isEmpty()) return info;
  info.ok = true;
  for (const QString& line : out.split('\n')) {
    if (line.startsWith("Pages:")) info.pages = line.mid(6).trimmed().toInt();
    if (line.startsWith("Title:")) info.title = line.mid(6).trimmed();
    const QRegularExpressionMatch m =
        QRegularExpression(R"(^Page\s+\d+\s+size:\s+(\S+ x \S+ pts))").match(line);
    if (m.hasMatch()) info.pageSizes << m.captured(1);
  }
  return info;
}

// What one run of pdftotext over a whole file gave, page by page, kept while the file stays as
// it was: tests read page after page of one file, and a run per page was most of their time.
// A run may be started ahead (PrefetchPdfText) and goes on beside the test until its output is
// asked for. `mode` is the pdftotext option ("-layout" or "-bbox").
struct TextRun {
  QDateTime modified;
  qint64 size = -1;
  QStringList pages;
  std::unique_ptr<QProcess> running;  // started ahead and not yet read
};

// The run of `mode` over the file as it is now: the kept one, or one started now.
inline TextRun& StartTextRun(const QString& file, const QString& mode) {
  // Never destroyed: a run still going at exit is left to end by itself.
  static auto* runs = new std::map<std::pair<QString, QString>, TextRun>;
  const QFileInfo info(file);
  TextRun& run = (*runs)[{info.absoluteFilePath(), mode}];
  if (run.size != info.size() || run.modified != info.lastModified()) {
    run.modified = info.lastModified();
    run.size = info.size();
    run.pages.clear();
    run.running.reset();
    if (info.exists()) {
      run.running = std::make_unique<QProcess>();
      run.running->start("pdftotext", {mode, file, "-"});
    }
  }
  return run;
}

// Starts pdftotext over the file for the text of its pages (PdfPageText, PdfPageCount) and,
// with `words`, for their words (PdfPageWords), to be read later: the tool runs while the test
// goes on.
inline void PrefetchPdfText(const QString& file, bool words = false) {
  StartTextRun(file, "-layout");
  if (words) StartTextRun(file, "-bbox");
}

// The pages of the run of `mode` over the file; `split` cuts its output into pages.
inline const QStringList& CachedPages(const QString& file, const QString& mode,
                                      QStringList (*split)(const QString&)) {
  TextRun& run = StartTextRun(file, mode);
  if (run.running) {
    QProcess& p = *run.running;
    // The event loop of the test may have seen the tool end already.
    const bool ended = p.state() == QProcess::NotRunning || p.waitForFinished(30000);
    QString out;
    if (ended && p.error() != QProcess::FailedToStart && p.exitStatus() == QProcess::NormalExit &&
        p.exitCode() == 0)
      out = QString::fromUtf8(p.readAllStandardOutput());
    run.pages = out.isEmpty() ? QStringList() : split(out);
    run.running.reset();
  }
  return run.pages;
}

// The pages of `pdftotext -layout`: each page's text ends with a form feed.
inline QStringList SplitLayoutPages(const QString& out) {
  QStringList pages = out.split('\f');
  pages.removeLast();  // what follows the last form feed
  for (QString& page : pages) page += '\f';
  return pages;
}

// The text of one page (from 1), laid out as on the page: what `pdftotext -f page -l page
// -layout` writes.
inline QString PdfPageText(const QString& file, int page) {
  const QStringList& pages = CachedPages(file, "-layout", &SplitLayoutPages);
  if (page >= 1 && page <= pages.size()) return pages[page - 1];
  return RunTool("pdftotext",
                 {"-f", QString::number(page), "-l", QString::number(page), "-layout", file, "-"});
}

// The number of pages of the file, from the same run of pdftotext as PdfPageText (it ends every
// page with a form feed, pages without text too); 0 when the file cannot be read.
inline int PdfPageCount(const QString& file) {
  return static_cast<int>(CachedPages(file, "-layout", &SplitLayoutPages).size());
}

// The words of one page (from 1) with their boxes in points from the top left, as pdftotext
// finds them.
struct PdfWord {
  QString text;
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};
// The pages of `pdftotext -bbox`: each from its <page> to its </page>.
inline QStringList SplitBoxPages(const QString& out) {
  QStringList pages;
  for (qsizetype from = out.indexOf("<page "); from >= 0; from = out.indexOf("<page ", from)) {
    const qsizetype end = out.indexOf("</page>", from);
    if (end < 0) break;
    pages << out.mid(from, end + 7 - from);
    from = end;
  }
  return pages;
}
inline std::vector<PdfWord> PdfPageWords(const QString& file, int page) {
  const QStringList& pages = CachedPages(file, "-bbox", &SplitBoxPages);
  const QString out = page >= 1 && page <= pages.size()
                          ? pages[page - 1]
                          : RunTool("pdftotext", {"-f", QString::number(page), "-l",
                                                  QString::number(page), "-bbox", file, "-"});
  std::vector<PdfWord> words;
  static const QRegularExpression word(
      R"re(<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">([^<]*)</word>)re");
  for (auto it = word.globalMatch(out); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                     m.captured(3).toDouble(), m.captured(4).toDouble()});
  }
  return words;
}

// One page (from 1) rendered at `dpi`. pdftoppm writes it as a PPM file: the same pixels as a
// PNG, without compressing them on one side and inflating them on the other, which took most of
// a page's time.
inline QImage PdfPageImage(const QString& file, int page, int dpi) {
  QTemporaryDir dir;
  const QString stem = dir.filePath("page");
  RunTool("pdftoppm", {"-f", QString::number(page), "-l", QString::number(page), "-r",
                       QString::number(dpi), "-singlefile", file, stem});
  return QImage(stem + ".ppm");
}

// Every page of the file rendered at `dpi`, in order, from one run of pdftoppm; none when the
// file cannot be read.
inline std::vector<QImage> PdfPageImages(const QString& file, int dpi) {
  QTemporaryDir dir;
  RunTool("pdftoppm", {"-r", QString::number(dpi), file, dir.filePath("page")});
  // pdftoppm numbers the pages with as many digits as the last one has: the names sort in
  // page order.
  std::vector<QImage> pages;
  for (const QString& name : QDir(dir.path()).entryList({"page-*.ppm"}, QDir::Files, QDir::Name))
    pages.emplace_back(dir.filePath(name));
  return pages;
}

}  // namespace testsupport
