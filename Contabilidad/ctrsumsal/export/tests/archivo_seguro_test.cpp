#include "export/archivo_seguro.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>

#include "host/error.h"

namespace prjsumsal {
namespace {

namespace fs = std::filesystem;

class ArchivoSeguroTest : public testing::Test {
 protected:
  void SetUp() override {
    carpeta_ =
        fs::temp_directory_path() / ("archivo_seguro_" + std::to_string(::getpid()) + "_" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(carpeta_);
    fs::create_directories(carpeta_);
  }
  void TearDown() override { fs::remove_all(carpeta_); }

  std::string ruta(const std::string& nombre) const { return (carpeta_ / nombre).string(); }
  int archivos() const {
    int n = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(carpeta_)) ++n;
    return n;
  }
  static std::string leer(const std::string& r) {
    std::ifstream f(r, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
  }
  static void escribir(const std::string& r, const std::string& texto) {
    std::ofstream(r, std::ios::binary) << texto;
  }

  fs::path carpeta_;
};

TEST_F(ArchivoSeguroTest, ReemplazaElArchivoSoloAlConfirmar) {
  std::string r = ruta("libro.xls");
  escribir(r, "anterior");
  fs::permissions(r, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  {
    ArchivoSeguro a(r);
    a.flujo() << "nuevo";
    EXPECT_EQ(leer(r), "anterior");  // nothing visible before the end
    a.confirmar();
  }
  EXPECT_EQ(leer(r), "nuevo");
  EXPECT_EQ(archivos(), 1);
  EXPECT_EQ(fs::status(r).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ArchivoSeguroTest, SinConfirmarQuedaElAnteriorYNadaMas) {
  std::string r = ruta("libro.xls");
  escribir(r, "anterior");
  try {
    ArchivoSeguro a(r);
    a.flujo() << std::string(200000, 'x');  // more than one buffer reaches the disk
    throw Error("falla de la consulta");
  } catch (const Error&) {
  }
  EXPECT_EQ(leer(r), "anterior");
  EXPECT_EQ(archivos(), 1);
}

TEST_F(ArchivoSeguroTest, ArchivoNuevoNoQuedaSiNoSeConfirma) {
  {
    ArchivoSeguro a(ruta("nuevo.xml"));
    a.flujo() << "x";
  }
  EXPECT_EQ(archivos(), 0);
}

TEST_F(ArchivoSeguroTest, RutasQueNoSePuedenCrear) {
  const std::pair<std::string, const char*> casos[] = {
      {ruta("no_existe/libro.xls"), "la carpeta no existe"},
      {carpeta_.string(), "es una carpeta"},
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
  EXPECT_EQ(archivos(), 0);
}

TEST_F(ArchivoSeguroTest, DiscoLlenoEnDevFull) {
  ArchivoSeguro a("/dev/full");
  a.flujo() << "poco";
  try {
    a.confirmar();
    FAIL() << "se confirmó una escritura en /dev/full";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(),
                 "No se puede escribir el archivo /dev/full: no queda espacio en el disco");
  }
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
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
  EXPECT_EQ(archivos(), 1);
}

TEST_F(ArchivoSeguroTest, NombreLargoAdmitidoPorElSistema) {
  std::string r = ruta(std::string(250, 'n') + ".xls");
  ArchivoSeguro a(r);
  a.flujo() << "nuevo";
  a.confirmar();
  EXPECT_EQ(leer(r), "nuevo");
  EXPECT_EQ(archivos(), 1);
}

TEST_F(ArchivoSeguroTest, EnlaceSimbolicoSigueSiendoEnlace) {
  std::string real = ruta("real.xls"), enlace = ruta("enlace.xls");
  escribir(real, "anterior");
  fs::create_symlink(real, enlace);
  ArchivoSeguro a(enlace);
  a.flujo() << "nuevo";
  a.confirmar();
  EXPECT_TRUE(fs::is_symlink(enlace));
  EXPECT_EQ(leer(real), "nuevo");
}

}  // namespace
}  // namespace prjsumsal
