#pragma once

#include <string>

#include "host/fecha.h"

namespace suite::demo {

// Creates the demo company in the PostgreSQL database that `uri` names, when its tables are
// missing: the accounting tables (dates as date, amounts as numeric) with the same chart,
// company record, accountant and vouchers up to `hoy` as the SQLite demo, the indexes a journal
// of millions of lines needs, and the report database's `programa` table, so that the same
// database can serve as the report database too (--informes). Everything goes in one transaction,
// the rows with COPY, so an interrupted run leaves nothing half made; tables already there are left
// as they are. Raises an Error with the server's message when the server refuses.
void prepararDemoPostgres(const std::string& uri, const prjsumsal::Fecha& hoy);

}  // namespace suite::demo
