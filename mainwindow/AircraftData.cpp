#include "mainwindow/AircraftData.h"

#include <algorithm>
#include <cctype>

#include "foundation/DBase.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Error.h"

namespace MainForm {

namespace {

// The aircraft number as the bound parameter; numbers come from the editable settings store,
// so anything but digits is refused before it reaches a query.
vb::Variant AircraftNumberParam(const std::string& acNum) {
  if (acNum.empty() || acNum.size() > 9 ||
      !std::all_of(acNum.begin(), acNum.end(), [](unsigned char c) { return std::isdigit(c); }))
    throw vb::Error{vb::err::TypeMismatch, vb::ErrorText(vb::err::TypeMismatch)};
  return vb::Variant(static_cast<int32_t>(std::stol(acNum)));
}

}  // namespace

void DatabaseAircraftData::Open(const std::string& acNum) { DBase::OpenDatabase(acNum); }

std::string DatabaseAircraftData::DisplayValue(const std::string& spec) {
  return DBase::DisplayDataValue(spec);
}

void DatabaseAircraftData::Close() { DBase::CloseDatabase(); }

AircraftData::Interiors DatabaseAircraftData::InteriorVariants(const std::string& acNum) {
  const vb::Variant number = AircraftNumberParam(acNum);
  adodb::Connection connection;
  connection.open(DBase::ConnectionString(DBase::vars().DxfDBPath));
  adodb::Recordset rs;
  rs.open("SELECT * FROM DXF WHERE AcNum = ?1", connection, {number});
  Interiors found;
  if (!rs.eof()) {
    for (const char* column : {"InteriorEMS", "CabinFrontEMS", "CabinSideEMS"})
      if (!rs.fields(column).value().isNull()) found.ems = true;
    for (const char* column : {"InteriorUtil", "CabinFrontUtil", "CabinSideUtil"})
      if (!rs.fields(column).value().isNull()) found.utility = true;
  }
  rs.close();
  return found;
}

std::vector<std::string> DatabaseAircraftData::WatCategories(const std::string& acNum) {
  const vb::Variant number = AircraftNumberParam(acNum);
  adodb::Connection connection;
  connection.open(DBase::ConnectionString(DBase::vars().DBPath));
  adodb::Recordset rs;
  rs.open("SELECT * FROM ACDPWAT WHERE AcNum = ?1", connection, {number});
  std::vector<std::string> categories;
  for (; !rs.eof(); rs.moveNext()) {
    const vb::Variant& cat = rs.fields("CAT").value();
    categories.push_back(cat.isNull() ? std::string() : cat.toString());
  }
  rs.close();
  return categories;
}

}  // namespace MainForm
