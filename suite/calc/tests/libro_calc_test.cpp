#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "export/archivo_seguro.h"
#include "export/libro_excel.h"

extern char** environ;

namespace prjsumsal {
namespace {

namespace fs = std::filesystem;

// One CSV line split into its fields; a field between double quotes may hold commas and
// doubled quotes.
std::vector<std::string> campos(const std::string& linea) {
  std::vector<std::string> r(1);
  bool entreComillas = false;
  for (std::size_t i = 0; i < linea.size(); ++i) {
    char c = linea[i];
    if (entreComillas) {
      if (c == '"' && i + 1 < linea.size() && linea[i + 1] == '"') {
        r.back() += '"';
        ++i;
      } else if (c == '"') {
        entreComillas = false;
      } else {
        r.back() += c;
      }
    } else if (c == '"') {
      entreComillas = true;
    } else if (c == ',') {
      r.emplace_back();
    } else if (c != '\r') {
      r.back() += c;
    }
  }
  return r;
}

// Runs soffice headless with a profile of its own to turn `libro` into CSV in `carpeta`
// (UTF-8, comma-separated, raw cell values rather than formatted ones).
int convertir(const fs::path& libro, const fs::path& carpeta) {
  std::string perfil = "-env:UserInstallation=file://" + (carpeta / "perfil").string();
  std::string filtro = "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false";
  std::string salida = carpeta.string(), entrada = libro.string();
  std::vector<const char*> args = {NUBO_SOFFICE,    "--headless",   "--norestore", perfil.c_str(),
                                   "--convert-to",  filtro.c_str(), "--outdir",    salida.c_str(),
                                   entrada.c_str(), nullptr};
  pid_t pid;
  if (posix_spawn(&pid, NUBO_SOFFICE, nullptr, nullptr, const_cast<char* const*>(args.data()),
                  environ) != 0) {
    return -1;
  }
  int estado = 0;
  waitpid(pid, &estado, 0);
  return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
}

TEST(LibroEnCalc, CifrasTextosYCodigosSeLeenComoSeEscribieron) {
  ASSERT_TRUE(fs::exists(NUBO_SOFFICE)) << "falta LibreOffice Calc (libreoffice-calc-nogui)";
  fs::path carpeta = fs::temp_directory_path() / ("libro_calc_" + std::to_string(getpid()));
  fs::remove_all(carpeta);
  fs::create_directories(carpeta);
  fs::path libro = carpeta / "balance.xls";

  auto cuenta = [](const char* centro, const char* nombre, const char* grupo, double debe,
                   double haber, double debeAct, double haberAct) {
    FilaBalance f{centro, nombre, grupo, debe, haber, debeAct, haberAct};
    clasificar(f);
    return f;
  };
  {
    ArchivoSeguro archivo(libro.string());
    LibroExcel l(archivo.flujo());
    l.cabeza("Compañía Ñandú & Hijos <Ltda>");
    l.fila(cuenta("1101", "Caja", "A", 1234567.5, 200, 1234367.5, 0));
    l.fila(cuenta("1.1.01.001", "Banco Estado", "A", 0, 0, 0.4, 0));
    l.fila(cuenta("0101", "Préstamo año", "P", 0, 1000, 0, 1000));
    l.fila(cuenta("1101-01", "Acción & <riesgo>", "R", -1234.5, 0, 0, 1234.5));
    l.fila(cuenta("4101", "", "R", 0, 0, 0, 0));
    l.cierre();
    archivo.confirmar();
  }

  ASSERT_EQ(convertir(libro, carpeta), 0);
  std::ifstream csv(carpeta / "balance.csv", std::ios::binary);
  ASSERT_TRUE(csv.is_open()) << "Calc no produjo el CSV";
  std::vector<std::vector<std::string>> filas;
  for (std::string linea; std::getline(csv, linea);) filas.push_back(campos(linea));

  using V = std::vector<std::string>;
  // Sums: Debitos 1233333, Creditos 1200, Deudor 1234367.9, Acreedor 2234.5; Activo 1234367.9,
  // Pasivo 1000, Perdidas 0, Ganancias 1234.5. Result: 1233367.9 to Pasivo, 1234.5 to Perdidas.
  const V esperado[] = {
      {"Compañía Ñandú & Hijos <Ltda>", "", "", "", "", "", "", "", "", ""},
      {"BALANCE GENERAL", "", "", "", "", "", "", "", "", ""},
      {"Cuenta", "Nombre", "Movimientos", "", "Saldo", "", "Inventario", "", "Resultados", ""},
      {"", "", "Debitos", "Creditos", "Deudor", "Acreedor", "Activo", "Pasivo", "Perdidas",
       "Ganancias"},
      {"1101", "Caja", "1234568", "200", "1234368", "0", "1234368", "0", "0", "0"},
      {"1.1.01.001", "Banco Estado", "0", "0", "0", "0", "0", "0", "0", "0"},
      {"0101", "Préstamo año", "0", "1000", "0", "1000", "0", "1000", "0", "0"},
      {"1101-01", "Acción & <riesgo>", "-1235", "0", "0", "1235", "0", "0", "0", "1235"},
      {"4101", "", "0", "0", "0", "0", "0", "0", "0", "0"},
      {"", "SUMAS", "", "", "", "", "1234368", "1000", "0", "1235"},
      {"", "RESULTADO EJERCICIO", "", "", "", "", "0", "1233368", "1235", "0"},
      {"", "TOTALES", "1233333", "1200", "1234368", "2235", "1234368", "1234368", "1235", "1235"},
  };
  ASSERT_EQ(filas.size(), std::size(esperado));
  for (std::size_t i = 0; i < filas.size(); ++i)
    EXPECT_EQ(filas[i], esperado[i]) << "fila " << i + 1;
  fs::remove_all(carpeta);
}

}  // namespace
}  // namespace prjsumsal
