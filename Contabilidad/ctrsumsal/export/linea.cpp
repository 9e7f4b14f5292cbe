#include "export/linea.h"

#include "host/error.h"

namespace prjsumsal {

namespace {

void comprobar(const std::ostream& salida) {
  if (!salida) throw Error("No se pudo escribir el archivo: falló la escritura");
}

}  // namespace

void escribirLinea(std::ostream& salida, std::string_view linea) {
  salida.write(linea.data(), static_cast<std::streamsize>(linea.size()));
  salida.write("\r\n", 2);
  comprobar(salida);
}

void escribirLinea(std::ostream& salida, std::string_view apertura, std::string_view valor,
                   std::string_view cierre) {
  salida.write(apertura.data(), static_cast<std::streamsize>(apertura.size()));
  salida.write(valor.data(), static_cast<std::streamsize>(valor.size()));
  salida.write(cierre.data(), static_cast<std::streamsize>(cierre.size()));
  salida.write("\r\n", 2);
  comprobar(salida);
}

void terminarSalida(std::ostream& salida) {
  salida.flush();
  comprobar(salida);
}

}  // namespace prjsumsal
