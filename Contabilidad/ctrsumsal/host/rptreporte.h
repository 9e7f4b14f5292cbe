#pragma once

#include <cstdint>
#include <string>

#include "host/valor.h"

namespace prjsumsal {

// The report engine the form holds invisibly as `rptreporte`: it runs a report file, which reads
// its rows from the report database, and sends the pages to the printer or to a preview window.
// The form writes three members, always in this order: the destination, the report file's full
// path, then 1 to the run trigger, which runs the report at once. A member read back returns the
// value last written to it.
class rptreporte {
 public:
  static constexpr std::int32_t kDispidArchivo = 3;     // report file, full path (text)
  static constexpr std::int32_t kDispidAccion = 17;     // run trigger (16-bit integer)
  static constexpr std::int32_t kDispidDestino = 24;    // destination (32-bit integer)
  static constexpr std::int32_t kDestinoVentana = 0;    // the preview window
  static constexpr std::int32_t kDestinoImpresora = 1;  // the printer

  virtual ~rptreporte() = default;

  // Where the next run sends its pages: kDestinoVentana or kDestinoImpresora.
  virtual std::int32_t Destino() const = 0;
  virtual void Destino(std::int32_t valor) = 0;
  // The report file the next run reads.
  virtual std::string Archivo() const = 0;
  virtual void Archivo(const std::string& valor) = 0;
  // Writing 1 runs the report file to the destination and returns when the pages are out (or
  // the preview window is closed); other values do nothing. Raises an Error whose description
  // names the cause when the report cannot run: a missing or invalid report file, a work table
  // that is missing, empty or without its closing row, no printer.
  virtual void Accion(std::int16_t valor) = 0;
  // The title of the preview window, a design value of the form.
  virtual std::string TituloVentana() const = 0;
  virtual void TituloVentana(const std::string& valor) = 0;

  // Late-bound access by DISPID to the three members above. Raises an Error for a DISPID the
  // engine does not have and "No coinciden los tipos" for a value of the wrong kind.
  Valor get(std::int32_t dispid) const;
  void put(std::int32_t dispid, const Valor& valor);
};

}  // namespace prjsumsal
