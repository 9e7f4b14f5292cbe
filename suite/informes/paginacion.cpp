#include "informes/paginacion.h"

#include <algorithm>
#include <cmath>

namespace suite::informes {

std::vector<Pagina> paginar(std::size_t cuentas, double alturaUtil, double alturaRenglon,
                            double alturaCierre) {
  std::size_t porPagina = 1;
  if (alturaRenglon > 0 && alturaUtil > alturaRenglon) {
    porPagina = static_cast<std::size_t>(std::floor(alturaUtil / alturaRenglon));
  }
  std::vector<Pagina> paginas;
  std::size_t i = 0;
  while (cuentas - i > porPagina) {
    paginas.push_back({i, i + porPagina, false});
    i += porPagina;
  }
  // The rows left fill the last page; the closing block goes under them when there is room.
  double resto = alturaUtil - static_cast<double>(cuentas - i) * alturaRenglon;
  if (i == cuentas || alturaCierre <= resto) {
    paginas.push_back({i, cuentas, true});
  } else {
    paginas.push_back({i, cuentas, false});
    paginas.push_back({cuentas, cuentas, true});
  }
  return paginas;
}

}  // namespace suite::informes
