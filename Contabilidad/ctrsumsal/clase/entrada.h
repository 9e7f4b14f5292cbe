#pragma once

#include <memory>

#include "clase/clssumsal.h"

namespace prjsumsal {

// The class factory that DllGetClassObject hands out: it creates instances of clssumsal over
// the process's platform, plataforma(), which the host sets up before it creates any.
class FabricaClase {
 public:
  virtual ~FabricaClase() = default;
  virtual std::unique_ptr<clssumsal> CreateInstance() = 0;
};

}  // namespace prjsumsal

// The library's entry points, exported with C linkage so that a host finds them with dlsym after
// it has opened the library registered for the class's programmatic identifier.
extern "C" {

// Gives in `*fabrica` the factory of the class `identificador` ("prjsumsal.clssumsal") and
// returns 0; returns 1 with `*fabrica` null for any other identifier. The factory is the
// library's own and lives as long as the library is loaded.
int DllGetClassObject(const char* identificador, prjsumsal::FabricaClase** fabrica);

// True when no instance of the class and no loaded form remain, so the library may be unloaded.
bool DllCanUnloadNow();

// Adds (register) or removes (unregister) the library's line in the per-user registration file:
// "prjsumsal.clssumsal=" and the path of the library in the module's folder. Return 0, or 1 when
// the file cannot be written.
int DllRegisterServer();
int DllUnregisterServer();

// The type library's description and version.
const char* DllDescripcion();
const char* DllVersion();

using FnDllGetClassObject = int (*)(const char*, prjsumsal::FabricaClase**);
using FnDllCanUnloadNow = bool (*)();
}
