// The field-spec evaluator over the records of the test aircraft database: aircraft 7 as the
// fixture holds it, and aircraft 12 with numbers at and beyond every range (the largest double,
// infinities, integers beyond 2^63, a date far in the future). The spec, the record and the
// display switches come from the input. A reported error is an answer; a crash, a sanitizer
// report or an escaping exception is a finding.
#include <fuzzer/FuzzedDataProvider.h>
#include <sqlite3.h>

#include <string>

#include "FuzzSupport.h"
#include "foundation/DBase.h"
#include "foundation/General.h"
#include "platform/runtime/Files.h"
#include "platform/ui/Hooks.h"

namespace {

// Answers the user interface without keeping anything.
class SilentHooks : public ui::Hooks {
 public:
  bool MainWindowExists() override { return false; }
  void SetStatusText(const std::string&) override {}
  ui::Answer MessageBox(const std::string&, const std::string&, ui::Buttons, ui::Icon) override {
    return ui::Answer::OK;
  }
  void Beep() override {}
  void DoEvents() override {}
  void SetHourglass(bool) override {}
  void DebugOutput(const std::string&) override {}
  void EndProgram() override {}
};

constexpr const char* kExtremes =
    "UPDATE Aircraft SET WtMTOGW = 1.7976931348623157e308, WtUsableFuel = 1e999, "
    "WtMaxLand = -1e999, Ttica = 4.9e-324, BagVolInt = 3.4e38, Ica = 9223372036854775807, "
    "WtBow = -9223372036854775808, VNE = 99999, ListPrice = 9.3e18, "
    "YrTypeCert = 2958466.5, CertCeiling = 1e19 WHERE AcNum = 12;";

void BuildDatabase(const std::filesystem::path& target) {
  std::string sql;
  if (!vb::ReadWholeFile(std::filesystem::path(TOLVANE_FIXTURES) / "ac_fixture.sql", sql))
    fuzzsupport::Check(false, "the fixture script reads");
  sql += "\n";
  sql += kExtremes;
  sqlite3* db = nullptr;
  sqlite3_open(target.c_str(), &db);
  char* message = nullptr;
  const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
  if (rc != SQLITE_OK) std::fprintf(stderr, "fixture: %s\n", message ? message : "?");
  sqlite3_free(message);
  sqlite3_close(db);
  fuzzsupport::Check(rc == SQLITE_OK, "the fixture database builds");
}

SilentHooks hooks;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const std::filesystem::path folder = fuzzsupport::ScratchFolder();
  BuildDatabase(folder / "ac.mdb");
  ui::Install(&hooks);
  vb::SetProgramFolder(folder);
  vb::ChDir(folder);
  General::resetForTest();
  General::vars().ErrorHandlingOn = 1;
  General::vars().IniFileName = (folder / "Tolvane.ini").string();
  DBase::resetForTest();
  DBase::vars().DBPath = (folder / "ac.mdb").string();
  DBase::vars().DxfDBPath = (folder / "dxf.mdb").string();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static int runs = 0;
  static int openRecord = 0;
  FuzzedDataProvider in(data, size);
  const uint8_t flags = in.ConsumeIntegral<uint8_t>();
  const std::string spec = in.ConsumeRemainingBytesAsString();

  const int record = flags & 1 ? 12 : 7;
  if (record != openRecord) {
    DBase::CloseDatabase();
    DBase::OpenDatabase(std::to_string(record));
    openRecord = record;
  }
  DBase::vars().MetricUnits = flags & 2;
  DBase::vars().ShowBlankFields = flags & 4;
  DBase::vars().ShowMissingFields = flags & 8;

  (void)DBase::DisplayDataValue(spec);
  (void)DBase::DatabaseValue(spec);

  // Reports go to ERROR.LOG in the scratch folder: keep it from filling memory.
  if (++runs % 2000 == 0) {
    std::error_code ec;
    std::filesystem::remove(fuzzsupport::ScratchFolder() / "ERROR.LOG", ec);
    General::vars().ErrorCount = 0;
  }
  return 0;
}
