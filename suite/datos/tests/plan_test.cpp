#include <gtest/gtest.h>

#include "balance/consulta.h"
#include "datos/base_sqlite.h"
#include "datos/esquema.h"

namespace suite::datos {
namespace {

using prjsumsal::Consulta;
using prjsumsal::Uso;

// The journal and the voucher headers with the host's ordinary indexes and no planner statistics:
// the plan must not depend on data the engine has measured.
class Plan : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ = BaseSqlite::enMemoria(Papel::Contabilidad);
    for (const char* s : {kTablasContabilidad[0], kTablasContabilidad[1],
                          "create index ctdcomprmm_fecha on ctdcomprmm(empresa, f_comp)",
                          "create index ctccomprmm_clave on ctccomprmm(empresa, subsistema, "
                          "f_comp, documento, num_docum)"}) {
      db_->executesql(s);
    }
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
}  // namespace suite::datos
