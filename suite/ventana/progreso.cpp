#include "progreso.h"

#include <QApplication>
#include <QProgressDialog>

#include "host/error.h"

namespace suite::ventana {

namespace {

constexpr qint64 kEsperaDialogo = 1000;  // ms of work before the dialog appears
constexpr qint64 kRefresco = 50;         // ms between two looks at the screen

qint64 relojMonotono() {
  static QElapsedTimer t = [] {
    QElapsedTimer e;
    e.start();
    return e;
  }();
  return t.elapsed();
}

}  // namespace

Progreso::Progreso(std::function<qint64()> reloj)
    : reloj_(reloj ? std::move(reloj) : relojMonotono) {}

Progreso::~Progreso() {
  terminar();
}

Progreso::Alcance::Alcance(Progreso* progreso)
    : progreso_(progreso), propio_(progreso && !progreso->activo_) {
  if (!propio_) return;
  progreso_->activo_ = true;
  progreso_->cancelado_ = false;
  progreso_->avisado_ = false;
  progreso_->inicio_ = progreso_->reloj_();
  progreso_->ultimoRefresco_ = progreso_->inicio_;
}

Progreso::Alcance::~Alcance() {
  if (propio_) progreso_->terminar();
}

void Progreso::terminar() {
  activo_ = false;
  delete dialogo_;
  dialogo_ = nullptr;
  ocupado(false);
}

void Progreso::paso() {
  if (!activo_) return;
  if (cancelado_) {
    if (avisado_) return;  // the handler is cleaning up: let it
    avisado_ = true;
    throw prjsumsal::Error(kCancelado);
  }
  ocupado(true);
  const qint64 ahora = reloj_();
  if (!dialogo_ && ahora - inicio_ > kEsperaDialogo) {
    dialogo_ = new QProgressDialog("Preparando el balance…", "Cancelar", 0, 0, padre_);
    dialogo_->setWindowTitle("Balance de Tributario");
    dialogo_->setWindowModality(Qt::WindowModal);
    dialogo_->setMinimumDuration(0);
    dialogo_->setAutoClose(false);
    dialogo_->setAutoReset(false);
    dialogo_->show();
    if (alMostrar) alMostrar(*dialogo_);
  }
  if (ahora - ultimoRefresco_ >= kRefresco || dialogo_) {
    ultimoRefresco_ = ahora;
    // Before the dialog is up, the form must not take clicks in the middle of its own handler.
    QApplication::processEvents(dialogo_ ? QEventLoop::AllEvents
                                         : QEventLoop::ExcludeUserInputEvents);
  }
  if (dialogo_ && dialogo_->wasCanceled()) cancelado_ = true;
  if (cancelado_) {
    avisado_ = true;
    throw prjsumsal::Error(kCancelado);
  }
}

void Progreso::MousePointer(int forma) {
  ocupado(forma == kReloj);
}

void Progreso::ocupado(bool si) {
  if (si == ocupado_) return;
  ocupado_ = si;
  if (si) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

}  // namespace suite::ventana
