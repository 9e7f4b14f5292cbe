#pragma once

#include <filesystem>

namespace suite {

// Where the programs' module folder is, shared by nubo and RENDIDOR so that both agree on it.

// Whether the programs in the folder `programa` are installed for users who do not own that
// folder (/usr/lib/nubo), so that nothing is written beside them, rather than a build the user
// may write into.
bool programaInstalado(const std::filesystem::path& programa);

// The user's own module folder, $XDG_DATA_HOME/nubo/modulo (~/.local/share/nubo/modulo); empty
// when neither variable is set.
std::filesystem::path carpetaModuloUsuario();

// The folder where the module of the programs in `programa` leaves the PDF's hand-over files and
// RENDIDOR the PDF: the user's module folder for an installation, the program's own folder for a
// build (and for an installation when the user has no data folder).
std::filesystem::path carpetaTrabajo(const std::filesystem::path& programa);

}  // namespace suite
