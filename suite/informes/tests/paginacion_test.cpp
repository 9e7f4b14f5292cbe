#include "informes/paginacion.h"

#include <gtest/gtest.h>

namespace suite::informes {
namespace {

// Rows 10 high on a body 100 high; the closing block 30 high goes under the last rows when it
// fits and onto a page of its own when not. Each case: accounts, pages, and the rows of each.
TEST(Paginar, RenglonesEnterosYCierreJunto) {
  struct Caso {
    std::size_t cuentas;
    double cierre;
    std::vector<std::size_t> filas;  // rows on each page; the last page has the block
  };
  const Caso casos[] = {
      {0, 30, {0}},      {7, 30, {7}},         {8, 30, {8, 0}},  {10, 30, {10, 0}},
      {11, 30, {10, 1}}, {25, 0, {10, 10, 5}}, {2, 500, {2, 0}},  // a block taller than a page
                                                                  // still gets one
  };
  for (const Caso& c : casos) {
    std::vector<std::size_t> filas;
    for (const Pagina& p : paginar(c.cuentas, 100, 10, c.cierre))
      filas.push_back(p.hasta - p.desde);
    EXPECT_EQ(filas, c.filas) << c.cuentas << " cuentas, cierre " << c.cierre;
    EXPECT_TRUE(paginar(c.cuentas, 100, 10, c.cierre).back().cierre);
  }
}

}  // namespace
}  // namespace suite::informes
