// Times the balance viewer: opening a 50,000-account balance (1,000,000 journal lines of 2026
// over a chart of 50,000 accounts) against "nubo --texto" on the same journal, a keystroke of
// find-as-you-type, serving the rows a scrolling view asks for, and an account's ledger of
// 100,000 lines in a journal of 1,000,000 on SQLite with the ordinary indexes. See README.md
// beside this file.

#include <QApplication>
#include <QElapsedTimer>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include <CLI/CLI.hpp>

#include "datos/base_sqlite.h"
#include "diario.h"
#include "hijo.h"
#include "sqlite.h"
#include "visor/ventana_visor.h"

namespace {

namespace fs = std::filesystem;
using bench::Medida;

constexpr const char* kCuenta = bench::kCuentaMayor;

// Qt's application for one measured child: the offscreen platform, no screen needed.
struct Aplicacion {
  int argc = 1;
  char nombre[12] = "visor_bench";
  char* argv[2] = {nombre, nullptr};
  QApplication app{argc, argv};
};

// The window opened on the balance and shown: the balance read, the model built, the first
// screen painted. Returns the accounts and the seconds of each step.
std::string abrirVisor(const fs::path& diario) {
  Aplicacion a;
  QElapsedTimer reloj;
  reloj.start();
  std::shared_ptr<prjsumsal::BaseDatos> db =
      suite::datos::BaseSqlite::abrir(diario, suite::datos::Papel::Contabilidad);
  suite::visor::VentanaVisor v(db, bench::consultaDelMayor(), false, {.empresa = "BENCH"});
  v.show();
  if (!v.cargar(bench::consultaDelMayor())) throw std::runtime_error(v.estado().toStdString());
  QApplication::processEvents();
  (void)v.grab();  // the first screen drawn
  return std::to_string(v.modeloBalance()->balance().cuentas.size());
}

// The balance alone as the viewer reads it (the module's computation and the rows it keeps),
// without Qt's application or a window.
std::string leerBalance(const fs::path& diario) {
  auto db = suite::datos::BaseSqlite::abrir(diario, suite::datos::Papel::Contabilidad);
  auto b =
      suite::visor::cargarBalance(*db, bench::consultaDelMayor(), false, suite::visor::kNiveles);
  return std::to_string(b.cuentas.size());
}

// A keystroke of find-as-you-type and a scroll through the whole table, on a model already
// open: the worst of 20 keystrokes, and the worst page of rows served at 2,000 places.
std::string buscarYDesplazar(const fs::path& diario) {
  Aplicacion a;
  auto db = suite::datos::BaseSqlite::abrir(diario, suite::datos::Papel::Contabilidad);
  auto b = std::make_shared<suite::visor::BalanceVisor>(
      suite::visor::cargarBalance(*db, bench::consultaDelMayor(), false, suite::visor::kNiveles));
  suite::visor::ModeloBalance m(b, suite::visor::kNiveles);
  QElapsedTimer reloj;
  qint64 tecla = 0, pagina = 0;
  const char* textos[] = {"1", "12", "123", "1234", "a", "ca", "caj", "ven", "", "9"};
  for (int i = 0; i < 20; ++i) {
    suite::visor::Criterio c;
    c.buscar = textos[i % 10];
    c.ocultarCeros = i % 2;
    reloj.start();
    m.aplicar(c);
    tecla = std::max(tecla, reloj.nsecsElapsed());
  }
  m.aplicar({});
  std::mt19937 azar(7);
  for (int i = 0; i < 2000; ++i) {
    const int desde = static_cast<int>(azar() % static_cast<unsigned>(m.rowCount() - 40));
    reloj.start();
    for (int r = desde; r < desde + 40; ++r)
      for (int col = 0; col < m.columnCount(); ++col)
        for (int rol : {Qt::DisplayRole, Qt::TextAlignmentRole, Qt::FontRole, Qt::BackgroundRole})
          (void)m.data(m.index(r, col), rol);
    pagina = std::max(pagina, reloj.nsecsElapsed());
  }
  char t[64];
  std::snprintf(t, sizeof t, "%.1f ms, %.2f ms", tecla / 1e6, pagina / 1e6);
  return t;
}

std::string abrirMayor(const fs::path& diario) {
  auto db = suite::datos::BaseSqlite::abrir(diario, suite::datos::Papel::Contabilidad);
  suite::visor::ModeloMayor m(*db, bench::consultaDelMayor(), kCuenta);
  return std::to_string(m.totales().lineas);
}

// The figures: the balance's whole runs and the window, the keystroke and the scroll, the ledger.
void imprimir(const std::array<Medida, 6>& m, long lineasBalance, long lineasMayor,
              int repeticiones) {
  const auto& [nuboTexto, nuboVer, ventana, lectura, uso, libro] = m;
  std::printf("Balance de %s cuentas (%ld líneas, año 2026). Mejor de %d.\n", ventana.texto.c_str(),
              lineasBalance, repeticiones);
  std::printf("                                   reloj (s)  CPU (s)      MiB\n");
  auto fila = [](const char* que, const Medida& x) {
    std::printf("  %-32s %9.3f %8.3f %8.1f\n", que, x.segundos, x.cpu, x.kib / 1024.0);
  };
  fila("nubo --texto", nuboTexto);
  fila("nubo --ver --captura", nuboVer);
  fila("visor abierto y pintado", ventana);
  fila("  de ello, el balance leído", lectura);
  std::printf("  --ver menos --texto: %+.3f s (meta: +0.5 s como mucho)\n",
              nuboVer.segundos - nuboTexto.segundos);
  std::printf("  Peor tecla de la búsqueda, peor página de 40 filas: %s\n", uso.texto.c_str());
  std::printf("Libro mayor de %s líneas en un diario de %ld (índices ordinarios):\n",
              libro.texto.c_str(), lineasMayor);
  fila("ModeloMayor abierto", libro);
}

}  // namespace

int main(int argc, char** argv) {
  long cuentas = 50000, lineasBalance = 1000000, lineasMayor = 1000000;
  fs::path carpeta = fs::temp_directory_path() / "nubo_bench";
  int repeticiones = 3;
  CLI::App app{"Mide el visor del balance: apertura, búsqueda, desplazamiento y libro mayor."};
  app.add_option("--cuentas", cuentas, "cuentas del balance")->capture_default_str();
  app.add_option("--lineas", lineasBalance, "líneas del diario del balance")->capture_default_str();
  app.add_option("--lineas-mayor", lineasMayor, "líneas del diario del libro mayor")
      ->capture_default_str();
  app.add_option("--carpeta", carpeta, "carpeta de los diarios generados")->capture_default_str();
  app.add_option("--repeticiones", repeticiones, "ejecuciones de cada fase; vale la mejor")
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  CLI11_PARSE(app, argc, argv);
  ::unsetenv("NUBO_TRAZA_SQL");
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  try {
    bench::Parametros p;
    p.lineas = lineasBalance;
    p.cuentas = static_cast<int>(cuentas);
    // All of it in 2026, so that nearly every account of the chart moves in the balance's year.
    p.primerDia = std::chrono::year_month_day{std::chrono::year{2026}, std::chrono::January,
                                              std::chrono::day{1}};
    const fs::path diario = bench::diarioGenerado(carpeta, p);
    const fs::path mayor = bench::diarioDelMayor(carpeta, lineasMayor, 4);
    const std::vector<std::string> base{NUBO_EJECUTABLE, "--contabilidad", diario.string(),
                                        "--desde",       "01/01/2026",     "--hasta",
                                        "31/12/2026"};
    auto mejorPrograma = [&](std::vector<std::string> args) {
      Medida mejor;
      for (int i = 0; i < repeticiones; ++i) {
        Medida una = bench::programa(args, "/dev/null");
        if (i == 0 || una.segundos < mejor.segundos) mejor = una;
      }
      return mejor;
    };
    auto texto = base, ver = base;
    texto.push_back("--texto");
    ver.insert(ver.end(), {"--ver", "--captura", (carpeta / "visor_bench.png").string()});
    Medida nuboTexto = mejorPrograma(texto);
    Medida nuboVer = mejorPrograma(ver);
    Medida ventana = bench::mejorDe(repeticiones, [&] { return abrirVisor(diario); });
    Medida lectura = bench::mejorDe(repeticiones, [&] { return leerBalance(diario); });
    Medida uso = bench::enHijo([&] { return buscarYDesplazar(diario); });
    Medida libro = bench::mejorDe(repeticiones, [&] { return abrirMayor(mayor); });
    imprimir({nuboTexto, nuboVer, ventana, lectura, uso, libro}, lineasBalance, lineasMayor,
             repeticiones);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "visor_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
