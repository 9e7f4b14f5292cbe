#pragma once

#include <filesystem>
#include <string>

#include "balance/consulta.h"
#include "diario.h"
#include "host/base_datos.h"

namespace bench {

// The balance every phase computes on a generated journal: company 1, the tax book, the
// vouchers of every user (alias 0), over the year that ends on the journal's last day.
prjsumsal::Consulta consultaDe(const Parametros& p);

// The days ledger is asked about, [desde, hasta): from the first of January of the journal's
// last year to the day after its last day, the span of the year-to-date balance.
struct Rango {
  std::string desde, hasta;
};
Rango rangoLedger(const Parametros& p);

// The two grouped statements alone on the engine: the texts the module sends, translated as the
// database object translates them, prepared and stepped to the end on a plain connection,
// reading each row's three columns. Returns the number of rows of both.
std::string sentenciasSolas(const std::filesystem::path& diario, const prjsumsal::Consulta& c);

// The same two statements at once, each on a connection of its own in a thread of its own: what
// the engine can do on two cores, the least the module's computation could take.
std::string sentenciasALaPar(const std::filesystem::path& diario, const prjsumsal::Consulta& c);

// The whole computation through the module: a Calculo over a BaseSqlite on the file, drained to
// its last row. Returns the number of rows or, with `detalle`, one line per account,
// "code<TAB>year-to-date debits minus credits" in whole pesos.
std::string calculoModulo(const std::filesystem::path& diario, const prjsumsal::Consulta& c,
                          bool detalle = false);

// The computation through the module on any database object: a Calculo drained to its last
// row; the rows counted or, with `detalle`, listed as calculoModulo lists them.
std::string calculoEn(prjsumsal::BaseDatos& db, const prjsumsal::Consulta& c, bool detalle);

// The engine's query plan for the module's year-to-date statement, as translated, one step a
// line: shows at a glance whether the journal is joined to its headers on all five keys.
std::string planAcumulado(const std::filesystem::path& diario, const prjsumsal::Consulta& c);

// Compares the module's year-to-date balance of every account with ledger's over `r` and
// returns one line that says whether they agree (and, if not, the first disagreements).
// `detalle` gives the module's accounts as calculoModulo(..., true) lists them; by default the
// computation on the SQLite file.
std::string compararConLedger(const std::filesystem::path& diario,
                              const std::filesystem::path& libro, const prjsumsal::Consulta& c,
                              const Rango& r, const std::string& detalle = {});

}  // namespace bench
