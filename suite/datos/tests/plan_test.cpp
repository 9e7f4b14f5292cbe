#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "balance/consulta.h"
#include "datos/base_sqlite.h"

namespace suite {
namespace {

using prjsumsal::Consulta;
using prjsumsal::Uso;

// A small journal with the host's ordinary indexes and no planner statistics. Each voucher tests
// one condition of the grouped statements; the sums expected are worked out by hand below.
class Plan : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ = BaseSqlite::enMemoria(Papel::Contabilidad);
    for (const char* s : {
             "create table ctdcomprmm(empresa INTEGER, subsistema INTEGER, f_comp TEXT, documento "
             "TEXT, num_docum INTEGER, centro TEXT, debe_nacional REAL, haber_nacional REAL)",
             "create table ctccomprmm(empresa INTEGER, subsistema INTEGER, f_comp TEXT, documento "
             "TEXT, num_docum INTEGER, usuario INTEGER, ifrs TEXT)",
             "create index ctdcomprmm_fecha on ctdcomprmm(empresa, f_comp)",
             "create index ctccomprmm_clave on ctccomprmm(empresa, subsistema, f_comp, documento, "
             "num_docum)",
         }) {
      db_->executesql(s);
    }
    comprobante(3, 1, "2024-03-05", 1, 7, "0", {{"1101", 100, 0}, {"2101", 0, 100}});
    comprobante(3, 1, "2024-02-10", 2, 7, "1", {{"1101", 50, 0}, {"3101", 0, 50}});
    comprobante(3, 2, "2024-03-05", 1, 8, "2", {{"1101", 1000, 0}, {"2101", 0, 1000}});
    comprobante(3, 1, "2023-12-31", 3, 7, "0", {{"1101", 7, 0}, {"2101", 0, 7}});  // last year
    comprobante(1, 1, "2024-03-05", 1, 7, "0", {{"1101", 9999, 0}});  // another company
    comprobante(3, 1, "2024-03-07", 1, 7, "0", {{"4101", 0, 3}});     // same number, other day
    // A line whose voucher header is missing counts nowhere.
    db_->executesql("insert into ctdcomprmm values (3, 1, '2024-03-06', 'CT', 1, '1101', 5, 0)");
  }

  struct Linea {
    const char* centro;
    double debe, haber;
  };
  void comprobante(int empresa, int subsistema, const char* fecha, int numero, int usuario,
                   const char* ifrs, std::initializer_list<Linea> lineas) {
    std::string clave = std::to_string(empresa) + ", " + std::to_string(subsistema) + ", '" +
                        fecha + "', 'CT', " + std::to_string(numero);
    db_->executesql("insert into ctccomprmm values (" + clave + ", " + std::to_string(usuario) +
                    ", '" + ifrs + "')");
    for (const auto& l : lineas) {
      db_->executesql("insert into ctdcomprmm values (" + clave + ", '" + l.centro + "', " +
                      std::to_string(l.debe) + ", " + std::to_string(l.haber) + ")");
    }
  }

  using Sumas = std::map<std::string, std::pair<double, double>>;
  Sumas sumas(const std::string& sentencia) {
    Sumas r;
    for (auto rs = db_->newrecord(sentencia, 4); !rs->eof(); rs->MoveNext()) {
      r[rs->fields("centro").Value.texto()] = {rs->fields("debe").Value.numero(),
                                               rs->fields("haber").Value.numero()};
    }
    return r;
  }

  // The plan's lines, from EXPLAIN QUERY PLAN of the statement as the host sends it.
  std::vector<std::string> plan(const std::string& sentencia) {
    std::vector<std::string> r;
    for (auto rs = db_->newrecord("EXPLAIN QUERY PLAN " + sentencia); !rs->eof(); rs->MoveNext()) {
      r.push_back(rs->fields("detail").Value.texto());
    }
    return r;
  }

  static Consulta marzo(std::int16_t alias, std::int16_t usuario, const char* libro) {
    return Consulta{3, usuario, alias, "2024-03-01", "2024-03-31", 2024, libro};
  }

  std::unique_ptr<BaseSqlite> db_;
};

TEST_F(Plan, SumasDeLosDosEstados) {
  EXPECT_EQ(sumas(prjsumsal::sentenciaPeriodo(marzo(0, 7, "1"))),
            (Sumas{{"1101", {100, 0}}, {"2101", {0, 100}}, {"4101", {0, 3}}}));
  for (Uso uso : {Uso::Informe, Uso::Exportacion}) {
    EXPECT_EQ(sumas(prjsumsal::sentenciaAcumulado(marzo(0, 7, "1"), uso)),
              (Sumas{{"1101", {150, 0}}, {"2101", {0, 100}}, {"3101", {0, 50}}, {"4101", {0, 3}}}));
  }
  EXPECT_EQ(sumas(prjsumsal::sentenciaPeriodo(marzo(0, 7, "2"))),
            (Sumas{{"1101", {1100, 0}}, {"2101", {0, 1100}}, {"4101", {0, 3}}}));
  EXPECT_EQ(sumas(prjsumsal::sentenciaPeriodo(marzo(2, 8, "2"))),
            (Sumas{{"1101", {1000, 0}}, {"2101", {0, 1000}}}));
  EXPECT_TRUE(sumas(prjsumsal::sentenciaPeriodo(marzo(2, 8, "1"))).empty());
}

TEST_F(Plan, ElDiarioGuiaYLaCabeceraSeBuscaPorSuClave) {
  for (const auto& sentencia :
       {prjsumsal::sentenciaPeriodo(marzo(0, 7, "1")),
        prjsumsal::sentenciaAcumulado(marzo(0, 7, "1"), Uso::Informe),
        prjsumsal::sentenciaAcumulado(marzo(2, 7, "2"), Uso::Exportacion)}) {
    auto lineas = plan(sentencia);
    std::string todo;
    for (const auto& l : lineas) todo += l + "\n";
    ASSERT_GE(lineas.size(), 2u) << todo;
    EXPECT_EQ(lineas[0].rfind("SEARCH a USING INDEX ctdcomprmm_fecha (empresa=? AND f_comp>?", 0),
              0u)
        << todo;
    EXPECT_EQ(lineas[1],
              "SEARCH b USING INDEX ctccomprmm_clave (empresa=? AND subsistema=? AND f_comp=? AND "
              "documento=? AND num_docum=?)")
        << todo;
  }
}

}  // namespace
}  // namespace suite
