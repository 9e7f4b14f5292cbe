#include "export/entrega_pdf.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace prjsumsal {
namespace {

std::string conCrLf(std::initializer_list<const char*> lineas) {
  std::string r;
  for (const char* l : lineas) r += std::string(l) + "\r\n";
  return r;
}

TEST(DatosPdf, BloquesDeDieciochoLineas) {
  std::ostringstream salida;
  DatosPdf datos(salida, {-3, "SUR & HIJOS", "01/03/2024 - 31/03/2024", ","});
  datos.abrir();
  FilaBalance caja{"1101", "Caja", "A", 500, 200.25, 1299.5, 0};
  clasificar(caja);
  datos.bloque(caja);
  FilaBalance ventas{"4101", "", "a", 0, -0.5, 0, 1e6};
  clasificar(ventas);
  datos.bloque(ventas);
  datos.cerrar();
  EXPECT_EQ(salida.str(), conCrLf({"<tabla>",
                                   "<fila>",
                                   "<empresa>-3</empresa>",
                                   "<usuario>SUR &amp; HIJOS</usuario>",
                                   "<fecha>01/03/2024 - 31/03/2024</fecha>",
                                   "<centro>1101</centro>",
                                   "<auxiliar/>",
                                   "<n_centro>Caja</n_centro>",
                                   "<n_auxiliar/>",
                                   "<debe>500</debe>",
                                   "<haber>200,25</haber>",
                                   "<debe_act>1299,5</debe_act>",
                                   "<haber_act>0</haber_act>",
                                   "<g_cuenta>A</g_cuenta>",
                                   "<varDebe5>1299,5</varDebe5>",
                                   "<varHaber6>0</varHaber6>",
                                   "<varDebe7>0</varDebe7>",
                                   "<varHaber8>0</varHaber8>",
                                   "</fila>",
                                   "<fila>",
                                   "<empresa>-3</empresa>",
                                   "<usuario>SUR &amp; HIJOS</usuario>",
                                   "<fecha>01/03/2024 - 31/03/2024</fecha>",
                                   "<centro>4101</centro>",
                                   "<auxiliar/>",
                                   "<n_centro></n_centro>",
                                   "<n_auxiliar/>",
                                   "<debe>0</debe>",
                                   "<haber>-0,5</haber>",
                                   "<debe_act>0</debe_act>",
                                   "<haber_act>1000000</haber_act>",
                                   "<g_cuenta>a</g_cuenta>",
                                   "<varDebe5>0</varDebe5>",
                                   "<varHaber6>0</varHaber6>",
                                   "<varDebe7>0</varDebe7>",
                                   "<varHaber8>1000000</varHaber8>",
                                   "</fila>",
                                   "</tabla>"}));
}

TEST(DatosPdf, FormaGeneralConElSeparadorRegional) {
  const struct {
    double valor;
    const char* decimal;
    const char* texto;
  } casos[] = {
      {1234.5, ",", "1234,5"},   {1234.5, ".", "1234.5"}, {-0.25, ",", "-0,25"},
      {1234567, ",", "1234567"}, {0.1 + 0.2, ",", "0,3"}, {2.0 / 3, ",", "0,666666666666667"},
  };
  for (const auto& c : casos) {
    std::ostringstream salida;
    DatosPdf datos(salida, {1, "E", "", c.decimal});
    datos.bloque(FilaBalance{"1", "n", "A", c.valor});
    EXPECT_NE(salida.str().find(std::string("<debe>") + c.texto + "</debe>\r\n"), std::string::npos)
        << c.valor << " con '" << c.decimal << "': " << salida.str();
  }
}

TEST(DatosPdf, SinCuentasSoloLaTabla) {
  std::ostringstream salida;
  DatosPdf datos(salida, {1, "E", "", ","});
  datos.abrir();
  datos.cerrar();
  EXPECT_EQ(salida.str(), "<tabla>\r\n</tabla>\r\n");
}

TEST(EmpresaPdf, QuinceLineas) {
  std::ostringstream salida;
  escribirEmpresaPdf(salida, {3, "Pérez <& Cía>", "Ana", "06/12/2026", "01/03/2024", "31/03/2024",
                              "12.345.678-5", "Juan Soto", "R-12", "", ""});
  EXPECT_EQ(
      salida.str(),
      conCrLf({"<tabla>", "<fila>", "<empresa>3</empresa>",
               "<nombre_empresa>Pérez &lt;&amp; Cía&gt;</nombre_empresa>",
               "<usuario_nombre>Ana</usuario_nombre>", "<fecha>06/12/2026</fecha>",
               "<fecha_desde>01/03/2024</fecha_desde>", "<fecha_hasta>31/03/2024</fecha_hasta>",
               "<rut_contador>12.345.678-5</rut_contador>",
               "<nombre_contador>Juan Soto</nombre_contador>",
               "<registro_contador>R-12</registro_contador>", "<rut_rep_legal></rut_rep_legal>",
               "<nombre_rep_legal></nombre_rep_legal>", "</fila>", "</tabla>"}));
}

}  // namespace
}  // namespace prjsumsal
