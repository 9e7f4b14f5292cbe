#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "entorno_prueba.h"
#include "form/frmsumsal.h"
#include "host/clssumsal.h"

namespace prjsumsal {
namespace {

namespace fs = std::filesystem;

// An accounting database on a file whose process "dies" when it receives a given statement: the
// connection is closed as a killed process's would be, without a commit, and every later call
// fails.
class BaseQueMuere : public BaseDatos {
 public:
  BaseQueMuere(const fs::path& archivo, std::string mortal)
      : interna_(suite::BaseSqlite::abrir(archivo, suite::Papel::Contabilidad)),
        mortal_(std::move(mortal)) {}

  long executesql(const std::string& s) override {
    if (!interna_) throw Error("la conexión ya no existe");
    if (s.starts_with(mortal_)) {
      interna_.reset();
      throw Error("el proceso terminó");
    }
    return interna_->executesql(s);
  }
  std::unique_ptr<Registros> newrecord(const std::string& s) override {
    if (!interna_) throw Error("la conexión ya no existe");
    return interna_->newrecord(s);
  }
  std::unique_ptr<Registros> newrecord(const std::string& s, std::int16_t o) override {
    if (!interna_) throw Error("la conexión ya no existe");
    return interna_->newrecord(s, o);
  }
  std::string Name() const override { return "contabilidad"; }

 private:
  std::unique_ptr<suite::BaseSqlite> interna_;
  std::string mortal_;
};

// A save cut short at any step after the delete leaves the previous accountant in the file.
TEST(ContadorAtomicoTest, UnaGrabacionInterrumpidaDejaElContadorAnterior) {
  fs::path archivo = fs::path(::testing::TempDir()) / ("contador-" + std::to_string(::getpid()));
  for (const char* mortal : {"insert into contador", "commit"}) {
    fs::remove(archivo);
    {
      auto base = suite::BaseSqlite::crear(archivo, suite::Papel::Contabilidad);
      for (const char* t : suite::kTablasContabilidad) base->executesql(t);
      base->executesql("insert into contador values('Claudia','13.456.789-9','12345')");
    }
    prueba::EntornoPrueba e;
    clssumsal cls(e.plataforma);
    cls.glbdb = std::make_shared<BaseQueMuere>(archivo, mortal);
    cls.glbdbReport = e.informes;
    cls.glbPermiso = "000";
    cls.ShowForm();
    cls.formulario()->txtcontador.Text = "Nuevo";
    cls.formulario()->cmdGrabar_Click();
    cls.formulario()->glbdb.reset();
    cls.glbdb.reset();

    auto leida = suite::BaseSqlite::abrir(archivo, suite::Papel::Contabilidad);
    std::vector<std::string> filas;
    for (auto rs = leida->newrecord("select nombre from contador"); !rs->eof(); rs->MoveNext()) {
      filas.push_back(rs->fields("nombre").Value.texto());
    }
    EXPECT_EQ(filas, std::vector<std::string>{"Claudia"}) << "muere en: " << mortal;
    ASSERT_FALSE(e.mensajes.cajas.empty()) << mortal;
    EXPECT_EQ(e.mensajes.cajas.back().icono, Icono::Critico) << mortal;
    cls.UnloadForm();
  }
  fs::remove(archivo);
}

}  // namespace
}  // namespace prjsumsal
