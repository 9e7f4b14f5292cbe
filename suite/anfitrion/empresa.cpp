#include "empresa.h"

#include <exception>
#include <string>

#include "datos/base_postgres.h"
#include "datos/base_sqlite.h"

namespace suite::anfitrion {

void avisarEmpresaSinComprobantes(prjsumsal::BaseDatos& contabilidad, std::int16_t empresa,
                                  std::ostream& errores) {
  const std::string sql =
      "select 1 from ctccomprmm where empresa = " + std::to_string(empresa) + " limit 1";
  bool tiene = true;
  try {
    if (auto* sqlite = dynamic_cast<datos::BaseSqlite*>(&contabilidad)) {
      tiene = sqlite->hayFilas(sql);
    } else if (auto* servidor = dynamic_cast<datos::BasePostgres*>(&contabilidad)) {
      tiene = servidor->hayFilas(sql);
    }
  } catch (const std::exception&) {
    return;
  }
  if (!tiene) {
    errores << "nubo: la empresa " << empresa << " no tiene comprobantes en la base de contabilidad"
            << '\n';
  }
}

}  // namespace suite::anfitrion
