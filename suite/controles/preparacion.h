#pragma once

#include <cstddef>
#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "datos/lote.h"
#include "host/base_datos.h"
#include "host/ctlinforme.h"
#include "host/mensajes.h"
#include "host/plataforma.h"

namespace suite::controles {

namespace detalle {

// The message boxes of a data preparation: each one first commits what the report database's
// batch holds, because a box waits for the user, and neither a lock nor rows hidden from the
// other programs of the suite may wait with it.
class MensajesDelLote : public prjsumsal::Mensajes {
 public:
  MensajesDelLote(prjsumsal::Mensajes* dentro, datos::AlcanceLote& lote)
      : dentro_(dentro), lote_(lote) {}
  void MsgBox(const std::string& texto, prjsumsal::Icono icono,
              const std::optional<std::string>& titulo) override {
    try {
      lote_.confirmar();
    } catch (const std::exception&) {
      // The box about to show says what failed; the batch's end raises this again if it lasts.
    }
    ++cajas_;
    if (dentro_ != nullptr) dentro_->MsgBox(texto, icono, titulo);
  }
  std::size_t cajas() const { return cajas_; }

 private:
  prjsumsal::Mensajes* dentro_;
  datos::AlcanceLote& lote_;
  std::size_t cajas_ = 0;
};

// Puts the platform's message boxes back however the scope is left.
struct Devolver {
  prjsumsal::Mensajes*& lugar;
  prjsumsal::Mensajes* antes;
  ~Devolver() { lugar = antes; }
};

}  // namespace detalle

// Raises the data-preparation event of `eventos` with the report database's statements of it in
// one batch (AlcanceLote), which begins with the event and ends with it however it ends: no
// transaction of the preparation outlives it, nor waits for the user behind a message box.
// Returns false when the preparation said it failed (a message box: the report would only add
// that its table is incomplete, which misleads) or the batch's last commit failed (the rows were
// not stored; a box says why): the report must not run on the table then.
inline bool prepararEnLote(prjsumsal::EventosInforme& eventos,
                           const std::weak_ptr<prjsumsal::BaseDatos>& informes) {
  prjsumsal::Mensajes*& lugar = prjsumsal::plataforma().mensajes;
  prjsumsal::Mensajes* mensajes = lugar;
  try {
    datos::AlcanceLote lote(informes.lock());
    detalle::MensajesDelLote delLote(mensajes, lote);
    detalle::Devolver devolver{lugar, mensajes};
    lugar = &delLote;
    eventos.ctlinforme1_PreparaDatos();
    lote.cerrar();
    if (delLote.cajas() > 0) return false;
  } catch (const std::exception& e) {
    if (mensajes != nullptr)
      mensajes->MsgBox(e.what(), prjsumsal::Icono::Informacion, std::nullopt);
    return false;
  }
  return true;
}

}  // namespace suite::controles
