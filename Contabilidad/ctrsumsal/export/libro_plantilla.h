#pragma once

#include <ostream>
#include <string_view>

namespace prjsumsal {

// The fixed parts of the workbook: the document properties, the fourteen styles, the sheet's
// columns and its title and header rows (169 lines, the company name in line 147), and the
// worksheet options that close it (29 lines).

// Writes the head with `empresa` in sheet row 1; the name is escaped for XML here.
void escribirCabeza(std::ostream& salida, std::string_view empresa);

// Writes the tail, from the end of the table to the end of the workbook.
void escribirCola(std::ostream& salida);

}  // namespace prjsumsal
