// The ledger against the balance: for every account, the ledger's period sums and closing
// balance are the balance row's, to the peso, on the demo company and a generated journal, on
// SQLite and (pg.*) on PostgreSQL; a ledger read with a filter other than the balance's
// disagrees; a ledger line leads to its whole voucher.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "balance/calculo.h"
#include "balance/sumas.h"
#include "fuentes.h"
#include "mayor/centavos.h"
#include "mayor/comprobante.h"
#include "mayor/mayor.h"

namespace suite::mayor {
namespace {

using prjsumsal::Consulta;
using prjsumsal::FilaBalance;
using prueba::consulta;
using suite::mayor::pesos;

std::int64_t enPesos(double montoBalance) {
  return pesos(mayor::centavos(montoBalance));
}

// Where the ledger of every account read with `libro` disagrees with the balance of `balance`,
// one text per disagreement. It also checks each account's own arithmetic and order: running
// balances, dates inside the period and in order.
std::vector<std::string> desacuerdos(prjsumsal::BaseDatos& db, const Consulta& balance,
                                     const Consulta& libro) {
  std::map<std::string, FilaBalance> filas;
  prjsumsal::Calculo calculo(db, balance, prjsumsal::Uso::Exportacion);
  for (FilaBalance f; calculo.siguiente(f);) filas[f.centro] = f;
  std::vector<std::string> r;
  auto distinto = [&](const std::string& c, const char* que, std::int64_t a, std::int64_t b) {
    if (a != b) r.push_back(c + " " + que + ": " + std::to_string(a) + " != " + std::to_string(b));
  };
  std::string desde = std::max(libro.desde, std::to_string(libro.anio) + "-01-01");
  Mayor mayor(db, libro, Seleccion{{}, {""}});
  std::set<std::string> vistas;
  for (Cuenta c; mayor.siguienteCuenta(c);) {
    EXPECT_TRUE(vistas.insert(c.centro).second) << "cuenta repetida " << c.centro;
    std::int64_t saldo = c.apertura;
    std::string fecha = desde;
    for (Movimiento m; mayor.siguienteMovimiento(m);) {
      EXPECT_EQ(m.saldo, saldo + m.debe - m.haber) << c.centro;
      EXPECT_LE(fecha, m.claves.fecha.iso()) << c.centro;
      EXPECT_LE(m.claves.fecha.iso(), libro.hasta) << c.centro;
      saldo = m.saldo;
      fecha = m.claves.fecha.iso();
    }
    const Totales& t = mayor.totales();
    EXPECT_EQ(t.saldo, saldo) << c.centro;
    FilaBalance f = filas.count(c.centro) ? filas[c.centro] : FilaBalance{};
    distinto(c.centro, "debe", pesos(t.debe), enPesos(f.debe));
    distinto(c.centro, "haber", pesos(t.haber), enPesos(f.haber));
    distinto(c.centro, "deudor", pesos(t.deudor()), enPesos(f.debe_act));
    distinto(c.centro, "acreedor", pesos(t.acreedor()), enPesos(f.haber_act));
  }
  for (const auto& [centro, f] : filas) {
    if (!vistas.count(centro)) r.push_back(centro + " falta en el mayor");
  }
  return r;
}

struct Caso {
  const char* nombre;
  Consulta consulta;
};

TEST(Mayor, CadaCuentaCuadraConSuFilaDelBalance) {
  const Caso generado[] = {
      {"período con saldo inicial", consulta(1, "1", "2026-04-01", "2026-06-30")},
      {"otra empresa, libro IFRS, solo el usuario 3",
       consulta(2, "2", "2026-01-01", "2026-12-31", 2, 3)},
      {"desde antes del año", consulta(1, "2", "2025-12-15", "2026-03-31")},
      {"año anterior, un día", consulta(2, "1", "2025-09-30", "2025-09-30")},
  };
  auto db = prueba::diarioGenerado();
  for (const Caso& c : generado) {
    EXPECT_EQ(desacuerdos(*db, c.consulta, c.consulta), std::vector<std::string>{}) << c.nombre;
  }
  const Caso demo[] = {
      {"demo, tributario", consulta(1, "1", "2026-05-01", "2026-06-15")},
      {"demo, IFRS, solo el usuario 1", consulta(1, "2", "2026-02-01", "2026-06-15", 2, 1)},
  };
  auto dbDemo = prueba::demo();
  for (const Caso& c : demo) {
    EXPECT_EQ(desacuerdos(*dbDemo, c.consulta, c.consulta), std::vector<std::string>{}) << c.nombre;
  }
}

// The journal holds what each filter keeps out, so a ledger read with any other filter than the
// balance's disagrees with it: these are the faults the check above catches.
TEST(Mayor, UnFiltroDistintoDelBalanceNoCuadra) {
  const Consulta balance = consulta(1, "1", "2026-04-01", "2026-06-30", 2, 3);
  auto cambiada = [&](auto cambio) {
    Consulta c = balance;
    cambio(c);
    return c;
  };
  const Caso casos[] = {
      {"libro", cambiada([](Consulta& c) { c.libro = "2"; })},
      {"usuario", cambiada([](Consulta& c) { c.usuario = 4; })},
      {"sin alcance de usuario", cambiada([](Consulta& c) { c.alias = 0; })},
      {"empresa", cambiada([](Consulta& c) { c.empresa = 2; })},
      {"desde", cambiada([](Consulta& c) { c.desde = "2026-04-02"; })},
      {"hasta", cambiada([](Consulta& c) { c.hasta = "2026-06-29"; })},
      {"año", cambiada([](Consulta& c) { c.anio = 2025; })},
  };
  auto db = prueba::diarioGenerado();
  for (const Caso& c : casos) {
    EXPECT_FALSE(desacuerdos(*db, balance, c.consulta).empty()) << c.nombre;
  }
}

TEST(Mayor, SoloLasCuentasElegidasYLasDelPlanSinMovimientos) {
  auto db = prueba::diarioGenerado();
  db->executesql("insert into ctmcentros values ('10000199', 'Sin movimientos', 'A')");
  Mayor mayor(*db, consulta(1, "1", "2026-04-01", "2026-06-30"),
              Seleccion{{"2000001"}, {"100001"}});
  std::vector<std::string> cuentas;
  for (Cuenta c; mayor.siguienteCuenta(c);) {
    cuentas.push_back(c.centro);
    if (c.centro == "10000199") {
      EXPECT_EQ(c.n_centro, "Sin movimientos");
      EXPECT_EQ(mayor.totales().saldo, 0);
    }
  }
  std::vector<std::string> esperadas;
  for (int i = 0; i < 10; ++i) esperadas.push_back("100001" + std::to_string(i));
  esperadas.push_back("10000199");
  esperadas.push_back("2000001");
  EXPECT_EQ(cuentas, esperadas);
}

// A ledger line leads to its voucher, all of whose lines balance; the voucher is not shown to a
// query whose book, user or company the balance would not count it under.
TEST(Mayor, DeUnaLineaAlComprobanteEntero) {
  auto db = prueba::diarioGenerado();
  Consulta c = consulta(1, "2", "2026-04-01", "2026-06-30");
  Mayor mayor(*db, c, Seleccion{{}, {""}});
  std::optional<Comprobante> v;
  Movimiento linea;
  Cuenta cuenta;
  while (!v && mayor.siguienteCuenta(cuenta)) {
    while (mayor.siguienteMovimiento(linea)) {
      v = leerComprobante(*db, c, linea.claves);
      ASSERT_TRUE(v) << cuenta.centro;
      if (v->ifrs == "2") break;  // one of the chosen book's own, not a common one
      v.reset();
    }
  }
  ASSERT_TRUE(v);
  EXPECT_EQ(v->claves, linea.claves);
  EXPECT_TRUE(v->cuadra());
  EXPECT_GE(v->lineas.size(), 2u);
  bool esta = false;
  for (const auto& l : v->lineas) {
    esta = esta || (l.centro == cuenta.centro && l.debe == linea.debe && l.haber == linea.haber);
    EXPECT_FALSE(l.n_centro.empty()) << l.centro;
  }
  EXPECT_TRUE(esta);

  Consulta otroLibro = c, otroUsuario = c, otraEmpresa = c;
  otroLibro.libro = "1";
  otroUsuario.alias = 2;
  otroUsuario.usuario = static_cast<std::int16_t>(v->usuario % 5 + 1);
  otraEmpresa.empresa = 2;
  for (const Consulta* q : {&otroLibro, &otroUsuario, &otraEmpresa}) {
    EXPECT_FALSE(leerComprobante(*db, *q, linea.claves)) << q->libro << q->usuario << q->empresa;
  }
}

}  // namespace
}  // namespace suite::mayor
