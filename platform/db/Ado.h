#pragma once
// The ADO-like database layer over SQLite: data type codes, the driver's error numbers, and the
// helpers that keep values and names out of SQL text.
//
// The Windows design reached its Access databases through ADO and the Access ODBC driver. This
// layer gives the same objects (Connection, Recordset, Field) over SQLite files, with the ADO
// error numbers and the ADO data type codes the display formatting keys on.
#include <string>
#include <string_view>

#include "platform/runtime/Error.h"
#include "platform/runtime/Variant.h"

namespace adodb {

// ADO data type codes (Field.Type).
enum AdoType : int {
  adEmpty = 0,
  adSmallInt = 2,
  adInteger = 3,
  adSingle = 4,
  adDouble = 5,
  adCurrency = 6,
  adDate = 7,
  adBoolean = 11,
  adGUID = 72,
  adUnsignedTinyInt = 17,
  adWChar = 130,
  adNumeric = 131,
  adVarWChar = 202,
  adLongVarWChar = 203,
  adVarBinary = 204,
  adLongVarBinary = 205,
};

// The ADO type of a column from its declared type, by the first word of the declaration
// ("VARCHAR(50)" -> VARCHAR -> 202), without regard to case. A column without a declared type
// (an expression) or with a word the table does not know gives adEmpty: its values are then
// typed by how SQLite stored them.
int AdoTypeOf(std::string_view declaredType);

// Error numbers of the driver, as ADO reported them from the Access ODBC driver. The numbers
// of the ADO objects themselves (3021, 3265, 3704, 3709) are in platform/runtime/Error.h.
namespace err {
constexpr long DriverFailed = -2147467259;   // the database cannot be opened or read
constexpr long SyntaxError = -2147217900;    // the statement is not valid SQL
constexpr long NoValueGiven = -2147217904;   // a name is no column; a parameter has no value
constexpr long NoSuchTable = -2147217865;    // the input table or query cannot be found
constexpr long ObjectOpen = 3705;            // the object is already open
}  // namespace err

// Throws vb::Error with a driver number and "[SQLite] " followed by the message.
[[noreturn]] void RaiseDriverError(long number, std::string_view message);

// A key value given as text, ready to be bound as a parameter: the text must be a plain SQL
// number (blanks around it, an optional sign, digits with an optional "." part and exponent,
// as "0123" or "-2.5E3"). Whole numbers come back as Long (as Double beyond 32 bits), others as
// Double. Anything else ("7 OR 1=1", "", "abc") raises err::SyntaxError, as the query built
// from that text would have failed.
vb::Variant NumberParam(std::string_view text);

// A date as the layer stores it: "YYYY-MM-DD", with " HH:MM:SS" unless it is midnight.
std::string IsoDateText(double date);

// An identifier for SQL text: in double quotes, with embedded double quotes doubled.
std::string QuoteIdentifier(std::string_view name);

}  // namespace adodb
