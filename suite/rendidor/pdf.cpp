#include "pdf.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QThread>
#include <algorithm>
#include <exception>
#include <memory>
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <thread>
#include <vector>

#include "export/archivo_seguro.h"
#include "host/error.h"
#include "informes/pintor.h"

namespace suite::rendidor {

namespace {

// Pages a part of the document has at least before painting is shared among threads.
constexpr std::size_t kPaginasPorParte = 50;

// Pages [desde, hasta) of the document as a PDF in memory. Runs in a thread of its own, so the
// painter, its fonts and the writer are created here, each thread with its own.
QByteArray parte(const suite::informes::Diseno& diseno,
                 const suite::informes::ModeloBalance& modelo, const Propiedades& propiedades,
                 std::size_t desde, std::size_t hasta, suite::avance::Avance* avance) {
  QBuffer memoria;
  memoria.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&memoria);
    pdf.setResolution(600);
    pdf.setTitle(propiedades.titulo);
    pdf.setCreator(propiedades.creador);
    suite::informes::PintorBalance(diseno, modelo, avance).imprimir(pdf, desde, hasta);
  }
  return memoria.data();
}

// The parts joined in order into one document, with the author that Qt's PDF writer cannot set
// added to its information dictionary; qpdf reads, checks and writes the whole file again.
QByteArray unir(const std::vector<QByteArray>& partes, const QString& autor) {
  std::vector<std::unique_ptr<QPDF>> leidas;  // each must live until the whole is written
  for (const QByteArray& p : partes) {
    leidas.push_back(std::make_unique<QPDF>());
    leidas.back()->processMemoryFile("balance", p.constData(), static_cast<size_t>(p.size()));
  }
  QPDF& documento = *leidas.front();
  QPDFPageDocumentHelper paginas(documento);
  for (std::size_t i = 1; i < leidas.size(); ++i) {
    for (auto& pagina : QPDFPageDocumentHelper(*leidas[i]).getAllPages())
      paginas.addPage(pagina, false);
  }
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
                      const suite::informes::ModeloBalance& modelo, const Propiedades& propiedades,
                      suite::avance::Avance* avance) {
  // A long balance is painted in as many parts as the machine has cores, each in its own
  // thread, and the parts joined: painting is most of the time a long balance takes.
  const std::size_t paginas = suite::informes::PintorBalance(diseno, modelo).paginas().size();
  const std::size_t n = std::clamp<std::size_t>(
      std::min<std::size_t>(QThread::idealThreadCount(), paginas / kPaginasPorParte), 1, 8);
  if (avance) avance->etapa("Pintando páginas", paginas);
  std::vector<QByteArray> partes(n);
  std::vector<std::exception_ptr> fallos(n);
  auto pintarParte = [&](std::size_t k) {
    try {
      partes[k] =
          parte(diseno, modelo, propiedades, paginas * k / n, paginas * (k + 1) / n, avance);
    } catch (...) {
      fallos[k] = std::current_exception();
    }
  };
  std::vector<std::thread> hilos;
  for (std::size_t k = 1; k < n; ++k) hilos.emplace_back(pintarParte, k);
  pintarParte(0);
  for (auto& h : hilos) h.join();
  for (const auto& f : fallos) {
    try {
      if (f) std::rethrow_exception(f);
    } catch (const std::exception& e) {
      throw ErrorSalida(std::string("No se pudo dibujar el balance: ") + e.what());
    }
  }
  if (avance) avance->etapa("Uniendo las partes");
  try {
    return unir(partes, propiedades.autor);
  } catch (const std::exception& e) {
    throw ErrorSalida(std::string("No se pudo completar el PDF: ") + e.what());
  }
}

void guardar(const QString& ruta, const QByteArray& pdf) {
  try {
    prjsumsal::ArchivoSeguro archivo(ruta.toStdString());
    archivo.escribir(pdf.constData(), static_cast<std::size_t>(pdf.size()));
    archivo.confirmar();
  } catch (const prjsumsal::Error& e) {
    throw ErrorSalida(e.what());
  }
}

}  // namespace suite::rendidor
