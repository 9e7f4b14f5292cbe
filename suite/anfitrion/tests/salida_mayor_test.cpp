// The ledger and the comparison as nubo writes them, on the tiny database worked out by hand
// (salida_texto_test.cpp): period 01/03/2025 to 31/03/2025, company 1, tax book. Caja opens with
// the 1000 of January and takes the sale of 250,50 (251 whole pesos); Ventas takes its credit;
// the IFRS-only voucher, the 2024 one, April's and company 2's are left out. Last year's period
// (to 31/03/2024) has no movement: every account shows 0 there.
#include "salida_mayor.h"

#include <gtest/gtest.h>

#include <sstream>

#include "ayuda_pruebas.h"
#include "datos/base_sqlite.h"

namespace suite::anfitrion {
namespace {

using prueba::Carpeta;

prjsumsal::Consulta marzo() {
  prjsumsal::Consulta c;
  c.empresa = 1;
  c.desde = "2025-03-01";
  c.hasta = "2025-03-31";
  c.anio = 2025;
  c.libro = "1";
  return c;
}

TEST(SalidaMayor, EnUnaTuberiaYEnUnaTerminal) {
  Carpeta carpeta;
  auto archivo = carpeta.ruta() / "chica.db";
  prueba::crearBaseChica(archivo);
  auto orden = [&](std::vector<std::string> acciones) {
    std::vector<std::string> a = {"--contabilidad", archivo.string(), "--desde",
                                  "01/03/2025",     "--hasta",        "31/03/2025"};
    a.insert(a.end(), acciones.begin(), acciones.end());
    return prueba::correrNubo(a);
  };
  auto e = orden({"--mayor", "1101", "--mayor", "5", "--comparar", "--texto"});
  ASSERT_EQ(e.estado, 0) << e.errores;
  EXPECT_EQ(e.errores, "");
  EXPECT_EQ(e.salida,
            "CUENTA\t1101\tCaja\t\t\t\t\n"
            "SALDO INICIAL\t\t\t\t\t\t1000\n"
            "05/03/2025\t1\tT\t2\t251\t0\t1251\n"
            "SUMAS\t\t\t\t251\t0\t\n"
            "SALDO DEUDOR\t\t\t\t1251\t\t\n"
            "CUENTA\t5101\tVentas\t\t\t\t\n"
            "SALDO INICIAL\t\t\t\t\t\t0\n"
            "05/03/2025\t1\tT\t2\t0\t251\t-251\n"
            "SUMAS\t\t\t\t0\t251\t\n"
            "SALDO ACREEDOR\t\t\t\t\t251\t\n"
            "1101\tCaja\t1251\t0\t1251\n"
            "2101\tProveedores\t-300\t0\t-300\n"
            "3101\tCapital\t-1000\t0\t-1000\n"
            "4101\tDepreciación\t300\t0\t300\n"
            "5101\tVentas\t-251\t0\t-251\n"
            "\tRESULTADO EJERCICIO\t-50\t0\t-50\n");

  e = orden({"--mayor", "9"});
  EXPECT_EQ(e.estado, 0);
  EXPECT_EQ(e.salida, "");
  EXPECT_EQ(
      e.errores,
      "nubo: Ninguna cuenta con movimientos en el año ni del plan de cuentas empieza por 9\n");

  // On a terminal: fixed columns, figures to the right, the other side of a line blank.
  auto db = datos::BaseSqlite::abrir(archivo, datos::Papel::Contabilidad);
  mayor::Mayor libro(*db, marzo(), mayor::Seleccion{{"5101"}, {}});
  std::ostringstream s;
  EXPECT_EQ(escribirMayor(s, libro, true), 1u);
  EXPECT_EQ(s.str(),
            "Cuenta 5101  Ventas\n"
            "Fecha       Sub  Doc     Número            Debe           Haber            Saldo\n"
            "Saldo inicial                                                                  0\n"
            "05/03/2025    1  T            2                             251             -251\n"
            "Sumas del período                             0             251\n"
            "Saldo final acreedor                                        251\n");
}

}  // namespace
}  // namespace suite::anfitrion
