#include "libro_xlsx/guardar_xlsx.h"

#include "export/archivo_seguro.h"
#include "libro_xlsx/escritor_libxlsx.h"

namespace suite::libro_xlsx {

void guardarLibroXlsx(const std::string& ruta, const prjsumsal::DisenoLibro& diseno,
                      const std::function<void(prjsumsal::EscritorXlsx&)>& llenar,
                      prjsumsal::Disco* disco) {
  prjsumsal::ArchivoSeguro archivo(ruta, disco);
  EscritorLibxlsx escritor(archivo.escritura(), ruta, diseno);
  llenar(escritor);
  escritor.cerrar();
  archivo.confirmar();
}

}  // namespace suite::libro_xlsx
