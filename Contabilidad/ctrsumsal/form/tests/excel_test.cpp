#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "exportacion_prueba.h"

namespace prjsumsal {
namespace {

using prueba::Caja;

class ExcelTest : public prueba::ExportacionTest {
 protected:
  // The cells of a body row starting at line `inicio` of the workbook, as "Type:value".
  static std::vector<std::string> celdas(const std::vector<std::string>& ls, std::size_t inicio) {
    std::vector<std::string> r;
    for (std::size_t i = inicio + 1; i < inicio + 11; ++i) {
      const std::string& l = ls.at(i);
      auto tipo = l.find("ss:Type='") + 9;
      auto valor = l.find("'>", tipo) + 2;
      r.push_back(l.substr(tipo, l.find('\'', tipo) - tipo) + ":" +
                  l.substr(valor, l.find("</Data>") - valor));
    }
    return r;
  }
};

TEST_F(ExcelTest, LibroDelDiarioDeMarzo) {
  dialogo_.respuesta = ruta("balance.xls");
  frm().Command1_Click();
  EXPECT_TRUE(e_.mensajes.cajas.empty()) << e_.mensajes.textos()[0];
  ASSERT_EQ(dialogo_.mostrados.size(), 1u);
  EXPECT_EQ(dialogo_.mostrados[0].titulo, "Archivo Excel");
  EXPECT_EQ(dialogo_.mostrados[0].extension, "xls");
  EXPECT_EQ(dialogo_.mostrados[0].archivo, "balance_general.xls");
  EXPECT_EQ(dialogo_.mostrados[0].filtro, "*.xls");
  // Chart, period, year to date in account order; no statement is executed.
  ASSERT_EQ(e_.contable->lecturas.size(), 3u);
  EXPECT_EQ(e_.contable->lecturas[0], " select * from ctmcentros ");
  EXPECT_NE(e_.contable->lecturas[2].find(" group by a.centro order by a.centro"),
            std::string::npos);
  EXPECT_TRUE(e_.contable->sentencias.empty());
  EXPECT_EQ(archivos(), std::vector<std::string>{"balance.xls"});

  auto ls = lineas(leer(ruta("balance.xls")));
  ASSERT_EQ(ls.size(), 169u + 5 * 12 + 3 * 12 + 29);
  EXPECT_EQ(ls[146], "    <Cell ss:StyleID='s27'><Data ss:Type='String'>SUR LTDA</Data></Cell>");
  using V = std::vector<std::string>;
  const V esperado[] = {
      {"Number:1101", "String:Caja", "Number:0", "Number:40", "Number:960", "Number:0",
       "Number:960", "Number:0", "Number:0", "Number:0"},
      {"String:1101-01", "String:Caja chica &amp; fondos", "Number:251", "Number:0", "Number:251",
       "Number:0", "Number:251", "Number:0", "Number:0", "Number:0"},
      {"Number:2101", "String:Préstamos &lt;bancarios&gt;", "Number:0", "Number:0", "Number:0",
       "Number:1000", "Number:0", "Number:1000", "Number:0", "Number:0"},
      // A null name in the chart: an empty name cell.
      {"Number:4101", "String:", "Number:0", "Number:251", "Number:0", "Number:251", "Number:0",
       "Number:0", "Number:0", "Number:251"},
      // Missing from the chart: no name, and no group, so it counts among the results.
      {"Number:9999", "String:", "Number:40", "Number:0", "Number:40", "Number:0", "Number:0",
       "Number:0", "Number:40", "Number:0"},
      // Sums: Activo 1210.5, Pasivo 1000, Perdidas 40, Ganancias 250.5.
      {"String:SUMAS", "String:", "String:", "String:", "String:", "Number:1211", "Number:1000",
       "Number:40", "Number:251"},
      // Result: 210.5 to Pasivo and 210.5 to Perdidas.
      {"String:RESULTADO EJERCICIO", "String:", "String:", "String:", "String:", "Number:0",
       "Number:211", "Number:211", "Number:0"},
      // Debitos and Creditos 290.5, Deudor and Acreedor 1250.5; totals 1210.5 and 250.5.
      {"String:TOTALES", "Number:291", "Number:291", "Number:1251", "Number:1251", "Number:1211",
       "Number:1211", "Number:251", "Number:251"},
  };
  for (std::size_t i = 0; i < std::size(esperado); ++i) {
    std::size_t inicio = 169 + 12 * i;
    EXPECT_EQ(ls[inicio], "<Row>");
    EXPECT_EQ(ls[inicio + 11], "   </Row>");
    V hecho = celdas(ls, inicio);
    if (i >= 5) hecho.erase(hecho.begin());  // the summary rows' empty first cell
    EXPECT_EQ(hecho, esperado[i]) << "fila " << i + 1;
  }
  EXPECT_EQ(ls.back(), "</Workbook>");
}

TEST_F(ExcelTest, CancelarNoEscribeNiMuestraNada) {
  dialogo_.respuesta.reset();
  frm().Command1_Click();
  EXPECT_EQ(dialogo_.mostrados.size(), 1u);
  EXPECT_TRUE(e_.mensajes.cajas.empty());
  EXPECT_TRUE(e_.contable->lecturas.empty());
  EXPECT_TRUE(archivos().empty());
}

TEST_F(ExcelTest, FallaAMitadDeCaminoConservaElLibroAnterior) {
  std::string r = ruta("balance.xls");
  escribir(r, "libro anterior");
  dialogo_.respuesta = r;
  e_.contable->fallarLecturaEn(3);  // the year-to-date statement
  frm().Command1_Click();
  EXPECT_EQ(e_.mensajes.cajas,
            (std::vector<Caja>{{"falla inyectada en la lectura 3", Icono::Critico, "Mensaje"}}));
  EXPECT_EQ(leer(r), "libro anterior");
  EXPECT_EQ(archivos(), std::vector<std::string>{"balance.xls"});
}

TEST_F(ExcelTest, ArchivoQueNoSePuedeEscribir) {
  const std::pair<std::string, std::string> casos[] = {
      {"/dev/full", "No se puede escribir el archivo /dev/full: no queda espacio en el disco"},
      {ruta("no_existe/balance.xls"),
       "No se puede crear el archivo " + ruta("no_existe/balance.xls") + ": la carpeta no existe"},
  };
  for (const auto& [destino, mensaje] : casos) {
    e_.mensajes.cajas.clear();
    dialogo_.respuesta = destino;
    frm().Command1_Click();
    EXPECT_EQ(e_.mensajes.cajas, (std::vector<Caja>{{mensaje, Icono::Critico, "Mensaje"}}))
        << destino;
  }
  EXPECT_TRUE(archivos().empty());
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

}  // namespace
}  // namespace prjsumsal
