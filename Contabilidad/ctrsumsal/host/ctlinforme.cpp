#include "host/ctlinforme.h"

#include "host/despacho.h"

namespace prjsumsal {

Valor ctlinforme::get(std::int32_t dispid) const {
  switch (dispid) {
    case kDispidPreeliminar:
      return glbpreeliminar();
    case kDispidImprimir:
      return glbimprimir();
    case kDispidTipoImpresora:
      return glbtipoimpresora();
    case kDispidEmpresa:
      return glbempresa();
    case kDispidPrograma:
      return glbprograma();
    case kDispidUsuario:
      return glbusuario();
  }
  throw miembroDesconocido(dispid);
}

void ctlinforme::put(std::int32_t dispid, const Valor& valor) {
  switch (dispid) {
    case kDispidPreeliminar:
      return glbpreeliminar(valor.logico());
    case kDispidImprimir:
      return glbimprimir(valor.logico());
    case kDispidTipoImpresora:
      return glbtipoimpresora(valor.texto());
    case kDispidEmpresa:
      return glbempresa(valor.texto());
    case kDispidPrograma: {
      std::string texto = valor.texto();
      return glbprograma(texto);
    }
    case kDispidUsuario:
      return glbusuario(valor.texto());
  }
  throw miembroDesconocido(dispid);
}

}  // namespace prjsumsal
