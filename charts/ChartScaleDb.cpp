// The chart scale rows read from the aircraft database, every value bound as a parameter.
#include "charts/ChartScale.h"
#include "foundation/DBase.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

namespace Chart {

namespace {

constexpr const char* kGroupSql = "SELECT GroupNum FROM VW_AircraftAll WHERE AcNum = ?1";
constexpr const char* kScaleSql =
    "SELECT XMax, XScale, XLabel, YMax, YScale, YLabel FROM GraphQTZScale "
    "WHERE (GroupNumber = ?1) AND (QTZGraphName = ?2)";

adodb::Connection OpenAircraftDatabase() {
  adodb::Connection connection;
  connection.open(DBase::ConnectionString(DBase::vars().DBPath));
  return connection;
}

}  // namespace

std::optional<double> DatabaseScales::GroupOf(std::int64_t acNum) {
  adodb::Connection connection = OpenAircraftDatabase();
  adodb::Recordset rs;
  const vb::Variant key = acNum >= INT32_MIN && acNum <= INT32_MAX
                              ? vb::Variant(static_cast<int32_t>(acNum))
                              : vb::Variant(static_cast<double>(acNum));
  rs.open(kGroupSql, connection, {key});
  std::optional<double> group;
  // An aircraft whose group is Null has no group either.
  if (!rs.eof() && !rs.fields("GroupNum").value().isNull())
    group = rs.fields("GroupNum").value().toDouble();
  rs.close();
  connection.close();
  return group;
}

std::optional<ScaleRow> DatabaseScales::ScaleFor(const std::string& group,
                                                 const std::string& graphName) {
  adodb::Connection connection = OpenAircraftDatabase();
  adodb::Recordset rs;
  rs.open(kScaleSql, connection, {vb::Variant(group), vb::Variant(graphName)});
  std::optional<ScaleRow> row;
  if (!rs.eof()) {
    auto value = [&](const char* name) { return rs.fields(name).value().toDouble(); };
    row = ScaleRow{value("XMax"), value("XScale"), value("XLabel"),
                   value("YMax"), value("YScale"), value("YLabel")};
  }
  rs.close();
  connection.close();
  return row;
}

}  // namespace Chart
