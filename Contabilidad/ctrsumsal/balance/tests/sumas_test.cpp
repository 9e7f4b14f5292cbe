#include <gtest/gtest.h>

#include "balance/sumas.h"

namespace prjsumsal {
namespace {

FilaBalance fila(const char* grupo, double debe_act, double haber_act) {
  FilaBalance f;
  f.g_cuenta = grupo;
  f.debe_act = debe_act;
  f.haber_act = haber_act;
  clasificar(f);
  return f;
}

TEST(Clasificacion, SoloAPyTExactosSonDeInventario) {
  const struct {
    const char* grupo;
    bool inventario;
  } casos[] = {{"A", true},   {"P", true}, {"T", true},  {"a", false}, {"A ", false},
               {" A", false}, {"", false}, {"R", false}, {"G", false}, {"AP", false}};
  for (const auto& c : casos) {
    FilaBalance f = fila(c.grupo, 1200, 0);
    EXPECT_EQ(f.varDebe5, c.inventario ? 1200 : 0) << "'" << c.grupo << "'";
    EXPECT_EQ(f.varDebe7, c.inventario ? 0 : 1200) << "'" << c.grupo << "'";
    FilaBalance g = fila(c.grupo, 0, 300);
    EXPECT_EQ(g.varHaber6, c.inventario ? 300 : 0) << "'" << c.grupo << "'";
    EXPECT_EQ(g.varHaber8, c.inventario ? 0 : 300) << "'" << c.grupo << "'";
  }
}

TEST(Clasificacion, ReclasificarBorraLoAnterior) {
  FilaBalance f = fila("A", 1200, 0);
  f.g_cuenta = "R";
  clasificar(f);
  EXPECT_EQ(f.varDebe5, 0);
  EXPECT_EQ(f.varDebe7, 1200);
}

struct CasoCierre {
  double activo, pasivo, perdidas, ganancias;  // sums
  Cierre resultado;
  Cierre total;
};

TEST(Cierre, ResultadoVaAlLadoMenorYLosTotalesCuadran) {
  const CasoCierre casos[] = {
      {1000, 600, 300, 700, {0, 400, 400, 0}, {1000, 1000, 700, 700}},
      {600, 1000, 700, 300, {400, 0, 0, 400}, {1000, 1000, 700, 700}},
      {500, 500, 0, 0, {0, 0, 0, 0}, {500, 500, 0, 0}},
      {0, 0, 0, 0, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {0.5, 0.25, 0, 0, {0, 0.25, 0, 0}, {0.5, 0.5, 0, 0}},
  };
  for (const auto& c : casos) {
    Sumas s;
    s.activo = c.activo;
    s.pasivo = c.pasivo;
    s.perdidas = c.perdidas;
    s.ganancias = c.ganancias;
    Cierre r = resultadoEjercicio(s);
    Cierre t = totales(s, r);
    std::string caso = std::to_string(c.activo) + "/" + std::to_string(c.pasivo) + " " +
                       std::to_string(c.perdidas) + "/" + std::to_string(c.ganancias);
    EXPECT_EQ(r.activo, c.resultado.activo) << caso;
    EXPECT_EQ(r.pasivo, c.resultado.pasivo) << caso;
    EXPECT_EQ(r.perdidas, c.resultado.perdidas) << caso;
    EXPECT_EQ(r.ganancias, c.resultado.ganancias) << caso;
    EXPECT_EQ(t.activo, c.total.activo) << caso;
    EXPECT_EQ(t.pasivo, c.total.pasivo) << caso;
    EXPECT_EQ(t.perdidas, c.total.perdidas) << caso;
    EXPECT_EQ(t.ganancias, c.total.ganancias) << caso;
  }
}

}  // namespace
}  // namespace prjsumsal
