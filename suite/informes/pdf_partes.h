#pragma once

#include <QString>

#include "avance/avance.h"
#include "informes/diseno.h"
#include "informes/modelo.h"

class QIODevice;

namespace suite::informes {

// The document properties a viewer shows.
struct Propiedades {
  QString titulo;
  QString autor;    // the company; none when empty
  QString creador;  // the program that made the document
};

// The balance painted by PintorBalance into a PDF written to `salida`, an open device, fonts
// embedded and text selectable as Qt writes them, with `propiedades` in its information
// dictionary. A long balance is painted in one part per core, in threads, each part into a
// temporary file without a name (ParteTemporal) as its pages are made, and the parts are then
// joined in order by qpdf, streamed from those files to `salida`: neither the parts nor the
// whole document are held in memory. The model is emptied once its pages are painted, so that
// its memory serves the join. `avance`, when given, is told of the pages painted and of the
// joining. Raises prjsumsal::Error saying what failed: painting, completing or writing.
void pintarEnPartes(const Diseno& diseno, ModeloBalance&& modelo, const Propiedades& propiedades,
                    QIODevice& salida, avance::Avance* avance = nullptr);

}  // namespace suite::informes
