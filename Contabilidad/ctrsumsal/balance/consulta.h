#pragma once

#include <cstdint>
#include <string>

namespace prjsumsal {

// The inputs of one balance run, taken from the context and the form.
struct Consulta {
  std::int16_t empresa = 0;  // glbEmpresa
  std::int16_t usuario = 0;  // glbUsuario
  std::int16_t alias = 0;    // glbAlias; 2 keeps only the user's own vouchers
  std::string desde;         // query text of txtdesde ("yyyy-mm-dd")
  std::string hasta;         // query text of txthasta
  int anio = 0;              // year of txthasta
  std::string libro;         // book key: first character of cmbifrs ("1", "2" or empty)
};

// Who reads the year-to-date rows: the report work table takes them in the database's order;
// the two exports ask for them ordered by account code.
enum class Uso { Informe, Exportacion };

// The grouped statement of the period's debits and credits per account.
std::string sentenciaPeriodo(const Consulta& c);
// The grouped statement of the year-to-date debits and credits per account, from the first of
// January of the end date's year up to the end date.
std::string sentenciaAcumulado(const Consulta& c, Uso uso);

}  // namespace prjsumsal
