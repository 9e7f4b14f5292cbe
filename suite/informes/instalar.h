#pragma once

#include <filesystem>
#include <string>

namespace suite::informes {

// Places the five report files the engine ships (ctrsumsal.rpt, ctrsumsal2.rpt ...
// ctrsumsal5.rpt) in `carpeta`, the report database's folder. A file already there is left as
// it is, since a user may have changed it, unless it is an earlier version of the shipped files
// left as shipped: that one gives way to the current version. A file is written whole or not at
// all.
// Returns how many files it wrote. Raises prjsumsal::Error naming the file it cannot write.
int instalarArchivosInforme(const std::filesystem::path& carpeta);

// The same in the folder where the form looks for the report files of the report database
// named `nombreBase` (its `Name`, connection prefix allowed): the folder of its file.
int instalarJuntoALaBase(const std::string& nombreBase);

}  // namespace suite::informes
