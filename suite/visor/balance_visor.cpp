#include "balance_visor.h"

#include <set>

#include "balance/calculo.h"
#include "balance/cierre.h"
#include "balance/sumas.h"
#include "mayor/comparacion.h"

namespace suite::visor {

namespace {

using prjsumsal::FilaBalance;

CuentaVisor cuentaDe(const FilaBalance& f) {
  CuentaVisor c;
  c.codigo = f.centro;
  c.nombre = f.n_centro;
  c.montos = {f.debe,     f.haber,     f.debe_act, f.haber_act,
              f.varDebe5, f.varHaber6, f.varDebe7, f.varHaber8};
  c.busqueda = clave(QString::fromStdString(c.codigo + ' ' + c.nombre));
  return c;
}

void cerrar(BalanceVisor& b, const prjsumsal::Sumas& sumas) {
  b.cierre = prjsumsal::renglonesCierre(sumas);
  b.cuadre = prjsumsal::lineaCuadre(sumas);
  b.cuadra = prjsumsal::cuadra(sumas);
}

void leerComparado(prjsumsal::BaseDatos& db, BalanceVisor& b) {
  const auto c = mayor::comparar(db, b.consulta);
  b.cuentas.reserve(c.filas.size());
  for (const auto& f : c.filas) {
    CuentaVisor cuenta = cuentaDe(f.actual);
    cuenta.codigo = f.centro;
    cuenta.nombre = f.n_centro;
    cuenta.busqueda = clave(QString::fromStdString(f.centro + ' ' + f.n_centro));
    cuenta.montos[8] = static_cast<double>(f.saldoActual()) / 100;
    cuenta.montos[9] = static_cast<double>(f.saldoAnterior()) / 100;
    cuenta.montos[10] = static_cast<double>(f.diferencia()) / 100;
    b.cuentas.push_back(std::move(cuenta));
  }
  cerrar(b, c.sumasActual);
  b.resultadoActual = static_cast<double>(c.resultadoActual());
  b.resultadoAnterior = static_cast<double>(c.resultadoAnterior());
}

// Codes are compared byte for byte, as the database keeps them; quotes are doubled.
std::string lista(const std::vector<std::string>& codigos, std::size_t desde, std::size_t n) {
  std::string r;
  for (std::size_t i = desde; i < desde + n && i < codigos.size(); ++i) {
    if (!r.empty()) r += ',';
    r += '\'';
    for (char ch : codigos[i]) r += ch == '\'' ? std::string("''") : std::string(1, ch);
    r += '\'';
  }
  return r;
}

// The chart's names of the level prefixes the accounts have, read a few hundred at a time.
void leerTitulos(prjsumsal::BaseDatos& db, BalanceVisor& b, const std::vector<int>& niveles) {
  std::set<std::string> prefijos;
  for (const auto& c : b.cuentas) {
    for (int n : niveles) {
      if (c.codigo.size() > static_cast<std::size_t>(n)) prefijos.insert(c.codigo.substr(0, n));
    }
  }
  const std::vector<std::string> codigos(prefijos.begin(), prefijos.end());
  constexpr std::size_t kTanda = 500;
  for (std::size_t i = 0; i < codigos.size(); i += kTanda) {
    auto rs = db.newrecord("select centro, n_centro from ctmcentros where centro in (" +
                           lista(codigos, i, kTanda) + ")");
    for (; !rs->eof(); rs->MoveNext()) {
      b.titulos[rs->fields("centro").Value.texto()] = rs->fields("n_centro").Value.texto();
    }
  }
}

}  // namespace

QString clave(const QString& texto) {
  QString r;
  const QString d = texto.normalized(QString::NormalizationForm_D);
  r.reserve(d.size());
  for (QChar ch : d) {
    if (ch.category() != QChar::Mark_NonSpacing) r += ch;
  }
  return r.toCaseFolded();
}

BalanceVisor cargarBalance(prjsumsal::BaseDatos& db, const prjsumsal::Consulta& c, bool comparar,
                           const std::vector<int>& niveles) {
  BalanceVisor b;
  b.consulta = c;
  b.comparar = comparar;
  if (comparar) {
    leerComparado(db, b);
  } else {
    prjsumsal::Sumas sumas;
    prjsumsal::Calculo calculo(db, c, prjsumsal::Uso::Exportacion);
    for (FilaBalance f; calculo.siguiente(f);) {
      sumas.agregar(f);
      b.cuentas.push_back(cuentaDe(f));
    }
    cerrar(b, sumas);
  }
  leerTitulos(db, b, niveles);
  return b;
}

}  // namespace suite::visor
