#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "controles/boton_deshabilitado.h"
#include "controles/dia_sin_ventana.h"
#include "controles/informe_sin_ventana.h"
#include "controles/mensajes_consola.h"
#include "host/error.h"

namespace suite::controles {
namespace {

// Records the events in the order they arrive; the exit disconnects, as an unloading form does.
struct Eventos : prjsumsal::EventosInforme {
  explicit Eventos(InformeSinVentana& c) : control(c) {}
  void ctlinforme1_Imprime() override { vistos.push_back("imprime"); }
  void ctlinforme1_Presenta() override { vistos.push_back("presenta"); }
  void ctlinforme1_Sale() override {
    vistos.push_back("sale");
    control.conectar(nullptr);
  }
  void ctlinforme1_PreparaDatos() override { vistos.push_back("prepara"); }
  InformeSinVentana& control;
  std::vector<std::string> vistos;
};

TEST(InformeSinVentana, PreparaLosDatosAntesDeImprimirOPresentar) {
  InformeSinVentana c;
  Eventos e(c);
  c.glbpreeliminar(true);
  c.glbimprimir(true);
  c.pulsarImprimir();  // nobody connected yet: nothing happens
  c.conectar(&e);
  c.prepararDatos();
  c.pulsarImprimir();
  c.pulsarVistaPrevia();
  c.pulsarSalir();
  c.pulsarSalir();  // disconnected by the first exit
  EXPECT_EQ(e.vistos, (std::vector<std::string>{"prepara", "prepara", "imprime", "prepara",
                                                "presenta", "sale"}));
}

// A button its permission flag disables runs nothing, not even the data preparation.
TEST(InformeSinVentana, UnBotonDeshabilitadoNoHaceNada) {
  InformeSinVentana c;
  Eventos e(c);
  c.conectar(&e);
  c.glbpreeliminar(false);
  c.glbimprimir(true);
  EXPECT_THROW(c.pulsarVistaPrevia(), BotonDeshabilitado);
  c.glbpreeliminar(true);
  c.glbimprimir(false);
  try {
    c.pulsarImprimir();
    ADD_FAILURE() << "Imprimir deshabilitado imprimió";
  } catch (const BotonDeshabilitado& x) {
    EXPECT_STREQ(x.what(),
                 "\"Imprimir\" está deshabilitado: el permiso del usuario no lo autoriza");
  }
  EXPECT_TRUE(e.vistos.empty());
}

TEST(DiaSinVentana, LasTresFormasDelMismoDia) {
  DiaSinVentana d;
  d.Text("29/02/2024");
  EXPECT_EQ(d.Text(), "29/02/2024");
  EXPECT_EQ(d.FechaSQL(), "2024-02-29");
  EXPECT_EQ(d.Anio(), 2024);
  EXPECT_THROW(d.Text("29/02/2023"), prjsumsal::Error);
  EXPECT_EQ(d.Text(), "29/02/2024");
}

TEST(MensajesConsola, UnaLineaPorCajaYRecuerdaLasCriticas) {
  std::ostringstream salida;
  MensajesConsola m(salida, "prjsumsal");
  m.MsgBox("Contador grabado", prjsumsal::Icono::Informacion, "Mensaje");
  m.MsgBox("sin título\nen dos\x1b]0;x\x07 líneas", prjsumsal::Icono::Informacion, std::nullopt);
  EXPECT_FALSE(m.huboCritico());
  m.MsgBox("El rut no es Válido", prjsumsal::Icono::Critico, "Mensaje");
  EXPECT_TRUE(m.huboCritico());
  EXPECT_EQ(salida.str(),
            "Mensaje: Contador grabado\nprjsumsal: sin título en dos?]0;x? líneas\n"
            "Mensaje: El rut no es Válido\n");
}

}  // namespace
}  // namespace suite::controles
