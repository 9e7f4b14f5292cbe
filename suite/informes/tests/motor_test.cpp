#include "informes/motor.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include "ayuda_informes.h"
#include "balance/tabla_trabajo.h"
#include "datos/base_sqlite.h"
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
    "Cuenta Nombre Debitos Creditos Deudor Acreedor Activo Pasivo Perdidas Ganancias",
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

QStringList correr(std::shared_ptr<prjsumsal::BaseDatos> base, const QString& informe,
                   const QString& pdf,
                   std::vector<prjsumsal::Renglon> cierre = prueba::cierreDe(kCuentas)) {
  MotorInforme motor(std::move(base), {{}, 41, pdf, QStringLiteral("06/12/2026")});
  motor.Cierre(std::move(cierre));
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

// A long balance: every page repeats the heading and the column headers, each account is on one
// line of one page, whole, the folios run on, and only the last page closes.
TEST(MotorInforme, VariasPaginas) {
  std::vector<prjsumsal::FilaBalance> filas;
  for (int i = 0; i < 400; ++i) {
    double monto = 1000.0 * (i + 1);
    filas.push_back({std::to_string(100000 + i), "Cuenta " + std::to_string(i), "A", monto, 0,
                     monto, 0, 0, 0, 0, 0});
  }
  QTemporaryDir dir;
  QStringList paginas = correr(baseConTabla(filas), rpt("ctrsumsal4.rpt"), dir.filePath("l.pdf"),
                               prueba::cierreDe(filas));
  ASSERT_GE(paginas.size(), 4);
  std::vector<int> vistas(filas.size(), 0);
  for (qsizetype n = 0; n < paginas.size(); ++n) {
    const QString& texto = paginas[n];
    bool ultima = n + 1 == paginas.size();
    EXPECT_TRUE(texto.contains(QLatin1String("BALANCE TRIBUTARIO"))) << n;
    EXPECT_TRUE(texto.contains(QLatin1String("Cuenta Nombre Debitos Creditos"))) << n;
    EXPECT_TRUE(texto.contains(QStringLiteral("Folio %1").arg(41 + n))) << n;
    EXPECT_EQ(texto.contains(QLatin1String("TOTALES")), ultima) << n;
    EXPECT_EQ(texto.contains(QLatin1String("Representante legal")), ultima) << n;
    for (std::size_t i = 0; i < filas.size(); ++i) {
      QString cifra = QLocale(QLocale::German).toString(static_cast<qlonglong>(filas[i].debe));
      QString linea = QStringLiteral("%1 Cuenta %2 ").arg(100000 + i).arg(i);
      if (texto.contains(linea)) {
        EXPECT_TRUE(texto.contains(linea + cifra + QStringLiteral(" 0 ") + cifra)) << i;
        ++vistas[i];
      }
    }
  }
  for (std::size_t i = 0; i < filas.size(); ++i) EXPECT_EQ(vistas[i], 1) << i;
}

// A run that cannot read its report file or its rows says why and writes nothing.
TEST(MotorInforme, FallasDicenLaCausa) {
  QTemporaryDir dir;
  auto escribir = [&](const char* nombre, const char* texto) {
    QFile f(dir.filePath(QLatin1String(nombre)));
    f.open(QIODevice::WriteOnly);
    f.write(texto);
    return f.fileName();
  };
  auto vacia = std::shared_ptr<prjsumsal::BaseDatos>(BaseSqlite::enMemoria(Papel::Informes));
  auto tablaVacia = std::shared_ptr<prjsumsal::BaseDatos>(BaseSqlite::enMemoria(Papel::Informes));
  tablaVacia->executesql(prjsumsal::sentenciaCrearTabla());
  auto aMedias = baseConTabla(kCuentas);  // a preparation that failed before its closing row
  aMedias->executesql("delete from ctrsumsal where centro = 'NULL'");
  struct Caso {
    QString archivo;
    std::shared_ptr<prjsumsal::BaseDatos> base;
    QString mensaje;
    bool conCierre = true;
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
      {escribir("e.rpt", "informe 1\nletra Arial 40\n"), nullptr,
       "e.rpt, línea 2: «40» no es un número entre 4 y 14"},
      {rpt("ctrsumsal.rpt"), vacia, "No se puede leer la tabla de trabajo ctrsumsal"},
      {rpt("ctrsumsal.rpt"), tablaVacia, "La tabla de trabajo ctrsumsal está vacía"},
      {rpt("ctrsumsal.rpt"), aMedias, "La tabla de trabajo ctrsumsal está incompleta"},
      {rpt("ctrsumsal.rpt"), nullptr, "no tiene el cierre de su preparación", false},
  };
  for (const Caso& c : casos) {
    try {
      correr(c.base ? c.base : baseConTabla(kCuentas), c.archivo, dir.filePath("f.pdf"),
             c.conCierre ? prueba::cierreDe(kCuentas) : std::vector<prjsumsal::Renglon>{});
      ADD_FAILURE() << "sin error: " << c.mensaje.toStdString();
    } catch (const prjsumsal::Error& e) {
      EXPECT_TRUE(QString::fromUtf8(e.what()).contains(c.mensaje)) << e.what();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("f.pdf"))) << c.mensaje.toStdString();
  }
}

}  // namespace
}  // namespace suite::informes
