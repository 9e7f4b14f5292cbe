#pragma once

#include <filesystem>
#include <string>

#include "balance/consulta.h"

namespace bench {

// The spreadsheet export as "Excel Balance" runs it once the file is chosen: a Calculo for the
// exports over a BaseSqlite on the journal, each account written to the workbook as it comes,
// the closing rows, and the file put in place of `destino`. Returns "<accounts> cuentas,
// <bytes> bytes".
std::string exportacionLibro(const std::filesystem::path& diario, const prjsumsal::Consulta& c,
                             const std::filesystem::path& destino);

}  // namespace bench
