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

namespace suite {
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
  const std::vector<ColumnaHoja> columnas = {{"Cuenta"}, {"Nombre", false, 198}, {"Saldo", true}};
  CabezaHoja cabeza{"TÍTULO", "Empresa", "1-9", "01/01/2026 - 31/12/2026", "07/12/2026"};
  auto llenar = [&](bool fallar) {
    return [&, fallar](prjsumsal::EscritorXlsx& e) {
      HojaTabla hoja(e, columnas);
      hoja.cabeza(cabeza);
      for (int i = 0; i < 3000; ++i) hoja.fila({std::to_string(i), "cuenta", 1e6 * i});
      if (fallar)
        hoja.fila({std::string("x"), std::string("y"), std::numeric_limits<double>::infinity()});
      hoja.terminar();
    };
  };
  DiscoFalla sinSync(DiscoFalla::Llamada::Sincronizar, 1, EIO);
  DiscoFalla sinCierre(DiscoFalla::Llamada::Cerrar, 1, ENOSPC);
  const struct {
    prjsumsal::Disco* disco;
    bool fallar;
    std::string mensaje;
  } casos[] = {
      {nullptr, true, "Desbordamiento"},
      {&sinSync, false,
       "No se puede escribir el archivo " + ruta.string() +
           ": error de entrada o salida del disco"},
      {&sinCierre, false,
       "No se puede escribir el archivo " + ruta.string() + ": no queda espacio en el disco"},
  };
  for (const auto& c : casos) {
    fs::remove_all(carpeta);
    fs::create_directories(carpeta);
    std::ofstream(ruta) << "libro anterior";
    try {
      guardarLibroXlsx(ruta.string(), HojaTabla::diseno("hoja", cabeza, columnas), llenar(c.fallar),
                       c.disco);
      ADD_FAILURE() << c.mensaje << ": no falló";
    } catch (const prjsumsal::Error& e) {
      EXPECT_EQ(std::string(e.what()), c.mensaje);
    }
    EXPECT_EQ(leer(ruta), "libro anterior");
    EXPECT_EQ(std::distance(fs::directory_iterator(carpeta), fs::directory_iterator()), 1);
  }
  guardarLibroXlsx(ruta.string(), HojaTabla::diseno("hoja", cabeza, columnas), llenar(false));
  EXPECT_TRUE(leer(ruta).starts_with("PK"));
  fs::remove_all(carpeta);
}

}  // namespace
}  // namespace suite
