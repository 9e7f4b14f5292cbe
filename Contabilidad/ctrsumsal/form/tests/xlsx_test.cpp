// "Excel Balance" with a name ending in ".xlsx": the rows of the 2003 workbook laid out on the
// host's writer, which writes into the temporary file that then takes the chosen file's place.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "export/libro_xlsx.h"
#include "exportacion_prueba.h"
#include "host/error.h"

namespace prjsumsal {
namespace {

using prueba::Caja;
using prueba::escribir;
using prueba::leer;

// What the host's writer was asked to do, kept past the writer's life.
struct Grabacion {
  struct Celda {
    std::string valor;
    bool numero = false;
    FormatoCelda formato;
  };
  std::string ruta, nombre;
  DisenoLibro diseno;
  std::map<std::pair<int, int>, Celda> celdas;
  std::vector<std::array<int, 3>> centradas;
  std::map<int, double> anchos;
  bool cerrado = false;
  bool fallarAlCerrar = false;

  // Row `f` as the values of its ten columns joined by "|".
  std::string fila(int f) const {
    std::string r;
    for (int c = 0; c < 10; ++c) {
      auto it = celdas.find({f, c});
      r += (c ? "|" : "") + (it == celdas.end() ? std::string() : it->second.valor);
    }
    return r;
  }
};

// A writer that records the cells and, when closed, writes a short text into its file, or a
// piece of one before failing as a full disk does.
class EscritorGrabado : public EscritorXlsx {
 public:
  explicit EscritorGrabado(Grabacion& g) : g_(g) {}
  void texto(int f, int c, const std::string& v, const FormatoCelda& formato) override {
    g_.celdas[{f, c}] = {v, false, formato};
  }
  void numero(int f, int c, double v, const FormatoCelda& formato) override {
    char b[64];
    std::snprintf(b, sizeof b, "%.15g", v);
    g_.celdas[{f, c}] = {b, true, formato};
  }
  void centrar(int f, int c, int hc, const std::string& v, const FormatoCelda& formato) override {
    g_.centradas.push_back({f, c, hc});
    texto(f, c, v, formato);
  }
  void anchoColumna(int c, double puntos) override { g_.anchos[c] = puntos; }
  void cerrar() override {
    escribir(g_.ruta, g_.fallarAlCerrar ? "PK a medias" : "PK libro xlsx");
    if (g_.fallarAlCerrar) {
      throw Error("No se puede escribir el archivo " + g_.nombre +
                  ": no queda espacio en el disco");
    }
    g_.cerrado = true;
  }

 private:
  Grabacion& g_;
};

class XlsxTest : public prueba::ExportacionTest {
 protected:
  void SetUp() override {
    ExportacionTest::SetUp();
    e_.plataforma.crearLibroXlsx = [this](const std::string& ruta, const std::string& nombre,
                                          const DisenoLibro& diseno) {
      g_.ruta = ruta;
      g_.nombre = nombre;
      g_.diseno = diseno;
      return std::make_unique<EscritorGrabado>(g_);
    };
  }

  Grabacion g_;
};

// Laid out as the printed balance, with the 2003 workbook's rows, the figures as numbers; the
// case of the extension does not matter.
TEST_F(XlsxTest, LasFilasDelLibro2003EnUnLibroXlsx) {
  dialogo_.respuesta = ruta("b.xls");
  frm().Command1_Click();
  escribir(ruta("Balance.XLSX"), "libro anterior");
  dialogo_.respuesta = ruta("Balance.XLSX");
  frm().Command1_Click();
  EXPECT_TRUE(e_.mensajes.cajas.empty()) << e_.mensajes.textos()[0];
  EXPECT_EQ(dialogo_.mostrados.back().otrosFiltros,
            std::vector<std::string>{"Libro de Excel (*.xlsx)"});

  // Written beside the target under another name, then put in its place.
  EXPECT_EQ(g_.nombre, ruta("Balance.XLSX"));
  EXPECT_NE(g_.ruta, g_.nombre);
  EXPECT_EQ(std::filesystem::path(g_.ruta).parent_path(), carpeta_.ruta());
  EXPECT_TRUE(g_.cerrado);
  EXPECT_EQ(leer(ruta("Balance.XLSX")), "PK libro xlsx");
  EXPECT_EQ(archivos(), (std::vector<std::string>{"Balance.XLSX", "b.xls"}));

  EXPECT_EQ(g_.diseno.hoja, "balance tributario");
  EXPECT_EQ(g_.diseno.empresa, "SUR LTDA");
  EXPECT_EQ(g_.diseno.asunto, "01/03/2024 - 31/03/2024");
  EXPECT_EQ(g_.diseno.anchos, (std::vector<double>{60, 198, 60, 60, 60, 60, 60, 60, 60, 60}));
  EXPECT_EQ(g_.diseno.filasFijas, 6);
  EXPECT_TRUE(g_.diseno.apaisado && g_.diseno.ajustarAncho && g_.diseno.numerarPaginas);

  // The cells' texts and figures, heading and rows, are read back by Calc in suite/calc; here
  // what Calc's text does not show: merged headings, cell types and formats.
  EXPECT_EQ(g_.centradas, (std::vector<std::array<int, 3>>{
                              {0, 0, 9}, {4, 2, 3}, {4, 4, 5}, {4, 6, 7}, {4, 8, 9}}));
  EXPECT_TRUE(g_.anchos.empty());  // no figure wider than the columns are
  EXPECT_EQ(g_.celdas.count({14, 0}),
            0u);  // the 2003 workbook's eight rows after the six heading rows
  EXPECT_EQ(g_.fila(13).substr(0, 9), "|TOTALES|");

  // Codes as numbers where the 2003 workbook has Number cells; amounts grouped by thousands;
  // the closing rows bold throughout.
  auto celda = [this](int f, int c) { return g_.celdas[std::pair{f, c}]; };
  EXPECT_TRUE(celda(6, 0).numero);   // 1101
  EXPECT_FALSE(celda(7, 0).numero);  // 1101-01
  EXPECT_TRUE(celda(6, 2).numero);
  EXPECT_EQ(celda(6, 2).formato.numero, "#,##0");
  EXPECT_FALSE(celda(6, 2).formato.negrita);
  for (int f = 11; f < 14; ++f) {
    for (int c = 0; c < 10; ++c) EXPECT_TRUE(celda(f, c).formato.negrita) << f << "," << c;
    EXPECT_EQ(celda(f, 9).formato.numero, "#,##0");
  }
}

TEST_F(XlsxTest, FallaAlCerrarConservaElArchivoAnterior) {
  escribir(ruta("balance.xlsx"), "libro anterior");
  dialogo_.respuesta = ruta("balance.xlsx");
  g_.fallarAlCerrar = true;
  frm().Command1_Click();
  EXPECT_EQ(e_.mensajes.cajas,
            (std::vector<Caja>{{"No se puede escribir el archivo " + ruta("balance.xlsx") +
                                    ": no queda espacio en el disco",
                                Icono::Critico, "Mensaje"}}));
  EXPECT_EQ(leer(ruta("balance.xlsx")), "libro anterior");
  EXPECT_EQ(archivos(), std::vector<std::string>{"balance.xlsx"});
}

TEST_F(XlsxTest, UnAnfitrionSinEscritorLoDice) {
  e_.plataforma.crearLibroXlsx = nullptr;
  dialogo_.respuesta = ruta("balance.xlsx");
  frm().Command1_Click();
  EXPECT_EQ(e_.mensajes.textos(),
            std::vector<std::string>{"No se puede escribir el archivo " + ruta("balance.xlsx") +
                                     ": este programa no escribe libros .xlsx; elija un nombre "
                                     "terminado en .xls"});
  EXPECT_TRUE(e_.contable->lecturas.empty());
  EXPECT_TRUE(archivos().empty());
}

TEST(RutaXlsx, SoloElFinalDelNombreSinImportarMayusculas) {
  const std::pair<const char*, bool> casos[] = {
      {"b.xlsx", true}, {"/a/B.XlSx", true}, {"b.xls", false}, {"b.xlsx.xls", false},
      {"xlsx", false},  {"b.xlsx/", false},  {"", false},      {"c.XLSX", true},
  };
  for (auto [ruta, esperado] : casos) EXPECT_EQ(esRutaXlsx(ruta), esperado) << ruta;
}

}  // namespace
}  // namespace prjsumsal
