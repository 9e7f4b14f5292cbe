#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "host/escritor_xlsx.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace suite::libro_xlsx {

// The module's Office Open XML writer over libxlsxwriter: one workbook of one worksheet, set up
// from the sheet's design when it is created. The library runs in its constant-memory mode: each
// row goes to a temporary file of its own once a row below it is written, and cerrar() writes
// the package at `ruta`, reads it back whole and flushes it to the disk. Failures raise
// prjsumsal::Error in Spanish, naming the file as `nombre`; the library's own diagnostics stay
// off standard error.
//
// The library's temporary files go into `carpetaTemporal`, by default the folder of `ruta`
// (the system's temporary folder when `ruta` is a device): the disk the workbook is written to,
// already known to take files, and not a shared temporary folder that may be full. They are
// removed as soon as they are made, so a killed run leaves none.
class EscritorLibxlsx : public prjsumsal::EscritorXlsx {
 public:
  // Raises when the library cannot start the workbook or refuses the design (a sheet name it
  // does not allow).
  EscritorLibxlsx(std::string ruta, std::string nombre, const prjsumsal::DisenoLibro& diseno,
                  std::string carpetaTemporal = {});
  ~EscritorLibxlsx() override;
  EscritorLibxlsx(const EscritorLibxlsx&) = delete;
  EscritorLibxlsx& operator=(const EscritorLibxlsx&) = delete;

  void texto(int fila, int columna, const std::string& valor,
             const prjsumsal::FormatoCelda& formato) override;
  void numero(int fila, int columna, double valor, const prjsumsal::FormatoCelda& formato) override;
  void centrar(int fila, int columna, int hastaColumna, const std::string& valor,
               const prjsumsal::FormatoCelda& formato) override;
  void anchoColumna(int columna, double puntos) override;
  void cerrar() override;

 private:
  // The library's format for `f`, centred across a span when `aTraves`.
  lxw_format* formato(const prjsumsal::FormatoCelda& f, bool aTraves = false);
  // Checks what the library wrote; raises when the package is not whole.
  void comprobarPaquete() const;
  // Raises when the library answered `error` (an lxw_error) to a call at (fila, columna);
  // otherwise notes the row as written.
  void comprobar(int error, int fila, int columna);

  std::string ruta_;
  std::string nombre_;
  std::string temporal_;  // the library's temporary folder
  lxw_workbook* libro_ = nullptr;
  lxw_worksheet* hoja_ = nullptr;
  std::map<std::pair<prjsumsal::FormatoCelda, bool>, lxw_format*> formatos_;  // the workbook's
  int ultimaFila_ = -1;  // the last row a cell was written to
};

// The host's factory for Plataforma::crearLibroXlsx.
std::unique_ptr<prjsumsal::EscritorXlsx> crearEscritorLibxlsx(const std::string& ruta,
                                                              const std::string& nombre,
                                                              const prjsumsal::DisenoLibro& d);

}  // namespace suite::libro_xlsx
