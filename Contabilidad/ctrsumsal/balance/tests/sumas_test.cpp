#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "balance/cierre.h"
#include "host/error.h"

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

FilaBalance cuenta(const char* grupo, double debe, double haber, double debe_act,
                   double haber_act) {
  FilaBalance f = fila(grupo, debe_act, haber_act);
  f.debe = debe;
  f.haber = haber;
  return f;
}

std::vector<double> cifras(const Renglon& r) {
  std::vector<double> v;
  for (const auto& m : r.montos) v.push_back(m.value_or(-1));  // -1: a blank cell
  return v;
}

// The closing rows come from the exact sums, not from the rows as shown: three accounts of
// 0,40 show 0 each and close with 1; 0,1 added ten times is 1 to the cent.
TEST(Cierre, FilasDeCierreDesdeLasSumasExactas) {
  const struct {
    const char* caso;
    std::vector<FilaBalance> filas;
    std::vector<double> sumas, resultado, totales;
  } casos[] = {
      {"utilidad",
       {cuenta("A", 1000, 0, 1000, 0), cuenta("P", 0, 600, 0, 600), cuenta("G", 300, 0, 300, 0),
        cuenta("R", 0, 700, 0, 700)},
       {-1, -1, -1, -1, 1000, 600, 300, 700},
       {-1, -1, -1, -1, 0, 400, 400, 0},
       {1300, 1300, 1300, 1300, 1000, 1000, 700, 700}},
      {"pérdida",
       {cuenta("A", 600, 0, 600, 0), cuenta("P", 0, 1000, 0, 1000), cuenta("G", 700, 0, 700, 0),
        cuenta("R", 0, 300, 0, 300)},
       {-1, -1, -1, -1, 600, 1000, 700, 300},
       {-1, -1, -1, -1, 400, 0, 0, 400},
       {1300, 1300, 1300, 1300, 1000, 1000, 700, 700}},
      {"centavos que suman un peso",
       {cuenta("A", 0.4, 0, 0.4, 0), cuenta("A", 0.4, 0, 0.4, 0), cuenta("A", 0.4, 0, 0.4, 0),
        cuenta("R", 0, 1.2, 0, 1.2)},
       {-1, -1, -1, -1, 1, 0, 0, 1},
       {-1, -1, -1, -1, 0, 1, 1, 0},
       {1, 1, 1, 1, 1, 1, 1, 1}},
      {"medio peso lejos de cero",
       {cuenta("A", 0.5, 0, 0.5, 0), cuenta("R", 0, 0.5, 0, 0.5)},
       {-1, -1, -1, -1, 1, 0, 0, 1},
       {-1, -1, -1, -1, 0, 1, 1, 0},
       {1, 1, 1, 1, 1, 1, 1, 1}},
      {"sin cuentas",
       {},
       {-1, -1, -1, -1, 0, 0, 0, 0},
       {-1, -1, -1, -1, 0, 0, 0, 0},
       {0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : casos) {
    Sumas s;
    for (const FilaBalance& f : c.filas) s.agregar(f);
    auto r = renglonesCierre(s);
    EXPECT_EQ(r[0].nombre, "SUMAS");
    EXPECT_EQ(r[1].nombre, "RESULTADO EJERCICIO");
    EXPECT_EQ(r[2].nombre, "TOTALES");
    EXPECT_EQ(cifras(r[0]), c.sumas) << c.caso;
    EXPECT_EQ(cifras(r[1]), c.resultado) << c.caso;
    EXPECT_EQ(cifras(r[2]), c.totales) << c.caso;
  }
  Sumas decimos;
  for (int i = 0; i < 10; ++i) decimos.agregar(cuenta("A", 0.1, 0, 0, 0));
  EXPECT_EQ(decimos.debe, 100);
}

TEST(Cierre, UnaLineaDeCuadreComparaLoQueSeMuestra) {
  const struct {
    std::vector<FilaBalance> filas;
    const char* linea;
  } casos[] = {
      {{cuenta("A", 1000, 0, 1000, 0), cuenta("R", 0, 1000, 0, 1000)}, "Cuadra"},
      {{cuenta("A", 1000.4, 0, 1000, 0), cuenta("R", 0, 1000, 0, 1000.3)}, "Cuadra"},
      {{cuenta("A", 1500, 0, 1500, 0), cuenta("R", 0, 1000, 0, 1000)},
       "El balance no cuadra: Debitos supera a Creditos en 500; Deudor supera a Acreedor en 500"},
      {{cuenta("A", 1000, 0, 0, 0), cuenta("R", 0, 1000, 0, 1234)},
       "El balance no cuadra: Acreedor supera a Deudor en 1.234"},
  };
  for (const auto& c : casos) {
    Sumas s;
    for (const FilaBalance& f : c.filas) s.agregar(f);
    EXPECT_EQ(lineaCuadre(s), c.linea);
    EXPECT_EQ(cuadra(s), std::string(c.linea) == "Cuadra") << c.linea;
  }
}

// An amount that is no finite number, or sums past 64 bits of cents, stop the balance and
// leave the sums as they were.
TEST(Cierre, DesbordamientoDejaLasSumas) {
  for (double malo : {std::numeric_limits<double>::infinity(), std::nan(""), 1e17}) {
    Sumas s;
    s.agregar(cuenta("A", 5, 0, 5, 0));
    EXPECT_THROW(s.agregar(cuenta("A", malo, 0, 0, 0)), Error) << malo;
    EXPECT_EQ(s.debe, 500) << malo;
  }
  Sumas s;
  FilaBalance grande = cuenta("A", 9e16, 0, 0, 0);
  s.agregar(grande);
  EXPECT_THROW(s.agregar(grande), Error);
  EXPECT_EQ(pesos(s.debe), 90'000'000'000'000'000);
  for (auto [c, p] : {std::pair<std::int64_t, std::int64_t>{149, 1},
                      {150, 2},
                      {-150, -2},
                      {-149, -1},
                      {std::numeric_limits<std::int64_t>::max(), 92'233'720'368'547'758}})
    EXPECT_EQ(pesos(c), p) << c;
}

}  // namespace
}  // namespace prjsumsal
