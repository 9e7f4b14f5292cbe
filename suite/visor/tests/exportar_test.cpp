#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cerrno>
#include <fstream>
#include <sstream>

#include "disco_falla.h"
#include "visor/exportar.h"

namespace suite::visor {
namespace {

TablaExportada tabla() {
  TablaExportada t;
  t.titulos = {"Cuenta", "Nombre", "Debitos"};
  t.filas = {{"1", "=HIPERVINCULO(\"x\")", {1234.5}, false},
             {"2", "Caja; chica", {std::nullopt}, false},
             {"", "-Ajuste\n2", {-0.4}, true}};
  return t;
}

// Names that a spreadsheet would take for a formula get a leading quote; separators and quotes
// inside a text are quoted; amounts are whole pesos, a blank stays blank.
TEST(Csv, CamposSegurosYMontosEnteros) {
  std::ostringstream s;
  escribirCsv(s, tabla());
  EXPECT_EQ(s.str(),
            "\xEF\xBB\xBF"
            "Cuenta;Nombre;Debitos\r\n"
            "1;\"'=HIPERVINCULO(\"\"x\"\")\";1235\r\n"
            "2;\"Caja; chica\";\r\n"
            ";\"'-Ajuste\n2\";0\r\n");
}

// A full disk on a write, or a failed sync or close, fails the export with the file's name and
// leaves the previous file as it was, with no temporary file beside it.
TEST(Csv, UnFalloDelDiscoDejaElArchivoAnterior) {
  using L = prjsumsal::prueba::DiscoFalla::Llamada;
  QTemporaryDir dir;
  const std::string ruta = dir.filePath("b.csv").toStdString();
  BalanceVisor b;
  for (auto [llamada, error] : {std::pair{L::Escribir, ENOSPC},
                                {L::Sincronizar, EIO},
                                {L::Cerrar, EIO},
                                {L::Abrir, EACCES}}) {
    std::ofstream(ruta) << "anterior";
    prjsumsal::prueba::DiscoFalla disco(llamada, 1, error);
    try {
      exportar(ruta, tabla(), b, {.empresa = "SUR"}, &disco);
      ADD_FAILURE() << "sin error " << static_cast<int>(llamada);
    } catch (const std::exception& e) {
      EXPECT_NE(std::string(e.what()).find(ruta), std::string::npos) << e.what();
    }
    std::ifstream leido(ruta);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(leido), {}), "anterior");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
  }
}

}  // namespace
}  // namespace suite::visor
