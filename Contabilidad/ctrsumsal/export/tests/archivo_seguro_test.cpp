#include "export/archivo_seguro.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "archivos_prueba.h"
#include "host/error.h"

namespace prjsumsal {
namespace {

namespace fs = std::filesystem;
using prueba::escribir;
using prueba::leer;

class ArchivoSeguroTest : public testing::Test {
 protected:
  std::string ruta(const std::string& nombre) const { return carpeta_.ruta(nombre); }
  std::size_t archivos() const { return carpeta_.archivos().size(); }

  prueba::CarpetaPrueba carpeta_{"archivo_seguro_"};
};

// The file is replaced, keeping its permissions, only when confirmed; until then, and when never
// confirmed (a failure part way, with more than one buffer already on disk), the earlier file or
// nothing stays, and no temporary file.
TEST_F(ArchivoSeguroTest, ReemplazaElArchivoSoloAlConfirmar) {
  const fs::perms permisos = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  struct Caso {
    const char* anterior;  // nullptr: no earlier file
    bool confirmar;
    const char* queda;  // nullptr: no file
  };
  const Caso casos[] = {
      {"anterior", true, "nuevo"},
      {"anterior", false, "anterior"},
      {nullptr, false, nullptr},
  };
  for (const auto& c : casos) {
    std::string r = ruta("libro.xls");
    fs::remove(r);
    if (c.anterior) {
      escribir(r, c.anterior);
      fs::permissions(r, permisos);
    }
    {
      ArchivoSeguro a(r);
      a.flujo() << "nuevo" << std::string(200000, ' ');
      EXPECT_EQ(leer(r), c.anterior ? c.anterior : "");  // nothing visible before the end
      if (c.confirmar) a.confirmar();
    }
    SCOPED_TRACE(std::string(c.anterior ? c.anterior : "sin anterior") +
                 (c.confirmar ? ", confirmado" : ", sin confirmar"));
    EXPECT_EQ(archivos(), c.queda ? 1u : 0u);
    if (c.queda) {
      EXPECT_EQ(leer(r).substr(0, 5), std::string(c.queda).substr(0, 5));
      EXPECT_EQ(fs::status(r).permissions() & fs::perms::all, permisos);
    }
  }
}

TEST_F(ArchivoSeguroTest, RutasQueNoSePuedenCrear) {
  const std::pair<std::string, const char*> casos[] = {
      {ruta("no_existe/libro.xls"), "la carpeta no existe"},
      {carpeta_.ruta().string(), "es una carpeta"},
      {"", "no se indicó su nombre"},
  };
  for (const auto& [r, motivo] : casos) {
    try {
      ArchivoSeguro a(r);
      ADD_FAILURE() << "se abrió " << r;
    } catch (const Error& e) {
      std::string m = e.what();
      EXPECT_EQ(m.rfind("No se puede crear el archivo" + (r.empty() ? "" : " " + r), 0), 0u) << m;
      EXPECT_NE(m.find(motivo), std::string::npos) << m;
    }
  }
  EXPECT_EQ(archivos(), 0u);
}

// A write that fails half way on a real file: the file size limit makes the kernel refuse
// the write once the temporary file would pass 100000 bytes.
TEST_F(ArchivoSeguroTest, EscrituraQueFallaAMitadDeCamino) {
  std::string r = ruta("libro.xls");
  escribir(r, "anterior");
  auto senal = std::signal(SIGXFSZ, SIG_IGN);
  rlimit antes{};
  getrlimit(RLIMIT_FSIZE, &antes);
  rlimit limite = antes;
  limite.rlim_cur = 100000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
  std::string mensaje;
  try {
    ArchivoSeguro a(r);
    for (int i = 0; i < 10000; ++i) a.flujo() << "<Row>una línea del libro</Row>\r\n";
    a.confirmar();
  } catch (const Error& e) {
    mensaje = e.what();
  }
  setrlimit(RLIMIT_FSIZE, &antes);
  std::signal(SIGXFSZ, senal);
  EXPECT_EQ(mensaje, "No se puede escribir el archivo " + r +
                         ": el archivo supera el tamaño máximo permitido");
  EXPECT_EQ(leer(r), "anterior");
  EXPECT_EQ(archivos(), 1u);
}

// A name as long as the system admits, and a symbolic link, which stays a link to the file it
// named.
TEST_F(ArchivoSeguroTest, NombreLargoYEnlaceSimbolico) {
  std::string largo = ruta(std::string(250, 'n') + ".xls");
  std::string real = ruta("real.xls"), enlace = ruta("enlace.xls");
  escribir(real, "anterior");
  fs::create_symlink(real, enlace);
  for (const std::string& r : {largo, enlace}) {
    ArchivoSeguro a(r);
    a.flujo() << "nuevo";
    a.confirmar();
    EXPECT_EQ(leer(r), "nuevo") << r;
  }
  EXPECT_TRUE(fs::is_symlink(enlace));
  EXPECT_EQ(leer(real), "nuevo");
  EXPECT_EQ(archivos(), 3u);
}

}  // namespace
}  // namespace prjsumsal
