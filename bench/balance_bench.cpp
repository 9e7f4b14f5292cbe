// Times the balance computation on generated journals of 100,000 and 1,000,000 lines: the two
// grouped statements alone on the engine, the whole computation through the module, and ledger's
// balance of the same postings; each phase runs in a child process of its own so that its peak
// memory is its own. See README.md beside this file.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

#include "diario.h"
#include "exportacion.h"
#include "fases.h"
#include "hijo.h"
#include "indices.h"
#include "libro_ledger.h"
#include "postgres.h"

namespace {

namespace fs = std::filesystem;
using bench::Medida;

struct Opciones {
  bool rapido = false;
  bool rehacer = false;
  fs::path carpeta = fs::temp_directory_path() / "nubo_bench";
  int repeticiones = 3;
  int limite = 120;
  std::vector<long> lineas{100000, 1000000};
  std::string postgres;  // the server's URI; empty: SQLite alone
  bool sinLedger = false;
  std::string indices = "ordinarios";  // ordinarios, recomendados or ambos
  std::vector<std::string> conservar;  // indexes the journal keeps between runs
};

// The figures of one journal size. A phase that went past the time limit has no figure.
struct Resultado {
  long lineas = 0;
  std::string indices;               // "ordinarios" or "recomendados"
  std::optional<Medida> sentencias;  // the two grouped statements alone, one after the other
  std::optional<Medida> aLaPar;      // the same two at once on two connections
  std::optional<Medida> modulo;      // the whole computation through the module
  std::optional<Medida> ledger;      // ledger's balance of the same year
  std::optional<Medida> excel;       // the spreadsheet export of the same balance into a file
  std::string comprobacion;
  std::optional<Medida> pgSentencias;  // the same two on the PostgreSQL server
  std::optional<Medida> pgALaPar;
  std::optional<Medida> pgModulo;
  std::string pgComprobacion;
};

void avisar(long lineas, const std::string& texto) {
  std::fprintf(stderr, "[%ld líneas] %s\n", lineas, texto.c_str());
}

// Measures one phase, best of the repetitions, on a journal put back as generated before each
// run; reports on standard error and leaves the figure empty when the limit was exceeded.
std::optional<Medida> medir(const Opciones& o, long lineas, const char* nombre,
                            const fs::path& diario, const std::function<std::string()>& fase) {
  auto limpiar = [&] {
    std::string quitado = bench::limpiarDiario(diario, o.conservar);
    if (!quitado.empty()) avisar(lineas, "se quitó lo que la base añadió: " + quitado);
    return quitado;
  };
  try {
    Medida m = bench::mejorDe(o.repeticiones, fase, o.limite, limpiar);
    char texto[160];
    std::snprintf(texto, sizeof texto, "%s: %.3f s, CPU %.3f s, %.1f MiB", nombre, m.segundos,
                  m.cpu, m.kib / 1024.0);
    avisar(lineas, texto);
    return m;
  } catch (const bench::Excedido& e) {
    avisar(lineas, std::string(nombre) + ": " + e.what());
    return std::nullopt;
  }
}

// The better time and the higher peak memory of two runs of one phase; a run that went past the
// limit has no figure and counts for nothing.
std::optional<Medida> mejor(const std::optional<Medida>& a, const std::optional<Medida>& b) {
  if (!a || !b) return a ? a : b;
  Medida m = a->segundos <= b->segundos ? *a : *b;
  m.kib = std::max(a->kib, b->kib);
  m.cpu = std::min(a->cpu, b->cpu);
  return m;
}

// The statements alone (one after the other, then at once) and the module's computation, taken
// in turns: on a machine shared with other work the load changes from one minute to the next,
// and alternating the phases gives them the same conditions, which the ratios need.
struct Trio {
  std::optional<Medida> sentencias, aLaPar, modulo;
};
Trio medirTrio(const Opciones& o, long lineas, const std::string& motor, const fs::path& diario,
               const std::function<std::string()>& sentencias,
               const std::function<std::string()>& aLaPar,
               const std::function<std::string()>& modulo) {
  Opciones una = o;
  una.repeticiones = 1;
  Trio t;
  for (int i = 0; i < o.repeticiones; ++i) {
    t.sentencias =
        mejor(t.sentencias,
              medir(una, lineas, (motor + "sentencias una tras otra").c_str(), diario, sentencias));
    t.aLaPar = mejor(t.aLaPar,
                     medir(una, lineas, (motor + "sentencias a la par").c_str(), diario, aLaPar));
    t.modulo =
        mejor(t.modulo, medir(una, lineas, (motor + "cálculo del módulo").c_str(), diario, modulo));
  }
  return t;
}

// ledger runs as a program of its own: its time is taken around the whole process, from the
// start to the exit, its report going to /dev/null.
Medida medirLedger(const Opciones& o, long lineas, const fs::path& libro, const bench::Rango& r) {
  Medida mejor;
  for (int i = 0; i < o.repeticiones; ++i) {
    Medida m = bench::programa(bench::ordenLedger(libro, r.desde, r.hasta), "/dev/null");
    mejor.segundos = i == 0 ? m.segundos : std::min(mejor.segundos, m.segundos);
    mejor.kib = std::max(mejor.kib, m.kib);
  }
  char texto[160];
  std::snprintf(texto, sizeof texto, "ledger: %.3f s, %.1f MiB", mejor.segundos,
                mejor.kib / 1024.0);
  avisar(lineas, texto);
  return mejor;
}

Resultado medirTamano(Opciones o, long lineas, bool recomendados) {
  bench::Parametros p;
  p.lineas = lineas;
  const fs::path diario = bench::rutaDiario(o.carpeta, p);
  const fs::path libro = bench::rutaLedger(diario, 1, "1");
  const prjsumsal::Consulta c = bench::consultaDe(p);
  const bench::Rango rango = bench::rangoLedger(p);

  if (o.rehacer || !fs::exists(diario)) {
    Medida m = bench::enHijo([&] {
      bench::generarDiario(diario, p);
      return std::string();
    });
    char texto[64];
    std::snprintf(texto, sizeof texto, "diario generado en %.1f s: ", m.segundos);
    avisar(lineas, texto + diario.string());
    fs::remove(libro);
  } else {
    avisar(lineas, "diario reutilizado: " + diario.string());
  }
  if (!fs::exists(libro)) {
    bench::enHijo([&] {
      bench::escribirLedger(diario, libro, c.empresa, c.libro);
      return std::string();
    });
  }
  if (recomendados) {
    Medida m = bench::enHijo([&] {
      bench::agregarIndicesRecomendados(diario);
      return std::string();
    });
    o.conservar = bench::indicesRecomendados();
    char texto[96];
    std::snprintf(texto, sizeof texto, "índices recomendados creados en %.1f s", m.segundos);
    avisar(lineas, texto);
  }
  avisar(lineas, "plan del acumulado:\n" +
                     bench::enHijo([&] { return bench::planAcumulado(diario, c); }).texto);

  Resultado r;
  r.lineas = lineas;
  r.indices = recomendados ? "recomendados" : "ordinarios";
  Trio t = medirTrio(
      o, lineas, "", diario, [&] { return bench::sentenciasSolas(diario, c); },
      [&] { return bench::sentenciasALaPar(diario, c); },
      [&] { return bench::calculoModulo(diario, c); });
  r.sentencias = t.sentencias;
  r.aLaPar = t.aLaPar;
  r.modulo = t.modulo;
  if (!o.sinLedger) {
    const fs::path libroExcel = o.carpeta / ("balance_" + std::to_string(lineas) + ".xls");
    r.excel = medir(o, lineas, "exportación a Excel", diario,
                    [&] { return bench::exportacionLibro(diario, c, libroExcel); });
    r.ledger = medirLedger(o, lineas, libro, rango);
  }

  if (!o.postgres.empty()) {
    Medida carga = bench::enHijo([&] {
      return std::string(bench::cargarEnPostgres(diario, o.postgres, o.rehacer) ? "1" : "");
    });
    const std::string uri = bench::uriEsquema(o.postgres, bench::esquemaDe(diario));
    char texto[96];
    std::snprintf(texto, sizeof texto, "PostgreSQL: diario %s en %.1f s, esquema ",
                  carga.texto.empty() ? "reutilizado" : "cargado con COPY", carga.segundos);
    avisar(lineas, texto + bench::esquemaDe(diario));
    if (recomendados)
      bench::enHijo([&] {
        bench::agregarIndicesRecomendadosPostgres(uri);
        return std::string();
      });
    Trio pg = medirTrio(
        o, lineas, "PostgreSQL, ", diario, [&] { return bench::sentenciasSolasPostgres(uri, c); },
        [&] { return bench::sentenciasALaParPostgres(uri, c); },
        [&] { return bench::calculoModuloPostgres(uri, c); });
    r.pgSentencias = pg.sentencias;
    r.pgALaPar = pg.aLaPar;
    r.pgModulo = pg.modulo;
    std::string detalle =
        bench::enHijo([&] { return bench::calculoModuloPostgres(uri, c, true); }).texto;
    r.pgComprobacion = bench::enHijo([&] {
                         return bench::compararConLedger(diario, libro, c, rango, detalle);
                       }).texto;
    if (recomendados)
      bench::enHijo([&] {
        bench::quitarIndicesRecomendadosPostgres(uri);
        return std::string();
      });
  }

  if (r.modulo) {
    r.comprobacion =
        bench::enHijo([&] { return bench::compararConLedger(diario, libro, c, rango); }).texto;
  } else {
    r.comprobacion = "comprobación omitida: el cálculo del módulo superó el límite";
  }
  if (recomendados) bench::enHijo([&] { return bench::limpiarDiario(diario); });
  return r;
}

std::string segundos(const std::optional<Medida>& m, int limite) {
  char t[32];
  if (m) {
    std::snprintf(t, sizeof t, "%.3f", m->segundos);
  } else {
    std::snprintf(t, sizeof t, "> %d", limite);
  }
  return t;
}

std::string cpu(const std::optional<Medida>& m) {
  char t[32];
  std::snprintf(t, sizeof t, "%.3f", m ? m->cpu : 0.0);
  return m ? t : "-";
}

std::string mib(const std::optional<Medida>& m) {
  char t[32];
  std::snprintf(t, sizeof t, "%.1f", m ? m->kib / 1024.0 : 0.0);
  return m ? t : "-";
}

std::string razon(const std::optional<Medida>& a, const std::optional<Medida>& b) {
  if (!a || !b || b->segundos <= 0) return "-";
  char t[32];
  std::snprintf(t, sizeof t, "%.2f", a->segundos / b->segundos);
  return t;
}

// Prints one row of right-aligned cells, counting characters rather than bytes so that the
// accented headers line up.
void imprimirFila(const std::vector<std::string>& celdas) {
  constexpr int kAnchos[] = {9, 13, 11, 10, 11, 7, 8, 10, 10, 10, 9, 10, 9, 11, 10};
  std::string linea;
  for (std::size_t i = 0; i < celdas.size(); ++i) {
    int largo = 0;
    for (unsigned char ch : celdas[i]) largo += (ch & 0xC0) != 0x80;
    int ancho = i < std::size(kAnchos) ? kAnchos[i] : 11;
    linea += std::string(static_cast<std::size_t>(std::max(0, ancho - largo)) + (i ? 1 : 0), ' ') +
             celdas[i];
  }
  linea.erase(linea.find_last_not_of(' ') + 1);
  std::printf("%s\n", linea.c_str());
}

// The load averages of the last 1, 5 and 15 minutes, as /proc/loadavg gives them.
std::string carga() {
  std::ifstream f("/proc/loadavg");
  std::string a, b, c;
  f >> a >> b >> c;
  return a + " " + b + " " + c;
}

void imprimirTabla(const std::vector<Resultado>& filas, const Opciones& o, double base) {
  std::printf("\n");
  imprimirFila({"líneas", "índices", "una tras", "a la par", "módulo", "razón", "mód./par",
                "CPU sent.", "CPU mód.", "MiB mód.", "ledger", "a ledger", "Excel", "razón Ex."});
  imprimirFila({"", "", "otra (s)", "(s)", "(s)", "", "", "(s)", "(s)", "", "(s)", "", "(s)", ""});
  for (const Resultado& r : filas) {
    auto omitible = [&](const std::optional<Medida>& m) {
      return o.sinLedger ? std::string("-") : segundos(m, o.limite);
    };
    imprimirFila({std::to_string(r.lineas), r.indices, segundos(r.sentencias, o.limite),
                  segundos(r.aLaPar, o.limite), segundos(r.modulo, o.limite),
                  razon(r.modulo, r.sentencias), razon(r.modulo, r.aLaPar), cpu(r.sentencias),
                  cpu(r.modulo), mib(r.modulo), omitible(r.ledger), razon(r.modulo, r.ledger),
                  omitible(r.excel), razon(r.excel, r.sentencias)});
  }
  std::printf(
      "\nuna tras otra = las dos sentencias agrupadas del módulo en una conexión, una después de "
      "la otra;\na la par = las mismas dos a la vez, cada una en su conexión y su hilo;\n"
      "razón = módulo / una tras otra (objetivo <= 0.7); mód./par = módulo / a la par (lo más "
      "cerca de 1 posible);\na ledger = módulo / ledger (objetivo <= 0.3); razón Ex. = "
      "exportación a Excel / una tras otra.\nCPU: tiempo de procesador de la fase (usuario y "
      "sistema, todos sus hilos). Memoria: pico del proceso; uno que no hace nada ocupa %.1f "
      "MiB.\nMejor de %d ejecuciones, las fases por turnos. Carga media al terminar: %s.\n",
      base, o.repeticiones, carga().c_str());
  for (const Resultado& r : filas) {
    std::printf("%ld líneas, índices %s: %s\n", r.lineas, r.indices.c_str(),
                r.comprobacion.c_str());
  }
  if (o.postgres.empty()) return;
  std::printf("\nPostgreSQL:\n");
  imprimirFila({"líneas", "índices", "una tras", "a la par", "módulo", "razón", "mód./par",
                "CPU sent.", "CPU mód.", "MiB mód."});
  imprimirFila({"", "", "otra (s)", "(s)", "(s)", "", "", "(s)", "(s)", ""});
  for (const Resultado& r : filas) {
    imprimirFila({std::to_string(r.lineas), r.indices, segundos(r.pgSentencias, o.limite),
                  segundos(r.pgALaPar, o.limite), segundos(r.pgModulo, o.limite),
                  razon(r.pgModulo, r.pgSentencias), razon(r.pgModulo, r.pgALaPar),
                  cpu(r.pgSentencias), cpu(r.pgModulo), mib(r.pgModulo)});
  }
  std::printf(
      "(CPU: en PostgreSQL el trabajo lo hace el servidor; aquí solo cuenta el del cliente.)\n");
  for (const Resultado& r : filas) {
    std::printf("%ld líneas, índices %s: %s\n", r.lineas, r.indices.c_str(),
                r.pgComprobacion.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  Opciones o;
  CLI::App app{"Mide el cálculo del balance tributario sobre diarios generados."};
  app.add_flag("--rapido", o.rapido, "solo el diario de 100.000 líneas");
  app.add_flag("--rehacer", o.rehacer, "genera de nuevo los diarios aunque ya existan");
  app.add_option("--carpeta", o.carpeta, "carpeta de los diarios generados")->capture_default_str();
  app.add_option("--repeticiones", o.repeticiones, "ejecuciones de cada fase; vale la mejor")
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  app.add_option("--limite", o.limite, "segundos que puede durar una ejecución medida")
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  app.add_option("--lineas", o.lineas, "tamaños de diario que se miden")
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  app.add_option("--postgres", o.postgres,
                 "URI de un servidor PostgreSQL: carga cada diario con COPY y lo mide también ahí");
  app.add_flag("--sin-ledger", o.sinLedger, "omite ledger y la exportación a Excel");
  app.add_option("--indices", o.indices,
                 "índices del diario: los dos ordinarios, además los recomendados, o ambos casos")
      ->check(CLI::IsMember({"ordinarios", "recomendados", "ambos"}))
      ->capture_default_str();
  CLI11_PARSE(app, argc, argv);

  // A statement trace would be measured with the module; the figures are for the module alone.
  ::unsetenv("NUBO_TRAZA_SQL");
  try {
    fs::create_directories(o.carpeta);
    double base = bench::enHijo([] { return std::string(); }).kib / 1024.0;
    bench::Parametros p;
    prjsumsal::Consulta c = bench::consultaDe(p);
    std::printf("Balance tributario del %s al %s, empresa %d, libro %s, todos los usuarios.\n",
                c.desde.c_str(), c.hasta.c_str(), c.empresa, c.libro.c_str());
    std::printf("Carga media al empezar: %s.\n", carga().c_str());
    std::vector<Resultado> filas;
    for (long lineas : o.rapido ? std::vector<long>{100000} : o.lineas) {
      if (o.indices != "recomendados") filas.push_back(medirTamano(o, lineas, false));
      if (o.indices != "ordinarios") filas.push_back(medirTamano(o, lineas, true));
    }
    imprimirTabla(filas, o, base);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "balance_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
