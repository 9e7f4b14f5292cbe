#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "balance/fila_balance.h"

namespace prjsumsal {

// The two XML files that the companion renderer turns into the PDF: the data file with one
// block per account and the heading file. Lines end in CR LF; values are UTF-8 with the
// characters XML reserves escaped. Amounts take the general number form with the regional
// decimal separator. Streams are not owned; a failed write raises an Error.

// The names, in the module's folder, of the two files and of the renderer that reads them.
// RENDIDOR's reader uses the same names.
inline constexpr char kArchivoDatos[] = "balance_tributario_datos.xml";
inline constexpr char kArchivoEmpresa[] = "balance_tributario_empresa.xml";
inline constexpr char kRendidor[] = "RENDIDOR";

// What every block of the data file repeats.
struct ContextoDatos {
  std::int16_t empresa = 0;   // glbEmpresa
  std::string nombreEmpresa;  // glbN_empresa, the element <usuario>
  std::string periodo;        // "dd/mm/yyyy - dd/mm/yyyy", the element <fecha>
  std::string decimal = ",";  // the regional decimal separator
};

// The data file "balance_tributario_datos.xml": "<tabla>", 18 lines per account, "</tabla>".
class DatosPdf {
 public:
  DatosPdf(std::ostream& salida, ContextoDatos contexto);

  // Writes "<tabla>".
  void abrir();
  // Writes the account's block.
  void bloque(const FilaBalance& fila);
  // Writes "</tabla>" and flushes the stream.
  void cerrar();

 private:
  std::ostream& salida_;
  ContextoDatos contexto_;
  std::string empresa_;  // glbEmpresa in decimal digits, the same in every block
};

// The heading file "balance_tributario_empresa.xml", 15 lines.
struct EmpresaPdf {
  std::int16_t empresa = 0;
  std::string nombre_empresa, usuario_nombre, fecha, fecha_desde, fecha_hasta;
  std::string rut_contador, nombre_contador, registro_contador;
  std::string rut_rep_legal, nombre_rep_legal;
};

// Writes the heading file and flushes the stream.
void escribirEmpresaPdf(std::ostream& salida, const EmpresaPdf& e);

}  // namespace prjsumsal
