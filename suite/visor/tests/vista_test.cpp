#include <gtest/gtest.h>

#include <map>

#include "base_visor.h"
#include "visor/ventana_visor.h"
#include "visor/vista.h"

namespace suite::visor {
namespace {

Criterio criterio(bool ocultarCeros, bool subtotales = true, int columna = 0,
                  bool ascendente = true, const char* buscar = "") {
  Criterio c;
  c.buscar = QString::fromUtf8(buscar);
  c.ocultarCeros = ocultarCeros;
  c.subtotales = subtotales;
  c.columna = columna;
  c.ascendente = ascendente;
  return c;
}

struct Balance : ::testing::Test {
  std::shared_ptr<prjsumsal::BaseDatos> db = prueba::baseDePrueba();
  BalanceVisor b = cargarBalance(*db, prueba::consultaDePrueba(), false, kNiveles);
  Vista v{b, kNiveles};

  std::vector<std::string> codigos() const {
    std::vector<std::string> r;
    for (const Fila& f : v.filas()) r.push_back((f.subtotal ? "T" : "") + v.codigo(f));
    return r;
  }
  const CuentaVisor& cuenta(const std::string& codigo) const {
    for (const auto& c : b.cuentas)
      if (c.codigo == codigo) return c;
    throw std::runtime_error("sin cuenta " + codigo);
  }
};

// Every subtotal equals, column by column, the sum of the accounts shown under its prefix, and
// comes right after the last of them; with zero balances hidden too.
TEST_F(Balance, CadaSubtotalSumaLasCuentasMostradasDeSuPrefijo) {
  for (bool ocultar : {false, true}) {
    v.aplicar(criterio(ocultar));
    std::map<std::string, Subtotal> esperado;
    for (const Fila& f : v.filas()) {
      if (f.subtotal) continue;
      for (int n : kNiveles) {
        auto& s = esperado[v.codigo(f).substr(0, static_cast<std::size_t>(n))];
        for (int m = 0; m < kMontos; ++m) s.montos[m] += v.montos(f)[m];
        ++s.cuentas;
      }
    }
    std::size_t vistos = 0;
    for (std::size_t i = 0; i < v.filas().size(); ++i) {
      const Fila& f = v.filas()[i];
      if (!f.subtotal) continue;
      ++vistos;
      EXPECT_EQ(v.montos(f), esperado.at(v.codigo(f)).montos)
          << v.codigo(f) << " ocultar " << ocultar;
      if (i + 1 < v.filas().size() && !v.filas()[i + 1].subtotal) {
        EXPECT_FALSE(v.codigo(v.filas()[i + 1]).starts_with(v.codigo(f))) << v.codigo(f);
      }
    }
    // Shown: every group of more than one account whose accounts are not all in a deeper one.
    std::size_t deberian = 0;
    for (const auto& [p, s] : esperado) {
      bool repite = std::any_of(esperado.begin(), esperado.end(), [&](const auto& e) {
        return e.first.size() > p.size() && e.first.starts_with(p) && e.second.cuentas == s.cuentas;
      });
      deberian += s.cuentas > 1 && !repite;
    }
    EXPECT_EQ(vistos, deberian);
  }
  v.aplicar({});
  EXPECT_EQ(v.montos(v.filas()[3])[0], 1800.0);  // 1101: 1000 + 500 + 300
  EXPECT_EQ(v.nombre(v.filas()[3]), "Total DISPONIBLE");
  v.aplicar(criterio(true));
  EXPECT_EQ(v.montos(v.filas()[2])[0], 1500.0);  // without the zero balance of 110103
}

TEST_F(Balance, SubtotalesEnOrdenDeCodigosConElTituloDelPlan) {
  v.aplicar({});
  auto c = codigos();
  std::vector<std::string> inicio{"110101", "110102", "110103", "T1101", "110201", "T11", "120201"};
  EXPECT_EQ(std::vector(c.begin(), c.begin() + 7), inicio);
  // No subtotal repeats a row: 12 adds what 1202 does, 2 and 4 hold one account each.
  std::vector<std::string> fin{"120240", "T1202", "T1", "210101", "410101"};
  EXPECT_EQ(std::vector(c.end() - 5, c.end()), fin);
  EXPECT_EQ(v.nombre(v.filas()[5]), "Total ACTIVO CIRCULANTE");
  EXPECT_EQ(v.nombre(v.filas()[c.size() - 4]), "Total nivel 3");  // no title 1202 in the chart
}

TEST_F(Balance, BuscaEnCodigoYNombreSinMayusculasNiAcentos) {
  struct Caso {
    const char* buscar;
    std::vector<std::string> codigos;
  } casos[] = {{"caja", {"110101"}},
               {"DEPOSITO", {"110102"}},
               {"2101", {"210101"}},
               {"activo fijo 4", {"120204", "120240"}},
               {"nada así", {}}};
  for (const auto& caso : casos) {
    v.aplicar(criterio(false, false, 0, true, caso.buscar));
    EXPECT_EQ(codigos(), caso.codigos) << caso.buscar;
  }
}

TEST_F(Balance, OcultaSaldosCeroYOrdenaPorCualquierColumna) {
  v.aplicar(criterio(true, false));
  auto c = codigos();
  EXPECT_EQ(std::count(c.begin(), c.end(), "110103"), 0);
  EXPECT_EQ(c.size(), b.cuentas.size() - 1);
  // By Debitos, largest first: no subtotals, Caja's 1000 ahead of the rest.
  v.aplicar(criterio(false, true, 2, false));
  c = codigos();
  EXPECT_EQ(c.front(), "110101");
  EXPECT_EQ(std::count_if(c.begin(), c.end(), [](auto& s) { return s[0] == 'T'; }), 0);
  for (std::size_t i = 1; i < v.filas().size(); ++i)
    EXPECT_GE(v.montos(v.filas()[i - 1])[0], v.montos(v.filas()[i])[0]);
}

// The book and the year: each book with the common vouchers, last year's only in the comparison.
TEST_F(Balance, LibroYAnioAnterior) {
  EXPECT_EQ(cuenta("110101").montos[0], 1000.0);
  auto c = prueba::consultaDePrueba();
  c.libro = "2";
  b = cargarBalance(*db, c, false, kNiveles);
  EXPECT_EQ(cuenta("110101").montos[0], 7777.0);  // book 2 and common vouchers, not book 1
  EXPECT_EQ(cuenta("110102").montos[0], 500.0);
  b = cargarBalance(*db, prueba::consultaDePrueba(), true, kNiveles);
  EXPECT_EQ(cuenta("110101").montos[8], 1000.0);
  EXPECT_EQ(cuenta("110101").montos[9], 200.0);
  EXPECT_EQ(cuenta("110101").montos[10], 800.0);
  EXPECT_EQ(cuenta("210101").montos[9], -200.0);
  EXPECT_EQ(b.resultadoActual, 1250.0);
}

}  // namespace
}  // namespace suite::visor
