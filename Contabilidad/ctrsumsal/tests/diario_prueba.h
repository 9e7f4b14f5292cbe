#pragma once

#include <cmath>
#include <initializer_list>
#include <string>

#include "host/base_datos.h"

namespace prjsumsal::prueba {

// One journal line: account, debit, credit.
struct Linea {
  const char* centro;
  double debe, haber;
};

// An amount as the statement writes it: a whole amount as a whole number, as a journal kept in
// pesos holds it, so that a column that keeps integers returns whole-number sums.
inline std::string monto(double m) {
  return m == std::floor(m) ? std::to_string(static_cast<long long>(m)) : std::to_string(m);
}

// A chart entry; `nombre` is SQL ("'Caja'" or "null").
inline void cuenta(BaseDatos& db, const std::string& centro, const std::string& nombre,
                   const std::string& grupo) {
  db.executesql("insert into ctmcentros values('" + centro + "'," + nombre + ",'" + grupo + "')");
}

// A journal line of subsystem 1, with or without a voucher header.
inline void linea(BaseDatos& db, int empresa, const std::string& fecha, const std::string& doc,
                  int num, const Linea& l) {
  db.executesql("insert into ctdcomprmm values(" + std::to_string(empresa) + ",1,'" + fecha +
                "','" + doc + "'," + std::to_string(num) + ",'" + l.centro + "'," + monto(l.debe) +
                "," + monto(l.haber) + ")");
}

// A voucher header of subsystem 1 (user, book mark) and its lines.
inline void comprobante(BaseDatos& db, int empresa, const std::string& fecha,
                        const std::string& doc, int num, int usuario, const std::string& libro,
                        std::initializer_list<Linea> lineas) {
  db.executesql("insert into ctccomprmm values(" + std::to_string(empresa) + ",1,'" + fecha +
                "','" + doc + "'," + std::to_string(num) + "," + std::to_string(usuario) + ",'" +
                libro + "')");
  for (const auto& l : lineas) linea(db, empresa, fecha, doc, num, l);
}

}  // namespace prjsumsal::prueba
