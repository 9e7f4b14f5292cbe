#include "informe_ventana.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "controles/boton_deshabilitado.h"
#include "controles/preparacion.h"
#include "progreso.h"

namespace suite::ventana {

using prjsumsal::EventosInforme;

namespace {

QLabel* etiqueta(const char* nombre, QWidget* padre) {
  auto* l = new QLabel(padre);
  l->setObjectName(nombre);
  l->setTextFormat(Qt::PlainText);
  return l;
}

QPushButton* boton(const char* texto, const char* nombre, QWidget* padre) {
  auto* b = new QPushButton(texto, padre);
  b->setObjectName(nombre);
  b->setAutoDefault(false);
  return b;
}

// The busy pointer for as long as it lives.
struct PunteroOcupado {
  explicit PunteroOcupado(bool si) : si_(si) {
    if (si_) QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~PunteroOcupado() {
    if (si_) QApplication::restoreOverrideCursor();
  }
  PunteroOcupado(const PunteroOcupado&) = delete;
  PunteroOcupado& operator=(const PunteroOcupado&) = delete;
  bool si_;
};

}  // namespace

InformeVentana::InformeVentana(Progreso* progreso) : progreso_(progreso), panel_(new QFrame) {
  panel_->setObjectName("ctlinforme1");
  panel_->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
  panel_->setAutoFillBackground(true);

  etiquetaEmpresa_ = etiqueta("empresa", panel_);
  QFont negrita = etiquetaEmpresa_->font();
  negrita.setBold(true);
  etiquetaEmpresa_->setFont(negrita);
  etiquetaUsuario_ = etiqueta("usuario", panel_);
  etiquetaUsuario_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  etiquetaPrograma_ = etiqueta("programa", panel_);
  etiquetaPrograma_->setEnabled(false);  // a quiet grey: it names, it does not act
  etiquetaCuadre_ = etiqueta("cuadre", panel_);
  etiquetaCuadre_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  vistaPrevia_ = boton("Vista Previa", "vistaPrevia", panel_);
  imprimirBoton_ = boton("Imprimir", "imprimir", panel_);
  salir_ = boton("Salir", "salir", panel_);

  auto* arriba = new QHBoxLayout;
  arriba->addWidget(etiquetaEmpresa_, 1);
  arriba->addWidget(etiquetaUsuario_);
  auto* abajo = new QHBoxLayout;
  abajo->addWidget(etiquetaPrograma_, 1);
  abajo->addWidget(vistaPrevia_);
  abajo->addWidget(imprimirBoton_);
  abajo->addWidget(salir_);
  auto* linea = new QFrame(panel_);
  linea->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  auto* todo = new QVBoxLayout(panel_);
  todo->setContentsMargins(8, 6, 8, 8);
  todo->addLayout(arriba);
  todo->addStretch(1);
  todo->addWidget(etiquetaCuadre_);
  todo->addWidget(linea);
  todo->addLayout(abajo);

  QObject::connect(vistaPrevia_, &QPushButton::clicked, [this] { pulsarVistaPrevia(); });
  QObject::connect(imprimirBoton_, &QPushButton::clicked, [this] { pulsarImprimir(); });
  QObject::connect(salir_, &QPushButton::clicked, [this] { pulsarSalir(); });

  // The values the control stores with its design: both buttons enabled until told otherwise.
  glbempresa(empresa_);
  glbusuario(usuario_);
  glbprograma(programa_);
}

InformeVentana::~InformeVentana() {
  // After the application is gone a widget can no longer be deleted; the process is ending.
  if (QCoreApplication::instance()) delete panel_.data();
}

void InformeVentana::glbpreeliminar(bool valor) {
  preeliminar_ = valor;
  vistaPrevia_->setEnabled(valor);
}

void InformeVentana::glbimprimir(bool valor) {
  imprimir_ = valor;
  imprimirBoton_->setEnabled(valor);
}

void InformeVentana::glbempresa(const std::string& valor) {
  empresa_ = valor;
  etiquetaEmpresa_->setText(QString::fromStdString(valor));
}

void InformeVentana::glbprograma(std::string& valor) {
  programa_ = valor;
  etiquetaPrograma_->setText(QString::fromStdString(valor));
}

void InformeVentana::glbusuario(const std::string& valor) {
  usuario_ = valor;
  etiquetaUsuario_->setText(QString::fromStdString(valor));
}

void InformeVentana::mostrarCuadre(const std::string& linea, bool cuadra) {
  etiquetaCuadre_->setText(QString::fromStdString(linea));
  etiquetaCuadre_->setStyleSheet(cuadra ? QString() : QStringLiteral("color: #b00000"));
}

// A click cannot reach a disabled button; code that presses one is refused the same way.
void InformeVentana::pulsarVistaPrevia() {
  controles::exigirHabilitado(vistaPrevia_->isEnabled(), "Vista Previa");
  // The preview is a window of its own, which shows the arrow.
  informe(&EventosInforme::ctlinforme1_Presenta, false);
}

void InformeVentana::pulsarImprimir() {
  controles::exigirHabilitado(imprimirBoton_->isEnabled(), "Imprimir");
  informe(&EventosInforme::ctlinforme1_Imprime, true);
}

// Each event goes to the form connected at the moment it is raised: a handler may unload the
// form, which disconnects it. The preparation is the long work that can be watched and
// cancelled; the report runs afterwards, outside it, so that nothing paints or asks for events
// from inside the report engine's own drawing, and only when the preparation was neither
// cancelled nor said it failed.
void InformeVentana::informe(void (EventosInforme::*evento)(), bool ocupado) {
  bool cancelado = false;
  {
    Progreso::Alcance alcance(progreso_);
    bool guardada = eventos_ == nullptr || controles::prepararEnLote(*eventos_, informes_);
    cancelado = alcance.cancelado() || !guardada;
  }
  if (eventos_ && !cancelado) {
    PunteroOcupado puntero(ocupado);
    (eventos_->*evento)();
  }
  terminado();
}

void InformeVentana::pulsarSalir() {
  if (eventos_) eventos_->ctlinforme1_Sale();
  terminado();
}

void InformeVentana::terminado() {
  if (alTerminar) alTerminar();
}

}  // namespace suite::ventana
