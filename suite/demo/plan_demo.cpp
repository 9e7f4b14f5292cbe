#include "demo/plan_demo.h"

namespace suite::demo {

namespace {

constexpr Cuenta kPlan[] = {
    {"110101", "Caja", "A"},
    {"110102", "Fondo Fijo", "A"},
    {"110103", "Banco Estado", "A"},
    {"110104", "Banco de Chile", "A"},
    {"110201", "Depósitos a Plazo", "A"},
    {"110301", "Clientes", "A"},
    {"110302", "Documentos por Cobrar", "A"},
    {"110303", "Estimación Deudores Incobrables", "A"},
    {"110401", "Existencias", "A"},
    {"110501", "IVA Crédito Fiscal", "A"},
    {"110502", "Pagos Provisionales Mensuales", "A"},
    {"110601", "Anticipo a Proveedores", "A"},
    {"110602", "Préstamos al Personal", "A"},
    {"110701", "Seguros Pagados por Anticipado", "A"},
    {"120101", "Terrenos", "A"},
    {"120102", "Construcciones", "A"},
    {"120103", "Maquinarias y Equipos", "A"},
    {"120104", "Vehículos", "A"},
    {"120105", "Muebles y Útiles", "A"},
    {"120106", "Equipos Computacionales", "A"},
    {"120201", "Depreciación Acumulada", "A"},
    {"130101", "Garantías de Arriendo", "A"},
    {"210101", "Proveedores", "P"},
    {"210102", "Documentos por Pagar", "P"},
    {"210201", "Préstamo Bancario Corto Plazo", "P"},
    {"210301", "Remuneraciones por Pagar", "P"},
    {"210302", "AFP por Pagar", "P"},
    {"210303", "Salud por Pagar", "P"},
    {"210304", "Seguro de Cesantía por Pagar", "P"},
    {"210401", "IVA Débito Fiscal", "P"},
    {"210402", "Impuesto Único por Pagar", "P"},
    {"210403", "Retención de Honorarios por Pagar", "P"},
    {"210404", "Impuesto a la Renta por Pagar", "P"},
    {"210501", "Provisión de Vacaciones", "P"},
    {"220101", "Préstamo Bancario Largo Plazo", "P"},
    {"310101", "Capital", "T"},
    {"310201", "Reservas", "T"},
    {"310301", "Utilidades Acumuladas", "T"},
    {"310302", "Pérdidas Acumuladas", "T"},
    {"410101", "Costo de Ventas", "G"},
    {"420101", "Sueldos y Salarios", "G"},
    {"420102", "Leyes Sociales", "G"},
    {"420103", "Honorarios", "G"},
    {"420104", "Arriendos", "G"},
    {"420105", "Luz, Agua y Gas", "G"},
    {"420106", "Teléfono e Internet", "G"},
    {"420107", "Útiles de Oficina", "G"},
    {"420108", "Publicidad y Propaganda", "G"},
    {"420109", "Combustibles y Lubricantes", "G"},
    {"420110", "Mantención y Reparaciones", "G"},
    {"420111", "Seguros", "G"},
    {"420112", "Patentes Municipales", "G"},
    {"420113", "Depreciación del Ejercicio", "G"},
    {"420114", "Deudores Incobrables", "G"},
    {"420115", "Vacaciones del Personal", "G"},
    {"420116", "Gastos Bancarios", "G"},
    {"420117", "Intereses Pagados", "G"},
    {"420118", "Multas e Intereses Fiscales", "G"},
    {"420119", "Diseño y Señalética", "G"},
    {"510101", "Ventas", "I"},
    {"510102", "Descuentos Obtenidos", "I"},
    {"510201", "Intereses Ganados", "I"},
    {"510202", "Otros Ingresos", "I"},
};

}  // namespace

std::span<const Cuenta> planDeCuentas() {
  return kPlan;
}

}  // namespace suite::demo
