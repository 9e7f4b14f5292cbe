#pragma once

#include <ostream>
#include <string_view>

namespace prjsumsal {

// Writes `linea` followed by CR LF. Raises an Error when the stream has failed, so a full disk
// ends the export instead of leaving a short file reported as written.
void escribirLinea(std::ostream& salida, std::string_view linea);

// Writes `apertura`, `valor` and `cierre` as one line, the usual shape of a cell or an element.
void escribirLinea(std::ostream& salida, std::string_view apertura, std::string_view valor,
                   std::string_view cierre);

// Flushes the stream and raises an Error when any write to it has failed.
void terminarSalida(std::ostream& salida);

}  // namespace prjsumsal
