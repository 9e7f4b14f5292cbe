#pragma once

#include <cstdint>
#include <filesystem>

#include "host/fecha.h"
#include "plataforma/error_uso.h"

namespace suite::demo {

// The demo company's code, name and the name of its first user.
inline constexpr std::int16_t kDemoEmpresa = 1;
inline constexpr const char* kDemoNombreEmpresa = "COMERCIALIZADORA LOS AROMOS SPA";
inline constexpr const char* kDemoNombreUsuario = "ADMINISTRADOR";

// The two database files of a demo folder.
struct ArchivosDemo {
  std::filesystem::path contabilidad;  // carpeta/contabilidad.db
  std::filesystem::path informes;      // carpeta/informes.db
};

// Creates `carpeta` when it is missing and, in it, each demo database that is missing: the
// accounting database with the demo company (chart, a year and a half of vouchers up to `hoy`,
// company record, accountant) and the report database with its `programa` table. A file that
// exists is left as it is. Each file is written under a temporary name and renamed when
// complete, so an interrupted run never leaves a half-made database behind. Raises ErrorUso
// naming the folder or file when it cannot be created.
ArchivosDemo prepararDemo(const std::filesystem::path& carpeta, const prjsumsal::Fecha& hoy);

}  // namespace suite::demo
