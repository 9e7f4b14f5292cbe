#include "mayor/mayor.h"

#include "host/error.h"
#include "host/solo_avance.h"
#include "mayor/centavos.h"
#include "mayor/filtro.h"

namespace suite::mayor {

using prjsumsal::Error;
using prjsumsal::Fecha;
using prjsumsal::Registros;
using prjsumsal::Valor;

namespace {

Valor valor(const Registros& rs, const char* columna) {
  return rs.fields(columna).Value;
}

std::string textoONada(const Registros& rs, const char* columna) {
  Valor v = valor(rs, columna);
  return v.esNulo() ? std::string() : v.texto();
}

// An amount of the current line in cents; a null amount counts as nothing, as in the sums.
std::int64_t monto(const Registros& rs, const char* columna, const std::string& centro) {
  Valor v = valor(rs, columna);
  if (v.esNulo()) return 0;
  try {
    return mayor::centavos(v.numero());
  } catch (const Error& e) {
    throw Error(std::string(e.what()) + ": " + columna + " de un movimiento de la cuenta " +
                centro);
  }
}

Fecha fechaDe(const Registros& rs, const std::string& centro) {
  Valor v = valor(rs, "f_comp");
  std::optional<Fecha> f;
  if (!v.esNulo()) f = Fecha::leerIso(v.texto().substr(0, 10));
  if (!f) throw Error("Un movimiento de la cuenta " + centro + " no tiene una fecha válida");
  return *f;
}

}  // namespace

std::string sentenciaMayor(const prjsumsal::Consulta& c, const Seleccion& s) {
  std::string q;
  q.reserve(1024);
  q += "SELECT a.centro as centro, 1 as clase, a.f_comp as f_comp, a.subsistema as subsistema,";
  q += " a.documento as documento, a.num_docum as num_docum, a.debe_nacional as debe,";
  q += " a.haber_nacional as haber, null as n_centro, null as g_cuenta";
  q += " from ctdcomprmm a, ctccomprmm b";
  q += filtroAcumulado(c);
  q += " and " + s.condicion("a.centro");
  q += " union all select c.centro, 0, null, null, null, null, null, null, c.n_centro,"
       " c.g_cuenta from ctmcentros c where " +
       s.condicion("c.centro");
  q += " order by centro, clase, f_comp, subsistema, documento, num_docum, debe, haber";
  return q;
}

Mayor::Mayor(prjsumsal::BaseDatos& db, const prjsumsal::Consulta& consulta,
             const Seleccion& seleccion)
    : consulta_(consulta) {
  auto desde = Fecha::leerIso(consulta.desde);
  if (!desde) throw Error("Fecha de inicio no válida: " + consulta.desde);
  desde_ = *desde;
  filas_ = db.newrecord(sentenciaMayor(consulta, seleccion), prjsumsal::kSoloAvance);
}

Mayor::~Mayor() = default;

bool Mayor::lineaDeLaCuenta() const {
  return enCuenta_ && !filas_->eof() && valor(*filas_, "centro").texto() == actual_;
}

bool Mayor::siguienteCuenta(Cuenta& c) {
  while (lineaDeLaCuenta()) filas_->MoveNext();
  enCuenta_ = false;
  if (filas_->eof()) return false;
  c = Cuenta{};
  c.centro = actual_ = valor(*filas_, "centro").texto();
  enCuenta_ = true;
  // The chart's row comes first; a code the chart repeats takes its first row's name.
  bool nombrada = false;
  while (lineaDeLaCuenta() && valor(*filas_, "clase").entero() == 0) {
    if (!nombrada) {
      c.n_centro = textoONada(*filas_, "n_centro");
      c.g_cuenta = textoONada(*filas_, "g_cuenta");
      nombrada = true;
    }
    filas_->MoveNext();
  }
  while (lineaDeLaCuenta() && fechaDe(*filas_, actual_) < desde_) {
    c.apertura += monto(*filas_, "debe", actual_) - monto(*filas_, "haber", actual_);
    filas_->MoveNext();
  }
  totales_ = Totales{};
  totales_.saldo = c.apertura;
  return true;
}

bool Mayor::siguienteMovimiento(Movimiento& m) {
  if (!lineaDeLaCuenta()) return false;
  const Registros& rs = *filas_;
  m.claves.empresa = consulta_.empresa;
  m.claves.subsistema = valor(rs, "subsistema").entero();
  m.claves.fecha = fechaDe(rs, actual_);
  m.claves.documento = textoONada(rs, "documento");
  m.claves.numero = valor(rs, "num_docum").entero();
  m.debe = monto(rs, "debe", actual_);
  m.haber = monto(rs, "haber", actual_);
  totales_.debe += m.debe;
  totales_.haber += m.haber;
  totales_.saldo += m.debe - m.haber;
  ++totales_.lineas;
  m.saldo = totales_.saldo;
  filas_->MoveNext();
  return true;
}

}  // namespace suite::mayor
