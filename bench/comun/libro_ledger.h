#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace bench {

// The journal file for the `ledger` program that holds the vouchers of `empresa` counting in
// book `libro`, kept beside the database it comes from.
std::filesystem::path rutaLedger(const std::filesystem::path& diario, int empresa,
                                 const std::string& libro);

// Writes those vouchers as a ledger journal: one transaction per voucher, accounts named by
// their code, each line's debit minus credit in whole pesos. Writes to a temporary name and
// renames at the end, so a file at `destino` is complete.
void escribirLedger(const std::filesystem::path& diario, const std::filesystem::path& destino,
                    int empresa, const std::string& libro);

// The command line that asks ledger for the balance of [desde, hasta) (ISO days, `hasta`
// excluded, as ledger's -e takes it).
std::vector<std::string> ordenLedger(const std::filesystem::path& archivo, const std::string& desde,
                                     const std::string& hasta);

// Each account's balance (debits minus credits) of [desde, hasta), as ledger computes it.
std::map<std::string, long long> saldosLedger(const std::filesystem::path& archivo,
                                              const std::string& desde, const std::string& hasta);

}  // namespace bench
