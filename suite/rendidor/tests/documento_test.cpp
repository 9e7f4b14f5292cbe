// The PDF as a reader sees it (pdftotext -layout, pdfinfo, pdffonts, qpdf): totals and the check
// line, the heading and whole rows on every page, the closing rows with the signatures, and one
// balance through nubo in every document, RENDIDOR's PDF among them.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "ayuda.h"
#include "datos/esquema.h"

namespace suite::rendidor {
namespace {

using namespace prueba;

std::string lineaCon(const std::string& texto, const std::string& parte) {
  std::size_t i = texto.find(parte);
  if (i == std::string::npos) return {};
  std::size_t inicio = texto.rfind('\n', i) + 1;
  return texto.substr(inicio, texto.find('\n', i) - inicio);
}

// Ten accounts of 999.999.999.999.999 and one of 1.
std::vector<prjsumsal::FilaBalance> grandes() {
  std::vector<prjsumsal::FilaBalance> filas;
  for (int i = 0; i < 10; ++i) {
    filas.push_back(cuenta("110" + std::to_string(i), "Caja", "A", 999'999'999'999'999, 0,
                           999'999'999'999'999));
  }
  filas.push_back(cuenta("1199", "Banco", "A", 1, 0, 1));
  return filas;
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
       "El balance no cuadra: Debitos supera a Creditos en 234; Deudor supera a Acreedor en 234"},
      {{cuenta("1101", "Caja", "A", 1000.4, 0, 1000),
        cuenta("4101", "Ventas", "G", 0.6, 1001, -999)},
       {1001, 1001, 1000, 999, 1000, 1000, 999, 999},
       "El balance no cuadra: Deudor supera a Acreedor en 1"},  // figures compared as printed
      // Amounts as large as the data file takes sum exactly, past what a double holds.
      {grandes(),
       {9999999999999991, 0, 9999999999999991, 0, 9999999999999991, 9999999999999991, 0, 0},
       "El balance no cuadra: Debitos supera a Creditos en 9.999.999.999.999.991; Deudor supera a "
       "Acreedor en 9.999.999.999.999.991"},
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
            "Emisión: 06/12/2026", "Movimientos", "Débitos", "Créditos", "Pérdidas", "Ganancias"})
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

// A year's journal of 3,000 accounts and 40,000 lines whose amounts carry cents, so that the
// sums of the rows as printed (whole pesos) are not the rounded sums of the balance.
const char* const kDiarioCentavos = R"(
insert into admempresa values('ANA ROJAS', '9.876.543-3', '76.543.210-K', 'CENTAVOS SPA', 'GIRO',
  'CALLE 1', 'TALCA', '71-2222222');
with recursive n(i) as (select 0 union all select i + 1 from n where i < 2999)
insert into ctmcentros select 100000 + i, 'Cuenta de movimiento', case i % 3 when 0 then 'A'
  when 1 then 'P' else 'G' end from n;
with recursive n(i) as (select 0 union all select i + 1 from n where i < 19999)
insert into ctccomprmm select 1, 1, case i % 3 when 0 then '2026-01-20' else '2026-03-15' end,
  'T', i, 1, '0' from n;
insert into ctdcomprmm select empresa, subsistema, f_comp, documento, num_docum,
  100000 + (num_docum * 37) % 3000, (num_docum * 7919) % 99991 / 100.0 + num_docum % 700, 0
  from ctccomprmm;
insert into ctdcomprmm select empresa, subsistema, f_comp, documento, num_docum,
  100000 + (num_docum * 103 + 7) % 3000, 0, (num_docum * 7919) % 99991 / 100.0 + num_docum % 700
  from ctccomprmm;
)";

// The figures of the closing row `etiqueta` in a document's text.
std::vector<long long> cierreDe(const std::string& texto, const std::string& etiqueta) {
  return cifras(lineaCon(texto, etiqueta));
}

// The workbook's rows as the numbers of their Number cells, the closing rows by their label.
std::map<std::string, std::vector<long long>> filasLibro(const fs::path& libro) {
  std::map<std::string, std::vector<long long>> filas;
  std::ifstream in(libro);
  std::vector<long long> fila;
  std::string etiqueta;
  for (std::string l; std::getline(in, l);) {
    if (auto i = l.find("'Number'>"); i != std::string::npos)
      fila.push_back(std::stoll(l.substr(i + 9)));
    for (const char* e : {"SUMAS", "RESULTADO EJERCICIO", "TOTALES"})
      if (l.find(std::string(">") + e + "<") != std::string::npos) etiqueta = e;
    if (!l.starts_with("   </Row>") || fila.empty()) continue;
    filas[etiqueta.empty() ? std::to_string(fila[0]) : etiqueta] = fila;
    fila.clear();
    etiqueta.clear();
  }
  return filas;
}

// One balance through nubo, in an installation of its own so that --pdf starts RENDIDOR: the
// host's text, the workbook, the preview of a report layout and RENDIDOR's PDF close with the
// same SUMAS, RESULTADO EJERCICIO and TOTALES, to the peso. They are the rounded sums of the
// journal's amounts, not the sums of the rounded rows (which differ here), the result of the
// year is one figure on both sides, and the journal, which squares, is said to square. Every
// account row of the workbook is a line of RENDIDOR's PDF.
TEST(Documentos, CierranConLasMismasCifras) {
  Carpeta carpeta;
  fs::path inst = carpeta.ruta() / "instalacion";
  fs::create_directories(inst);
  for (const auto& e : fs::directory_iterator(fs::path(NUBO_EJECUTABLE).parent_path())) {
    std::string nombre = e.path().filename().string();
    if (nombre == "nubo" || nombre == "RENDIDOR" || nombre.starts_with("libprjsumsal.so"))
      fs::copy(e.path(), inst / nombre, fs::copy_options::copy_symlinks);
  }
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((carpeta.ruta() / "config").string()));
  const fs::path db = carpeta.ruta() / "contabilidad.db";
  {
    QProcess sqlite;
    sqlite.start("sqlite3", {QString::fromStdString(db.string())});
    sqlite.write(QByteArray::fromStdString(suite::scriptTablasContabilidad() + kDiarioCentavos));
    sqlite.closeWriteChannel();
    ASSERT_TRUE(sqlite.waitForFinished(60000));
    ASSERT_EQ(sqlite.exitCode(), 0) << sqlite.readAllStandardError().toStdString();
  }
  const fs::path libro = carpeta.ruta() / "libro.xls", vista = carpeta.ruta() / "vista.pdf";
  Corrida r = correr(
      QString::fromStdString((inst / "nubo").string()),
      {"--contabilidad", QString::fromStdString(db.string()), "--desde", "01/03/2026", "--hasta",
       "31/03/2026", "--formato", "1", "--texto", "--excel", QString::fromStdString(libro.string()),
       "--vista-previa", QString::fromStdString(vista.string()), "--pdf"});
  ASSERT_EQ(r.estado, 0) << r.errores;
  // It squares: no warning. nubo waits for RENDIDOR, whose path of the PDF (without a display)
  // goes to standard error, standard output being the balance's.
  fs::path pdf = inst / "balance_tributario.pdf";
  EXPECT_TRUE(r.errores.empty() || r.errores == pdf.string() + "\n") << r.errores;
  const std::string rendidor = textoPdf(pdf), previa = textoPdf(vista);
  EXPECT_NE(rendidor.find("Cuadra\n"), std::string::npos);

  auto filas = filasLibro(libro);
  std::vector<long long> porFilas(8, 0);  // the sums of the rows as printed
  std::set<std::vector<long long>> lineas;
  std::istringstream texto(rendidor);
  for (std::string l; std::getline(texto, l);) lineas.insert(cifras(l));
  int cuentas = 0;
  for (const auto& [clave, fila] : filas) {
    if (fila.size() != 9) continue;
    ++cuentas;
    EXPECT_TRUE(lineas.contains(fila)) << clave;
    for (int k = 0; k < 8; ++k) porFilas[k] += fila[k + 1];
  }
  EXPECT_GT(cuentas, 2900);
  for (const char* e : {"SUMAS", "RESULTADO EJERCICIO", "TOTALES"}) {
    SCOPED_TRACE(e);
    const std::vector<long long>& esperado = filas[e];
    EXPECT_EQ(cierreDe(r.salida, e), esperado);
    EXPECT_EQ(cierreDe(rendidor, e), esperado);
    EXPECT_EQ(cierreDe(previa, e), esperado);
  }
  const auto& sumas = filas["SUMAS"];
  const auto& resultado = filas["RESULTADO EJERCICIO"];
  const auto& totales = filas["TOTALES"];
  ASSERT_EQ(sumas.size(), 4u);
  ASSERT_EQ(resultado.size(), 4u);
  ASSERT_EQ(totales.size(), 8u);
  EXPECT_NE(sumas, std::vector<long long>(porFilas.begin() + 4, porFilas.end()));
  EXPECT_EQ(resultado[0] + resultado[1], resultado[2] + resultado[3]);  // one figure
  EXPECT_GT(resultado[0] + resultado[1], 0);
  EXPECT_EQ(totales[0], totales[1]);
  EXPECT_EQ(totales[2], totales[3]);
  EXPECT_EQ(totales[4], totales[5]);
  EXPECT_EQ(totales[6], totales[7]);
}

}  // namespace
}  // namespace suite::rendidor
