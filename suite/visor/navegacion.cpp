// The viewer's work: reading the balance, the ledger and the voucher under the long-work watch,
// moving between the pages, and exporting.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <cmath>

#include "exportar.h"
#include "host/fecha.h"
#include "mayor/centavos.h"
#include "mayor/comprobante.h"
#include "ventana_visor.h"

namespace suite::visor {

namespace {

QDate fechaQt(const std::string& iso) {
  return QDate::fromString(QString::fromStdString(iso), Qt::ISODate);
}

std::string iso(const QDate& d) {
  return prjsumsal::Fecha{d.year(), d.month(), d.day()}.iso();
}

QString pesos(std::int64_t centavos) {
  return cifra(static_cast<double>(mayor::pesos(centavos)));
}

QString texto(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace

void VentanaVisor::ponerPeriodo(const prjsumsal::Consulta& c) {
  const QSignalBlocker a(desde_), b(hasta_), d(libro_);
  desde_->setDate(fechaQt(c.desde));
  hasta_->setDate(fechaQt(c.hasta));
  libro_->setCurrentIndex(c.libro == "2" ? 1 : 0);
}

void VentanaVisor::refrescar() {
  espera_->stop();
  // The timer may fire while a read lets the screen follow: the new period waits for it.
  if (leyendo_) {
    espera_->start();
    return;
  }
  prjsumsal::Consulta c = consulta_;
  c.desde = iso(desde_->date());
  c.hasta = iso(hasta_->date());
  c.anio = hasta_->date().year();
  c.libro = std::string(1, libro_->currentIndex() == 1 ? '2' : '1');
  if (desde_->date() > hasta_->date()) {
    avisar("La fecha Desde es posterior a Hasta: se sigue mostrando el balance anterior", true);
    return;
  }
  if (balance_ && c.desde == consulta_.desde && c.hasta == consulta_.hasta &&
      c.libro == consulta_.libro)
    return;
  cargar(c);
}

bool VentanaVisor::cargar(const prjsumsal::Consulta& c) {
  std::shared_ptr<BalanceVisor> b;
  {
    const QScopedValueRollback<bool> leyendo(leyendo_, true);
    ventana::Progreso::Alcance alcance(&progreso_);
    try {
      b = std::make_shared<BalanceVisor>(cargarBalance(*db_, c, comparar_, kNiveles));
    } catch (const std::exception& e) {
      ponerPeriodo(consulta_);
      avisar(alcance.cancelado() ? "Cancelado: se sigue mostrando el balance anterior"
                                 : texto(e.what()),
             !alcance.cancelado());
      return false;
    }
  }
  consulta_ = c;
  ponerPeriodo(c);
  mostrarBalance(std::move(b));
  return true;
}

void VentanaVisor::mostrarBalance(std::shared_ptr<BalanceVisor> b) {
  auto balance = std::make_unique<ModeloBalance>(b, kNiveles);
  auto cierre = std::make_unique<ModeloCierre>(b);
  tabla_->setModel(balance.get());
  pie_->setModel(cierre.get());
  balance_ = std::move(balance);
  cierre_ = std::move(cierre);
  aplicarCriterio();
  tabla_->setSortingEnabled(true);
  anchos();
  cuadre_->setText(texto(b->cuadre));
  cuadre_->setStyleSheet(b->cuadra ? "color: #006000; font-weight: bold;"
                                   : "color: #a00000; font-weight: bold;");
  paginas_->setCurrentIndex(0);
  pistas(0);
  if (balance_->rowCount() > 0) tabla_->selectRow(0);
  tabla_->setFocus();
}

// Columns as wide as their widest figure (a TOTALES or a comparison), the names a fixed width.
void VentanaVisor::anchos() {
  const BalanceVisor& b = balance_->balance();
  const QFontMetrics fm(tabla_->font());
  const int margen = 16;
  std::vector<double> mayores(static_cast<std::size_t>(balance_->columnCount() - 2), 0);
  for (const auto& c : b.cuentas)
    for (std::size_t m = 0; m < mayores.size(); ++m)
      mayores[m] = std::max(mayores[m], std::abs(c.montos[m]));
  for (int r = 0; r < 3; ++r)
    for (std::size_t m = 0; m < mayores.size(); ++m)
      if (auto v = cierre_->monto(r, static_cast<int>(m) + 2))
        mayores[m] = std::max(mayores[m], std::abs(*v));
  const QStringList titulos = titulosColumnas(b);
  tabla_->setColumnWidth(0, fm.horizontalAdvance("00000000") + margen);
  tabla_->setColumnWidth(1, fm.horizontalAdvance("Estimación Deudores Incobrables") + margen);
  for (std::size_t m = 0; m < mayores.size(); ++m) {
    const int ancho = std::max(fm.horizontalAdvance(cifra(-mayores[m])),
                               fm.horizontalAdvance(titulos[static_cast<int>(m) + 2]) + 12);
    tabla_->setColumnWidth(static_cast<int>(m) + 2, ancho + margen);
  }
  for (int i = 0; i < balance_->columnCount(); ++i) pie_->setColumnWidth(i, tabla_->columnWidth(i));
}

void VentanaVisor::aplicarCriterio() {
  if (!balance_) return;
  Criterio c;
  c.buscar = buscar_->text();
  c.ocultarCeros = ceros_->isChecked();
  c.subtotales = subtotales_->isChecked();
  c.columna = tabla_->horizontalHeader()->sortIndicatorSection();
  c.ascendente = tabla_->horizontalHeader()->sortIndicatorOrder() == Qt::AscendingOrder;
  balance_->aplicar(c);
}

bool VentanaVisor::abrirMayor(int fila) {
  const CuentaVisor* cuenta = balance_ ? balance_->cuenta(fila) : nullptr;
  if (!cuenta) return false;
  std::unique_ptr<ModeloMayor> modelo;
  {
    ventana::Progreso::Alcance alcance(&progreso_);
    try {
      modelo = std::make_unique<ModeloMayor>(*db_, consulta_, cuenta->codigo);
    } catch (const std::exception& e) {
      avisar(alcance.cancelado() ? "Cancelado" : texto(e.what()), !alcance.cancelado());
      return false;
    }
  }
  tablaMayor_->setModel(modelo.get());
  mayor_ = std::move(modelo);
  const QFontMetrics fm(tablaMayor_->font());
  const int cifra = fm.horizontalAdvance("999.999.999.999") + 16;
  const int anchos[] = {fm.horizontalAdvance("Saldo final acreedor") + 16,
                        fm.horizontalAdvance("9999") + 16,
                        fm.horizontalAdvance("Doc") + 16,
                        fm.horizontalAdvance("99999999") + 16,
                        cifra,
                        cifra,
                        cifra};
  for (int i = 0; i < 7; ++i) tablaMayor_->setColumnWidth(i, anchos[i]);
  const mayor::Totales& t = mayor_->totales();
  tituloMayor_->setText(
      QString("<b>Libro mayor de %1 %2</b> · del %3 al %4 · %5 líneas · Debe %6 · Haber %7 · "
              "saldo final %8 %9")
          .arg(texto(cuenta->codigo).toHtmlEscaped(), texto(cuenta->nombre).toHtmlEscaped(),
               fechaQt(consulta_.desde).toString("dd/MM/yyyy"),
               fechaQt(consulta_.hasta).toString("dd/MM/yyyy"))
          .arg(t.lineas)
          .arg(pesos(t.debe), pesos(t.haber), t.saldo > 0 ? "deudor" : "acreedor",
               pesos(t.saldo > 0 ? t.deudor() : t.acreedor())));
  paginas_->setCurrentIndex(1);
  tablaMayor_->selectRow(0);
  tablaMayor_->setFocus();
  return true;
}

bool VentanaVisor::abrirComprobante(int fila) {
  const mayor::Movimiento* m = mayor_ ? mayor_->movimiento(fila) : nullptr;
  if (!m) return false;
  std::optional<mayor::Comprobante> c;
  {
    ventana::Progreso::Alcance alcance(&progreso_);
    try {
      c = mayor::leerComprobante(*db_, consulta_, m->claves);
    } catch (const std::exception& e) {
      avisar(alcance.cancelado() ? "Cancelado" : texto(e.what()), !alcance.cancelado());
      return false;
    }
  }
  if (!c) {
    avisar("El comprobante de esa línea ya no está en la base de contabilidad", true);
    return false;
  }
  mostrarComprobante(*c);
  paginas_->setCurrentIndex(2);
  return true;
}

// The voucher's lines with the ledger's account in bold, their sums and whether they balance.
void VentanaVisor::mostrarComprobante(const mayor::Comprobante& comprobante) {
  const mayor::Comprobante* c = &comprobante;
  comprobante_->clear();
  comprobante_->setHorizontalHeaderLabels({"Cuenta", "Nombre", "Debe", "Haber"});
  const std::string& propia = mayor_->cuenta().centro;
  auto fila_ = [this](const QString& a, const QString& b, const QString& d, const QString& h,
                      bool negrita) {
    QList<QStandardItem*> celdas;
    for (const QString& s : {a, b, d, h}) {
      auto* item = new QStandardItem(s);
      QFont f = item->font();
      f.setBold(negrita);
      item->setFont(f);
      if (celdas.size() >= 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      celdas << item;
    }
    comprobante_->appendRow(celdas);
  };
  for (const auto& l : c->lineas) {
    fila_(texto(l.centro), texto(l.n_centro), l.debe ? pesos(l.debe) : QString(),
          l.haber ? pesos(l.haber) : QString(), l.centro == propia);
  }
  fila_({}, "Sumas", pesos(c->debe()), pesos(c->haber()), true);
  const QFontMetrics fm(tablaComprobante_->font());
  tablaComprobante_->setColumnWidth(0, fm.horizontalAdvance("00000000") + 16);
  tablaComprobante_->setColumnWidth(1,
                                    fm.horizontalAdvance("Estimación Deudores Incobrables") + 16);
  for (int i = 2; i < 4; ++i)
    tablaComprobante_->setColumnWidth(i, fm.horizontalAdvance("999.999.999.999") + 16);
  tituloComprobante_->setText(
      QString("<b>Comprobante %1 N.º %2 del %3</b> · subsistema %4 · usuario %5 · libro %6")
          .arg(texto(c->claves.documento).toHtmlEscaped())
          .arg(c->claves.numero)
          .arg(texto(c->claves.fecha.texto()))
          .arg(c->claves.subsistema)
          .arg(c->usuario)
          .arg(c->ifrs == "0"   ? QString("común")
               : c->ifrs == "1" ? QString("tributario")
               : c->ifrs == "2" ? QString("IFRS")
                                : texto(c->ifrs).toHtmlEscaped()));
  const std::int64_t diferencia = c->debe() - c->haber();
  cuadreComprobante_->setStyleSheet(c->cuadra() ? "color: #006000; font-weight: bold;"
                                                : "color: #a00000; font-weight: bold;");
  cuadreComprobante_->setText(c->cuadra() ? "Cuadra"
                              : diferencia > 0
                                  ? "No cuadra: el Debe supera al Haber en " + pesos(diferencia)
                                  : "No cuadra: el Haber supera al Debe en " + pesos(-diferencia));
}

bool VentanaVisor::atras() {
  const int i = paginas_->currentIndex();
  if (i == 0) return false;
  paginas_->setCurrentIndex(i - 1);
  // The page was kept as it was left: its row and its scrolling.
  (i == 1 ? tabla_ : tablaMayor_)->setFocus();
  return true;
}

bool VentanaVisor::exportarA(const std::string& ruta) {
  if (!balance_) return false;
  try {
    visor::exportar(ruta, tablaMostrada(*balance_, *cierre_), balance_->balance(), cabeza_);
  } catch (const std::exception& e) {
    avisar(texto(e.what()), true);
    return false;
  }
  avisar("Exportado a " + texto(ruta));
  return true;
}

void VentanaVisor::exportar() {
  QString ruta;
  if (preguntarArchivo) {
    ruta = preguntarArchivo();
  } else {
    const QString xlsx = "Libro de Excel (*.xlsx)";
    QString filtro = xlsx;
    ruta = QFileDialog::getSaveFileName(this, "Exportar lo que se muestra", "balance.xlsx",
                                        xlsx + ";;CSV separado por punto y coma (*.csv)", &filtro);
    // A name typed without an extension takes the chosen type's.
    if (!ruta.isEmpty() && QFileInfo(ruta).suffix().isEmpty())
      ruta += filtro == xlsx ? ".xlsx" : ".csv";
  }
  if (!ruta.isEmpty()) exportarA(ruta.toStdString());
}

}  // namespace suite::visor
