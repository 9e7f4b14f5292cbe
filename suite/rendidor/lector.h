#pragma once

#include <QIODevice>
#include <QString>
#include <functional>

#include "balance/fila_balance.h"
#include "encabezado.h"
#include "export/entrega_pdf.h"

namespace suite::rendidor {

// The names of the two hand-over files, as the module writes them in its folder.
using prjsumsal::kArchivoDatos;
using prjsumsal::kArchivoEmpresa;

// The longest value an element may hold. Account names are tens of characters; a value past
// this is not a name but a damaged file, and keeping it would only use memory.
inline constexpr qsizetype kValorMaximo = 4096;

// Reads the heading file: <tabla> with one <fila> holding the eleven elements of the heading.
// Elements it does not know are passed over. `archivo` names the file in messages. Raises
// ErrorEntrada on anything else: a missing or repeated element, a second <fila>, bad XML.
Encabezado leerEncabezado(QIODevice& dispositivo, const QString& archivo);

// Each account of the data file, in the file's order, its texts in UTF-8.
using Agregar = std::function<void(prjsumsal::FilaBalance&&)>;

// Reads the data file: <tabla> with one <fila> per account, each handed to `agregar` as it is
// read, so no list of all of them is kept here. Each needs <centro>, <n_centro>,
// <g_cuenta> and the eight amounts; the period and the company code it repeats, when present,
// must be those of `encabezado` (a data file left by another export is refused rather than
// printed under the wrong heading). Raises ErrorEntrada as leerEncabezado does, and for an
// amount that is not a number or is out of range.
void leerDatos(QIODevice& dispositivo, const QString& archivo, const Encabezado& encabezado,
               const Agregar& agregar);

// Opens both files in `carpeta`, reads the heading and returns it, and hands each account of
// the data file to `agregar`. Raises ErrorEntrada naming the file that is missing or cannot be
// opened, before anything is read.
Encabezado leerEntrega(const QString& carpeta, const Agregar& agregar);

}  // namespace suite::rendidor
