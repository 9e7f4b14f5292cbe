#include "anchura.h"

#include <gtest/gtest.h>

namespace suite::anfitrion {
namespace {

TEST(Anchura, CuentaColumnasNoBytes) {
  struct Caso {
    const char* texto;
    std::size_t columnas;
  };
  const Caso casos[] = {
      {"", 0},
      {"Caja", 4},
      {"Depreciación", 12},  // é is two bytes, one column
      {"Diseño y Señalética", 19},
      {"Depreciacio\xCC\x81n", 12},     // o + combining acute accent
      {"\xE4\xBC\x9A\xE8\xAE\xA1", 4},  // two wide CJK characters
      {"a\xFF"
       "b",
       3},                      // an invalid byte counts as one column
      {"\xC3", 1},              // a sequence cut short
      {"\xF0\x9F\x98\x80", 2},  // an emoji
  };
  for (const auto& c : casos) {
    EXPECT_EQ(anchura(c.texto), c.columnas) << c.texto;
  }
}

}  // namespace
}  // namespace suite::anfitrion
