#pragma once

#include <string>
#include <string_view>

namespace suite {

// Translates a statement from the Jet dialect the module writes into SQLite's:
//  - date literals #yyyy-mm-dd# become the text literals 'yyyy-mm-dd' (SQLite keeps dates as
//    ISO text, which sorts and compares as the dates do);
//  - year(x) becomes the whole number of the year of the ISO text x;
//  - in CREATE TABLE, the column types counter, text(n) and double become INTEGER (the table's
//    auto-numbered primary key), TEXT and REAL.
//  - a join of two tables written with a comma keeps the order written (see orden_join.h).
// Nothing inside a string literal or a quoted name is ever changed. A counter column that
// cannot be SQLite's auto-numbered key (another column is the primary key) raises an Error.
std::string traducirJet(std::string_view sentencia);

}  // namespace suite
