#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <vector>

#include "balance/calculo.h"
#include "datos/tests/base_prueba.h"
#include "diario_prueba.h"
#include "host/error.h"

namespace prjsumsal {
namespace {

// A small journal whose balance is worked out by hand below. Period: March 2024; the year runs
// from the first of January 2024. Vouchers are (date, document, number, user, book mark) with
// their lines (account, debit, credit). The journal keeps its amounts as NUMERIC, as a journal in
// whole pesos does: the database returns whole-number sums, which the split subtracts exactly.
class CalculoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ = suite::prueba::baseVacia(suite::datos::Papel::Contabilidad);
    for (const char* s : suite::prueba::tablasContabilidad()) db_->executesql(s);
    if (!suite::prueba::enPostgres()) {  // on the server the amounts are numeric already
      db_->executesql("drop table ctdcomprmm");
      db_->executesql(
          "create table ctdcomprmm(empresa INTEGER, subsistema INTEGER, f_comp TEXT, documento "
          "TEXT, num_docum INTEGER, centro TEXT, debe_nacional NUMERIC, haber_nacional NUMERIC)");
    }
    for (auto [centro, nombre, grupo] : {std::array<const char*, 3>{"1101", "'Caja'", "A"},
                                         {"1102", "'Fondo fijo'", "a"},
                                         {"2101", "'Proveedores'", "P"},
                                         {"3101", "'Capital'", "T"},
                                         {"4101", "'Ventas'", "R"},
                                         {"5101", "'Gastos Bancarios'", "G"}}) {
      prueba::cuenta(*db_, centro, nombre, grupo);
    }
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
    // Another company with the same voucher keys, and a line whose voucher header is missing: it
    // has the keys of voucher CI 2 but another day.
    comprobante(2, "2024-03-05", "CI", 2, 7, "1", {{"1101", 123456, 0}, {"4101", 0, 123456}});
    prueba::linea(*db_, 1, "2024-03-06", "CI", 2, {"1101", 5555, 0});
  }

  void comprobante(int empresa, const char* fecha, const char* doc, int num, int usuario,
                   const char* libro, std::initializer_list<prueba::Linea> lineas) {
    prueba::comprobante(*db_, empresa, fecha, doc, num, usuario, libro, lineas);
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

// A row as "centro|n_centro|g_cuenta" and its eight columns.
std::string texto(const FilaBalance& f) {
  std::ostringstream s;
  s << f.centro << '|' << f.n_centro << '|' << f.g_cuenta;
  for (double v : {f.debe, f.haber, f.debe_act, f.haber_act, f.varDebe5, f.varHaber6, f.varDebe7,
                   f.varHaber8}) {
    s << '|' << v;
  }
  return s.str();
}

std::vector<std::string> textos(const std::vector<FilaBalance>& filas) {
  std::vector<std::string> r;
  for (const auto& f : filas) r.push_back(texto(f));
  return r;
}

TEST_F(CalculoTest, LibroYAlcanceDelUsuarioEligenLosComprobantes) {
  struct Caso {
    const char* libro;
    std::int16_t alias;
    std::vector<std::string> filas;
  };
  const Caso casos[] = {
      {"1",
       0,
       {"1101|Caja|A|500|200|1300|0|1300|0|0|0", "1102|Fondo fijo|a|0|40|0|40|0|0|0|40",
        "2101|Proveedores|P|0|0|0|0|0|0|0|0",    // debits equal credits
        "3101|Capital|T|0|0|0|1000|0|1000|0|0",  // no line in the period
        "4101|Ventas|R|0|500|0|500|0|0|0|500", "5101|Gastos Bancarios|G|200|0|200|0|0|0|200|0",
        "9999|||40|0|40|0|0|0|40|0"}},  // missing from the chart
      // The IFRS book leaves out the tax book's vouchers.
      {"2",
       0,
       {"1101|Caja|A|999|200|1799|0|1799|0|0|0", "1102|Fondo fijo|a|0|40|0|40|0|0|0|40",
        "2101|Proveedores|P|0|0|0|0|0|0|0|0", "3101|Capital|T|0|0|0|1000|0|1000|0|0",
        "4101|Ventas|R|0|999|0|999|0|0|0|999", "5101|Gastos Bancarios|G|200|0|200|0|0|0|200|0",
        "9999|||40|0|40|0|0|0|40|0"}},
      // An empty book counts only the vouchers of both.
      {"",
       0,
       {"1101|Caja|A|0|210|790|0|790|0|0|0", "1102|Fondo fijo|a|0|40|0|40|0|0|0|40",
        "2101|Proveedores|P|0|0|0|0|0|0|0|0", "3101|Capital|T|0|0|0|1000|0|1000|0|0",
        "5101|Gastos Bancarios|G|210|0|210|0|0|0|210|0", "9999|||40|0|40|0|0|0|40|0"}},
      // Alias 2: only the user's vouchers.
      {"1",
       2,
       {"1101|Caja|A|500|0|1200|0|1200|0|0|0", "1102|Fondo fijo|a|0|40|0|40|0|0|0|40",
        "2101|Proveedores|P|0|0|300|0|300|0|0|0", "3101|Capital|T|0|0|0|1000|0|1000|0|0",
        "4101|Ventas|R|0|500|0|500|0|0|0|500", "9999|||40|0|40|0|0|0|40|0"}},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(textos(filas(marzo(c.libro, c.alias))), c.filas)
        << "libro '" << c.libro << "' alias " << c.alias;
  }
}

// A whole-number difference is exact where the same sums as doubles would lose a peso.
TEST_F(CalculoTest, SumasEnterasGrandesSeRestanExactas) {
  comprobante(1, "2024-03-15", "CT", 11, 7, "0", {});
  db_->executesql(
      "insert into ctdcomprmm values(1,1,'2024-03-15','CT',11,'99999',9007199254740993,2)");
  auto r = filas(marzo());
  ASSERT_EQ(r.back().centro, "99999");
  EXPECT_EQ(r.back().debe_act, 9007199254740991.0);
  EXPECT_EQ(r.back().haber_act, 0);
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

}  // namespace
}  // namespace prjsumsal
