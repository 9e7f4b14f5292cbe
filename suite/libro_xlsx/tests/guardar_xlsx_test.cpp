// A workbook saved the one safe way: a failure of the layout or of the disk leaves the earlier
// file as it was and nothing else in its folder.
#include "libro_xlsx/guardar_xlsx.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include "disco_falla.h"
#include "host/error.h"
#include "libro_xlsx/hoja_tabla.h"

namespace suite::libro_xlsx {
namespace {

namespace fs = std::filesystem;
using prjsumsal::prueba::DiscoFalla;

std::string leer(const fs::path& p) {
  std::ostringstream s;
  s << std::ifstream(p, std::ios::binary).rdbuf();
  return s.str();
}

TEST(GuardarLibroXlsx, UnaFallaDejaElLibroAnterior) {
  const fs::path carpeta = fs::temp_directory_path() / ("guardar_xlsx_" + std::to_string(getpid()));
  const fs::path ruta = carpeta / "c.xlsx";
  const std::vector<ColumnaHoja> columnas = {{"Cuenta"}, {"Saldo", true}};
  const CabezaHoja cabeza{"TÍTULO", "Empresa", "1-9", "2026", "07/12/2026"};
  DiscoFalla sinSync(DiscoFalla::Llamada::Sincronizar, 1, EIO);
  DiscoFalla sinCierre(DiscoFalla::Llamada::Cerrar, 1, ENOSPC);
  const struct {
    prjsumsal::Disco* disco;
    double ultima;  // the last row's amount: not a number stops the layout
    std::string mensaje;
  } casos[] = {
      {nullptr, std::numeric_limits<double>::infinity(), "Desbordamiento"},
      {&sinSync, 1,
       "No se puede escribir el archivo " + ruta.string() +
           ": error de entrada o salida del disco"},
      {&sinCierre, 1,
       "No se puede escribir el archivo " + ruta.string() + ": no queda espacio en el disco"},
  };
  for (const auto& c : casos) {
    fs::remove_all(carpeta);
    fs::create_directories(carpeta);
    std::ofstream(ruta) << "libro anterior";
    auto llenar = [&](prjsumsal::EscritorXlsx& e) {
      HojaTabla hoja(e, columnas);
      hoja.cabeza(cabeza);
      for (int i = 0; i < 3000; ++i) hoja.fila({std::to_string(i), 1e6 * i});
      hoja.fila({std::string("x"), c.ultima});
    };
    try {
      guardarLibroXlsx(ruta.string(), HojaTabla::diseno("h", cabeza, columnas), llenar, c.disco);
      ADD_FAILURE() << c.mensaje << ": no falló";
    } catch (const prjsumsal::Error& e) {
      EXPECT_EQ(std::string(e.what()), c.mensaje);
    }
    EXPECT_EQ(leer(ruta), "libro anterior");
    EXPECT_EQ(std::distance(fs::directory_iterator(carpeta), fs::directory_iterator()), 1);
  }
  fs::remove_all(carpeta);
}

}  // namespace
}  // namespace suite::libro_xlsx
