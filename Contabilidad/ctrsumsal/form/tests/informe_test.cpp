#include <gtest/gtest.h>

#include "entorno_prueba.h"
#include "form/frmsumsal.h"
#include "host/clssumsal.h"

namespace prjsumsal {
namespace {

using prueba::Caja;
using prueba::EntornoPrueba;

// A report engine that records each write as "member=value" and can fail its run.
class ReporteFalso : public rptreporte {
 public:
  std::int32_t Destino() const override { return destino; }
  void Destino(std::int32_t v) override {
    destino = v;
    escrituras.push_back("destino=" + std::to_string(v));
  }
  std::string Archivo() const override { return archivo; }
  void Archivo(const std::string& v) override {
    archivo = v;
    escrituras.push_back("archivo=" + v);
  }
  void Accion(std::int16_t v) override {
    escrituras.push_back("accion=" + std::to_string(v));
    if (!falla.empty()) throw Error(falla);
  }
  std::string TituloVentana() const override { return titulo; }
  void TituloVentana(const std::string& v) override { titulo = v; }

  std::int32_t destino = -1;
  std::string archivo, titulo, falla;
  std::vector<std::string> escrituras;
};

// The report database under a chosen Name, the real one behind it.
class BaseConNombre : public BaseDatos {
 public:
  BaseConNombre(std::shared_ptr<BaseDatos> interna, std::string nombre)
      : interna_(std::move(interna)), nombre_(std::move(nombre)) {}
  long executesql(const std::string& s) override { return interna_->executesql(s); }
  std::unique_ptr<Registros> newrecord(const std::string& s) override {
    return interna_->newrecord(s);
  }
  std::unique_ptr<Registros> newrecord(const std::string& s, std::int16_t o) override {
    return interna_->newrecord(s, o);
  }
  std::string Name() const override { return nombre_; }

 private:
  std::shared_ptr<BaseDatos> interna_;
  std::string nombre_;
};

class InformeTest : public ::testing::Test {
 protected:
  void abrir(const std::string& nombreBase, bool conMotor = true) {
    if (conMotor) {
      e_.plataforma.crearReporte = [this]() -> std::unique_ptr<rptreporte> {
        auto r = std::make_unique<ReporteFalso>();
        reporte_ = r.get();
        return r;
      };
    }
    cls_ = std::make_unique<clssumsal>(e_.plataforma);
    cls_->glbPermiso = "00011";
    cls_->glbdb = e_.contable;
    cls_->glbdbReport = std::make_shared<BaseConNombre>(e_.informes, nombreBase);
    cls_->ShowForm();
    e_.mensajes.cajas.clear();
  }
  void TearDown() override {
    if (cls_) cls_->UnloadForm();
  }
  frmsumsal& frm() { return *cls_->formulario(); }

  EntornoPrueba e_;
  std::unique_ptr<clssumsal> cls_;
  ReporteFalso* reporte_ = nullptr;
};

// Each button writes its destination, the report file of the chosen layout in the report
// database's folder, then the trigger; nothing else, and no message.
TEST_F(InformeTest, EscribeDestinoArchivoYDisparo) {
  const std::string prefijo = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";
  struct Caso {
    std::string nombre;
    int formato;
    bool imprime;
    std::string archivo;
  };
  const Caso casos[] = {
      {"C:\\Datos\\temp.mdb", 1, true, "C:\\Datos\\ctrsumsal.rpt"},
      {prefijo + "C:\\Datos\\temp.mdb", 3, false, "C:\\Datos\\ctrsumsal3.rpt"},
      {"/var/nubo/informes.sqlite", 2, true, "/var/nubo/ctrsumsal2.rpt"},
      {prefijo + "/var/nubo/informes.sqlite", 4, false, "/var/nubo/ctrsumsal4.rpt"},
      {"/var/nubo/i.db", 5, true, "/var/nubo/ctrsumsal5.rpt"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre + " formato " + std::to_string(c.formato));
    abrir(c.nombre);
    EXPECT_EQ(reporte_->titulo, "Presentación Preliminar");
    frm().seleccionarFormato(c.formato);
    if (c.imprime) {
      frm().ctlinforme1_Imprime();
    } else {
      frm().ctlinforme1_Presenta();
    }
    std::vector<std::string> esperadas = {"destino=" + std::string(c.imprime ? "1" : "0"),
                                          "archivo=" + c.archivo, "accion=1"};
    EXPECT_EQ(reporte_->escrituras, esperadas);
    EXPECT_TRUE(e_.mensajes.cajas.empty());
    cls_->UnloadForm();
  }
}

// Preview right after print goes to the window: each run writes its own destination.
TEST_F(InformeTest, PresentarDespuesDeImprimirVaALaVentana) {
  abrir("/var/nubo/informes.sqlite");
  frm().ctlinforme1_Imprime();
  frm().ctlinforme1_Presenta();
  EXPECT_EQ(reporte_->destino, rptreporte::kDestinoVentana);
  EXPECT_EQ(reporte_->escrituras.size(), 6u);
}

// A failure anywhere ends the run in the trap's box; the destination written first stays set.
TEST_F(InformeTest, LaTrampaMuestraLaFallaYNoCorre) {
  const Caja faltaArchivo{"No existe el archivo de informe /var/nubo/ctrsumsal.rpt", Icono::Critico,
                          "Mensaje"};
  abrir("/var/nubo/informes.sqlite");
  reporte_->falla = faltaArchivo.texto;
  frm().ctlinforme1_Imprime();
  EXPECT_EQ(e_.mensajes.cajas, std::vector<Caja>{faltaArchivo});

  cls_->UnloadForm();
  abrir("/var/nubo/informes.sqlite");
  frm().glbdbReport.reset();
  frm().ctlinforme1_Presenta();
  EXPECT_EQ(e_.mensajes.textos(), std::vector<std::string>{kObjetoNoEstablecido});
  EXPECT_EQ(reporte_->escrituras, std::vector<std::string>{"destino=0"});
  frm().glbdbReport = cls_->glbdbReport;

  // A host without a report engine: the form loads, and the buttons say what is missing.
  cls_->UnloadForm();
  e_.plataforma.crearReporte = nullptr;
  abrir("/var/nubo/informes.sqlite", false);
  frm().ctlinforme1_Imprime();
  ASSERT_EQ(e_.mensajes.cajas.size(), 1u);
  EXPECT_EQ(e_.mensajes.cajas[0].icono, Icono::Critico);
  EXPECT_NE(e_.mensajes.cajas[0].texto.find("rptreporte"), std::string::npos);
}

// The three members by DISPID, as an automation caller writes them.
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
