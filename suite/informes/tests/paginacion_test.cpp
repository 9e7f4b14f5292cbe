#include "informes/paginacion.h"

#include <gtest/gtest.h>

namespace suite::informes {
namespace {

// Every split must cover each row exactly once, in order, never put more rows on a page than
// fit, and end with the closing block on the last page only, with room for it.
TEST(Paginar, CubreCadaRenglonUnaVezYCierraEnLaUltima) {
  struct Caso {
    std::size_t cuentas;
    double util, renglon, cierre;
    std::size_t paginas;
  };
  const Caso casos[] = {
      {0, 100, 10, 30, 1},   // no accounts: the closing block alone
      {5, 100, 10, 30, 1},   // all fits
      {7, 100, 10, 30, 1},   // exactly fills with the closing block
      {8, 100, 10, 30, 2},   // closing block does not fit under the rows: page of its own
      {10, 100, 10, 30, 2},  // a full page, then the block alone
      {11, 100, 10, 30, 2},  // one row carried over with the block
      {25, 100, 10, 0, 3},   // no block height
      {3, 5, 10, 30, 4},     // a body smaller than a row still takes one row a page
      {2, 100, 10, 500, 2},  // a block taller than a page gets a page to itself
  };
  for (const Caso& c : casos) {
    auto paginas = paginar(c.cuentas, c.util, c.renglon, c.cierre);
    SCOPED_TRACE(testing::Message()
                 << "cuentas " << c.cuentas << " util " << c.util << " cierre " << c.cierre);
    ASSERT_EQ(paginas.size(), c.paginas);
    std::size_t siguiente = 0;
    for (std::size_t i = 0; i < paginas.size(); ++i) {
      const Pagina& p = paginas[i];
      EXPECT_EQ(p.desde, siguiente);
      EXPECT_LE(p.desde, p.hasta);
      std::size_t filas = p.hasta - p.desde;
      if (c.util >= c.renglon) {
        EXPECT_LE(filas * c.renglon, c.util);
      }
      EXPECT_EQ(p.cierre, i + 1 == paginas.size());
      if (p.cierre && filas > 0) {
        EXPECT_LE(filas * c.renglon + c.cierre, c.util);
      }
      siguiente = p.hasta;
    }
    EXPECT_EQ(siguiente, c.cuentas);
  }
}

}  // namespace
}  // namespace suite::informes
