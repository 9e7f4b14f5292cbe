#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QProgressDialog>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "base_visor.h"
#include "libro_xlsx/paquete_xlsx.h"
#include "visor/ventana_visor.h"

namespace suite::visor {
namespace {

struct Visor : ::testing::Test {
  qint64 ahora = 0, paso = 0;
  VentanaVisor v{prueba::baseDePrueba(),
                 prueba::consultaDePrueba(),
                 false,
                 {.empresa = "SUR LTDA"},
                 nullptr,
                 [this] { return ahora += paso; }};
  QTableView* tabla = v.findChild<QTableView*>("balance");

  void SetUp() override {
    v.show();
    ASSERT_TRUE(v.cargar(prueba::consultaDePrueba()));
  }
  int fila(const std::string& codigo) const {
    for (int r = 0; r < v.modeloBalance()->rowCount(); ++r)
      if (auto* c = v.modeloBalance()->cuenta(r); c && c->codigo == codigo) return r;
    return -1;
  }
  QString celda(QAbstractItemModel* m, int r, int c) const {
    return m->index(r, c).data().toString();
  }
};

// Typing filters at once; the zero balances' check hides 110103.
TEST_F(Visor, BuscarYOcultarCerosDesdeLaVentana) {
  QTest::keyClicks(v.findChild<QLineEdit*>("buscar"), "cAJa");
  ASSERT_EQ(v.modeloBalance()->rowCount(), 1);  // Caja alone, without a subtotal of itself
  EXPECT_EQ(celda(v.modeloBalance(), 0, 1), "Caja");
  v.findChild<QLineEdit*>("buscar")->clear();
  EXPECT_NE(fila("110103"), -1);
  v.findChild<QCheckBox*>("ceros")->click();
  EXPECT_EQ(fila("110103"), -1);
  EXPECT_NE(fila("110101"), -1);
}

// Enter on Caja opens its ledger: the sale of book 1 only, not the IFRS voucher; a double click
// on that line opens the whole sale, which balances; back twice returns to Caja's row, scrolled
// as it was.
TEST_F(Visor, DelBalanceAlMayorAlComprobanteYAtras) {
  const int caja = fila("110101");
  tabla->scrollToBottom();
  tabla->setCurrentIndex(v.modeloBalance()->index(caja, 0));
  const int desplazado = tabla->verticalScrollBar()->value();
  tabla->setFocus();
  QTest::keyClick(tabla, Qt::Key_Return);
  ASSERT_EQ(v.pagina(), 1);
  ModeloMayor* m = v.modeloMayor();
  ASSERT_EQ(m->rowCount(), 4);  // opening, one line, sums, closing
  EXPECT_EQ(celda(m, 1, 0), "02/12/2026");
  EXPECT_EQ(celda(m, 1, 2), "T");
  EXPECT_EQ(celda(m, 1, 4), "1.000");
  EXPECT_EQ(celda(m, 3, 0), "Saldo final deudor");
  auto* mayor = v.findChild<QTableView*>("mayor");
  QApplication::processEvents();  // the page laid out, as the user sees it
  const QRect r = mayor->visualRect(m->index(1, 3));
  // A double click as the platform delivers it: a press and release, then the double click.
  QTest::mouseClick(mayor->viewport(), Qt::LeftButton, {}, r.center());
  QTest::mouseDClick(mayor->viewport(), Qt::LeftButton, {}, r.center());
  ASSERT_EQ(v.pagina(), 2);
  QStandardItemModel* c = v.modeloComprobante();
  ASSERT_EQ(c->rowCount(), 3);
  EXPECT_EQ(celda(c, 0, 0), "110101");
  EXPECT_EQ(celda(c, 1, 0), "410101");
  EXPECT_EQ(celda(c, 2, 2), celda(c, 2, 3));
  QTest::keyClick(&v, Qt::Key_Escape);
  EXPECT_EQ(v.pagina(), 1);
  EXPECT_TRUE(v.atras());
  EXPECT_EQ(v.pagina(), 0);
  EXPECT_EQ(tabla->currentIndex().row(), caja);
  EXPECT_EQ(tabla->verticalScrollBar()->value(), desplazado);
  EXPECT_FALSE(v.abrirMayor(fila("110103") + 1));  // a subtotal row opens nothing
}

// Another period or book read again from the window; a cancelled read keeps what was shown.
TEST_F(Visor, CambiarPeriodoOLibroReleeYCancelarConservaLoMostrado) {
  v.findChild<QDateEdit*>("hasta")->setDate(QDate(2026, 12, 3));  // before 110103 moved
  EXPECT_TRUE(QTest::qWaitFor([&] { return fila("110103") == -1; }, 3000));
  EXPECT_NE(fila("110102"), -1);
  v.findChild<QDateEdit*>("hasta")->setDate(QDate(2026, 12, 31));
  EXPECT_TRUE(QTest::qWaitFor([&] { return fila("110103") != -1; }, 3000));
  v.findChild<QComboBox*>("libro")->setCurrentIndex(1);
  EXPECT_EQ(celda(v.modeloBalance(), fila("110101"), 2), "7.777");
  paso = 2000;
  v.progreso().alMostrar = [](QProgressDialog& d) { d.cancel(); };
  v.findChild<QComboBox*>("libro")->setCurrentIndex(0);
  EXPECT_EQ(celda(v.modeloBalance(), fila("110101"), 2), "7.777");
  EXPECT_EQ(v.findChild<QComboBox*>("libro")->currentIndex(), 1);
  EXPECT_TRUE(v.estado().startsWith("Cancelado")) << v.estado().toStdString();
}

// "Exportar" writes what is shown: the filtered rows with their subtotals, the closing rows.
TEST_F(Visor, ExportaLoQueSeMuestra) {
  QTemporaryDir dir;
  const std::string csv = dir.filePath("b.csv").toStdString();
  QTest::keyClicks(v.findChild<QLineEdit*>("buscar"), "110");
  v.findChild<QCheckBox*>("ceros")->click();
  v.preguntarArchivo = [&] { return QString::fromStdString(csv); };
  QTest::mouseClick(v.findChild<QWidget*>("exportar"), Qt::LeftButton);
  QFile f(QString::fromStdString(csv));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QStringList lineas = QString::fromUtf8(f.readAll()).split("\r\n");
  ASSERT_EQ(lineas.size(), 11) << lineas.join('|').toStdString();
  EXPECT_EQ(lineas[1], "110101;Caja;1000;0;1000;0;1000;0;0;0");
  EXPECT_EQ(lineas[2], "110102;Banco Depósitos;500;0;500;0;500;0;0;0");
  EXPECT_EQ(lineas[3], "1101;Total DISPONIBLE;1500;0;1500;0;1500;0;0;0");
  EXPECT_EQ(lineas[5], "11;Total ACTIVO CIRCULANTE;1750;0;1750;0;1750;0;0;0");
  EXPECT_TRUE(lineas[6].startsWith(";SUMAS;;;;;")) << lineas[6].toStdString();
  EXPECT_EQ(lineas[9], ";Cuadra;;;;;;;;");
  const std::string xlsx = dir.filePath("b.xlsx").toStdString();
  ASSERT_TRUE(v.exportarA(xlsx)) << v.estado().toStdString();
  EXPECT_EQ(libro_xlsx::faltaEnLibroXlsx(xlsx, 4 + 8), "");
}

}  // namespace
}  // namespace suite::visor
