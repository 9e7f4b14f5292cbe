#include "libro_comparado.h"

#include <vector>

#include "host/fecha.h"
#include "libro_xlsx/guardar_xlsx.h"
#include "mayor/centavos.h"

namespace suite::anfitrion {

namespace {

std::string fecha(const std::string& iso) {
  auto f = prjsumsal::Fecha::leerIso(iso);
  return f ? f->texto() : iso;
}

double pesos(std::int64_t centavos) {
  return static_cast<double>(mayor::pesos(centavos));
}

}  // namespace

void guardarComparacionXlsx(const std::string& ruta, const mayor::Comparacion& c,
                            libro_xlsx::CabezaHoja cabeza) {
  cabeza.titulo = "BALANCE COMPARADO CON EL AÑO ANTERIOR";
  const std::vector<libro_xlsx::ColumnaHoja> columnas = {
      {"Cuenta", false, 60},
      {"Nombre", false, 198},
      {"Saldo " + fecha(c.actual.hasta), true, 80},
      {"Saldo " + fecha(c.anterior.hasta), true, 80},
      {"Diferencia", true, 80}};
  libro_xlsx::guardarLibroXlsx(
      ruta, libro_xlsx::HojaTabla::diseno("balance comparado", cabeza, columnas),
      [&](prjsumsal::EscritorXlsx& escritor) {
        libro_xlsx::HojaTabla hoja(escritor, columnas);
        hoja.cabeza(cabeza);
        for (const auto& f : c.filas) {
          hoja.fila({f.centro, f.n_centro, pesos(f.saldoActual()), pesos(f.saldoAnterior()),
                     pesos(f.diferencia())});
        }
        auto ra = static_cast<double>(c.resultadoActual());
        auto rb = static_cast<double>(c.resultadoAnterior());
        hoja.fila({std::monostate{}, std::string("RESULTADO EJERCICIO"), ra, rb, ra - rb}, true);
        hoja.terminar();
      });
}

}  // namespace suite::anfitrion
