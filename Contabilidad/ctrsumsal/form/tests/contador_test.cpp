#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "entorno_prueba.h"
#include "form/frmsumsal.h"
#include "host/clssumsal.h"

namespace prjsumsal {
namespace {

using prueba::BaseQueFalla;
using prueba::Caja;
using prueba::EntornoPrueba;

const Caja kGrabado{"Contador grabado", Icono::Informacion, "Mensaje"};
const Caja kProblemas{"Problemas al grabar contador", Icono::Critico, "Mensaje"};

class ContadorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cls_ = std::make_unique<clssumsal>(e_.plataforma);
    cls_->glbdb = e_.contable;
    cls_->glbdbReport = e_.informes;
    cls_->glbPermiso = "000";
  }
  void TearDown() override { cls_->UnloadForm(); }

  void insertar(const char* valores) {
    e_.contable->interna().executesql(std::string("insert into contador values(") + valores + ")");
  }
  std::vector<std::string> filas() {
    return EntornoPrueba::filas(*e_.contable, "select * from contador",
                                {"nombre", "rut", "registro"});
  }
  frmsumsal& frm() { return *cls_->formulario(); }

  EntornoPrueba e_;
  std::unique_ptr<clssumsal> cls_;
};

TEST_F(ContadorTest, LaCargaLeeLaPrimeraFilaYRespetaLosNulos) {
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
    clssumsal cls(e.plataforma);
    cls.glbdb = e.contable;
    cls.glbdbReport = e.informes;
    cls.ShowForm();
    const frmsumsal& f = *cls.formulario();
    std::string donde = c.filas.empty() ? "vacía" : c.filas[0];
    EXPECT_EQ(f.txtcontador.Text, c.nombre) << donde;
    EXPECT_EQ(f.txtrut.Text, c.rut) << donde;
    EXPECT_EQ(f.txtregistro.Text, c.registro) << donde;
    EXPECT_TRUE(e.mensajes.cajas.empty()) << donde;
    cls.UnloadForm();
  }
}

TEST_F(ContadorTest, GrabarReemplazaLaTablaConLaSentenciaExacta) {
  insertar("'Primero','1-9','1'");
  insertar("'Segundo','2-7','2'");
  cls_->ShowForm();
  frm().txtcontador.Text = "N";
  frm().txtrut.Text = "12.345.678-5";
  frm().txtregistro.Text = "123";
  e_.contable->sentencias.clear();
  frm().cmdGrabar_Click();
  EXPECT_EQ(e_.contable->sentencias,
            (std::vector<std::string>{
                "begin transaction", "delete from contador ",
                "insert into contador(nombre, rut, registro) values( 'N', '12.345.678-5', '123')",
                "commit transaction"}));
  EXPECT_EQ(filas(), std::vector<std::string>{"N|12.345.678-5|123"});
  EXPECT_EQ(e_.mensajes.cajas, std::vector<Caja>{kGrabado});
}

TEST_F(ContadorTest, GrabarConCajasVaciasGuardaTextosVacios) {
  cls_->ShowForm();
  frm().cmdGrabar_Click();
  EXPECT_EQ(e_.contable->sentencias.at(2),
            "insert into contador(nombre, rut, registro) values( '', '', '')");
  EXPECT_EQ(filas(), std::vector<std::string>{"||"});
  EXPECT_EQ(e_.mensajes.cajas, std::vector<Caja>{kGrabado});
}

TEST_F(ContadorTest, UnNombreConComillaSeGraba) {
  cls_->ShowForm();
  frm().txtcontador.Text = "Bernardo O'Higgins";
  frm().txtregistro.Text = "');--";
  frm().cmdGrabar_Click();
  EXPECT_EQ(filas(), std::vector<std::string>{"Bernardo O'Higgins||');--"});
  EXPECT_EQ(e_.mensajes.cajas, std::vector<Caja>{kGrabado});
}

// The insert fails: the rows in place before the save are there afterwards, nulls included.
TEST_F(ContadorTest, UnaInsercionFallidaNoPierdeElContador) {
  struct Caso {
    BaseQueFalla::Modo modo;
    Caja caja;
  };
  const Caso casos[] = {
      {BaseQueFalla::Modo::Cero, kProblemas},
      {BaseQueFalla::Modo::Error, {"falla inyectada en la sentencia 3", Icono::Critico, "Mensaje"}},
  };
  for (const auto& c : casos) {
    EntornoPrueba e;
    e.contable->interna().executesql("insert into contador values('Primero','1-9',NULL)");
    e.contable->interna().executesql("insert into contador values('O''Brien','2-7','2')");
    clssumsal cls(e.plataforma);
    cls.glbdb = e.contable;
    cls.glbdbReport = e.informes;
    cls.ShowForm();
    cls.formulario()->txtcontador.Text = "Nuevo";
    e.contable->fallarEn(3, c.modo);  // the delete passes, the insert fails
    cls.formulario()->cmdGrabar_Click();
    EXPECT_EQ(e.mensajes.cajas, std::vector<Caja>{c.caja}) << c.caja.texto;
    EXPECT_EQ(
        EntornoPrueba::filas(*e.contable, "select * from contador", {"nombre", "rut", "registro"}),
        (std::vector<std::string>{"Primero|1-9|<null>", "O'Brien|2-7|2"}))
        << c.caja.texto;
    cls.UnloadForm();
  }
}

TEST_F(ContadorTest, UnBorradoFallidoNoAgregaUnaSegundaFila) {
  insertar("'Primero','1-9','1'");
  cls_->ShowForm();
  frm().txtcontador.Text = "Nuevo";
  e_.contable->fallarEn(2, BaseQueFalla::Modo::Cero);
  frm().cmdGrabar_Click();
  EXPECT_EQ(filas(), std::vector<std::string>{"Primero|1-9|1"});
  EXPECT_EQ(e_.mensajes.cajas, std::vector<Caja>{kProblemas});
}

TEST_F(ContadorTest, SinBaseContableLaTrampaLoMuestra) {
  cls_->ShowForm();
  frm().glbdb = nullptr;
  frm().cmdGrabar_Click();
  EXPECT_EQ(e_.mensajes.cajas,
            (std::vector<Caja>{{kObjetoNoEstablecido, Icono::Critico, "Mensaje"}}));
}

// A save whose process dies at the insert or at the commit: nothing reaches the engine from
// there on, and another connection still finds the previous accountant.
TEST(ContadorAtomico, UnaGrabacionInterrumpidaDejaElContadorAnterior) {
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
    auto previa = suite::BaseSqlite::crear(archivo, suite::Papel::Contabilidad);
    previa->executesql(suite::kTablasContabilidad[4]);
    previa->executesql("insert into contador values('Claudia','13.456.789-9','12345')");
    EntornoPrueba e;
    auto base = std::make_shared<BaseQueMuere>(
        suite::BaseSqlite::abrir(archivo, suite::Papel::Contabilidad));
    base->mortal = mortal;
    clssumsal cls(e.plataforma);
    cls.glbdb = base;
    cls.glbdbReport = e.informes;
    cls.ShowForm();
    cls.formulario()->txtcontador.Text = "Nuevo";
    cls.formulario()->cmdGrabar_Click();
    auto rs = previa->newrecord("select group_concat(nombre) as n from contador");
    EXPECT_EQ(rs->fields("n").Value.texto(), "Claudia") << mortal;
    EXPECT_EQ(e.mensajes.cajas.back().icono, Icono::Critico) << mortal;
    cls.UnloadForm();
  }
}

}  // namespace
}  // namespace prjsumsal
