#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "entorno_prueba.h"

namespace prjsumsal {
namespace {

using prueba::BaseQueFalla;
using prueba::Caja;
using prueba::EntornoPrueba;

const Caja kGrabado{"Contador grabado", Icono::Informacion, "Mensaje"};
const Caja kProblemas{"Problemas al grabar contador", Icono::Critico, "Mensaje"};

std::vector<std::string> filas(BaseQueFalla& db) {
  return EntornoPrueba::filas(db, "select * from contador", {"nombre", "rut", "registro"});
}

TEST(Contador, LaCargaLeeLaPrimeraFilaYRespetaLosNulos) {
  struct Caso {
    std::vector<const char*> filas;
    const char *nombre, *rut, *registro;
  };
  const Caso casos[] = {
      {{}, "", "", ""},
      {{"'N','12.345.678-5','123'"}, "N", "12.345.678-5", "123"},
      {{"'N','12.345.678-5',NULL"}, "N", "12.345.678-5", ""},
      {{"NULL,NULL,NULL"}, "", "", ""},
      {{"'Primero','1-9','1'", "'Segundo','2-7','2'"}, "Primero", "1-9", "1"},
      {{"'',NULL,'0'"}, "", "", "0"},
  };
  for (const auto& c : casos) {
    EntornoPrueba e;
    for (const char* f : c.filas) {
      e.contable->interna().executesql(std::string("insert into contador values(") + f + ")");
    }
    auto cls = e.clase();
    cls->ShowForm();
    const frmsumsal& f = *cls->formulario();
    std::string donde = c.filas.empty() ? "vacía" : c.filas[0];
    EXPECT_EQ(f.txtcontador.Text, c.nombre) << donde;
    EXPECT_EQ(f.txtrut.Text, c.rut) << donde;
    EXPECT_EQ(f.txtregistro.Text, c.registro) << donde;
    EXPECT_TRUE(e.mensajes.cajas.empty()) << donde;
    cls->UnloadForm();
  }
}

// A save replaces the rows in place with the three boxes, quotes and all.
TEST(Contador, GrabarReemplazaLaTablaConLaSentenciaExacta) {
  struct Caso {
    const char *nombre, *rut, *registro, *insercion, *fila;
  };
  const Caso casos[] = {
      {"N", "12.345.678-5", "123", " 'N', '12.345.678-5', '123'", "N|12.345.678-5|123"},
      {"", "", "", " '', '', ''", "||"},
      {"Bernardo O'Higgins", "", "');--", " 'Bernardo O''Higgins', '', ''');--'",
       "Bernardo O'Higgins||');--"},
  };
  for (const auto& c : casos) {
    EntornoPrueba e;
    e.contable->interna().executesql("insert into contador values('Primero','1-9','1')");
    e.contable->interna().executesql("insert into contador values('Segundo','2-7','2')");
    auto cls = e.clase();
    cls->ShowForm();
    frmsumsal& f = *cls->formulario();
    f.txtcontador.Text = c.nombre;
    f.txtrut.Text = c.rut;
    f.txtregistro.Text = c.registro;
    f.cmdGrabar_Click();
    EXPECT_EQ(e.contable->sentencias,
              (std::vector<std::string>{"begin transaction", "delete from contador ",
                                        std::string("insert into contador(nombre, rut, registro) "
                                                    "values(") +
                                            c.insercion + ")",
                                        "commit transaction"}));
    EXPECT_EQ(filas(*e.contable), std::vector<std::string>{c.fila});
    EXPECT_EQ(e.mensajes.cajas, std::vector<Caja>{kGrabado}) << c.nombre;
    cls->UnloadForm();
  }
}

// The delete or the insert fails, or there is no database: the rows in place before the save
// are there afterwards, nulls included, and never twice.
TEST(Contador, UnaGrabacionFallidaNoPierdeNiDuplicaElContador) {
  struct Caso {
    int falla;  // 2 the delete, 3 the insert (1 begins the transaction); 0 no database
    BaseQueFalla::Modo modo;
    Caja caja;
  };
  const Caso casos[] = {
      {2, BaseQueFalla::Modo::Cero, kProblemas},
      {3, BaseQueFalla::Modo::Cero, kProblemas},
      {3,
       BaseQueFalla::Modo::Error,
       {"falla inyectada en la sentencia 3", Icono::Critico, "Mensaje"}},
      {0, BaseQueFalla::Modo::Error, {kObjetoNoEstablecido, Icono::Critico, "Mensaje"}},
  };
  for (const auto& c : casos) {
    EntornoPrueba e;
    e.contable->interna().executesql("insert into contador values('Primero','1-9',NULL)");
    e.contable->interna().executesql("insert into contador values('O''Brien','2-7','2')");
    auto cls = e.clase();
    cls->ShowForm();
    cls->formulario()->txtcontador.Text = "Nuevo";
    e.contable->fallarEn(c.falla, c.modo);
    if (c.falla == 0) cls->formulario()->glbdb = nullptr;
    cls->formulario()->cmdGrabar_Click();
    EXPECT_EQ(e.mensajes.cajas, std::vector<Caja>{c.caja}) << c.falla << c.caja.texto;
    EXPECT_EQ(filas(*e.contable), (std::vector<std::string>{"Primero|1-9|<null>", "O'Brien|2-7|2"}))
        << c.falla << c.caja.texto;
    cls->UnloadForm();
  }
}

// A save whose process dies at the insert or at the commit: nothing reaches the engine from
// there on, and another connection still finds the previous accountant.
TEST(Contador, UnaGrabacionInterrumpidaDejaElContadorAnterior) {
  struct BaseQueMuere : BaseQueFalla {
    using BaseQueFalla::BaseQueFalla;
    long executesql(const std::string& s) override {
      muerta = muerta || s.starts_with(mortal);
      if (muerta) throw Error("el proceso terminó");
      return BaseQueFalla::executesql(s);
    }
    std::string mortal;
    bool muerta = false;
  };
  std::string archivo = ::testing::TempDir() + "contador-" + std::to_string(::getpid());
  for (const char* mortal : {"insert into contador", "commit"}) {
    std::remove(archivo.c_str());
    auto previa = suite::datos::BaseSqlite::crear(archivo, suite::datos::Papel::Contabilidad);
    previa->executesql(suite::datos::kTablasContabilidad[4]);
    previa->executesql("insert into contador values('Claudia','13.456.789-9','12345')");
    EntornoPrueba e;
    auto base = std::make_shared<BaseQueMuere>(
        suite::datos::BaseSqlite::abrir(archivo, suite::datos::Papel::Contabilidad));
    base->mortal = mortal;
    auto cls = e.clase();
    cls->glbdb = base;
    cls->ShowForm();
    cls->formulario()->txtcontador.Text = "Nuevo";
    cls->formulario()->cmdGrabar_Click();
    auto rs = previa->newrecord("select group_concat(nombre) as n from contador");
    EXPECT_EQ(rs->fields("n").Value.texto(), "Claudia") << mortal;
    EXPECT_EQ(e.mensajes.cajas.back().icono, Icono::Critico) << mortal;
    cls->UnloadForm();
  }
}

}  // namespace
}  // namespace prjsumsal
