#pragma once

#include <QString>

#include "informes/diseno.h"
#include "informes/modelo.h"

namespace suite::rendidor {

// The balance RENDIDOR files for signing: the report engine's ten columns under their group
// headers, "Balance Tributario" with folios counted from 1, and the signature blocks of the
// accountant and the legal representative on the page of the totals.
suite::informes::Diseno diseno();

// Reads the two hand-over files in `carpeta` into a model ready to paint: the heading, the
// signatures, every account in the file's order, the closing rows and the line that says
// whether the balance squares. Raises ErrorEntrada on a file that cannot be used.
suite::informes::ModeloBalance leerModelo(const QString& carpeta);

}  // namespace suite::rendidor
