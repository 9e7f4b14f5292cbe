#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "exportacion_prueba.h"

namespace prjsumsal {
namespace {

using prueba::Caja;
using prueba::escribir;
using prueba::leer;
using prueba::lineas;

using ExcelTest = prueba::ExportacionTest;

// The workbook replaces an earlier file of the same name.
TEST_F(ExcelTest, LibroDelDiarioDeMarzo) {
  escribir(ruta("balance.xls"), "libro anterior");
  dialogo_.respuesta = ruta("balance.xls");
  frm().Command1_Click();
  EXPECT_TRUE(e_.mensajes.cajas.empty()) << e_.mensajes.textos()[0];
  ASSERT_EQ(dialogo_.mostrados.size(), 1u);
  EXPECT_EQ(dialogo_.mostrados[0].titulo, "Archivo Excel");
  EXPECT_EQ(dialogo_.mostrados[0].extension, "xls");
  EXPECT_EQ(dialogo_.mostrados[0].archivo, "balance_general.xls");
  EXPECT_EQ(dialogo_.mostrados[0].filtro, "*.xls");
  // Chart, period, year to date in account order, the grouped two with the record-set option 4;
  // no statement is executed.
  ASSERT_EQ(e_.contable->lecturas.size(), 3u);
  EXPECT_EQ(e_.contable->opciones, (std::vector<int>{-1, 4, 4}));
  EXPECT_EQ(e_.contable->lecturas[0], " select * from ctmcentros ");
  EXPECT_NE(e_.contable->lecturas[2].find(" group by a.centro order by a.centro"),
            std::string::npos);
  EXPECT_TRUE(e_.contable->sentencias.empty());
  EXPECT_EQ(archivos(), std::vector<std::string>{"balance.xls"});

  auto ls = lineas(leer(ruta("balance.xls")));
  ASSERT_EQ(ls.size(), 169u + 5 * 12 + 3 * 12 + 29);
  EXPECT_EQ(ls[146], "    <Cell ss:StyleID='s27'><Data ss:Type='String'>SUR LTDA</Data></Cell>");
  const char* esperado[] = {
      "1101|Caja|0|40|960|0|960|0|0|0",
      "1101-01|Caja chica &amp; fondos|251|0|251|0|251|0|0|0",
      "2101|Préstamos &lt;bancarios&gt;|0|0|0|1000|0|1000|0|0",
      "4101||0|251|0|251|0|0|0|251",  // a null name in the chart: an empty name cell
      // Missing from the chart: no name, and no group, so it counts among the results.
      "9999||40|0|40|0|0|0|40|0",
      // Sums: Activo 1210.5, Pasivo 1000, Perdidas 40, Ganancias 250.5.
      "|SUMAS|||||1211|1000|40|251",
      // Result: 210.5 to Pasivo and 210.5 to Perdidas.
      "|RESULTADO EJERCICIO|||||0|211|211|0",
      // Debitos and Creditos 290.5, Deudor and Acreedor 1250.5; totals 1210.5 and 250.5.
      "|TOTALES|291|291|1251|1251|1211|1211|251|251",
  };
  for (std::size_t i = 0; i < std::size(esperado); ++i) {
    std::size_t inicio = 169 + 12 * i;
    EXPECT_EQ(ls[inicio], "<Row>");
    EXPECT_EQ(valores(ls, inicio + 1, inicio + 11), esperado[i]) << "fila " << i + 1;
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
