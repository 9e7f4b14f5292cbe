#include "export/libro_excel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "host/error.h"

namespace prjsumsal {
namespace {

FilaBalance cuenta(std::string centro, std::string nombre, std::string grupo, double debe,
                   double haber, double debeAct, double haberAct) {
  FilaBalance f{std::move(centro), std::move(nombre), std::move(grupo), debe, haber,
                debeAct,           haberAct};
  clasificar(f);
  return f;
}

std::string libro(const std::string& empresa, const std::vector<FilaBalance>& filas) {
  std::ostringstream salida;
  LibroExcel l(salida);
  l.cabeza(empresa);
  for (const auto& f : filas) l.fila(f);
  l.cierre();
  return salida.str();
}

// The lines of a text whose every line must end in CR LF.
std::vector<std::string> lineas(const std::string& texto) {
  std::vector<std::string> r;
  std::size_t inicio = 0;
  while (inicio < texto.size()) {
    std::size_t fin = texto.find("\r\n", inicio);
    EXPECT_NE(fin, std::string::npos) << "la última línea no termina en CR LF";
    if (fin == std::string::npos) break;
    r.push_back(texto.substr(inicio, fin - inicio));
    inicio = fin + 2;
  }
  return r;
}

// The values of the cells of the summary row labelled `etiqueta`: the ten lines after "<Row>".
std::vector<std::string> valoresResumen(const std::string& texto, const std::string& etiqueta) {
  auto ls = lineas(texto);
  for (std::size_t i = 0; i + 11 < ls.size(); ++i) {
    if (ls[i].find(">" + etiqueta + "</Data>") == std::string::npos) continue;
    std::vector<std::string> v;
    for (std::size_t j = i + 1; j < i + 9; ++j) {
      auto a = ls[j].find("'>", ls[j].find("<Data")) + 2;
      v.push_back(ls[j].substr(a, ls[j].find("</Data>") - a));
    }
    return v;  // columns 3 to 10
  }
  ADD_FAILURE() << "no está la fila " << etiqueta;
  return {};
}

std::string leerArchivo(const std::filesystem::path& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

TEST(LibroExcel, CuatroCuentasIgualQueElLibroEsperado) {
  // Sums worked out by hand: Debitos 900.4, Creditos 1550.5, Deudor 2100.5, Acreedor 3300,
  // Activo 1200, Pasivo 800, Perdidas 900.5, Ganancias 2500; result 0/400 and 1599.5/0.
  std::string hecho = libro("SUR LTDA", {cuenta("1101", "Caja", "A", 500, 200, 1200, 0),
                                         cuenta("2101", "Proveedores", "P", 100, 350.5, 0, 800),
                                         cuenta("4101", "Ventas", "R", 0, 1000, 0, 2500),
                                         cuenta("5101", "Sueldos", "R", 300.4, 0, 900.5, 0)});
  auto esperado =
      leerArchivo(std::filesystem::path(__FILE__).parent_path() / "libro_cuatro_cuentas.xml");
  ASSERT_FALSE(esperado.empty());
  auto h = lineas(hecho), e = lineas(esperado);
  ASSERT_EQ(h.size(), e.size());
  for (std::size_t i = 0; i < e.size(); ++i) EXPECT_EQ(h[i], e[i]) << "línea " << i + 1;
  EXPECT_EQ(hecho, esperado);
}

TEST(LibroExcel, CabezaDe169LineasConLaEmpresaEnLa147) {
  auto ls = lineas(libro("3 SUR LTDA", {}));
  // head 169, three summary rows of 12, tail 29
  ASSERT_EQ(ls.size(), 169u + 36 + 29);
  EXPECT_EQ(ls[0], "<?xml version='1.0'?>");
  EXPECT_EQ(ls[27], " <Styles>");
  EXPECT_EQ(ls[28], "  <Style ss:ID='Default' ss:Name='Normal'>");
  EXPECT_EQ(ls[36], "  <Style ss:ID='m162233584'>");
  EXPECT_EQ(ls[139], "  </Style>");
  EXPECT_EQ(ls[140], " </Styles>");
  EXPECT_EQ(ls[146], "    <Cell ss:StyleID='s27'><Data ss:Type='String'>3 SUR LTDA</Data></Cell>");
  EXPECT_EQ(ls[149],
            "    <Cell ss:StyleID='s27'><Data ss:Type='String'>BALANCE GENERAL</Data></Cell>");
  EXPECT_EQ(ls[168], "   </Row>");
  EXPECT_EQ(ls[169], "<Row>");
  EXPECT_EQ(ls[169 + 36], "  </Table>");
  EXPECT_EQ(ls.back(), "</Workbook>");
  // With no account every summary amount is 0.
  for (const char* etiqueta : {"SUMAS", "RESULTADO EJERCICIO", "TOTALES"}) {
    for (const auto& v : valoresResumen(libro("X", {}), etiqueta)) {
      EXPECT_TRUE(v == "0" || v.empty()) << etiqueta << ": " << v;
    }
  }
}

TEST(LibroExcel, ResultadoDelEjercicioYTotales) {
  struct Caso {
    double activo, pasivo, perdidas, ganancias;
    std::vector<std::string> sumas, resultado, totales;  // columns 3 to 10
  };
  const Caso casos[] = {
      {1000,
       600,
       300,
       700,
       {"", "", "", "", "1000", "600", "300", "700"},
       {"", "", "", "", "0", "400", "400", "0"},
       {"0", "0", "1300", "1300", "1000", "1000", "700", "700"}},
      {600,
       1000,
       700,
       300,
       {"", "", "", "", "600", "1000", "700", "300"},
       {"", "", "", "", "400", "0", "0", "400"},
       {"0", "0", "1300", "1300", "1000", "1000", "700", "700"}},
      {500,
       500,
       250,
       250,
       {"", "", "", "", "500", "500", "250", "250"},
       {"", "", "", "", "0", "0", "0", "0"},
       {"0", "0", "750", "750", "500", "500", "250", "250"}},
  };
  for (const auto& c : casos) {
    // One account per column, with a balance and no movement in the period.
    std::string t = libro(
        "E",
        {cuenta("1", "a", "A", 0, 0, c.activo, 0), cuenta("2", "p", "P", 0, 0, 0, c.pasivo),
         cuenta("3", "r", "R", 0, 0, c.perdidas, 0), cuenta("4", "g", "R", 0, 0, 0, c.ganancias)});
    SCOPED_TRACE(testing::Message() << "activo " << c.activo << " pasivo " << c.pasivo
                                    << " perdidas " << c.perdidas << " ganancias " << c.ganancias);
    EXPECT_EQ(valoresResumen(t, "SUMAS"), c.sumas);
    EXPECT_EQ(valoresResumen(t, "RESULTADO EJERCICIO"), c.resultado);
    EXPECT_EQ(valoresResumen(t, "TOTALES"), c.totales);
  }
}

TEST(LibroExcel, ImportesRedondeadosSinSeparadores) {
  const std::pair<double, const char*> casos[] = {
      {1234.5, "1235"}, {-1234.5, "-1235"}, {0.4, "0"}, {1234567, "1234567"}, {-0.4, "0"}};
  for (auto [valor, texto] : casos) {
    auto ls = lineas(libro("E", {cuenta("1101", "Caja", "A", valor, 0, 0, 0)}));
    EXPECT_EQ(ls[169 + 3], std::string("    <Cell ss:StyleID='s45'><Data ss:Type='Number'>") +
                               texto + "</Data></Cell>")
        << valor;
  }
}

TEST(LibroExcel, CodigoQueNoEsUnNumeroSimpleVaEnCeldaDeTexto) {
  const std::pair<const char*, bool> casos[] = {
      {"1101", true},        {"0", true},      {"12345678901", true},   {"1101-01", false},
      {"1.1.01.001", false}, {"0101", false},  {"123456789012", false}, {"", false},
      {" 1101", false},      {"1101 ", false}, {"-5", false},           {"1e3", false},
      {"１２", false},
  };
  for (auto [codigo, numero] : casos) {
    EXPECT_EQ(codigoNumerico(codigo), numero) << "'" << codigo << "'";
    auto ls = lineas(libro("E", {cuenta(codigo, "Caja", "A", 0, 0, 0, 0)}));
    std::string tipo = numero ? "Number" : "String";
    EXPECT_EQ(ls[170], "    <Cell ss:StyleID='s44'><Data ss:Type='" + tipo + "'>" + codigo +
                           "</Data></Cell>")
        << "'" << codigo << "'";
  }
}

TEST(LibroExcel, TextosReservadosEscapadosYEnUtf8) {
  auto ls = lineas(libro("Pérez & Cía <Ltda>", {cuenta("11<01>&", "Caja & Bancos", "A", 1, 0, 1, 0),
                                                cuenta("1102", "", "A", 0, 0, 0, 0)}));
  EXPECT_EQ(ls[146],
            "    <Cell ss:StyleID='s27'><Data ss:Type='String'>Pérez &amp; Cía "
            "&lt;Ltda&gt;</Data></Cell>");
  EXPECT_EQ(ls[170],
            "    <Cell ss:StyleID='s44'><Data ss:Type='String'>11&lt;01&gt;&amp;</Data></Cell>");
  EXPECT_EQ(ls[171],
            "    <Cell ss:StyleID='s44'><Data ss:Type='String'>Caja &amp; Bancos</Data></Cell>");
  // An account without a name in the chart still gets a name cell.
  EXPECT_EQ(ls[171 + 12], "    <Cell ss:StyleID='s44'><Data ss:Type='String'></Data></Cell>");
}

TEST(LibroExcel, SumaDesbordadaDetieneElLibro) {
  double grande = std::numeric_limits<double>::max();
  std::ostringstream salida;
  LibroExcel l(salida);
  l.cabeza("E");
  l.fila(cuenta("1", "a", "A", grande, 0, grande, 0));
  l.fila(cuenta("2", "b", "A", grande, 0, grande, 0));
  try {
    l.cierre();
    FAIL() << "una suma infinita se escribió";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), kDesbordamiento);
  }
}

TEST(LibroExcel, FallaDeEscrituraEnDevFull) {
  std::ofstream lleno("/dev/full", std::ios::binary);
  ASSERT_TRUE(lleno.is_open());
  LibroExcel l(lleno);
  EXPECT_THROW(
      {
        l.cabeza("E");
        for (int i = 0; i < 1000; ++i) l.fila(cuenta(std::to_string(i + 1), "x", "A", 1, 0, 1, 0));
        l.cierre();
      },
      Error);
}

}  // namespace
}  // namespace prjsumsal
