#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace bench {

// The indexes the README recommends beyond the two ordinary ones, so that the engines answer the
// two grouped statements from the indexes alone. Returns their names.
std::vector<std::string> indicesRecomendados();

// Adds them to a journal built by generarDiario (no planner statistics, as before).
void agregarIndicesRecomendados(const std::filesystem::path& diario);

// Adds them to a journal loaded by cargarEnPostgres (`uri` with the journal's schema as its
// search path), then VACUUM ANALYZE, as a host's server keeps it; and drops them again.
void agregarIndicesRecomendadosPostgres(const std::string& uri);
void quitarIndicesRecomendadosPostgres(const std::string& uri);

}  // namespace bench
