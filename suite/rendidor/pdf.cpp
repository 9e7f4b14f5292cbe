#include "pdf.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

#include "informes/pintor.h"
#include "motivo.h"

namespace rendidor {

namespace {

// Qt's PDF writer fills the title and the creator but has no author; qpdf adds it to the
// information dictionary and writes the file out again, checked as it goes.
QByteArray conAutor(const QByteArray& pdf, const QString& autor) {
  QPDF documento;
  documento.processMemoryFile("balance", pdf.constData(), static_cast<size_t>(pdf.size()));
  QPDFObjectHandle trailer = documento.getTrailer();
  QPDFObjectHandle info = trailer.getKey("/Info");
  if (!info.isDictionary()) {
    info = documento.makeIndirectObject(QPDFObjectHandle::newDictionary());
    trailer.replaceKey("/Info", info);
  }
  info.replaceKey("/Author", QPDFObjectHandle::newUnicodeString(autor.toStdString()));
  QPDFWriter escritor(documento);
  escritor.setOutputMemory();
  escritor.write();
  auto buffer = escritor.getBufferSharedPointer();
  return QByteArray(reinterpret_cast<const char*>(buffer->getBuffer()),
                    static_cast<qsizetype>(buffer->getSize()));
}

}  // namespace

QByteArray generarPdf(const suite::informes::Diseno& diseno,
                      const suite::informes::ModeloBalance& modelo,
                      const Propiedades& propiedades) {
  QBuffer memoria;
  memoria.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&memoria);
    pdf.setResolution(600);
    pdf.setTitle(propiedades.titulo);
    pdf.setCreator(propiedades.creador);
    suite::informes::PintorBalance pintor(diseno, modelo);
    try {
      pintor.imprimir(pdf);
    } catch (const std::exception& e) {
      throw ErrorSalida(std::string("No se pudo dibujar el balance: ") + e.what());
    }
  }
  try {
    return conAutor(memoria.data(), propiedades.autor);
  } catch (const std::exception& e) {
    throw ErrorSalida(std::string("No se pudo completar el PDF: ") + e.what());
  }
}

void guardar(const QString& ruta, const QByteArray& pdf) {
  auto fallo = [&](const QString& motivo) {
    return ErrorSalida((QDir::toNativeSeparators(ruta) + ": " + motivo).toStdString());
  };
  QFileInfo destino(ruta);
  if (!destino.absoluteDir().exists()) throw fallo(QStringLiteral("la carpeta no existe"));
  if (destino.isDir()) throw fallo(QStringLiteral("es una carpeta"));
  if (!QFileInfo(destino.absolutePath()).isWritable())
    throw fallo(QStringLiteral("no hay permiso para escribir en su carpeta"));
  QSaveFile archivo(ruta);
  if (!archivo.open(QIODevice::WriteOnly))
    throw fallo(QStringLiteral("no se puede crear: ") + motivo(archivo));
  if (archivo.write(pdf) != pdf.size())
    throw fallo(QStringLiteral("no se puede escribir: ") + motivo(archivo));
  if (!archivo.commit()) throw fallo(QStringLiteral("no se puede guardar: ") + motivo(archivo));
}

}  // namespace rendidor
