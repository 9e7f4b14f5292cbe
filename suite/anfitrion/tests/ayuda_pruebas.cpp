#include "ayuda_pruebas.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "datos/esquema.h"

namespace suite::prueba {

namespace fs = std::filesystem;

Carpeta::Carpeta() {
  std::string plantilla = (fs::path(::testing::TempDir()) / "nubo-XXXXXX").string();
  if (!::mkdtemp(plantilla.data())) throw std::runtime_error("mkdtemp");
  ruta_ = plantilla;
}

Carpeta::~Carpeta() {
  std::error_code ignorado;
  fs::remove_all(ruta_, ignorado);
}

void crearBase(const fs::path& archivo, const std::string& sql) {
  sqlite3* c = nullptr;
  sqlite3_open(archivo.c_str(), &c);
  char* error = nullptr;
  int rc = sqlite3_exec(c, sql.c_str(), nullptr, nullptr, &error);
  std::string mensaje = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(c);
  if (rc != SQLITE_OK) throw std::runtime_error(mensaje);
}

std::vector<std::string> consultar(const fs::path& archivo, const std::string& sql) {
  sqlite3* c = nullptr;
  sqlite3_open_v2(archivo.c_str(), &c, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* s = nullptr;
  std::vector<std::string> filas;
  if (sqlite3_prepare_v2(c, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) {
    std::string mensaje = sqlite3_errmsg(c);
    sqlite3_close(c);
    throw std::runtime_error(mensaje);
  }
  while (sqlite3_step(s) == SQLITE_ROW) {
    auto texto = sqlite3_column_text(s, 0);
    filas.emplace_back(texto ? reinterpret_cast<const char*>(texto) : "");
  }
  sqlite3_finalize(s);
  sqlite3_close(c);
  return filas;
}

void crearBaseChica(const fs::path& archivo) {
  crearBase(archivo, suite::datos::scriptTablasContabilidad() + R"(
    insert into ctmcentros values ('1101', 'Caja', 'A'), ('2101', 'Proveedores', 'P'),
      ('3101', 'Capital', 'T'), ('4101', 'Depreciación', 'G'), ('5101', 'Ventas', 'I');
    insert into ctccomprmm values
      (1, 1, '2025-01-02', 'T', 1, 1, '0'),  -- capital
      (1, 1, '2025-03-05', 'T', 2, 1, '0'),  -- a cash sale of 250,50
      (1, 1, '2025-03-10', 'T', 3, 2, '1'),  -- tax depreciation, tax book only
      (1, 1, '2025-03-12', 'T', 4, 1, '2'),  -- IFRS adjustment, IFRS book only
      (1, 1, '2024-12-31', 'T', 9, 1, '0'),  -- the year before
      (1, 1, '2025-04-01', 'T', 5, 1, '0'),  -- after the period
      (2, 1, '2025-03-15', 'T', 1, 1, '0');  -- another company
    insert into ctdcomprmm values
      (1, 1, '2025-01-02', 'T', 1, '1101', 1000, 0), (1, 1, '2025-01-02', 'T', 1, '3101', 0, 1000),
      (1, 1, '2025-03-05', 'T', 2, '1101', 250.5, 0), (1, 1, '2025-03-05', 'T', 2, '5101', 0, 250.5),
      (1, 1, '2025-03-10', 'T', 3, '4101', 300, 0), (1, 1, '2025-03-10', 'T', 3, '2101', 0, 300),
      (1, 1, '2025-03-12', 'T', 4, '4101', 999, 0), (1, 1, '2025-03-12', 'T', 4, '1101', 0, 999),
      (1, 1, '2024-12-31', 'T', 9, '1101', 7000, 0), (1, 1, '2024-12-31', 'T', 9, '3101', 0, 7000),
      (1, 1, '2025-04-01', 'T', 5, '1101', 50, 0), (1, 1, '2025-04-01', 'T', 5, '5101', 0, 50),
      (2, 1, '2025-03-15', 'T', 1, '1101', 11, 0), (2, 1, '2025-03-15', 'T', 1, '5101', 0, 11);
  )");
}

std::string leer(const fs::path& archivo) {
  std::ifstream f(archivo, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

std::vector<std::string> comoNadie(const fs::path& carpeta, const fs::path& casa) {
  fs::path prog = carpeta / "prog";
  fs::create_directories(prog);
  for (const auto& f : fs::directory_iterator(fs::path(NUBO_EJECUTABLE).parent_path())) {
    std::string n = f.path().filename().string();
    if (n == "nubo" || n.starts_with("libprjsumsal.so")) {
      fs::copy_file(f.path(), prog / n, fs::copy_options::overwrite_existing);
    }
  }
  const auto entrar = fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec;
  fs::permissions(prog, entrar);
  fs::permissions(carpeta, entrar);
  return {"setpriv",
          "--reuid=nobody",
          "--regid=nogroup",
          "--clear-groups",
          "env",
          "XDG_CACHE_HOME=" + casa.string(),
          "HOME=" + casa.string(),
          "sh",
          "-c",
          "shift; exec \"$0\" \"$@\"",
          (prog / "nubo").string()};
}

void ConDemo::SetUp() {
  ::setenv("XDG_CONFIG_HOME", (carpeta_.ruta() / "config").c_str(), 1);
  ASSERT_EQ(correrNubo({"--demo", demo_, "--texto"}).estado, 0);  // creates the demo company
}

void ConDemo::TearDown() {
  ::unsetenv("XDG_CONFIG_HOME");
}

namespace {

std::string citar(const std::string& s) {
  std::string r = "'";
  for (char c : s) r += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return r + "'";
}

}  // namespace

std::string ordenNubo(const std::vector<std::string>& argumentos,
                      const std::vector<std::string>& antes) {
  // Without a display, whatever the test's own session has: nubo without an action would
  // otherwise open its window and wait for a user.
  std::string orden = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";
  for (const auto& a : antes) orden += " " + citar(a);
  orden += " " + citar(NUBO_EJECUTABLE);
  for (const auto& a : argumentos) orden += " " + citar(a);
  return orden;
}

Ejecucion correrNubo(const std::vector<std::string>& argumentos,
                     const std::vector<std::string>& antes) {
  Carpeta salidas;
  std::string orden = ordenNubo(argumentos, antes) + " >" +
                      citar((salidas.ruta() / "salida").string()) + " 2>" +
                      citar((salidas.ruta() / "errores").string()) + " </dev/null";
  int estado = std::system(orden.c_str());
  Ejecucion e;
  e.estado = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
  e.salida = leer(salidas.ruta() / "salida");
  e.errores = leer(salidas.ruta() / "errores");
  return e;
}

}  // namespace suite::prueba
