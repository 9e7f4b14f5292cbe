#include <gtest/gtest.h>

#include <algorithm>
#include "entorno_prueba.h"

namespace prjsumsal {
namespace {

using prueba::BaseQueFalla;
using prueba::Caja;
using prueba::EntornoPrueba;

class CicloTest : public ::testing::Test {
 protected:
  void SetUp() override { cls_->glbTipoImpresora = "laser"; }
  void TearDown() override {
    cls_.reset();
    EntornoPrueba::cerrarFormularios();
  }

  frmsumsal& frm() { return *cls_->formulario(); }
  prueba::InformeFalso& informe() { return *e_.informesCreados.back(); }
  std::vector<std::string> programas() {
    return EntornoPrueba::filas(*e_.informes, "select programa from programa", {"programa"});
  }
  // Whether the report database has the work table, on either engine.
  bool hayTabla() {
    try {
      e_.informes->interna().newrecord("select * from ctrsumsal where 1=0");
      return true;
    } catch (const Error&) {
      return false;
    }
  }

  EntornoPrueba e_;
  std::unique_ptr<clssumsal> cls_ = e_.clase("00011");
};

TEST_F(CicloTest, ShowFormCargaConElContextoYLosValoresIniciales) {
  cls_->ShowForm();
  ASSERT_TRUE(frm().cargado());
  EXPECT_TRUE(frm().visible());
  EXPECT_TRUE(e_.mensajes.cajas.empty()) << e_.mensajes.textos()[0];
  EXPECT_EQ(informe().empresa, "3 SUR LTDA");
  EXPECT_EQ(informe().usuario, "7 ANA");
  EXPECT_EQ(informe().programa, "ctrsumsal");
  // The printer type reaches the control after the load, which wrote the design's empty type.
  EXPECT_EQ(informe().escrituras,
            (std::vector<std::string>{"glbtipoimpresora=", "glbtipoimpresora=laser"}));
  EXPECT_EQ(frm().cmbifrs.List, (std::vector<std::string>{"1 TRIBUTARIA", "2 IFRS"}));
  EXPECT_EQ(frm().cmbifrs.Text, "1 TRIBUTARIA");
  EXPECT_EQ(frm().txtdesde->Text(), "01/12/2026");
  EXPECT_EQ(frm().txthasta->Text(), "04/12/2026");
  EXPECT_EQ(frm().SII(), "");
  EXPECT_TRUE(hayTabla());
  EXPECT_EQ(programas(), std::vector<std::string>{"ctrsumsal"});
  // The work table is created before the accountant is read and the program registered.
  ASSERT_EQ(e_.informes->sentencias.size(), 2u);
  EXPECT_EQ(e_.informes->sentencias[0].rfind("CREATE TABLE ctrsumsal (", 0), 0u);
  EXPECT_EQ(e_.informes->sentencias[1], "insert into programa(programa) values('ctrsumsal')");
  EXPECT_EQ(e_.contable->lecturas, std::vector<std::string>{" select * from contador "});
  EXPECT_EQ(e_.contable->opciones, std::vector<int>{4});
}

TEST_F(CicloTest, ElPrimerDiaDelMesDaElMismoDiaEnAmbasFechas) {
  e_.reloj.hoy = {2024, 3, 1};
  cls_->ShowForm();
  EXPECT_EQ(frm().txtdesde->Text(), "01/03/2024");
  EXPECT_EQ(frm().txthasta->Text(), "01/03/2024");
}

TEST_F(CicloTest, LaListaDeNormasQuedaConDosEntradasCualquieraSeaElDiseno) {
  frm().cmbifrs.AddItem("basura de diseño");
  frm().cmbifrs.AddItem("1 TRIBUTARIA");
  cls_->ShowForm();
  EXPECT_EQ(frm().cmbifrs.List, (std::vector<std::string>{"1 TRIBUTARIA", "2 IFRS"}));
  EXPECT_EQ(frm().cmbifrs.ListIndex, 0);
}

TEST_F(CicloTest, ShowFormDosVecesCargaUnaSolaVez) {
  cls_->ShowForm();
  cls_->glbN_empresa = "NORTE SA";
  cls_->glbTipoImpresora = "matriz";
  cls_->ShowForm();
  EXPECT_EQ(e_.informesCreados.size(), 1u);
  EXPECT_EQ(frm().glbN_empresa, "NORTE SA");     // copied again
  EXPECT_EQ(informe().empresa, "3 SUR LTDA");    // the load did not run again
  EXPECT_EQ(informe().tipoImpresora, "matriz");  // but the printer type went through
  EXPECT_EQ(programas(), std::vector<std::string>{"ctrsumsal"});
  EXPECT_TRUE(e_.mensajes.cajas.empty());
}

TEST_F(CicloTest, UnloadFormYShowFormVuelvenACargar) {
  cls_->ShowForm();
  frm().txtcontador.Text = "escrito a mano";
  frm().seleccionarFormato(3);
  cls_->UnloadForm();
  EXPECT_FALSE(frm().cargado());
  EXPECT_FALSE(frm().visible());
  EXPECT_FALSE(hayTabla());
  EXPECT_TRUE(programas().empty());
  EXPECT_EQ(e_.informes->sentencias.back(), "delete from programa where programa='ctrsumsal'");
  EXPECT_EQ(e_.informes->sentencias[2], " drop table ctrsumsal ");
  // The form's own controls are back to their design values.
  EXPECT_EQ(frm().txtcontador.Text, "");
  EXPECT_EQ(frm().SII(), "");

  cls_->ShowForm();
  EXPECT_TRUE(frm().cargado());
  EXPECT_EQ(e_.informesCreados.size(), 2u);
  EXPECT_TRUE(hayTabla());
  EXPECT_EQ(programas(), std::vector<std::string>{"ctrsumsal"});
  EXPECT_TRUE(e_.mensajes.cajas.empty());
}

TEST_F(CicloTest, UnloadFormSinCargarNoHaceNada) {
  cls_->UnloadForm();
  EXPECT_TRUE(e_.informes->sentencias.empty());
  EXPECT_TRUE(e_.informesCreados.empty());
}

TEST_F(CicloTest, SoltarLaClaseDejaElFormularioAbierto) {
  cls_->ShowForm();
  std::weak_ptr<frmsumsal> forma = cls_->formulario();
  cls_.reset();
  ASSERT_FALSE(forma.expired());
  EXPECT_TRUE(forma.lock()->visible());
  EXPECT_EQ(programas(), std::vector<std::string>{"ctrsumsal"});
  // The form may still leave through its report control, with nobody else holding it.
  informe().sale();
  EXPECT_TRUE(formulariosAbiertos().empty());
  EXPECT_TRUE(programas().empty());
  EXPECT_FALSE(hayTabla());
}

TEST_F(CicloTest, UnObjetoDeBaseFaltanteSeMuestraYElFormularioQuedaAbierto) {
  struct Caso {
    bool sinContable, sinInformes;
    const char* permiso;
    std::vector<Caja> cajas;
  };
  const Caja kSinObjeto{kObjetoNoEstablecido, Icono::Critico, "Mensaje"};
  const Caso casos[] = {
      // Without the report database the create fails first and the rest is skipped.
      {false, true, "00011", {kSinObjeto}},
      // Without the work table, the program's registration reports the missing object itself.
      {false, true, "000", {kSinObjeto}},
      // Without the accounting database the accountant's read fails: no registration.
      {true, false, "00011", {kSinObjeto}},
  };
  for (const auto& c : casos) {
    EntornoPrueba e;
    auto cls = e.clase(c.permiso);
    if (c.sinContable) cls->glbdb = nullptr;
    if (c.sinInformes) cls->glbdbReport = nullptr;
    cls->ShowForm();
    EXPECT_TRUE(cls->formulario()->visible()) << c.permiso;
    EXPECT_EQ(e.mensajes.cajas, c.cajas) << c.sinContable << c.sinInformes << c.permiso;
    if (c.sinContable) {
      EXPECT_EQ(e.informes->ejecutadas, 1) << "solo el CREATE TABLE";
    }
    cls->UnloadForm();
  }
}

TEST_F(CicloTest, LasBanderasDePermisoLeenLosCaracteresCuartoYQuinto) {
  struct Caso {
    const char* permiso;
    bool primera, segunda;
  };
  const Caso casos[] = {
      {"", false, false},     {"111", false, false},  {"0001", true, false},
      {"00011", true, true},  {"00001", false, true}, {"11101", false, true},
      {"000111", true, true}, {"ñññ1", true, false},  {"0002 ", false, false},
  };
  for (const auto& c : casos) {
    EntornoPrueba e;
    auto cls = e.clase(c.permiso);
    cls->ShowForm();
    auto& inf = *e.informesCreados.back();
    EXPECT_EQ(inf.preeliminar, c.primera) << '"' << c.permiso << '"';
    EXPECT_EQ(inf.imprimir, c.segunda) << '"' << c.permiso << '"';
    bool creada = !e.informes->sentencias.empty() &&
                  e.informes->sentencias[0].starts_with("CREATE TABLE ctrsumsal");
    EXPECT_EQ(creada, c.segunda) << '"' << c.permiso << '"';
    cls->UnloadForm();
    bool eliminada = std::count(e.informes->sentencias.begin(), e.informes->sentencias.end(),
                                " drop table ctrsumsal ") == 1;
    EXPECT_EQ(eliminada, c.segunda) << '"' << c.permiso << '"';
    EXPECT_TRUE(e.mensajes.cajas.empty()) << '"' << c.permiso << '"';
  }
}

TEST_F(CicloTest, UnaTablaDeTrabajoQueYaExisteDetieneLaCarga) {
  e_.informes->interna().executesql("create table ctrsumsal(x TEXT)");
  e_.contable->interna().executesql("insert into contador values('N','1-9','R')");
  cls_->ShowForm();
  ASSERT_EQ(e_.mensajes.cajas.size(), 1u);
  EXPECT_EQ(e_.mensajes.cajas[0].icono, Icono::Critico);
  EXPECT_EQ(e_.mensajes.cajas[0].titulo, "Mensaje");
  EXPECT_TRUE(frm().visible());
  EXPECT_EQ(frm().txtcontador.Text, "");  // the accountant was not read
  EXPECT_TRUE(programas().empty());       // nor the program registered
}

TEST_F(CicloTest, UnCeroAlCrearLaTablaNoDetieneLaCarga) {
  e_.informes->fallarEn(1, BaseQueFalla::Modo::Cero);
  cls_->ShowForm();
  EXPECT_TRUE(e_.mensajes.cajas.empty());
  EXPECT_EQ(programas(), std::vector<std::string>{"ctrsumsal"});
}

TEST_F(CicloTest, SinFabricaDeControlesShowFormFallaConUnErrorClaro) {
  e_.plataforma.crearDia = nullptr;
  try {
    cls_->ShowForm();
    FAIL() << "ShowForm debía fallar";
  } catch (const Error& err) {
    EXPECT_NE(std::string(err.what()).find("prjDia.ctlDia"), std::string::npos) << err.what();
  }
  EXPECT_FALSE(frm().cargado());
  EXPECT_FALSE(frm().visible());
  EXPECT_TRUE(e_.informes->sentencias.empty());
}

// Typing stops at each box's limit, counted in characters.
TEST_F(CicloTest, ElLimiteDeLasCajasCuentaCaracteres) {
  frmsumsal& f = frm();
  f.txtregistro.teclear("12345678901234");
  EXPECT_EQ(f.txtregistro.Text, "1234567890");
  f.txtcontador.teclear(std::string(49, 'a') + "ñandú");
  EXPECT_EQ(f.txtcontador.Text, std::string(49, 'a') + "ñ");
  f.txtrut.teclear("12.345.678-5");
  f.txtrut.teclear("-123");
  EXPECT_EQ(f.txtrut.Text, "12.345.678-5-1");
}

}  // namespace
}  // namespace prjsumsal
