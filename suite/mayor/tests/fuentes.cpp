#include "fuentes.h"

#include <unistd.h>

#include <filesystem>

#include "datos/tests/base_prueba.h"
#include "demo/demo.h"
#include "demo/demo_postgres.h"
#include "diario.h"
#include "postgres.h"

namespace suite::mayor::prueba {

namespace fs = std::filesystem;
using datos::BasePostgres;
using datos::BaseSqlite;
using datos::Papel;
using demo::ArchivosDemo;
using demo::prepararDemo;
using demo::prepararDemoPostgres;
using suite::prueba::enPostgres;
using suite::prueba::servidorPrueba;

namespace {

const prjsumsal::Fecha kHoy{2026, 6, 15};

// The test process's folder for its files, removed when the process ends.
fs::path carpeta() {
  static const struct Carpeta {
    fs::path ruta = fs::temp_directory_path() / ("nubo-mayor-" + std::to_string(::getpid()));
    Carpeta() { fs::create_directories(ruta); }
    ~Carpeta() {
      std::error_code ignorado;
      fs::remove_all(ruta, ignorado);
    }
  } c;
  return c.ruta;
}

}  // namespace

std::shared_ptr<prjsumsal::BaseDatos> diarioGenerado() {
  static const fs::path diario = [] {
    bench::Parametros p;
    p.lineas = 20000;
    p.cuentas = 200;
    fs::path d = carpeta() / ("mayor_" + std::to_string(::getpid()) + ".sqlite");
    bench::generarDiario(d, p);
    if (enPostgres()) bench::cargarEnPostgres(d, servidorPrueba(), true);
    return d;
  }();
  if (!enPostgres()) return BaseSqlite::abrir(diario, Papel::Contabilidad);
  return BasePostgres::conectar(bench::uriEsquema(servidorPrueba(), bench::esquemaDe(diario)),
                                Papel::Contabilidad);
}

std::shared_ptr<prjsumsal::BaseDatos> demo() {
  if (enPostgres()) {
    std::string uri = suite::prueba::uriEsquemaNuevo();
    prepararDemoPostgres(uri, kHoy);
    return BasePostgres::conectar(uri, Papel::Contabilidad);
  }
  ArchivosDemo a = prepararDemo(carpeta() / "demo", kHoy);
  return BaseSqlite::abrir(a.contabilidad, Papel::Contabilidad);
}

prjsumsal::Consulta consulta(int empresa, const char* libro, const char* desde, const char* hasta,
                             int alias, int usuario) {
  prjsumsal::Consulta c;
  c.empresa = static_cast<std::int16_t>(empresa);
  c.usuario = static_cast<std::int16_t>(usuario);
  c.alias = static_cast<std::int16_t>(alias);
  c.desde = desde;
  c.hasta = hasta;
  c.anio = std::stoi(std::string(hasta).substr(0, 4));
  c.libro = libro;
  return c;
}

}  // namespace suite::mayor::prueba
