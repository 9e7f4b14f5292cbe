#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "exportacion_prueba.h"
#include "host/error.h"

namespace prjsumsal {
namespace {

using prueba::Caja;
using prueba::escribir;
using prueba::leer;
using prueba::lineas;

class PdfTest : public prueba::ExportacionTest {
 protected:
  std::string datos() const { return ruta("balance_tributario_datos.xml"); }
  std::string empresa() const { return ruta("balance_tributario_empresa.xml"); }
};

// The two files replace those of an earlier run.
TEST_F(PdfTest, ArchivosDeEntregaYRendidor) {
  escribir(datos(), "datos anteriores");
  escribir(empresa(), "empresa anterior");
  frm().txtrut.Text = "12.345.678-5";
  frm().txtcontador.Text = "Juan & Soto";
  frm().txtregistro.Text = "R-12";
  frm().cmdpdf_Click();
  EXPECT_TRUE(e_.mensajes.cajas.empty()) << e_.mensajes.textos()[0];
  EXPECT_EQ(procesos_.llamadas,
            (std::vector<std::string>{"MousePointer 0", "Shell " + ruta("RENDIDOR") + " 1"}));
  EXPECT_EQ(archivos(), (std::vector<std::string>{"balance_tributario_datos.xml",
                                                  "balance_tributario_empresa.xml"}));

  // Each block of 18 lines: company, name, period, then the account's values.
  auto ls = lineas(leer(datos()));
  ASSERT_EQ(ls.size(), 2u + 5 * 18);
  EXPECT_EQ(ls.back(), "</tabla>");
  const char* esperado[] = {
      "1101||Caja||0|40|960|0|A|960|0|0|0",
      "1101-01||Caja chica &amp; fondos||250,5|0|250,5|0|A|250,5|0|0|0",
      "2101||Préstamos &lt;bancarios&gt;||0|0|0|1000|P|0|1000|0|0",
      "4101||||0|250,5|0|250,5|R|0|0|0|250,5",
      "9999||||40|0|40|0||0|0|40|0",
  };
  for (std::size_t i = 0; i < std::size(esperado); ++i) {
    EXPECT_EQ(valores(ls, 2 + 18 * i, 5 + 18 * i), "3|SUR LTDA|01/03/2024 - 31/03/2024");
    EXPECT_EQ(valores(ls, 5 + 18 * i, 18 + 18 * i), esperado[i]) << "bloque " << i + 1;
  }

  EXPECT_EQ(
      lineas(leer(empresa())),
      (std::vector<std::string>{
          "<tabla>", "<fila>", "<empresa>3</empresa>", "<nombre_empresa>SUR LTDA</nombre_empresa>",
          "<usuario_nombre>ANA</usuario_nombre>", "<fecha>04/12/2026</fecha>",
          "<fecha_desde>01/03/2024</fecha_desde>", "<fecha_hasta>31/03/2024</fecha_hasta>",
          "<rut_contador>12.345.678-5</rut_contador>",
          "<nombre_contador>Juan &amp; Soto</nombre_contador>",
          "<registro_contador>R-12</registro_contador>",
          "<rut_rep_legal>9.876.543-3</rut_rep_legal>",
          "<nombre_rep_legal>Rosa Pérez</nombre_rep_legal>", "</fila>", "</tabla>"}));
}

TEST_F(PdfTest, RendidorAusenteSeInformaConLosArchivosCompletos) {
  std::string datosAlIniciar, empresaAlIniciar;
  procesos_.alIniciar = [&](const std::string& r) {
    datosAlIniciar = leer(datos());
    empresaAlIniciar = leer(empresa());
    throw Error("No se puede iniciar " + r + ": el archivo no existe");
  };
  frm().cmdpdf_Click();
  EXPECT_EQ(
      e_.mensajes.cajas,
      (std::vector<Caja>{{"No se puede iniciar " + ruta("RENDIDOR") + ": el archivo no existe",
                          Icono::Critico, "Mensaje"}}));
  EXPECT_EQ(lineas(datosAlIniciar).size(), 2u + 5 * 18);
  EXPECT_EQ(lineas(datosAlIniciar).back(), "</tabla>");
  EXPECT_EQ(lineas(empresaAlIniciar).size(), 15u);
}

TEST_F(PdfTest, FallaDeLaConsultaConservaLosArchivosAnteriores) {
  escribir(datos(), "datos anteriores");
  escribir(empresa(), "empresa anterior");
  e_.contable->fallarLecturaEn(4);  // admempresa, chart, period, year to date
  frm().cmdpdf_Click();
  EXPECT_EQ(e_.mensajes.cajas,
            (std::vector<Caja>{{"falla inyectada en la lectura 4", Icono::Critico, "Mensaje"}}));
  EXPECT_EQ(leer(datos()), "datos anteriores");
  EXPECT_EQ(leer(empresa()), "empresa anterior");
  EXPECT_EQ(archivos().size(), 2u);
  EXPECT_TRUE(procesos_.llamadas.empty());
}

// No movement and a company record without its legal representative: an empty table, empty
// elements, and RENDIDOR all the same.
TEST_F(PdfTest, SinMovimientosNiRepresentanteLegal) {
  e_.contable->interna().executesql("update admempresa set rep_legal=null, provincia=null");
  frm().txthasta->Text("31/12/2025");
  frm().txtdesde->Text("01/12/2025");
  frm().cmdpdf_Click();
  EXPECT_TRUE(e_.mensajes.cajas.empty()) << e_.mensajes.textos()[0];
  EXPECT_EQ(leer(datos()), "<tabla>\r\n</tabla>\r\n");
  auto ls = lineas(leer(empresa()));
  ASSERT_EQ(ls.size(), 15u);
  EXPECT_EQ(ls[11], "<rut_rep_legal></rut_rep_legal>");
  EXPECT_EQ(ls[12], "<nombre_rep_legal></nombre_rep_legal>");
  EXPECT_EQ(procesos_.llamadas.size(), 2u);
}

}  // namespace
}  // namespace prjsumsal
