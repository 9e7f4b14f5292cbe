#pragma once

#include <cstdint>
#include <ostream>

#include "host/base_datos.h"

namespace suite::anfitrion {

// Says on `errores`, as the host's warning "nubo: la empresa N no tiene comprobantes en la base
// de contabilidad", when the journal of `contabilidad` holds no voucher of company `empresa`: a
// mistyped company code would otherwise give an all-zero balance in silence. A new company
// legitimately has none, so it is only a warning. Asked through the database object's own
// untraced query (no statement of the module's); a database that cannot answer is left for the
// module's statements to report.
void avisarEmpresaSinComprobantes(prjsumsal::BaseDatos& contabilidad, std::int16_t empresa,
                                  std::ostream& errores);

}  // namespace suite::anfitrion
