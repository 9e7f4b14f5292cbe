#include "export/libro_excel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "archivos_prueba.h"

namespace prjsumsal {
namespace {

FilaBalance cuenta(std::string centro, std::string nombre, std::string grupo, double debe,
                   double haber, double debeAct, double haberAct) {
  FilaBalance f{std::move(centro), std::move(nombre), std::move(grupo), debe, haber,
                debeAct,           haberAct};
  clasificar(f);
  return f;
}

std::string libro(const std::string& empresa, const std::vector<FilaBalance>& filas) {
  std::ostringstream salida;
  LibroExcel l(salida);
  l.cabeza(empresa);
  for (const auto& f : filas) l.fila(f);
  l.cierre();
  return salida.str();
}

using prueba::lineas;

// Sums worked out by hand: Debitos 900.4, Creditos 1550.5, Deudor 2100.5, Acreedor 3300,
// Activo 1200, Pasivo 800, Perdidas 900.5, Ganancias 2500; result 0/400 and 1599.5/0. Names and
// codes with reserved characters are escaped; a code that is no plain number goes in a text cell.
TEST(LibroExcel, CuatroCuentasIgualQueElLibroEsperado) {
  std::string hecho =
      libro("Pérez & Cía <Ltda>", {cuenta("1101", "Caja & Bancos", "A", 500, 200, 1200, 0),
                                   cuenta("2101", "Proveedores", "P", 100, 350.5, 0, 800),
                                   cuenta("4101", "Ventas", "R", 0, 1000, 0, 2500),
                                   cuenta("5101", "Sueldos", "R", 300.4, 0, 900.5, 0),
                                   cuenta("11<01>&", "", "A", 0, 0, 0, 0)});
  auto esperado = prueba::leer(
      (std::filesystem::path(NUBO_FUENTES_MODULO) / "export/tests/libro_cuatro_cuentas.xml")
          .string());
  ASSERT_FALSE(esperado.empty());
  auto h = lineas(hecho), e = lineas(esperado);
  ASSERT_EQ(h.size(), e.size());
  for (std::size_t i = 0; i < e.size(); ++i) EXPECT_EQ(h[i], e[i]) << "línea " << i + 1;
  EXPECT_EQ(hecho, esperado);
}

TEST(LibroExcel, CodigoQueNoEsUnNumeroSimpleVaEnCeldaDeTexto) {
  const std::pair<const char*, bool> casos[] = {
      {"1101", true},        {"0", true},      {"12345678901", true},   {"1101-01", false},
      {"1.1.01.001", false}, {"0101", false},  {"123456789012", false}, {"", false},
      {" 1101", false},      {"1101 ", false}, {"-5", false},           {"1e3", false},
      {"１２", false},
  };
  for (auto [codigo, numero] : casos) {
    EXPECT_EQ(codigoNumerico(codigo), numero) << "'" << codigo << "'";
    auto ls = lineas(libro("E", {cuenta(codigo, "Caja", "A", 0, 0, 0, 0)}));
    std::string tipo = numero ? "Number" : "String";
    EXPECT_EQ(ls[170], "    <Cell ss:StyleID='s44'><Data ss:Type='" + tipo + "'>" + codigo +
                           "</Data></Cell>")
        << "'" << codigo << "'";
  }
}

}  // namespace
}  // namespace prjsumsal
