#include "mayor/comparacion.h"

#include <map>

#include "balance/calculo.h"
#include "balance/cierre.h"
#include "balance/formato.h"
#include "host/error.h"
#include "host/fecha.h"
#include "mayor/centavos.h"

namespace suite::mayor {

using prjsumsal::Consulta;
using prjsumsal::Fecha;
using prjsumsal::FilaBalance;

namespace {

std::string unAnioAntes(const std::string& iso) {
  auto f = Fecha::leerIso(iso);
  if (!f) throw prjsumsal::Error("Fecha no válida: " + iso);
  Fecha antes{f->anio - 1, f->mes, f->dia};
  if (!antes.valida()) antes.dia = 28;  // the 29th of February of a leap year
  return antes.iso();
}

std::int64_t saldo(const FilaBalance& f) {
  return mayor::centavos(f.debe_act) - mayor::centavos(f.haber_act);
}

std::int64_t resultado(const prjsumsal::Sumas& s) {
  const auto cierre = prjsumsal::renglonesCierre(s);
  const auto& r = cierre[1].montos;  // RESULTADO EJERCICIO: Perdidas and Ganancias
  return static_cast<std::int64_t>(prjsumsal::pesosEnteros(*r[6]) - prjsumsal::pesosEnteros(*r[7]));
}

// Runs the computation of `c` and hands each account to `poner`, adding it to `sumas`.
template <class F>
void recorrer(prjsumsal::BaseDatos& db, const Consulta& c, prjsumsal::Sumas& sumas, F poner) {
  prjsumsal::Calculo calculo(db, c, prjsumsal::Uso::Exportacion);
  for (FilaBalance f; calculo.siguiente(f);) {
    sumas.agregar(f);
    poner(f);
  }
}

}  // namespace

Consulta anioAnterior(const Consulta& c) {
  Consulta a = c;
  a.desde = unAnioAntes(c.desde);
  a.hasta = unAnioAntes(c.hasta);
  a.anio = c.anio - 1;
  return a;
}

std::int64_t FilaComparada::saldoActual() const {
  return saldo(actual);
}

std::int64_t FilaComparada::saldoAnterior() const {
  return saldo(anterior);
}

std::int64_t Comparacion::resultadoActual() const {
  return resultado(sumasActual);
}

std::int64_t Comparacion::resultadoAnterior() const {
  return resultado(sumasAnterior);
}

Comparacion comparar(prjsumsal::BaseDatos& db, const Consulta& c) {
  Comparacion r;
  r.actual = c;
  r.anterior = anioAnterior(c);
  std::map<std::string, FilaComparada> filas;
  auto fila = [&](const FilaBalance& f) -> FilaComparada& {
    FilaComparada& x = filas[f.centro];
    x.centro = f.centro;
    if (x.n_centro.empty()) x.n_centro = f.n_centro;
    return x;
  };
  recorrer(db, r.actual, r.sumasActual, [&](const FilaBalance& f) { fila(f).actual = f; });
  recorrer(db, r.anterior, r.sumasAnterior, [&](const FilaBalance& f) { fila(f).anterior = f; });
  r.filas.reserve(filas.size());
  for (auto& [centro, f] : filas) r.filas.push_back(std::move(f));
  return r;
}

}  // namespace suite::mayor
