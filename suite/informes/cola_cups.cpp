#include "informes/cola_cups.h"

#include <cups/cups.h>
#include <sys/socket.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "host/error.h"

namespace suite::informes {

namespace {

using prjsumsal::Error;

struct CerrarHttp {
  void operator()(http_t* h) const { httpClose(h); }
};
using Http = std::unique_ptr<http_t, CerrarHttp>;

struct BorrarIpp {
  void operator()(ipp_t* i) const { ippDelete(i); }
};
using Ipp = std::unique_ptr<ipp_t, BorrarIpp>;

// How long the job is followed after it is sent: long enough for a queue to refuse or abort it
// at once, short enough that a long print does not keep the user waiting for its last page.
constexpr auto kSeguimiento = std::chrono::seconds(10);
constexpr auto kPausa = std::chrono::milliseconds(100);

std::string texto(const QString& q) {
  return q.toStdString();
}

// The scheduler named by the user's settings (CUPS_SERVER, client.conf), or the local one. The
// library tells no more about a failed connection than that it failed.
Http conectar(const QString& cola) {
  http_t* h = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 30000,
                           nullptr);
  if (h == nullptr) {
    throw Error("No se puede imprimir" + (cola.isEmpty() ? "" : " en " + texto(cola)) +
                ": no se puede conectar con el servidor de impresión " + cupsServer() +
                " (el servicio CUPS no está en marcha o no responde)");
  }
  return Http(h);
}

std::string uriCola(const std::string& nombre) {
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                   "/printers/%s", nombre.c_str());
  return uri;
}

// Asks the scheduler for attributes of the queue, or of one of its jobs when `trabajo` is set.
// Null when the scheduler refuses; cupsLastError() says why.
Ipp pedir(http_t* http, const std::string& cola, int trabajo,
          std::initializer_list<const char*> atributos) {
  ipp_t* pedido =
      ippNewRequest(trabajo != 0 ? IPP_OP_GET_JOB_ATTRIBUTES : IPP_OP_GET_PRINTER_ATTRIBUTES);
  ippAddString(pedido, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
               uriCola(cola).c_str());
  if (trabajo != 0) ippAddInteger(pedido, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", trabajo);
  ippAddString(pedido, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  ippAddStrings(pedido, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                static_cast<int>(atributos.size()), nullptr, atributos.begin());
  Ipp respuesta(cupsDoRequest(http, pedido, "/"));
  if (cupsLastError() > IPP_STATUS_OK_CONFLICTING) return nullptr;
  return respuesta;
}

// The state message when there is one, otherwise the state reasons other than "none".
QString motivoDe(ipp_t* atributos, const char* mensaje, const char* razones) {
  ipp_attribute_t* m = ippFindAttribute(atributos, mensaje, IPP_TAG_TEXT);
  const char* t = m != nullptr ? ippGetString(m, 0, nullptr) : nullptr;
  if (t != nullptr && *t != '\0') return QString::fromUtf8(t).trimmed();
  QString r;
  ipp_attribute_t* a = ippFindAttribute(atributos, razones, IPP_TAG_KEYWORD);
  for (int i = 0; a != nullptr && i < ippGetCount(a); ++i) {
    QString razon = QString::fromUtf8(ippGetString(a, i, nullptr));
    if (razon != QLatin1String("none")) r += (r.isEmpty() ? "" : ", ") + razon;
  }
  return r;
}

std::string conMotivo(const QString& motivo) {
  return motivo.isEmpty() ? std::string() : ": " + texto(motivo);
}

}  // namespace

ColaCups buscarCola(const QString& nombre) {
  Http http = conectar(nombre);
  ColaCups cola;
  cola.nombre = nombre;
  if (cola.nombre.isEmpty()) {
    const char* defecto = cupsGetDefault2(http.get());
    if (defecto == nullptr) {
      throw Error("No hay impresora: el sistema no tiene una impresora predeterminada");
    }
    cola.nombre = QString::fromUtf8(defecto);
  }
  std::string n = texto(cola.nombre);
  Ipp a = pedir(http.get(), n, 0,
                {"printer-is-accepting-jobs", "printer-state", "printer-state-message",
                 "printer-state-reasons"});
  if (!a && cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND) {
    throw Error("No existe la impresora " + n);
  }
  if (!a) throw Error("No se puede consultar la impresora " + n + ": " + cupsLastErrorString());
  cola.motivo = motivoDe(a.get(), "printer-state-message", "printer-state-reasons");
  ipp_attribute_t* acepta = ippFindAttribute(a.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
  if (acepta != nullptr && !ippGetBoolean(acepta, 0)) {
    throw Error("La impresora " + n + " no acepta trabajos" + conMotivo(cola.motivo));
  }
  ipp_attribute_t* estado = ippFindAttribute(a.get(), "printer-state", IPP_TAG_ENUM);
  cola.detenida = estado != nullptr && ippGetInteger(estado, 0) == IPP_PSTATE_STOPPED;
  return cola;
}

namespace {

// Follows the job `id` on the queue `n` until the scheduler finishes it, or for kSeguimiento at
// most. The scheduler refuses or aborts a job after it has accepted it (a filter or the
// printer's connection fails): that is a failure too, with the printer's own words.
void seguir(http_t* http, const std::string& n, int id, const Aviso& aviso) {
  const std::string trabajo = "el trabajo " + std::to_string(id);
  auto limite = std::chrono::steady_clock::now() + kSeguimiento;
  while (std::chrono::steady_clock::now() < limite) {
    Ipp j = pedir(http, n, id, {"job-state", "job-state-reasons", "job-printer-state-message"});
    if (!j) return;  // the job was sent; how it goes is not ours to see
    ipp_attribute_t* e = ippFindAttribute(j.get(), "job-state", IPP_TAG_ENUM);
    int estado = e != nullptr ? ippGetInteger(e, 0) : IPP_JSTATE_PENDING;
    if (estado == IPP_JSTATE_COMPLETED) return;
    if (estado == IPP_JSTATE_CANCELED || estado == IPP_JSTATE_ABORTED) {
      // The printer's own words on the job, or on itself now, before the job's state reasons.
      QString motivo = motivoDe(j.get(), "job-printer-state-message", "");
      if (Ipp impresora = pedir(http, n, 0, {"printer-state-message"});
          motivo.isEmpty() && impresora) {
        motivo = motivoDe(impresora.get(), "printer-state-message", "");
      }
      if (motivo.isEmpty()) motivo = motivoDe(j.get(), "", "job-state-reasons");
      throw Error("La impresora " + n + " no imprimió " + trabajo + ": " +
                  (estado == IPP_JSTATE_CANCELED ? "cancelado" : "abortado") +
                  (motivo.isEmpty() ? "" : " (" + texto(motivo) + ")"));
    }
    if (estado == IPP_JSTATE_HELD) {
      if (aviso) {
        aviso("La impresora " + n + " retiene " + trabajo +
              conMotivo(motivoDe(j.get(), "job-printer-state-message", "job-state-reasons")));
      }
      return;
    }
    std::this_thread::sleep_for(kPausa);
  }
}

}  // namespace

void enviarACola(const ColaCups& cola, const QByteArray& pdf, const QString& titulo,
                 const QString& medio, const Aviso& aviso) {
  Http http = conectar(cola.nombre);
  const std::string n = texto(cola.nombre), t = texto(titulo);
  cups_option_t* opciones = nullptr;
  int cuantas = 0;
  if (!medio.isEmpty()) cuantas = cupsAddOption("media", texto(medio).c_str(), 0, &opciones);
  int id = cupsCreateJob(http.get(), n.c_str(), t.c_str(), cuantas, opciones);
  cupsFreeOptions(cuantas, opciones);
  if (id == 0) {
    throw Error("La impresora " + n + " no aceptó el trabajo: " + cupsLastErrorString());
  }
  // A step that fails leaves a job without its document: it is cancelled, so that nothing
  // half sent waits in the queue.
  auto fallo = [&](const std::string& paso) {
    std::string causa = cupsLastErrorString();
    cupsCancelJob2(http.get(), n.c_str(), id, 0);
    throw Error("No se pudo " + paso + " el trabajo " + std::to_string(id) + " a la impresora " +
                n + ": " + causa);
  };
  if (cupsStartDocument(http.get(), n.c_str(), id, t.c_str(), CUPS_FORMAT_PDF, 1) !=
      HTTP_STATUS_CONTINUE) {
    fallo("iniciar");
  }
  if (cupsWriteRequestData(http.get(), pdf.constData(), static_cast<std::size_t>(pdf.size())) !=
      HTTP_STATUS_CONTINUE) {
    fallo("enviar");
  }
  if (cupsFinishDocument(http.get(), n.c_str()) > IPP_STATUS_OK_CONFLICTING) fallo("terminar");
  if (cola.detenida) {
    if (aviso) {
      aviso("La impresora " + n + " está detenida" + conMotivo(cola.motivo) + "; el trabajo " +
            std::to_string(id) + " espera en su cola");
    }
    return;
  }
  seguir(http.get(), n, id, aviso);
}

}  // namespace suite::informes
