#pragma once

#include <string>

namespace suite::libro_xlsx {

// What is wrong with the workbook at `ruta` as libxlsxwriter writes one of one worksheet whose
// last row is `ultimaFila` (counted from 0): a part of the package missing, unreadable or cut
// short (an XML part that does not end with its root element's closing tag), or a sheet without
// its last row. Empty when the package is whole. The library writes each part through a
// temporary file and never checks those writes, so a full disk leaves a package that is a valid
// zip of cut parts; reading it back is the only way to know.
std::string faltaEnLibroXlsx(const std::string& ruta, int ultimaFila);

}  // namespace suite::libro_xlsx
