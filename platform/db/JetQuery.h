#pragma once
// Saved queries of an Access file, from their stored definition to SQLite SQL.
//
// Access keeps a query as rows of the system table MSysQueries: one row per part (the input
// tables, the output columns, each join, the WHERE, GROUP BY, HAVING and ORDER BY terms), with
// the expressions in Access SQL. A union query keeps its SQL text. The translation turns
// [bracketed names] into quoted identifiers, "double-quoted" texts into 'quoted' ones, #dates#
// into the layer's ISO date texts, Yes/No/True/False into -1/0, & into ||, Mod into %, and the
// * and ? of a Like pattern into % and _. Anything it cannot carry over (parameters, action
// queries, crosstabs) throws std::runtime_error with the reason; an Access function that SQLite
// lacks is found when the view is made.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/JetFile.h"

namespace adodb::jet {

struct QueryPart {
  int attribute = 0;
  std::string expression, name1, name2;
  int64_t flag = 0;
};

struct SavedQuery {
  std::string name;
  std::vector<QueryPart> parts;  // in stored order
};

// The saved queries, from the rows of MSysObjects and MSysQueries.
std::vector<SavedQuery> SavedQueries(const Rows& objects, const Rows& parts);

// The SELECT statement of a saved query.
std::string TranslateQuery(const SavedQuery& query);

// One Access SQL expression (or a whole union's SQL text) in SQLite's SQL.
std::string TranslateExpression(std::string_view access);

}  // namespace adodb::jet
