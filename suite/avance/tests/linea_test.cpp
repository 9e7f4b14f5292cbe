#include "avance/linea.h"

#include <gtest/gtest.h>

namespace suite::avance {
namespace {

TEST(TextoLinea, CadaFormaDeEtapa) {
  struct Caso {
    Estado estado;
    std::size_t columnas;
    std::string esperado;
  } casos[] = {
      {{"Pintando páginas", 120, 1191, 4}, 80, "Pintando páginas: 120 de 1.191 (10 %)"},
      {{"Pintando páginas", 1191, 1191, 9}, 80, "Pintando páginas: 1.191 de 1.191 (100 %)"},
      // A closing row beyond the accounts never shows more than the whole.
      {{"Llenando la tabla de trabajo", 50001, 50000, 1},
       80,
       "Llenando la tabla de trabajo: 50.000 de 50.000 (100 %)"},
      {{"Calculando las cuentas", 1234567, 0, 3}, 80, "Calculando las cuentas: 1.234.567"},
      {{"Leyendo el diario", 0, 0, 12}, 80, "Leyendo el diario… 12 s"},
      {{"", 5, 10, 1}, 80, ""},
      // Cut to one column less than the terminal, counting characters, not bytes.
      {{"Pintando páginas", 1, 2, 0}, 12, "Pintando pá"},
      {{"Leyendo el diario", 0, 0, 0}, 19, "Leyendo el diario…"},
      {{"Leyendo", 0, 0, 0}, 1, ""},
      // A byte of Windows-1252 ("°" is 0xB0) is one column as well.
      {{"N\xB0\xB0\xB0 1", 0, 0, 0}, 4, "N\xB0\xB0"},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(textoLinea(c.estado, c.columnas), c.esperado)
        << c.estado.que << " " << c.estado.cuenta << "/" << c.estado.total << " en " << c.columnas;
  }
}

}  // namespace
}  // namespace suite::avance
