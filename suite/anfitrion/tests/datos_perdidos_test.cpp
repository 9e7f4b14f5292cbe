// Faults that would lose data: an export over an open database, temporary files left by a
// signal, a work table left by a killed run.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "ayuda_pruebas.h"
#include "export/archivo_seguro.h"
#include "senales.h"

namespace suite {
namespace {

namespace fs = std::filesystem;
using prueba::Carpeta;
using prueba::correrNubo;

std::string leer(const fs::path& p) {
  std::ostringstream s;
  s << std::ifstream(p, std::ios::binary).rdbuf();
  return s.str();
}

TEST(DatosPerdidos, UnLibroNoReemplazaUnaBaseAbierta) {
  Carpeta c;
  fs::path conta = c.ruta() / "contabilidad.db", inf = c.ruta() / "informes.db";
  prueba::crearBaseChica(conta);
  prueba::crearBase(inf, "create table programa(programa TEXT)");
  fs::create_directory(c.ruta() / "otra");
  fs::create_symlink(conta, c.ruta() / "enlace.xls");
  const std::string destinos[] = {conta.string(), (c.ruta() / "otra" / ".." / "informes.db"),
                                  (c.ruta() / "enlace.xls").string()};
  auto filas = [&] {
    return prueba::consultar(conta, "select count(*) from ctdcomprmm")[0] +
           prueba::consultar(inf, "select count(*) from programa")[0];
  };
  std::string antes = filas();
  for (const auto& d : destinos) {
    auto e = correrNubo({"--contabilidad", conta, "--informes", inf, "--excel", d});
    EXPECT_EQ(e.estado, 1) << d;
    EXPECT_NE(e.errores.find("es la base de datos de"), std::string::npos) << e.errores;
    EXPECT_EQ(filas(), antes) << d;
  }
}

// A signal in the middle of an export: the temporary file goes, the previous file stays.
TEST(DatosPerdidos, UnaSenalBorraElTemporalYDejaElArchivoPrevio) {
  for (int senal : {SIGINT, SIGTERM, SIGHUP}) {
    Carpeta c;
    fs::path libro = c.ruta() / "libro.xls";
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
    std::vector<std::string> quedan;
    for (const auto& f : fs::directory_iterator(c.ruta())) quedan.push_back(f.path().filename());
    EXPECT_EQ(quedan, std::vector<std::string>{"libro.xls"}) << senal;
    EXPECT_EQ(leer(libro), "previo") << senal;
  }
}

TEST(DatosPerdidos, UnaTablaDeTrabajoHuerfanaSeEliminaAlAbrir) {
  Carpeta c;
  fs::path conta = c.ruta() / "contabilidad.db", inf = c.ruta() / "informes.db";
  prueba::crearBaseChica(conta);
  prueba::crearBase(conta, "insert into admempresa(n_empresa) values('SUR')");
  prueba::crearBase(inf,
                    "create table programa(programa TEXT);"
                    "create table ctrsumsal(empresa TEXT, reporte INTEGER PRIMARY KEY)");
  auto e = correrNubo({"--contabilidad", conta, "--informes", inf, "--hasta", "31/03/2025",
                       "--permiso", "11111", "--preparar"});
  EXPECT_EQ(e.estado, 0) << e.errores;
  EXPECT_EQ(e.errores, "");
}

}  // namespace
}  // namespace suite
