#pragma once
// The recordset of the ADO-like layer: a client-side, fully read result, as the Windows design
// opened every recordset with a client cursor. After an open it stands on its first row;
// EOF and BOF are both true when there are no rows.
//
// Values never become SQL text: a statement carries ?1, ?2, ... placeholders and the values
// are bound from the parameter list.
//
// Errors, with the ADO numbers and texts: a move or a value read without a current row 3021;
// an unknown field name 3265; anything on a closed recordset 3704; a connection that is not
// open 3709; an open on an open recordset 3705; errors of the statement with the driver
// numbers of Ado.h.
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/Ado.h"
#include "platform/db/Connection.h"
#include "platform/runtime/Variant.h"

namespace adodb {

class Recordset;

// One column of a recordset, found by name. It refers to its recordset and reads the current
// row; keep it no longer than the recordset stays where it is.
class Field {
 public:
  const std::string& name() const;  // 3704 on a closed recordset
  // The ADO type code (adVarWChar, adBoolean, ...); 3704 on a closed recordset.
  int type() const;
  // The value in the current row; a database NULL is Null. 3021 without a current row, 3704
  // on a closed recordset. The reference holds until the recordset is closed or opened again.
  const vb::Variant& value() const;

 private:
  friend class Recordset;
  Field(const Recordset* recordset, size_t index) : recordset_(recordset), index_(index) {}
  const Recordset& checked() const;
  const Recordset* recordset_;
  size_t index_;
};

class Recordset {
 public:
  // Runs the statement on the connection and reads every row. The recordset stays closed when
  // anything fails. `params` are bound to ?1, ?2, ... in order and must match their number.
  void open(std::string_view sql, Connection& connection,
            const std::vector<vb::Variant>& params = {});
  void close();  // 3704 when not open
  bool isOpen() const { return open_; }

  bool eof() const;
  bool bof() const;
  void moveNext();   // 3021 at EOF
  void moveFirst();  // 3021 when there are no rows
  void moveLast();   // 3021 when there are no rows
  long recordCount() const;

  // The first column of that name in the select list, compared without regard to case; known
  // even when there are no rows. 3265 when there is none.
  Field fields(std::string_view name) const;

 private:
  friend class Field;
  struct Column {
    std::string name;
    int type = adEmpty;
  };
  void requireOpen() const;

  bool open_ = false;
  std::vector<Column> columns_;
  std::vector<std::vector<vb::Variant>> rows_;
  size_t position_ = 0;  // rows_.size() at EOF
};

}  // namespace adodb
