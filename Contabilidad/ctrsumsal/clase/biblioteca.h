#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace prjsumsal {

// The library's type description: what an automation caller reads to find the creatable class,
// its members and their DISPIDs before it calls them late-bound.
inline constexpr const char* kNombreBiblioteca = "prjsumsal";
inline constexpr const char* kDescripcionBiblioteca = "NUBO: Contabilidad - Balance de tributario";
inline constexpr const char* kVersionBiblioteca = "1.00.0004";
// The programmatic identifier a host creates the class by.
inline constexpr const char* kIdentificadorClase = "prjsumsal.clssumsal";
// The library's file, as the build names it; the registration records its full path.
inline constexpr const char* kArchivoBiblioteca = "libprjsumsal.so.1";

// One member of the default interface `_clssumsal`.
struct Miembro {
  enum class Clase {
    Valor,   // property holding a value: get / put
    Objeto,  // property holding a database object: get / put by reference
    Metodo,  // method without arguments or result: call
  };
  std::string_view nombre;
  std::int32_t dispid;
  Clase clase;
};

// The twelve members of `_clssumsal` in interface order.
std::span<const Miembro> miembrosClssumsal();

// The member called `nombre`, compared without regard to case as automation names are; null
// when the interface has none.
const Miembro* buscarMiembro(std::string_view nombre);

}  // namespace prjsumsal
