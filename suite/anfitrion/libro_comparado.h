#pragma once

#include <string>

#include "libro_xlsx/hoja_tabla.h"
#include "mayor/comparacion.h"

namespace suite::anfitrion {

// "--comparar --excel ARCHIVO.xlsx": this year's balance beside last year's as an .xlsx
// workbook, with the columns of --texto --comparar: Cuenta, Nombre, "Saldo dd/mm/aaaa" at
// --hasta, the same at that day of last year, and Diferencia, each in whole pesos, debit
// positive and credit negative; then the bold row "RESULTADO EJERCICIO" with the result of each
// year (a profit positive) and its difference. Headed by `cabeza` (its title is set here).
// Written the one safe way (guardarLibroXlsx); raises prjsumsal::Error.
void guardarComparacionXlsx(const std::string& ruta, const mayor::Comparacion& c,
                            libro_xlsx::CabezaHoja cabeza);

}  // namespace suite::anfitrion
