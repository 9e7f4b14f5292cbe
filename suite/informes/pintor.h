#pragma once

#include <QFont>
#include <QString>
#include <cstdint>
#include <vector>

#include "avance/avance.h"
#include "informes/diseno.h"
#include "informes/modelo.h"
#include "informes/paginacion.h"

class QPagedPaintDevice;
class QPainter;

namespace suite::informes {

// Lays a balance out in pages and paints them: the one painter behind the preview window, the
// printer and every PDF (the engine's and RENDIDOR's). It keeps references to the layout and
// the model, which must outlive it. On every page: the title, the company text, the period, the
// issue date, "Folio N" or "Página N de M", the company heading when the layout has it, the
// group headers and the column headers; then whole account rows. The last page ends with the
// closing rows and, when the layout has them, the signature blocks, never split from them.
// Amounts are whole pesos grouped with ".", a leading "-" when negative, right-aligned in their
// column; a figure too wide for its column is narrowed, never cut. Needs a QGuiApplication
// (offscreen is enough) for its fonts. Each page painted is a step told to `avance`, when given.
class PintorBalance {
 public:
  PintorBalance(const Diseno& diseno, const ModeloBalance& modelo,
                avance::Avance* avance = nullptr);

  // The pages, computed once at construction from the layout alone (not from any device).
  const std::vector<Pagina>& paginas() const { return paginas_; }

  // Gives the device the layout's page layout, then paints every page on it. Raises
  // prjsumsal::Error when the device refuses the page layout or cannot be painted on.
  // With `desde` and `hasta` only the pages [desde, hasta) are painted, the first of them on
  // the device's first page: one part of a document painted in parts, each with its folios.
  void imprimir(QPagedPaintDevice& dispositivo, std::size_t desde = 0,
                std::size_t hasta = SIZE_MAX) const;

  // Paints every page with `pintor`, already begun on `dispositivo`, whose page layout the
  // caller has set with disposicion(): what a print preview's paint request needs. `desde` and
  // `hasta` as for imprimir.
  void pintar(QPainter& pintor, QPagedPaintDevice& dispositivo, std::size_t desde = 0,
              std::size_t hasta = SIZE_MAX) const;

 private:
  void pintarPagina(QPainter& p, std::size_t numero) const;
  double pintarEncabezado(QPainter& p, std::size_t numero) const;
  double pintarCabeceras(QPainter& p, double y) const;
  void pintarRenglon(QPainter& p, const prjsumsal::Renglon& r, double y, bool negrita) const;
  double pintarCierre(QPainter& p, double y) const;
  void pintarFirmas(QPainter& p, double y) const;
  double alturaEncabezado() const;
  double alturaCierre() const;

  const Diseno& diseno_;
  const ModeloBalance& modelo_;
  avance::Avance* avance_;
  QFont normal_, negrita_, titulo_;
  double ancho_ = 0, alto_ = 0;  // the printable area, in tenths of a point
  double renglon_ = 0;           // height of a table row
  std::vector<double> bordes_;   // left edge of each column, then the table's right edge
  std::vector<Pagina> paginas_;
};

// The balance as a PDF file at `ruta`, painted in parts on every core and joined
// (pintarEnPartes), written through the one safe path (ArchivoQt). The model is emptied on the
// way. Raises prjsumsal::Error naming the file when it cannot be written. Each page painted is a
// step told to `avance`, when given.
void escribirPdf(const Diseno& diseno, ModeloBalance&& modelo, const QString& ruta,
                 avance::Avance* avance = nullptr);

}  // namespace suite::informes
