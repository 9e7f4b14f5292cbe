#include "opciones.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace suite::anfitrion {
namespace {

using prjsumsal::Fecha;

const Fecha kHoy{2026, 12, 6};

Lectura leer(std::vector<std::string> args) {
  args.insert(args.begin(), "nubo");
  std::vector<const char*> argv;
  for (const auto& a : args) argv.push_back(a.c_str());
  return leerOpciones(static_cast<int>(argv.size()), argv.data(), kHoy);
}

std::string unir(const std::vector<std::string>& args) {
  std::string r;
  for (const auto& a : args) r += a + " ";
  return r;
}

TEST(Opciones, ValoresPorOmision) {
  Opciones o = leer({"--demo", "d"}).opciones;
  EXPECT_EQ(o.desde, (Fecha{2026, 12, 1}));
  EXPECT_EQ(o.hasta, kHoy);
  EXPECT_EQ(o.norma, 1);
  EXPECT_EQ(o.empresa, 1);
  EXPECT_EQ(o.alias, 0);
  EXPECT_FALSE(o.nombreEmpresa.empty());
  EXPECT_TRUE(o.acciones.empty());
}

TEST(Opciones, LeeElContexto) {
  Opciones o =
      leer({"--contabilidad",   "c.db",  "--informes", "i.db",     "--empresa",        "-32768",
            "--usuario",        "32767", "--alias",    "2",        "--nombre-empresa", "3 SUR LTDA",
            "--nombre-usuario", "Ñuñoa", "--programa", "BALANCE",  "--permiso",        "00011",
            "--impresora",      "LASER", "--desde",    "1/3/2025", "--hasta",          "31/03/2025",
            "--norma",          "2"})
          .opciones;
  EXPECT_EQ(o.contabilidad, "c.db");
  EXPECT_EQ(o.informes, "i.db");
  EXPECT_EQ(o.empresa, -32768);
  EXPECT_EQ(o.usuario, 32767);
  EXPECT_EQ(o.alias, 2);
  EXPECT_EQ(o.nombreEmpresa, "3 SUR LTDA");
  EXPECT_EQ(o.nombreUsuario, "Ñuñoa");
  EXPECT_EQ(o.programa, "BALANCE");
  EXPECT_EQ(o.permiso, "00011");
  EXPECT_EQ(o.impresora, "LASER");
  EXPECT_EQ(o.desde, (Fecha{2025, 3, 1}));
  EXPECT_EQ(o.hasta, (Fecha{2025, 3, 31}));
  EXPECT_EQ(o.norma, 2);
}

// Without --desde the period starts on the first of --hasta's month, so a past --hasta alone
// is a whole month rather than an inverted period.
TEST(Opciones, DesdeSigueAlMesDeHasta) {
  Opciones o = leer({"--demo", "d", "--hasta", "29/02/2024"}).opciones;
  EXPECT_EQ(o.desde, (Fecha{2024, 2, 1}));
  EXPECT_EQ(o.hasta, (Fecha{2024, 2, 29}));
}

TEST(Opciones, AccionesEnElOrdenDado) {
  Opciones o =
      leer({"--texto", "--mayor", "11", "--demo", "d", "--comparar", "--texto", "--mayor", "2101"})
          .opciones;
  ASSERT_EQ(o.acciones.size(), 4u);
  EXPECT_EQ(o.acciones[0].tipo, Accion::Tipo::Texto);
  EXPECT_EQ(o.acciones[1].tipo, Accion::Tipo::Mayor);
  EXPECT_EQ(o.acciones[1].argumento, "11");
  EXPECT_EQ(o.acciones[2].tipo, Accion::Tipo::Texto);
  EXPECT_EQ(o.acciones[3].argumento, "2101");
  EXPECT_TRUE(o.comparar);
  o = leer({"--demo", "d", "--comparar", "--ver", "--captura", "v.png"}).opciones;
  ASSERT_EQ(o.acciones.size(), 2u);
  EXPECT_EQ(o.acciones[0].tipo, Accion::Tipo::Ver);
}

TEST(Opciones, AyudaEnCastellano) {
  Lectura l = leer({"--help"});
  ASSERT_TRUE(l.ayuda.has_value());
  EXPECT_NE(l.ayuda->find("--contabilidad"), std::string::npos);
  EXPECT_NE(l.ayuda->find("Uso:"), std::string::npos);
}

TEST(Opciones, EntradasMalasDanUnMensajeClaro) {
  const std::vector<std::string> demo = {"--demo", "d"};
  struct Caso {
    std::vector<std::string> args;
    std::string mensaje;  // the whole message
  };
  const Caso casos[] = {
      {{"--demo", "d", "--foo"}, "Opción desconocida: --foo (vea nubo --help)"},
      {{"--demo", "d", "sobra"}, "Argumento inesperado: «sobra»"},
      {{"--demo", "d", "--desde", "31/02/2025"},
       "--desde: «31/02/2025» no es una fecha dd/mm/aaaa válida"},
      {{"--demo", "d", "--hasta", "2025-03-01"},
       "--hasta: «2025-03-01» no es una fecha dd/mm/aaaa válida"},
      {{"--demo", "d", "--desde", "02/03/2025", "--hasta", "01/03/2025"},
       "--desde 02/03/2025 es posterior a --hasta 01/03/2025"},
      {{"--demo", "d", "--desde", "01/01/2027"},
       "--desde 01/01/2027 es posterior a --hasta 06/12/2026"},
      {{"--demo", "d", "--empresa", "32768"},
       "--empresa: «32768» no es un número entero entre -32768 y 32767"},
      {{"--demo", "d", "--usuario", "-32769"},
       "--usuario: «-32769» no es un número entero entre -32768 y 32767"},
      {{"--demo", "d", "--alias", "2x"},
       "--alias: «2x» no es un número entero entre -32768 y 32767"},
      {{"--demo", "d", "--empresa", " 1"},
       "--empresa: « 1» no es un número entero entre -32768 y 32767"},
      {{"--demo", "d", "--norma", "3"}, "--norma: «3» no es 1 (tributaria) ni 2 (IFRS)"},
      {{"--demo", "d", "--norma", "01"}, "--norma: «01» no es 1 (tributaria) ni 2 (IFRS)"},
      {{"--demo", "d", "--desde"}, "Falta el valor de --desde"},
      {{"--demo", "--texto"}, "Falta el valor de --demo"},
      {{"--demo", "d", "--empresa", "1", "--empresa", "2"}, "--empresa se da más de una vez"},
      {{"--demo", "d", "--texto=1"}, "--texto no lleva valor"},
      {{}, "Indique --demo DIR o --contabilidad DB"},
      {{"--informes", "i.db"}, "Indique --demo DIR o --contabilidad DB"},
      {{"--demo", "d", "--contabilidad", "c.db"}, "--demo no se combina con --contabilidad"},
      {{"--demo", "d", "--mayor", ""}, "--mayor: falta el código de la cuenta"},
      {{"--demo", "d", "--mayor"}, "Falta el valor de --mayor"},
      {{"--demo", "d", "--comparar", "--mayor", "11"},
       "--comparar se usa con --texto, --excel o --ver"},
      {{"--demo", "d", "--comparar", "--texto", "--excel", "b.xls"},
       "--comparar: el libro XML Spreadsheet 2003 no lleva la comparación; use --excel "
       "ARCHIVO.xlsx"},
      {{"--demo", "d", "--comparar", "--excel", "-"},
       "--comparar: el libro XML Spreadsheet 2003 no lleva la comparación; use --excel "
       "ARCHIVO.xlsx"},
      {{"--demo", "d", "--ver", "--texto"},
       "--ver no se combina con otras acciones, salvo --captura"},
      {{"--demo", "d", "--captura", "v.png", "--pdf"},
       "--captura no se combina con otras acciones, salvo --ver"},
  };
  for (const auto& caso : casos) {
    SCOPED_TRACE(unir(caso.args));
    try {
      leer(caso.args);
      ADD_FAILURE() << "se aceptó";
    } catch (const ErrorUso& e) {
      EXPECT_EQ(std::string(e.what()), caso.mensaje);
    }
  }
}

}  // namespace
}  // namespace suite::anfitrion
