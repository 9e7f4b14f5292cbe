#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QXmlStreamReader>

namespace suite::rendidor {

// A hand-over file read element by element with QXmlStreamReader. The bytes are read in
// pieces, decoded as texto_entrada.h says and handed to the reader as text, so an encoding
// named by an XML declaration never overrides what the bytes are, and memory does not grow with
// the file. Every failure raises ErrorEntrada naming the file and the line; the messages are
// Spanish. The device is not owned and must be open for reading.
class FuenteXml {
 public:
  FuenteXml(QIODevice& dispositivo, QString archivo);

  // Moves to the next child element of the current element (the document at first) and returns
  // true with the reader on its start, or returns false on the current element's end. Blanks,
  // comments and processing instructions between elements are passed over; other text is an
  // error.
  bool siguienteElemento();

  // Reads the text of the element whose start the reader is on, up to its end. An element
  // inside it, an unknown entity or a text longer than `maximo` characters is an error.
  QString texto(qsizetype maximo);

  // Passes over the element whose start the reader is on, with all it holds.
  void saltar();

  // Reads on to the end of the document; anything but blanks, comments and processing
  // instructions after the root element is an error.
  void terminar();

  QStringView nombre() const { return xml_.name(); }
  qint64 linea() const { return xml_.lineNumber(); }
  const QString& archivo() const { return archivo_; }

  // Raises ErrorEntrada with `texto` at the current line, or at `linea`.
  [[noreturn]] void fallar(const QString& texto) const;
  [[noreturn]] void fallar(qint64 linea, const QString& texto) const;

 private:
  QXmlStreamReader::TokenType siguiente();
  void alimentar();

  QIODevice& dispositivo_;
  QString archivo_;
  QXmlStreamReader xml_;
  QByteArray resto_;  // bytes of the last piece that wait for the next one
  bool fin_ = false;  // the device has no more bytes
};

// "<nombre>", the way messages name an element.
QString etiqueta(QStringView nombre);

}  // namespace suite::rendidor
