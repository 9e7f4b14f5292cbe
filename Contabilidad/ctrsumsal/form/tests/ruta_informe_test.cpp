#include <gtest/gtest.h>

#include "form/ruta_informe.h"

namespace prjsumsal {
namespace {

TEST(ArchivoInforme, LaCarpetaDeLaBaseDeInformes) {
  struct Caso {
    const char* nombre;
    const char* codigo;
    const char* archivo;
  };
  const Caso casos[] = {
      // An 8-character file name, with and without the connection prefix.
      {"C:\\Datos\\temp.mdb", "3", "C:\\Datos\\ctrsumsal3.rpt"},
      {"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Datos\\temp.mdb", "3",
       "C:\\Datos\\ctrsumsal3.rpt"},
      {"/srv/nubo/temp.mdb", "", "/srv/nubo/ctrsumsal.rpt"},
      // Any other length of file name keeps its folder.
      {"/srv/nubo/informes.sqlite", "5", "/srv/nubo/ctrsumsal5.rpt"},
      {"/srv/nubo/a.db", "2", "/srv/nubo/ctrsumsal2.rpt"},
      {"informes.db", "", "ctrsumsal.rpt"},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(archivoInforme(c.nombre, c.codigo), c.archivo) << c.nombre;
  }
}

}  // namespace
}  // namespace prjsumsal
