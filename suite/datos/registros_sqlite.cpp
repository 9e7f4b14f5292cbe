#include "datos/registros_sqlite.h"

#include <sqlite3.h>

#include <cctype>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "datos/registros_memoria.h"
#include "datos/sentencia_sqlite.h"

namespace suite::datos {

using prjsumsal::Error;
using prjsumsal::Valor;

namespace {

Valor valorDe(sqlite3_stmt* st, int c) {
  switch (sqlite3_column_type(st, c)) {
    case SQLITE_INTEGER:
      return Valor(static_cast<std::int64_t>(sqlite3_column_int64(st, c)));
    case SQLITE_FLOAT:
      return Valor(sqlite3_column_double(st, c));
    case SQLITE_NULL:
      return Valor();
    default: {  // TEXT, and a BLOB read as its bytes
      auto* datos = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
      return Valor(std::string(datos, static_cast<std::size_t>(sqlite3_column_bytes(st, c))));
    }
  }
}

// The same, added to `celdas` without making a Valor.
void agregarCelda(Celdas& celdas, sqlite3_stmt* st, int c) {
  switch (sqlite3_column_type(st, c)) {
    case SQLITE_INTEGER:
      return celdas.agregarEntero(static_cast<std::int64_t>(sqlite3_column_int64(st, c)));
    case SQLITE_FLOAT:
      return celdas.agregarDoble(sqlite3_column_double(st, c));
    case SQLITE_NULL:
      return celdas.agregarNulo();
    default: {  // TEXT, and a BLOB read as its bytes
      auto* datos = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
      return celdas.agregarTexto(
          std::string_view(datos, static_cast<std::size_t>(sqlite3_column_bytes(st, c))));
    }
  }
}

// A record set read forward, one row at a time: the current row is the statement's. Errors
// of the first row are raised at the open, like those of a set read whole.
class Cursor : public prjsumsal::Registros {
 public:
  Cursor(sqlite3* db, const std::string& sql, Papel papel, std::string nombre)
      : db_(db), papel_(papel), nombre_(std::move(nombre)), st_(db, sql, papel, nombre_) {
    for (int c = 0; c < sqlite3_column_count(st_.get()); ++c) {
      std::string n = sqlite3_column_name(st_.get(), c);
      for (char& ch : n) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
      columnas_.emplace(std::move(n), c);  // the first column of a name wins
    }
    avanzar();
  }

  bool eof() const override { return fin_; }
  void MoveNext() override {
    if (fin_) throw Error("No hay registro activo");
    avanzar();
  }
  prjsumsal::Campo fields(std::string_view nombre) const override {
    std::string n(nombre);
    for (char& ch : n) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    auto it = columnas_.find(n);
    if (it == columnas_.end()) {
      throw Error("No se encontró el campo '" + std::string(nombre) +
                  "' en el conjunto de registros");
    }
    if (fin_) throw Error("No hay registro activo (campo '" + std::string(nombre) + "')");
    return prjsumsal::Campo{valorDe(st_.get(), it->second)};
  }
  void findfirst(std::string_view) override {
    throw Error("findfirst no está disponible en un conjunto de registros de solo avance");
  }
  bool nomatch() const override { return false; }

 private:
  void avanzar() {
    int rc = sqlite3_step(st_.get());
    if (rc == SQLITE_ROW) return;
    fin_ = true;
    sqlite3_reset(st_.get());  // ends the statement's read of the database
    if (rc != SQLITE_DONE) throw errorEn(db_, papel_, nombre_);
  }

  sqlite3* db_;
  Papel papel_;
  std::string nombre_;
  Preparada st_;
  std::unordered_map<std::string, int> columnas_;
  bool fin_ = false;
};

}  // namespace

// Runs one SELECT on `db` and reads all its rows into memory.
std::unique_ptr<prjsumsal::Registros> leerEn(sqlite3* db, const std::string& sql, Papel papel,
                                             const std::string& nombre) {
  Preparada st(db, sql, papel, nombre);
  int n = sqlite3_column_count(st.get());
  std::vector<std::string> columnas;
  for (int c = 0; c < n; ++c) columnas.emplace_back(sqlite3_column_name(st.get(), c));
  Celdas celdas(columnas.size());
  int rc;
  while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
    for (int c = 0; c < n; ++c) agregarCelda(celdas, st.get(), c);
  }
  if (rc != SQLITE_DONE) throw errorEn(db, papel, nombre);
  return std::make_unique<RegistrosMemoria>(std::move(columnas), std::move(celdas));
}

std::unique_ptr<prjsumsal::Registros> leerAvanzando(sqlite3* db, const std::string& sql,
                                                    Papel papel, const std::string& nombre) {
  return std::make_unique<Cursor>(db, sql, papel, nombre);
}

}  // namespace suite::datos
