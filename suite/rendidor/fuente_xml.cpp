#include "fuente_xml.h"

#include "error_entrada.h"
#include "texto_entrada.h"

namespace suite::rendidor {

namespace {

constexpr qint64 kTrozo = 1 << 16;

}  // namespace

QString etiqueta(QStringView nombre) {
  return "<" + nombre.toString() + ">";
}

FuenteXml::FuenteXml(QIODevice& dispositivo, QString archivo)
    : dispositivo_(dispositivo), archivo_(std::move(archivo)) {}

void FuenteXml::fallar(const QString& texto) const {
  fallar(xml_.lineNumber(), texto);
}

void FuenteXml::fallar(qint64 linea, const QString& texto) const {
  throw ErrorEntrada(archivo_, linea, texto);
}

void FuenteXml::alimentar() {
  QByteArray trozo = dispositivo_.read(kTrozo);
  if (trozo.isEmpty()) {
    if (!dispositivo_.atEnd())
      fallar(QStringLiteral("no se puede leer: %1").arg(dispositivo_.errorString()));
    fin_ = true;
    xml_.addData(decodificar(resto_));
    resto_.clear();
    return;
  }
  resto_ += trozo;
  qsizetype corte = cortePrudente(resto_);
  xml_.addData(decodificar(QByteArrayView(resto_).first(corte)));
  resto_.remove(0, corte);
}

QXmlStreamReader::TokenType FuenteXml::siguiente() {
  for (;;) {
    QXmlStreamReader::TokenType t = xml_.readNext();
    if (t != QXmlStreamReader::Invalid) return t;
    switch (xml_.error()) {
      case QXmlStreamReader::PrematureEndOfDocumentError:
        if (!fin_) {
          alimentar();
          continue;
        }
        fallar(QStringLiteral(
            "el archivo termina antes de cerrar sus elementos: está cortado o incompleto"));
      case QXmlStreamReader::CustomError:
        fallar(xml_.errorString());
      default:
        fallar(QStringLiteral("el XML no está bien formado (columna %1)").arg(xml_.columnNumber()));
    }
  }
}

bool FuenteXml::siguienteElemento() {
  for (;;) {
    switch (siguiente()) {
      case QXmlStreamReader::StartElement:
        return true;
      case QXmlStreamReader::EndElement:
      case QXmlStreamReader::EndDocument:
        return false;
      case QXmlStreamReader::Characters:
        if (!xml_.isWhitespace()) fallar(QStringLiteral("hay texto fuera de los elementos"));
        break;
      case QXmlStreamReader::EntityReference:
        fallar(QStringLiteral("hay texto fuera de los elementos"));
      default:  // declaration, DTD, comment, processing instruction
        break;
    }
  }
}

QString FuenteXml::texto(qsizetype maximo) {
  const QString nombre = xml_.name().toString();
  QString r;
  for (;;) {
    switch (siguiente()) {
      case QXmlStreamReader::Characters:
        if (r.size() + xml_.text().size() > maximo)
          fallar(QStringLiteral("el valor de %1 pasa de %2 caracteres")
                     .arg(etiqueta(nombre))
                     .arg(maximo));
        r += xml_.text();
        break;
      case QXmlStreamReader::EndElement:
        return r;
      case QXmlStreamReader::StartElement:
        fallar(QStringLiteral("%1 no puede contener otros elementos, como %2")
                   .arg(etiqueta(nombre), etiqueta(xml_.name())));
      case QXmlStreamReader::EntityReference:
        fallar(QStringLiteral("la entidad &%1; no está definida").arg(xml_.name()));
      default:  // comment, processing instruction
        break;
    }
  }
}

void FuenteXml::saltar() {
  for (int profundidad = 1; profundidad > 0;) {
    switch (siguiente()) {
      case QXmlStreamReader::StartElement:
        ++profundidad;
        break;
      case QXmlStreamReader::EndElement:
        --profundidad;
        break;
      default:
        break;
    }
  }
}

void FuenteXml::terminar() {
  while (siguienteElemento()) fallar(QStringLiteral("hay más de un elemento raíz"));
}

}  // namespace suite::rendidor
