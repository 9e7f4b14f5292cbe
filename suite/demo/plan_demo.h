#pragma once

#include <span>

namespace suite::demo {

// One account of the demo company's chart: code, name and group. Groups "A", "P" and "T"
// (assets, liabilities, equity) are inventory accounts; "G" (expenses and losses) and "I"
// (income) are results accounts.
struct Cuenta {
  const char* centro;
  const char* nombre;
  const char* grupo;
};

// The chart of accounts of the demo company, in code order.
std::span<const Cuenta> planDeCuentas();

// The account codes the vouchers use.
inline constexpr const char* kCaja = "110101";
inline constexpr const char* kBancoEstado = "110103";
inline constexpr const char* kBancoChile = "110104";
inline constexpr const char* kClientes = "110301";
inline constexpr const char* kEstimacionIncobrables = "110303";
inline constexpr const char* kExistencias = "110401";
inline constexpr const char* kIvaCredito = "110501";
inline constexpr const char* kPpm = "110502";
inline constexpr const char* kSegurosAnticipados = "110701";
inline constexpr const char* kVehiculos = "120104";
inline constexpr const char* kMuebles = "120105";
inline constexpr const char* kComputadores = "120106";
inline constexpr const char* kDepreciacionAcumulada = "120201";
inline constexpr const char* kGarantias = "130101";
inline constexpr const char* kProveedores = "210101";
inline constexpr const char* kRemuneracionesPorPagar = "210301";
inline constexpr const char* kAfpPorPagar = "210302";
inline constexpr const char* kSaludPorPagar = "210303";
inline constexpr const char* kCesantiaPorPagar = "210304";
inline constexpr const char* kIvaDebito = "210401";
inline constexpr const char* kImpuestoUnico = "210402";
inline constexpr const char* kRetencionHonorarios = "210403";
inline constexpr const char* kProvisionVacaciones = "210501";
inline constexpr const char* kPrestamoLargoPlazo = "220101";
inline constexpr const char* kCapital = "310101";
inline constexpr const char* kUtilidadesAcumuladas = "310301";
inline constexpr const char* kCostoVentas = "410101";
inline constexpr const char* kSueldos = "420101";
inline constexpr const char* kLeyesSociales = "420102";
inline constexpr const char* kHonorarios = "420103";
inline constexpr const char* kArriendos = "420104";
inline constexpr const char* kLuzAguaGas = "420105";
inline constexpr const char* kTelefonoInternet = "420106";
inline constexpr const char* kUtilesOficina = "420107";
inline constexpr const char* kPublicidad = "420108";
inline constexpr const char* kCombustibles = "420109";
inline constexpr const char* kMantencion = "420110";
inline constexpr const char* kSeguros = "420111";
inline constexpr const char* kPatentes = "420112";
inline constexpr const char* kDepreciacionEjercicio = "420113";
inline constexpr const char* kIncobrables = "420114";
inline constexpr const char* kVacaciones = "420115";
inline constexpr const char* kGastosBancarios = "420116";
inline constexpr const char* kIntereses = "420117";
inline constexpr const char* kDisenoSenaletica = "420119";
inline constexpr const char* kVentas = "510101";
inline constexpr const char* kInteresesGanados = "510201";

}  // namespace suite::demo
