#pragma once

#include <filesystem>
#include <string>

#include "balance/consulta.h"

namespace bench {

// The URI of `uri`'s database with `esquema` as the search path, so that a journal loaded into
// a schema of its own is read through the plain table names.
std::string uriEsquema(const std::string& uri, const std::string& esquema);

// The schema that holds a generated journal on the server: named after its file.
std::string esquemaDe(const std::filesystem::path& diario);

// Loads the journal of an SQLite file written by generarDiario into a schema of its own on the
// PostgreSQL server at `uri`, with COPY, in one transaction (a schema that exists is complete):
// the host's tables with dates as date and amounts as numeric, the two ordinary indexes, then
// VACUUM ANALYZE, as a host's server keeps its statistics. With `rehacer` a schema already there
// is dropped first. Returns whether it loaded (false: the schema was already there).
bool cargarEnPostgres(const std::filesystem::path& diario, const std::string& uri, bool rehacer);

// The two grouped statements alone on the server: the module's texts translated as BasePostgres
// translates them, sent with libpq and every row's three columns read. Returns the rows of both.
std::string sentenciasSolasPostgres(const std::string& uri, const prjsumsal::Consulta& c);

// The same two at once, each on a connection of its own.
std::string sentenciasALaParPostgres(const std::string& uri, const prjsumsal::Consulta& c);

// The whole computation through the module on a BasePostgres, as calculoModulo does on SQLite.
std::string calculoModuloPostgres(const std::string& uri, const prjsumsal::Consulta& c,
                                  bool detalle = false);

}  // namespace bench
