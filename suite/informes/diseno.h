#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QSizeF>
#include <QString>
#include <vector>

namespace suite::informes {

// What a printed column shows: the account code, its name, or one of the eight amounts.
enum class Campo {
  Cuenta,
  Nombre,
  Debitos,
  Creditos,
  Deudor,
  Acreedor,
  Activo,
  Pasivo,
  Perdidas,
  Ganancias
};

// One column of the table: its field, its header, and its share of the table's width (the
// shares of all columns are scaled to the width between the margins).
struct Columna {
  Campo campo;
  QString titulo;
  double ancho = 1;
};

// A header over a run of adjacent columns, such as "Movimientos" over Debitos and Creditos.
struct Grupo {
  QString titulo;
  int primera = 0;  // index of its first column in Diseno::columnas
  int ultima = 0;   // index of its last column
};

// How a balance report is laid out: paper, orientation, margins, type, what the heading holds,
// the columns, and whether pages carry folios and the last one the signature blocks. A report
// file describes one; disenoBase gives the common part.
struct Diseno {
  QString titulo;            // printed at the head of every page
  QString papel = "A4";      // name, for messages and the printer
  QSizeF papelMm{210, 297};  // width and height, portrait
  QPageLayout::Orientation orientacion = QPageLayout::Portrait;
  QMarginsF margenesMm{12, 12, 12, 12};  // left, top, right, bottom
  QString fuente = "Liberation Sans";
  double puntos = 7;               // size of the table's type
  bool encabezadoEmpresa = false;  // RUT, name, line of business, address, city, telephones
  bool foliado = false;            // "Folio N" on every page, from the model's first folio
  bool firmas = false;             // signature blocks after the closing rows
  bool cierre = true;              // the closing rows SUMAS, RESULTADO EJERCICIO, TOTALES
  std::vector<Columna> columnas;
  std::vector<Grupo> grupos;
};

// The ten columns Cuenta, Nombre, Debitos, Creditos, Deudor, Acreedor, Activo, Pasivo, Perdidas,
// Ganancias under the groups Movimientos, Saldo, Inventario, Resultados, on portrait A4 with
// the title "BALANCE TRIBUTARIO" and no folios, company heading or signatures.
Diseno disenoBase();

// The page layout a device takes for `d`: its paper, orientation and margins.
QPageLayout disposicion(const Diseno& d);

}  // namespace suite::informes
