// Reading an Access (Jet 3) file through the database layer, against an SQLite copy of the same
// tables: a cold open (the file read again) and a join, the same with the file's database kept,
// and the memo and OLE values of one row against those of a whole table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/db/Connection.h"
#include "platform/db/JetDatabase.h"
#include "platform/db/Recordset.h"

namespace {

namespace fs = std::filesystem;

const fs::path kNwind = fs::path(TOLVANE_ACCESS_FIXTURES) / "nwind.mdb";

std::string ConnectionString(const fs::path& file) {
  return "DRIVER={Microsoft Access Driver (*.mdb)};Password=73pahoru41;DBQ=" + file.string();
}

const char* const kJoin =
    "SELECT Orders.OrderID, Orders.OrderDate, \"Order Details\".ProductID, "
    "\"Order Details\".Quantity FROM Orders INNER JOIN \"Order Details\" "
    "ON Orders.OrderID = \"Order Details\".OrderID WHERE Orders.ShipCountry = 'Germany'";

// The SQLite copy of the two joined tables, made once with mdb-export.
const fs::path& SqliteCopy() {
  static const fs::path copy = [] {
    fs::path file = fs::temp_directory_path() / "tolvane-bench-nwind.db";
    fs::remove(file);
    const std::string n = "'" + kNwind.string() + "'";
    const std::string exportSql = "mdb-export -I sqlite -b strip -q \"'\" -X \"'\" " + n;
    const std::string script =
        "{ mdb-schema " + n + " sqlite -T Orders; mdb-schema " + n +
        " sqlite -T 'Order Details'; echo 'BEGIN;'; " + exportSql + " Orders; " + exportSql +
        " 'Order Details'; echo 'COMMIT;'; } | sqlite3 '" + file.string() + "'";
    if (std::system(script.c_str()) != 0) std::fprintf(stderr, "cannot make %s\n", file.c_str());
    return file;
  }();
  return copy;
}

long OpenAndJoin(const fs::path& file) {
  adodb::Connection c;
  c.open(ConnectionString(file));
  adodb::Recordset rs;
  rs.open(kJoin, c);
  long n = rs.recordCount();
  rs.close();
  return n;
}

bool HaveFixture(benchmark::State& state) {
  if (fs::exists(kNwind)) return true;
  state.SkipWithError("the Access fixture nwind.mdb is not there");
  return false;
}

void BM_AccessColdOpenAndJoin(benchmark::State& state) {
  if (!HaveFixture(state)) return;
  for (auto _ : state) {
    adodb::JetDatabase::ForgetCachedFiles();
    benchmark::DoNotOptimize(OpenAndJoin(kNwind));
  }
}
BENCHMARK(BM_AccessColdOpenAndJoin)->Unit(benchmark::kMillisecond);

void BM_AccessKeptOpenAndJoin(benchmark::State& state) {
  if (!HaveFixture(state)) return;
  OpenAndJoin(kNwind);
  for (auto _ : state) benchmark::DoNotOptimize(OpenAndJoin(kNwind));
}
BENCHMARK(BM_AccessKeptOpenAndJoin)->Unit(benchmark::kMillisecond);

void BM_SqliteCopyOpenAndJoin(benchmark::State& state) {
  if (!HaveFixture(state)) return;
  const fs::path& copy = SqliteCopy();
  for (auto _ : state) benchmark::DoNotOptimize(OpenAndJoin(copy));
}
BENCHMARK(BM_SqliteCopyOpenAndJoin)->Unit(benchmark::kMillisecond);

// A cold open, then the memo and OLE values of the Employees table: of one row, as the drawing
// reader does (allRows:0), or of every row (allRows:1).
void BM_AccessColdMemos(benchmark::State& state) {
  if (!HaveFixture(state)) return;
  const std::string sql = state.range(0) == 0 ? "SELECT * FROM Employees WHERE EmployeeID = 5"
                                              : "SELECT * FROM Employees";
  for (auto _ : state) {
    adodb::JetDatabase::ForgetCachedFiles();
    adodb::Connection c;
    c.open(ConnectionString(kNwind));
    adodb::Recordset rs;
    rs.open(sql, c);
    size_t bytes = 0;
    for (; !rs.eof(); rs.moveNext())
      bytes += rs.fields("Notes").value().toString().size() +
               rs.fields("Photo").value().toString().size();
    benchmark::DoNotOptimize(bytes);
    rs.close();
  }
}
BENCHMARK(BM_AccessColdMemos)->ArgName("allRows")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
