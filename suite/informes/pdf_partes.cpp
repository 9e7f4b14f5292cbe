#include "informes/pdf_partes.h"

#include <QPdfWriter>
#include <QThread>
#include <algorithm>
#include <exception>
#include <memory>
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <thread>
#include <vector>

#include "host/error.h"
#include "informes/parte_temporal.h"
#include "informes/pintor.h"

namespace suite::informes {

namespace {

// Pages a part of the document has at least before painting is shared among threads.
constexpr std::size_t kPaginasPorParte = 50;

// Pages [desde, hasta) of the document, written to `parte` as they are painted. Runs in a
// thread of its own, so the painter, its fonts and the writer are created here, each thread
// with its own.
void pintarParte(const Diseno& diseno, const ModeloBalance& modelo, const Propiedades& propiedades,
                 std::size_t desde, std::size_t hasta, ParteTemporal& parte,
                 avance::Avance* avance) {
  QPdfWriter pdf(&parte.escritura());
  pdf.setResolution(600);
  pdf.setTitle(propiedades.titulo);
  pdf.setCreator(propiedades.creador);
  PintorBalance(diseno, modelo, avance).imprimir(pdf, desde, hasta);
}

// qpdf's output, sent on to a Qt device as it is written.
class HaciaDispositivo : public Pipeline {
 public:
  explicit HaciaDispositivo(QIODevice& salida) : Pipeline("salida", nullptr), salida_(salida) {}
  void write(unsigned char const* datos, size_t largo) override {
    if (salida_.write(reinterpret_cast<const char*>(datos), static_cast<qint64>(largo)) !=
        static_cast<qint64>(largo)) {
      throw std::runtime_error(salida_.errorString().toStdString());
    }
  }
  void finish() override {}

 private:
  QIODevice& salida_;
};

// The parts joined in order into one document written to `salida`, with the author that Qt's
// PDF writer cannot set added to its information dictionary. qpdf reads each part from its file
// as it needs it and writes the whole again, checking it on the way.
void unir(std::vector<std::unique_ptr<ParteTemporal>>& partes, const QString& autor,
          QIODevice& salida) {
  std::vector<std::unique_ptr<QPDF>> leidas;  // each must live until the whole is written
  for (auto& p : partes) {
    leidas.push_back(std::make_unique<QPDF>());
    leidas.back()->processFile("balance", p->lectura(), true);
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
  if (!autor.isEmpty())
    info.replaceKey("/Author", QPDFObjectHandle::newUnicodeString(autor.toStdString()));
  HaciaDispositivo tuberia(salida);
  QPDFWriter escritor(documento);
  escritor.setOutputPipeline(&tuberia);
  // The pages' streams are already compressed by Qt: copied as they are, not inflated and
  // compressed again.
  escritor.setDecodeLevel(qpdf_dl_none);
  escritor.write();
}

}  // namespace

void pintarEnPartes(const Diseno& diseno, ModeloBalance&& modelo, const Propiedades& propiedades,
                    QIODevice& salida, avance::Avance* avance) {
  // A long balance is painted in as many parts as the machine has cores, each in its own
  // thread, and the parts joined: painting is most of the time a long balance takes.
  const std::size_t paginas = PintorBalance(diseno, modelo).paginas().size();
  const std::size_t n = std::clamp<std::size_t>(
      std::min<std::size_t>(QThread::idealThreadCount(), paginas / kPaginasPorParte), 1, 8);
  if (avance) avance->etapa("Pintando páginas", paginas);
  std::vector<std::unique_ptr<ParteTemporal>> partes;
  try {
    for (std::size_t k = 0; k < n; ++k) partes.push_back(std::make_unique<ParteTemporal>());
  } catch (const std::exception& e) {
    throw prjsumsal::Error(std::string("No se pudo dibujar el balance: ") + e.what());
  }
  std::vector<std::exception_ptr> fallos(n);
  auto pintar = [&](std::size_t k) {
    try {
      pintarParte(diseno, modelo, propiedades, paginas * k / n, paginas * (k + 1) / n, *partes[k],
                  avance);
    } catch (...) {
      fallos[k] = std::current_exception();
    }
  };
  std::vector<std::thread> hilos;
  for (std::size_t k = 1; k < n; ++k) hilos.emplace_back(pintar, k);
  pintar(0);
  for (auto& h : hilos) h.join();
  for (const auto& f : fallos) {
    try {
      if (f) std::rethrow_exception(f);
    } catch (const std::exception& e) {
      throw prjsumsal::Error(std::string("No se pudo dibujar el balance: ") + e.what());
    }
  }
  if (avance) avance->etapa("Uniendo las partes");
  // The accounts are painted: their memory goes to the join, which needs as much again.
  modelo = {};
  try {
    unir(partes, propiedades.autor, salida);
  } catch (const std::exception& e) {
    throw prjsumsal::Error(std::string("No se pudo completar el PDF: ") + e.what());
  }
}

}  // namespace suite::informes
