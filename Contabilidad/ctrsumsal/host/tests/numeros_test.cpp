#include <gtest/gtest.h>

#include "host/error.h"
#include "host/numeros.h"

namespace prjsumsal {
namespace {

TEST(Val, LeeElNumeroDelComienzo) {
  struct Caso {
    const char* texto;
    double valor;
  };
  const Caso casos[] = {
      {"", 0},          {"abc", 0},      {"12345678", 12345678},
      {"12a45678", 12}, {" 1 2 3", 123}, {"\t-4.5x", -4.5},
      {"+7", 7},        {"1.5.3", 1.5},  {"2E3", 2000},
      {"2d2", 200},     {"2e", 2},       {"2e+", 2},
      {".5", 0.5},      {"-", 0},        {"1,5", 1},
      {"0012", 12},     {"1e-400", 0},
  };
  for (const auto& c : casos) EXPECT_DOUBLE_EQ(Val(c.texto), c.valor) << '"' << c.texto << '"';
  EXPECT_THROW(Val("1e400"), Error);
}

}  // namespace
}  // namespace prjsumsal
