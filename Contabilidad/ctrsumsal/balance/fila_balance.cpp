#include "balance/fila_balance.h"

namespace prjsumsal {

void clasificar(FilaBalance& f) {
  bool inventario = f.g_cuenta == "A" || f.g_cuenta == "P" || f.g_cuenta == "T";
  f.varDebe5 = inventario ? f.debe_act : 0;
  f.varHaber6 = inventario ? f.haber_act : 0;
  f.varDebe7 = inventario ? 0 : f.debe_act;
  f.varHaber8 = inventario ? 0 : f.haber_act;
}

}  // namespace prjsumsal
