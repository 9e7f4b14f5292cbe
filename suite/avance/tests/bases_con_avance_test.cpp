#include "avance/bases_con_avance.h"

#include <gtest/gtest.h>

#include <vector>

#include "balance/calculo.h"
#include "balance/tabla_trabajo.h"
#include "datos/base_sqlite.h"
#include "datos/esquema.h"
#include "diario_prueba.h"

namespace suite::avance {
namespace {

using prjsumsal::prueba::comprobante;
using prjsumsal::prueba::cuenta;

// Each stage in the order it began, with what it counted to and how far it got.
class AvanceGrabado : public Avance {
 public:
  struct Etapa {
    std::string que;
    std::size_t total = 0, cuenta = 0;
    bool operator==(const Etapa&) const = default;
  };
  void etapa(const std::string& que, std::size_t total) override {
    if (!etapas.empty() && etapas.back().que == que && etapas.back().total == total) return;
    etapas.push_back({que, total, 0});
  }
  void avanzar(std::size_t n) override { etapas.back().cuenta += n; }
  std::vector<Etapa> etapas;
};

std::ostream& operator<<(std::ostream& o, const AvanceGrabado::Etapa& e) {
  return o << "{" << e.que << ", " << e.total << ", " << e.cuenta << "}";
}

class SeguimientoBasesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto conta = datos::BaseSqlite::enMemoria(datos::Papel::Contabilidad);
    for (const char* t : datos::kTablasContabilidad) conta->executesql(t);
    for (const char* c : {"1101", "1102", "2101", "4101", "5101"}) cuenta(*conta, c, "'x'", "1");
    comprobante(*conta, 1, "2026-01-10", "T", 1, 1, "1",
                {{"1101", 100, 0}, {"2101", 0, 100}, {"4101", 5, 0}});
    comprobante(*conta, 1, "2026-03-10", "T", 2, 1, "1",
                {{"1102", 40, 0}, {"5101", 0, 40}, {"4101", 0, 5}});
    contabilidad_ = seguimiento_.contabilidad(std::move(conta));
    informes_ = seguimiento_.informes(datos::BaseSqlite::enMemoria(datos::Papel::Informes));
    informes_->executesql(prjsumsal::sentenciaCrearTabla());
    consulta_ = {1, 1, 0, "2026-03-01", "2026-03-31", 2026, "1"};
  }

  AvanceGrabado avance_;
  SeguimientoBases seguimiento_{avance_};
  std::shared_ptr<prjsumsal::BaseDatos> contabilidad_, informes_;
  prjsumsal::Consulta consulta_;
};

// The form's data preparation: the accounts computed into the work table, which the report
// engine then reads row by row.
TEST_F(SeguimientoBasesTest, LaPreparacionYElInformeDicenCadaEtapa) {
  {
    prjsumsal::Calculo calculo(*contabilidad_, consulta_, prjsumsal::Uso::Informe);
    prjsumsal::DatosTabla datos;
    for (prjsumsal::FilaBalance f; calculo.siguiente(f);)
      informes_->executesql(prjsumsal::sentenciaFila(datos, f));
    informes_->executesql(prjsumsal::sentenciaCierre(datos));
  }
  auto rs = informes_->newrecord("select * from ctrsumsal order by reporte");
  for (; !rs->eof(); rs->MoveNext()) {
  }
  std::vector<AvanceGrabado::Etapa> esperadas = {
      {"Leyendo la contabilidad", 0, 0},     {"Leyendo el diario", 0, 0},
      {"Calculando las cuentas", 5, 1},      {"Llenando la tabla de trabajo", 5, 6},
      {"Leyendo la tabla de trabajo", 0, 0}, {"Leyendo la tabla de trabajo", 6, 6},
  };
  EXPECT_EQ(avance_.etapas, esperadas);
}

// An export computes the accounts without a work table; a second run after a preparation
// counts its accounts again.
TEST_F(SeguimientoBasesTest, UnaExportacionCuentaLasCuentasCalculadas) {
  for (int vez = 0; vez < 2; ++vez) {
    prjsumsal::Calculo calculo(*contabilidad_, consulta_, prjsumsal::Uso::Exportacion);
    for (prjsumsal::FilaBalance f; calculo.siguiente(f);) {
      if (vez == 0) informes_->executesql(prjsumsal::sentenciaFila({}, f));
    }
  }
  ASSERT_FALSE(avance_.etapas.empty());
  AvanceGrabado::Etapa ultima{"Calculando las cuentas", 5, 5};
  EXPECT_EQ(avance_.etapas.back(), ultima);
}

}  // namespace
}  // namespace suite::avance
