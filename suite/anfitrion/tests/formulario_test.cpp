// nubo with the balance form in batch mode: the class created by its identifier, the work table
// filled and dropped, the accountant saved, a refused RUT, each seen from outside the process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fstream>

#include "ayuda_pruebas.h"

namespace suite::anfitrion {
namespace {

namespace fs = std::filesystem;
using prueba::consultar;
using prueba::correrNubo;

std::vector<std::string> lineas(const fs::path& archivo) {
  std::vector<std::string> r;
  std::ifstream in(archivo);
  for (std::string l; std::getline(in, l);) r.push_back(l);
  return r;
}

// Each test runs nubo over the demo company with its own registration file and statement trace.
class Formulario : public prueba::ConDemo {
 protected:
  void SetUp() override {
    ::unsetenv("NUBO_TRAZA_SQL");
    ConDemo::SetUp();
  }
  void TearDown() override {
    ConDemo::TearDown();
    ::unsetenv("NUBO_TRAZA_SQL");
  }
  fs::path registro() const { return carpeta_.ruta() / "config" / "nubo" / "componentes"; }

  fs::path traza_ = carpeta_.ruta() / "traza.txt";
};

TEST_F(Formulario, PrepararLlenaYLuegoEliminaLaTablaDeTrabajo) {
  // The first half of this year, which the demo's vouchers cover up to today.
  std::time_t ahora = std::time(nullptr);
  std::string anio = std::to_string(std::localtime(&ahora)->tm_year + 1900);
  ::setenv("NUBO_TRAZA_SQL", traza_.c_str(), 1);
  auto e = correrNubo({"--demo", demo_, "--permiso", "00011", "--desde", "01/01/" + anio, "--hasta",
                       "30/06/" + anio, "--preparar"});
  EXPECT_EQ(e.estado, 0) << e.errores;
  EXPECT_EQ(e.errores, "");

  // The accounts of the year-to-date statement, counted here straight from the journal.
  auto cuentas = consultar(contabilidad(),
                           "select count(distinct a.centro) from ctdcomprmm a join ctccomprmm b"
                           " using (empresa, subsistema, f_comp, documento, num_docum)"
                           " where a.empresa=1 and a.f_comp between '" +
                               anio + "-01-01' and '" + anio +
                               "-06-30'"
                               " and b.ifrs in ('0','1')");
  ASSERT_EQ(cuentas.size(), 1u);
  std::size_t n = std::stoul(cuentas[0]);
  ASSERT_GT(n, 0u);

  auto t = lineas(traza_);
  ASSERT_EQ(t.size(), 11 + n) << "cuentas " << n;
  EXPECT_EQ(t[0].rfind("informes\texecutesql\tCREATE TABLE ctrsumsal ( empresa text(50),", 0), 0u);
  EXPECT_EQ(t[1], "contabilidad\tnewrecord\t select * from contador ");
  EXPECT_EQ(t[2], "informes\texecutesql\tinsert into programa(programa) values('ctrsumsal')");
  EXPECT_NE(t[6].find(" and a.f_comp>=#" + anio + "-01-01# and a.f_comp<=#" + anio + "-06-30#"),
            std::string::npos);
  EXPECT_EQ(t[7].find("a.f_comp>=#"), std::string::npos);
  for (std::size_t i = 8; i < 8 + n; ++i) {
    EXPECT_EQ(t[i].rfind("informes\texecutesql\tinsert into ctrsumsal(empresa,usuario,fecha,centro,"
                         "auxiliar,",
                         0),
              0u)
        << t[i];
  }
  EXPECT_EQ(t[8 + n],
            "informes\texecutesql\tinsert into ctrsumsal(empresa,usuario,fecha,centro)  values('1 "
            "COMERCIALIZADORA LOS AROMOS SPA','1 ADMINISTRADOR','01/01/" +
                anio + "','NULL')");
  EXPECT_EQ(t[9 + n], "informes\texecutesql\t drop table ctrsumsal ");
  EXPECT_EQ(t[10 + n], "informes\texecutesql\tdelete from programa where programa='ctrsumsal'");

  EXPECT_TRUE(
      consultar(informes(), "select name from sqlite_master where name='ctrsumsal'").empty());
  EXPECT_TRUE(consultar(informes(), "select programa from programa").empty());
}

TEST_F(Formulario, GrabarElContadorConElRutReformado) {
  auto e = correrNubo({"--demo", demo_, "--contador", "Bernardo O'Higgins", "--rut", "123456785",
                       "--registro", "42", "--grabar-contador"});
  EXPECT_EQ(e.estado, 0) << e.errores;
  EXPECT_EQ(e.errores, "Mensaje: Contador grabado\n");
  EXPECT_EQ(
      consultar(contabilidad(), "select nombre || '|' || rut || '|' || registro from contador"),
      std::vector<std::string>{"Bernardo O'Higgins|12.345.678-5|42"});
}

TEST_F(Formulario, UnRutRechazadoTerminaConEstado1YNoGrabaNada) {
  auto antes = consultar(contabilidad(), "select rut from contador");
  for (auto args : std::vector<std::vector<std::string>>{
           {"--demo", demo_, "--rut", "1234-5678"},
           {"--demo", demo_, "--rut", "1234-5678", "--grabar-contador"},
       }) {
    auto e = correrNubo(args);
    EXPECT_EQ(e.estado, 1) << args.size();
    EXPECT_EQ(e.errores, "Mensaje: El rut no es Válido\n") << args.size();
    EXPECT_EQ(consultar(contabilidad(), "select rut from contador"), antes) << args.size();
    EXPECT_TRUE(consultar(informes(), "select programa from programa").empty());
  }
}

TEST_F(Formulario, UnRegistroQueApuntaAOtraBibliotecaSeRehace) {
  fs::create_directories(registro().parent_path());
  std::ofstream(registro()) << "otro.componente=/opt/otro.so\n"
                            << "prjsumsal.clssumsal=/no/existe/libprjsumsal.so.1\n";
  auto e = correrNubo({"--demo", demo_, "--preparar"});
  EXPECT_EQ(e.estado, 0) << e.errores;
  auto l = lineas(registro());
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0], "otro.componente=/opt/otro.so");
  EXPECT_EQ(l[1].rfind("prjsumsal.clssumsal=/", 0), 0u);
  EXPECT_TRUE(fs::exists(l[1].substr(l[1].find('=') + 1)));
}

}  // namespace
}  // namespace suite::anfitrion
