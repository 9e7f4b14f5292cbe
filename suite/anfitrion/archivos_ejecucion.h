#pragma once

#include <filesystem>
#include <string>

namespace suite::anfitrion {

// The files a run keeps for itself in the cache folder (carpeta_cache.h): its own report
// database with the engine's side files, the workbook on its way to standard output. Each is
// named "nubo_PID@MACHINE_RANDOM_WHAT" and removed by the run when it ends; an interrupt, a
// termination, a hang-up or a closed pipe removes them too (plataforma/senales.h). A run that
// is killed outright (SIGKILL, a power cut) cannot: so a run holds an advisory lock (flock) on
// its file "nubo_PID@MACHINE_RANDOM_cerrojo" from its first such file to its end, which the
// system releases however the process ends, and the next run removes what ended runs left.

// The path of this run's file `que` (such as "informes.db") in the cache folder. The first
// call takes the run's lock and removes the leftovers of ended runs there. Raises
// prjsumsal::Error when the cache folder cannot be used or the lock file cannot be made.
std::filesystem::path archivoDeEjecucion(const std::string& que);

// Removes from `carpeta` every file of the runs that have surely ended: runs of this machine
// (the name's MACHINE) whose process no longer exists and whose lock, when its file is there,
// nobody holds. A live run's files are never touched, whatever its number says (a number of
// another machine sharing the folder, or of a process in another PID namespace, is taken as
// alive while its lock is held), nor any other file. Returns how many runs' files it removed.
int quitarRestosDeEjecuciones(const std::filesystem::path& carpeta);

}  // namespace suite::anfitrion
