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

// The figures take the regional decimal separator they are given; how a figure is written is
// formato_test's.
TEST(DatosPdf, ElSeparadorDecimalEsElRegional) {
  std::ostringstream salida;
  DatosPdf datos(salida, {1, "E", "", "."});
  datos.bloque(FilaBalance{"1", "n", "A", 1234.5});
  EXPECT_NE(salida.str().find("<debe>1234.5</debe>\r\n"), std::string::npos) << salida.str();
}

}  // namespace
}  // namespace prjsumsal
