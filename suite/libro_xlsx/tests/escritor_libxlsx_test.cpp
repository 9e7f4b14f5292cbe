// The writer over libxlsxwriter where it meets the disk: a file that cannot be written whole is
// a Spanish message naming the user's file, and nothing of the library on standard error. What
// Calc reads and prints from a written workbook is tested in suite/calc.
#include "libro_xlsx/escritor_libxlsx.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "disco_chico.h"
#include "host/error.h"

namespace suite::libro_xlsx {
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

void llenar(prjsumsal::EscritorXlsx& e, int filas = 1) {
  prjsumsal::FormatoCelda negrita, miles;
  negrita.negrita = negrita.centrado = negrita.abajo = true;
  miles.numero = "#,##0";
  e.centrar(0, 0, 1, "Cuenta", negrita);
  for (int f = 1; f <= filas; ++f) {
    e.texto(f, 0, "Compañía & <Hijos>", {});
    e.numero(f, 1, 1234567 + f, miles);
  }
}

// The folder gone before the close, a disk that is full, and a temporary folder that is full
// while the workbook's own disk is not (the library then writes a whole zip of cut parts): one
// message each, in Spanish, naming the file as the user chose it, and none of the library's
// temporary files left.
TEST(EscritorLibxlsx, UnCierreFallidoLoDiceSinRuidoDeLaBiblioteca) {
  fs::path carpeta = fs::temp_directory_path() / ("escritor_falla_" + std::to_string(getpid()));
  prjsumsal::prueba::DiscoChico chico(64);
  if (!chico.montado()) GTEST_SKIP() << "no se puede montar un tmpfs aquí";
  const struct {
    std::string ruta, causa, temporal;
    bool borrarCarpeta;
  } casos[] = {
      {(carpeta / "b.tmp").string(), "la carpeta no existe", "", true},
      {"/dev/full", "no queda espacio en el disco", "", true},
      {(carpeta / "b.tmp").string(), "no queda espacio en el disco", chico.ruta().string(), false},
  };
  for (const auto& c : casos) {
    fs::create_directories(carpeta);
    EscritorLibxlsx e(c.ruta, "balance.xlsx", diseno(), c.temporal);
    llenar(e, 5000);
    if (c.borrarCarpeta) fs::remove_all(carpeta);
    testing::internal::CaptureStderr();
    try {
      e.cerrar();
      ADD_FAILURE() << c.ruta << ": cerrar() no falló";
    } catch (const prjsumsal::Error& x) {
      EXPECT_EQ(std::string(x.what()), "No se puede escribir el archivo balance.xlsx: " + c.causa);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << c.ruta;
    fs::remove_all(carpeta);
  }
  EXPECT_TRUE(fs::is_empty(chico.ruta()));  // the library's temporary files are gone
}

TEST(EscritorLibxlsx, TextoMasLargoQueUnaCelda) {
  EscritorLibxlsx e("/nunca/b.tmp", "balance.xlsx", diseno());
  testing::internal::CaptureStderr();
  EXPECT_THROW(e.texto(5, 1, std::string(32768, 'x'), {}), prjsumsal::Error);
  EXPECT_NO_THROW(e.texto(5, 1, std::string(32767, 'x'), {}));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace suite::libro_xlsx
