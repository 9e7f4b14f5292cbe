#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "clase/clssumsal.h"

namespace suite::anfitrion {

// Creates the class registered under `identificador` the way a host creates an in-process
// component: the per-user registration names the library, which is opened (dlopen) and asked for
// the class factory (DllGetClassObject), which makes the instance. When the identifier is not
// registered, or is registered to a library other than `propia` (the module installed beside
// nubo), nubo registers `propia` first through its DllRegisterServer, as its installer does. The
// library stays loaded for the rest of the process. Raises prjsumsal::Error naming the
// identifier or the library when any step fails.
std::unique_ptr<prjsumsal::clssumsal> crearPorIdentificador(const std::string& identificador,
                                                            const std::filesystem::path& propia);

}  // namespace suite::anfitrion
