#pragma once

#include "host/base_datos.h"
#include "informes/modelo.h"

namespace suite::informes {

// Reads the work table `ctrsumsal` of the report database, in the order its rows were written,
// into a balance model: one account per row, classified by its group; the heading, the period
// and the signature names from the first account row. The closing row (its `centro` is the text
// "NULL") is not an account: it is skipped, and its company text and period stand in when the
// run had no accounts. SUMAS, RESULTADO EJERCICIO and TOTALES are those of the rows read, whose
// amounts the table holds rounded to whole pesos: the figures a reader adding the printed
// column finds. The issue date and the first folio are the caller's. Raises prjsumsal::Error
// when the table is missing or cannot be read, when it is empty (no data preparation has filled
// it), when its last row is not a closing row (the preparation that filled it failed half way),
// and when a sum overflows.
ModeloBalance leerTablaTrabajo(prjsumsal::BaseDatos& base);

}  // namespace suite::informes
