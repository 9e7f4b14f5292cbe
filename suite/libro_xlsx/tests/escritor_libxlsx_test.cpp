// The writer over libxlsxwriter where it meets the disk: a file that cannot be written whole is
// a Spanish message naming the user's file, and nothing of the library on standard error. What
// Calc reads from a written workbook is tested in suite/calc.
#include "libro_xlsx/escritor_libxlsx.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "host/error.h"

namespace suite {
namespace {

namespace fs = std::filesystem;

prjsumsal::DisenoLibro diseno() {
  prjsumsal::DisenoLibro d;
  d.hoja = "balance general";
  d.anchos = {60, 198};
  d.filasFijas = 1;
  d.apaisado = d.ajustarAncho = true;
  return d;
}

void llenar(prjsumsal::EscritorXlsx& e) {
  prjsumsal::FormatoCelda negrita, miles;
  negrita.negrita = negrita.centrado = negrita.abajo = true;
  miles.numero = "#,##0";
  e.combinar(0, 0, 1, 0, "Cuenta", negrita);
  e.texto(2, 0, "Compañía & <Hijos>", {});
  e.numero(2, 1, 1234567, miles);
}

TEST(EscritorLibxlsx, EscribeElLibroAlCerrar) {
  fs::path carpeta = fs::temp_directory_path() / ("escritor_" + std::to_string(getpid()));
  fs::create_directories(carpeta);
  const std::string ruta = (carpeta / "b.tmp").string();
  EscritorLibxlsx e(ruta, "b.xlsx", diseno());
  llenar(e);
  EXPECT_FALSE(fs::exists(ruta));  // nothing on the disk before the close
  e.cerrar();
  std::ifstream f(ruta, std::ios::binary);
  std::string cabeza(2, '\0');
  f.read(cabeza.data(), 2);
  EXPECT_EQ(cabeza, "PK");  // a zip package
  fs::remove_all(carpeta);
}

// The folder gone before the close, and a disk that is full: one message each, in Spanish,
// naming the file as the user chose it.
TEST(EscritorLibxlsx, UnCierreFallidoLoDiceSinRuidoDeLaBiblioteca) {
  fs::path carpeta = fs::temp_directory_path() / ("escritor_falla_" + std::to_string(getpid()));
  const struct {
    std::string ruta, causa;
  } casos[] = {
      {(carpeta / "b.tmp").string(), "la carpeta no existe"},
      {"/dev/full", "no queda espacio en el disco"},
  };
  for (const auto& c : casos) {
    fs::create_directories(carpeta);
    EscritorLibxlsx e(c.ruta, "balance.xlsx", diseno());
    llenar(e);
    fs::remove_all(carpeta);
    testing::internal::CaptureStderr();
    try {
      e.cerrar();
      ADD_FAILURE() << c.ruta << ": cerrar() no falló";
    } catch (const prjsumsal::Error& x) {
      EXPECT_EQ(std::string(x.what()), "No se puede escribir el archivo balance.xlsx: " + c.causa);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << c.ruta;
    EXPECT_FALSE(fs::exists(carpeta));
  }
}

TEST(EscritorLibxlsx, TextoMasLargoQueUnaCelda) {
  EscritorLibxlsx e("/nunca/b.tmp", "balance.xlsx", diseno());
  testing::internal::CaptureStderr();
  EXPECT_THROW(e.texto(5, 1, std::string(32768, 'x'), {}), prjsumsal::Error);
  EXPECT_NO_THROW(e.texto(5, 1, std::string(32767, 'x'), {}));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace suite
