#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <thread>

#include <unistd.h>

#include "clase/biblioteca.h"
#include "clase/clssumsal.h"
#include "clase/entrada.h"
#include "clase/registro.h"
#include "entorno_prueba.h"
#include "form/frmsumsal.h"

namespace prjsumsal {
namespace {

using prueba::EntornoPrueba;

// Each value property: its DISPID, its name, a value to put and the value get gives back.
struct CasoValor {
  std::int32_t dispid;
  const char* nombre;
  Valor puesto;
  Valor leido;
};

const CasoValor kValores[] = {
    {0x40030000, "glbEmpresa", 3, 3},
    {0x40030001, "glbN_empresa", "SUR LTDA", "SUR LTDA"},
    {0x40030002, "glbUsuario", "7", 7},  // a numeric text converts, as automation does
    {0x40030003, "glbN_usuario", "ANA", "ANA"},
    {0x40030004, "glbAlias", 2.0, 2},
    {0x40030005, "glbPrograma", "ctrsumsal", "ctrsumsal"},
    {0x40030008, "glbPermiso", "00011", "00011"},
    {0x40030009, "glbTipoImpresora", "laser", "laser"},
};

TEST(Despacho, LasPropiedadesDeValorPorDispidYPorNombre) {
  EntornoPrueba e;
  clssumsal cls(e.plataforma);
  for (const auto& c : kValores) {
    EXPECT_EQ(cls.dispid(c.nombre), c.dispid) << c.nombre;
    Valor inicial = cls.get(c.dispid).valor();
    bool esTexto = inicial.tipo() == Valor::Tipo::Texto;
    EXPECT_EQ(inicial, esTexto ? Valor("") : Valor(0)) << c.nombre;
    cls.put(c.dispid, c.puesto);
    EXPECT_EQ(cls.get(c.dispid).valor(), c.leido) << c.nombre;
    cls.put(c.nombre, esTexto ? Valor("otro") : Valor(-5));
    EXPECT_EQ(cls.get(c.nombre).valor(), esTexto ? Valor("otro") : Valor(-5)) << c.nombre;
  }
}

TEST(Despacho, LosObjetosSeAsignanPorReferenciaYLosMetodosSeLlaman) {
  EntornoPrueba e;
  clssumsal cls(e.plataforma);
  EXPECT_EQ(cls.get("glbdb").objeto(), nullptr);
  cls.putref(0x40030006, std::shared_ptr<BaseDatos>(e.contable));
  cls.putref("GLBDBREPORT", std::shared_ptr<BaseDatos>(e.informes));
  EXPECT_EQ(cls.get(0x40030006).objeto().get(), e.contable.get());  // the same object
  EXPECT_EQ(cls.get("glbdbReport").objeto().get(), e.informes.get());
  cls.put("glbPermiso", "00011");

  cls.call(clssumsal::kDispidShowForm);
  EXPECT_TRUE(cls.formulario()->visible());
  cls.call(clssumsal::kDispidUnloadForm);
  EXPECT_FALSE(cls.formulario()->cargado());
  cls.call("showform");
  EXPECT_TRUE(cls.formulario()->cargado());
  cls.call("UnloadForm");
  EXPECT_FALSE(cls.formulario()->cargado());
  EXPECT_TRUE(e.mensajes.cajas.empty());

  cls.putref("glbdb", std::shared_ptr<BaseDatos>());  // Nothing
  EXPECT_EQ(cls.glbdb, nullptr);
}

TEST(Despacho, UnAccesoQueElMiembroNoPermiteFalla) {
  EntornoPrueba e;
  clssumsal cls(e.plataforma);
  struct Caso {
    const char* que;
    std::function<void()> llamada;
    const char* descripcion;  // a part of the error's text
  };
  const Caso casos[] = {
      {"dispid ajeno", [&] { cls.get(0x40030010); }, "0x40030010"},
      {"nombre ajeno", [&] { cls.call("Imprimir"); }, "Imprimir"},
      {"put de un objeto", [&] { cls.put("glbdb", std::shared_ptr<BaseDatos>(e.contable)); },
       "glbdb"},
      {"putref de un valor", [&] { cls.putref("glbEmpresa", 3); }, "glbEmpresa"},
      {"get de un método", [&] { cls.get("ShowForm"); }, "ShowForm"},
      {"call de una propiedad", [&] { cls.call("glbPermiso"); }, "glbPermiso"},
      {"texto en un entero", [&] { cls.put("glbEmpresa", "tres"); }, kTiposNoCoinciden},
      {"entero fuera de 16 bits", [&] { cls.put("glbUsuario", 40000); }, kDesbordamiento},
      {"nulo en un texto", [&] { cls.put("glbPrograma", Valor()); }, kNuloInvalido},
      {"objeto en un valor", [&] { cls.put("glbAlias", std::shared_ptr<BaseDatos>()); },
       kTiposNoCoinciden},
  };
  for (const auto& c : casos) {
    try {
      c.llamada();
      ADD_FAILURE() << c.que << ": no falló";
    } catch (const Error& err) {
      EXPECT_NE(std::string(err.what()).find(c.descripcion), std::string::npos)
          << c.que << ": " << err.what();
    }
  }
  EXPECT_EQ(cls.glbUsuario, 0);  // a failed put stores nothing
}

TEST(Entrada, LaFabricaCreaLaClasePorSuIdentificador) {
  FabricaClase* fabrica = nullptr;
  EXPECT_EQ(DllGetClassObject("prjsumsal.otra", &fabrica), 1);
  EXPECT_EQ(fabrica, nullptr);
  ASSERT_EQ(DllGetClassObject("prjsumsal.clssumsal", &fabrica), 0);
  ASSERT_NE(fabrica, nullptr);
  EXPECT_TRUE(DllCanUnloadNow());
  auto cls = fabrica->CreateInstance();
  EXPECT_FALSE(DllCanUnloadNow());
  cls.reset();
  EXPECT_TRUE(DllCanUnloadNow());
}

TEST(Entrada, UnFormularioAbiertoImpideDescargarLaBiblioteca) {
  EntornoPrueba e;
  auto cls = std::make_unique<clssumsal>(e.plataforma);
  cls->glbdb = e.contable;
  cls->glbdbReport = e.informes;
  cls->ShowForm();
  cls.reset();
  EXPECT_FALSE(DllCanUnloadNow());
  formulariosAbiertos().front()->Unload();
  EXPECT_TRUE(DllCanUnloadNow());
}

class Registro : public ::testing::Test {
 protected:
  void SetUp() override {
    carpeta_ =
        std::filesystem::temp_directory_path() / ("nubo_registro_" + std::to_string(::getpid()));
    std::filesystem::remove_all(carpeta_);
    const char* previo = std::getenv("XDG_CONFIG_HOME");
    if (previo) previo_ = previo;
    ::setenv("XDG_CONFIG_HOME", carpeta_.c_str(), 1);
  }
  void TearDown() override {
    if (previo_) {
      ::setenv("XDG_CONFIG_HOME", previo_->c_str(), 1);
    } else {
      ::unsetenv("XDG_CONFIG_HOME");
    }
    std::filesystem::remove_all(carpeta_);
  }
  std::string contenido() {
    std::ifstream in(carpeta_ / "nubo" / "componentes");
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::filesystem::path carpeta_;
  std::optional<std::string> previo_;
};

TEST_F(Registro, RegistrarAgregaLaLineaYDesregistrarLaQuita) {
  std::string ruta = std::filesystem::absolute(std::filesystem::path(plataforma().carpetaModulo) /
                                               "libprjsumsal.so.1")
                         .string();
  EXPECT_EQ(archivoComponentes(), carpeta_ / "nubo" / "componentes");
  registrarComponente("otro.clase", "/opt/otro.so");
  EXPECT_EQ(DllRegisterServer(), 0);
  EXPECT_EQ(DllRegisterServer(), 0);  // again: still one line
  EXPECT_EQ(contenido(), "otro.clase=/opt/otro.so\nprjsumsal.clssumsal=" + ruta + "\n");
  EXPECT_EQ(componenteRegistrado("prjsumsal.clssumsal"), ruta);
  EXPECT_EQ(componenteRegistrado("prjsumsal"), std::nullopt);
  EXPECT_EQ(DllUnregisterServer(), 0);
  EXPECT_EQ(contenido(), "otro.clase=/opt/otro.so\n");
  EXPECT_EQ(componenteRegistrado("prjsumsal.clssumsal"), std::nullopt);
  EXPECT_EQ(DllUnregisterServer(), 0);  // nothing left to remove
}

// Installations registering at once neither fail nor leave files behind; without a
// configuration folder that can be written the registration lasts for the run.
TEST_F(Registro, VariasInstalacionesALaVezYSinCarpeta) {
  std::vector<std::thread> hilos;
  for (int h = 0; h < 8; ++h) {
    hilos.emplace_back([] {
      for (int i = 0; i < 20; ++i) registrarComponente("a.b", "/opt/a.so");
    });
  }
  for (auto& h : hilos) h.join();
  EXPECT_EQ(contenido(), "a.b=/opt/a.so\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(carpeta_ / "nubo"), {}), 1);
  std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  for (std::string xdg : {(carpeta_ / "nubo" / "componentes").string(), std::string()}) {
    ::setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);  // a file, not a folder; then nothing at all
    ::unsetenv("HOME");
    registrarComponente("c." + xdg, "/opt/c.so");
    EXPECT_EQ(componenteRegistrado("c." + xdg), "/opt/c.so") << xdg;
  }
  ::setenv("HOME", home.c_str(), 1);
}

}  // namespace
}  // namespace prjsumsal
