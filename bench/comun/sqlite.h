#pragma once

#include <filesystem>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace bench {

// A connection to an SQLite file, closed when dropped. Every failure raises
// std::runtime_error with the engine's message.
class Conexion {
 public:
  explicit Conexion(const std::filesystem::path& ruta, bool soloLectura = false);
  ~Conexion();
  Conexion(const Conexion&) = delete;
  Conexion& operator=(const Conexion&) = delete;

  // Runs one or more statements that return no rows.
  void ejecutar(const std::string& sentencias);
  sqlite3* db() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

// A prepared statement, finalized when dropped.
class Sentencia {
 public:
  Sentencia(Conexion& c, const std::string& texto);
  ~Sentencia();
  Sentencia(const Sentencia&) = delete;
  Sentencia& operator=(const Sentencia&) = delete;

  // Steps once: true while there is a row, false when done. Raises on an engine error.
  bool paso();
  // Resets the statement to run again with new bindings (1-based).
  void reiniciar();
  void enlazar(int i, long long v);
  void enlazar(int i, double v);
  void enlazar(int i, const std::string& v);

  int columnas() const;
  bool nulo(int col) const;
  long long entero(int col) const;
  double doble(int col) const;
  std::string texto(int col) const;

 private:
  sqlite3* db_;
  sqlite3_stmt* st_ = nullptr;
};

}  // namespace bench
