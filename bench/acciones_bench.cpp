// Times every action of nubo, each as a whole run of its own, on one generated company with many
// accounts and a long journal, and prints each run's wall time, processor time and peak resident
// memory. See README.md beside this file.

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

std::string carga() {
  std::ifstream f("/proc/loadavg");
  std::string a, b, c;
  f >> a >> b >> c;
  return a + " " + b + " " + c;
}

// A folder with a copy of nubo and the module's library, where --pdf writes its hand-over files,
// and a RENDIDOR that ends at once: nubo's run is measured alone, RENDIDOR's after it.
fs::path carpetaPrograma(const fs::path& carpeta) {
  fs::path prog = carpeta / "programa";
  fs::create_directories(prog);
  for (const auto& f : fs::directory_iterator(fs::path(NUBO_EJECUTABLE).parent_path())) {
    std::string n = f.path().filename().string();
    if (n == "nubo" || n.starts_with("libprjsumsal.so")) {
      fs::remove(prog / n);
      fs::copy(f.path(), prog / n, fs::copy_options::copy_symlinks);
    }
  }
  fs::path rendidor = prog / "RENDIDOR";
  std::ofstream(rendidor) << "#!/bin/sh\nexit 0\n";
  fs::permissions(rendidor, fs::perms::owner_all);
  return prog;
}

struct Accion {
  std::string nombre;
  std::vector<std::string> orden;
  bool terminal = false;
};

Medida medir(int veces, const Accion& a, const std::string& salida) {
  Medida m;
  for (int i = 0; i < veces; ++i) {
    Medida una = a.terminal ? bench::programaEnTerminal(a.orden) : bench::programa(a.orden, salida);
    m.segundos = i == 0 ? una.segundos : std::min(m.segundos, una.segundos);
    m.cpu = i == 0 ? una.cpu : std::min(m.cpu, una.cpu);
    m.kib = std::max(m.kib, una.kib);
  }
  return m;
}

std::vector<Accion> acciones(const fs::path& prog, const fs::path& diario, const fs::path& dir) {
  std::vector<std::string> comun = {(prog / "nubo").string(),
                                    "--contabilidad",
                                    diario.string(),
                                    "--desde",
                                    "01/01/2026",
                                    "--hasta",
                                    "31/12/2026"};
  auto con = [&](std::vector<std::string> resto) {
    resto.insert(resto.begin(), comun.begin(), comun.end());
    return resto;
  };
  return {
      {"--texto (terminal)", con({"--texto"}), true},
      {"--texto (tuberia)", con({"--texto"})},
      {"--excel .xls", con({"--excel", (dir / "acciones.xls").string()})},
      {"--excel .xlsx", con({"--excel", (dir / "acciones.xlsx").string()})},
      {"--preparar", con({"--preparar"})},
      {"--vista-previa", con({"--vista-previa", (dir / "acciones.pdf").string()})},
      {"--pdf (nubo)", con({"--pdf"})},
      {"RENDIDOR", {NUBO_RENDIDOR, "--carpeta", prog.string()}},
  };
}

}  // namespace

int main(int argc, char** argv) {
  bench::Parametros p;
  p.lineas = 1000000;
  p.cuentas = 200000;
  fs::path carpeta = fs::temp_directory_path() / "nubo_bench";
  int repeticiones = 1;
  std::vector<std::string> solo;
  CLI::App app{"Mide cada acción de nubo (reloj, CPU y memoria máxima) en una empresa grande."};
  app.add_option("--lineas", p.lineas, "líneas del diario")->capture_default_str();
  app.add_option("--cuentas", p.cuentas, "cuentas del plan")->capture_default_str();
  app.add_option("--carpeta", carpeta, "carpeta de los diarios generados")->capture_default_str();
  app.add_option("--repeticiones", repeticiones, "ejecuciones de cada acción; vale la mejor")
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  app.add_option("--solo", solo, "mide solo las acciones cuyo nombre empieza así");
  CLI11_PARSE(app, argc, argv);
  ::unsetenv("NUBO_TRAZA_SQL");

  try {
    fs::path diario = bench::diarioGenerado(carpeta, p);
    fs::path prog = carpetaPrograma(carpeta);
    std::printf("Diario de %ld líneas y %d cuentas, año 2026, mejor de %d. Carga media: %s.\n",
                p.lineas, p.cuentas, repeticiones, carga().c_str());
    std::printf("  %-20s %9s %8s %8s\n", "acción", "reloj (s)", "CPU (s)", "MiB");
    for (const Accion& a : acciones(prog, diario, carpeta)) {
      if (!solo.empty() && std::none_of(solo.begin(), solo.end(),
                                        [&](const auto& s) { return a.nombre.starts_with(s); })) {
        continue;
      }
      Medida m = medir(repeticiones, a, "/dev/null");
      std::printf("  %-20s %9.3f %8.3f %8.1f\n", a.nombre.c_str(), m.segundos, m.cpu,
                  m.kib / 1024.0);
      std::fflush(stdout);
    }
    std::printf("Carga media al final: %s.\n", carga().c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "acciones_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
