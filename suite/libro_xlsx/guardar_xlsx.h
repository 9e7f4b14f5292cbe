#pragma once

#include <functional>
#include <string>

#include "host/disco.h"
#include "host/escritor_xlsx.h"

namespace suite::libro_xlsx {

// Writes an Office Open XML workbook at `ruta` the one way every file is written
// (prjsumsal::ArchivoSeguro through `disco`, null for the platform's): `llenar` lays out its
// cells on an EscritorLibxlsx made with `diseno`, which writes into the temporary file; the
// workbook is then closed, read back, flushed and put in `ruta`'s place only when whole. A
// failure, of `llenar` or of the disk, raises prjsumsal::Error naming `ruta` and leaves the
// earlier file as it was and no temporary file behind.
void guardarLibroXlsx(const std::string& ruta, const prjsumsal::DisenoLibro& diseno,
                      const std::function<void(prjsumsal::EscritorXlsx&)>& llenar,
                      prjsumsal::Disco* disco = nullptr);

}  // namespace suite::libro_xlsx
