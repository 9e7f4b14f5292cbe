#include "fases.h"

#include <chrono>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <thread>

#include "balance/calculo.h"
#include "datos/base_sqlite.h"
#include "datos/dialecto_jet.h"
#include "libro_ledger.h"
#include "sqlite.h"

namespace bench {

using namespace std::chrono;
using prjsumsal::Consulta;

Rango rangoLedger(const Parametros& p) {
  year_month_day enero{p.ultimoDia.year(), January, day{1}};
  return {iso(enero), iso(year_month_day(sys_days(p.ultimoDia) + days(1)))};
}

Consulta consultaDe(const Parametros& p) {
  Consulta c;
  c.empresa = 1;
  c.usuario = 1;
  c.alias = 0;
  c.libro = "1";
  c.hasta = iso(p.ultimoDia);
  c.desde = iso(year_month_day(sys_days(p.ultimoDia - years(1)) + days(1)));
  c.anio = static_cast<int>(p.ultimoDia.year());
  return c;
}

// The statements go straight to the engine rather than through the object's newrecord, so that
// the figure holds nothing but the engine's own work; the object's part (reading the rows into
// memory) is then counted with the module's, which is the overhead the ratio is about.
namespace {

long leerTodas(Conexion& con, const std::string& sentencia) {
  long filas = 0;
  Sentencia st(con, suite::datos::traducirJet(sentencia));
  while (st.paso()) {
    st.texto(0);
    st.doble(1);
    st.doble(2);
    ++filas;
  }
  return filas;
}

}  // namespace

std::string sentenciasSolas(const std::filesystem::path& diario, const Consulta& c) {
  Conexion con(diario);
  long filas = leerTodas(con, prjsumsal::sentenciaPeriodo(c));
  filas += leerTodas(con, prjsumsal::sentenciaAcumulado(c, prjsumsal::Uso::Informe));
  return std::to_string(filas);
}

std::string sentenciasALaPar(const std::filesystem::path& diario, const Consulta& c) {
  long periodo = 0;
  std::exception_ptr falla;
  std::thread hilo([&] {
    try {
      Conexion con(diario);
      periodo = leerTodas(con, prjsumsal::sentenciaPeriodo(c));
    } catch (...) {
      falla = std::current_exception();
    }
  });
  long acumulado = 0;
  try {
    Conexion con(diario);
    acumulado = leerTodas(con, prjsumsal::sentenciaAcumulado(c, prjsumsal::Uso::Informe));
  } catch (...) {
    hilo.join();
    throw;
  }
  hilo.join();
  if (falla) std::rethrow_exception(falla);
  return std::to_string(periodo + acumulado);
}

std::string calculoModulo(const std::filesystem::path& diario, const Consulta& c, bool detalle) {
  auto db = suite::datos::BaseSqlite::abrir(diario, suite::datos::Papel::Contabilidad);
  return calculoEn(*db, c, detalle);
}

std::string calculoEn(prjsumsal::BaseDatos& db, const Consulta& c, bool detalle) {
  prjsumsal::Calculo calculo(db, c, prjsumsal::Uso::Informe);
  prjsumsal::FilaBalance fila;
  long filas = 0;
  std::string texto;
  while (calculo.siguiente(fila)) {
    ++filas;
    if (detalle) {
      texto +=
          fila.centro + '\t' + std::to_string(std::llround(fila.debe_act - fila.haber_act)) + '\n';
    }
  }
  return detalle ? texto : std::to_string(filas);
}

std::string planAcumulado(const std::filesystem::path& diario, const Consulta& c) {
  Conexion con(diario, true);
  Sentencia st(con, "explain query plan " + suite::datos::traducirJet(prjsumsal::sentenciaAcumulado(
                                                c, prjsumsal::Uso::Informe)));
  std::string plan;
  while (st.paso()) plan += "  " + st.texto(3) + "\n";
  return plan;
}

std::string compararConLedger(const std::filesystem::path& diario,
                              const std::filesystem::path& libro, const Consulta& c, const Rango& r,
                              const std::string& detalle) {
  std::map<std::string, long long> ledger = saldosLedger(libro, r.desde, r.hasta);
  std::map<std::string, long long> nuestros;
  std::istringstream filas(detalle.empty() ? calculoModulo(diario, c, true) : detalle);
  std::string cuenta, saldo;
  while (std::getline(filas, cuenta, '\t') && std::getline(filas, saldo)) {
    nuestros[cuenta] = std::stoll(saldo);
  }
  std::set<std::string> codigos;
  for (const auto* lado : {&nuestros, &ledger}) {
    for (const auto& par : *lado) codigos.insert(par.first);
  }
  auto monto = [](const std::map<std::string, long long>& m, const std::string& codigo) {
    auto en = m.find(codigo);
    return en == m.end() ? std::string("-") : std::to_string(en->second);
  };
  std::ostringstream diferencias;
  int distintas = 0;
  for (const std::string& codigo : codigos) {
    std::string nuestro = monto(nuestros, codigo), suyo = monto(ledger, codigo);
    if (nuestro == suyo) continue;
    if (++distintas <= 3) {
      diferencias << " " << codigo << ": módulo " << nuestro << ", ledger " << suyo << ";";
    }
  }
  std::ostringstream linea;
  if (distintas == 0 && !nuestros.empty()) {
    linea << "los saldos de las " << nuestros.size() << " cuentas coinciden con ledger";
  } else {
    linea << "NO coinciden con ledger: " << distintas << " de " << codigos.size()
          << " cuentas difieren;" << diferencias.str();
  }
  return linea.str();
}

}  // namespace bench
