// The PDF as a reader sees it (pdftotext -layout, pdfinfo, pdffonts, qpdf): totals and the check
// line, the heading and whole rows on every page, the closing rows with the signatures, and one
// balance through nubo in every document, RENDIDOR's PDF among them.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <algorithm>
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
      // Amounts as large as the data file takes add up in double precision: past 2^53 a double
      // holds even numbers only, and 9.999.999.999.999.990 + 1 is 9.999.999.999.999.992.
      {grandes(),
       {9999999999999992, 0, 9999999999999992, 0, 9999999999999992, 9999999999999992, 0, 0},
       "El balance no cuadra: Debitos supera a Creditos en 9.999.999.999.999.992; Deudor supera a "
       "Acreedor en 9.999.999.999.999.992"},
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
// one page, once, even with a name of a thousand characters; the last page holds the closing
// rows, the check line and both signature blocks. The long cases are painted in parts joined
// afterwards, in temporary files that leave nothing behind: the closing block under the last
// rows of the last part, or on a page of its own.
TEST(Documento, PaginasConEncabezadoFilasEnterasYCierreConFirmas) {
  Carpeta temporales;
  const QByteArray tmpdir = qgetenv("TMPDIR");
  for (int cuentas : {0, 30, 31, 42, 43, 84, 85, 42 * 120 + 10, 42 * 120 + 35}) {
    Carpeta carpeta;
    std::vector<prjsumsal::FilaBalance> filas;
    for (int i = 0; i < cuentas; ++i) {
      std::string nombre = i % 1000 == 999 ? std::string(1000, 'n') : "Cuenta";
      filas.push_back(cuenta(std::to_string(1000000 + i), nombre, "A", i, 0, i));
    }
    escribir(carpeta.ruta(), archivos(filas));
    qputenv("TMPDIR", QByteArray::fromStdString(temporales.ruta().string()));
    Corrida r = rendir(carpeta.ruta());
    tmpdir.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmpdir);
    ASSERT_EQ(r.estado, 0) << r.errores;
    for (const auto& e : fs::recursive_directory_iterator(temporales.ruta()))
      EXPECT_TRUE(e.is_directory()) << e.path();  // Qt's runtime folder may stay
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

// The closing rows of `filas` (each row: code, then its eight figures), added as whole numbers:
// what a reader adding the printed columns finds.
std::map<std::string, std::vector<long long>> cierrePorFilas(
    const std::map<std::string, std::vector<long long>>& filas) {
  std::vector<long long> s(8, 0);
  for (const auto& [clave, fila] : filas) {
    if (fila.size() != 9) continue;
    for (int k = 0; k < 8; ++k) s[k] += fila[k + 1];
  }
  auto resultado = [](long long a, long long b) {
    return a > b ? std::vector<long long>{0, a - b} : std::vector<long long>{b - a, 0};
  };
  std::vector<long long> r = resultado(s[4], s[5]), r2 = resultado(s[6], s[7]);
  r.insert(r.end(), r2.begin(), r2.end());
  return {{"SUMAS", {s[4], s[5], s[6], s[7]}},
          {"RESULTADO EJERCICIO", r},
          {"TOTALES",
           {s[0], s[1], s[2], s[3], std::max(s[4], s[5]), std::max(s[4], s[5]),
            std::max(s[6], s[7]), std::max(s[6], s[7])}}};
}

// An accounting database at `db` with the journal `diario` (statements after the tables).
fs::path crearDiario(const fs::path& db, const std::string& diario) {
  QProcess sqlite;
  sqlite.start("sqlite3", {QString::fromStdString(db.string())});
  sqlite.write(QByteArray::fromStdString(suite::datos::scriptTablasContabilidad() + diario));
  sqlite.closeWriteChannel();
  EXPECT_TRUE(sqlite.waitForFinished(60000));
  EXPECT_EQ(sqlite.exitCode(), 0) << sqlite.readAllStandardError().toStdString();
  return db;
}

// One balance of March 2026 through nubo, in an installation of its own so that --pdf starts
// RENDIDOR: the host's text, the workbook, the preview of a report layout and RENDIDOR's PDF.
struct Documentos {
  Corrida nubo;                                         // --texto is its output
  std::map<std::string, std::vector<long long>> libro;  // the workbook's rows
  std::string rendidor, previa;                         // the PDFs' texts
};
Documentos documentos(const Carpeta& carpeta, const std::string& diario) {
  fs::path inst = carpeta.ruta() / "instalacion";
  fs::create_directories(inst);
  for (const auto& e : fs::directory_iterator(fs::path(NUBO_EJECUTABLE).parent_path())) {
    std::string nombre = e.path().filename().string();
    if (nombre == "nubo" || nombre == "RENDIDOR" || nombre.starts_with("libprjsumsal.so"))
      fs::copy(e.path(), inst / nombre, fs::copy_options::copy_symlinks);
  }
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((carpeta.ruta() / "config").string()));
  const fs::path db = crearDiario(carpeta.ruta() / "contabilidad.db", diario);
  const fs::path libro = carpeta.ruta() / "libro.xls", vista = carpeta.ruta() / "vista.pdf";
  Documentos d;
  d.nubo = correr(
      QString::fromStdString((inst / "nubo").string()),
      {"--contabilidad", QString::fromStdString(db.string()), "--desde", "01/03/2026", "--hasta",
       "31/03/2026", "--formato", "1", "--texto", "--excel", QString::fromStdString(libro.string()),
       "--vista-previa", QString::fromStdString(vista.string()), "--pdf"});
  if (d.nubo.estado != 0) return d;
  // nubo waits for RENDIDOR, whose path of the PDF (without a display) goes to standard error,
  // standard output being the balance's; any other line there is a warning.
  fs::path pdf = inst / "balance_tributario.pdf";
  if (d.nubo.errores == pdf.string() + "\n") d.nubo.errores.clear();
  d.libro = filasLibro(libro);
  d.rendidor = textoPdf(pdf);
  d.previa = textoPdf(vista);
  return d;
}

const char* const kEmpresa =
    "insert into admempresa values('ANA ROJAS', '9.876.543-3', '76.543.210-K', 'SUR SPA', 'GIRO', "
    "'CALLE 1', 'TALCA', '71-2222222');\n";

// A sum past the largest double fails every document that writes closing rows, with the
// platform's message, and leaves no file (that large finite sums have no limit of their own is
// the module's sums' test).
TEST(Documentos, UnaSumaQueDesbordaEsUnFallo) {
  Carpeta carpeta;
  const fs::path libro = carpeta.ruta() / "l.xls", vista = carpeta.ruta() / "v.pdf";
  // Two accounts of 10^308 pesos against two others: each account's amounts are finite, the
  // sums of Debitos, Deudor and Activo are not.
  const fs::path db = crearDiario(
      carpeta.ruta() / "c.db",
      std::string(kEmpresa) +
          "insert into ctmcentros values ('1101', 'Caja', 'A'), ('1102', 'Banco', 'A'),"
          " ('2101', 'Capital', 'P'), ('2102', 'Reservas', 'P');\n"
          "insert into ctccomprmm values (1, 1, '2026-03-15', 'T', 1, 1, '0'),"
          " (1, 1, '2026-03-15', 'T', 2, 1, '0');\n"
          "insert into ctdcomprmm values (1, 1, '2026-03-15', 'T', 1, '1101', 1e308, 0),"
          " (1, 1, '2026-03-15', 'T', 1, '2101', 0, 1e308),"
          " (1, 1, '2026-03-15', 'T', 2, '1102', 1e308, 0),"
          " (1, 1, '2026-03-15', 'T', 2, '2102', 0, 1e308);\n");
  auto nubo = [&](QStringList accion) {
    return correr(NUBO_EJECUTABLE, QStringList{"--contabilidad", QString::fromStdString(db),
                                               "--desde", "01/03/2026", "--hasta", "31/03/2026"} +
                                       accion);
  };
  const struct {
    QStringList accion;
    std::string mensaje;
  } casos[] = {
      {{"--texto"}, "nubo: Desbordamiento\n"},
      {{"--excel", QString::fromStdString(libro)}, "Mensaje: Desbordamiento\n"},
      {{"--vista-previa", QString::fromStdString(vista)}, "Mensaje: Desbordamiento\n"},
  };
  for (const auto& c : casos) {
    Corrida r = nubo(c.accion);
    EXPECT_EQ(r.estado, 1) << c.mensaje;
    EXPECT_EQ(r.errores, c.mensaje);
  }
  EXPECT_FALSE(fs::exists(libro));
  EXPECT_FALSE(fs::exists(vista));
}

// A year's journal with cents: --texto, the workbook and RENDIDOR's PDF close with the same
// figures, the rounded sums of the journal's amounts, which are not the sums of the rounded rows
// (they differ here); the preview closes with the sums of the rows it prints. The result of the
// year is one figure on both sides, and the journal, which squares, is said to square, with no
// false warning from the rows' rounding. Every account row of the workbook is a line of
// RENDIDOR's PDF.
TEST(Documentos, CierranConLasMismasCifras) {
  Carpeta carpeta;
  Documentos d = documentos(carpeta, kDiarioCentavos);
  ASSERT_EQ(d.nubo.estado, 0) << d.nubo.errores;
  EXPECT_EQ(d.nubo.errores, "");  // it squares: no warning
  EXPECT_NE(d.rendidor.find("Cuadra\n"), std::string::npos);

  auto& filas = d.libro;
  std::set<std::vector<long long>> lineas;
  std::istringstream texto(d.rendidor);
  for (std::string l; std::getline(texto, l);) lineas.insert(cifras(l));
  int cuentas = 0;
  for (const auto& [clave, fila] : filas) {
    if (fila.size() != 9) continue;
    ++cuentas;
    EXPECT_TRUE(lineas.contains(fila)) << clave;
  }
  EXPECT_GT(cuentas, 2900);
  const auto porFilas = cierrePorFilas(filas);
  for (const char* e : {"SUMAS", "RESULTADO EJERCICIO", "TOTALES"}) {
    SCOPED_TRACE(e);
    const std::vector<long long>& esperado = filas[e];
    EXPECT_EQ(cierreDe(d.nubo.salida, e), esperado);
    EXPECT_EQ(cierreDe(d.rendidor, e), esperado);
    EXPECT_EQ(cierreDe(d.previa, e), porFilas.at(e));
  }
  const auto& sumas = filas["SUMAS"];
  const auto& resultado = filas["RESULTADO EJERCICIO"];
  const auto& totales = filas["TOTALES"];
  ASSERT_EQ(sumas.size(), 4u);
  ASSERT_EQ(resultado.size(), 4u);
  ASSERT_EQ(totales.size(), 8u);
  EXPECT_NE(sumas, porFilas.at("SUMAS"));
  EXPECT_EQ(resultado[0] + resultado[1], resultado[2] + resultado[3]);  // one figure
  EXPECT_GT(resultado[0] + resultado[1], 0);
  EXPECT_EQ(totales[0], totales[1]);
  EXPECT_EQ(totales[2], totales[3]);
  EXPECT_EQ(totales[4], totales[5]);
  EXPECT_EQ(totales[6], totales[7]);
}

}  // namespace
}  // namespace suite::rendidor
