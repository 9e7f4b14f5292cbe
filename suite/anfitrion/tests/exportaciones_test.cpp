// nubo's two exports seen from outside the process: --excel answers the save dialog with its
// file, --pdf writes the hand-over files beside the module and starts RENDIDOR from there.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "ayuda_pruebas.h"

namespace suite {
namespace {

namespace fs = std::filesystem;
using prueba::correrNubo;
using prueba::leer;

// The lines of a file whose every line ends in CR LF.
std::vector<std::string> lineasCrLf(const fs::path& archivo) {
  std::string texto = leer(archivo);
  std::vector<std::string> r;
  for (std::size_t i = 0, fin; i < texto.size(); i = fin + 2) {
    fin = texto.find("\r\n", i);
    if (fin == std::string::npos) {
      ADD_FAILURE() << archivo << ": línea sin CR LF al final";
      break;
    }
    r.push_back(texto.substr(i, fin - i));
  }
  return r;
}

class Exportaciones : public prueba::ConDemo {
 protected:
  // An installation of its own: nubo and the module copied into a folder, so the module's
  // folder, where the hand-over files go and RENDIDOR is looked for, is the test's.
  fs::path instalar() {
    fs::path destino = carpeta_.ruta() / "instalacion";
    fs::create_directories(destino);
    fs::path bin = fs::path(NUBO_EJECUTABLE).parent_path();
    for (const auto& e : fs::directory_iterator(bin)) {
      std::string nombre = e.path().filename().string();
      if (nombre == "nubo" || nombre.starts_with("libprjsumsal.so")) {
        fs::copy(e.path(), destino / nombre, fs::copy_options::copy_symlinks);
      }
    }
    return destino;
  }

  prueba::Ejecucion correrInstalado(const fs::path& instalacion,
                                    const std::vector<std::string>& argumentos) {
    std::string orden = "'" + (instalacion / "nubo").string() + "'";
    for (const auto& a : argumentos) orden += " '" + a + "'";
    fs::path errores = carpeta_.ruta() / "errores";
    orden += " >/dev/null 2>'" + errores.string() + "' </dev/null";
    int estado = std::system(orden.c_str());
    return {WIFEXITED(estado) ? WEXITSTATUS(estado) : -1, "", leer(errores)};
  }
};

TEST_F(Exportaciones, ExcelGuardaElLibroEnElArchivoDado) {
  fs::path libro = carpeta_.ruta() / "balance.xls";
  std::ofstream(libro) << "libro anterior";
  auto e = correrNubo({"--demo", demo_, "--desde", "01/01/2026", "--hasta", "31/03/2026", "--excel",
                       libro.string()});
  EXPECT_EQ(e.estado, 0) << e.errores;
  EXPECT_EQ(e.errores, "");
  auto ls = lineasCrLf(libro);
  ASSERT_GT(ls.size(), 169u + 36 + 29);
  EXPECT_EQ(ls[0], "<?xml version='1.0'?>");
  EXPECT_EQ((ls.size() - 169 - 29) % 12, 0u);
  EXPECT_EQ(ls.back(), "</Workbook>");
}

// A name ending in .xlsx gets an Office Open XML package in place of the earlier file, and
// nothing is left beside it.
TEST_F(Exportaciones, ExcelConNombreXlsxGuardaUnLibroXlsx) {
  fs::path carpeta = carpeta_.ruta() / "libros";
  fs::create_directories(carpeta);
  fs::path libro = carpeta / "balance.xlsx";
  std::ofstream(libro) << "libro anterior";
  auto e = correrNubo({"--demo", demo_, "--hasta", "31/03/2026", "--excel", libro.string()});
  EXPECT_EQ(e.estado, 0) << e.errores;
  EXPECT_EQ(e.errores, "");
  EXPECT_EQ(leer(libro).substr(0, 4), std::string("PK\3\4", 4));
  EXPECT_EQ(std::distance(fs::directory_iterator(carpeta), {}), 1);
}

TEST_F(Exportaciones, PdfEscribeLosArchivosEIniciaRendidor) {
  fs::path inst = instalar();
  fs::path marca = inst / "rendidor_corrio";
  {
    std::ofstream r(inst / "RENDIDOR");
    r << "#!/bin/sh\n"
      << "cd \"$(dirname \"$0\")\"\n"
      << "echo \"$# $(wc -l < balance_tributario_empresa.xml)\" > rendidor_corrio.tmp\n"
      << "mv rendidor_corrio.tmp rendidor_corrio\n";
  }
  fs::permissions(inst / "RENDIDOR", fs::perms::owner_all);
  auto e = correrInstalado(
      inst, {"--demo", demo_, "--desde", "01/01/2026", "--hasta", "31/03/2026", "--pdf"});
  EXPECT_EQ(e.estado, 0) << e.errores;
  EXPECT_EQ(e.errores, "");
  auto datos = lineasCrLf(inst / "balance_tributario_datos.xml");
  ASSERT_GE(datos.size(), 2u + 18);
  EXPECT_EQ(datos.front(), "<tabla>");
  EXPECT_EQ(datos.back(), "</tabla>");
  EXPECT_EQ((datos.size() - 2) % 18, 0u);
  EXPECT_EQ(lineasCrLf(inst / "balance_tributario_empresa.xml").size(), 15u);
  // RENDIDOR runs on its own; it saw no argument and the finished heading file.
  for (int i = 0; i < 1000 && !fs::exists(marca); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(fs::exists(marca));
  EXPECT_EQ(leer(marca), "0 15\n");
}

}  // namespace
}  // namespace suite
