#pragma once

#include <cstddef>
#include <vector>

namespace suite::informes {

// The account rows of one page, [desde, hasta), and whether the closing block (the closing
// rows and, in the folio layouts, the signature blocks) ends that page.
struct Pagina {
  std::size_t desde = 0;
  std::size_t hasta = 0;
  bool cierre = false;
};

// Splits `cuentas` rows of height `alturaRenglon` over pages whose table body is `alturaUtil`
// high, and places the closing block of height `alturaCierre` whole on the last page: when it
// does not fit under the last rows it starts a page of its own. Every row lands on exactly one
// page, whole; there is always at least one page, and only the last has the closing block.
// Heights in any one unit; a body that cannot hold one row or the closing block still gets one
// row or the block a page, so the split always ends.
std::vector<Pagina> paginar(std::size_t cuentas, double alturaUtil, double alturaRenglon,
                            double alturaCierre);

}  // namespace suite::informes
