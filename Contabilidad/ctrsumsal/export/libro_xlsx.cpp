#include "export/libro_xlsx.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "balance/cierre.h"
#include "balance/formato.h"
#include "export/libro_excel.h"
#include "export/texto_xml.h"
#include "host/error.h"

namespace prjsumsal {

namespace {

constexpr int kColumnas = 10;
constexpr int kFilasFijas = 6;        // the four heading rows and the two header rows
constexpr double kAnchoImporte = 60;  // points: an amount column's width to begin with

// The looks of the 2003 workbook's styles: titles, bold centred headers in boxes, cells in
// boxes, amounts with thousands grouped; the closing rows are bold throughout.
FormatoCelda formato(bool negrita, bool centrado, std::string numero, bool enCaja) {
  FormatoCelda f;
  f.negrita = negrita;
  f.centrado = centrado;
  f.numero = std::move(numero);
  f.arriba = f.abajo = f.izquierda = f.derecha = enCaja;
  return f;
}
FormatoCelda titulo(double puntos) {
  FormatoCelda f = formato(true, false, "", false);
  f.puntos = puntos;
  return f;
}
FormatoCelda aLaDerecha() {
  FormatoCelda f;
  f.alDerecha = true;
  return f;
}
// The upper or the lower half of a header two rows high.
FormatoCelda mitad(bool arriba) {
  FormatoCelda f = formato(true, true, "", true);
  (arriba ? f.abajo : f.arriba) = false;
  return f;
}
const FormatoCelda kTitulo = titulo(14);
const FormatoCelda kEmpresa = titulo(12);
const FormatoCelda kDato;
const FormatoCelda kEmision = aLaDerecha();
const FormatoCelda kEncabezado = formato(true, true, "", true);
const FormatoCelda kCelda = formato(false, false, "", true);
const FormatoCelda kImporte = formato(false, false, "#,##0", true);
const FormatoCelda kCierre = formato(true, false, "", true);
const FormatoCelda kImporteCierre = formato(true, false, "#,##0", true);

// The width in points that shows `cifra` in "#,##0" whole: each character as wide as a digit of
// the widest common spreadsheet font, bold or not, and the cell's margins.
double anchoCifra(double cifra) {
  int digitos = 1;
  for (double resto = std::fabs(cifra); resto >= 10; resto /= 10) ++digitos;
  int caracteres = digitos + (digitos - 1) / 3 + (cifra < 0 ? 1 : 0);
  return caracteres * 7.0 + 12;
}

// An amount rounded to whole pesos as the 2003 workbook writes it. An infinite or undefined
// value (a sum that overflowed) stops the export.
double cifra(double valor) {
  if (!std::isfinite(valor)) throw Error(kDesbordamiento);
  return pesosEnteros(valor);
}

}  // namespace

void LibroXlsx::cabeza(std::string_view empresa) {
  escritor_.centrar(0, 0, kColumnas - 1, "BALANCE TRIBUTARIO", kTitulo);
  escritor_.texto(1, 0, textoLimpio(empresa), kEmpresa);
  escritor_.texto(2, 0, textoLimpio("RUT: " + cabeza_.rut), kDato);
  escritor_.texto(3, 0, textoLimpio("Período: " + cabeza_.periodo), kDato);
  escritor_.texto(3, kColumnas - 1, textoLimpio("Emisión: " + cabeza_.emision), kEmision);
  escritor_.texto(4, 0, "", mitad(true));
  escritor_.texto(4, 1, "", mitad(true));
  const char* grupos[] = {"Movimientos", "Saldo", "Inventario", "Resultados"};
  for (int i = 0; i < 4; ++i) escritor_.centrar(4, 2 + 2 * i, 3 + 2 * i, grupos[i], kEncabezado);
  escritor_.texto(5, 0, "Cuenta", mitad(false));
  escritor_.texto(5, 1, "Nombre", mitad(false));
  const char* columnas[] = {"Débitos", "Créditos", "Deudor",   "Acreedor",
                            "Activo",  "Pasivo",   "Pérdidas", "Ganancias"};
  for (int i = 0; i < 8; ++i) escritor_.texto(5, 2 + i, columnas[i], kEncabezado);
  fila_ = kFilasFijas;
}

void LibroXlsx::fila(const FilaBalance& f) {
  double codigo = 0;
  if (codigoNumerico(f.centro) &&
      std::from_chars(f.centro.data(), f.centro.data() + f.centro.size(), codigo).ec ==
          std::errc()) {
    escritor_.numero(fila_, 0, codigo, kCelda);
  } else {
    escritor_.texto(fila_, 0, textoLimpio(f.centro), kCelda);
  }
  escritor_.texto(fila_, 1, textoLimpio(f.n_centro), kCelda);
  const double importes[] = {f.debe,     f.haber,     f.debe_act, f.haber_act,
                             f.varDebe5, f.varHaber6, f.varDebe7, f.varHaber8};
  for (int i = 0; i < 8; ++i) importe(2 + i, importes[i], kImporte);
  ++fila_;
  sumas_.agregar(f);
}

void LibroXlsx::cierre() {
  for (const Renglon& c : renglonesCierre(sumas_)) {
    escritor_.texto(fila_, 0, "", kCierre);
    escritor_.texto(fila_, 1, c.nombre, kCierre);
    for (int i = 0; i < 8; ++i) {
      if (c.montos[i]) {
        importe(2 + i, *c.montos[i], kImporteCierre);
      } else {
        escritor_.texto(fila_, 2 + i, "", kCierre);
      }
    }
    ++fila_;
  }
  for (int i = 0; i < 8; ++i) {
    if (anchos_[i] > kAnchoImporte) escritor_.anchoColumna(2 + i, anchos_[i]);
  }
  escritor_.cerrar();
}

void LibroXlsx::importe(int columna, double valor, const FormatoCelda& formato) {
  double c = cifra(valor);
  double& ancho = anchos_[columna - 2];
  ancho = std::max(ancho, anchoCifra(c));
  escritor_.numero(fila_, columna, c, formato);
}

DisenoLibro disenoLibroXlsx(std::string_view empresa, std::string_view desde,
                            std::string_view hasta) {
  DisenoLibro d;
  d.hoja = "balance tributario";
  d.titulo = "Balance Tributario";
  d.asunto = textoLimpio(std::string(desde) + " - " + std::string(hasta));
  d.empresa = textoLimpio(empresa);
  // The 2003 workbook's widths: the names' column 198 points, the others its default of 60.
  d.anchos.assign(kColumnas, kAnchoImporte);
  d.anchos[1] = 198;
  d.filasFijas = kFilasFijas;
  d.apaisado = true;
  d.ajustarAncho = true;
  d.numerarPaginas = true;
  return d;
}

bool esRutaXlsx(std::string_view ruta) {
  constexpr std::string_view kExtension = ".xlsx";
  if (ruta.size() < kExtension.size()) return false;
  std::string_view final = ruta.substr(ruta.size() - kExtension.size());
  for (std::size_t i = 0; i < kExtension.size(); ++i) {
    char c = final[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kExtension[i]) return false;
  }
  return true;
}

}  // namespace prjsumsal
