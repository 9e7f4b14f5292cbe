#include <gtest/gtest.h>

#include "clase/clssumsal.h"
#include "entorno_prueba.h"
#include "form/frmsumsal.h"

namespace prjsumsal {
namespace {

// A report engine that records each write as "member=value" and can fail its run.
class ReporteFalso : public rptreporte {
 public:
  std::int32_t Destino() const override { return destino; }
  void Destino(std::int32_t v) override { anotar("destino=", std::to_string(destino = v)); }
  std::string Archivo() const override { return ""; }
  void Archivo(const std::string& v) override { anotar("archivo=", v); }
  void Accion(std::int16_t v) override {
    anotar("accion=", std::to_string(v));
    if (!falla.empty()) throw Error(falla);
  }
  std::string TituloVentana() const override { return titulo; }
  void TituloVentana(const std::string& v) override { titulo = v; }
  void anotar(const char* miembro, const std::string& v) { escrituras.push_back(miembro + v); }

  std::int32_t destino = -1;
  std::string titulo, falla;
  std::vector<std::string> escrituras;
};

class InformeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    e_.plataforma.crearReporte = [this]() -> std::unique_ptr<rptreporte> {
      auto r = std::make_unique<ReporteFalso>();
      reporte_ = r.get();
      return r;
    };
    cls_ = std::make_unique<clssumsal>(e_.plataforma);
    cls_->glbPermiso = "00011";
    cls_->glbdb = e_.contable;
    cls_->glbdbReport = e_.informes;  // in memory: its Name has no folder
    cls_->ShowForm();
  }
  void TearDown() override { cls_->UnloadForm(); }
  frmsumsal& frm() { return *cls_->formulario(); }

  prueba::EntornoPrueba e_;
  std::unique_ptr<clssumsal> cls_;
  ReporteFalso* reporte_ = nullptr;
};

// Each button writes its destination, the chosen layout's report file, then the trigger. A
// preview right after a print goes to the window: every run writes its own destination.
TEST_F(InformeTest, EscribeDestinoArchivoYDisparo) {
  EXPECT_EQ(reporte_->titulo, "Presentación Preliminar");
  std::vector<std::string> esperadas;
  for (int n = 1; n <= 5; ++n) {
    frm().seleccionarFormato(n);
    frm().ctlinforme1_Imprime();
    frm().ctlinforme1_Presenta();
    std::string archivo = "archivo=ctrsumsal" + (n > 1 ? std::to_string(n) : "") + ".rpt";
    esperadas.insert(esperadas.end(),
                     {"destino=1", archivo, "accion=1", "destino=0", archivo, "accion=1"});
  }
  EXPECT_EQ(reporte_->escrituras, esperadas);
  EXPECT_TRUE(e_.mensajes.cajas.empty());
}

// A failure ends the run in the trap's critical box; the destination written first stays set.
TEST_F(InformeTest, LaTrampaMuestraLaFalla) {
  reporte_->falla = "No existe el archivo de informe ctrsumsal.rpt";
  frm().ctlinforme1_Imprime();
  frm().glbdbReport.reset();
  frm().ctlinforme1_Presenta();
  EXPECT_EQ(e_.mensajes.cajas,
            (std::vector<prueba::Caja>{{reporte_->falla, Icono::Critico, "Mensaje"},
                                       {kObjetoNoEstablecido, Icono::Critico, "Mensaje"}}));
  EXPECT_EQ(reporte_->escrituras.back(), "destino=0");
  frm().glbdbReport = e_.informes;

  // A host without a report engine: the form loads, and the buttons say what is missing.
  cls_->UnloadForm();
  e_.plataforma.crearReporte = nullptr;
  cls_->ShowForm();
  frm().ctlinforme1_Imprime();
  EXPECT_NE(e_.mensajes.cajas.back().texto.find("rptreporte"), std::string::npos);
}

// The members by DISPID, as an automation caller writes them, with the types they take.
TEST(Rptreporte, DespachoPorDispid) {
  ReporteFalso r;
  r.put(24, Valor(1));
  r.put(3, Valor("/x/ctrsumsal.rpt"));
  r.put(17, Valor(1));
  EXPECT_EQ(r.escrituras,
            (std::vector<std::string>{"destino=1", "archivo=/x/ctrsumsal.rpt", "accion=1"}));
  EXPECT_EQ(r.get(24), Valor(1));
  EXPECT_THROW(r.put(17, Valor(70000)), Error);  // the trigger is a 16-bit integer
  EXPECT_THROW(r.put(99, Valor(1)), Error);
  EXPECT_THROW(r.put(24, Valor("uno")), Error);
}

}  // namespace
}  // namespace prjsumsal
