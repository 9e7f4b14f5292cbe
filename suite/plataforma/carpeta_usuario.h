#pragma once

#include <filesystem>

namespace suite::plataforma {

// Where the programs' module folder is, shared by nubo and RENDIDOR so that both agree on it.

// Whether `programa` is the programs' folder of an installation (PREFIX/lib/nubo, where the
// install rules put them), whoever may write it: nothing is ever written beside them.
bool programaInstalado(const std::filesystem::path& programa);

// The user's own module folder, $XDG_DATA_HOME/nubo/modulo (~/.local/share/nubo/modulo); empty
// when neither variable is set.
std::filesystem::path carpetaModuloUsuario();

// The folder where the module of the programs in `programa` leaves the PDF's hand-over files and
// RENDIDOR the PDF: the program's own folder for a build the user can write, else the user's
// module folder (the program's folder when the user has none; nubo then uses its cache folder).
std::filesystem::path carpetaTrabajo(const std::filesystem::path& programa);

}  // namespace suite::plataforma
