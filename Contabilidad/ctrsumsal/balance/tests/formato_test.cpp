#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "balance/formato.h"

namespace prjsumsal {
namespace {

// The three ways a figure is written: whole pesos rounding half away from zero (a sum may hold
// 1234.5 as the double just under it: its 15 digits decide), the general form with the regional
// decimal comma, and whole pesos with thousands grouped.
TEST(Formato, CadaFormaDeEscribirUnaCifra) {
  const std::function<std::string(double)> cero = formatoCero;
  const auto general = [](double v) { return formatoGeneral(v, ","); };
  const auto miles = [](double v) { return formatoMiles(v, "."); };
  const struct {
    const char* forma;
    std::function<std::string(double)> escribir;
    double valor;
    const char* texto;
  } casos[] = {
      {"cero", cero, 1234.5, "1235"},
      {"cero", cero, -1234.5, "-1235"},
      {"cero", cero, 0.4, "0"},
      {"cero", cero, -0.4, "0"},
      {"cero", cero, 0.5, "1"},
      {"cero", cero, -0.5, "-1"},
      {"cero", cero, 2.5, "3"},
      {"cero", cero, 1234567, "1234567"},
      {"cero", cero, -0.0, "0"},
      {"cero", cero, 1e15, "1000000000000000"},
      {"cero", cero, 999999.49, "999999"},
      {"cero", cero, std::nextafter(1234.5, 0.0), "1235"},
      {"cero", cero, std::nextafter(-2.5, 0.0), "-3"},
      {"cero", cero, std::nextafter(0.5, 0.0), "1"},
      {"cero", cero, 1234.4999, "1234"},
      {"general", general, 0, "0"},
      {"general", general, 1200, "1200"},
      {"general", general, -1234.5, "-1234,5"},
      {"general", general, 0.25, "0,25"},
      {"general", general, 123456789012.75, "123456789012,75"},
      {"general", general, 1.0 / 3.0, "0,333333333333333"},
      {"general", general, 1e15, "1E+15"},
      {"general", general, -0.0, "0"},
      {"miles", miles, 0, "0"},
      {"miles", miles, 999, "999"},
      {"miles", miles, 1000, "1.000"},
      {"miles", miles, 12345678, "12.345.678"},
      {"miles", miles, -1234567.5, "-1.234.568"},
      {"miles", miles, 100000, "100.000"},
  };
  for (const auto& c : casos) EXPECT_EQ(c.escribir(c.valor), c.texto) << c.forma << " " << c.valor;
  EXPECT_EQ(formatoGeneral(-1234.5, "."), "-1234.5");
  EXPECT_EQ(formatoMiles(12345678, ","), "12,345,678");
}

}  // namespace
}  // namespace prjsumsal
