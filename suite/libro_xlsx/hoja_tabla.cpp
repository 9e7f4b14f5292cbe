#include "libro_xlsx/hoja_tabla.h"

#include <algorithm>
#include <cmath>

#include "balance/formato.h"
#include "export/texto_xml.h"
#include "host/error.h"

namespace suite::libro_xlsx {

using prjsumsal::FormatoCelda;

namespace {

FormatoCelda enCaja(bool negrita, const char* numero = "") {
  FormatoCelda f;
  f.negrita = negrita;
  f.numero = numero;
  f.arriba = f.abajo = f.izquierda = f.derecha = true;
  return f;
}

FormatoCelda titulo(double puntos) {
  FormatoCelda f;
  f.negrita = true;
  f.puntos = puntos;
  return f;
}

// The width in points that shows `cifra` in "#,##0" whole, as the balance's workbook counts it.
double anchoCifra(double cifra) {
  int digitos = 1;
  for (double resto = std::fabs(cifra); resto >= 10; resto /= 10) ++digitos;
  return (digitos + (digitos - 1) / 3 + (cifra < 0 ? 1 : 0)) * 7.0 + 12;
}

}  // namespace

HojaTabla::HojaTabla(prjsumsal::EscritorXlsx& escritor, std::vector<ColumnaHoja> columnas)
    : escritor_(escritor), columnas_(std::move(columnas)), anchos_(columnas_.size(), 0) {}

void HojaTabla::cabeza(const CabezaHoja& c) {
  const int ultima = static_cast<int>(columnas_.size()) - 1;
  escritor_.centrar(0, 0, ultima, prjsumsal::textoLimpio(c.titulo), titulo(14));
  escritor_.texto(1, 0, prjsumsal::textoLimpio(c.empresa), titulo(12));
  escritor_.texto(2, 0, prjsumsal::textoLimpio("RUT: " + c.rut), {});
  escritor_.texto(3, 0, prjsumsal::textoLimpio("Período: " + c.periodo), {});
  FormatoCelda derecha;
  derecha.alDerecha = true;
  escritor_.texto(3, ultima, prjsumsal::textoLimpio("Emisión: " + c.emision), derecha);
  FormatoCelda encabezado = enCaja(true);
  encabezado.centrado = true;
  for (int i = 0; i <= ultima; ++i) {
    escritor_.texto(4, i, prjsumsal::textoLimpio(columnas_[static_cast<std::size_t>(i)].titulo),
                    encabezado);
  }
  fila_ = kFilasFijas;
}

void HojaTabla::fila(const std::vector<CeldaHoja>& celdas, bool negrita) {
  if (celdas.size() > columnas_.size())
    throw prjsumsal::Error("Una fila de la hoja tiene más celdas que columnas");
  for (std::size_t i = 0; i < columnas_.size(); ++i) {
    const CeldaHoja vacia;
    const CeldaHoja& c = i < celdas.size() ? celdas[i] : vacia;
    const int col = static_cast<int>(i);
    if (const double* v = std::get_if<double>(&c)) {
      if (!std::isfinite(*v)) throw prjsumsal::Error(prjsumsal::kDesbordamiento);
      const double cifra = prjsumsal::pesosEnteros(*v);
      anchos_[i] = std::max(anchos_[i], anchoCifra(cifra));
      escritor_.numero(fila_, col, cifra, enCaja(negrita, "#,##0"));
    } else if (const std::string* t = std::get_if<std::string>(&c)) {
      escritor_.texto(fila_, col, prjsumsal::textoLimpio(*t), enCaja(negrita));
    } else {
      escritor_.texto(fila_, col, "", enCaja(negrita));
    }
  }
  ++fila_;
}

void HojaTabla::terminar() {
  for (std::size_t i = 0; i < columnas_.size(); ++i) {
    if (anchos_[i] > columnas_[i].ancho) escritor_.anchoColumna(static_cast<int>(i), anchos_[i]);
  }
}

prjsumsal::DisenoLibro HojaTabla::diseno(const std::string& hoja, const CabezaHoja& c,
                                         const std::vector<ColumnaHoja>& columnas) {
  prjsumsal::DisenoLibro d;
  d.hoja = hoja;
  d.titulo = prjsumsal::textoLimpio(c.titulo);
  d.asunto = prjsumsal::textoLimpio(c.periodo);
  d.empresa = prjsumsal::textoLimpio(c.empresa);
  for (const auto& col : columnas) d.anchos.push_back(col.ancho);
  d.filasFijas = kFilasFijas;
  d.apaisado = true;
  d.ajustarAncho = true;
  d.numerarPaginas = true;
  return d;
}

}  // namespace suite::libro_xlsx
