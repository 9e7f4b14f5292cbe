#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "balance/fila_balance.h"
#include "balance/sumas.h"
#include "host/renglon.h"

namespace suite::informes {

// The texts at the head of every page. Where they come from is the filler's business: the work
// table of the report database, or the two hand-over files.
struct EncabezadoInforme {
  QString empresa;  // the company text: code, one blank, name ("3 SUR LTDA")
  QString periodo;  // the period as shown, "dd/mm/yyyy - dd/mm/yyyy"
  QString emision;  // the issue date, "dd/mm/yyyy"
  // The company record, printed by layouts with the company heading.
  QString rut, nombre, giro, direccion, ciudad, telefonos;
  int primerFolio = 1;  // folio of the first page, for the folio layouts
};

// The two signature blocks that close the folio layouts.
struct FirmasInforme {
  QString contador, rutContador, registro;  // the accountant
  QString representante, rutRepresentante;  // the company's legal representative
};

// The account rows of a report, kept compact: a long balance has hundreds of thousands of them,
// so each holds its code and name as UTF-8 in shared blocks and its eight amounts, and the
// printed row's texts are made only when a page asks for it. Blocks and rows grow in pieces,
// never by copying what is already held.
class CuentasInforme {
 public:
  void agregar(std::string_view cuenta, std::string_view nombre,
               const std::array<double, 8>& montos);
  std::size_t size() const { return filas_.size(); }
  bool empty() const { return filas_.empty(); }
  // The row `i` as printed, every amount present.
  prjsumsal::Renglon operator[](std::size_t i) const;

 private:
  struct Fila {
    std::uint32_t bloque, inicio, largoCuenta, largoNombre;
    std::array<double, 8> montos;
  };
  std::deque<std::string> bloques_;
  std::deque<Fila> filas_;
};

// Everything a balance report shows, independent of its source and of its layout. Fill the
// heading and the signatures, add the accounts in print order with agregar (which also sums
// them), then call cerrar once to append SUMAS, RESULTADO EJERCICIO and TOTALES from those sums
// (prjsumsal::renglonesCierre, the one closing rule of every document).
struct ModeloBalance {
  EncabezadoInforme encabezado;
  FirmasInforme firmas;
  CuentasInforme cuentas;
  std::vector<prjsumsal::Renglon> cierres;  // empty until cerrar
  prjsumsal::Sumas sumas;                   // of the accounts added so far
  // A line printed under the closing rows, such as whether the balance squares; none if empty.
  QString nota;

  // Adds one classified account (its four right-hand columns filled, see prjsumsal::clasificar).
  void agregar(const prjsumsal::FilaBalance& fila);
  // Replaces the closing rows with those of the accounts added so far.
  void cerrar();
};

}  // namespace suite::informes
