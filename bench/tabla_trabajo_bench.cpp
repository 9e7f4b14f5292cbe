// Times nubo filling the report work table ("--preparar", one insert per account) beside the
// spreadsheet export of the same balance ("--excel"), both as whole nubo runs on one generated
// journal with many accounts. See README.md beside this file.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "diario.h"
#include "hijo.h"

namespace {

namespace fs = std::filesystem;
using bench::Medida;

// The load averages of the last 1, 5 and 15 minutes, as /proc/loadavg gives them.
std::string carga() {
  std::ifstream f("/proc/loadavg");
  std::string a, b, c;
  f >> a >> b >> c;
  return a + " " + b + " " + c;
}

Medida mejor(int veces, const std::vector<std::string>& orden) {
  Medida m;
  for (int i = 0; i < veces; ++i) {
    Medida una = bench::programa(orden, "/dev/null");
    m.segundos = i == 0 ? una.segundos : std::min(m.segundos, una.segundos);
    m.kib = std::max(m.kib, una.kib);
    m.cpu = i == 0 ? una.cpu : std::min(m.cpu, una.cpu);
  }
  return m;
}

}  // namespace

int main(int argc, char** argv) {
  bench::Parametros p;
  // A short journal with many accounts: the inserts weigh most against the two statements.
  p.lineas = 300000;
  p.cuentas = 50000;
  fs::path carpeta = fs::temp_directory_path() / "nubo_bench";
  int repeticiones = 3;
  CLI::App app{"Mide --preparar (tabla de trabajo) al lado de --excel con nubo."};
  app.add_option("--lineas", p.lineas, "líneas del diario")->capture_default_str();
  app.add_option("--cuentas", p.cuentas, "cuentas del plan")->capture_default_str();
  app.add_option("--carpeta", carpeta, "carpeta de los diarios generados")->capture_default_str();
  app.add_option("--repeticiones", repeticiones, "ejecuciones de cada orden; vale la mejor")
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  CLI11_PARSE(app, argc, argv);
  ::unsetenv("NUBO_TRAZA_SQL");

  try {
    fs::path diario = bench::diarioGenerado(carpeta, p);
    // The whole year, so that every account with movement is a row of both outputs.
    std::vector<std::string> comun = {NUBO_EJECUTABLE, "--contabilidad", diario.string(), "--desde",
                                      "01/01/2026",    "--hasta",        "31/12/2026"};
    auto con = [&](std::vector<std::string> resto) {
      resto.insert(resto.begin(), comun.begin(), comun.end());
      return resto;
    };
    Medida excel = mejor(repeticiones, con({"--excel", (carpeta / "tabla_trabajo.xls").string()}));
    Medida xlsx = mejor(repeticiones, con({"--excel", (carpeta / "tabla_trabajo.xlsx").string()}));
    Medida preparar = mejor(repeticiones, con({"--preparar"}));
    std::printf("Diario de %ld líneas y %d cuentas, año 2026, mejor de %d.\n", p.lineas, p.cuentas,
                repeticiones);
    std::printf(
        "Las dos órdenes calculan el mismo balance; --preparar graba además una fila por\n"
        "cuenta en la tabla de trabajo (%d inserciones). Carga media: %s.\n",
        p.cuentas, carga().c_str());
    std::printf("              reloj (s)  CPU (s)      MiB\n");
    std::printf("  --excel     %9.3f %8.3f %8.1f\n", excel.segundos, excel.cpu, excel.kib / 1024.0);
    std::printf("  --preparar  %9.3f %8.3f %8.1f\n", preparar.segundos, preparar.cpu,
                preparar.kib / 1024.0);
    std::printf("  .xlsx       %9.3f %8.3f %8.1f  (--excel X.xlsx; objetivo < 100 MiB)\n",
                xlsx.segundos, xlsx.cpu, xlsx.kib / 1024.0);
    std::printf("  razón --preparar / --excel: %.2f en reloj, %.2f en CPU (objetivo <= 1.5)\n",
                preparar.segundos / excel.segundos, preparar.cpu / excel.cpu);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tabla_trabajo_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
