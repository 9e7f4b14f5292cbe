// nubo's two exports seen from outside the process: --excel answers the save dialog with its
// file, --pdf writes the hand-over files beside the module and starts RENDIDOR from there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "ayuda_pruebas.h"

namespace suite::anfitrion {
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
    std::string orden =
        "env -u DISPLAY -u WAYLAND_DISPLAY '" + (instalacion / "nubo").string() + "'";
    for (const auto& a : argumentos) orden += " '" + a + "'";
    fs::path salida = carpeta_.ruta() / "salida", errores = carpeta_.ruta() / "errores";
    orden += " >'" + salida.string() + "' 2>'" + errores.string() + "' </dev/null";
    int estado = std::system(orden.c_str());
    return {WIFEXITED(estado) ? WEXITSTATUS(estado) : -1, leer(salida), leer(errores)};
  }

  // Puts a RENDIDOR made of `cuerpo` (shell) into the installation.
  void rendidor(const fs::path& inst, const std::string& cuerpo) {
    std::ofstream(inst / "RENDIDOR") << "#!/bin/sh\n" << cuerpo;
    fs::permissions(inst / "RENDIDOR", fs::perms::owner_all);
  }
};

// The workbook takes the place of an earlier file under whatever name is given, and nothing is
// left beside it: a name ending in .xlsx (in any case) gets an Office Open XML package, any other
// the XML Spreadsheet 2003 workbook, with a warning unless the name ends in .xls.
TEST_F(Exportaciones, ExcelGuardaElLibroConElNombreDado) {
  const std::pair<std::string, std::string> casos[] = {
      {"balance.xls", "<?xml"}, {"balance.ods", "<?xml"},   {"balance", "<?xml"},
      {"BALANCE.XLS", "<?xml"}, {"balance.xlsx", "PK\3\4"}, {"balance.XlsX", "PK\3\4"}};
  for (const auto& [nombre, inicio] : casos) {
    SCOPED_TRACE(nombre);
    fs::path carpeta = carpeta_.ruta() / nombre.substr(nombre.find('.') + 1);
    fs::create_directories(carpeta);
    fs::path libro = carpeta / nombre;
    std::ofstream(libro) << "libro anterior";
    auto e = correrNubo({"--demo", demo_, "--hasta", "31/03/2026", "--excel", libro.string()});
    EXPECT_EQ(e.estado, 0);
    EXPECT_EQ(leer(libro).substr(0, inicio.size()), inicio);
    EXPECT_EQ(std::distance(fs::directory_iterator(carpeta), {}), 1);
    if (inicio == "<?xml") {
      auto ls = lineasCrLf(libro);
      ASSERT_GT(ls.size(), 169u + 36 + 29);
      EXPECT_EQ((ls.size() - 169 - 29) % 12, 0u);
      EXPECT_EQ(ls.back(), "</Workbook>");
    }
    if (inicio == "PK\3\4" || nombre.ends_with(".xls") || nombre.ends_with(".XLS")) {
      EXPECT_EQ(e.errores, "");
    } else {
      EXPECT_EQ(e.errores, "nubo: aviso: --excel " + libro.string() +
                               ": se escribe un libro XML Spreadsheet 2003, que se abre como .xls; "
                               "el nombre no termina en .xls (ni en .xlsx, que da un libro Office "
                               "Open XML)\n");
    }
  }
}

TEST_F(Exportaciones, PdfEscribeLosArchivosEIniciaRendidor) {
  fs::path inst = instalar();
  // It takes a while, so a nubo that did not wait for it would be gone before it is done.
  rendidor(inst,
           "sleep 0.5\n"
           "cd \"$(dirname \"$0\")\"\n"
           "echo \"$# $(wc -l < balance_tributario_empresa.xml)\" > rendidor_corrio\n"
           "echo \"$(pwd -P)/balance_tributario.pdf\"\n");
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
  // nubo returned after RENDIDOR, which saw no argument and the finished heading file, and
  // passed on where the PDF is.
  EXPECT_EQ(leer(inst / "rendidor_corrio"), "0 15\n");
  EXPECT_EQ(e.salida, fs::canonical(inst).string() + "/balance_tributario.pdf\n");
}

// A RENDIDOR that fails is nubo's failure: its own line, or nubo's when it could not say it;
// the actions after it do not run. With the balance on standard output, RENDIDOR's output
// goes to standard error.
TEST_F(Exportaciones, PdfEsperaARendidorYTomaSuFalla) {
  fs::path inst = instalar();
  const std::string pdf = "/carpeta/balance_tributario.pdf\n";
  struct Caso {
    std::string cuerpo;
    std::vector<std::string> acciones;
    int estado;
    std::string errores;
  } casos[] = {
      {"echo 'RENDIDOR: balance_tributario_datos.xml: línea 3: cortado' >&2\nexit 1\n",
       {"--pdf", "--texto"},
       1,
       "RENDIDOR: balance_tributario_datos.xml: línea 3: cortado\n"},
      {"kill -9 $$\n", {"--pdf"}, 1, "nubo: RENDIDOR terminó por la señal 9; no hay PDF nuevo\n"},
      {"echo " + pdf, {"--texto", "--pdf"}, 0, pdf},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.cuerpo);
    rendidor(inst, c.cuerpo);
    std::vector<std::string> args = {"--demo", demo_, "--hasta", "31/03/2026"};
    args.insert(args.end(), c.acciones.begin(), c.acciones.end());
    auto e = correrInstalado(inst, args);
    EXPECT_EQ(e.estado, c.estado);
    EXPECT_EQ(e.errores, c.errores);
    // The balance only when asked for before the failure, or when RENDIDOR did well.
    EXPECT_EQ(e.salida.find("TOTALES") != std::string::npos, c.estado == 0);
    EXPECT_EQ(e.salida.find(pdf), std::string::npos);
  }
}

}  // namespace
}  // namespace suite::anfitrion
