// Preview and print seen from outside nubo: the report control's buttons, the report engine, the
// report files placed in the demo's folder, and a real CUPS queue of the test's own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "ayuda_pruebas.h"
#include "cups_privado.h"
#include "opciones.h"

namespace suite {
namespace {

namespace fs = std::filesystem;
using prueba::Carpeta;
using prueba::correrNubo;

std::string leer(const fs::path& archivo) {
  std::ifstream in(archivo, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The text a reader sees in a PDF, every run of blanks made one blank.
std::string textoPdf(const fs::path& pdf) {
  fs::path txt = pdf.string() + ".txt";
  std::string orden = "pdftotext -layout '" + pdf.string() + "' '" + txt.string() + "'";
  if (std::system(orden.c_str()) != 0) return "";
  return std::regex_replace(leer(txt), std::regex("[ \\t]+"), " ");
}

// A whole number of the workbook grouped by thousands with ".", as the report prints it.
std::string agrupado(const std::string& cifra) {
  std::string signo = cifra.starts_with("-") ? "-" : "";
  std::string digitos = cifra.substr(signo.size()), r;
  for (std::size_t i = 0; i < digitos.size(); ++i) {
    if (i > 0 && (digitos.size() - i) % 3 == 0) r += '.';
    r += digitos[i];
  }
  return signo + r;
}

// The workbook's three closing rows as the report's text shows them: the label, then the
// figures of the cells that are not blank, grouped.
std::vector<std::string> cierresDelLibro(const fs::path& libro) {
  std::vector<std::string> filas;
  std::istringstream in(leer(libro));
  std::regex dato("<Data ss:Type='(Number|String)'>([^<]*)</Data>");
  std::string linea, actual;
  bool dentro = false;
  while (std::getline(in, linea)) {
    std::smatch m;
    for (const char* etiqueta : {">SUMAS<", ">RESULTADO EJERCICIO<", ">TOTALES<"}) {
      if (linea.find(etiqueta) != std::string::npos) {
        dentro = true;
        actual = std::string(etiqueta + 1, std::strlen(etiqueta) - 2);
        linea.clear();
      }
    }
    if (!dentro) continue;
    if (linea.find("</Row>") != std::string::npos) {
      filas.push_back(actual);
      dentro = false;
    } else if (std::regex_search(linea, m, dato) && m[1] == "Number") {
      actual += " " + agrupado(m[2]);
    }
  }
  return filas;
}

class Impresion : public ::testing::Test {
 protected:
  void SetUp() override {
    demo_ = (carpeta_.ruta() / "demo").string();
    ::setenv("XDG_CONFIG_HOME", (carpeta_.ruta() / "config").c_str(), 1);
    ASSERT_EQ(correrNubo({"--demo", demo_}).estado, 0);
  }
  void TearDown() override { ::unsetenv("XDG_CONFIG_HOME"); }

  std::vector<std::string> periodo() {
    return {"--demo", demo_, "--desde", "01/01/2026", "--hasta", "30/06/2026"};
  }
  std::vector<std::string> cierres() {
    fs::path libro = carpeta_.ruta() / "balance.xls";
    auto args = periodo();
    args.insert(args.end(), {"--excel", libro.string()});
    EXPECT_EQ(correrNubo(args).estado, 0);
    auto filas = cierresDelLibro(libro);
    EXPECT_EQ(filas.size(), 3u);
    return filas;
  }

  Carpeta carpeta_;
  std::string demo_;
};

// Every layout previews into a PDF with the workbook's closing figures; the folio layouts
// number their pages from the first folio given and end with the two signatures.
TEST_F(Impresion, VistaPreviaDeCadaFormatoConLasCifrasDelLibro) {
  auto esperadas = cierres();
  for (const char* archivo : {"ctrsumsal.rpt", "ctrsumsal2.rpt", "ctrsumsal5.rpt"}) {
    EXPECT_TRUE(fs::exists(fs::path(demo_) / archivo)) << archivo;
  }
  for (int formato = 1; formato <= 5; ++formato) {
    SCOPED_TRACE("formato " + std::to_string(formato));
    fs::path pdf = carpeta_.ruta() / ("vista" + std::to_string(formato) + ".pdf");
    auto args = periodo();
    args.insert(args.end(), {"--formato", std::to_string(formato), "--folio", "120", "--contador",
                             "Ana Pérez", "--vista-previa", pdf.string()});
    auto e = correrNubo(args);
    EXPECT_EQ(e.estado, 0) << e.errores;
    EXPECT_EQ(e.errores, "");
    std::string texto = textoPdf(pdf);
    for (const auto& fila : esperadas) EXPECT_NE(texto.find(fila), std::string::npos) << fila;
    EXPECT_NE(texto.find("110101 Caja "), std::string::npos);
    EXPECT_EQ(texto.find("NULL"), std::string::npos);
    bool foliado = formato == 2 || formato == 4;
    EXPECT_EQ(texto.find("Folio 120") != std::string::npos, foliado);
    EXPECT_EQ(texto.find("Ana Pérez") != std::string::npos, foliado);
    EXPECT_EQ(texto.find("Representante legal") != std::string::npos, foliado);
  }
}

// Print goes through a real scheduler: the job reaches the queue's device whole, with the
// balance's figures; a queue that does not exist is a critical message and no job.
TEST_F(Impresion, ImprimeEnUnaColaDeCups) {
  auto esperadas = cierres();
  prueba::CupsPrivado cups("balance");
  auto args = periodo();
  args.insert(args.end(), {"--formato", "3", "--imprimir", "--impresora", "balance"});
  auto e = correrNubo(args);
  EXPECT_EQ(e.estado, 0) << e.errores;
  EXPECT_EQ(e.errores, "");
  ASSERT_TRUE(cups.esperarTrabajos());
  std::string texto = textoPdf(cups.impreso());
  for (const auto& fila : esperadas) EXPECT_NE(texto.find(fila), std::string::npos) << fila;

  auto falla = correrNubo({"--demo", demo_, "--imprimir", "--impresora", "otra"});
  EXPECT_EQ(falla.estado, 1);
  EXPECT_EQ(falla.errores, "Mensaje: No existe la impresora otra\n");
}

// A report file the user changed stays as it is, and its mistake is shown with its line.
TEST_F(Impresion, ArchivoDeInformeCambiadoSeRespetaYSusErroresSeMuestran) {
  fs::path rpt = fs::path(demo_) / "ctrsumsal3.rpt";
  std::ofstream(rpt) << "informe 1\npapel carta\n";
  ASSERT_EQ(correrNubo({"--demo", demo_}).estado, 0);
  EXPECT_EQ(leer(rpt), "informe 1\npapel carta\n");
  auto e = correrNubo(
      {"--demo", demo_, "--formato", "3", "--vista-previa", (carpeta_.ruta() / "x.pdf").string()});
  EXPECT_EQ(e.estado, 1);
  EXPECT_EQ(e.errores, "Mensaje: Archivo de informe " + rpt.string() +
                           ", línea 2: el papel es A4 u oficio, no «carta»\n");
  EXPECT_FALSE(fs::exists(carpeta_.ruta() / "x.pdf"));
}

TEST(OpcionesInforme, VistaPreviaImprimirYFolio) {
  struct Caso {
    std::vector<std::string> args;
    std::vector<Accion::Tipo> acciones;
    std::string archivo;  // of the first action
    int folio;
  };
  using T = Accion::Tipo;
  const Caso casos[] = {
      {{"--vista-previa", "b.pdf"}, {T::VistaPrevia}, "b.pdf", 1},
      {{"--vista-previa", "--imprimir"}, {T::VistaPrevia, T::Imprimir}, "", 1},
      {{"--imprimir", "--folio", "33"}, {T::Imprimir}, "", 33},
  };
  for (const Caso& c : casos) {
    std::vector<const char*> argv = {"nubo", "--demo", "d"};
    for (const auto& a : c.args) argv.push_back(a.c_str());
    Opciones o = leerOpciones(static_cast<int>(argv.size()), argv.data(), {2026, 12, 6}).opciones;
    std::vector<Accion::Tipo> tipos;
    for (const auto& a : o.acciones) tipos.push_back(a.tipo);
    EXPECT_EQ(tipos, c.acciones) << c.args[0];
    EXPECT_EQ(o.acciones.at(0).argumento, c.archivo) << c.args[0];
    EXPECT_EQ(o.folio, c.folio) << c.args[0];
  }
  for (const char* malo : {"0", "-3", "x", "10000000"}) {
    const char* argv[] = {"nubo", "--demo", "d", "--imprimir", "--folio", malo};
    EXPECT_THROW(leerOpciones(6, argv, {2026, 12, 6}), ErrorUso) << malo;
  }
}

}  // namespace
}  // namespace suite
