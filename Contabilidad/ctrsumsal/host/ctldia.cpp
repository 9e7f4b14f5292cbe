#include "host/ctldia.h"

#include "host/despacho.h"

namespace prjsumsal {

Valor ctlDia::get(std::int32_t dispid) const {
  switch (dispid) {
    case kDispidText:
      return Text();
    case kDispidFechaSQL:
      return FechaSQL();
    case kDispidAnio:
      return Anio();
  }
  throw miembroDesconocido(dispid);
}

void ctlDia::put(std::int32_t dispid, const Valor& valor) {
  if (dispid == kDispidText) return Text(valor.texto());
  throw miembroDesconocido(dispid);
}

}  // namespace prjsumsal
