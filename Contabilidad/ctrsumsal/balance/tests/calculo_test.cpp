#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "balance/calculo.h"
#include "datos/tests/base_prueba.h"
#include "host/error.h"

namespace prjsumsal {
namespace {

// A small journal whose balance is worked out by hand below. Period: March 2024; the year runs
// from the first of January 2024. Vouchers are (date, document, number, user, book mark) with
// their lines (account, debit, credit).
class CalculoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ = suite::prueba::baseVacia(suite::Papel::Contabilidad);
    for (const char* s : suite::prueba::tablasContabilidad()) db_->executesql(s);
    cuenta("1101", "Caja", "A");
    cuenta("1102", "Fondo fijo", "a");
    cuenta("2101", "Proveedores", "P");
    cuenta("3101", "Capital", "T");
    cuenta("4101", "Ventas", "R");
    cuenta("5101", "Gastos Bancarios", "G");
    // 9999 has journal lines but no chart entry.

    comprobante(1, "2024-01-10", "CI", 1, 7, "0", {{"1101", 1000, 0}, {"3101", 0, 1000}});
    comprobante(1, "2024-03-05", "CI", 2, 7, "1", {{"1101", 500, 0}, {"4101", 0, 500}});
    comprobante(1, "2024-03-20", "CE", 3, 8, "0", {{"5101", 200, 0}, {"1101", 0, 200}});
    comprobante(1, "2024-03-25", "CT", 4, 8, "2", {{"1101", 999, 0}, {"4101", 0, 999}});
    comprobante(1, "2023-12-30", "CI", 5, 7, "0", {{"1101", 7777, 0}, {"3101", 0, 7777}});
    comprobante(1, "2024-04-02", "CI", 6, 7, "0", {{"1101", 3333, 0}, {"4101", 0, 3333}});
    comprobante(1, "2024-02-14", "CT", 7, 7, "0", {{"2101", 300, 0}, {"1101", 0, 300}});
    comprobante(1, "2024-02-15", "CT", 8, 8, "0", {{"1101", 300, 0}, {"2101", 0, 300}});
    comprobante(1, "2024-03-10", "CT", 9, 7, "0", {{"9999", 40, 0}, {"1102", 0, 40}});
    comprobante(1, "2024-03-12", "CT", 10, 8, "", {{"5101", 10, 0}, {"1101", 0, 10}});
    // Another company with the same voucher keys, and a line without a voucher header.
    comprobante(2, "2024-03-05", "CI", 2, 7, "1", {{"1101", 123456, 0}, {"4101", 0, 123456}});
    linea(1, "2024-03-06", "CI", 99, "1101", 5555, 0);
  }

  struct Linea {
    const char* centro;
    double debe, haber;
  };

  void cuenta(const char* centro, const char* nombre, const char* grupo) {
    db_->executesql(std::string("insert into ctmcentros values('") + centro + "','" + nombre +
                    "','" + grupo + "')");
  }

  void linea(int empresa, const char* fecha, const char* doc, int num, const char* centro,
             double debe, double haber) {
    db_->executesql("insert into ctdcomprmm values(" + std::to_string(empresa) + ",1,'" + fecha +
                    "','" + doc + "'," + std::to_string(num) + ",'" + centro + "'," +
                    std::to_string(debe) + "," + std::to_string(haber) + ")");
  }

  void comprobante(int empresa, const char* fecha, const char* doc, int num, int usuario,
                   const char* libro, std::vector<Linea> lineas) {
    db_->executesql("insert into ctccomprmm values(" + std::to_string(empresa) + ",1,'" + fecha +
                    "','" + doc + "'," + std::to_string(num) + "," + std::to_string(usuario) +
                    ",'" + libro + "')");
    for (const auto& l : lineas) linea(empresa, fecha, doc, num, l.centro, l.debe, l.haber);
  }

  static Consulta marzo(const char* libro = "1", std::int16_t alias = 0) {
    return {1, 7, alias, "2024-03-01", "2024-03-31", 2024, libro};
  }

  std::vector<FilaBalance> filas(const Consulta& c, Uso uso = Uso::Exportacion) {
    Calculo calculo(*db_, c, uso);
    std::vector<FilaBalance> r;
    FilaBalance f;
    while (calculo.siguiente(f)) r.push_back(f);
    return r;
  }

  std::unique_ptr<BaseDatos> db_;
};

// centro, n_centro, g_cuenta, then the eight columns.
using Esperada = FilaBalance;

void comparar(const std::vector<FilaBalance>& obtenidas, const std::vector<Esperada>& esperadas) {
  ASSERT_EQ(obtenidas.size(), esperadas.size());
  for (std::size_t i = 0; i < esperadas.size(); ++i) {
    const auto& o = obtenidas[i];
    const auto& e = esperadas[i];
    SCOPED_TRACE("cuenta " + e.centro);
    EXPECT_EQ(o.centro, e.centro);
    EXPECT_EQ(o.n_centro, e.n_centro);
    EXPECT_EQ(o.g_cuenta, e.g_cuenta);
    EXPECT_EQ(o.debe, e.debe);
    EXPECT_EQ(o.haber, e.haber);
    EXPECT_EQ(o.debe_act, e.debe_act);
    EXPECT_EQ(o.haber_act, e.haber_act);
    EXPECT_EQ(o.varDebe5, e.varDebe5);
    EXPECT_EQ(o.varHaber6, e.varHaber6);
    EXPECT_EQ(o.varDebe7, e.varDebe7);
    EXPECT_EQ(o.varHaber8, e.varHaber8);
  }
}

TEST_F(CalculoTest, LibroTributarioTodosLosUsuarios) {
  comparar(filas(marzo()),
           {
               {"1101", "Caja", "A", 500, 200, 1300, 0, 1300, 0, 0, 0},
               {"1102", "Fondo fijo", "a", 0, 40, 0, 40, 0, 0, 0, 40},
               {"2101", "Proveedores", "P", 0, 0, 0, 0, 0, 0, 0, 0},    // debits equal credits
               {"3101", "Capital", "T", 0, 0, 0, 1000, 0, 1000, 0, 0},  // no line in the period
               {"4101", "Ventas", "R", 0, 500, 0, 500, 0, 0, 0, 500},
               {"5101", "Gastos Bancarios", "G", 200, 0, 200, 0, 0, 0, 200, 0},
               {"9999", "", "", 40, 0, 40, 0, 0, 0, 40, 0},  // missing from the chart
           });
}

TEST_F(CalculoTest, LibroIfrsDejaFueraLosComprobantesTributarios) {
  comparar(filas(marzo("2")), {
                                  {"1101", "Caja", "A", 999, 200, 1799, 0, 1799, 0, 0, 0},
                                  {"1102", "Fondo fijo", "a", 0, 40, 0, 40, 0, 0, 0, 40},
                                  {"2101", "Proveedores", "P", 0, 0, 0, 0, 0, 0, 0, 0},
                                  {"3101", "Capital", "T", 0, 0, 0, 1000, 0, 1000, 0, 0},
                                  {"4101", "Ventas", "R", 0, 999, 0, 999, 0, 0, 0, 999},
                                  {"5101", "Gastos Bancarios", "G", 200, 0, 200, 0, 0, 0, 200, 0},
                                  {"9999", "", "", 40, 0, 40, 0, 0, 0, 40, 0},
                              });
}

TEST_F(CalculoTest, LibroVacioSoloCuentaLosComprobantesDeAmbos) {
  comparar(filas(marzo("")), {
                                 {"1101", "Caja", "A", 0, 210, 790, 0, 790, 0, 0, 0},
                                 {"1102", "Fondo fijo", "a", 0, 40, 0, 40, 0, 0, 0, 40},
                                 {"2101", "Proveedores", "P", 0, 0, 0, 0, 0, 0, 0, 0},
                                 {"3101", "Capital", "T", 0, 0, 0, 1000, 0, 1000, 0, 0},
                                 {"5101", "Gastos Bancarios", "G", 210, 0, 210, 0, 0, 0, 210, 0},
                                 {"9999", "", "", 40, 0, 40, 0, 0, 0, 40, 0},
                             });
}

TEST_F(CalculoTest, Alias2SoloLosComprobantesDelUsuario) {
  comparar(filas(marzo("1", 2)), {
                                     {"1101", "Caja", "A", 500, 0, 1200, 0, 1200, 0, 0, 0},
                                     {"1102", "Fondo fijo", "a", 0, 40, 0, 40, 0, 0, 0, 40},
                                     {"2101", "Proveedores", "P", 0, 0, 300, 0, 300, 0, 0, 0},
                                     {"3101", "Capital", "T", 0, 0, 0, 1000, 0, 1000, 0, 0},
                                     {"4101", "Ventas", "R", 0, 500, 0, 500, 0, 0, 0, 500},
                                     {"9999", "", "", 40, 0, 40, 0, 0, 0, 40, 0},
                                 });
}

TEST_F(CalculoTest, InicioEnUnAnioAnteriorSoloCuentaElAnioDelFinal) {
  Consulta c = marzo();
  c.desde = "2023-12-01";
  auto r = filas(c);
  ASSERT_EQ(r.size(), 7u);
  EXPECT_EQ(r[0].centro, "1101");
  EXPECT_EQ(r[0].debe, 1800);  // 1000 + 500 + 300, not the 7777 of December 2023
  EXPECT_EQ(r[0].haber, 500);
  EXPECT_EQ(r[3].centro, "3101");
  EXPECT_EQ(r[3].haber, 1000);
}

TEST_F(CalculoTest, SinMovimientosEnElAnioNoHayFilas) {
  Consulta c{1, 7, 0, "2025-01-01", "2025-06-30", 2025, "1"};
  EXPECT_TRUE(filas(c).empty());
}

TEST_F(CalculoTest, ElInformeRecibeLasMismasCuentas) {
  auto informe = filas(marzo(), Uso::Informe);
  std::sort(informe.begin(), informe.end(),
            [](const FilaBalance& a, const FilaBalance& b) { return a.centro < b.centro; });
  auto exportacion = filas(marzo());
  ASSERT_EQ(informe.size(), exportacion.size());
  for (std::size_t i = 0; i < informe.size(); ++i) {
    EXPECT_EQ(informe[i].centro, exportacion[i].centro);
    EXPECT_EQ(informe[i].debe_act, exportacion[i].debe_act);
    EXPECT_EQ(informe[i].haber_act, exportacion[i].haber_act);
  }
}

TEST_F(CalculoTest, CodigosDeTextoEnOrdenDeTexto) {
  cuenta("21", "Corto", "P");
  comprobante(1, "2024-03-15", "CT", 11, 7, "0", {{"21", 5, 0}, {"1101", 0, 5}});
  auto r = filas(marzo());
  ASSERT_GE(r.size(), 4u);
  EXPECT_EQ(r[2].centro, "21");  // text order: a prefix comes first
  EXPECT_EQ(r[3].centro, "2101");
}

TEST_F(CalculoTest, NombreYGrupoNulosQuedanVacios) {
  db_->executesql("update ctmcentros set n_centro=null, g_cuenta=null where centro='4101'");
  auto r = filas(marzo());
  ASSERT_EQ(r[4].centro, "4101");
  EXPECT_EQ(r[4].n_centro, "");
  EXPECT_EQ(r[4].varHaber8, 500);  // a null group is a results account
}

std::string errorDeCalculo(BaseDatos& db, const Consulta& c) {
  try {
    Calculo calculo(db, c, Uso::Exportacion);
    FilaBalance f;
    while (calculo.siguiente(f)) {
    }
  } catch (const std::exception& e) {
    return e.what();
  }
  return "";
}

TEST_F(CalculoTest, SumasNulasYCodigoNuloTerminanConUnErrorClaro) {
  comprobante(1, "2024-03-15", "CT", 12, 7, "0", {{"7777", 0, 0}});
  db_->executesql(
      "update ctdcomprmm set debe_nacional=null, haber_nacional=null where centro='7777'");
  std::string e = errorDeCalculo(*db_, marzo());
  EXPECT_NE(e.find("Uso no válido de Null"), std::string::npos) << e;
  EXPECT_NE(e.find("7777"), std::string::npos) << e;

  db_->executesql("update ctdcomprmm set centro=null where centro='7777'");
  e = errorDeCalculo(*db_, marzo());
  EXPECT_NE(e.find("Uso no válido de Null"), std::string::npos) << e;
  EXPECT_NE(e.find("centro"), std::string::npos) << e;
}

TEST_F(CalculoTest, UnaTablaQueFaltaDaElMensajeDelMotor) {
  db_->executesql("drop table ctmcentros");
  EXPECT_NE(errorDeCalculo(*db_, marzo()).find("ctmcentros"), std::string::npos);
}

}  // namespace
}  // namespace prjsumsal
