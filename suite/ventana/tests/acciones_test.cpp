// The buttons that deliver the balance: the two exports, the report panel's preview, print and
// exit, and the long-work watch around them.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>

#include "entorno_ventana.h"
#include "libro_xlsx/escritor_libxlsx.h"

namespace suite::ventana::prueba {
namespace {

QByteArray leer(const QString& ruta) {
  QFile f(ruta);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(Exportar, ExcelPreguntaDondeYEscribeElLibro) {
  EntornoVentana e;
  const QString ruta = e.carpeta.filePath("balance");  // typed without the extension
  e.respuesta = ruta.toStdString();
  e.clic(e.control("Command1"));
  EXPECT_EQ(e.dialogoVisto.titulo, "Archivo Excel");
  EXPECT_EQ(e.dialogoVisto.filtros, (QStringList{"*.xls", "Libro de Excel (*.xlsx)"}));
  EXPECT_EQ(e.dialogoVisto.sufijo, "xls");
  ASSERT_EQ(e.dialogoVisto.propuesto.size(), 1);
  EXPECT_TRUE(e.dialogoVisto.propuesto[0].endsWith("/balance_general.xls"));
  EXPECT_TRUE(e.cajas.empty()) << e.cajas[0].texto;
  QByteArray libro = leer(ruta + ".xls");
  EXPECT_TRUE(libro.contains("<Workbook")) << libro.left(200).toStdString();
  EXPECT_TRUE(libro.contains("VENTAS"));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the busy pointer is gone
  EXPECT_EQ(e.control<QLabel>("cuadre")->text(), "Cuadra");
}

// The second file type: picking it turns the proposed name and the default extension to .xlsx,
// and the workbook written is an Office Open XML package.
TEST(Exportar, ElDialogoOfreceTambienElLibroXlsx) {
  EntornoVentana e;
  e.plataforma.crearLibroXlsx = libro_xlsx::crearEscritorLibxlsx;
  QStringList filtros;
  QString propuesto, sufijo;
  e.dialogo.responder = [&](QFileDialog& d) {
    filtros = d.nameFilters();
    QTest::keyClick(d.findChild<QComboBox*>("fileTypeCombo"), Qt::Key_Down);  // as a user picks
    propuesto = QFileInfo(d.selectedFiles().value(0)).fileName();
    sufijo = d.defaultSuffix();
    d.selectFile(e.carpeta.filePath(propuesto));
    return int(QDialog::Accepted);
  };
  e.clic(e.control("Command1"));
  EXPECT_EQ(filtros, (QStringList{"*.xls", "Libro de Excel (*.xlsx)"}));
  EXPECT_EQ(propuesto, "balance_general.xlsx");
  EXPECT_EQ(sufijo, "xlsx");
  EXPECT_TRUE(e.cajas.empty()) << e.cajas[0].texto;
  EXPECT_TRUE(leer(e.carpeta.filePath("balance_general.xlsx")).startsWith("PK"));
}

TEST(Exportar, PdfEscribeLosArchivosEIniciaElRendidor) {
  EntornoVentana e;
  e.clic(e.control("cmdpdf"));
  EXPECT_TRUE(e.cajas.empty()) << e.cajas[0].texto;
  EXPECT_TRUE(leer(e.carpeta.filePath("balance_tributario_datos.xml")).contains("CAJA"));
  ASSERT_EQ(e.procesos.iniciados.size(), 1u);
  EXPECT_EQ(e.procesos.iniciados[0], e.carpeta.filePath("RENDIDOR").toStdString());
}

// Work that runs past a second shows the progress dialog; cancelling it stops the export
// without a word, and the file already there stays as it was, with nothing left beside it,
// for either workbook.
TEST(Exportar, CancelarDejaElArchivoAnterior) {
  for (const char* nombre : {"balance.xls", "balance.xlsx"}) {
    EntornoVentana e;
    e.plataforma.crearLibroXlsx = libro_xlsx::crearEscritorLibxlsx;
    const QString ruta = e.carpeta.filePath(nombre);
    {
      QFile f(ruta);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write("anterior");
    }
    const QStringList antes = QDir(e.carpeta.path()).entryList(QDir::Files);
    e.respuesta = ruta.toStdString();
    e.pasoReloj = 400;
    bool ocupado = false;
    e.progreso.alMostrar = [&](QProgressDialog& d) {
      ocupado = QApplication::overrideCursor() &&
                QApplication::overrideCursor()->shape() == Qt::WaitCursor;
      QTest::mouseClick(d.findChild<QPushButton*>(), Qt::LeftButton);
    };
    e.clic(e.control("Command1"));
    EXPECT_TRUE(ocupado) << nombre;
    EXPECT_EQ(leer(ruta), "anterior") << nombre;
    EXPECT_EQ(QDir(e.carpeta.path()).entryList(QDir::Files), antes) << nombre;
    EXPECT_TRUE(e.cajas.empty()) << e.cajas[0].texto;
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << nombre;
  }
}

TEST(Informe, LosPermisosHabilitanSusBotonesYMuestraElContexto) {
  const struct {
    const char* permiso;
    bool vistaPrevia, imprimir;
  } casos[] = {
      {"00011", true, true}, {"00010", true, false}, {"00001", false, true}, {"000", false, false}};
  for (const auto& c : casos) {
    EntornoVentana e(c.permiso);
    EXPECT_EQ(e.control("vistaPrevia")->isEnabled(), c.vistaPrevia) << c.permiso;
    EXPECT_EQ(e.control("imprimir")->isEnabled(), c.imprimir) << c.permiso;
    EXPECT_EQ(e.control<QLabel>("empresa")->text(), "3 SUR LTDA");
    EXPECT_EQ(e.control<QLabel>("usuario")->text(), "7 ANA");
    EXPECT_EQ(e.control<QLabel>("programa")->text(), "ctrsumsal");
  }
}

TEST(Informe, VistaPreviaPreparaLosDatosYPasaPorElMotor) {
  EntornoVentana e;
  EXPECT_EQ(e.control<QLabel>("cuadre")->text(), "");
  e.clic(e.control("vistaPrevia"));
  EXPECT_EQ(e.control<QLabel>("cuadre")->text(), "Cuadra");
  EXPECT_TRUE(e.cajas.empty()) << e.cajas[0].texto;
  EXPECT_TRUE(leer(e.carpeta.filePath("vista.pdf")).startsWith("%PDF"));
  EXPECT_TRUE(EntornoVentana::filas(*e.informes, "select count(*) as x from ctrsumsal") ==
              std::vector<std::string>{"3"});  // two accounts and the closing row
}

// Cancelling the preparation of a preview stops there: no report runs on what the table holds,
// and nothing is said.
TEST(Informe, CancelarLaPreparacionNoCorreElInforme) {
  EntornoVentana e;
  e.pasoReloj = 400;
  e.progreso.alMostrar = [](QProgressDialog& d) {
    QTest::mouseClick(d.findChild<QPushButton*>(), Qt::LeftButton);
  };
  e.clic(e.control("vistaPrevia"));
  EXPECT_FALSE(QFile::exists(e.carpeta.filePath("vista.pdf")));
  EXPECT_TRUE(e.cajas.empty()) << e.cajas[0].texto;
}

TEST(Informe, ImprimirLlegaAlMotorQueNombraLaImpresora) {
  EntornoVentana e;
  e.clic(e.control("imprimir"));
  ASSERT_EQ(e.cajas.size(), 1u);
  EXPECT_EQ(e.cajas[0].icono, QMessageBox::Critical);
  EXPECT_EQ(e.cajas[0].titulo, "Mensaje");
  EXPECT_NE(e.cajas[0].texto.find("cola-que-no-existe"), std::string::npos) << e.cajas[0].texto;
}

// Without the second flag there is no work table: the preparation's box says so with the
// information icon and no title of its own.
TEST(Informe, LaCajaDeLaPreparacionNoTieneTitulo) {
  EntornoVentana e("00010");
  e.clic(e.control("vistaPrevia"));
  ASSERT_FALSE(e.cajas.empty());
  EXPECT_EQ(e.cajas[0].icono, QMessageBox::Information);
  EXPECT_EQ(e.cajas[0].titulo, "");
  EXPECT_EQ(e.cajas[0].botones, QMessageBox::Ok);
}

TEST(Informe, SalirDescargaElFormularioYCierraLaVentana) {
  for (const char* permiso : {"00011", "00010"}) {
    EntornoVentana e(permiso);
    const bool tabla = permiso[4] == '1';
    auto tablas = [&] {
      return EntornoVentana::filas(
          *e.informes, "select count(*) as x from sqlite_master where name = 'ctrsumsal'");
    };
    EXPECT_EQ(tablas(), std::vector<std::string>{tabla ? "1" : "0"});
    e.clic(e.control("salir"));
    EXPECT_FALSE(e.forma->cargado()) << permiso;
    EXPECT_FALSE(e.ventana->isVisible()) << permiso;
    EXPECT_EQ(tablas(), std::vector<std::string>{"0"}) << permiso;
    EXPECT_TRUE(EntornoVentana::filas(*e.informes, "select programa as x from programa").empty());
  }
}

TEST(Informe, CerrarLaVentanaDescargaElFormulario) {
  EntornoVentana e;
  e.ventana->close();
  EXPECT_FALSE(e.forma->cargado());
  EXPECT_TRUE(EntornoVentana::filas(*e.informes, "select programa as x from programa").empty());
}

}  // namespace
}  // namespace suite::ventana::prueba
