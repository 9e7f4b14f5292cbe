#pragma once

#include <QString>

#include "informes/diseno.h"

namespace suite::informes {

// Reads a report file (README.md in this folder describes the format) into the layout it
// describes. Raises prjsumsal::Error naming the file when it is missing or unreadable, and the
// file and the line when a line is not understood: an unknown key, a wrong count of values, a
// value out of its set, a column or group that names an unknown field, a data source other than
// the work table `ctrsumsal`, a number that is not finite or out of its range, an unclosed quote,
// no `columna` line at all. Only a regular file of at most 1 MiB is read: a device, a pipe or a
// larger file is refused before it is read.
Diseno leerArchivoInforme(const QString& ruta);

// The same from the text of a report file; `nombre` names it in the messages.
Diseno leerDiseno(const QString& texto, const QString& nombre);

}  // namespace suite::informes
