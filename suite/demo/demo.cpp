#include "demo/demo.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <memory>
#include <string>
#include <system_error>

#include "datos/esquema.h"
#include "demo/movimientos_demo.h"
#include "demo/plan_demo.h"

namespace suite::demo {

namespace fs = std::filesystem;
using plataforma::ErrorUso;

namespace {

// The reason of a file-system failure, in Spanish for the commonest ones.
std::string motivo(const std::error_code& ec) {
  switch (ec.value()) {
    case EACCES:
    case EPERM:
      return "permiso denegado";
    case ENOENT:
      return "no existe la ruta";
    case ENOTDIR:
      return "una parte de la ruta no es una carpeta";
    case EROFS:
      return "el sistema de archivos es de solo lectura";
    case ENOSPC:
      return "no queda espacio en el disco";
    default:
      return ec.message();
  }
}

struct CerrarConexion {
  void operator()(sqlite3* c) const { sqlite3_close(c); }
};
struct CerrarSentencia {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Conexion = std::unique_ptr<sqlite3, CerrarConexion>;
using Sentencia = std::unique_ptr<sqlite3_stmt, CerrarSentencia>;

// The engine's failures while the demo is written; the caller names the file.
struct FallaSqlite {
  std::string mensaje;
};

void ejecutar(sqlite3* c, const char* sql) {
  if (sqlite3_exec(c, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
    throw FallaSqlite{sqlite3_errmsg(c)};
}

Sentencia preparar(sqlite3* c, const char* sql) {
  sqlite3_stmt* s = nullptr;
  if (sqlite3_prepare_v2(c, sql, -1, &s, nullptr) != SQLITE_OK)
    throw FallaSqlite{sqlite3_errmsg(c)};
  return Sentencia(s);
}

// Binds the values in order, runs the insert and resets it for the next row.
void insertar(sqlite3* c, sqlite3_stmt* s, std::initializer_list<std::string> textos) {
  int i = 0;
  for (const auto& t : textos) sqlite3_bind_text(s, ++i, t.c_str(), -1, SQLITE_TRANSIENT);
  if (sqlite3_step(s) != SQLITE_DONE) throw FallaSqlite{sqlite3_errmsg(c)};
  sqlite3_reset(s);
}

void llenarContabilidad(sqlite3* c, const prjsumsal::Fecha& hoy) {
  ejecutar(c, datos::scriptTablasContabilidad().c_str());
  ejecutar(c, datos::scriptIndicesContabilidad().c_str());

  auto plan = preparar(c, "insert into ctmcentros values(?, ?, ?)");
  for (const auto& cuenta : planDeCuentas()) {
    insertar(c, plan.get(), {cuenta.centro, cuenta.nombre, cuenta.grupo});
  }

  // The host keeps the legal representative's RUT in the column provincia; the balance prints
  // it from there.
  auto empresa = preparar(c, "insert into admempresa values(?, ?, ?, ?, ?, ?, ?, ?)");
  insertar(c, empresa.get(),
           {"Rodrigo Ignacio Vergara Núñez", "10.234.567-3", "76.543.210-3", kDemoNombreEmpresa,
            "Los Aromos", "Av. Providencia 1234, Of. 56", "Providencia", "+56 2 2345 6789"});
  auto contador = preparar(c, "insert into contador values(?, ?, ?)");
  insertar(c, contador.get(), {"Claudia Andrea Muñoz Pérez", "13.456.789-9", "12345"});

  auto cabecera = preparar(c, "insert into ctccomprmm values(?, ?, ?, ?, ?, ?, ?)");
  auto linea = preparar(c, "insert into ctdcomprmm values(?, ?, ?, ?, ?, ?, ?, ?)");
  for (const auto& comp : comprobantes(hoy)) {
    std::string fecha = comp.fecha.iso();
    auto claves = [&](sqlite3_stmt* s) {
      sqlite3_bind_int(s, 1, kDemoEmpresa);
      sqlite3_bind_int(s, 2, comp.subsistema);
      sqlite3_bind_text(s, 3, fecha.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(s, 4, comp.documento.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_int(s, 5, comp.num_docum);
    };
    claves(cabecera.get());
    sqlite3_bind_int(cabecera.get(), 6, comp.usuario);
    sqlite3_bind_text(cabecera.get(), 7, comp.ifrs.c_str(), -1, SQLITE_TRANSIENT);
    if (sqlite3_step(cabecera.get()) != SQLITE_DONE) throw FallaSqlite{sqlite3_errmsg(c)};
    sqlite3_reset(cabecera.get());
    for (const auto& l : comp.lineas) {
      claves(linea.get());
      sqlite3_bind_text(linea.get(), 6, l.centro.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_double(linea.get(), 7, static_cast<double>(l.debe));
      sqlite3_bind_double(linea.get(), 8, static_cast<double>(l.haber));
      if (sqlite3_step(linea.get()) != SQLITE_DONE) throw FallaSqlite{sqlite3_errmsg(c)};
      sqlite3_reset(linea.get());
    }
  }
  ejecutar(c, "analyze");
}

// Writes a new database at `destino` through `llenar`, in one transaction, under a temporary
// name that is renamed to `destino` only when everything went in.
void crearBase(const fs::path& destino, const std::function<void(sqlite3*)>& llenar) {
  fs::path temporal = destino;
  temporal += ".nuevo-" + std::to_string(::getpid());
  try {
    fs::remove(temporal);  // left by a run of the same process id that was cut short
    sqlite3* crudo = nullptr;
    int rc = sqlite3_open_v2(temporal.c_str(), &crudo, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                             nullptr);
    Conexion c(crudo);
    if (rc != SQLITE_OK) throw FallaSqlite{crudo ? sqlite3_errmsg(crudo) : "sin memoria"};
    ejecutar(c.get(), "begin");
    llenar(c.get());
    ejecutar(c.get(), "commit");
    c.reset();
    fs::rename(temporal, destino);
  } catch (const FallaSqlite& e) {
    std::error_code ignorado;
    fs::remove(temporal, ignorado);
    throw ErrorUso("No se pudo crear " + destino.string() + ": " + e.mensaje);
  } catch (const fs::filesystem_error& e) {
    std::error_code ignorado;
    fs::remove(temporal, ignorado);
    throw ErrorUso("No se pudo crear " + destino.string() + ": " + motivo(e.code()));
  }
}

}  // namespace

ArchivosDemo prepararDemo(const fs::path& carpeta, const prjsumsal::Fecha& hoy) {
  std::error_code ec;
  fs::create_directories(carpeta, ec);
  if (ec || !fs::is_directory(carpeta, ec)) {
    throw ErrorUso("No se pudo crear la carpeta de demostración " + carpeta.string() +
                   (ec ? ": " + motivo(ec) : ": ya existe y no es una carpeta"));
  }
  // A file that cannot even be looked at is left to the opening, which names the reason.
  auto falta = [](const fs::path& p) {
    std::error_code ec;
    return fs::symlink_status(p, ec).type() == fs::file_type::not_found;
  };
  ArchivosDemo a{carpeta / "contabilidad.db", carpeta / "informes.db"};
  if (falta(a.contabilidad)) {
    crearBase(a.contabilidad, [&](sqlite3* c) { llenarContabilidad(c, hoy); });
  }
  if (falta(a.informes)) {
    crearBase(a.informes, [](sqlite3* c) { ejecutar(c, datos::kTablaPrograma); });
  }
  return a;
}

}  // namespace suite::demo
