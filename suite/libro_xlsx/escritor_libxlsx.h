#pragma once

#include <map>
#include <memory>
#include <string>

#include "host/escritor_xlsx.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace suite {

// The module's Office Open XML writer over libxlsxwriter: one workbook of one worksheet, set up
// from the sheet's design when it is created, its cells kept by the library until cerrar()
// writes the file at `ruta` and flushes it to the disk. Failures raise prjsumsal::Error in
// Spanish, naming the file as `nombre`; the library's own diagnostics stay off standard error.
class EscritorLibxlsx : public prjsumsal::EscritorXlsx {
 public:
  // Raises when the library cannot start the workbook or refuses the design (a sheet name it
  // does not allow).
  EscritorLibxlsx(std::string ruta, std::string nombre, const prjsumsal::DisenoLibro& diseno);
  ~EscritorLibxlsx() override;
  EscritorLibxlsx(const EscritorLibxlsx&) = delete;
  EscritorLibxlsx& operator=(const EscritorLibxlsx&) = delete;

  void texto(int fila, int columna, const std::string& valor,
             const prjsumsal::FormatoCelda& formato) override;
  void numero(int fila, int columna, double valor, const prjsumsal::FormatoCelda& formato) override;
  void combinar(int fila, int columna, int hastaFila, int hastaColumna, const std::string& valor,
                const prjsumsal::FormatoCelda& formato) override;
  void cerrar() override;

 private:
  lxw_format* formato(const prjsumsal::FormatoCelda& f);
  // Raises when the library answered `error` (an lxw_error) to a call at (fila, columna).
  void comprobar(int error, int fila, int columna) const;

  std::string ruta_;
  std::string nombre_;
  lxw_workbook* libro_ = nullptr;
  lxw_worksheet* hoja_ = nullptr;
  std::map<prjsumsal::FormatoCelda, lxw_format*> formatos_;  // owned by the workbook
};

// The host's factory for Plataforma::crearLibroXlsx.
std::unique_ptr<prjsumsal::EscritorXlsx> crearEscritorLibxlsx(const std::string& ruta,
                                                              const std::string& nombre,
                                                              const prjsumsal::DisenoLibro& d);

}  // namespace suite
