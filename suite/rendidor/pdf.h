#pragma once

#include <QByteArray>
#include <QString>
#include <stdexcept>

#include "avance/avance.h"
#include "informes/diseno.h"
#include "informes/modelo.h"

namespace suite::rendidor {

// A PDF that could not be made or saved. what() is the message for the user, in Spanish, and
// names the file.
class ErrorSalida : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The document properties a viewer shows.
struct Propiedades {
  QString titulo;
  QString autor;    // the company
  QString creador;  // the program that made the document
};

// The balance painted by the report engine's painter into a PDF held in memory, fonts embedded
// and text selectable as Qt writes them, with `propiedades` in its information dictionary. A
// long balance is painted in one part per core, in threads, and the parts joined in order;
// `avance`, when given, is told of the pages painted and of the joining.
// Raises ErrorSalida when painting or completing the file fails.
QByteArray generarPdf(const suite::informes::Diseno& diseno,
                      const suite::informes::ModeloBalance& modelo, const Propiedades& propiedades,
                      suite::avance::Avance* avance = nullptr);

// Writes `pdf` at `ruta` whole or not at all, through prjsumsal::ArchivoSeguro: into a temporary
// file beside it, synced and renamed over `ruta` only once complete; never over a protected file
// (RENDIDOR's own input). On failure no temporary file is left and a previous file at `ruta` is
// untouched. Raises ErrorSalida naming `ruta`.
void guardar(const QString& ruta, const QByteArray& pdf);

}  // namespace suite::rendidor
