#pragma once

#include <string>

namespace prjsumsal {

// One account of the eight-column balance.
struct FilaBalance {
  std::string centro;    // account code, as the year-to-date statement grouped it
  std::string n_centro;  // account name from the chart; empty when the chart lacks it
  std::string g_cuenta;  // account group from the chart; selects the classification
  double debe = 0;       // 1 "Debitos": debits of the period
  double haber = 0;      // 2 "Creditos": credits of the period
  double debe_act = 0;   // 3 "Deudor": year-to-date debit balance
  double haber_act = 0;  // 4 "Acreedor": year-to-date credit balance
  double varDebe5 = 0;   // 5 "Activo": debe_act of an inventory account
  double varHaber6 = 0;  // 6 "Pasivo": haber_act of an inventory account
  double varDebe7 = 0;   // 7 "Perdidas": debe_act of a results account
  double varHaber8 = 0;  // 8 "Ganancias": haber_act of a results account
};

// Fills the four right-hand columns from the balance: accounts of group "A", "P" or "T" (exact
// and case-sensitive) are inventory accounts, every other group (empty included) a results one.
void clasificar(FilaBalance& fila);

}  // namespace prjsumsal
