#pragma once

#include <QString>
#include <stdexcept>

namespace suite::rendidor {

// A hand-over file that cannot be used. what() is the whole message for the user, in Spanish:
// the file, the line when there is one ("archivo:línea: texto"), and what is wrong.
class ErrorEntrada : public std::runtime_error {
 public:
  ErrorEntrada(const QString& archivo, qint64 linea, const QString& texto)
      : std::runtime_error(
            (archivo + (linea > 0 ? ":" + QString::number(linea) : QString()) + ": " + texto)
                .toStdString()),
        linea_(linea) {}

  // The line the message names; 0 when it names none (a missing file).
  qint64 linea() const { return linea_; }

 private:
  qint64 linea_;
};

}  // namespace suite::rendidor
