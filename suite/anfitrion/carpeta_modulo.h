#pragma once

#include <filesystem>

namespace suite {

// The module's folder for this run. The module writes the PDF's hand-over files into its own
// folder and starts RENDIDOR there, so the folder must be the user's to write. A program folder
// the user can write (the build's) is used as it is. An installed one (/usr/lib/nubo) is
// stood in for by the user's own module folder, $XDG_DATA_HOME/nubo/modulo
// (~/.local/share/nubo/modulo), holding a link to the module's library and a RENDIDOR that
// starts the installed one on that folder; both are put right on every run. When that folder
// cannot be made, `programa` is returned, and writing there fails with its own message.
std::filesystem::path carpetaModulo(const std::filesystem::path& programa);

}  // namespace suite
