#include "informes/motor.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ayuda_informes.h"
#include "balance/tabla_trabajo.h"
#include "datos/base_sqlite.h"
#include "disco_falla.h"
#include "host/error.h"

namespace suite::informes {
namespace {

using prueba::baseConTabla;
using prueba::paginasPdf;

// Five accounts whose closing rows are worked out by hand: sums Activo 1.250.000, Pasivo 801.234,
// Perdidas 1.550.000, Ganancias 2.000.000; result 448.766 to Pasivo, 450.000 to Perdidas.
const std::vector<prjsumsal::FilaBalance> kCuentas = {
    {"1101", "Caja", "A", 1500000, 250000, 1250000, 0, 0, 0, 0, 0},
    {"1102", "Banco", "A", -1234, 0, 0, 1234, 0, 0, 0, 0},
    {"2101", "Proveedores", "P", 0, 800000, 0, 800000, 0, 0, 0, 0},
    {"4101", "Ventas", "R", 0, 2000000, 0, 2000000, 0, 0, 0, 0},
    {"5101", "Gastos de administración", "G", 1550000, 0, 1550000, 0, 0, 0, 0, 0},
};
const char* const kRenglones[] = {
    "1101 Caja 1.500.000 250.000 1.250.000 0 1.250.000 0 0 0",
    "1102 Banco -1.234 0 0 1.234 0 1.234 0 0",
    "2101 Proveedores 0 800.000 0 800.000 0 800.000 0 0",
    "4101 Ventas 0 2.000.000 0 2.000.000 0 0 0 2.000.000",
    "5101 Gastos de administración 1.550.000 0 1.550.000 0 0 0 1.550.000 0",
    "SUMAS 1.250.000 801.234 1.550.000 2.000.000",
    "RESULTADO EJERCICIO 0 448.766 450.000 0",
    "TOTALES 3.048.766 3.050.000 2.800.000 2.801.234 1.250.000 1.250.000 2.000.000 2.000.000",
    "BALANCE TRIBUTARIO",
    "3 SUR LTDA",
    "Período: 01/03/2024 - 31/03/2024",
    "Emisión: 06/12/2026",
    "Movimientos Saldo Inventario Resultados",
    "Cuenta Nombre Débitos Créditos Deudor Acreedor Activo Pasivo Pérdidas Ganancias",
};
const char* const kFirmas[] = {"Folio 41",        "Ana Pérez Muñoz",  "RUT: 12.345.678-5",
                               "José Núñez Soto", "RUT: 9.876.543-3", "Representante legal"};
const char* const kEmpresa[] = {"RUT: 76.543.210-K",
                                "Razón social: Sur Limitada",
                                "Giro: Comercio de artículos de ferretería",
                                "Dirección: Avenida O'Higgins 1234",
                                "Ciudad: Talca",
                                "Teléfonos: 71-2222222"};

QString rpt(const char* nombre) {
  return QStringLiteral(NUBO_ARCHIVOS_INFORME "/") + QLatin1String(nombre);
}

// A fresh engine, as in another program, previews the work table `base` into `pdf`.
QStringList correr(std::shared_ptr<prjsumsal::BaseDatos> base, const QString& informe,
                   const QString& pdf) {
  MotorInforme motor(std::move(base), {{}, 41, pdf, QStringLiteral("06/12/2026")});
  motor.Destino(prjsumsal::rptreporte::kDestinoVentana);
  motor.Archivo(informe.toStdString());
  motor.Accion(1);
  return paginasPdf(pdf);
}

// Each layout shows the accounts, the closing rows with their figures and the heading, never
// the work table's closing row, and what only it carries: folios and signatures, or the company.
TEST(MotorInforme, CadaFormato) {
  QTemporaryDir dir;
  for (int n = 1; n <= 5; ++n) {
    std::string archivo = "ctrsumsal" + (n > 1 ? std::to_string(n) : "") + ".rpt";
    SCOPED_TRACE(archivo);
    QStringList paginas =
        correr(baseConTabla(kCuentas), rpt(archivo.c_str()), dir.filePath("b.pdf"));
    ASSERT_EQ(paginas.size(), 1);
    const QString& texto = paginas[0];
    for (const char* r : kRenglones) EXPECT_TRUE(texto.contains(QString::fromUtf8(r))) << r;
    EXPECT_FALSE(texto.contains(QLatin1String("NULL")));
    EXPECT_EQ(texto.contains(QString::fromUtf8("Página 1 de 1")), n % 2 != 0);
    for (const char* f : kFirmas) EXPECT_EQ(texto.contains(QString::fromUtf8(f)), n % 2 == 0) << f;
    for (const char* e : kEmpresa) EXPECT_EQ(texto.contains(QString::fromUtf8(e)), n == 5) << e;
  }
}

// A run that cannot read its report file or its rows says why and writes nothing.
TEST(MotorInforme, FallasDicenLaCausa) {
  QTemporaryDir dir;
  auto escribir = [&](const char* nombre, const QByteArray& texto) {
    QFile f(dir.filePath(QLatin1String(nombre)));
    f.open(QIODevice::WriteOnly);
    f.write(texto);
    return f.fileName();
  };
  // A file that is no report file: a pipe, which reading would wait on for ever.
  const QString fifo = dir.filePath("fifo.rpt");
  ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  auto vacia = std::shared_ptr<prjsumsal::BaseDatos>(datos::BaseSqlite::enMemoria(datos::Papel::Informes));
  auto tablaVacia = std::shared_ptr<prjsumsal::BaseDatos>(datos::BaseSqlite::enMemoria(datos::Papel::Informes));
  tablaVacia->executesql(prjsumsal::sentenciaCrearTabla());
  auto aMedias = baseConTabla(kCuentas);  // a preparation that failed before its closing row
  aMedias->executesql("delete from ctrsumsal where centro = 'NULL'");
  struct Caso {
    QString archivo;
    std::shared_ptr<prjsumsal::BaseDatos> base;
    QString mensaje;
  };
  const Caso casos[] = {
      {dir.filePath("falta.rpt"), nullptr,
       "No existe el archivo de informe " + dir.filePath("falta.rpt")},
      {escribir("a.rpt", "informe 1\npapel A4\norientacion diagonal\n"), nullptr,
       "a.rpt, línea 3: la orientación es vertical u horizontal, no «diagonal»"},
      {escribir("b.rpt", "informe 1\norigen ctdcomprmm\n"), nullptr,
       "b.rpt, línea 2: el origen de datos «ctdcomprmm» no existe"},
      {escribir("c.rpt", "# nada\n"), nullptr, "c.rpt, línea 2: el archivo está vacío"},
      {escribir("d.rpt", "informe 1\n\ncolumna saldo Saldo 1\n"), nullptr,
       "d.rpt, línea 3: no hay campo «saldo»"},
      {escribir("e.rpt", "informe 1\npapel A4\n"), nullptr,
       "e.rpt, línea 2: el informe no tiene ninguna «columna»"},
      {escribir("f.rpt", "informe 1\nletra Arial nan\n"), nullptr,
       "f.rpt, línea 2: «nan» no es un número entre 4 y 14"},
      {escribir("g.rpt", "informe 1\nmargenes 1 inf 1 1\n"), nullptr,
       "g.rpt, línea 2: «inf» no es un número entre 0 y 60"},
      {escribir("h.rpt", "informe 1\ncolumna cuenta Cuenta 1e9\n"), nullptr,
       "h.rpt, línea 2: «1e9» no es un número entre 0.1 y 20"},
      {escribir("i.rpt", "informe 1\ntitulo \"BALANCE # sin cierre\n"), nullptr,
       "i.rpt, línea 2: faltan las comillas de cierre"},
      {fifo, nullptr, "fifo.rpt: no es un archivo común"},
      {escribir("grande.rpt", "informe 1\n" + QByteArray(1 << 20, '#')), nullptr,
       "grande.rpt: pasa de 1 MiB"},
      {rpt("ctrsumsal.rpt"), vacia, "No se puede leer la tabla de trabajo ctrsumsal"},
      {rpt("ctrsumsal.rpt"), tablaVacia, "La tabla de trabajo ctrsumsal está vacía"},
      {rpt("ctrsumsal.rpt"), aMedias, "La tabla de trabajo ctrsumsal está incompleta"},
  };
  for (const Caso& c : casos) {
    try {
      correr(c.base ? c.base : baseConTabla(kCuentas), c.archivo, dir.filePath("f.pdf"));
      ADD_FAILURE() << "sin error: " << c.mensaje.toStdString();
    } catch (const prjsumsal::Error& e) {
      EXPECT_TRUE(QString::fromUtf8(e.what()).contains(c.mensaje)) << e.what();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("f.pdf"))) << c.mensaje.toStdString();
  }
}

// The preview's PDF goes the one safe way: a close that fails leaves the earlier file and no
// temporary file. (nubo's fault tests fill a real disk and aim the preview at an open database.)
TEST(MotorInforme, UnPdfQueNoSePuedeCerrarDejaElAnterior) {
  using L = prjsumsal::prueba::DiscoFalla::Llamada;
  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("vista.pdf"));
  QFile anterior(pdf);
  ASSERT_TRUE(anterior.open(QIODevice::WriteOnly));
  anterior.write("anterior");
  anterior.close();
  prjsumsal::prueba::DiscoFalla disco(L::Cerrar, 1, ENOSPC);
  prjsumsal::prueba::ConDisco conDisco(disco);
  try {
    correr(baseConTabla(kCuentas), rpt("ctrsumsal.rpt"), pdf);
    ADD_FAILURE() << "sin error";
  } catch (const prjsumsal::Error& e) {
    EXPECT_EQ(std::string(e.what()), "No se puede escribir el archivo " + pdf.toStdString() +
                                         ": no queda espacio en el disco");
  }
  ASSERT_TRUE(anterior.open(QIODevice::ReadOnly));
  EXPECT_EQ(anterior.readAll(), "anterior");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("vista.pdf")});
}

}  // namespace
}  // namespace suite::informes
