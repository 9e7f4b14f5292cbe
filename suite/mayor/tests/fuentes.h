#pragma once

#include <memory>

#include "balance/consulta.h"
#include "host/base_datos.h"

namespace suite::mayor::prueba {

// The databases the ledger's tests read, on the engine the test runs on (SQLite, or the test
// server when NUBO_PRUEBA_PG is set): a generated journal of 20,000 lines (two companies, five
// users, vouchers of both books and of the common one, from July of 2025 to December of 2026),
// and the demo company with vouchers up to the 15th of June of 2026.
std::shared_ptr<prjsumsal::BaseDatos> diarioGenerado();
std::shared_ptr<prjsumsal::BaseDatos> demo();

// A query of the balance; dates as yyyy-mm-dd.
prjsumsal::Consulta consulta(int empresa, const char* libro, const char* desde, const char* hasta,
                             int alias = 0, int usuario = 1);

}  // namespace suite::mayor::prueba
