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

}  // namespace
}  // namespace prjsumsal
