#include <gtest/gtest.h>

#include "entorno_prueba.h"
#include "host/basNubo.h"

namespace prjsumsal {
namespace {

using prueba::BaseQueFalla;
using prueba::Caja;
using prueba::EntornoPrueba;

std::vector<std::string> programas(BaseQueFalla& db) {
  return EntornoPrueba::filas(db, "select programa from programa order by programa", {"programa"});
}

// A name with a quote neither breaks nor rewrites the statement: without the doubling the third
// delete would remove every row.
TEST(BasNubo, IngresaYBorraElProgramaConSusSentencias) {
  EntornoPrueba e;
  for (const char* p : {"ctrsumsal", "otro", "", "O'Higgins"}) {
    IngresaPrograma(e.informes.get(), p, e.mensajes);
  }
  EXPECT_EQ(programas(*e.informes),
            (std::vector<std::string>{"", "O'Higgins", "ctrsumsal", "otro"}));
  for (const char* p : {"ctrsumsal", "", "x' or '1'='1", "O'Higgins"}) {
    BorraPrograma(e.informes.get(), p, e.mensajes);
  }
  EXPECT_EQ(programas(*e.informes), std::vector<std::string>{"otro"});
  EXPECT_EQ(e.informes->sentencias[0], "insert into programa(programa) values('ctrsumsal')");
  EXPECT_EQ(e.informes->sentencias[2], "insert into programa(programa) values('')");
  EXPECT_EQ(e.informes->sentencias[3], "insert into programa(programa) values('O''Higgins')");
  EXPECT_EQ(e.informes->sentencias[4], "delete from programa where programa='ctrsumsal'");
  EXPECT_TRUE(e.mensajes.cajas.empty());
}

TEST(BasNubo, LasFallasSeMuestranYNoSalenDelProcedimiento) {
  struct Caso {
    bool borrar;
    bool sinBase;
    BaseQueFalla::Modo modo;
    Caja caja;
  };
  const Caso casos[] = {
      {false,
       false,
       BaseQueFalla::Modo::Cero,
       {"Problemas para ingresar Programa en tabla de control", Icono::Critico, "Mensaje"}},
      {true,
       false,
       BaseQueFalla::Modo::Cero,
       {"Problemas para borrar programa de tabla de control", Icono::Critico, "Mensaje"}},
      {false,
       false,
       BaseQueFalla::Modo::Error,
       {"falla inyectada en la sentencia 1", Icono::Critico, "Mensaje"}},
      {true, true, BaseQueFalla::Modo::Error, {kObjetoNoEstablecido, Icono::Critico, "Mensaje"}},
  };
  for (const auto& c : casos) {
    EntornoPrueba e;
    e.informes->fallarEn(1, c.modo);
    BaseDatos* db = c.sinBase ? nullptr : e.informes.get();
    EXPECT_NO_THROW(c.borrar ? BorraPrograma(db, "p", e.mensajes)
                             : IngresaPrograma(db, "p", e.mensajes));
    EXPECT_EQ(e.mensajes.cajas, std::vector<Caja>{c.caja}) << c.caja.texto;
  }
}

}  // namespace
}  // namespace prjsumsal
