#include "datos/wal_solo_lectura.h"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>

namespace suite::datos {

namespace {

// Bytes 18 and 19 of the header, the file format's write and read versions, are 2 in WAL mode.
bool enModoWal(const std::string& archivo) {
  std::ifstream f(archivo, std::ios::binary);
  char cabecera[20] = {};
  return f.read(cabecera, sizeof cabecera) && cabecera[18] == 2 && cabecera[19] == 2;
}

}  // namespace

std::string motivoWalSoloLectura(sqlite3* db, int rc, const std::string& nombre,
                                 const std::string& papel) {
  const int primario = rc & 0xff;
  if ((primario != SQLITE_READONLY && primario != SQLITE_CANTOPEN) ||
      sqlite3_db_readonly(db, "main") != 1) {
    return {};
  }
  const char* archivo = sqlite3_db_filename(db, "main");
  if (archivo == nullptr || !enModoWal(archivo)) return {};
  const std::string shm = std::string(archivo) + "-shm";
  const std::string carpeta = std::filesystem::path(archivo).parent_path().string();
  std::error_code ec;
  std::string inicio = "La base de datos de " + papel + " " + nombre +
                       " está en modo WAL y no se puede leer sin escribir su archivo -shm: ";
  if (std::filesystem::exists(shm, ec)) {
    return inicio + shm + " no se puede leer. Un administrador puede dar permiso de lectura " +
           "sobre él y sobre " + archivo + "-wal, o pasar la base al modo de diario por " +
           "reversión (PRAGMA journal_mode=DELETE), que se lee sin escribir nada";
  }
  return inicio + "ningún otro programa la tiene abierta y este usuario no puede crear " + shm +
         " en la carpeta " + carpeta + ". Un administrador puede pasar la base al modo de " +
         "diario por reversión (PRAGMA journal_mode=DELETE), que se lee sin escribir nada, o " +
         "permitir a este usuario escribir en esa carpeta";
}

}  // namespace suite::datos
