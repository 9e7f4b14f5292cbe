#pragma once

#include <string>

#include "balance/consulta.h"

namespace suite::mayor {

// The conditions that make a journal line (alias a) count in the balance once its voucher's
// header (alias b) is in the FROM list, in the Jet dialect, each after " and ": the line joined
// to its header on the five keys, the user's own vouchers when alias is 2, and the vouchers
// marked "0" or of the chosen book. They are the balance's own conditions; the ledger's tests
// hold the two to the same rows, account by account.
std::string condicionesDelLibro(const prjsumsal::Consulta& c);

// " where " and the conditions of the company's lines of the year of `hasta` up to `hasta`,
// then condicionesDelLibro: the year-to-date rows of the balance.
std::string filtroAcumulado(const prjsumsal::Consulta& c);

}  // namespace suite::mayor
