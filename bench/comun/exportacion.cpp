#include "exportacion.h"

#include "balance/calculo.h"
#include "datos/base_sqlite.h"
#include "export/archivo_seguro.h"
#include "export/libro_excel.h"

namespace bench {

std::string exportacionLibro(const std::filesystem::path& diario, const prjsumsal::Consulta& c,
                             const std::filesystem::path& destino) {
  auto db = suite::datos::BaseSqlite::abrir(diario, suite::datos::Papel::Contabilidad);
  prjsumsal::ArchivoSeguro archivo(destino.string());
  prjsumsal::LibroExcel libro(archivo.flujo());
  libro.cabeza("EMPRESA DE PRUEBA");
  prjsumsal::Calculo calculo(*db, c, prjsumsal::Uso::Exportacion);
  prjsumsal::FilaBalance fila;
  long cuentas = 0;
  while (calculo.siguiente(fila)) {
    libro.fila(fila);
    ++cuentas;
  }
  libro.cierre();
  archivo.confirmar();
  return std::to_string(cuentas) + " cuentas, " +
         std::to_string(std::filesystem::file_size(destino)) + " bytes";
}

}  // namespace bench
