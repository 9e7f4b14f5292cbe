#pragma once

#include <filesystem>

namespace suite::anfitrion {

// The module's folder for this run. The module writes the PDF's hand-over files into its own
// folder and starts RENDIDOR there, so the folder must be the user's to write. A program folder
// of a build (not an installation) that the user can write is used as it is. An installation's
// (/usr/lib/nubo) is never written, even by root: it is stood in for by the user's own module
// folder, $XDG_DATA_HOME/nubo/modulo (~/.local/share/nubo/modulo), or, without one, "modulo" in
// the cache folder (carpeta_cache.h), holding a link to the module's library and a RENDIDOR
// that starts the installed one on that folder; both are put right on every run. When no such
// folder can be made, an installation raises prjsumsal::Error with the reason; another program
// folder is returned as it is, and writing there fails with its own message.
std::filesystem::path carpetaModulo(const std::filesystem::path& programa);

}  // namespace suite::anfitrion
