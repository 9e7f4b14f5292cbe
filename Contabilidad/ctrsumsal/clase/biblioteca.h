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

// The DISPIDs of `_clssumsal`'s members, written once: the type description (miembrosClssumsal)
// and the class's late-bound dispatch both take them from here.
struct DispidClssumsal {
  static constexpr std::int32_t glbEmpresa = 0x40030000;
  static constexpr std::int32_t glbN_empresa = 0x40030001;
  static constexpr std::int32_t glbUsuario = 0x40030002;
  static constexpr std::int32_t glbN_usuario = 0x40030003;
  static constexpr std::int32_t glbAlias = 0x40030004;
  static constexpr std::int32_t glbPrograma = 0x40030005;
  static constexpr std::int32_t glbdb = 0x40030006;
  static constexpr std::int32_t glbdbReport = 0x40030007;
  static constexpr std::int32_t glbPermiso = 0x40030008;
  static constexpr std::int32_t glbTipoImpresora = 0x40030009;
  static constexpr std::int32_t ShowForm = 0x60030000;
  static constexpr std::int32_t UnloadForm = 0x60030001;
};

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
