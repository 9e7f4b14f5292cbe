#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace suite::prueba {

// A fresh folder under the test temporary directory, removed when the object dies.
class Carpeta {
 public:
  Carpeta();
  ~Carpeta();
  const std::filesystem::path& ruta() const { return ruta_; }

 private:
  std::filesystem::path ruta_;
};

// Creates an SQLite file at `archivo` and runs `sql` (several statements) on it.
void crearBase(const std::filesystem::path& archivo, const std::string& sql);

// Runs one query on an SQLite file and returns the first column of each row as text
// (an empty text for null).
std::vector<std::string> consultar(const std::filesystem::path& archivo, const std::string& sql);

// The tiny accounting database worked out by hand in the tests: five accounts, vouchers of
// both books, of an earlier year, of a later day and of another company.
void crearBaseChica(const std::filesystem::path& archivo);

// What a run of nubo left: its exit status and its two outputs.
struct Ejecucion {
  int estado = -1;
  std::string salida;
  std::string errores;
};

// Runs the nubo executable with `argumentos`, its standard output redirected to a file (so it
// is not a terminal), and waits for it.
Ejecucion correrNubo(const std::vector<std::string>& argumentos);

}  // namespace suite::prueba
