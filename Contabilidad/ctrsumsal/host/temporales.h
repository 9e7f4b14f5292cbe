#pragma once

#include <string_view>

namespace prjsumsal {

// The temporary files that exist right now, for a signal handler of the host to remove when an
// interrupt or a termination ends the process half way through writing them. The module notes
// each temporary file when it creates it and forgets it when the file is renamed into place or
// removed. Paths longer than the system's limit, or beyond the registry's capacity, are not
// noted; they are then only removed on the normal paths.

void anotarTemporal(std::string_view ruta);
void olvidarTemporal(std::string_view ruta);

// Calls `borrar` with each noted path. Safe inside a signal handler: no allocation, no lock,
// only atomic loads; `borrar` itself must be safe there too (unlink is).
void recorrerTemporales(void (*borrar)(const char* ruta)) noexcept;

}  // namespace prjsumsal
