#pragma once

#include <string_view>

#include "host/valor.h"

namespace suite::datos {

// A value as PostgreSQL sends it in text form, with the type of its column (the type's OID),
// turned into the value a record set carries: whole-number types and numeric values without a
// fraction become whole numbers, the other numbers doubles, booleans booleans, and every other
// type (text, date in ISO form yyyy-mm-dd, ...) its text. So a sum of whole pesos compares and
// subtracts exactly, as it does from SQLite.
prjsumsal::Valor valorPostgres(std::string_view texto, unsigned tipo);

}  // namespace suite::datos
