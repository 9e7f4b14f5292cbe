#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "balance/consulta.h"

namespace bench {

// The shape of a generated journal. Equal parameters give the same journal, line for line.
struct Parametros {
  long lineas = 100000;  // journal lines (ctdcomprmm rows)
  int cuentas = 2000;    // accounts in ctmcentros
  std::chrono::year_month_day primerDia{std::chrono::year{2025}, std::chrono::July,
                                        std::chrono::day{1}};
  std::chrono::year_month_day ultimoDia{std::chrono::year{2026}, std::chrono::December,
                                        std::chrono::day{31}};
  std::uint64_t semilla = 20261206;
};

// "yyyy-mm-dd", the form dates take in the database.
std::string iso(std::chrono::year_month_day dia);

// The database file that holds the journal of `p` inside `carpeta`; its name carries the
// parameters, so a file already there with that name holds that very journal.
std::filesystem::path rutaDiario(const std::filesystem::path& carpeta, const Parametros& p);

// Writes the journal of `p` to `destino` as a fresh SQLite database with the accounting
// tables: balanced vouchers of two to five lines spread evenly over the days, two companies,
// book marks '0', '1' and '2', five users, whole-peso amounts, and the indexes the README
// recommends (suite::datos::kIndicesContabilidad); no planner statistics.
// It writes to a temporary name and renames at the end, so a file at `destino` is complete.
void generarDiario(const std::filesystem::path& destino, const Parametros& p);

// The journal of `p` in `carpeta` (rutaDiario), generated first, in a child process, when it is
// not there yet; the folder is created if missing.
std::filesystem::path diarioGenerado(const std::filesystem::path& carpeta, const Parametros& p);

// The account that diarioDelMayor gives its lines to.
inline constexpr const char* kCuentaMayor = "1000001";

// A journal of `lineas` lines of the year 2026 in which kCuentaMayor takes one line in `cada` of
// company 1's lines: what the ledger's benchmarks open. Written once in `carpeta` under a name
// that carries its size, so that one generation serves every benchmark that asks for it.
std::filesystem::path diarioDelMayor(const std::filesystem::path& carpeta, long lineas, long cada);

// The balance those benchmarks ask of that journal: company 1, user 1, the year 2026, the tax
// book.
prjsumsal::Consulta consultaDelMayor();

// Puts a journal built by generarDiario back as it was built: drops the planner's statistics
// and every index other than the two ordinary ones and those named in `conservar`, should a
// database object have added them while it was open. Returns the names of what it dropped,
// separated by blanks.
std::string limpiarDiario(const std::filesystem::path& diario,
                          const std::vector<std::string>& conservar = {});

}  // namespace bench
