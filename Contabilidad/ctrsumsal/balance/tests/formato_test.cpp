#include <gtest/gtest.h>

#include <cmath>

#include "balance/formato.h"

namespace prjsumsal {
namespace {

TEST(Formato, PatronCeroRedondeaLaMitadLejosDeCero) {
  const struct {
    double valor;
    const char* texto;
  } casos[] = {
      {1234.5, "1235"},
      {-1234.5, "-1235"},
      {0.4, "0"},
      {-0.4, "0"},
      {0.5, "1"},
      {-0.5, "-1"},
      {2.5, "3"},
      {1234567, "1234567"},
      {0, "0"},
      {-0.0, "0"},
      {1e15, "1000000000000000"},
      {999999.49, "999999"},
      {std::nextafter(1234.5, 0.0), "1235"},  // 1234.5 as a sum may hold it: its 15 digits
      {std::nextafter(-2.5, 0.0), "-3"},
      {std::nextafter(0.5, 0.0), "1"},
      {1234.4999, "1234"},
  };
  for (const auto& c : casos) EXPECT_EQ(formatoCero(c.valor), c.texto) << c.valor;
}

TEST(Formato, FormaGeneralConComaDecimal) {
  const struct {
    double valor;
    const char* texto;
  } casos[] = {
      {0, "0"},
      {1200, "1200"},
      {-1234.5, "-1234,5"},
      {0.25, "0,25"},
      {123456789012.75, "123456789012,75"},
      {1.0 / 3.0, "0,333333333333333"},
      {1e15, "1E+15"},
      {-0.0, "0"},
  };
  for (const auto& c : casos) EXPECT_EQ(formatoGeneral(c.valor, ","), c.texto) << c.valor;
  EXPECT_EQ(formatoGeneral(-1234.5, "."), "-1234.5");
}

TEST(Formato, MilesAgrupados) {
  const struct {
    double valor;
    const char* texto;
  } casos[] = {
      {0, "0"},
      {999, "999"},
      {1000, "1.000"},
      {12345678, "12.345.678"},
      {-1234567.5, "-1.234.568"},
      {100000, "100.000"},
  };
  for (const auto& c : casos) EXPECT_EQ(formatoMiles(c.valor, "."), c.texto) << c.valor;
  EXPECT_EQ(formatoMiles(12345678, ","), "12,345,678");
}

}  // namespace
}  // namespace prjsumsal
