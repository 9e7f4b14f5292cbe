#include "demo/demo.h"

#include <gtest/gtest.h>

#include <set>

#include "ayuda_pruebas.h"
#include "demo/movimientos_demo.h"

namespace suite::anfitrion {
namespace {

namespace fs = std::filesystem;
using demo::ArchivosDemo;
using demo::prepararDemo;
using prueba::Carpeta;
using prueba::consultar;

const prjsumsal::Fecha kHoy{2026, 12, 6};

// The check digit of a RUT body, modulo 11 with weights 2 to 7 from the right.
char digitoVerificador(const std::string& cuerpo) {
  int suma = 0, peso = 2;
  for (auto c = cuerpo.rbegin(); c != cuerpo.rend(); ++c) {
    if (*c == '.') continue;
    suma += (*c - '0') * peso;
    peso = peso == 7 ? 2 : peso + 1;
  }
  int v = 11 - suma % 11;
  return v == 11 ? '0' : v == 10 ? 'K' : char('0' + v);
}

bool rutValido(const std::string& rut) {
  auto guion = rut.find('-');
  return guion != std::string::npos && guion + 2 == rut.size() &&
         digitoVerificador(rut.substr(0, guion)) == rut.back();
}

class Demo : public ::testing::Test {
 protected:
  void SetUp() override { archivos_ = prepararDemo(carpeta_.ruta() / "demo", kHoy); }
  std::string uno(const std::string& sql) { return consultar(archivos_.contabilidad, sql).at(0); }

  Carpeta carpeta_;
  ArchivosDemo archivos_;
};

TEST_F(Demo, SeCreaUnaVezYSeReutiliza) {
  prueba::crearBase(archivos_.contabilidad, "insert into contador values('marca', '', '')");
  prueba::crearBase(archivos_.informes, "insert into programa values('marca')");
  auto segunda = prepararDemo(carpeta_.ruta() / "demo", {2027, 6, 30});
  EXPECT_EQ(segunda.contabilidad, archivos_.contabilidad);
  EXPECT_EQ(consultar(segunda.contabilidad, "select count(*) from contador where nombre='marca'"),
            std::vector<std::string>{"1"});
  EXPECT_EQ(consultar(segunda.informes, "select count(*) from programa"),
            std::vector<std::string>{"1"});
  // Only what is missing is made again, and no temporary file stays behind.
  fs::remove(archivos_.informes);
  prepararDemo(carpeta_.ruta() / "demo", kHoy);
  EXPECT_EQ(consultar(archivos_.informes, "select count(*) from programa"),
            std::vector<std::string>{"0"});
  EXPECT_EQ(uno("select count(*) from contador where nombre='marca'"), "1");
  std::set<std::string> nombres;
  for (const auto& e : fs::directory_iterator(carpeta_.ruta() / "demo")) {
    nombres.insert(e.path().filename().string());
  }
  EXPECT_EQ(nombres, (std::set<std::string>{"contabilidad.db", "informes.db"}));
}

TEST_F(Demo, CarpetaQueNoSePuedeCrear) {
  prueba::crearBase(carpeta_.ruta() / "archivo", "");
  EXPECT_THROW(prepararDemo(carpeta_.ruta() / "archivo", kHoy), plataforma::ErrorUso);
  EXPECT_THROW(prepararDemo(carpeta_.ruta() / "archivo" / "sub", kHoy), plataforma::ErrorUso);
}

TEST_F(Demo, ComprobantesCuadrados) {
  EXPECT_GT(std::stoi(uno("select count(*) from ctccomprmm")), 500);
  // Each voucher's debits equal its credits.
  EXPECT_EQ(uno("select count(*) from (select sum(debe_nacional) - sum(haber_nacional) d"
                " from ctdcomprmm group by empresa, subsistema, f_comp, documento, num_docum"
                " having d <> 0)"),
            "0");
  // Every line belongs to exactly one header and every header has lines.
  EXPECT_EQ(uno("select count(*) from (select count(*) n from ctccomprmm"
                " group by empresa, subsistema, f_comp, documento, num_docum having n > 1)"),
            "0");
  const char* claves =
      " a.empresa = b.empresa and a.subsistema = b.subsistema and a.f_comp = b.f_comp"
      " and a.documento = b.documento and a.num_docum = b.num_docum";
  EXPECT_EQ(uno(std::string("select count(*) from ctdcomprmm a where not exists"
                            " (select 1 from ctccomprmm b where") +
                claves + ")"),
            "0");
  EXPECT_EQ(uno(std::string("select count(*) from ctccomprmm b where not exists"
                            " (select 1 from ctdcomprmm a where") +
                claves + ")"),
            "0");
  // Whole, positive pesos on one side of each line, in accounts of the chart.
  EXPECT_EQ(uno("select count(*) from ctdcomprmm where debe_nacional <> round(debe_nacional)"
                " or haber_nacional <> round(haber_nacional) or debe_nacional < 0"
                " or haber_nacional < 0 or (debe_nacional > 0) = (haber_nacional > 0)"),
            "0");
  EXPECT_EQ(uno("select count(*) from ctdcomprmm where centro not in"
                " (select centro from ctmcentros)"),
            "0");
}

TEST_F(Demo, FechasLibrosYUsuarios) {
  // A year and a half up to today, seventeen months before this one.
  EXPECT_EQ(uno("select min(f_comp) from ctccomprmm"), "2025-07-01");
  EXPECT_EQ(uno("select max(f_comp) between '2026-12-01' and '2026-12-06' from ctccomprmm"), "1");
  EXPECT_EQ(consultar(archivos_.contabilidad, "select distinct ifrs from ctccomprmm order by 1"),
            (std::vector<std::string>{"0", "1", "2"}));
  EXPECT_EQ(consultar(archivos_.contabilidad, "select distinct usuario from ctccomprmm order by 1"),
            (std::vector<std::string>{"1", "2"}));
}

// The openings of 2026 carry, book by book, what the vouchers of 2025 left in the inventory
// accounts, with 2025's result in retained earnings (310301).
TEST_F(Demo, AperturaConLosSaldosDelAnioAnterior) {
  for (const char* libro : {"'0','1'", "'0','2'"}) {
    SCOPED_TRACE(libro);
    std::string desde = std::string(
                            "select a.centro || ':' || cast(sum(a.debe_nacional - a.haber_nacional)"
                            " as integer) from ctdcomprmm a join ctccomprmm b using (empresa,"
                            " subsistema, f_comp, documento, num_docum) where b.ifrs in (") +
                        libro + ")";
    auto cierre = consultar(
        archivos_.contabilidad,
        "select centro || ':' || cast(sum(s) as integer) from (select case when c.g_cuenta in"
        " ('G', 'I') then '310301' else a.centro end centro, a.debe_nacional - a.haber_nacional s"
        " from ctdcomprmm a join ctccomprmm b using (empresa, subsistema, f_comp, documento,"
        " num_docum) join ctmcentros c on c.centro = a.centro where a.f_comp like '2025-%'"
        " and b.ifrs in (" +
            std::string(libro) +
            ")) group by centro having sum(s) <> 0"
            " order by centro");
    auto apertura =
        consultar(archivos_.contabilidad, desde +
                                              " and a.f_comp = '2026-01-01' and a.documento = 'A'"
                                              " group by a.centro having sum(a.debe_nacional -"
                                              " a.haber_nacional) <> 0 order by a.centro");
    EXPECT_GT(apertura.size(), 10u);
    EXPECT_EQ(apertura, cierre);
  }
}

TEST_F(Demo, PlanEmpresaYContador) {
  EXPECT_EQ(
      consultar(archivos_.contabilidad, "select distinct g_cuenta from ctmcentros order by 1"),
      (std::vector<std::string>{"A", "G", "I", "P", "T"}));
  EXPECT_EQ(uno("select count(*) from admempresa"), "1");
  EXPECT_TRUE(rutValido(uno("select ruc from admempresa")));
  EXPECT_TRUE(rutValido(uno("select provincia from admempresa")));  // legal representative
  EXPECT_EQ(uno("select count(*) from contador"), "1");
  EXPECT_TRUE(rutValido(uno("select rut from contador")));
}

TEST(DemoRepetible, MismoDiaMismosDatos) {
  Carpeta a, b;
  auto da = prepararDemo(a.ruta(), kHoy), db = prepararDemo(b.ruta(), kHoy);
  const char* todo =
      "select group_concat(f_comp || documento || num_docum || centro || debe_nacional ||"
      " haber_nacional, ';') from (select * from ctdcomprmm order by rowid)";
  EXPECT_EQ(consultar(da.contabilidad, todo), consultar(db.contabilidad, todo));
}

// Whatever today is, this year has vouchers, none is dated after today or before the first of
// the month seventeen months back, and each balances.
TEST(DemoComprobantes, CualquierDia) {
  struct Caso {
    prjsumsal::Fecha hoy, inicio;
  };
  const Caso casos[] = {{{2026, 1, 1}, {2024, 8, 1}},
                        {{2024, 2, 29}, {2022, 9, 1}},
                        {{2027, 7, 31}, {2026, 2, 1}},
                        {{2026, 6, 1}, {2025, 1, 1}}};
  for (const auto& c : casos) {
    SCOPED_TRACE(c.hoy.texto());
    auto lista = demo::comprobantes(c.hoy);
    int esteAnio = 0;
    for (const auto& comp : lista) {
      ASSERT_LE(comp.fecha, c.hoy);
      ASSERT_GE(comp.fecha, c.inicio);
      if (comp.fecha.anio == c.hoy.anio) ++esteAnio;
      std::int64_t debe = 0, haber = 0;
      for (const auto& l : comp.lineas) {
        debe += l.debe;
        haber += l.haber;
      }
      ASSERT_EQ(debe, haber) << comp.fecha.texto() << " " << comp.documento << comp.num_docum;
    }
    EXPECT_GT(esteAnio, 0);
  }
}

}  // namespace
}  // namespace suite::anfitrion
