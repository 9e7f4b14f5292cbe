#pragma once

#include <memory>
#include <string>

#include "balance/consulta.h"
#include "datos/base_sqlite.h"
#include "datos/esquema.h"

namespace suite::visor::prueba {

// Company 1's journal in memory: title accounts 1, 11 and 1101 in the chart; Caja moved by a
// sale (T 1), Banco Depósitos by a purchase (E 2), 110103 moved in and out to a zero balance,
// a voucher of the IFRS book and one of December 2025 for last year, Clientes sold to (T 6) in
// another group of 11; then 40 accounts 1202NN
// with one voucher each, so that the table scrolls.
inline std::shared_ptr<prjsumsal::BaseDatos> baseDePrueba() {
  std::shared_ptr<prjsumsal::BaseDatos> db =
      datos::BaseSqlite::enMemoria(datos::Papel::Contabilidad);
  for (const char* s : datos::kTablasContabilidad) db->executesql(s);
  std::string plan =
      "insert into ctmcentros values('1','ACTIVO',''),('11','ACTIVO CIRCULANTE',''),"
      "('1101','DISPONIBLE',''),('110101','Caja','A'),('110102','Banco Depósitos','A'),"
      "('110103','Cuenta "
      "Puente','A'),('110201','Clientes','A'),('210101','Proveedores','P'),('410101','Ventas','G')";
  std::string cabezas =
      "insert into ctccomprmm values(1,1,'2026-12-02','T',1,1,'1'),(1,1,'2026-12-03','E',2,1,'0'),"
      "(1,1,'2026-12-04','T',3,1,'1'),(1,1,'2026-12-05','T',4,1,'1'),(1,1,'2026-12-06','T',5,1,'2')"
      ","
      "(1,1,'2025-12-03','T',9,1,'1'),(1,1,'2026-12-07','T',6,1,'1')";
  std::string lineas =
      "insert into ctdcomprmm values(1,1,'2026-12-02','T',1,'110101',1000,0),"
      "(1,1,'2026-12-02','T',1,'410101',0,1000),(1,1,'2026-12-03','E',2,'110102',500,0),"
      "(1,1,'2026-12-03','E',2,'210101',0,500),(1,1,'2026-12-04','T',3,'110103',300,0),"
      "(1,1,'2026-12-04','T',3,'410101',0,300),(1,1,'2026-12-05','T',4,'410101',300,0),"
      "(1,1,'2026-12-05','T',4,'110103',0,300),(1,1,'2026-12-06','T',5,'110101',7777,0),"
      "(1,1,'2026-12-06','T',5,'410101',0,7777),(1,1,'2025-12-03','T',9,'110101',200,0),"
      "(1,1,'2025-12-03','T',9,'210101',0,200),(1,1,'2026-12-07','T',6,'110201',250,0),"
      "(1,1,'2026-12-07','T',6,'410101',0,250)";
  for (int i = 1; i <= 40; ++i) {
    const std::string cuenta = "1202" + std::string(i < 10 ? "0" : "") + std::to_string(i);
    const std::string n = std::to_string(100 + i);
    plan += ",('" + cuenta + "','Activo fijo " + std::to_string(i) + "','A')";
    cabezas += ",(1,2,'2026-12-01','I'," + n + ",1,'1')";
    lineas += ",(1,2,'2026-12-01','I'," + n + ",'" + cuenta + "'," + n +
              ",0),(1,2,'2026-12-01','I'," + n + ",'210101',0," + n + ")";
  }
  for (const std::string& s : {plan, cabezas, lineas}) db->executesql(s);
  return db;
}

inline prjsumsal::Consulta consultaDePrueba() {
  prjsumsal::Consulta c;
  c.empresa = 1;
  c.usuario = 1;
  c.desde = "2026-12-01";
  c.hasta = "2026-12-31";
  c.anio = 2026;
  c.libro = "1";
  return c;
}

}  // namespace suite::visor::prueba
