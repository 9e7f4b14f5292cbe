#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "balance/cierre.h"
#include "balance/formato.h"
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

FilaBalance cuenta(const char* grupo, double debe, double haber, double debe_act,
                   double haber_act) {
  FilaBalance f = fila(grupo, debe_act, haber_act);
  f.debe = debe;
  f.haber = haber;
  return f;
}

// A row's figures as a document writes them; "" for a blank cell.
std::vector<std::string> cifras(const Renglon& r) {
  std::vector<std::string> v;
  for (const auto& m : r.montos) v.push_back(m ? formatoCero(*m) : "");
  return v;
}

std::vector<FilaBalance> veces(int n, const FilaBalance& f) {
  return std::vector<FilaBalance>(n, f);
}

std::vector<FilaBalance> mas(std::vector<FilaBalance> a, const FilaBalance& f) {
  a.push_back(f);
  return a;
}

// The sums are the amounts added in the order of the rows, in double precision, and are rounded
// only when written: 120 accounts of 1.000,0045 sum 120000.53999999982, written 120001 (a sum of
// amounts rounded to the cent first would write 120000).
TEST(Cierre, FilasDeCierreDeLasSumasEnDoble) {
  const struct {
    const char* caso;
    std::vector<FilaBalance> filas;
    std::vector<std::string> sumas, resultado, totales;
  } casos[] = {
      {"utilidad",
       {cuenta("A", 1000, 0, 1000, 0), cuenta("P", 0, 600, 0, 600), cuenta("G", 300, 0, 300, 0),
        cuenta("R", 0, 700, 0, 700)},
       {"", "", "", "", "1000", "600", "300", "700"},
       {"", "", "", "", "0", "400", "400", "0"},
       {"1300", "1300", "1300", "1300", "1000", "1000", "700", "700"}},
      {"pérdida con centavos",
       {cuenta("A", 600.25, 0, 600.25, 0), cuenta("P", 0, 1000.5, 0, 1000.5),
        cuenta("G", 700.5, 0, 700.5, 0), cuenta("R", 0, 300.25, 0, 300.25)},
       {"", "", "", "", "600", "1001", "701", "300"},
       {"", "", "", "", "400", "0", "0", "400"},
       {"1301", "1301", "1301", "1301", "1001", "1001", "701", "701"}},
      {"120 de 1.000,0045",
       mas(veces(120, cuenta("A", 1000.0045, 0, 1000.0045, 0)),
           cuenta("P", 0, 120000.53999999982, 0, 120000.53999999982)),
       {"", "", "", "", "120001", "120001", "0", "0"},
       {"", "", "", "", "0", "0", "0", "0"},
       {"120001", "120001", "120001", "120001", "120001", "120001", "0", "0"}},
      {"sin cuentas",
       {},
       {"", "", "", "", "0", "0", "0", "0"},
       {"", "", "", "", "0", "0", "0", "0"},
       {"0", "0", "0", "0", "0", "0", "0", "0"}},
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
    EXPECT_EQ(lineaCuadre(s), "Cuadra") << c.caso;
  }
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
      {{cuenta("A", 1.7e308, -1.7e308, 0, 0)}, "El balance no cuadra: Debitos supera a Creditos"},
  };
  for (const auto& c : casos) {
    Sumas s;
    for (const FilaBalance& f : c.filas) s.agregar(f);
    EXPECT_EQ(lineaCuadre(s), c.linea);
    EXPECT_EQ(cuadra(s), std::string(c.linea) == "Cuadra") << c.linea;
  }
}

// A sum, a result or a total that is no finite number stops the balance ("Desbordamiento") and
// leaves the sums as they were; large finite amounts have no limit of their own. The sums kept
// for a check line only are dropped instead.
TEST(Cierre, DesbordamientoDejaLasSumas) {
  for (double malo : {std::numeric_limits<double>::infinity(), std::nan(""), 1.7e308}) {
    Sumas s;
    s.agregar(cuenta("A", 5, 0, 5, 0));
    s.agregar(cuenta("A", 1e308, 0, 0, 0));
    EXPECT_THROW(s.agregar(cuenta("A", malo, 0, 0, 0)), Error) << malo;
    EXPECT_EQ(s.debe, 1e308 + 5) << malo;
    std::optional<Sumas> cuadre = s;
    agregarParaCuadre(cuadre, cuenta("A", malo, 0, 0, 0));
    EXPECT_FALSE(cuadre) << malo;
  }
  Sumas grande;
  for (int i = 0; i < 3; ++i) grande.agregar(cuenta("A", 9e16, 0, 9e16, 0));
  EXPECT_EQ(cifras(renglonesCierre(grande)[2])[0], "270000000000000000");
  Sumas opuestas;
  opuestas.agregar(cuenta("A", 0, 0, 1.7e308, 0));
  opuestas.agregar(cuenta("P", 0, 0, 0, -1.7e308));
  try {
    renglonesCierre(opuestas);
    ADD_FAILURE() << "sin desbordamiento";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), kDesbordamiento);
  }
}

}  // namespace
}  // namespace prjsumsal
