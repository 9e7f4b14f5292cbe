#include "export/libro_excel.h"

#include <cmath>

#include "balance/cierre.h"
#include "balance/formato.h"
#include "export/libro_plantilla.h"
#include "export/linea.h"
#include "export/texto_xml.h"
#include "host/error.h"

namespace prjsumsal {

namespace {

constexpr std::string_view kFin = "</Data></Cell>";
constexpr std::string_view kNumero = "    <Cell ss:StyleID='s44'><Data ss:Type='Number'>";
constexpr std::string_view kTexto = "    <Cell ss:StyleID='s44'><Data ss:Type='String'>";
constexpr std::string_view kIzquierda = "    <Cell ss:StyleID='s45'><Data ss:Type='Number'>";
constexpr std::string_view kDerecha = "    <Cell ss:StyleID='s46'><Data ss:Type='Number'>";
constexpr std::string_view kEtiqueta = "    <Cell ss:StyleID='s47'><Data ss:Type='String'>";
constexpr std::string_view kVacia =
    "    <Cell ss:StyleID='s44'><Data ss:Type='String'></Data></Cell>";
constexpr std::string_view kInicioFila = "<Row>";
constexpr std::string_view kFinFila = "   </Row>";

// An amount with the pattern "0". An infinite or undefined value (a sum that overflowed) would
// be written as letters in a Number cell; the export stops instead.
std::string cifra(double valor) {
  if (!std::isfinite(valor)) throw Error(kDesbordamiento);
  return formatoCero(valor);
}

void par(std::ostream& salida, double izquierda, double derecha) {
  escribirLinea(salida, kIzquierda, cifra(izquierda), kFin);
  escribirLinea(salida, kDerecha, cifra(derecha), kFin);
}

// A closing row: its label in the second cell, a blank cell for each amount it has none for.
void resumen(std::ostream& salida, const Renglon& r) {
  escribirLinea(salida, kInicioFila);
  escribirLinea(salida, kEtiqueta, "", kFin);
  escribirLinea(salida, kEtiqueta, r.nombre, kFin);
  for (std::size_t i = 0; i < r.montos.size(); ++i) {
    if (!r.montos[i]) {
      escribirLinea(salida, kVacia);
    } else {
      escribirLinea(salida, i % 2 == 0 ? kIzquierda : kDerecha, cifra(*r.montos[i]), kFin);
    }
  }
  escribirLinea(salida, kFinFila);
}

}  // namespace

bool codigoNumerico(std::string_view centro) {
  if (centro.empty() || centro.size() > 11) return false;
  if (centro[0] == '0' && centro.size() > 1) return false;
  for (char c : centro) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

void LibroExcel::cabeza(std::string_view empresa) {
  escribirCabeza(salida_, empresa);
}

void LibroExcel::fila(const FilaBalance& f) {
  escribirLinea(salida_, kInicioFila);
  escribirLinea(salida_, codigoNumerico(f.centro) ? kNumero : kTexto, textoXml(f.centro), kFin);
  escribirLinea(salida_, kTexto, textoXml(f.n_centro), kFin);
  par(salida_, f.debe, f.haber);
  par(salida_, f.debe_act, f.haber_act);
  par(salida_, f.varDebe5, f.varHaber6);
  par(salida_, f.varDebe7, f.varHaber8);
  escribirLinea(salida_, kFinFila);
  sumas_.agregar(f);
}

void LibroExcel::cierre() {
  for (const Renglon& r : renglonesCierre(sumas_)) resumen(salida_, r);
  escribirCola(salida_);
  terminarSalida(salida_);
}

}  // namespace prjsumsal
