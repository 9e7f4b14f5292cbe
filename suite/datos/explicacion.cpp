#include "datos/explicacion.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <string_view>

namespace suite::datos {

namespace {

// The tables each role's database must have; a missing work table (ctrsumsal) is no sign of a
// wrong database, since the module creates it.
constexpr std::array<std::string_view, 5> kTablasContabilidad{
    "ctdcomprmm", "ctccomprmm", "ctmcentros", "admempresa", "contador"};

bool esTablaDelPapel(std::string_view tabla, Papel papel) {
  if (papel == Papel::Informes) return tabla == "programa";
  return std::find(kTablasContabilidad.begin(), kTablasContabilidad.end(), tabla) !=
         kTablasContabilidad.end();
}

// The table named after `prefijo` up to `fin` in the engine's message, or an empty text.
std::string tablaNombrada(const std::string& mensaje, std::string_view prefijo,
                          std::string_view fin) {
  auto ini = mensaje.find(prefijo);
  if (ini == std::string::npos) return {};
  ini += prefijo.size();
  auto hasta = fin.empty() ? mensaje.size() : mensaje.find(fin, ini);
  if (hasta == std::string::npos) return {};
  std::string tabla = mensaje.substr(ini, hasta - ini);
  if (auto punto = tabla.rfind('.'); punto != std::string::npos) tabla.erase(0, punto + 1);
  return tabla;
}

std::string conMotor(const std::string& explicacion, const std::string& mensaje) {
  return explicacion + " (" + mensaje + ")";
}

std::string faltaTabla(const std::string& base, const std::string& tabla, Papel papel,
                       const std::string& mensaje) {
  return conMotor(
      base + " no es una base de " + nombrePapel(papel) + ": le falta la tabla " + tabla, mensaje);
}

}  // namespace

std::string explicarSqlite(int codigo, const std::string& mensaje, Papel papel,
                           const std::string& nombre) {
  const std::string base = std::string("La base de datos de ") + nombrePapel(papel) + " " + nombre;
  switch (codigo & 0xff) {
    case SQLITE_BUSY:
      return conMotor(base +
                          " está ocupada con lo que graba otro programa; vuelva a intentarlo "
                          "cuando termine",
                      mensaje);
    case SQLITE_READONLY:
      return conMotor(base + " es de solo lectura: no admite cambios", mensaje);
    default:
      break;
  }
  std::string tabla = tablaNombrada(mensaje, "no such table: ", "");
  if (!tabla.empty() && esTablaDelPapel(tabla, papel)) {
    return faltaTabla(base, tabla, papel, mensaje);
  }
  return mensaje;
}

std::string explicarPostgres(const std::string& estado, const std::string& mensaje, Papel papel,
                             const std::string& destino) {
  const std::string base =
      std::string("La base de datos de ") + nombrePapel(papel) + " (" + destino + ")";
  if (estado == "25006" ||
      (estado == "0A000" && mensaje.find("hot standby") != std::string::npos)) {
    return conMotor(base + " es de solo lectura: el servidor no admite cambios en ella", mensaje);
  }
  if (estado == "42P01") {
    std::string tabla = tablaNombrada(mensaje, "relation \"", "\"");
    if (esTablaDelPapel(tabla, papel)) return faltaTabla(base, tabla, papel, mensaje);
  }
  return mensaje;
}

std::string explicarApertura(int codigo, const std::string& mensaje, const std::string& nombre) {
  if ((codigo & 0xff) != SQLITE_NOTADB) return {};
  return "El archivo " + nombre + " no es una base de datos SQLite: " + mensaje;
}

}  // namespace suite::datos
