// Times the ledger of one account with 100,000 lines in a journal of 1,000,000 on SQLite with
// the two ordinary indexes: the ledger read through suite::mayor::Mayor to its last line, and
// a whole run of "nubo --mayor" into a file; with --postgres, the ledger read on a server too.
// See README.md beside this file.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "datos/base_postgres.h"
#include "datos/base_sqlite.h"
#include "diario.h"
#include "hijo.h"
#include "mayor/mayor.h"
#include "postgres.h"
#include "sqlite.h"

namespace {

namespace fs = std::filesystem;
using bench::Medida;

constexpr const char* kCuenta = bench::kCuentaMayor;

// The ledger read to its last line; returns its lines.
std::string leerMayor(prjsumsal::BaseDatos& db) {
  suite::mayor::Mayor mayor(db, bench::consultaDelMayor(), {{kCuenta}, {}});
  std::size_t lineas = 0;
  for (suite::mayor::Cuenta c; mayor.siguienteCuenta(c);) {
    for (suite::mayor::Movimiento m; mayor.siguienteMovimiento(m);) ++lineas;
  }
  return std::to_string(lineas);
}

}  // namespace

int main(int argc, char** argv) {
  long lineas = 1000000;
  long cada = 4;
  fs::path carpeta = fs::temp_directory_path() / "nubo_bench";
  int repeticiones = 3;
  std::string postgres;
  CLI::App app{"Mide el libro mayor de una cuenta de 100.000 líneas en SQLite."};
  app.add_option("--lineas", lineas, "líneas del diario")->capture_default_str();
  app.add_option("--cada", cada, "la cuenta toma una de cada N líneas de la empresa 1")
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  app.add_option("--carpeta", carpeta, "carpeta de los diarios generados")->capture_default_str();
  app.add_option("--repeticiones", repeticiones, "ejecuciones de cada fase; vale la mejor")
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  app.add_option("--postgres", postgres,
                 "URI de un servidor PostgreSQL: mide también el libro mayor allí");
  CLI11_PARSE(app, argc, argv);
  ::unsetenv("NUBO_TRAZA_SQL");
  try {
    fs::create_directories(carpeta);
    fs::path diario = bench::diarioDelMayor(carpeta, lineas, cada);
    Medida api = bench::mejorDe(repeticiones, [&] {
      return leerMayor(*suite::datos::BaseSqlite::abrir(diario, suite::datos::Papel::Contabilidad));
    });
    // The same journal on the server, loaded once into a schema named after its file.
    Medida pg;
    if (!postgres.empty()) {
      bench::cargarEnPostgres(diario, postgres, false);
      const std::string uri = bench::uriEsquema(postgres, bench::esquemaDe(diario));
      pg = bench::mejorDe(repeticiones, [&] {
        return leerMayor(
            *suite::datos::BasePostgres::conectar(uri, suite::datos::Papel::Contabilidad));
      });
    }
    Medida nubo;
    for (int i = 0; i < repeticiones; ++i) {
      Medida una = bench::programa({NUBO_EJECUTABLE, "--contabilidad", diario.string(), "--desde",
                                    "01/01/2026", "--hasta", "31/12/2026", "--mayor", kCuenta},
                                   (carpeta / "mayor.tsv").string());
      if (i == 0 || una.segundos < nubo.segundos) nubo = una;
    }
    std::printf(
        "Diario de %ld líneas (año 2026, índices ordinarios); cuenta %s: %s líneas en\n"
        "su libro mayor (empresa 1, libro tributario). Mejor de %d.\n",
        lineas, kCuenta, api.texto.c_str(), repeticiones);
    std::printf("                     reloj (s)  CPU (s)      MiB\n");
    std::printf("  Mayor (lectura)    %9.3f %8.3f %8.1f\n", api.segundos, api.cpu,
                api.kib / 1024.0);
    std::printf("  nubo --mayor       %9.3f %8.3f %8.1f\n", nubo.segundos, nubo.cpu,
                nubo.kib / 1024.0);
    if (!postgres.empty()) {
      std::printf("  Mayor (PostgreSQL) %9.3f %8.3f %8.1f   (%s líneas)\n", pg.segundos, pg.cpu,
                  pg.kib / 1024.0, pg.texto.c_str());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mayor_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
