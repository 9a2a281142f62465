// The Access reader on a file of any bytes: the catalog and every table read directly, then the
// file opened as a database and every table and saved query read whole through SQL, memo and
// OLE values included. A reported error (vb::Error) is an answer; a crash, a sanitizer report,
// an escaping exception or SQL from the file that does more than read is a finding.
//
// The reads run in forked children (JetFile.cpp). A sanitizer report in a child would end only
// the child, which the reader then reports as a damaged file: so each child writes its reports
// to a file of the scratch folder, and a report found there after the run is a finding, unless
// the fault lies in mdbtools itself (a system library, not ours to mend): that is what the
// child is there to contain, and the reader's answer (a damaged file) is the right one.
#include <pthread.h>
#include <sanitizer/common_interface_defs.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "platform/db/JetDatabase.h"
#include "platform/db/JetFile.h"
#include "platform/runtime/Error.h"

namespace {

namespace fs = std::filesystem;
namespace jet = adodb::jet;
using fuzzsupport::Check;

const fs::path& ReportFolder() {
  static const fs::path folder = [] {
    fs::path f = fuzzsupport::ScratchFolder() / "child-reports";
    fs::create_directories(f);
    return f;
  }();
  return folder;
}

void InChild() {
  static std::string path;
  path = (ReportFolder() / "report").string();
  __sanitizer_set_report_path(path.c_str());
}

// Whether a report's fault lies in mdbtools: its first frame outside the sanitizer's
// interceptors and the C library is in libmdb or glib (or, with no frames, its summary says so).
bool InMdbtools(const std::string& report) {
  auto ours = [](const std::string& line) {
    return line.find("libmdb") != std::string::npos || line.find("libglib") != std::string::npos;
  };
  size_t pos = 0;
  while (pos < report.size()) {
    size_t end = report.find('\n', pos);
    if (end == std::string::npos) end = report.size();
    const std::string line = report.substr(pos, end - pos);
    pos = end + 1;
    if (line.rfind("    #", 0) != 0) continue;
    if (line.find("__interceptor_") != std::string::npos ||
        line.find("__asan") != std::string::npos || line.find("__sanitizer") != std::string::npos ||
        line.find("libc.so") != std::string::npos || line.find("compiler-rt") != std::string::npos)
      continue;
    return ours(line);
  }
  const size_t summary = report.find("SUMMARY:");
  return summary != std::string::npos && ours(report.substr(summary, report.find('\n', summary) - summary));
}

// A child is a copy of this process, libFuzzer's handlers included: a child that crashes or
// runs out of memory writes a crash- or oom- file of its own beside the real findings. The
// process that runs the inputs writes its findings only as it ends, so each artifact that
// appears while an input runs is a child's, and is removed.
std::string gArtifactPrefix;

std::vector<fs::path> Artifacts() {
  std::vector<fs::path> found;
  if (gArtifactPrefix.empty()) return found;
  const fs::path prefix(gArtifactPrefix);
  const fs::path folder = gArtifactPrefix.back() == '/' ? prefix : prefix.parent_path();
  std::error_code ec;
  for (auto it = fs::directory_iterator(folder.empty() ? fs::path(".") : folder, ec);
       !ec && it != fs::directory_iterator(); it.increment(ec))
    found.push_back(it->path());
  return found;
}

void RemoveChildArtifacts(const std::vector<fs::path>& before) {
  const std::set<fs::path> known(before.begin(), before.end());
  std::error_code ec;
  for (const fs::path& p : Artifacts())
    if (!known.count(p)) fs::remove(p, ec);
}

// Stops the run when a child wrote a sanitizer report on a fault of ours, showing it.
void CheckChildReports() {
  std::error_code ec;
  std::vector<fs::path> reports;
  for (const auto& entry : fs::directory_iterator(ReportFolder(), ec)) reports.push_back(entry.path());
  for (const fs::path& file : reports) {
    std::ifstream in(file, std::ios::binary);
    std::string report((std::istreambuf_iterator<char>(in)), {});
    in.close();
    fs::remove(file, ec);
    if (InMdbtools(report)) continue;
    std::fprintf(stderr, "a reader child reported:\n%s\n", report.c_str());
    Check(false, "a reader child has no sanitizer report");
  }
}

// Every row of `name`, every column read as its value.
void ReadAll(adodb::JetDatabase& db, const std::string& name) {
  std::string quoted = "\"";
  for (char c : name) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  const std::string sql = "SELECT * FROM " + quoted + "\"";
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db.handle(), sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
    sqlite3_finalize(st);
    return;
  }
  try {
    db.loadTablesRead();
    for (int rows = 0; rows < 2000 && sqlite3_step(st) == SQLITE_ROW; ++rows)
      for (int c = 0; c < sqlite3_column_count(st); ++c) (void)sqlite3_column_bytes(st, c);
  } catch (const vb::Error&) {
  }
  sqlite3_finalize(st);
}

// What the file's saved queries may leave in the database: the tables and views of the file
// and nothing else (no other database attached, no object the file did not describe). The
// regression tests check that no file is written.
void CheckOnlyReadingHappened(adodb::JetDatabase& db) {
  sqlite3_stmt* st = nullptr;
  Check(sqlite3_prepare_v2(db.handle(), "PRAGMA database_list", -1, &st, nullptr) == SQLITE_OK,
        "the database list reads");
  int databases = 0;
  while (sqlite3_step(st) == SQLITE_ROW) {
    const char* name = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
    Check(name && (std::string(name) == "main" || std::string(name) == "temp"),
          "no database is attached by the file's SQL");
    ++databases;
  }
  sqlite3_finalize(st);
  Check(databases >= 1, "the main database is there");
  // Each table and view in the database is one the file describes, or the table holding the
  // rows behind a memo column's view ("NAME!rows").
  const std::vector<std::string> names = db.names();
  const std::set<std::string> known(names.begin(), names.end());
  Check(sqlite3_prepare_v2(db.handle(),
                           "SELECT name FROM sqlite_master WHERE type IN ('table', 'view')", -1,
                           &st, nullptr) == SQLITE_OK,
        "the schema reads");
  while (sqlite3_step(st) == SQLITE_ROW) {
    const char* text = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    std::string name = text ? text : "";
    const bool rows = name.size() >= 5 && name.compare(name.size() - 5, 5, "!rows") == 0;
    Check(known.count(name) > 0 || (rows && known.count(name.substr(0, name.size() - 5)) > 0),
          "the file's SQL makes no table or view of its own");
  }
  sqlite3_finalize(st);
}

}  // namespace

// A small quarantine keeps the process small, and so each fork of a reader child quick.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  for (int i = 1; i < *argc; ++i) {
    const std::string arg = (*argv)[i];
    if (arg.rfind("-artifact_prefix=", 0) == 0) gArtifactPrefix = arg.substr(17);
  }
  ReportFolder();
  pthread_atfork(nullptr, nullptr, &InChild);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<fs::path> artifactsBefore = Artifacts();
  try {
    auto db = adodb::JetDatabase::OfBytes(bytes, "fuzz.mdb");
    const std::vector<std::string> names = db->names();
    // The first tables read directly as well, memo and OLE values with the rows.
    const jet::Source source = jet::Source::Buffer(bytes, "fuzz.mdb");
    for (size_t i = 0; i < names.size() && i < 2; ++i) {
      try {
        jet::Rows rows = jet::ReadRows(source, names[i], false);
        Check(rows.positions.size() == rows.values.size(), "one position per row");
        for (const auto& row : rows.values)
          Check(row.size() == rows.columns.size(), "one value per column");
      } catch (const vb::Error&) {
      }
    }
    for (size_t i = 0; i < names.size() && i < 12; ++i) {
      ReadAll(*db, names[i]);
      (void)db->queryProblem(names[i]);
    }
    CheckOnlyReadingHappened(*db);
  } catch (const vb::Error&) {
  }
  RemoveChildArtifacts(artifactsBefore);
  CheckChildReports();
  return 0;
}
