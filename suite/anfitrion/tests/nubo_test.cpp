// nubo run as a process: exit statuses, what goes to which output, and the files it makes or
// leaves alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "ayuda_pruebas.h"

namespace suite::anfitrion {
namespace {

namespace fs = std::filesystem;
using prueba::Carpeta;
using prueba::correrNubo;

class Nubo : public ::testing::Test {
 protected:
  void SetUp() override {
    contabilidad_ = (carpeta_.ruta() / "contabilidad.db").string();
    informes_ = (carpeta_.ruta() / "informes.db").string();
    prueba::crearBaseChica(contabilidad_);
    prueba::crearBase(informes_, "create table programa(programa TEXT)");
  }

  Carpeta carpeta_;
  std::string contabilidad_, informes_;
};

// Each kind of bad input once (the options' own test words every message): a usage error, a
// database that is missing, a report layout that does not exist.
TEST_F(Nubo, EntradaMalaEsUnaLineaYEstado2) {
  std::string falta = (carpeta_.ruta() / "no-existe.db").string();
  struct Caso {
    std::vector<std::string> args;
    std::string inicio;  // how the line on standard error starts
  };
  const Caso casos[] = {
      {{"--contabilidad", contabilidad_, "--informes", informes_, "--bogus"},
       "nubo: Opción desconocida: --bogus"},
      {{"--contabilidad", falta, "--informes", informes_, "--texto"}, "nubo: --contabilidad: "},
      {{"--contabilidad", contabilidad_, "--informes", informes_, "--formato", "6", "--preparar"},
       "nubo: --formato: «6» no es un formato de 1 a 5"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.inicio);
    auto e = correrNubo(c.args);
    EXPECT_EQ(e.estado, 2);
    EXPECT_EQ(e.salida, "");
    EXPECT_TRUE(e.errores.starts_with(c.inicio)) << e.errores;
    EXPECT_EQ(std::count(e.errores.begin(), e.errores.end(), '\n'), 1) << e.errores;
  }
  EXPECT_FALSE(fs::exists(falta));  // a missing database is not created
}

TEST_F(Nubo, TextoSeparadoPorTabuladores) {
  auto e = correrNubo({"--contabilidad", contabilidad_, "--informes", informes_, "--desde",
                       "01/03/2025", "--hasta", "31/03/2025", "--texto"});
  EXPECT_EQ(e.estado, 0) << e.errores;
  EXPECT_EQ(e.errores, "");
  // The figures of the tiny database, worked out in salida_texto_test.cpp.
  EXPECT_EQ(e.salida,
            "1101\tCaja\t251\t0\t1251\t0\t1251\t0\t0\t0\n"
            "2101\tProveedores\t0\t300\t0\t300\t0\t300\t0\t0\n"
            "3101\tCapital\t0\t0\t0\t1000\t0\t1000\t0\t0\n"
            "4101\tDepreciación\t300\t0\t300\t0\t0\t0\t300\t0\n"
            "5101\tVentas\t0\t251\t0\t251\t0\t0\t0\t251\n"
            "\tSUMAS\t\t\t\t\t1251\t1300\t300\t251\n"
            "\tRESULTADO EJERCICIO\t\t\t\t\t50\t0\t0\t50\n"
            "\tTOTALES\t551\t551\t1551\t1551\t1300\t1300\t300\t300\n");
}

// A company code without a single voucher in the journal is most likely mistyped: the host says
// so, with its own question, which the statement trace does not count as the module's; the
// balance is still the module's, all zero, and the run succeeds.
TEST_F(Nubo, EmpresaSinComprobantesSeAvisaYElBalanceSale) {
  const std::string traza = (carpeta_.ruta() / "traza.txt").string();
  for (const char* empresa : {"9", "2"}) {
    SCOPED_TRACE(empresa);
    fs::remove(traza);
    auto e = correrNubo({"--contabilidad", contabilidad_, "--informes", informes_, "--empresa",
                         empresa, "--desde", "01/03/2025", "--hasta", "31/03/2025", "--texto"},
                        {"env", "NUBO_TRAZA_SQL=" + traza});
    EXPECT_EQ(e.estado, 0) << e.errores;
    EXPECT_NE(e.salida.find("TOTALES"), std::string::npos) << e.salida;
    EXPECT_EQ(e.errores,
              empresa == std::string("9")
                  ? "nubo: la empresa 9 no tiene comprobantes en la base de contabilidad\n"
                  : "");
    std::string lineas = prueba::leer(traza);
    EXPECT_EQ(lineas.find("limit 1"), std::string::npos) << lineas;
    EXPECT_NE(lineas.find("ctccomprmm"), std::string::npos) << lineas;
  }
}

// Without a display the window cannot open: nothing was done, and a script learns it.
TEST_F(Nubo, SinPantallaNiAccionFallaConUnaIndicacion) {
  auto e = correrNubo({"--contabilidad", contabilidad_, "--informes", informes_});
  EXPECT_EQ(e.estado, 1);
  EXPECT_EQ(e.salida, "");
  EXPECT_EQ(std::count(e.errores.begin(), e.errores.end(), '\n'), 1) << e.errores;
  for (const char* accion : {"--texto", "--excel", "--pdf", "--vista-previa", "nubo --help"})
    EXPECT_NE(e.errores.find(accion), std::string::npos) << accion;
}

}  // namespace
}  // namespace suite::anfitrion
