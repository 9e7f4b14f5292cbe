#pragma once

#include <QString>
#include <functional>
#include <stdexcept>

#include "avance/avance.h"
#include "informes/diseno.h"
#include "informes/modelo.h"
#include "informes/pdf_partes.h"

class QIODevice;

namespace suite::rendidor {

// A PDF that could not be made or saved. what() is the message for the user, in Spanish, and
// names the file.
class ErrorSalida : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

using suite::informes::Propiedades;

// The balance painted by the report engine's painter into a PDF written to `salida`, an open
// device, fonts embedded and text selectable as Qt writes them, with `propiedades` in its
// information dictionary. A long balance is painted in one part per core, in threads, each part
// into a temporary file as its pages are made, and the parts are then joined in order, streamed
// from those files to `salida`: neither the parts nor the whole document are held in memory.
// The model is emptied once its pages are painted, so that its memory serves the join.
// `avance`, when given, is told of the pages painted and of the joining. Raises ErrorSalida
// when painting, completing or writing the file fails.
void generarPdf(const suite::informes::Diseno& diseno, suite::informes::ModeloBalance&& modelo,
                const Propiedades& propiedades, QIODevice& salida,
                suite::avance::Avance* avance = nullptr);

// Writes at `ruta`, whole or not at all, what `escribir` sends to the device it is given,
// through prjsumsal::ArchivoSeguro: into a temporary file beside it, synced and renamed over
// `ruta` only once complete; never over a protected file (RENDIDOR's own input). On failure no
// temporary file is left and a previous file at `ruta` is untouched. Raises ErrorSalida naming
// `ruta`, and lets through what `escribir` raises when the file itself did not fail.
void guardar(const QString& ruta, const std::function<void(QIODevice&)>& escribir);

}  // namespace suite::rendidor
