#include "clase/biblioteca.h"

#include <algorithm>
#include <cctype>

namespace prjsumsal {

namespace {

constexpr Miembro kMiembros[] = {
    {"glbEmpresa", 0x40030000, Miembro::Clase::Valor},
    {"glbN_empresa", 0x40030001, Miembro::Clase::Valor},
    {"glbUsuario", 0x40030002, Miembro::Clase::Valor},
    {"glbN_usuario", 0x40030003, Miembro::Clase::Valor},
    {"glbAlias", 0x40030004, Miembro::Clase::Valor},
    {"glbPrograma", 0x40030005, Miembro::Clase::Valor},
    {"glbdb", 0x40030006, Miembro::Clase::Objeto},
    {"glbdbReport", 0x40030007, Miembro::Clase::Objeto},
    {"glbPermiso", 0x40030008, Miembro::Clase::Valor},
    {"glbTipoImpresora", 0x40030009, Miembro::Clase::Valor},
    {"ShowForm", 0x60030000, Miembro::Clase::Metodo},
    {"UnloadForm", 0x60030001, Miembro::Clase::Metodo},
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
