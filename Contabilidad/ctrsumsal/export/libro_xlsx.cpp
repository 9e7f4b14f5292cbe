#include "export/libro_xlsx.h"

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
constexpr int kFilasFijas = 4;  // the two heading rows and the two header rows

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
FormatoCelda titulo() {
  FormatoCelda f = formato(true, false, "", false);
  f.puntos = 12;
  return f;
}
const FormatoCelda kTitulo = titulo();
const FormatoCelda kEncabezado = formato(true, true, "", true);
const FormatoCelda kCelda = formato(false, false, "", true);
const FormatoCelda kImporte = formato(false, false, "#,##0", true);
const FormatoCelda kCierre = formato(true, false, "", true);
const FormatoCelda kImporteCierre = formato(true, false, "#,##0", true);

// An amount rounded to whole pesos as the 2003 workbook writes it. An infinite or undefined
// value (a sum that overflowed) stops the export.
double cifra(double valor) {
  if (!std::isfinite(valor)) throw Error(kDesbordamiento);
  return pesosEnteros(valor);
}

}  // namespace

void LibroXlsx::cabeza(std::string_view empresa) {
  escritor_.texto(0, 0, textoLimpio(empresa), kTitulo);
  escritor_.texto(1, 0, "BALANCE GENERAL", kTitulo);
  escritor_.combinar(2, 0, 3, 0, "Cuenta", kEncabezado);
  escritor_.combinar(2, 1, 3, 1, "Nombre", kEncabezado);
  const char* grupos[] = {"Movimientos", "Saldo", "Inventario", "Resultados"};
  const char* columnas[] = {"Debitos", "Creditos", "Deudor",   "Acreedor",
                            "Activo",  "Pasivo",   "Perdidas", "Ganancias"};
  for (int i = 0; i < 4; ++i)
    escritor_.combinar(2, 2 + 2 * i, 2, 3 + 2 * i, grupos[i], kEncabezado);
  for (int i = 0; i < 8; ++i) escritor_.texto(3, 2 + i, columnas[i], kEncabezado);
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
  escritor_.cerrar();
}

void LibroXlsx::importe(int columna, double valor, const FormatoCelda& formato) {
  escritor_.numero(fila_, columna, cifra(valor), formato);
}

DisenoLibro disenoLibroXlsx(std::string_view empresa, std::string_view desde,
                            std::string_view hasta) {
  DisenoLibro d;
  d.hoja = "balance general";
  d.titulo = "Balance General";
  d.asunto = textoLimpio(std::string(desde) + " al " + std::string(hasta));
  d.empresa = textoLimpio(empresa);
  // The 2003 workbook's widths: the names' column 198 points, the others its default of 60.
  d.anchos.assign(kColumnas, 60);
  d.anchos[1] = 198;
  d.filasFijas = kFilasFijas;
  d.apaisado = true;
  d.ajustarAncho = true;
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
