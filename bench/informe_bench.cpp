// Times the report engine on a large balance: 20,000 accounts in the work table of an SQLite
// report database, read and laid out by the engine and written to a PDF through the painter, as
// a headless preview does. Each layout runs in a child process of its own so that its peak
// memory is its own. See README.md beside this file.

#include <QGuiApplication>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

#include <CLI/CLI.hpp>

#include "balance/fila_balance.h"
#include "balance/tabla_trabajo.h"
#include "datos/base_sqlite.h"
#include "hijo.h"
#include "informes/instalar.h"
#include "informes/motor.h"

namespace {

namespace fs = std::filesystem;

// The work table as a data preparation leaves it: `cuentas` accounts of both kinds with amounts
// in the hundreds of millions, then the closing row.
void llenarTabla(const fs::path& base, int cuentas) {
  fs::remove(base);
  auto db = suite::datos::BaseSqlite::crear(base, suite::datos::Papel::Informes);
  db->executesql(prjsumsal::sentenciaCrearTabla());
  db->executesql("begin");
  prjsumsal::DatosTabla d;
  d.empresa = "1 COMERCIALIZADORA LOS AROMOS SPA";
  d.usuario = "1 ADMINISTRADOR";
  d.desde = "01/01/2026";
  d.hasta = "31/12/2026";
  d.contador = "Ana Pérez";
  d.rut = "13.456.789-9";
  d.registro = "12345";
  d.encabezado = {"Rodrigo Vergara",       "10.234.567-3",      "76.123.456-7", "Los Aromos SpA",
                  "Comercio al por mayor", "Av. Libertad 1234", "Viña del Mar", "32-2681234"};
  for (int i = 0; i < cuentas; ++i) {
    prjsumsal::FilaBalance f;
    f.centro = std::to_string(1000000 + i);
    f.n_centro = "Cuenta de movimiento número " + std::to_string(i);
    f.g_cuenta = i % 2 ? "A" : "G";
    f.debe = 123456789.0 + 1000.0 * i;
    f.haber = 98765432.0 + 777.0 * i;
    f.debe_act = f.debe - f.haber;
    prjsumsal::clasificar(f);
    db->executesql(prjsumsal::sentenciaFila(d, f));
  }
  db->executesql(prjsumsal::sentenciaCierre(d));
  db->executesql("commit");
}

std::string pdfDe(const fs::path& base, const fs::path& rpt, const fs::path& pdf) {
  static int argc = 1;
  static char nombre[] = "informe_bench";
  static char* argv[] = {nombre, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  std::shared_ptr<prjsumsal::BaseDatos> db =
      suite::datos::BaseSqlite::abrir(base, suite::datos::Papel::Informes);
  suite::informes::MotorInforme motor(db, {{}, 1, QString::fromStdString(pdf.string()), {}});
  motor.Destino(prjsumsal::rptreporte::kDestinoVentana);
  motor.Archivo(rpt.string());
  motor.Accion(1);
  return std::to_string(fs::file_size(pdf)) + " " +
         std::to_string(std::clock() / double(CLOCKS_PER_SEC));
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Tiempo y memoria del motor de informes con un balance grande"};
  int cuentas = 20000;
  int repeticiones = 3;
  fs::path carpeta = fs::temp_directory_path() / "nubo_bench_informe";
  app.add_option("--cuentas", cuentas, "Cuentas del balance (20000)");
  app.add_option("--repeticiones", repeticiones, "Corridas por formato; cuenta la mejor (3)");
  app.add_option("--carpeta", carpeta, "Carpeta de trabajo");
  CLI11_PARSE(app, argc, argv);

  fs::create_directories(carpeta);
  fs::path base = carpeta / "informes.db";
  std::fprintf(stderr, "llenando la tabla de trabajo con %d cuentas...\n", cuentas);
  llenarTabla(base, cuentas);
  bench::enHijo([&] {
    static int qargc = 1;
    static char nombre[] = "informe_bench";
    static char* qargv[] = {nombre, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication qapp(qargc, qargv);
    for (const char* c : {"", "2", "3", "4", "5"}) {
      fs::remove(carpeta / (std::string("ctrsumsal") + c + ".rpt"));  // the shipped ones, fresh
    }
    suite::informes::instalarArchivosInforme(carpeta);
    return std::string();
  });

  std::printf("%-16s %8s %10s %8s %8s %10s\n", "formato", "cuentas", "segundos", "CPU s", "MiB",
              "PDF MiB");
  for (const char* codigo : {"", "2", "3", "4", "5"}) {
    std::string nombre = std::string("ctrsumsal") + codigo + ".rpt";
    fs::path pdf = carpeta / ("balance" + std::string(codigo) + ".pdf");
    bench::Medida m =
        bench::mejorDe(repeticiones, [&] { return pdfDe(base, carpeta / nombre, pdf); });
    double bytes = 0, cpu = 0;
    std::sscanf(m.texto.c_str(), "%lf %lf", &bytes, &cpu);
    std::printf("%-16s %8d %10.2f %8.2f %8.1f %10.1f\n", nombre.c_str(), cuentas, m.segundos, cpu,
                m.kib / 1024.0, bytes / (1024.0 * 1024.0));
    std::fflush(stdout);
  }
  return 0;
}
