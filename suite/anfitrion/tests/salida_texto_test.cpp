// The balance of the tiny database, worked out by hand. Period 01/03/2025 to 31/03/2025, company
// 1, tax book (marks "0" and "1"):
//   1101 Caja (A)          March debit 250,50; year: debits 1000 + 250,50      -> Deudor 1250,50
//   2101 Proveedores (P)   March credit 300                                    -> Acreedor 300
//   3101 Capital (T)       no March lines; year: credit 1000                   -> Acreedor 1000
//   4101 Depreciación (G)  March debit 300 (tax book only)                     -> Deudor 300
//   5101 Ventas (I)        March credit 250,50                                 -> Acreedor 250,50
// Left out: the IFRS-only voucher, the 2024 voucher, April's and company 2's.
// Sums: Debitos 550,50, Creditos 550,50, Deudor 1550,50, Acreedor 1550,50, Activo 1250,50,
// Pasivo 1300, Perdidas 300, Ganancias 250,50. Result: Activo 1300 - 1250,50 = 49,50 and
// Ganancias 300 - 250,50 = 49,50. Totals: Activo = Pasivo = 1300, Perdidas = Ganancias = 300.
// Whole pesos round a half away from zero: 250,50 -> 251, 49,50 -> 50.
#include "salida_texto.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "anchura.h"
#include "ayuda_pruebas.h"
#include "balance.h"
#include "datos/base_sqlite.h"

namespace suite::anfitrion {
namespace {

using prueba::Carpeta;

class BalanceChico : public ::testing::Test {
 protected:
  void SetUp() override {
    prueba::crearBaseChica(carpeta_.ruta() / "c.db");
    db_ = datos::BaseSqlite::abrir(carpeta_.ruta() / "c.db", datos::Papel::Contabilidad);
  }

  std::vector<Renglon> calcular(std::vector<std::string> mas) {
    // March 2025 unless the case gives its own period.
    std::vector<std::string> args = {"nubo", "--contabilidad", "c", "--informes", "i"};
    if (std::find(mas.begin(), mas.end(), "--desde") == mas.end()) {
      args.insert(args.end(), {"--desde", "01/03/2025", "--hasta", "31/03/2025"});
    }
    args.insert(args.end(), mas.begin(), mas.end());
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    Opciones o = leerOpciones(int(argv.size()), argv.data(), {2026, 1, 1}).opciones;
    return calcularBalance(*db_, consultaDe(o)).renglones;
  }

  static std::string separado(const std::vector<Renglon>& r) {
    std::ostringstream s;
    escribirSeparado(s, r);
    return s.str();
  }

  Carpeta carpeta_;
  std::unique_ptr<datos::BaseSqlite> db_;
};

// The book, the company and the user's scope reach the query. Only the account lines are
// compared; the closing rows follow from them as above.
TEST_F(BalanceChico, LibroEmpresaYUsuario) {
  struct Caso {
    std::vector<std::string> opciones;
    std::string cuentas;
  };
  const Caso casos[] = {
      // IFRS book: the IFRS-only 999 enters, the tax-only 300 leaves. Caja's year: 1250,50 - 999.
      {{"--norma", "2"},
       "1101\tCaja\t251\t999\t252\t0\t252\t0\t0\t0\n"
       "3101\tCapital\t0\t0\t0\t1000\t0\t1000\t0\t0\n"
       "4101\tDepreciación\t999\t0\t999\t0\t0\t0\t999\t0\n"
       "5101\tVentas\t0\t251\t0\t251\t0\t0\t0\t251\n"},
      // Only user 2's vouchers.
      {{"--alias", "2", "--usuario", "2"},
       "2101\tProveedores\t0\t300\t0\t300\t0\t300\t0\t0\n"
       "4101\tDepreciación\t300\t0\t300\t0\t0\t0\t300\t0\n"},
      // Company 2: one March sale of 11 in cash.
      {{"--empresa", "2"},
       "1101\tCaja\t11\t0\t11\t0\t11\t0\t0\t0\n"
       "5101\tVentas\t0\t11\t0\t11\t0\t0\t0\t11\n"},
      // A period in the year before: only the 2024 voucher counts.
      {{"--desde", "01/12/2024", "--hasta", "31/12/2024"},
       "1101\tCaja\t7000\t0\t7000\t0\t7000\t0\t0\t0\n"
       "3101\tCapital\t0\t7000\t0\t7000\t0\t7000\t0\t0\n"},
  };
  for (const auto& c : casos) {
    std::string texto;
    for (const auto& o : c.opciones) texto += o + " ";
    SCOPED_TRACE(texto);
    std::string todo = separado(calcular(c.opciones));
    EXPECT_EQ(todo.substr(0, todo.find("\tSUMAS")), c.cuentas);
  }
}

TEST_F(BalanceChico, TablaAlineada) {
  std::ostringstream s;
  escribirTabla(s, calcular({}));
  std::istringstream entrada(s.str());
  std::vector<std::string> lineas;
  for (std::string l; std::getline(entrada, l);) lineas.push_back(l);
  ASSERT_EQ(lineas.size(), 9u);  // header, five accounts, three closing rows

  auto sp = [](std::size_t n) { return std::string(n, ' '); };
  // Widths: code 6 ("Cuenta"), name 19 ("RESULTADO EJERCICIO"), then each amount column as
  // wide as its caption or its widest figure ("1.551" in Deudor is narrower than "Deudor").
  EXPECT_EQ(lineas[0], "Cuenta  Nombre" + sp(13) +
                           "  Debitos  Creditos  Deudor  Acreedor  Activo  Pasivo  Perdidas"
                           "  Ganancias");
  EXPECT_EQ(lineas[4], "4101" + sp(2) + "  Depreciación" + sp(7) + "  " + sp(4) + "300" + "  " +
                           sp(7) + "0" + "  " + sp(3) + "300" + "  " + sp(7) + "0" + "  " + sp(5) +
                           "0" + "  " + sp(5) + "0" + "  " + sp(5) + "300" + "  " + sp(8) + "0");
  EXPECT_EQ(lineas[6], sp(6) + "  SUMAS" + sp(14) + "  " + sp(7) + "  " + sp(8) + "  " + sp(6) +
                           "  " + sp(8) + "   1.251   1.300       300        251");
  EXPECT_EQ(lineas[8], sp(6) + "  TOTALES" + sp(12) + "      551       551   1.551     1.551" +
                           "   1.300   1.300       300        300");
  for (const auto& l : lineas) EXPECT_EQ(anchura(l), anchura(lineas[0])) << l;
}

}  // namespace
}  // namespace suite::anfitrion
