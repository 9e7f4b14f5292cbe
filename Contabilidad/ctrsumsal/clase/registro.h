#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace prjsumsal {

// The per-user registration of in-process components: a text file with one line per
// programmatic identifier, "identifier=absolute path of the library". A host reads it to find
// the library that creates a class; a library adds and removes its own line.

// $XDG_CONFIG_HOME/nubo/componentes, or ~/.config/nubo/componentes when that variable is unset or
// empty. Raises an Error when neither it nor HOME is set.
std::filesystem::path archivoComponentes();

// Writes the line of `identificador`, replacing any earlier line of it and keeping the others.
// The file is replaced whole (written beside it under a name of its own, then renamed), so a
// failure leaves the previous file intact and installations running at once never trip on each
// other's file. Without a configuration folder that can be written (HOME unset, a read-only
// folder) the registration is kept in memory for the run, silently.
void registrarComponente(const std::string& identificador, const std::string& ruta);

// Removes the line of `identificador`; nothing happens when there is none or no file.
void desregistrarComponente(const std::string& identificador);

// The library path registered for `identificador` (in the file, else in memory), or nullopt.
std::optional<std::string> componenteRegistrado(const std::string& identificador);

}  // namespace prjsumsal
