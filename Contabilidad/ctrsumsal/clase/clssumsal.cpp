#include "clase/clssumsal.h"

#include <limits>

#include "clase/biblioteca.h"
#include "form/frmsumsal.h"
#include "host/despacho.h"

namespace prjsumsal {

namespace {

int gInstancias = 0;  // one user-interface thread: no lock

std::int16_t entero16(const Valor& v) {
  std::int64_t n = v.entero();
  if (n < std::numeric_limits<std::int16_t>::min() || n > std::numeric_limits<std::int16_t>::max())
    throw Error(kDesbordamiento);
  return static_cast<std::int16_t>(n);
}

const Miembro& miembro(std::int32_t dispid) {
  for (const Miembro& m : miembrosClssumsal()) {
    if (m.dispid == dispid) return m;
  }
  throw miembroDesconocido(dispid);
}

Error accesoInvalido(const Miembro& m, const char* motivo) {
  return Error("Asignación o llamada no válida: " + std::string(m.nombre) + " " + motivo);
}

}  // namespace

clssumsal::clssumsal(Plataforma& plataforma) : frm_(std::make_shared<frmsumsal>(plataforma)) {
  ++gInstancias;
}

clssumsal::~clssumsal() {
  --gInstancias;
}

int clssumsal::instancias() {
  return gInstancias;
}

void clssumsal::ShowForm() {
  frmsumsal& f = *frm_;
  static_cast<ContextoSumsal&>(f) = *this;
  // The first touch of one of the form's controls: the form loads here when it is not loaded.
  f.glbTipoImpresora(Valor(glbTipoImpresora));
  f.Show();
}

void clssumsal::UnloadForm() {
  frm_->Unload();
}

Argumento clssumsal::get(std::int32_t id) const {
  const Miembro& m = miembro(id);
  switch (id) {
    case DispidClssumsal::glbEmpresa:
      return Valor(glbEmpresa);
    case DispidClssumsal::glbN_empresa:
      return Valor(glbN_empresa);
    case DispidClssumsal::glbUsuario:
      return Valor(glbUsuario);
    case DispidClssumsal::glbN_usuario:
      return Valor(glbN_usuario);
    case DispidClssumsal::glbAlias:
      return Valor(glbAlias);
    case DispidClssumsal::glbPrograma:
      return Valor(glbPrograma);
    case DispidClssumsal::glbdb:
      return glbdb;
    case DispidClssumsal::glbdbReport:
      return glbdbReport;
    case DispidClssumsal::glbPermiso:
      return Valor(glbPermiso);
    case DispidClssumsal::glbTipoImpresora:
      return Valor(glbTipoImpresora);
  }
  throw accesoInvalido(m, "es un método, no una propiedad");
}

void clssumsal::put(std::int32_t id, const Argumento& a) {
  const Miembro& m = miembro(id);
  switch (id) {
    case DispidClssumsal::glbEmpresa:
      glbEmpresa = entero16(a.valor());
      return;
    case DispidClssumsal::glbN_empresa:
      glbN_empresa = a.valor().texto();
      return;
    case DispidClssumsal::glbUsuario:
      glbUsuario = entero16(a.valor());
      return;
    case DispidClssumsal::glbN_usuario:
      glbN_usuario = a.valor().texto();
      return;
    case DispidClssumsal::glbAlias:
      glbAlias = entero16(a.valor());
      return;
    case DispidClssumsal::glbPrograma:
      glbPrograma = a.valor().texto();
      return;
    case DispidClssumsal::glbPermiso:
      glbPermiso = a.valor().texto();
      return;
    case DispidClssumsal::glbTipoImpresora:
      glbTipoImpresora = a.valor().texto();
      return;
  }
  throw accesoInvalido(m, m.clase == Miembro::Clase::Objeto ? "se asigna por referencia"
                                                            : "es un método, no una propiedad");
}

void clssumsal::putref(std::int32_t id, const Argumento& a) {
  const Miembro& m = miembro(id);
  switch (id) {
    case DispidClssumsal::glbdb:
      glbdb = a.objeto();
      return;
    case DispidClssumsal::glbdbReport:
      glbdbReport = a.objeto();
      return;
  }
  throw accesoInvalido(m, "no guarda un objeto");
}

void clssumsal::call(std::int32_t id) {
  const Miembro& m = miembro(id);
  switch (id) {
    case DispidClssumsal::ShowForm:
      return ShowForm();
    case DispidClssumsal::UnloadForm:
      return UnloadForm();
  }
  throw accesoInvalido(m, "es una propiedad, no un método");
}

std::int32_t clssumsal::dispid(std::string_view nombre) const {
  const Miembro* m = buscarMiembro(nombre);
  if (m == nullptr) {
    throw Error("El objeto no acepta esta propiedad o método (" + std::string(nombre) + ")");
  }
  return m->dispid;
}

}  // namespace prjsumsal
