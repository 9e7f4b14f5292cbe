#include "host/rptreporte.h"

#include <limits>

#include "host/despacho.h"
#include "host/error.h"

namespace prjsumsal {

namespace {

// A whole number that must fit the member's type, as an automation call converts it.
template <typename T>
T enteroDe(const Valor& valor) {
  std::int64_t n = valor.entero();
  if (n < std::numeric_limits<T>::min() || n > std::numeric_limits<T>::max()) {
    throw Error(kDesbordamiento);
  }
  return static_cast<T>(n);
}

}  // namespace

Valor rptreporte::get(std::int32_t dispid) const {
  switch (dispid) {
    case kDispidDestino:
      return Destino();
    case kDispidArchivo:
      return Archivo();
  }
  throw miembroDesconocido(dispid);
}

void rptreporte::put(std::int32_t dispid, const Valor& valor) {
  switch (dispid) {
    case kDispidDestino:
      return Destino(enteroDe<std::int32_t>(valor));
    case kDispidArchivo:
      return Archivo(valor.texto());
    case kDispidAccion:
      return Accion(enteroDe<std::int16_t>(valor));
  }
  throw miembroDesconocido(dispid);
}

}  // namespace prjsumsal
