// Each host mode installs a complete platform of its own parts, and gives the process's previous
// one back when it ends.
#include "instalacion.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <sstream>

#include "controles/mensajes_consola.h"
#include "instalacion_consola.h"
#include "instalacion_ventana.h"

namespace suite::anfitrion {
namespace {

// The parts a mode replaces, as the process's platform holds them.
struct Partes {
  prjsumsal::Mensajes* mensajes;
  prjsumsal::DialogoGuardar* dialogo;
  prjsumsal::Procesos* procesos;
  prjsumsal::Puntero* puntero;
  bool controles;
  bool operator==(const Partes&) const = default;
};

Partes partes() {
  const prjsumsal::Plataforma& p = prjsumsal::plataforma();
  return {p.mensajes, p.dialogo, p.procesos, p.puntero,
          p.crearInforme && p.crearDia && p.crearReporte && p.crearLibroXlsx};
}

TEST(Instalacion, LaConsolaInstalaSusPartesYDevuelveLasAnteriores) {
  const Partes antes = partes();
  ASSERT_FALSE(antes.controles);
  std::ostringstream errores;
  {
    InstalacionConsola consola({}, errores, false);
    const Partes puestas = partes();
    EXPECT_EQ(puestas.mensajes, &consola.mensajes());
    EXPECT_EQ(puestas.procesos, &consola.procesos());
    EXPECT_EQ(puestas.puntero, antes.puntero);  // a terminal has no pointer to change
    EXPECT_TRUE(puestas.controles);
    // The save dialog is cancelled until the session names the file it answers.
    EXPECT_EQ(puestas.dialogo->ShowSave({}), std::nullopt);
    consola.guardarComo("libro.xls");
    EXPECT_EQ(puestas.dialogo->ShowSave({}), "libro.xls");
    // Only a balance that does not square reaches the terminal.
    prjsumsal::plataforma().cuadre("El balance cuadra", true);
    prjsumsal::plataforma().cuadre("El balance no cuadra", false);
    EXPECT_EQ(errores.str(), "nubo: El balance no cuadra\n");
  }
  EXPECT_EQ(partes(), antes);
}

TEST(Instalacion, LaVentanaInstalaSusPartesYDevuelveLasAnteriores) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char nombre[] = "instalacion_test";
  char* argv[] = {nombre, nullptr};
  QApplication aplicacion(argc, argv);
  const Partes antes = partes();
  std::ostringstream errores;
  controles::MensajesConsola mensajes(errores, "nubo");
  {
    InstalacionVentana ventana({}, mensajes);
    const Partes puestas = partes();
    EXPECT_EQ(puestas.mensajes, &mensajes);
    EXPECT_EQ(puestas.puntero, &ventana.progreso());
    EXPECT_NE(puestas.dialogo, antes.dialogo);
    EXPECT_NE(puestas.procesos, antes.procesos);
    EXPECT_TRUE(puestas.controles);
    // Before the window exists, a check line has nowhere to go.
    prjsumsal::plataforma().cuadre("El balance no cuadra", false);
  }
  EXPECT_EQ(partes(), antes);
}

}  // namespace
}  // namespace suite::anfitrion
