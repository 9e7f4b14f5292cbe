// nubo --captura: the form's window drawn without a display, seen from outside the process.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>

#include "ayuda_pruebas.h"

namespace suite::anfitrion {
namespace {

using prueba::Carpeta;
using prueba::consultar;
using prueba::correrNubo;

TEST(Captura, DibujaLaVentanaYDescargaElFormulario) {
  Carpeta carpeta;
  ::setenv("XDG_CONFIG_HOME", (carpeta.ruta() / "config").c_str(), 1);
  const std::string demo = (carpeta.ruta() / "demo").string();
  const std::string png = (carpeta.ruta() / "ventana.png").string();
  auto e = correrNubo({"--demo", demo, "--rut", "123456785", "--captura", png});
  ASSERT_EQ(e.estado, 0) << e.errores;
  QImage imagen(QString::fromStdString(png));
  ASSERT_FALSE(imagen.isNull());
  // The client area of 6570 x 7260 twips at 96 dpi, in a frame with a title bar.
  EXPECT_GE(imagen.width(), 438);
  EXPECT_GE(imagen.height(), 484);
  EXPECT_LT(imagen.height() - 484, 40);
  // Unloaded at the end: the program's row and the work table are gone.
  auto informes = carpeta.ruta() / "demo" / "informes.db";
  EXPECT_TRUE(consultar(informes, "select programa from programa").empty());
  EXPECT_TRUE(consultar(informes, "select name from sqlite_master where name='ctrsumsal'").empty());

  // A picture that cannot be written is a failure, with the reason.
  auto malo = correrNubo({"--demo", demo, "--captura", "/no/existe/v.png"});
  EXPECT_EQ(malo.estado, 1);
  EXPECT_EQ(malo.errores,
            "nubo: No se puede crear el archivo /no/existe/v.png: la carpeta no existe\n");
  ::unsetenv("XDG_CONFIG_HOME");
}

// --ver: the viewer, drawn with its balance read, without the form (no work table made); without
// a display and without --captura it says so and fails.
TEST(Captura, VerDibujaElVisorSinElFormulario) {
  Carpeta carpeta;
  const std::string demo = (carpeta.ruta() / "demo").string();
  const std::string png = (carpeta.ruta() / "visor.png").string();
  auto e = correrNubo({"--demo", demo, "--comparar", "--ver", "--captura", png});
  ASSERT_EQ(e.estado, 0) << e.errores;
  QImage imagen(QString::fromStdString(png));
  ASSERT_FALSE(imagen.isNull());
  EXPECT_GT(imagen.width(), imagen.height());
  auto informes = carpeta.ruta() / "demo" / "informes.db";
  EXPECT_TRUE(consultar(informes, "select name from sqlite_master where name='ctrsumsal'").empty());
  auto sin = correrNubo({"--demo", demo, "--ver"});
  EXPECT_EQ(sin.estado, 1);
  EXPECT_NE(sin.errores.find("no hay pantalla para abrir el visor"), std::string::npos)
      << sin.errores;
}

}  // namespace
}  // namespace suite::anfitrion
