#include "informes/motor.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>
#include <QRegularExpression>

#include "ayuda_informes.h"
#include "balance/tablatrabajo.h"
#include "datos/base_sqlite.h"
#include "host/error.h"

namespace suite::informes {
namespace {

using prueba::baseConTabla;
using prueba::Carpeta;
using prueba::paginasPdf;

// Five accounts whose closing rows are worked out by hand: sums Activo 1.250.000, Pasivo 801.234,
// Perdidas 1.550.000, Ganancias 2.000.000; result 448.766 to Pasivo, 450.000 to Perdidas.
std::vector<prjsumsal::FilaBalance> cuentas() {
  return {
      {"1101", "Caja", "A", 1500000, 250000, 1250000, 0, 0, 0, 0, 0},
      {"1102", "Banco", "A", -1234, 0, 0, 1234, 0, 0, 0, 0},
      {"2101", "Proveedores", "P", 0, 800000, 0, 800000, 0, 0, 0, 0},
      {"4101", "Ventas", "R", 0, 2000000, 0, 2000000, 0, 0, 0, 0},
      {"5101", "Gastos de administración", "G", 1550000, 0, 1550000, 0, 0, 0, 0, 0},
  };
}

const char* const kRenglones[] = {
    "1101 Caja 1.500.000 250.000 1.250.000 0 1.250.000 0 0 0",
    "1102 Banco -1.234 0 0 1.234 0 1.234 0 0",
    "2101 Proveedores 0 800.000 0 800.000 0 800.000 0 0",
    "4101 Ventas 0 2.000.000 0 2.000.000 0 0 0 2.000.000",
    "5101 Gastos de administración 1.550.000 0 1.550.000 0 0 0 1.550.000 0",
    "SUMAS 1.250.000 801.234 1.550.000 2.000.000",
    "RESULTADO EJERCICIO 0 448.766 450.000 0",
    "TOTALES 3.048.766 3.050.000 2.800.000 2.801.234 1.250.000 1.250.000 2.000.000 2.000.000",
};

// A page's text with every run of blanks made one blank, so columns compare as words.
QString plano(const QString& pagina) {
  QString t = pagina;
  return t.replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "));
}

QString archivoInforme(const char* nombre) {
  return QStringLiteral(NUBO_ARCHIVOS_INFORME "/") + QLatin1String(nombre);
}

QStringList correr(std::shared_ptr<prjsumsal::BaseDatos> base, const QString& informe,
                   const QString& pdf, int primerFolio = 41) {
  MotorInforme motor(std::move(base), {{}, primerFolio, pdf, QStringLiteral("06/12/2026")});
  motor.TituloVentana("Presentación Preliminar");
  motor.Destino(prjsumsal::rptreporte::kDestinoVentana);
  motor.Archivo(informe.toStdString());
  motor.Accion(1);
  return paginasPdf(pdf);
}

// Each layout shows the accounts, the three closing rows with their figures, the heading, and
// what only it carries: folios and signatures, or the company heading.
TEST(MotorInforme, CadaFormatoMuestraCuentasCierreYEncabezado) {
  struct Caso {
    const char* archivo;
    bool foliado;
    bool empresa;
  };
  const Caso casos[] = {{"ctrsumsal.rpt", false, false},
                        {"ctrsumsal2.rpt", true, false},
                        {"ctrsumsal3.rpt", false, false},
                        {"ctrsumsal4.rpt", true, false},
                        {"ctrsumsal5.rpt", false, true}};
  Carpeta carpeta;
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.archivo);
    QStringList paginas =
        correr(baseConTabla(cuentas()), archivoInforme(c.archivo), carpeta.ruta("b.pdf"));
    ASSERT_EQ(paginas.size(), 1);
    QString texto = plano(paginas[0]);
    for (const char* r : kRenglones) EXPECT_TRUE(texto.contains(QString::fromUtf8(r))) << r;
    for (const char* r : {"BALANCE TRIBUTARIO", "3 SUR LTDA", "Período: 01/03/2024 - 31/03/2024",
                          "Emisión: 06/12/2026", "Movimientos Saldo Inventario Resultados",
                          "Cuenta Nombre Debitos Creditos Deudor Acreedor Activo Pasivo "
                          "Perdidas Ganancias"}) {
      EXPECT_TRUE(texto.contains(QString::fromUtf8(r))) << r << "\n" << texto.toStdString();
    }
    EXPECT_FALSE(texto.contains(QLatin1String("NULL")));
    EXPECT_EQ(texto.contains(QLatin1String("Folio 41")), c.foliado);
    EXPECT_EQ(texto.contains(QString::fromUtf8("Página 1 de 1")), !c.foliado);
    for (const char* firma : {"Ana Pérez Muñoz", "RUT: 12.345.678-5", "José Núñez Soto",
                              "RUT: 9.876.543-3", "Representante legal"}) {
      EXPECT_EQ(texto.contains(QString::fromUtf8(firma)), c.foliado) << firma;
    }
    for (const char* dato :
         {"RUT: 76.543.210-K", "Razón social: Sur Limitada",
          "Giro: Comercio de artículos de ferretería", "Dirección: Avenida O'Higgins 1234",
          "Ciudad: Talca", "Teléfonos: 71-2222222"}) {
      EXPECT_EQ(texto.contains(QString::fromUtf8(dato)), c.empresa) << dato;
    }
  }
}

// A long balance: every page repeats the heading and the column headers, each account is on one
// line of one page, whole, the folios run on from the first, and only the last page closes.
TEST(MotorInforme, VariasPaginasRepitenEncabezadoYNoCortanRenglones) {
  std::vector<prjsumsal::FilaBalance> filas;
  for (int i = 0; i < 400; ++i) {
    double monto = 1000.0 * (i + 1);
    filas.push_back({std::to_string(100000 + i), "Cuenta número " + std::to_string(i), "A", monto,
                     0, monto, 0, 0, 0, 0, 0});
  }
  Carpeta carpeta;
  for (const char* archivo : {"ctrsumsal4.rpt", "ctrsumsal.rpt"}) {
    SCOPED_TRACE(archivo);
    QStringList paginas =
        correr(baseConTabla(filas), archivoInforme(archivo), carpeta.ruta("l.pdf"), 7);
    ASSERT_GE(paginas.size(), 4);
    std::vector<int> vistas(filas.size(), 0);
    for (qsizetype n = 0; n < paginas.size(); ++n) {
      QString texto = plano(paginas[n]);
      bool ultima = n + 1 == paginas.size();
      EXPECT_TRUE(texto.contains(QLatin1String("BALANCE TRIBUTARIO"))) << n;
      EXPECT_TRUE(texto.contains(QLatin1String("Cuenta Nombre Debitos Creditos"))) << n;
      EXPECT_EQ(texto.contains(QLatin1String("TOTALES")), ultima) << n;
      if (QLatin1String(archivo) == QLatin1String("ctrsumsal4.rpt")) {
        EXPECT_TRUE(texto.contains(QStringLiteral("Folio %1").arg(7 + n))) << n;
        EXPECT_EQ(texto.contains(QLatin1String("Representante legal")), ultima) << n;
      }
      for (std::size_t i = 0; i < filas.size(); ++i) {
        const auto& f = filas[i];
        QString linea = QStringLiteral("%1 %2 ").arg(QString::fromStdString(f.centro),
                                                     QString::fromStdString(f.n_centro));
        if (!texto.contains(linea)) continue;
        QString cifra = QLocale(QLocale::German).toString(static_cast<qlonglong>(f.debe));
        EXPECT_TRUE(texto.contains(linea + cifra + QStringLiteral(" 0 ") + cifra)) << f.centro;
        ++vistas[i];
      }
    }
    for (std::size_t i = 0; i < filas.size(); ++i) EXPECT_EQ(vistas[i], 1) << filas[i].centro;
  }
}

// A run that cannot read its report file or its rows says why and writes nothing.
TEST(MotorInforme, FallasDicenLaCausaYNoSaleNada) {
  Carpeta carpeta;
  auto escribir = [&](const char* nombre, const char* texto) {
    QFile f(carpeta.ruta(QLatin1String(nombre)));
    f.open(QIODevice::WriteOnly);
    f.write(texto);
    return f.fileName();
  };
  QString bueno = archivoInforme("ctrsumsal.rpt");
  QString malo = escribir("malo.rpt", "informe 1\npapel A4\norientacion diagonal\n");
  QString origen = escribir("origen.rpt", "informe 1\norigen ctdcomprmm\n");
  QString vacio = escribir("vacio.rpt", "# nada\n");
  QString columna = escribir("col.rpt", "informe 1\n\ncolumna saldo Saldo 1\n");
  QString sinVersion = escribir("sinv.rpt", "papel A4\n");

  auto sinTabla = std::shared_ptr<prjsumsal::BaseDatos>(BaseSqlite::enMemoria(Papel::Informes));
  auto tablaVacia = std::shared_ptr<prjsumsal::BaseDatos>(BaseSqlite::enMemoria(Papel::Informes));
  tablaVacia->executesql(prjsumsal::sentenciaCrearTabla());

  struct Caso {
    QString archivo;
    std::shared_ptr<prjsumsal::BaseDatos> base;
    QString mensaje;
  };
  const Caso casos[] = {
      {carpeta.ruta("falta.rpt"), baseConTabla(cuentas()),
       "No existe el archivo de informe " + carpeta.ruta("falta.rpt")},
      {malo, baseConTabla(cuentas()), "Archivo de informe " + malo + ", línea 3: la orientación"},
      {origen, baseConTabla(cuentas()), origen + ", línea 2: el origen de datos «ctdcomprmm»"},
      {vacio, baseConTabla(cuentas()), vacio + ", línea 2: el archivo está vacío"},
      {columna, baseConTabla(cuentas()), columna + ", línea 3: no hay campo «saldo»"},
      {sinVersion, baseConTabla(cuentas()), sinVersion + ", línea 1: se esperaba «informe 1»"},
      {bueno, sinTabla, "No se puede leer la tabla de trabajo ctrsumsal"},
      {bueno, tablaVacia, "La tabla de trabajo ctrsumsal está vacía"},
  };
  for (const Caso& c : casos) {
    QString pdf = carpeta.ruta("f.pdf");
    try {
      correr(c.base, c.archivo, pdf);
      ADD_FAILURE() << "sin error: " << c.mensaje.toStdString();
    } catch (const prjsumsal::Error& e) {
      EXPECT_TRUE(QString::fromUtf8(e.what()).contains(c.mensaje))
          << e.what() << "\n  esperaba: " << c.mensaje.toStdString();
    }
    EXPECT_FALSE(QFile::exists(pdf)) << c.mensaje.toStdString();
  }
}

}  // namespace
}  // namespace suite::informes
