#pragma once
// What the poppler tools say about a PDF file: its page count, title and page sizes (pdfinfo),
// a page's text (pdftotext) and a page rendered as an image (pdftoppm). A test skips when the
// tools are not installed.
#include <QDateTime>
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
// `mode` is the pdftotext option ("-layout" or "-bbox"); `split` cuts the output into pages.
inline const QStringList& CachedPages(const QString& file, const QString& mode,
                                      QStringList (*split)(const QString&)) {
  struct Entry {
    QDateTime modified;
    qint64 size = -1;
    QStringList pages;
  };
  static std::map<std::pair<QString, QString>, Entry> cache;
  const QFileInfo info(file);
  Entry& e = cache[{info.absoluteFilePath(), mode}];
  if (e.size != info.size() || e.modified != info.lastModified()) {
    e.modified = info.lastModified();
    e.size = info.size();
    const QString out = info.exists() ? RunTool("pdftotext", {mode, file, "-"}) : QString();
    e.pages = out.isEmpty() ? QStringList() : split(out);
  }
  return e.pages;
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

}  // namespace testsupport
