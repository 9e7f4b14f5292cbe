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
  f.glbAlias = glbAlias;
  f.glbdb = glbdb;
  f.glbdbReport = glbdbReport;
  f.glbEmpresa = glbEmpresa;
  f.glbN_empresa = glbN_empresa;
  f.glbUsuario = glbUsuario;
  f.glbN_usuario = glbN_usuario;
  f.glbPermiso = glbPermiso;
  f.glbPrograma = glbPrograma;
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
    case 0x40030000:
      return Valor(glbEmpresa);
    case 0x40030001:
      return Valor(glbN_empresa);
    case 0x40030002:
      return Valor(glbUsuario);
    case 0x40030003:
      return Valor(glbN_usuario);
    case 0x40030004:
      return Valor(glbAlias);
    case 0x40030005:
      return Valor(glbPrograma);
    case 0x40030006:
      return glbdb;
    case 0x40030007:
      return glbdbReport;
    case 0x40030008:
      return Valor(glbPermiso);
    case 0x40030009:
      return Valor(glbTipoImpresora);
  }
  throw accesoInvalido(m, "es un método, no una propiedad");
}

void clssumsal::put(std::int32_t id, const Argumento& a) {
  const Miembro& m = miembro(id);
  switch (id) {
    case 0x40030000:
      glbEmpresa = entero16(a.valor());
      return;
    case 0x40030001:
      glbN_empresa = a.valor().texto();
      return;
    case 0x40030002:
      glbUsuario = entero16(a.valor());
      return;
    case 0x40030003:
      glbN_usuario = a.valor().texto();
      return;
    case 0x40030004:
      glbAlias = entero16(a.valor());
      return;
    case 0x40030005:
      glbPrograma = a.valor().texto();
      return;
    case 0x40030008:
      glbPermiso = a.valor().texto();
      return;
    case 0x40030009:
      glbTipoImpresora = a.valor().texto();
      return;
  }
  throw accesoInvalido(m, m.clase == Miembro::Clase::Objeto ? "se asigna por referencia"
                                                            : "es un método, no una propiedad");
}

void clssumsal::putref(std::int32_t id, const Argumento& a) {
  const Miembro& m = miembro(id);
  switch (id) {
    case 0x40030006:
      glbdb = a.objeto();
      return;
    case 0x40030007:
      glbdbReport = a.objeto();
      return;
  }
  throw accesoInvalido(m, "no guarda un objeto");
}

void clssumsal::call(std::int32_t id) {
  const Miembro& m = miembro(id);
  switch (id) {
    case kDispidShowForm:
      return ShowForm();
    case kDispidUnloadForm:
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
