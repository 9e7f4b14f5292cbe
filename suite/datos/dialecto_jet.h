#pragma once

#include <string>
#include <string_view>

namespace suite::datos {

// The engine a statement is translated for.
enum class Motor { Sqlite, Postgres };

// Translates a statement from the Jet dialect the module writes into the engine's. Both engines
// get the same cut into pieces and the same rules; only the words written differ:
//  - date literals #yyyy-mm-dd# become 'yyyy-mm-dd' on SQLite (dates are kept as ISO text, which
//    sorts and compares as the dates do) and DATE 'yyyy-mm-dd' on PostgreSQL (a date column);
//  - left(x, n) becomes substr(x, 1, n) on SQLite, which lacks it;
//  - year(col) = N among the conditions becomes the range of that year's dates, which an index
//    on col answers; any other year(x) becomes the whole number of the year of x;
//  - in CREATE TABLE, the column types counter, text(n) and double become the engine's
//    auto-numbered key, unbounded text and double-precision number (see tipos_tabla.h); with
//    `tablaDeSesion` the table is made private to the connection (CREATE TEMPORARY TABLE);
//  - on SQLite, a join of two tables written with a comma keeps the order written (see
//    orden_join.h); PostgreSQL plans it from its statistics;
//  - on PostgreSQL, a name between brackets or back quotes goes between double quotes.
// Nothing inside a string literal or a quoted name is ever changed. A counter column that
// cannot be the auto-numbered key (another column is the primary key) raises an Error.
std::string traducirJet(std::string_view sentencia, Motor motor = Motor::Sqlite,
                        bool tablaDeSesion = false);

// Whether the statement opens a transaction ("begin", "begin transaction", in any case and
// spacing, with or without a final semicolon). Each engine opens it its own way, so that writers
// that replace rows one after the other inside it never both succeed on the same rows.
bool iniciaTransaccion(std::string_view sentencia);

}  // namespace suite::datos
