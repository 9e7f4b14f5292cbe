#include "cuadre.h"

#include <QStringList>
#include <cmath>

#include "balance/formato.h"

namespace suite::rendidor {

QString lineaCuadre(const prjsumsal::Sumas& s) {
  const prjsumsal::Cierre t = prjsumsal::totales(s, prjsumsal::resultadoEjercicio(s));
  struct Par {
    const char* izquierda;
    double a;
    const char* derecha;
    double b;
  };
  const Par pares[] = {
      {"Debitos", s.debe, "Creditos", s.haber},
      {"Deudor", s.debe_act, "Acreedor", s.haber_act},
      {"total Activo", t.activo, "total Pasivo", t.pasivo},
      {"total Perdidas", t.perdidas, "total Ganancias", t.ganancias},
  };
  QStringList diferencias;
  for (const Par& p : pares) {
    double diferencia = std::round(p.a) - std::round(p.b);
    if (diferencia == 0) continue;
    bool mayorIzquierda = diferencia > 0;
    diferencias << QStringLiteral("%1 supera a %2 en %3")
                       .arg(QLatin1StringView(mayorIzquierda ? p.izquierda : p.derecha),
                            QLatin1StringView(mayorIzquierda ? p.derecha : p.izquierda),
                            QString::fromStdString(
                                prjsumsal::formatoMiles(std::fabs(diferencia), ".")));
  }
  if (diferencias.isEmpty()) return QStringLiteral("Cuadra");
  return QStringLiteral("No cuadra: ") + diferencias.join(QStringLiteral("; "));
}

}  // namespace suite::rendidor
