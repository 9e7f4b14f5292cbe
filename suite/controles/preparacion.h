#pragma once

#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "datos/lote.h"
#include "host/base_datos.h"
#include "host/ctlinforme.h"
#include "host/mensajes.h"
#include "host/plataforma.h"

namespace suite {

namespace detalle {

// The message boxes of a data preparation: each one first commits what the report database's
// batch holds, because a box waits for the user, and neither a lock nor rows hidden from the
// other programs of the suite may wait with it.
class MensajesDelLote : public prjsumsal::Mensajes {
 public:
  MensajesDelLote(prjsumsal::Mensajes* dentro, AlcanceLote& lote) : dentro_(dentro), lote_(lote) {}
  void MsgBox(const std::string& texto, prjsumsal::Icono icono,
              const std::optional<std::string>& titulo) override {
    try {
      lote_.confirmar();
    } catch (const std::exception&) {
      // The box about to show says what failed; the batch's end raises this again if it lasts.
    }
    if (dentro_ != nullptr) dentro_->MsgBox(texto, icono, titulo);
  }

 private:
  prjsumsal::Mensajes* dentro_;
  AlcanceLote& lote_;
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
// Returns false when the batch's last commit failed: the rows were not stored, a message box
// (as the preparation's own failures show) said why, and the report must not run on the table.
inline bool prepararEnLote(prjsumsal::EventosInforme& eventos,
                           const std::weak_ptr<prjsumsal::BaseDatos>& informes) {
  prjsumsal::Mensajes*& lugar = prjsumsal::plataforma().mensajes;
  prjsumsal::Mensajes* mensajes = lugar;
  try {
    AlcanceLote lote(informes.lock());
    detalle::MensajesDelLote delLote(mensajes, lote);
    detalle::Devolver devolver{lugar, mensajes};
    lugar = &delLote;
    eventos.ctlinforme1_PreparaDatos();
    lote.cerrar();
  } catch (const std::exception& e) {
    if (mensajes != nullptr)
      mensajes->MsgBox(e.what(), prjsumsal::Icono::Informacion, std::nullopt);
    return false;
  }
  return true;
}

}  // namespace suite
