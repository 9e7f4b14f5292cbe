#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "host/puntero.h"

class QProgressDialog;

namespace suite::ventana {

// Long work started from the window: an export or a report. While one runs the mouse pointer is
// busy; when it has run for more than a second a progress dialog with a cancel button appears.
// The work itself is a straight procedure of the form; it reaches this object through paso(),
// which the database objects call at each statement and each row (see BaseVigilada). Cancelling
// makes the next paso() raise, so the handler's own error trap ends the work: the exports keep
// any earlier file, since a file takes its target's place only when complete.
//
// It is also the platform's mouse pointer, so that the module's own pointer changes and the
// busy pointer of long work keep one count.
class Progreso : public prjsumsal::Puntero {
 public:
  static constexpr const char* kCancelado = "Cancelado por el usuario";

  // `reloj` gives milliseconds from any fixed point; tests pass one they move themselves.
  explicit Progreso(std::function<qint64()> reloj = {});
  ~Progreso() override;
  Progreso(const Progreso&) = delete;
  Progreso& operator=(const Progreso&) = delete;

  // One piece of long work, from construction to destruction. Scopes do not nest: an inner
  // one joins the outer.
  class Alcance {
   public:
    explicit Alcance(Progreso* progreso);
    ~Alcance();
    Alcance(const Alcance&) = delete;
    Alcance& operator=(const Alcance&) = delete;
    // True when the user cancelled the work of this scope.
    bool cancelado() const { return progreso_ && progreso_->cancelado_; }

   private:
    Progreso* progreso_;
    bool propio_;
  };

  // A step of the work: makes the pointer busy, shows the dialog once the work has run for a
  // second, lets the screen follow. Raises prjsumsal::Error(kCancelado) once after the user has
  // cancelled. Outside a scope it does nothing.
  void paso();
  // True while the work of a cancelled scope winds down: its messages are not shown.
  bool cancelando() const { return activo_ && cancelado_; }

  void MousePointer(int forma) override;

  // The window the dialog belongs to.
  void padre(QWidget* ventana) { padre_ = ventana; }
  // Tests: called with the dialog when it appears.
  std::function<void(QProgressDialog&)> alMostrar;

 private:
  void ocupado(bool si);
  void terminar();

  std::function<qint64()> reloj_;
  QPointer<QWidget> padre_;
  QProgressDialog* dialogo_ = nullptr;
  bool activo_ = false;
  bool cancelado_ = false;
  bool avisado_ = false;  // the cancellation has been raised
  bool ocupado_ = false;
  qint64 inicio_ = 0;
  qint64 ultimoRefresco_ = 0;
};

}  // namespace suite::ventana
