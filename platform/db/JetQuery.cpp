#include "platform/db/JetQuery.h"

#include <cctype>
#include <cstdio>
#include <map>

#include "platform/db/Ado.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Strings.h"

namespace adodb::jet {

namespace {

[[noreturn]] void Refuse(const std::string& why) { throw std::runtime_error(why); }

int ColumnIndex(const Rows& rows, std::string_view name) {
  for (size_t i = 0; i < rows.columns.size(); ++i)
    if (vb::EqualsNoCase(rows.columns[i].name, name)) return static_cast<int>(i);
  return -1;
}

std::string TextOf(const std::vector<Value>& row, int i) {
  if (i < 0 || static_cast<size_t>(i) >= row.size()) return {};
  return row[static_cast<size_t>(i)].kind == Value::Text ? row[static_cast<size_t>(i)].text
                                                          : std::string();
}

int64_t IntegerOf(const std::vector<Value>& row, int i) {
  if (i < 0 || static_cast<size_t>(i) >= row.size()) return 0;
  return row[static_cast<size_t>(i)].kind == Value::Integer ? row[static_cast<size_t>(i)].integer
                                                             : 0;
}

bool IsWordChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

// "#1/31/95#", "#12/31/1995 10:30:00#": month/day/year, as Access SQL writes dates.
std::string DateLiteral(std::string_view text) {
  int month = 0, day = 0, year = 0, hour = 0, minute = 0, second = 0;
  std::string t(text);
  int n = std::sscanf(t.c_str(), "%d/%d/%d %d:%d:%d", &month, &day, &year, &hour, &minute, &second);
  if (n < 3 || month < 1 || month > 12 || day < 1 || day > 31)
    Refuse("the date #" + t + "# is not understood");
  if (year < 30) year += 2000;
  else if (year < 100) year += 1900;
  vb::DateTimeParts p;
  p.year = year, p.month = month, p.day = day, p.hour = hour, p.minute = minute, p.second = second;
  return "'" + IsoDateText(vb::DateFromParts(p)) + "'";
}

std::string QuotedText(std::string_view text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'') out += '\'';
    out += c;
  }
  return out + "'";
}

// A Like pattern: * and ? become % and _.
std::string LikePattern(std::string text) {
  for (char& c : text) {
    if (c == '*') c = '%';
    else if (c == '?') c = '_';
  }
  return text;
}

}  // namespace

std::string TranslateExpression(std::string_view s) {
  std::string out;
  bool afterLike = false;
  for (size_t i = 0; i < s.size();) {
    const char c = s[i];
    if (c == '[') {
      size_t close = s.find(']', i + 1);
      if (close == std::string_view::npos) Refuse("a name in brackets is not closed");
      std::string_view name = s.substr(i + 1, close - i - 1);
      if (vb::EqualsNoCase(name.substr(0, std::min<size_t>(name.size(), 6)), "Forms!") ||
          name.find('!') != std::string_view::npos)
        Refuse("it reads the form value [" + std::string(name) + "]");
      out += QuoteIdentifier(name);
      i = close + 1;
      afterLike = false;
      continue;
    }
    if (c == '"' || c == '\'') {
      std::string text;
      size_t j = i + 1;
      for (;; ++j) {
        if (j >= s.size()) Refuse("a text is not closed");
        if (s[j] == c) {
          if (j + 1 < s.size() && s[j + 1] == c) {
            text += c;
            ++j;
            continue;
          }
          break;
        }
        text += s[j];
      }
      out += QuotedText(afterLike ? LikePattern(text) : text);
      i = j + 1;
      afterLike = false;
      continue;
    }
    if (c == '#') {
      size_t close = s.find('#', i + 1);
      if (close == std::string_view::npos) Refuse("a date is not closed");
      out += DateLiteral(s.substr(i + 1, close - i - 1));
      i = close + 1;
      afterLike = false;
      continue;
    }
    if (IsWordChar(c)) {
      size_t j = i;
      while (j < s.size() && IsWordChar(s[j])) ++j;
      std::string_view word = s.substr(i, j - i);
      afterLike = false;
      if (vb::EqualsNoCase(word, "Yes") || vb::EqualsNoCase(word, "True")) out += "-1";
      else if (vb::EqualsNoCase(word, "No") || vb::EqualsNoCase(word, "False")) out += "0";
      else if (vb::EqualsNoCase(word, "Mod")) out += "%";
      else if (vb::EqualsNoCase(word, "DISTINCTROW")) out += "";
      else {
        if (vb::EqualsNoCase(word, "Like")) afterLike = true;
        out += word;
      }
      i = j;
      continue;
    }
    if (c == '&') out += "||";
    else if (c == '!') Refuse("it reads a form or report value");
    else if (c == '\\') Refuse("it uses integer division");
    else out += c;
    if (!std::isspace(static_cast<unsigned char>(c))) afterLike = false;
    ++i;
  }
  return out;
}

std::vector<SavedQuery> SavedQueries(const Rows& objects, const Rows& parts) {
  const int id = ColumnIndex(objects, "Id"), name = ColumnIndex(objects, "Name"),
            type = ColumnIndex(objects, "Type");
  std::vector<SavedQuery> queries;
  std::map<int64_t, size_t> byId;
  for (const std::vector<Value>& row : objects.values)
    if (IntegerOf(row, type) == 5) {  // a query object
      byId[IntegerOf(row, id)] = queries.size();
      queries.push_back(SavedQuery{TextOf(row, name), {}});
    }
  const int object = ColumnIndex(parts, "ObjectId"), attribute = ColumnIndex(parts, "Attribute"),
            expression = ColumnIndex(parts, "Expression"), name1 = ColumnIndex(parts, "Name1"),
            name2 = ColumnIndex(parts, "Name2"), flag = ColumnIndex(parts, "Flag");
  for (const std::vector<Value>& row : parts.values) {
    auto it = byId.find(IntegerOf(row, object));
    if (it == byId.end()) continue;
    queries[it->second].parts.push_back(
        QueryPart{static_cast<int>(IntegerOf(row, attribute)), TextOf(row, expression),
                  TextOf(row, name1), TextOf(row, name2), IntegerOf(row, flag)});
  }
  return queries;
}

std::string TranslateQuery(const SavedQuery& q) {
  int64_t kind = 1, options = 0;
  std::string top;
  std::vector<const QueryPart*> tables, columns, joins, where, group, having, order;
  for (const QueryPart& p : q.parts) {
    switch (p.attribute) {
      case 1: kind = p.flag; break;
      case 2: Refuse("it asks for the parameter [" + p.name1 + "]");
      case 3:
        options = p.flag;
        top = p.name1;
        break;
      case 5: tables.push_back(&p); break;
      case 6: columns.push_back(&p); break;
      case 7: joins.push_back(&p); break;
      case 8: where.push_back(&p); break;
      case 9: group.push_back(&p); break;
      case 10: having.push_back(&p); break;
      case 11: order.push_back(&p); break;
      default: break;
    }
  }
  std::string orderBy;
  for (const QueryPart* p : order) {
    orderBy += orderBy.empty() ? " ORDER BY " : ", ";
    orderBy += TranslateExpression(p->expression);
    if (vb::EqualsNoCase(p->name1, "D")) orderBy += " DESC";
  }
  if (kind == 9) {  // a union: its parts hold their SQL text
    std::string sql;
    for (const QueryPart* t : tables) {
      if (!sql.empty()) sql += " UNION ";
      std::string part = TranslateExpression(t->expression);
      while (!part.empty() && (std::isspace(static_cast<unsigned char>(part.back())) ||
                               part.back() == ';'))
        part.pop_back();
      sql += part;
    }
    if (sql.empty()) Refuse("the union has no parts");
    return sql + orderBy;
  }
  if (kind != 1) Refuse("it is not a select query (kind " + std::to_string(kind) + ")");
  if (tables.empty()) Refuse("it reads no table");

  std::string sql = "SELECT ";
  if (options & 0x02) sql += "DISTINCT ";
  if (columns.empty()) sql += "*";
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i) sql += ", ";
    sql += TranslateExpression(columns[i]->expression);
    if (!columns[i]->name1.empty()) sql += " AS " + QuoteIdentifier(columns[i]->name1);
  }

  // FROM: the joins in stored order, each adding the table it does not have yet; the tables
  // no join names follow, comma-separated.
  auto source = [&](const std::string& alias) {
    for (const QueryPart* t : tables)
      if (vb::EqualsNoCase(t->name2.empty() ? t->name1 : t->name2, alias))
        return QuoteIdentifier(t->name1) +
               (t->name2.empty() ? "" : " AS " + QuoteIdentifier(t->name2));
    return QuoteIdentifier(alias);
  };
  std::vector<std::string> joined;
  auto has = [&](const std::string& a) {
    for (const std::string& j : joined)
      if (vb::EqualsNoCase(j, a)) return true;
    return false;
  };
  std::string from;
  std::vector<const QueryPart*> waiting = joins;
  for (bool progress = true; progress && !waiting.empty();) {
    progress = false;
    std::vector<const QueryPart*> again;
    for (const QueryPart* j : waiting) {
      const char* left = j->flag == 2 ? " LEFT JOIN " : j->flag == 3 ? " RIGHT JOIN " : " INNER JOIN ";
      const char* flipped = j->flag == 2 ? " RIGHT JOIN " : j->flag == 3 ? " LEFT JOIN " : " INNER JOIN ";
      const std::string on = " ON " + TranslateExpression(j->expression);
      if (from.empty()) {
        from = source(j->name1) + left + source(j->name2) + on;
        joined = {j->name1, j->name2};
      } else if (has(j->name1) && !has(j->name2)) {
        from = "(" + from + ")" + left + source(j->name2) + on;
        joined.push_back(j->name2);
      } else if (has(j->name2) && !has(j->name1)) {
        from = "(" + from + ")" + flipped + source(j->name1) + on;
        joined.push_back(j->name1);
      } else if (has(j->name1) && has(j->name2)) {
        Refuse("it joins two tables twice");
      } else {
        again.push_back(j);
        continue;
      }
      progress = true;
    }
    waiting = std::move(again);
  }
  if (!waiting.empty()) Refuse("its joins do not connect");
  for (const QueryPart* t : tables) {
    const std::string alias = t->name2.empty() ? t->name1 : t->name2;
    if (has(alias)) continue;
    from += from.empty() ? "" : ", ";
    from += source(alias);
    joined.push_back(alias);
  }
  sql += " FROM " + from;
  for (size_t i = 0; i < where.size(); ++i)
    sql += (i ? " AND " : " WHERE ") + TranslateExpression(where[i]->expression);
  for (size_t i = 0; i < group.size(); ++i)
    sql += (i ? ", " : " GROUP BY ") + TranslateExpression(group[i]->expression);
  for (size_t i = 0; i < having.size(); ++i)
    sql += (i ? " AND " : " HAVING ") + TranslateExpression(having[i]->expression);
  sql += orderBy;
  if (options & 0x10) {
    if (options & 0x20) Refuse("it keeps a percentage of its rows");
    int n = 0;
    if (std::sscanf(top.c_str(), "%d", &n) != 1 || n < 0) Refuse("its TOP count is not a number");
    sql += " LIMIT " + std::to_string(n);
  }
  return sql;
}

}  // namespace adodb::jet
