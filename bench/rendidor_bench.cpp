// Times RENDIDOR on a generated hand-over of many accounts (50,000 by default): the two files
// as the module writes them, then RENDIDOR run as its own process, from start to exit, with
// its peak memory. Targets: under 100 MiB, and 5 s at 50,000 accounts or 10 s at 200,000 on two
// cores. See README.md beside this file.

#include <sys/resource.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "balance/fila_balance.h"
#include "export/entrega_pdf.h"
#include "hijo.h"

namespace {

namespace fs = std::filesystem;

// The hand-over of `cuentas` accounts, written with the module's own writer: codes in ascending
// order, names of some thirty characters with accents, every fifth account of results, amounts
// with and without decimals.
void generar(const fs::path& carpeta, long cuentas) {
  fs::create_directories(carpeta);
  const std::string periodo = "01/01/2026 - 31/12/2026";
  {
    std::ofstream salida(carpeta / prjsumsal::kArchivoDatos, std::ios::binary);
    prjsumsal::DatosPdf datos(salida, {1, "COMERCIALIZADORA LOS AROMOS SPA", periodo, ","});
    datos.abrir();
    for (long i = 0; i < cuentas; ++i) {
      prjsumsal::FilaBalance f;
      f.centro = std::to_string(1000000 + i);
      f.n_centro = "Cuenta de gestión número " + std::to_string(i);
      f.g_cuenta = i % 5 == 4 ? "G" : "A";
      f.debe = 1000.0 * (i % 997) + 0.5;
      f.haber = 700.0 * (i % 991);
      double saldo = f.debe - f.haber;
      f.debe_act = saldo > 0 ? saldo : 0;
      f.haber_act = saldo > 0 ? 0 : -saldo;
      prjsumsal::clasificar(f);
      datos.bloque(f);
    }
    datos.cerrar();
  }
  std::ofstream salida(carpeta / prjsumsal::kArchivoEmpresa, std::ios::binary);
  prjsumsal::EmpresaPdf e;
  e.empresa = 1;
  e.nombre_empresa = "COMERCIALIZADORA LOS AROMOS SPA";
  e.usuario_nombre = "ADMINISTRADOR";
  e.fecha = "06/12/2026";
  e.fecha_desde = "01/01/2026";
  e.fecha_hasta = "31/12/2026";
  e.nombre_contador = "Claudia Andrea Muñoz Pérez";
  e.rut_contador = "13.456.789-9";
  e.registro_contador = "12345";
  e.nombre_rep_legal = "Rodrigo Ignacio Vergara Núñez";
  e.rut_rep_legal = "10.234.567-3";
  prjsumsal::escribirEmpresaPdf(salida, e);
}

// Processor time, user and system, of the children waited for so far, in seconds.
double cpuHijos() {
  rusage r{};
  ::getrusage(RUSAGE_CHILDREN, &r);
  return r.ru_utime.tv_sec + r.ru_stime.tv_sec + (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Mide RENDIDOR con muchas cuentas"};
  long cuentas = 50000;
  int repeticiones = 3;
  fs::path carpeta = fs::temp_directory_path() / "nubo_bench_rendidor";
  app.add_option("--cuentas", cuentas, "número de cuentas (50000)");
  app.add_option("--repeticiones", repeticiones, "corridas; vale la mejor (3)");
  app.add_option("--carpeta", carpeta, "carpeta de los archivos");
  CLI11_PARSE(app, argc, argv);

  const fs::path rendidor = fs::read_symlink("/proc/self/exe").parent_path() / prjsumsal::kRendidor;
  const fs::path pdf = carpeta / "balance_tributario.pdf";
  std::fprintf(stderr, "generando %ld cuentas en %s\n", cuentas, carpeta.c_str());
  generar(carpeta, cuentas);
  // Without a display RENDIDOR only writes the file and prints its path.
  ::unsetenv("DISPLAY");
  ::unsetenv("WAYLAND_DISPLAY");

  // Wall time is what the user waits; processor time shows how much of it is RENDIDOR's own
  // work when other processes share the machine.
  bench::Medida mejor;
  double mejorCpu = 0;
  for (int i = 0; i < repeticiones; ++i) {
    fs::remove(pdf);
    double antes = cpuHijos();
    bench::Medida m = bench::programa(
        {rendidor.string(), "--carpeta", carpeta.string(), "--salida", pdf.string()}, "/dev/null");
    double cpu = cpuHijos() - antes;
    std::fprintf(stderr, "corrida %d: %.2f s (%.2f s de procesador), %.1f MiB\n", i + 1, m.segundos,
                 cpu, m.kib / 1024.0);
    if (i == 0 || m.segundos < mejor.segundos) mejor.segundos = m.segundos;
    if (i == 0 || cpu < mejorCpu) mejorCpu = cpu;
    mejor.kib = std::max(mejor.kib, m.kib);
  }
  std::printf("cuentas  segundos  procesador  MiB    PDF MiB  datos MiB\n");
  std::printf("%7ld  %8.2f  %10.2f  %5.1f  %7.1f  %9.1f\n", cuentas, mejor.segundos, mejorCpu,
              mejor.kib / 1024.0, fs::file_size(pdf) / 1048576.0,
              fs::file_size(carpeta / prjsumsal::kArchivoDatos) / 1048576.0);
  // On a shared machine the wall time says more about the others than about RENDIDOR; the
  // processor time is what it needs with a core of its own.
  // Memory must not follow the pages: under 100 MiB up to 200,000 accounts. Time: 5 s up to
  // 50,000 accounts, 10 s up to 200,000, on two cores.
  const double limite = cuentas <= 50000 ? 5 : 10;
  auto cumple = [&](double s) {
    return s <= limite && mejor.kib < 100 * 1024 ? "se cumple" : "NO se cumple";
  };
  std::printf(
      "objetivo (a lo más %.0f s, menos de 100 MiB): %s en tiempo de pared, %s en tiempo de "
      "procesador\n",
      limite, cumple(mejor.segundos), cumple(mejorCpu));
  return 0;
}
