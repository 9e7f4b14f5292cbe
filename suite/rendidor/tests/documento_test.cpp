// The PDF as a reader sees it (pdftotext -layout, pdfinfo, pdffonts, qpdf): totals and the check
// line, the heading and whole rows on every page, the closing rows with the signatures, and the
// demo company's PDF through nubo against its workbook.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "ayuda.h"

namespace suite::rendidor {
namespace {

using namespace prueba;

std::string lineaCon(const std::string& texto, const std::string& parte) {
  std::size_t i = texto.find(parte);
  if (i == std::string::npos) return {};
  std::size_t inicio = texto.rfind('\n', i) + 1;
  return texto.substr(inicio, texto.find('\n', i) - inicio);
}

TEST(Documento, TotalesYLineaDeCuadre) {
  const struct {
    std::vector<prjsumsal::FilaBalance> filas;
    std::vector<long long> totales;
    std::string cuadre;
  } casos[] = {
      {{cuenta("1101", "Caja", "A", 1000, 0, 1000), cuenta("4101", "Ventas", "G", 0, 1000, -1000)},
       {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000},
       "Cuadra"},
      {{cuenta("1101", "Caja", "A", 1000, 0, 1000), cuenta("4101", "Ventas", "G", 0, 766, -766)},
       {1000, 766, 1000, 766, 1000, 1000, 766, 766},
       "No cuadra: Debitos supera a Creditos en 234; Deudor supera a Acreedor en 234"},
      {{cuenta("1101", "Caja", "A", 1000.4, 0, 1000),
        cuenta("4101", "Ventas", "G", 0.6, 1001, -999)},
       {1001, 1001, 1000, 999, 1000, 1000, 999, 999},
       "No cuadra: Deudor supera a Acreedor en 1"},  // figures compared as printed
  };
  for (const auto& c : casos) {
    Carpeta carpeta;
    escribir(carpeta.ruta(), archivos(c.filas));
    ASSERT_EQ(rendir(carpeta.ruta()).estado, 0);
    fs::path pdf = carpeta.ruta() / "balance_tributario.pdf";
    std::string texto = textoPdf(pdf);
    EXPECT_EQ(cifras(lineaCon(texto, "TOTALES")), c.totales) << texto;
    EXPECT_NE(texto.find(c.cuadre + "\n"), std::string::npos) << texto;
    const QString ruta = QString::fromStdString(pdf.string());
    EXPECT_EQ(correr("qpdf", {"--check", ruta}).estado, 0);
    QString info = QString::fromStdString(correr("pdfinfo", {ruta}).salida).simplified();
    EXPECT_TRUE(
        info.contains("Title: Balance Tributario SUR & CIA LTDA 01/01/2026 - 31/03/2026 "
                      "Author: SUR & CIA LTDA Creator: RENDIDOR"))
        << info.toStdString();
    std::string fuentes = correr("pdffonts", {ruta}).salida;
    static const QRegularExpression incrustada("\\n\\S+ .* yes (yes|no) ");  // emb, sub columns
    EXPECT_EQ(QString::fromStdString(fuentes).count(incrustada), 2) << fuentes;
  }
}

// Each page carries the heading and the column headers; each account is one whole line, on
// one page, once; the last page holds the closing rows, the check line and both signature
// blocks. The long cases are painted in parts joined afterwards: the closing block under the
// last rows of the last part, or on a page of its own.
TEST(Documento, PaginasConEncabezadoFilasEnterasYCierreConFirmas) {
  for (int cuentas : {0, 30, 31, 42, 43, 84, 85, 42 * 120 + 10, 42 * 120 + 35}) {
    Carpeta carpeta;
    std::vector<prjsumsal::FilaBalance> filas;
    for (int i = 0; i < cuentas; ++i)
      filas.push_back(cuenta(std::to_string(1000000 + i), "Cuenta", "A", i, 0, i));
    escribir(carpeta.ruta(), archivos(filas));
    ASSERT_EQ(rendir(carpeta.ruta()).estado, 0);
    std::istringstream texto(textoPdf(carpeta.ruta() / "balance_tributario.pdf"));
    std::vector<std::string> paginas;
    for (std::string p; std::getline(texto, p, '\f');) paginas.push_back(p);
    SCOPED_TRACE(std::to_string(cuentas) + " cuentas, " + std::to_string(paginas.size()) +
                 " págs.");
    int vistas = 0, renglones = 0;
    for (std::size_t n = 0; n < paginas.size(); ++n) {
      for (std::string e :
           {"SUR & CIA LTDA", "Balance Tributario", "Período: 01/01/2026 - 31/03/2026",
            "Emisión: 06/12/2026", "Movimientos", "Ganancias"})
        EXPECT_NE(paginas[n].find(e), std::string::npos) << "página " << n + 1 << ": " << e;
      EXPECT_NE(paginas[n].find("Folio " + std::to_string(n + 1) + "\n"), std::string::npos);
      std::istringstream lineas(paginas[n]);
      for (std::string l; std::getline(lineas, l);) {
        auto c = cifras(l);
        if (c.size() == 9 && c[0] == 1000000 + vistas && c[1] == vistas) ++vistas;
        if (c.size() == 9 && c[0] >= 1000000) ++renglones;
      }
      bool ultima = n + 1 == paginas.size();
      for (std::string e : {"SUMAS", "RESULTADO EJERCICIO", "TOTALES", "uadra", "Claudia Muñoz",
                            "Contador, registro 12345", "Rodrigo Núñez", "RUT: 10.234.567-3"})
        EXPECT_EQ(paginas[n].find(e) != std::string::npos, ultima)
            << "página " << n + 1 << ": " << e;
    }
    EXPECT_EQ(vistas, cuentas);
    EXPECT_EQ(renglones, cuentas);
  }
}

// nubo --pdf through an installation of its own: the hand-over files and RENDIDOR, started in
// the module's folder, leave the PDF beside them; each row of the workbook of the same balance
// (the code and the eight amounts of an account, or TOTALES) is a line of the PDF.
TEST(Demo, NuboPdfDaElPdfConLasFilasYTotalesDelLibro) {
  Carpeta carpeta;
  fs::path inst = carpeta.ruta() / "instalacion";
  fs::create_directories(inst);
  for (const auto& e : fs::directory_iterator(fs::path(NUBO_EJECUTABLE).parent_path())) {
    std::string nombre = e.path().filename().string();
    if (nombre == "nubo" || nombre == "RENDIDOR" || nombre.starts_with("libprjsumsal.so"))
      fs::copy(e.path(), inst / nombre, fs::copy_options::copy_symlinks);
  }
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((carpeta.ruta() / "config").string()));
  QString nubo = QString::fromStdString((inst / "nubo").string()), libro = nubo + ".xls";
  QStringList periodo = {"--demo",  QString::fromStdString((carpeta.ruta() / "demo").string()),
                         "--desde", "01/01/2026",
                         "--hasta", "31/12/2026"};
  ASSERT_EQ(correr(nubo, periodo + QStringList{"--excel", libro}).estado, 0);
  Corrida r = correr(nubo, periodo + QStringList{"--pdf"});
  EXPECT_EQ(r.estado, 0) << r.errores;
  EXPECT_EQ(r.errores, "");
  fs::path pdf = inst / "balance_tributario.pdf";
  for (int i = 0; i < 600 && !fs::exists(pdf); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  std::string texto = textoPdf(pdf);

  std::ifstream in(libro.toStdString());
  std::vector<long long> fila;
  int cuentas = 0;
  for (std::string l; std::getline(in, l);) {
    if (auto i = l.find("'Number'>"); i != std::string::npos)
      fila.push_back(std::stoll(l.substr(i + 9)));
    if (!l.starts_with("   </Row>") || fila.empty()) continue;
    if (fila.size() == 9) {
      ++cuentas;
      EXPECT_EQ(cifras(lineaCon(texto, std::to_string(fila[0]) + " ")), fila);
    } else if (fila.size() == 8) {  // TOTALES
      EXPECT_EQ(cifras(lineaCon(texto, "TOTALES")), fila);
    }
    fila.clear();
  }
  EXPECT_GT(cuentas, 30);
}

}  // namespace
}  // namespace suite::rendidor
