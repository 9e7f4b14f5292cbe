#include "clase/biblioteca.h"

#include <algorithm>
#include <cctype>

namespace prjsumsal {

namespace {

constexpr Miembro kMiembros[] = {
    {"glbEmpresa", DispidClssumsal::glbEmpresa, Miembro::Clase::Valor},
    {"glbN_empresa", DispidClssumsal::glbN_empresa, Miembro::Clase::Valor},
    {"glbUsuario", DispidClssumsal::glbUsuario, Miembro::Clase::Valor},
    {"glbN_usuario", DispidClssumsal::glbN_usuario, Miembro::Clase::Valor},
    {"glbAlias", DispidClssumsal::glbAlias, Miembro::Clase::Valor},
    {"glbPrograma", DispidClssumsal::glbPrograma, Miembro::Clase::Valor},
    {"glbdb", DispidClssumsal::glbdb, Miembro::Clase::Objeto},
    {"glbdbReport", DispidClssumsal::glbdbReport, Miembro::Clase::Objeto},
    {"glbPermiso", DispidClssumsal::glbPermiso, Miembro::Clase::Valor},
    {"glbTipoImpresora", DispidClssumsal::glbTipoImpresora, Miembro::Clase::Valor},
    {"ShowForm", DispidClssumsal::ShowForm, Miembro::Clase::Metodo},
    {"UnloadForm", DispidClssumsal::UnloadForm, Miembro::Clase::Metodo},
};

bool mismoNombre(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

std::span<const Miembro> miembrosClssumsal() {
  return kMiembros;
}

const Miembro* buscarMiembro(std::string_view nombre) {
  for (const Miembro& m : kMiembros) {
    if (mismoNombre(m.nombre, nombre)) return &m;
  }
  return nullptr;
}

}  // namespace prjsumsal
