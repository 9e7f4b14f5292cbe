#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "export/archivo_seguro.h"
#include "export/libro_excel.h"
#include "export/libro_xlsx.h"
#include "libro_xlsx/escritor_libxlsx.h"

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

std::string leer(const fs::path& p) {
  std::ostringstream s;
  s << std::ifstream(p, std::ios::binary).rdbuf();
  return s.str();
}

// Runs a program with `args` (args[0] its path) and waits for it; its exit status, or -1.
int correr(const std::vector<std::string>& args, const fs::path& salida = {}) {
  std::vector<const char*> argv;
  for (const auto& a : args) argv.push_back(a.c_str());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t acciones;
  posix_spawn_file_actions_init(&acciones);
  if (!salida.empty()) {
    posix_spawn_file_actions_addopen(&acciones, STDOUT_FILENO, salida.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
  }
  pid_t pid;
  int r = posix_spawn(&pid, argv[0], &acciones, nullptr, const_cast<char* const*>(argv.data()),
                      environ);
  posix_spawn_file_actions_destroy(&acciones);
  if (r != 0) return -1;
  int estado = 0;
  waitpid(pid, &estado, 0);
  return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
}

// Runs soffice headless with a profile of its own to convert `libros` into `carpeta`, each as
// NAME.csv (UTF-8, comma-separated, raw cell values rather than formatted ones) or, with
// `formato` "fods", as the flat OpenDocument file that shows what Calc made of the workbook.
int convertir(const std::vector<fs::path>& libros, const fs::path& carpeta,
              const std::string& formato = "csv") {
  std::vector<std::string> args = {
      NUBO_SOFFICE,
      "--headless",
      "--norestore",
      "-env:UserInstallation=file://" + (carpeta / "perfil").string(),
      "--convert-to",
      formato == "csv" ? "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false"
                       : formato,
      "--outdir",
      carpeta.string()};
  for (const auto& l : libros) args.push_back(l.string());
  return correr(args);
}

std::vector<std::vector<std::string>> leerCsv(const fs::path& csv) {
  std::ifstream f(csv, std::ios::binary);
  EXPECT_TRUE(f.is_open()) << "Calc no produjo " << csv;
  std::vector<std::vector<std::string>> filas;
  for (std::string linea; std::getline(f, linea);) filas.push_back(campos(linea));
  return filas;
}

class LibroEnCalc : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(NUBO_SOFFICE)) << "falta LibreOffice Calc (libreoffice-calc-nogui)";
    fs::remove_all(carpeta_);
    fs::create_directories(carpeta_);
  }
  void TearDown() override { fs::remove_all(carpeta_); }

  const fs::path carpeta_ =
      fs::temp_directory_path() / ("libro_calc_" + std::to_string(getpid()) + "_" +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

// An account row of the balance, classified by its group.
FilaBalance cuenta(const char* centro, const char* nombre, const char* grupo, double debe,
                   double haber, double debeAct, double haberAct) {
  FilaBalance f{centro, nombre, grupo, debe, haber, debeAct, haberAct};
  clasificar(f);
  return f;
}

// The 2003 workbook at `xls` and the .xlsx at `xlsx`, both of `filas` for `empresa`.
void escribirAmbos(const std::string& empresa, const std::vector<FilaBalance>& filas,
                   const fs::path& xls, const fs::path& xlsx) {
  auto escribir = [&](auto& libro) {
    libro.cabeza(empresa);
    for (const auto& f : filas) libro.fila(f);
    libro.cierre();
  };
  {
    ArchivoSeguro archivo(xls.string());
    LibroExcel libro(archivo.flujo());
    escribir(libro);
    archivo.confirmar();
  }
  ArchivoSeguro archivo(xlsx.string());
  suite::libro_xlsx::EscritorLibxlsx escritor(archivo.escritura(), archivo.ruta(),
                                  disenoLibroXlsx(empresa, "01/01/2026", "31/12/2026"));
  LibroXlsx libro(escritor, {"76.000.000-0", "01/01/2026 - 31/12/2026", "04/12/2026"});
  escribir(libro);
  archivo.confirmar();
}

// What Calc makes of the rest of the .xlsx (its flat OpenDocument text `plano`): the document
// properties, the page set up landscape and one page wide, the names' column as many times wider
// than the others as in the 2003 workbook (198 to 60 points; the unit Calc turns character widths
// into depends on the fonts installed).
void revisarDiseno(const std::string& plano) {
  EXPECT_NE(plano.find("<dc:title>Balance Tributario</dc:title>"), std::string::npos);
  EXPECT_NE(plano.find("<dc:subject>01/01/2026 - 31/12/2026</dc:subject>"), std::string::npos);
  EXPECT_NE(plano.find("meta:name=\"Company\">Compañía Ñandú &amp; Hijos &lt;Ltda&gt;<"),
            std::string::npos);
  EXPECT_NE(plano.find("style:print-orientation=\"landscape\""), std::string::npos);
  EXPECT_NE(plano.find("style:scale-to-X=\"1\""), std::string::npos);
  std::vector<double> anchos;
  const std::regex ancho(R"(style:column-width="([0-9.]+)in")");
  for (std::sregex_iterator i(plano.begin(), plano.end(), ancho), fin; i != fin; ++i)
    anchos.push_back(std::stod((*i)[1]));
  ASSERT_GE(anchos.size(), 2u);
  EXPECT_NEAR(anchos[1] / anchos[0], 198.0 / 60, 0.05);
}

// Both workbooks written from the same rows: names with characters XML reserves, codes that a
// Number cell would change, a fractional amount that rounds, an account without a name.
TEST_F(LibroEnCalc, CifrasTextosYCodigosSeLeenComoSeEscribieron) {
  const std::vector<FilaBalance> filas = {
      cuenta("1101", "Caja", "A", 1234567.5, 200, 1234367.5, 0),
      cuenta("1.1.01.001", "Banco Estado", "A", 0, 0, 0.4, 0),
      cuenta("0101", "Préstamo año", "P", 0, 1000, 0, 1000),
      cuenta("1101-01", "Acción & <riesgo>", "R", -1234.5, 0, 0, 1234.5),
      cuenta("4101", "", "R", 0, 0, 0, 0),
  };
  const fs::path xls = carpeta_ / "b2003.xls", xlsx = carpeta_ / "bxlsx.xlsx";
  escribirAmbos("Compañía Ñandú & Hijos <Ltda>", filas, xls, xlsx);
  ASSERT_EQ(convertir({xls, xlsx}, carpeta_), 0);

  using V = std::vector<std::string>;
  const V cabeza2003[] = {
      {"Compañía Ñandú & Hijos <Ltda>", "", "", "", "", "", "", "", "", ""},
      {"BALANCE GENERAL", "", "", "", "", "", "", "", "", ""},
      {"Cuenta", "Nombre", "Movimientos", "", "Saldo", "", "Inventario", "", "Resultados", ""},
      {"", "", "Debitos", "Creditos", "Deudor", "Acreedor", "Activo", "Pasivo", "Perdidas",
       "Ganancias"},
  };
  const V cabezaXlsx[] = {
      {"BALANCE TRIBUTARIO", "", "", "", "", "", "", "", "", ""},
      {"Compañía Ñandú & Hijos <Ltda>", "", "", "", "", "", "", "", "", ""},
      {"RUT: 76.000.000-0", "", "", "", "", "", "", "", "", ""},
      {"Período: 01/01/2026 - 31/12/2026", "", "", "", "", "", "", "", "", "Emisión: 04/12/2026"},
      {"", "", "Movimientos", "", "Saldo", "", "Inventario", "", "Resultados", ""},
      {"Cuenta", "Nombre", "Débitos", "Créditos", "Deudor", "Acreedor", "Activo", "Pasivo",
       "Pérdidas", "Ganancias"},
  };
  // Sums: Debitos 1233333, Creditos 1200, Deudor 1234367.9, Acreedor 2234.5; Activo 1234367.9,
  // Pasivo 1000, Perdidas 0, Ganancias 1234.5. Result: 1233367.9 to Pasivo, 1234.5 to Perdidas.
  const V cuerpo[] = {
      {"1101", "Caja", "1234568", "200", "1234368", "0", "1234368", "0", "0", "0"},
      {"1.1.01.001", "Banco Estado", "0", "0", "0", "0", "0", "0", "0", "0"},
      {"0101", "Préstamo año", "0", "1000", "0", "1000", "0", "1000", "0", "0"},
      {"1101-01", "Acción & <riesgo>", "-1235", "0", "0", "1235", "0", "0", "0", "1235"},
      {"4101", "", "0", "0", "0", "0", "0", "0", "0", "0"},
      {"", "SUMAS", "", "", "", "", "1234368", "1000", "0", "1235"},
      {"", "RESULTADO EJERCICIO", "", "", "", "", "0", "1233368", "1235", "0"},
      {"", "TOTALES", "1233333", "1200", "1234368", "2235", "1234368", "1234368", "1235", "1235"},
  };
  for (const auto& [nombre, cabeza] :
       {std::pair{"b2003.csv", std::vector<V>(std::begin(cabeza2003), std::end(cabeza2003))},
        std::pair{"bxlsx.csv", std::vector<V>(std::begin(cabezaXlsx), std::end(cabezaXlsx))}}) {
    std::vector<V> esperado = cabeza;
    esperado.insert(esperado.end(), std::begin(cuerpo), std::end(cuerpo));
    auto leidas = leerCsv(carpeta_ / nombre);
    ASSERT_EQ(leidas.size(), esperado.size()) << nombre;
    for (std::size_t i = 0; i < leidas.size(); ++i)
      EXPECT_EQ(leidas[i], esperado[i]) << nombre << ", fila " << i + 1;
  }

  ASSERT_EQ(convertir({xlsx}, carpeta_, "fods"), 0);
  revisarDiseno(leer(carpeta_ / "bxlsx.fods"));
}

// The .xlsx as an accountant prints it from Calc: the heading rows at the top of every page,
// "Página N de M" at the foot, every figure shown whole (Calc prints "###" for a figure wider
// than its column), the last page closing with TOTALES.
TEST_F(LibroEnCalc, ElXlsxImpresoRepiteSuCabezaNumeraSusPaginasYMuestraCadaCifra) {
  const fs::path xlsx = carpeta_ / "impreso.xlsx";
  std::vector<FilaBalance> filas;
  for (int i = 0; i < 150; ++i)
    filas.push_back(
        cuenta(std::to_string(1000 + i).c_str(), "Cuenta", "A", 987654321098, 0, 987654321098, 0));
  escribirAmbos("SUR LTDA", filas, carpeta_ / "impreso.xls", xlsx);
  ASSERT_EQ(convertir({xlsx}, carpeta_, "pdf"), 0);
  const fs::path pdf = carpeta_ / "impreso.pdf", txt = carpeta_ / "impreso.txt";
  ASSERT_EQ(correr({NUBO_PDFTOTEXT, "-layout", pdf.string(), txt.string()}), 0);
  const std::string texto = leer(txt);
  std::vector<std::string> paginas;
  std::istringstream partes(texto);
  for (std::string p; std::getline(partes, p, '\f');)
    if (p.find_first_not_of(" \n") != std::string::npos) paginas.push_back(p);
  ASSERT_GE(paginas.size(), 2u) << texto;
  for (std::size_t i = 0; i < paginas.size(); ++i) {
    for (std::string esperado :
         {std::string("BALANCE TRIBUTARIO"), std::string("Débitos"),
          "Página " + std::to_string(i + 1) + " de " + std::to_string(paginas.size())}) {
      EXPECT_NE(paginas[i].find(esperado), std::string::npos)
          << "página " << i + 1 << ": " << esperado;
    }
  }
  EXPECT_EQ(texto.find("###"), std::string::npos) << texto;
  std::string ultima;
  for (char c : paginas.back())
    if (c != ',' && c != '.') ultima += c;
  EXPECT_NE(ultima.find("TOTALES"), std::string::npos);
  EXPECT_NE(ultima.find("148148148164700"), std::string::npos) << ultima;  // 150 x 987654321098
}

// nubo's .xlsx of the demo company holds what its 2003 workbook and --texto hold.
TEST_F(LibroEnCalc, ElXlsxDeNuboDiceLoMismoQueSuLibro2003YQueTexto) {
  const fs::path demo = carpeta_ / "demo", xls = carpeta_ / "b2003.xls",
                 xlsx = carpeta_ / "bxlsx.xlsx", texto = carpeta_ / "texto.tsv";
  const std::vector<std::string> comun = {NUBO_EJECUTABLE, "--demo",  demo.string(), "--desde",
                                          "01/01/2026",    "--hasta", "31/12/2026"};
  auto nubo = [&](std::vector<std::string> accion, const fs::path& salida = {}) {
    std::vector<std::string> args = comun;
    args.insert(args.end(), accion.begin(), accion.end());
    return correr(args, salida);
  };
  ASSERT_EQ(nubo({"--texto"}, texto), 0);
  ASSERT_EQ(nubo({"--excel", xls.string(), "--excel", xlsx.string()}), 0);
  ASSERT_EQ(convertir({xls, xlsx}, carpeta_), 0);

  // The heading rows are pinned above; here nubo fills them with the company record's name and
  // RUT and today's date, and its rows are the 2003 workbook's after their heading rows.
  auto deXlsx = leerCsv(carpeta_ / "bxlsx.csv");
  auto de2003 = leerCsv(carpeta_ / "b2003.csv");
  ASSERT_GT(deXlsx.size(), 6u);
  EXPECT_EQ(deXlsx[1][0], de2003[0][0]);  // the company's name
  EXPECT_TRUE(deXlsx[2][0].starts_with("RUT: ") && deXlsx[2][0].size() > 5) << deXlsx[2][0];
  EXPECT_TRUE(std::regex_match(deXlsx[3][9], std::regex("Emisión: \\d\\d/\\d\\d/\\d{4}")))
      << deXlsx[3][9];
  EXPECT_EQ(std::vector(deXlsx.begin() + 6, deXlsx.end()),
            std::vector(de2003.begin() + 4, de2003.end()));
  std::vector<std::string> lineas;
  for (std::size_t i = 6; i < deXlsx.size(); ++i) {
    std::string l;
    for (std::size_t c = 0; c < deXlsx[i].size(); ++c) l += (c ? "\t" : "") + deXlsx[i][c];
    lineas.push_back(l + "\n");
  }
  std::istringstream tsv(leer(texto));
  std::vector<std::string> esperadas;
  for (std::string l; std::getline(tsv, l);) esperadas.push_back(l + "\n");
  ASSERT_GT(esperadas.size(), 3u);
  EXPECT_EQ(lineas, esperadas);
}

// "--comparar --excel" holds, under its heading and header rows, what --texto --comparar prints.
TEST_F(LibroEnCalc, LaComparacionXlsxDiceLoMismoQueTexto) {
  const fs::path xlsx = carpeta_ / "comparado.xlsx", texto = carpeta_ / "comparado.tsv";
  std::vector<std::string> args = {NUBO_EJECUTABLE, "--demo",     (carpeta_ / "demo").string(),
                                   "--desde",       "01/03/2026", "--hasta",
                                   "30/11/2026",    "--comparar", "--texto"};
  ASSERT_EQ(correr(args, texto), 0);
  args.back() = "--excel";
  args.push_back(xlsx.string());
  ASSERT_EQ(correr(args), 0);
  ASSERT_EQ(convertir({xlsx}, carpeta_), 0);
  auto filas = leerCsv(carpeta_ / "comparado.csv");
  ASSERT_GT(filas.size(), 6u);
  EXPECT_EQ(filas[0][0], "BALANCE COMPARADO CON EL AÑO ANTERIOR");
  EXPECT_EQ(filas[3][0], "Período: 01/03/2026 - 30/11/2026");
  EXPECT_EQ(filas[4], (std::vector<std::string>{"Cuenta", "Nombre", "Saldo 30/11/2026",
                                                "Saldo 30/11/2025", "Diferencia"}));
  std::string lineas;
  for (std::size_t i = 5; i < filas.size(); ++i) {
    for (std::size_t c = 0; c < filas[i].size(); ++c) lineas += (c ? "\t" : "") + filas[i][c];
    lineas += "\n";
  }
  EXPECT_EQ(lineas, leer(texto));
}

}  // namespace
}  // namespace prjsumsal
