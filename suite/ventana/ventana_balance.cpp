#include "ventana_balance.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <algorithm>
#include <optional>
#include <vector>

#include "boton.h"
#include "dia_ventana.h"
#include "form/frmsumsal.h"
#include "host/error.h"
#include "host/mensajes.h"
#include "informe_ventana.h"
#include "progreso.h"
#include "salida_campo.h"
#include "twips.h"

namespace suite::ventana {

using prjsumsal::frmsumsal;

namespace {

QString q(const std::string& s) {
  return QString::fromStdString(s);
}

template <typename W>
W* crear(const char* nombre, QWidget* padre) {
  auto* w = new W(padre);
  w->setObjectName(nombre);
  return w;
}

}  // namespace

VentanaBalance::VentanaBalance(std::shared_ptr<frmsumsal> forma, prjsumsal::Mensajes& mensajes,
                               Progreso* progreso, QWidget* padre)
    : QWidget(padre), forma_(std::move(forma)), mensajes_(mensajes), progreso_(progreso) {
  if (!forma_ || !forma_->cargado()) {
    throw prjsumsal::Error("La ventana del balance necesita el formulario cargado");
  }
  construir();
  refrescar();
}

VentanaBalance::~VentanaBalance() {
  if (forma_->ctlinforme1.get() == informe_ && informe_) informe_->alTerminar = nullptr;
  for (const QPointer<QWidget>& w : prestados_) {
    if (!w) continue;
    w->hide();
    w->setParent(nullptr);
  }
}

// The window at the design's size and font, then each group of controls in turn.
void VentanaBalance::construir() {
  setObjectName("frmsumsal");
  setWindowTitle(frmsumsal::kCaption);
  QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", "Arimo", "DejaVu Sans"});
  QFont letra("MS Sans Serif");
  letra.setPointSizeF(8.25);
  setFont(letra);
  dpi_ = logicalDpiX();
  setFixedSize(aPixeles(frmsumsal::kAnchoCliente, dpi_), aPixeles(frmsumsal::kAltoCliente, dpi_));

  tomarControlesSuite();
  crearEtiquetas();
  crearExportaciones();
  crearLibroYFormatos();
  crearContador();
  informe_->panel()->lower();
  ordenTabulacion();
}

// The suite's controls are the form's own widgets: the report panel under everything, the two
// date fields.
void VentanaBalance::tomarControlesSuite() {
  frmsumsal& f = *forma_;
  informe_ = dynamic_cast<InformeVentana*>(f.ctlinforme1.get());
  auto* desde = dynamic_cast<DiaVentana*>(f.txtdesde.get());
  auto* hasta = dynamic_cast<DiaVentana*>(f.txthasta.get());
  if (!informe_ || !desde || !hasta || !informe_->panel() || !desde->campo() || !hasta->campo()) {
    throw prjsumsal::Error("El formulario no tiene los controles de la ventana");
  }
  QFrame* panel = informe_->panel();
  panel->setParent(this);
  colocar(panel, frmsumsal::kPosInforme, false);
  informe_->alTerminar = [this] { despuesDeEvento(); };
  desde->campo()->setParent(this);
  desde->campo()->setObjectName("txtdesde");
  colocar(desde->campo(), frmsumsal::kPosDesde, false);
  hasta->campo()->setParent(this);
  hasta->campo()->setObjectName("txthasta");
  colocar(hasta->campo(), frmsumsal::kPosHasta, false);
  prestados_ = {panel, desde->campo(), hasta->campo()};
}

void VentanaBalance::crearEtiquetas() {
  const frmsumsal& f = *forma_;
  auto etiqueta = [&](const prjsumsal::Etiqueta& e, const char* nombre) {
    auto* l = crear<QLabel>(nombre, this);
    l->setText(q(e.Caption));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    colocar(l, e.pos, true);
    return l;
  };
  label2_ = etiqueta(f.Label2, "Label2");
  label1_ = etiqueta(f.Label1, "Label1");
  label28_ = etiqueta(f.Label28, "Label28");
  label3_ = etiqueta(f.Label3, "Label3");
  label4_ = etiqueta(f.Label4, "Label4");
  label5_ = etiqueta(f.Label5, "Label5");
}

// "Excel Balance" and the grey "PDF" button with its icon: long work, watched.
void VentanaBalance::crearExportaciones() {
  const frmsumsal& f = *forma_;
  command1_ = new BotonComando(q(f.Command1.Caption), this);
  command1_->setObjectName("Command1");
  colocar(command1_, f.Command1.pos, false);
  connect(command1_, &QPushButton::clicked, this,
          [this] { ejecutar([this] { forma_->Command1_Click(); }, true); });

  cmdpdf_ = crear<QToolButton>("cmdpdf", this);
  cmdpdf_->setText(q(f.cmdpdf.Caption));
  cmdpdf_->setIcon(iconoPdf());
  cmdpdf_->setIconSize(QSize(26, 28));
  cmdpdf_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  cmdpdf_->setFocusPolicy(Qt::StrongFocus);
  QPalette gris = cmdpdf_->palette();
  const std::uint32_t color = f.cmdpdf.BackColor;
  gris.setColor(QPalette::Button, QColor((color >> 0) & 0xFF, (color >> 8) & 0xFF, color >> 16));
  cmdpdf_->setPalette(gris);
  cmdpdf_->setAutoFillBackground(true);
  colocar(cmdpdf_, f.cmdpdf.pos, false);
  connect(cmdpdf_, &QToolButton::clicked, this,
          [this] { ejecutar([this] { forma_->cmdpdf_Click(); }, true); });
}

// The book combo and the five layout option buttons.
void VentanaBalance::crearLibroYFormatos() {
  frmsumsal& f = *forma_;
  cmbifrs_ = crear<QComboBox>("cmbifrs", this);
  colocar(cmbifrs_, f.cmbifrs.pos, false);
  connect(cmbifrs_, &QComboBox::activated, this,
          [this](int i) { ejecutar([this, i] { forma_->cmbifrs.seleccionar(i); }, false); });

  prjsumsal::BotonOpcion* opciones[] = {&f.Option1, &f.Option2, &f.Option3, &f.Option4, &f.Option5};
  for (int i = 0; i < 5; ++i) {
    auto* o = crear<QRadioButton>(("Option" + std::to_string(i + 1)).c_str(), this);
    o->setText(q(opciones[i]->Caption));
    colocar(o, opciones[i]->pos, true);
    // The design stacks the buttons 360 twips apart but makes them 375 high: the lower one
    // starts where the upper one ends, so their clickable areas do not overlap.
    if (i > 0 && opciones_[i - 1]->geometry().bottom() >= o->y()) {
      QRect arriba = opciones_[i - 1]->geometry();
      arriba.setBottom(o->y() - 1);
      opciones_[i - 1]->setGeometry(arriba);
    }
    connect(o, &QRadioButton::clicked, this,
            [this, i] { ejecutar([this, i] { forma_->seleccionarFormato(i + 1); }, false); });
    opciones_[i] = o;
  }
}

// The accountant's three fields, the RUT checked when the focus leaves it, and "Grabar".
void VentanaBalance::crearContador() {
  frmsumsal& f = *forma_;
  auto caja = [&](prjsumsal::CajaTexto& c, const char* nombre) {
    auto* e = crear<QLineEdit>(nombre, this);
    if (c.MaxLength > 0) e->setMaxLength(static_cast<int>(c.MaxLength));
    colocar(e, c.pos, false);
    connect(e, &QLineEdit::textEdited, this,
            [&c](const QString& texto) { c.Text = texto.toStdString(); });
    return e;
  };
  txtcontador_ = caja(f.txtcontador, "txtcontador");
  txtrut_ = caja(f.txtrut, "txtrut");
  txtregistro_ = caja(f.txtregistro, "txtregistro");
  new SalidaCampo(txtrut_, [this] { return revisarRut(); });

  cmdGrabar_ = new BotonComando(q(f.cmdGrabar.Caption), this);
  cmdGrabar_->setObjectName("cmdGrabar");
  colocar(cmdGrabar_, f.cmdGrabar.pos, false);
  connect(cmdGrabar_, &QPushButton::clicked, this,
          [this] { ejecutar([this] { forma_->cmdGrabar_Click(); }, false); });
}

// A control at its design place. A caption that would be cut off widens its control to the
// right, as far as the client area goes.
void VentanaBalance::colocar(QWidget* w, const prjsumsal::Posicion& pos, bool ajustarAlTexto) {
  QRect r = aPixeles(pos, dpi_);
  if (ajustarAlTexto) {
    int necesario = w->sizeHint().width();
    if (necesario > r.width()) r.setWidth(std::min(necesario, width() - r.left()));
  }
  w->setGeometry(r);
}

// The design's tab indexes, ascending, over the controls that take the focus; the report
// panel takes it through its buttons.
void VentanaBalance::ordenTabulacion() {
  const frmsumsal& f = *forma_;
  std::vector<std::pair<int, QWidget*>> orden = {
      {frmsumsal::kTabDesde, findChild<QDateEdit*>("txtdesde")},
      {frmsumsal::kTabHasta, findChild<QDateEdit*>("txthasta")},
      {f.Command1.TabIndex, command1_},
      {f.cmbifrs.TabIndex, cmbifrs_},
      {f.Option1.TabIndex, opciones_[0]},
      {f.Option2.TabIndex, opciones_[1]},
      {f.Option3.TabIndex, opciones_[2]},
      {f.Option4.TabIndex, opciones_[3]},
      {f.Option5.TabIndex, opciones_[4]},
      {f.txtcontador.TabIndex, txtcontador_},
      {f.txtrut.TabIndex, txtrut_},
      {f.txtregistro.TabIndex, txtregistro_},
      {f.cmdGrabar.TabIndex, cmdGrabar_},
      {f.cmdpdf.TabIndex, cmdpdf_}};
  for (QPushButton* b : informe_->panel()->findChildren<QPushButton*>()) {
    orden.push_back({frmsumsal::kTabInforme, b});
  }
  std::stable_sort(orden.begin(), orden.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 1; i < orden.size(); ++i) {
    QWidget::setTabOrder(orden[i - 1].second, orden[i].second);
  }
}

void VentanaBalance::refrescar() {
  const frmsumsal& f = *forma_;
  auto texto = [](QLineEdit* e, const std::string& valor) {
    QSignalBlocker b(e);
    if (e->text() != q(valor)) e->setText(q(valor));
  };
  texto(txtcontador_, f.txtcontador.Text);
  texto(txtrut_, f.txtrut.Text);
  texto(txtregistro_, f.txtregistro.Text);

  QSignalBlocker b(cmbifrs_);
  QStringList lista;
  for (const auto& item : f.cmbifrs.List) lista << q(item);
  QStringList actual;
  for (int i = 0; i < cmbifrs_->count(); ++i) actual << cmbifrs_->itemText(i);
  if (lista != actual) {
    cmbifrs_->clear();
    cmbifrs_->addItems(lista);
  }
  cmbifrs_->setCurrentIndex(f.cmbifrs.ListIndex);

  const prjsumsal::BotonOpcion* opciones[] = {&f.Option1, &f.Option2, &f.Option3, &f.Option4,
                                              &f.Option5};
  for (int i = 0; i < 5; ++i) {
    // Auto-exclusive buttons refuse to clear the checked one by itself: let each be set.
    opciones_[i]->setAutoExclusive(false);
    opciones_[i]->setChecked(opciones[i]->Value);
  }
  for (QRadioButton* o : opciones_) o->setAutoExclusive(true);
}

void VentanaBalance::mostrarCuadre(const std::string& linea, bool cuadra) {
  informe_->mostrarCuadre(linea, cuadra);
}

bool VentanaBalance::revisarRut() {
  bool cancelar = false;
  ejecutar([&] { forma_->txtrut_Validate(cancelar); }, false);
  return !cancelar;
}

void VentanaBalance::ejecutar(const std::function<void()>& manejador, bool largo) {
  {
    std::optional<Progreso::Alcance> alcance;
    if (largo) alcance.emplace(progreso_);
    try {
      manejador();
    } catch (const std::exception& e) {
      mensajes_.MsgBox(e.what(), prjsumsal::Icono::Critico, "Mensaje");
    }
  }
  despuesDeEvento();
}

void VentanaBalance::despuesDeEvento() {
  if (!forma_->cargado()) {
    if (!cerrando_) close();
    return;
  }
  refrescar();
}

void VentanaBalance::closeEvent(QCloseEvent* evento) {
  cerrando_ = true;
  if (forma_->cargado()) forma_->Unload();
  QWidget::closeEvent(evento);
}

}  // namespace suite::ventana
