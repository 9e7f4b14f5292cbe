#include <gtest/gtest.h>

#include "balance/consulta.h"

namespace prjsumsal {
namespace {

struct Caso {
  const char* nombre;
  Consulta consulta;
  bool periodo;
  Uso uso;
  const char* esperada;
};

// Whole statements written out by hand: every blank counts, since the host's engines and the
// trace compare them as text.
const Caso kCasos[] = {
    {"periodo, alias 2, libro tributario",
     {3, 7, 2, "2024-03-01", "2024-03-31", 2024, "1"},
     true,
     Uso::Informe,
     "SELECT a.centro, sum(a.debe_nacional) as debe, sum(a.haber_nacional) as haber"
     " from ctdcomprmm a, ctccomprmm b  where a.empresa=3 and a.f_comp>=#2024-03-01#"
     " and a.f_comp<=#2024-03-31# and year(a.f_comp)=2024 and a.empresa  = b.empresa "
     " and a.subsistema = b.subsistema  and a.f_comp     = b.f_comp "
     " and a.documento  = b.documento  and a.num_docum  = b.num_docum "
     " and b.usuario=7 and b.ifrs in ('0','1') group by a.centro"},
    {"acumulado del informe, alias 1, libro IFRS",
     {3, 7, 1, "2024-03-01", "2024-03-31", 2024, "2"},
     false,
     Uso::Informe,
     "SELECT a.centro, sum(a.debe_nacional) as debe, sum(a.haber_nacional) as haber"
     " from ctdcomprmm a, ctccomprmm b where a.empresa=3"
     " and a.f_comp<=#2024-03-31# and year(a.f_comp)=2024 and a.empresa  = b.empresa "
     " and a.subsistema = b.subsistema  and a.f_comp     = b.f_comp "
     " and a.documento  = b.documento  and a.num_docum  = b.num_docum "
     " and b.ifrs in ('0','2') group by a.centro"},
    {"acumulado de las exportaciones, códigos negativos, libro vacío",
     {-5, -7, 2, "2023-12-01", "2024-01-31", 2024, ""},
     false,
     Uso::Exportacion,
     "SELECT a.centro, sum(a.debe_nacional) as debe, sum(a.haber_nacional) as haber"
     " from ctdcomprmm a, ctccomprmm b  where a.empresa=-5"
     " and a.f_comp<=#2024-01-31# and year(a.f_comp)=2024 and a.empresa  = b.empresa "
     " and a.subsistema = b.subsistema  and a.f_comp     = b.f_comp "
     " and a.documento  = b.documento  and a.num_docum  = b.num_docum "
     " and b.usuario=-7 and b.ifrs in ('0','') group by a.centro order by a.centro"},
    {"libro con comilla: doblada, la sentencia no se rompe",
     {1, 1, 0, "2024-01-01", "2024-01-31", 2024, "'"},
     true,
     Uso::Informe,
     "SELECT a.centro, sum(a.debe_nacional) as debe, sum(a.haber_nacional) as haber"
     " from ctdcomprmm a, ctccomprmm b  where a.empresa=1 and a.f_comp>=#2024-01-01#"
     " and a.f_comp<=#2024-01-31# and year(a.f_comp)=2024 and a.empresa  = b.empresa "
     " and a.subsistema = b.subsistema  and a.f_comp     = b.f_comp "
     " and a.documento  = b.documento  and a.num_docum  = b.num_docum "
     " and b.ifrs in ('0','''') group by a.centro"},
};

TEST(Sentencias, TextosExactos) {
  for (const auto& c : kCasos) {
    std::string obtenida =
        c.periodo ? sentenciaPeriodo(c.consulta) : sentenciaAcumulado(c.consulta, c.uso);
    EXPECT_EQ(obtenida, c.esperada) << c.nombre;
  }
}

}  // namespace
}  // namespace prjsumsal
