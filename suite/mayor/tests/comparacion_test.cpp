// Last year beside this year, on a journal worked out by hand: an account with movement in only
// one of the two years, the 29th of February, the result of both years.
#include <gtest/gtest.h>

#include "datos/tests/base_prueba.h"
#include "fuentes.h"
#include "mayor/comparacion.h"

namespace suite::mayor {
namespace {

using prueba::consulta;

TEST(Comparacion, ElMismoPeriodoDelAnioAnterior) {
  struct Caso {
    const char* desde;
    const char* hasta;
    const char* desdeAntes;
    const char* hastaAntes;
  };
  const Caso casos[] = {
      {"2024-02-01", "2024-02-29", "2023-02-01", "2023-02-28"},
      {"2024-02-29", "2024-12-31", "2023-02-28", "2023-12-31"},
      {"2025-03-01", "2025-03-31", "2024-03-01", "2024-03-31"},
  };
  for (const Caso& c : casos) {
    prjsumsal::Consulta a = anioAnterior(consulta(1, "2", c.desde, c.hasta, 2, 7));
    EXPECT_EQ(a.desde, c.desdeAntes);
    EXPECT_EQ(a.hasta, c.hastaAntes);
    EXPECT_EQ(a.anio, std::stoi(std::string(c.hasta).substr(0, 4)) - 1);
    EXPECT_EQ(a.libro, "2");
    EXPECT_EQ(a.usuario, 7);
  }
}

// One voucher of two lines, of company 1 in the common book.
void asiento(prjsumsal::BaseDatos& db, int n, const char* fecha, const char* debe,
             const char* haber, int monto) {
  std::string k = "1, 1, #" + std::string(fecha) + "#, 'T', " + std::to_string(n);
  db.executesql("insert into ctccomprmm values (" + k + ", 1, '0')");
  db.executesql("insert into ctdcomprmm values (" + k + ", '" + debe + "', " +
                std::to_string(monto) + ", 0)");
  db.executesql("insert into ctdcomprmm values (" + k + ", '" + haber + "', 0, " +
                std::to_string(monto) + ")");
}

TEST(Comparacion, CuentasDeUnSoloAnioYResultadoDeAmbos) {
  auto db = suite::prueba::baseVacia(datos::Papel::Contabilidad);
  for (const char* t : suite::prueba::tablasContabilidad()) db->executesql(t);
  db->executesql("insert into ctmcentros values ('1101', 'Caja', 'A')");
  db->executesql("insert into ctmcentros values ('4101', 'Ventas', 'I')");
  db->executesql("insert into ctmcentros values ('5101', 'Arriendo', 'G')");
  db->executesql("insert into ctmcentros values ('6101', 'Fletes', 'G')");
  asiento(*db, 1, "2023-01-10", "5101", "1101", 30);   // 5101 only last year
  asiento(*db, 2, "2023-02-28", "1101", "4101", 100);  // the day that stands for the 29th
  asiento(*db, 3, "2023-03-01", "1101", "4101", 50);   // past the period of last year
  asiento(*db, 4, "2024-02-10", "6101", "1101", 70);   // 6101 only this year
  asiento(*db, 5, "2024-02-29", "1101", "4101", 200);
  asiento(*db, 6, "2024-03-01", "1101", "4101", 900);  // past the period

  Comparacion c = comparar(*db, consulta(1, "1", "2024-02-01", "2024-02-29"));
  struct Esperada {
    const char* centro;
    const char* nombre;
    std::int64_t actual, anterior;  // pesos, debit positive
  };
  const Esperada esperadas[] = {
      {"1101", "Caja", 130, 70},
      {"4101", "Ventas", -200, -100},
      {"5101", "Arriendo", 0, 30},
      {"6101", "Fletes", 70, 0},
  };
  ASSERT_EQ(c.filas.size(), std::size(esperadas));
  for (std::size_t i = 0; i < c.filas.size(); ++i) {
    const auto& f = c.filas[i];
    const auto& e = esperadas[i];
    EXPECT_EQ(f.centro, e.centro);
    EXPECT_EQ(f.n_centro, e.nombre);
    EXPECT_EQ(f.saldoActual(), e.actual * 100) << e.centro;
    EXPECT_EQ(f.saldoAnterior(), e.anterior * 100) << e.centro;
    EXPECT_EQ(f.diferencia(), (e.actual - e.anterior) * 100) << e.centro;
  }
  // Income less expenses: 200 - 70 this year, 100 - 30 last year.
  EXPECT_EQ(c.resultadoActual(), 130);
  EXPECT_EQ(c.resultadoAnterior(), 70);
  EXPECT_EQ(c.anterior.hasta, "2023-02-28");
}

}  // namespace
}  // namespace suite::mayor
