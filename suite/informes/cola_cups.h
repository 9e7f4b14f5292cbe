#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <string>

namespace suite::informes {

// A print queue of the CUPS scheduler, as the report engine prints on it: looked up and checked
// before anything is painted, then given the finished document as one job whose every step is
// checked, and followed until the scheduler says how the job went.
//
// Every failure raises prjsumsal::Error with one line that names the queue and the cause as the
// scheduler gives it (the printer's own state message, or its state reasons): no scheduler to
// connect to, no such queue, no default queue, a queue that rejects jobs, a step of the job
// refused, a job the scheduler cancels or aborts.
struct ColaCups {
  QString nombre;
  bool detenida = false;  // the queue takes jobs but holds them until it is started again
  QString motivo;         // why, as the printer says it; empty when it says nothing
};

// The queue `nombre`, or the default queue when `nombre` is empty. Raises when there is no
// scheduler, no such queue, or the queue does not accept jobs.
ColaCups buscarCola(const QString& nombre);

// Where a warning goes that is no failure; unset drops it.
using Aviso = std::function<void(const std::string&)>;

// Sends the PDF document `pdf` to the queue as one job titled `titulo`, printed on `medio` (a
// media name such as "A4"; empty leaves the queue's own), and waits a few seconds at most for
// the scheduler to finish or refuse it. A job left waiting in a stopped queue, or held by the
// scheduler, is told to `aviso`; it prints when the queue is started again.
void enviarACola(const ColaCups& cola, const QByteArray& pdf, const QString& titulo,
                 const QString& medio, const Aviso& aviso);

}  // namespace suite::informes
