#include "host/caracteres.h"

#include <gtest/gtest.h>

namespace prjsumsal {
namespace {

// Len, Left and Mid count characters as the one codec reads them: a valid UTF-8 sequence is one
// character, and so is every other byte (Windows-1252, as older data has it).
TEST(Caracteres, CuentanComoElCodec) {
  const std::string cincuenta = std::string(49, 'a') + "\xB0\xB0\xB0";
  const struct {
    std::string texto;
    std::size_t largo;
    std::size_t n;
    std::string izquierda;
    std::string medio;  // 2 characters from the second
  } casos[] = {
      {"Ñandú", 5, 3, "Ñan", "an"},
      {"N\xB0 5", 4, 2, "N\xB0", "\xB0 "},
      {"\xB0\xB0\xB0", 3, 1, "\xB0", "\xB0\xB0"},
      {"Año\xB0\xB0x", 6, 4, "Año\xB0", "ño"},
      {"a\xC3", 2, 1, "a", "\xC3"},  // a UTF-8 sequence cut short: a byte of its own
      {"😀b", 2, 1, "😀", "b"},
      {cincuenta, 52, 50, std::string(49, 'a') + "\xB0", "aa"},
      {"", 0, 3, "", ""},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(largo(c.texto), c.largo) << c.texto;
    EXPECT_EQ(izquierda(c.texto, c.n), c.izquierda) << c.texto;
    EXPECT_EQ(medio(c.texto, 2, 2), c.medio) << c.texto;
  }
  EXPECT_EQ(medio("Ñandú", 9, 2), "");
}

}  // namespace
}  // namespace prjsumsal
