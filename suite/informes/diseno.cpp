#include "informes/diseno.h"

#include <QPageSize>

namespace suite::informes {

Diseno disenoBase() {
  Diseno d;
  d.titulo = QStringLiteral("BALANCE TRIBUTARIO");
  // The account name takes what the figures leave; a figure's column holds up to
  // "-999.999.999.999" at the table's size.
  d.columnas = {
      {Campo::Cuenta, QStringLiteral("Cuenta"), 1.1},
      {Campo::Nombre, QStringLiteral("Nombre"), 2.6},
      {Campo::Debitos, QStringLiteral("Débitos"), 1.25},
      {Campo::Creditos, QStringLiteral("Créditos"), 1.25},
      {Campo::Deudor, QStringLiteral("Deudor"), 1.25},
      {Campo::Acreedor, QStringLiteral("Acreedor"), 1.25},
      {Campo::Activo, QStringLiteral("Activo"), 1.25},
      {Campo::Pasivo, QStringLiteral("Pasivo"), 1.25},
      {Campo::Perdidas, QStringLiteral("Pérdidas"), 1.25},
      {Campo::Ganancias, QStringLiteral("Ganancias"), 1.25},
  };
  d.grupos = {
      {QStringLiteral("Movimientos"), 2, 3},
      {QStringLiteral("Saldo"), 4, 5},
      {QStringLiteral("Inventario"), 6, 7},
      {QStringLiteral("Resultados"), 8, 9},
  };
  return d;
}

QPageLayout disposicion(const Diseno& d) {
  QPageSize tamano(d.papelMm, QPageSize::Millimeter, d.papel, QPageSize::ExactMatch);
  return QPageLayout(tamano, d.orientacion, d.margenesMm, QPageLayout::Millimeter);
}

}  // namespace suite::informes
