// nubo under faults: data that must not be lost, runs at the same time, clear messages.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "ayuda_pruebas.h"
#include "datos/esquema.h"
#include "export/archivo_seguro.h"
#include "salida_texto.h"
#include "senales.h"

namespace suite {
namespace {

namespace fs = std::filesystem;
using prueba::consultar;
using prueba::correrNubo;

std::string leer(const fs::path& p) {
  std::ostringstream s;
  s << std::ifstream(p, std::ios::binary).rdbuf();
  return s.str();
}

// A small company (admempresa included) and a report database given with --informes.
class Fallas : public ::testing::Test {
 protected:
  void SetUp() override {
    prueba::crearBaseChica(conta_);
    prueba::crearBase(conta_, "insert into admempresa(n_empresa) values('SUR')");
    prueba::crearBase(inf_, "create table programa(programa TEXT)");
  }
  prueba::Ejecucion nubo(std::vector<std::string> resto) {
    resto.insert(resto.begin(),
                 {"--contabilidad", conta_, "--informes", inf_, "--hasta", "31/03/2025"});
    return correrNubo(resto);
  }
  prueba::Carpeta c_;
  std::string conta_ = c_.ruta() / "contabilidad.db", inf_ = c_.ruta() / "informes.db";
};

TEST_F(Fallas, DatosUnLibroNoReemplazaUnaBaseAbierta) {
  fs::create_directory(c_.ruta() / "otra");
  fs::create_symlink(conta_, c_.ruta() / "enlace.xls");
  fs::create_symlink(inf_, c_.ruta() / "enlace.XLSX");
  for (std::string d :
       {conta_, (c_.ruta() / "otra/../informes.db").string(), (c_.ruta() / "enlace.xls").string(),
        (c_.ruta() / "enlace.XLSX").string()}) {
    auto e = nubo({"--excel", d});
    EXPECT_EQ(e.estado, 1) << d;
    EXPECT_NE(e.errores.find("es la base de datos de"), std::string::npos) << e.errores;
    EXPECT_EQ(consultar(conta_, "select count(*) from ctdcomprmm")[0] +
                  consultar(inf_, "select count(*) from programa")[0],
              "140");
  }
}

// An .xlsx the disk cannot take: the library's failure at the close is one line and status 1.
TEST_F(Fallas, MensajeUnXlsxQueNoSePuedeCerrarTerminaConEstado1) {
  fs::path lleno = c_.ruta() / "lleno.xlsx";
  fs::create_symlink("/dev/full", lleno);
  auto e = nubo({"--excel", lleno.string()});
  EXPECT_EQ(e.estado, 1);
  EXPECT_EQ(e.errores, "Mensaje: No se puede escribir el archivo " + lleno.string() +
                           ": no queda espacio en el disco\n");
}

TEST_F(Fallas, DatosUnaSenalBorraElTemporalYDejaElArchivoPrevio) {
  for (int senal : {SIGINT, SIGTERM, SIGHUP}) {
    fs::path libro = c_.ruta() / "s" / "libro.xls";
    fs::create_directories(libro.parent_path());
    std::ofstream(libro) << "previo";
    pid_t hijo = ::fork();
    if (hijo == 0) {
      limpiarAlTerminar();
      prjsumsal::ArchivoSeguro a(libro.string());
      a.flujo() << "a medio escribir" << std::flush;
      ::kill(::getpid(), senal);
      ::_exit(0);
    }
    int estado = 0;
    ::waitpid(hijo, &estado, 0);
    EXPECT_TRUE(WIFSIGNALED(estado) && WTERMSIG(estado) == senal) << senal;
    EXPECT_EQ(std::distance(fs::directory_iterator(libro.parent_path()), {}), 1) << senal;
    EXPECT_EQ(leer(libro), "previo") << senal;
  }
}

TEST_F(Fallas, DatosUnaTablaDeTrabajoHuerfanaSeEliminaAlAbrir) {
  prueba::crearBase(inf_, "create table ctrsumsal(empresa TEXT, reporte INTEGER PRIMARY KEY)");
  auto e = nubo({"--permiso", "11111", "--preparar"});
  EXPECT_EQ(e.estado, 0) << e.errores;
}

TEST_F(Fallas, ConcurrenciaOchoEjecucionesMezcladasDanLoMismo) {
  std::string demo = c_.ruta() / "demo";
  ::setenv("XDG_CACHE_HOME", (c_.ruta() / "cache").c_str(), 1);
  ASSERT_EQ(correrNubo({"--demo", demo}).estado, 0);
  const char* acciones[] = {"--texto", "--preparar", "--excel", "--grabar-contador"};
  std::vector<prueba::Ejecucion> e(8);
  std::vector<std::thread> hilos;
  for (std::size_t i = 0; i < e.size(); ++i) {
    hilos.emplace_back([&, i] {
      std::vector<std::string> a = {"--demo", demo, "--hasta", "30/11/2026", acciones[i % 4]};
      if (i % 4 == 2) a.push_back(demo + "/" + std::to_string(i));
      e[i] = correrNubo(a);
    });
  }
  for (auto& h : hilos) h.join();
  for (std::size_t i = 0; i < e.size(); ++i) {
    EXPECT_EQ(e[i].estado, 0) << i << ": " << e[i].errores;
    EXPECT_EQ(e[i].salida + e[i].errores, e[i % 4].salida + e[i % 4].errores) << i;
  }
  EXPECT_EQ(leer(demo + "/2"), leer(demo + "/6"));
  for (const auto& f : fs::directory_iterator(c_.ruta() / "cache" / "nubo")) {
    EXPECT_NE(f.path().extension(), ".db") << f.path();  // each run removed its database
  }
  ::unsetenv("XDG_CACHE_HOME");
}

TEST_F(Fallas, MensajeUnaSalidaLlenaTerminaConEstado1) {
  std::string orden = std::string(NUBO_EJECUTABLE) + " --contabilidad " + conta_ + " --informes " +
                      inf_ + " --texto >/dev/full 2>" + c_.ruta().string() + "/e";
  EXPECT_EQ(WEXITSTATUS(std::system(orden.c_str())), 1);
  EXPECT_EQ(leer(c_.ruta() / "e"),
            "nubo: No se puede escribir la salida: no queda espacio en el disco\n");
}

// Databases that cannot be used: status 1, one line naming the database and its file.
TEST_F(Fallas, MensajeUnaBaseInservibleNombraSuPapelYSuArchivo) {
  std::string vacia = c_.ruta() / "v.db", texto = c_.ruta() / "t.db";
  std::ofstream(vacia).close();
  std::ofstream(texto) << "esto no es una base de datos\n";
  for (auto [conta, inf, accion, archivo] : {std::tuple{conta_, vacia, "--preparar", vacia},
                                             {texto, inf_, "--texto", texto},
                                             {inf_, inf_, "--grabar-contador", inf_}}) {
    auto e = correrNubo({"--contabilidad", conta, "--informes", inf, accion});
    EXPECT_EQ(e.estado, 1) << e.errores;
    EXPECT_EQ(std::count(e.errores.begin(), e.errores.end(), '\n'), 1) << e.errores;
    EXPECT_NE(e.errores.find(archivo), std::string::npos) << e.errores;
    EXPECT_NE(e.errores.find(archivo == vacia ? "informes" : "contabilidad"), std::string::npos);
  }
  EXPECT_EQ(fs::file_size(vacia), 0u);
}

TEST_F(Fallas, MensajeUnBalanceQueNoCuadraSeAvisa) {
  // The host's table without STRICT keeps a text amount, which the engine sums as 1.
  prueba::crearBase(conta_,
                    "create table d as select * from ctdcomprmm; drop table ctdcomprmm;"
                    "alter table d rename to ctdcomprmm; update ctdcomprmm set"
                    " debe_nacional='1.000,50' where debe_nacional=1000");
  for (auto args : {std::vector<std::string>{"--texto"},
                    {"--excel", c_.ruta() / "l.xls"},
                    {"--vista-previa", c_.ruta() / "v.pdf"},
                    {"--pdf"}}) {
    auto e = nubo(args);
    EXPECT_EQ(e.estado, 0) << e.errores;  // the bad amount is in January: only the year fails
    EXPECT_EQ(e.errores.rfind("nubo: El balance no cuadra: Deudor ", 0), 0u) << e.errores;
    EXPECT_EQ(e.errores.find("Debitos"), std::string::npos) << e.errores;
  }
  EXPECT_ANY_THROW(prueba::crearBase(
      c_.ruta() / "s.db",
      scriptTablasContabilidad() + "insert into ctdcomprmm(haber_nacional) values('abc')"));
}

// A period from the year before: warned, figures as from the first of January. "--excel -".
TEST_F(Fallas, MensajeDesdeDelAnioAnteriorYExcelALaSalida) {
  auto antes = nubo({"--desde", "15/12/2024", "--texto"});
  EXPECT_EQ(antes.salida, nubo({"--desde", "01/01/2025", "--texto"}).salida);
  EXPECT_EQ(antes.errores,
            "nubo: aviso: --desde 15/12/2024 es anterior al 01/01/2025: las columnas del período "
            "cuentan solo desde el 01/01/2025, el año de --hasta\n");
  ASSERT_EQ(nubo({"--excel", c_.ruta() / "l.xls"}).estado, 0);
  EXPECT_TRUE(nubo({"--excel", "-"}).salida == leer(c_.ruta() / "l.xls"));
}

TEST(SalidaTerminal, LosCaracteresDeControlNoLleganAlTerminal) {
  std::ostringstream s;
  escribirTabla(s, {{"1101\x1b[5m", "\x1b]0;t\x07\x1b[2J Ca\rja\x7f \xc2\x9b", {1.0}}});
  EXPECT_EQ(s.str().find_first_of("\x1b\x07\r\x7f"), std::string::npos) << s.str();
  EXPECT_EQ(s.str().find("\xc2\x9b"), std::string::npos) << s.str();
}

}  // namespace
}  // namespace suite
