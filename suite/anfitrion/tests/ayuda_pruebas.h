#pragma once

#include <gtest/gtest.h>

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

// The bytes of a file.
std::string leer(const std::filesystem::path& archivo);

// What a run of nubo left: its exit status and its two outputs.
struct Ejecucion {
  int estado = -1;
  std::string salida;
  std::string errores;
};

// The shell command that runs the nubo executable with `argumentos` without a display, through
// the words of `antes` when given (a command that runs another, such as setpriv).
std::string ordenNubo(const std::vector<std::string>& argumentos,
                      const std::vector<std::string>& antes = {});

// Runs ordenNubo, its standard output redirected to a file (so it is not a terminal), and waits
// for it.
Ejecucion correrNubo(const std::vector<std::string>& argumentos,
                     const std::vector<std::string>& antes = {});

// The words before ordenNubo's that run a copy of nubo and its module, made in `carpeta`/prog,
// as the unprivileged user nobody, with `casa` as HOME and cache folder. The build folder may
// be closed to other users, so the copy is made in `carpeta`, which is opened for them to
// enter. Needs root.
std::vector<std::string> comoNadie(const std::filesystem::path& carpeta,
                                   const std::filesystem::path& casa);

// A test over the demo company, created in a folder of its own, with its own registration file
// (XDG_CONFIG_HOME, which the child process inherits).
class ConDemo : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::filesystem::path contabilidad() const {
    return std::filesystem::path(demo_) / "contabilidad.db";
  }
  std::filesystem::path informes() const { return std::filesystem::path(demo_) / "informes.db"; }

  Carpeta carpeta_;
  std::string demo_ = (carpeta_.ruta() / "demo").string();
};

}  // namespace suite::prueba
