// The window as the user meets it: where the controls are, the RUT field, the book, the layout.
#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "entorno_ventana.h"
#include "host/error.h"

namespace suite::ventana::prueba {
namespace {

TEST(Ventana, CadaControlEnSuLugarSinCortesNiSolapes) {
  EntornoVentana e;
  ASSERT_EQ(e.ventana->logicalDpiX(), 96);  // one pixel is 15 twips
  EXPECT_EQ(e.ventana->windowTitle(), "Balance de Tributario");
  EXPECT_EQ(e.ventana->size(), QSize(438, 484));
  const struct {
    const char* nombre;
    QRect lugar;
  } casos[] = {{"ctlinforme1", {9, 6, 423, 464}},
               {"txtdesde", {120, 45, 118, 19}},
               {"cmdGrabar", {282, 354, 73, 37}}};
  for (const auto& c : casos) {
    ASSERT_NE(e.control(c.nombre), nullptr) << c.nombre;
    EXPECT_EQ(e.control(c.nombre)->geometry(), c.lugar) << c.nombre;
  }
  // Every control lies inside the report panel, whole; no two overlap; every caption fits.
  QRect panel = e.control("ctlinforme1")->geometry();
  QList<QWidget*> sobre;
  for (QWidget* w : e.ventana->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (w->objectName() != "ctlinforme1") sobre << w;
  }
  ASSERT_EQ(sobre.size(), 20);
  for (QWidget* a : sobre) {
    EXPECT_TRUE(panel.contains(a->geometry())) << a->objectName().toStdString();
    if (qobject_cast<QLabel*>(a) || qobject_cast<QRadioButton*>(a)) {
      EXPECT_LE(a->sizeHint().width(), a->width()) << a->objectName().toStdString();
    }
    for (QWidget* b : sobre) {
      EXPECT_TRUE(a == b || !a->geometry().intersects(b->geometry()))
          << a->objectName().toStdString() << " / " << b->objectName().toStdString();
    }
  }
}

// The option buttons are one stop, at the selected one, as a group of them is on the platform.
TEST(Ventana, ElTabuladorSigueElOrdenDelDiseno) {
  EntornoVentana e;
  e.control("txtdesde")->setFocus();
  QStringList visitados;
  for (int i = 0; i < 14; ++i) {
    QWidget* f = QApplication::focusWidget();
    while (f && f->objectName().isEmpty()) f = f->parentWidget();  // the date field's editor
    visitados << (f ? f->objectName() : "?");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(visitados.join(" ").toStdString(),
            "txtdesde txthasta vistaPrevia imprimir salir Command1 cmbifrs Option1 txtcontador "
            "txtrut txtregistro cmdGrabar cmdpdf txtdesde");
}

TEST(Ventana, ElRutSeReformaOSeRechazaYRetieneElFoco) {
  const struct {
    const char* tecleado;
    const char* queda;
    const char* siguiente;  // where the focus is after Tab
    const char* mensaje;    // "" for none
  } casos[] = {
      {"123456785", "12.345.678-5", "txtregistro", ""},
      {"6k", "6-k", "txtregistro", ""},
      {"1234-5678", "", "txtrut", "El rut no es Válido"},
      {"0", "", "txtrut", "El rut no es válido."},
      {"", "", "txtregistro", ""},
  };
  for (const auto& c : casos) {
    EntornoVentana e;
    auto* rut = e.control<QLineEdit>("txtrut");
    rut->setFocus();
    QTest::keyClicks(rut, c.tecleado);
    QTest::keyClick(rut, Qt::Key_Tab);
    EXPECT_EQ(e.forma->txtrut.Text, c.queda) << c.tecleado;
    EXPECT_EQ(rut->text().toStdString(), c.queda) << c.tecleado;
    EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), c.siguiente) << c.tecleado;
    if (*c.mensaje) {
      ASSERT_EQ(e.cajas.size(), 1u) << c.tecleado;
      EXPECT_EQ(e.cajas[0].texto, c.mensaje);
      EXPECT_EQ(e.cajas[0].titulo, "Mensaje");
      EXPECT_EQ(e.cajas[0].icono, QMessageBox::Critical);
      EXPECT_EQ(e.cajas[0].botones, QMessageBox::Ok);
    } else {
      EXPECT_TRUE(e.cajas.empty()) << c.tecleado;
    }
  }
}

// A click on "Grabar Contador" with a wrong RUT in the field: the check refuses, so the button
// is never pressed and the record keeps its row.
TEST(Ventana, UnRutRechazadoNoDejaPulsarOtroBoton) {
  EntornoVentana e;
  auto* rut = e.control<QLineEdit>("txtrut");
  rut->setFocus();
  QTest::keyClicks(rut, "1234-5678");
  e.clic(e.control("cmdGrabar"));
  ASSERT_EQ(e.cajas.size(), 1u);
  EXPECT_EQ(e.cajas[0].texto, "El rut no es Válido");
  EXPECT_TRUE(rut->hasFocus());
  EXPECT_TRUE(EntornoVentana::filas(*e.contable, "select count(*) as x from contador") ==
              std::vector<std::string>{"0"});
  // Corrected, the same click saves.
  QTest::keyClicks(rut, "123456785");
  e.clic(e.control("cmdGrabar"));
  EXPECT_EQ(e.cajas.back().texto, "Contador grabado");
  EXPECT_TRUE(EntornoVentana::filas(*e.contable, "select rut as x from contador") ==
              std::vector<std::string>{"12.345.678-5"});
}

TEST(Ventana, ElLibroYElFormatoLlegananFormulario) {
  EntornoVentana e;
  auto* combo = e.control<QComboBox>("cmbifrs");
  ASSERT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->itemText(0), "1 TRIBUTARIA");
  EXPECT_EQ(combo->itemText(1), "2 IFRS");
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_EQ(e.forma->cmbifrs.Text, "2 IFRS");

  const char* codigos[] = {"", "2", "3", "4", "5"};
  for (int i : {3, 5, 1, 2, 4}) {
    auto* o = e.control<QRadioButton>(("Option" + std::to_string(i)).c_str());
    e.clic(o, QPoint(6, o->height() / 2));
    EXPECT_EQ(e.forma->SII(), codigos[i - 1]) << "Option" << i;
    EXPECT_TRUE(o->isChecked()) << "Option" << i;
  }
}

TEST(Ventana, LaFechaSeTecleaOSeEligeYNuncaEsImposible) {
  EntornoVentana e;
  auto* desde = e.control<QDateEdit>("txtdesde");
  EXPECT_EQ(e.forma->txtdesde->Text(), "01/12/2026");
  EXPECT_TRUE(desde->calendarPopup());
  desde->setFocus();
  desde->setSelectedSection(QDateTimeEdit::DaySection);
  QTest::keyClicks(desde, "31");
  desde->setSelectedSection(QDateTimeEdit::MonthSection);
  QTest::keyClicks(desde, "02");
  QTest::keyClick(desde, Qt::Key_Tab);
  EXPECT_NE(e.forma->txtdesde->Text(), "31/02/2026");
  EXPECT_TRUE(prjsumsal::Fecha::leer(e.forma->txtdesde->Text()).has_value());

  emit desde->calendarWidget()->clicked(QDate(2026, 3, 15));
  EXPECT_EQ(e.forma->txtdesde->Text(), "15/03/2026");
  EXPECT_EQ(e.forma->txtdesde->FechaSQL(), "2026-03-15");
  EXPECT_THROW(e.forma->txtdesde->Text("31/02/2026"), prjsumsal::Error);
  EXPECT_EQ(e.forma->txtdesde->Text(), "15/03/2026");
}

}  // namespace
}  // namespace suite::ventana::prueba
