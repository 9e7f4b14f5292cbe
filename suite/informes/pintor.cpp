#include "informes/pintor.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <algorithm>
#include <numeric>

#include "balance/formato.h"
#include "host/error.h"
#include "informes/pdf_partes.h"
#include "plataforma/archivo_qt.h"

namespace suite::informes {

namespace {

// Painting works in tenths of a point, whatever the device's resolution, so that the layout and
// its pages do not depend on the device: the painter is scaled to the device once per page.
constexpr double kUnidadesPorPunto = 10;
constexpr double kRelleno = 25;        // space between a cell's text and its column's edge
constexpr double kEspacioFirma = 450;  // room above a signature line to sign in
constexpr double kAnchoFirma = 1900;   // length of a signature line

QFont fuente(const QString& familia, double puntos, bool negrita) {
  QFont f(familia);
  f.setPixelSize(qRound(puntos * kUnidadesPorPunto));
  f.setBold(negrita);
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

QString cifra(double valor) {
  return QString::fromStdString(prjsumsal::formatoMiles(valor, "."));
}

bool esMonto(Campo c) {
  return c != Campo::Cuenta && c != Campo::Nombre;
}

// Draws `texto` ending at `derecha`, measured with `m`, the metrics of the painter's font; a
// text wider than `ancho` is narrowed to fit.
void alDerecha(QPainter& p, const QFontMetricsF& m, const QString& texto, double derecha,
               double base, double ancho) {
  double w = m.horizontalAdvance(texto);
  if (w <= ancho) {
    p.drawText(QPointF(derecha - w, base), texto);
    return;
  }
  p.save();
  p.translate(derecha - ancho, base);
  p.scale(ancho / w, 1);
  p.drawText(QPointF(0, 0), texto);
  p.restore();
}

// Draws `texto` from `izquierda`. A text a little wider than `ancho` is narrowed to fit; a much
// longer one is cut with an ellipsis at the widest narrowing, so that it never runs into the
// next column.
void alIzquierda(QPainter& p, const QFontMetricsF& m, const QString& texto, double izquierda,
                 double base, double ancho) {
  constexpr double kEstrechez = 1.3;  // how much narrower than its width a text may be drawn
  if (ancho <= 0) return;
  double w = m.horizontalAdvance(texto);
  if (w <= ancho) {
    p.drawText(QPointF(izquierda, base), texto);
    return;
  }
  QString visible =
      w <= ancho * kEstrechez ? texto : m.elidedText(texto, Qt::ElideRight, ancho * kEstrechez);
  double escala = ancho / std::max(m.horizontalAdvance(visible), ancho);
  p.save();
  p.translate(izquierda, base);
  p.scale(escala, 1);
  p.drawText(QPointF(0, 0), visible);
  p.restore();
}

void alCentro(QPainter& p, const QString& texto, double centro, double base) {
  double w = QFontMetricsF(p.font()).horizontalAdvance(texto);
  p.drawText(QPointF(centro - w / 2, base), texto);
}

}  // namespace

PintorBalance::PintorBalance(const Diseno& diseno, const ModeloBalance& modelo,
                             avance::Avance* avance)
    : diseno_(diseno), modelo_(modelo), avance_(avance) {
  normal_ = fuente(diseno.fuente, diseno.puntos, false);
  negrita_ = fuente(diseno.fuente, diseno.puntos, true);
  titulo_ = fuente(diseno.fuente, diseno.puntos + 4, true);
  QRectF area = disposicion(diseno).paintRect(QPageLayout::Point);
  ancho_ = area.width() * kUnidadesPorPunto;
  alto_ = area.height() * kUnidadesPorPunto;
  renglon_ = std::ceil(QFontMetricsF(normal_).lineSpacing() * 1.2);

  double partes = 0;
  for (const Columna& c : diseno.columnas) partes += c.ancho;
  double x = 0;
  for (const Columna& c : diseno.columnas) {
    bordes_.push_back(x);
    x += partes > 0 ? ancho_ * c.ancho / partes : 0;
  }
  bordes_.push_back(ancho_);

  double cuerpo = alto_ - alturaEncabezado() - 2 * renglon_ - 10;
  paginas_ = paginar(modelo.cuentas.size(), cuerpo, renglon_, alturaCierre());
}

double PintorBalance::alturaEncabezado() const {
  double titulo = QFontMetricsF(titulo_).lineSpacing() * 1.3;
  int lineas = 1 + (diseno_.encabezadoEmpresa ? 6 : 0);
  return titulo + (lineas + 0.6) * renglon_;
}

double PintorBalance::alturaCierre() const {
  double h = diseno_.cierre ? 10 + modelo_.cierres.size() * renglon_ : 0;
  if (diseno_.cierre && !modelo_.nota.isEmpty()) h += renglon_;
  if (diseno_.firmas) h += kEspacioFirma + 3.5 * renglon_;
  return h;
}

void PintorBalance::imprimir(QPagedPaintDevice& dispositivo, std::size_t desde,
                             std::size_t hasta) const {
  if (!dispositivo.setPageLayout(disposicion(diseno_))) {
    throw prjsumsal::Error("El dispositivo de impresión no acepta el papel " +
                           diseno_.papel.toStdString());
  }
  QPainter pintor;
  if (!pintor.begin(&dispositivo)) {
    throw prjsumsal::Error("No se puede dibujar en el dispositivo de impresión");
  }
  pintar(pintor, dispositivo, desde, hasta);
  if (!pintor.end()) throw prjsumsal::Error("No se pudo terminar la impresión");
}

void PintorBalance::pintar(QPainter& pintor, QPagedPaintDevice& dispositivo, std::size_t desde,
                           std::size_t hasta) const {
  double escala = dispositivo.logicalDpiY() / (72.0 * kUnidadesPorPunto);
  for (std::size_t i = desde; i < std::min(hasta, paginas_.size()); ++i) {
    if (i > desde) dispositivo.newPage();
    pintor.save();
    pintor.scale(escala, escala);
    pintarPagina(pintor, i);
    pintor.restore();
    if (avance_) avance_->avanzar();
  }
}

void PintorBalance::pintarPagina(QPainter& p, std::size_t numero) const {
  const Pagina& pagina = paginas_[numero];
  double y = pintarEncabezado(p, numero);
  y = pintarCabeceras(p, y);
  p.setFont(normal_);
  for (std::size_t i = pagina.desde; i < pagina.hasta; ++i) {
    pintarRenglon(p, modelo_.cuentas[i], y, false);
    y += renglon_;
  }
  if (pagina.cierre) {
    y = pintarCierre(p, y);
    if (diseno_.firmas) pintarFirmas(p, y);
  }
}

double PintorBalance::pintarEncabezado(QPainter& p, std::size_t numero) const {
  const EncabezadoInforme& e = modelo_.encabezado;
  QFontMetricsF mt(titulo_);
  double base = mt.ascent();
  p.setFont(titulo_);
  alCentro(p, diseno_.titulo, ancho_ / 2, base);

  p.setFont(negrita_);
  QString marca = diseno_.foliado
                      ? QStringLiteral("Folio %1").arg(e.primerFolio + static_cast<int>(numero))
                      : QStringLiteral("Página %1 de %2").arg(numero + 1).arg(paginas_.size());
  alDerecha(p, QFontMetricsF(negrita_), marca, ancho_, base, ancho_ / 4);
  // The company text keeps clear of the centred title, however long the company's name.
  double libre = (ancho_ - mt.horizontalAdvance(diseno_.titulo)) / 2 - kRelleno * 4;
  alIzquierda(p, QFontMetricsF(negrita_), e.empresa, 0, base, std::max(libre, 0.0));

  double y = mt.lineSpacing() * 1.3;
  double ascenso = QFontMetricsF(normal_).ascent();
  p.setFont(normal_);
  p.drawText(QPointF(0, y + ascenso), QStringLiteral("Período: ") + e.periodo);
  alDerecha(p, QFontMetricsF(normal_), QStringLiteral("Emisión: ") + e.emision, ancho_, y + ascenso,
            ancho_ / 3);
  y += renglon_;
  if (diseno_.encabezadoEmpresa) {
    const QString lineas[] = {
        QStringLiteral("RUT: ") + e.rut,       QStringLiteral("Razón social: ") + e.nombre,
        QStringLiteral("Giro: ") + e.giro,     QStringLiteral("Dirección: ") + e.direccion,
        QStringLiteral("Ciudad: ") + e.ciudad, QStringLiteral("Teléfonos: ") + e.telefonos,
    };
    for (const QString& linea : lineas) {
      p.drawText(QPointF(0, y + ascenso), linea);
      y += renglon_;
    }
  }
  return y + 0.6 * renglon_;
}

double PintorBalance::pintarCabeceras(QPainter& p, double y) const {
  p.setFont(negrita_);
  double base = y + QFontMetricsF(negrita_).ascent();
  for (const Grupo& g : diseno_.grupos) {
    if (g.primera < 0 || g.ultima < g.primera ||
        g.ultima >= static_cast<int>(diseno_.columnas.size())) {
      continue;
    }
    double izquierda = bordes_[g.primera], derecha = bordes_[g.ultima + 1];
    alCentro(p, g.titulo, (izquierda + derecha) / 2, base);
    p.drawLine(QPointF(izquierda + kRelleno, y + renglon_ - 6),
               QPointF(derecha - kRelleno, y + renglon_ - 6));
  }
  y += renglon_;
  base = y + QFontMetricsF(negrita_).ascent();
  for (std::size_t i = 0; i < diseno_.columnas.size(); ++i) {
    const Columna& c = diseno_.columnas[i];
    double ancho = bordes_[i + 1] - bordes_[i] - kRelleno;
    if (esMonto(c.campo)) {
      alDerecha(p, QFontMetricsF(negrita_), c.titulo, bordes_[i + 1] - kRelleno, base, ancho);
    } else {
      p.drawText(QPointF(bordes_[i], base), c.titulo);
    }
  }
  y += renglon_;
  p.drawLine(QPointF(0, y + 2), QPointF(ancho_, y + 2));
  return y + 10;
}

void PintorBalance::pintarRenglon(QPainter& p, const prjsumsal::Renglon& r, double y,
                                  bool negrita) const {
  const QFont& f = negrita ? negrita_ : normal_;
  QFontMetricsF m(f);
  double base = y + m.ascent();
  for (std::size_t i = 0; i < diseno_.columnas.size(); ++i) {
    Campo campo = diseno_.columnas[i].campo;
    double ancho = bordes_[i + 1] - bordes_[i] - kRelleno;
    if (esMonto(campo)) {
      const auto& monto = r.montos[static_cast<int>(campo) - static_cast<int>(Campo::Debitos)];
      if (monto) alDerecha(p, m, cifra(*monto), bordes_[i + 1] - kRelleno, base, ancho);
      continue;
    }
    const std::string& texto = campo == Campo::Cuenta ? r.codigo : r.nombre;
    if (texto.empty()) continue;
    // A closing row's label may run over the empty code column into the name's.
    if (campo == Campo::Nombre && r.codigo.empty() && i > 0 &&
        diseno_.columnas[i - 1].campo == Campo::Cuenta) {
      ancho += bordes_[i] - bordes_[i - 1];
    }
    alIzquierda(p, m, QString::fromStdString(texto), bordes_[i], base, ancho);
  }
}

double PintorBalance::pintarCierre(QPainter& p, double y) const {
  if (!diseno_.cierre) return y;
  p.drawLine(QPointF(0, y + 3), QPointF(ancho_, y + 3));
  y += 10;
  p.setFont(negrita_);
  for (const prjsumsal::Renglon& r : modelo_.cierres) {
    pintarRenglon(p, r, y, true);
    y += renglon_;
  }
  if (!modelo_.nota.isEmpty()) {
    p.drawText(QPointF(bordes_.size() > 2 ? bordes_[1] : 0, y + QFontMetricsF(negrita_).ascent()),
               modelo_.nota);
    y += renglon_;
  }
  return y;
}

void PintorBalance::pintarFirmas(QPainter& p, double y) const {
  const FirmasInforme& f = modelo_.firmas;
  struct Bloque {
    double centro;
    QString lineas[3];
  };
  const Bloque bloques[] = {
      {ancho_ * 0.27,
       {f.contador, QStringLiteral("RUT: ") + f.rutContador,
        QStringLiteral("Contador, registro ") + f.registro}},
      {ancho_ * 0.73,
       {f.representante, QStringLiteral("RUT: ") + f.rutRepresentante,
        QStringLiteral("Representante legal")}},
  };
  double linea = y + kEspacioFirma;
  double ascenso = QFontMetricsF(normal_).ascent();
  p.setFont(normal_);
  for (const Bloque& b : bloques) {
    // A line to sign on, half a point thick: a hairline all but vanishes on paper.
    p.save();
    p.setPen(QPen(Qt::black, 5));
    p.drawLine(QPointF(b.centro - kAnchoFirma / 2, linea),
               QPointF(b.centro + kAnchoFirma / 2, linea));
    p.restore();
    double base = linea + 8 + ascenso;
    for (const QString& texto : b.lineas) {
      alCentro(p, texto, b.centro, base);
      base += renglon_;
    }
  }
}

void escribirPdf(const Diseno& diseno, ModeloBalance&& modelo, const QString& ruta,
                 avance::Avance* avance) {
  plataforma::ArchivoQt archivo(ruta.toStdString());
  try {
    pintarEnPartes(diseno, std::move(modelo),
                   {diseno.titulo, QString(), QStringLiteral("NUBO Contabilidad")}, archivo,
                   avance);
  } catch (const prjsumsal::Error& e) {
    // A failed write says why; a painter that failed on its own says only that it did.
    throw prjsumsal::Error(archivo.fallo().empty() ? "No se puede escribir el archivo " +
                                                         ruta.toStdString() + ": " + e.what()
                                                   : archivo.fallo());
  }
  archivo.confirmar();
}

}  // namespace suite::informes
