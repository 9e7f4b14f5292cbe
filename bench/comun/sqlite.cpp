#include "sqlite.h"

#include <sqlite3.h>

#include <stdexcept>

namespace bench {
namespace {

[[noreturn]] void fallar(sqlite3* db, const std::string& que) {
  throw std::runtime_error(que + ": " + (db ? sqlite3_errmsg(db) : "sin memoria"));
}

}  // namespace

Conexion::Conexion(const std::filesystem::path& ruta, bool soloLectura) {
  int modo = soloLectura ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
  if (sqlite3_open_v2(ruta.c_str(), &db_, modo, nullptr) != SQLITE_OK) {
    std::string msg = db_ ? sqlite3_errmsg(db_) : "sin memoria";
    sqlite3_close(db_);
    throw std::runtime_error(ruta.string() + ": " + msg);
  }
}

Conexion::~Conexion() {
  sqlite3_close(db_);
}

void Conexion::ejecutar(const std::string& sentencias) {
  char* error = nullptr;
  if (sqlite3_exec(db_, sentencias.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string msg = error ? error : sqlite3_errmsg(db_);
    sqlite3_free(error);
    throw std::runtime_error(msg + " en: " + sentencias);
  }
}

Sentencia::Sentencia(Conexion& c, const std::string& texto) : db_(c.db()) {
  if (sqlite3_prepare_v2(db_, texto.c_str(), -1, &st_, nullptr) != SQLITE_OK) {
    fallar(db_, texto);
  }
}

Sentencia::~Sentencia() {
  sqlite3_finalize(st_);
}

bool Sentencia::paso() {
  int r = sqlite3_step(st_);
  if (r == SQLITE_ROW) return true;
  if (r == SQLITE_DONE) return false;
  fallar(db_, sqlite3_sql(st_));
}

void Sentencia::reiniciar() {
  sqlite3_reset(st_);
  sqlite3_clear_bindings(st_);
}

void Sentencia::enlazar(int i, long long v) {
  sqlite3_bind_int64(st_, i, v);
}
void Sentencia::enlazar(int i, double v) {
  sqlite3_bind_double(st_, i, v);
}
void Sentencia::enlazar(int i, const std::string& v) {
  sqlite3_bind_text(st_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
}

int Sentencia::columnas() const {
  return sqlite3_column_count(st_);
}
bool Sentencia::nulo(int col) const {
  return sqlite3_column_type(st_, col) == SQLITE_NULL;
}

long long Sentencia::entero(int col) const {
  return sqlite3_column_int64(st_, col);
}
double Sentencia::doble(int col) const {
  return sqlite3_column_double(st_, col);
}
std::string Sentencia::texto(int col) const {
  const unsigned char* t = sqlite3_column_text(st_, col);
  return t ? std::string(reinterpret_cast<const char*>(t),
                         static_cast<std::size_t>(sqlite3_column_bytes(st_, col)))
           : std::string();
}

}  // namespace bench
