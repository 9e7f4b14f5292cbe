#include "demo/movimientos_demo.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <random>
#include <tuple>

#include "demo/plan_demo.h"

namespace suite::demo {

using prjsumsal::Fecha;
namespace ch = std::chrono;

namespace {

Fecha aFecha(ch::year_month_day f) {
  return {int(f.year()), int(unsigned(f.month())), int(unsigned(f.day()))};
}

ch::sys_days aDias(const Fecha& f) {
  return ch::year{f.anio} / ch::month{unsigned(f.mes)} / ch::day{unsigned(f.dia)};
}

Fecha masDias(const Fecha& f, int dias) {
  return aFecha(aDias(f) + ch::days{dias});
}

std::int64_t pesos(double monto) {
  return std::llround(monto);
}
std::int64_t iva(std::int64_t neto) {
  return pesos(neto * 0.19);
}

// The withholding rate on fees rises each year by law.
double tasaHonorarios(int anio) {
  if (anio <= 2024) return 0.1375;
  return std::min(0.17, 0.1375 + 0.0075 * (anio - 2024));
}

// Builds the vouchers month by month. Vouchers dated after today are dropped, so the current
// month holds only what has happened so far.
class Generador {
 public:
  explicit Generador(const Fecha& hoy) : hoy_(hoy) {}

  int entre(int desde, int hasta) {
    return desde + static_cast<int>(azar_() % static_cast<unsigned>(hasta - desde + 1));
  }

  void agregar(int subsistema, const Fecha& fecha, const char* documento, int usuario,
               const char* ifrs, std::vector<Linea> lineas) {
    if (fecha > hoy_) return;
    std::erase_if(lineas, [](const Linea& l) { return l.debe == 0 && l.haber == 0; });
    if (lineas.empty()) return;
    lista_.push_back({subsistema, fecha, documento, 0, usuario, ifrs, std::move(lineas)});
  }

  void mes(ch::year_month ym, int indice);
  std::vector<Comprobante> terminar();

 private:
  static Linea D(const char* c, std::int64_t m) { return {c, m, 0}; }
  static Linea H(const char* c, std::int64_t m) { return {c, 0, m}; }

  void ventasYCompras(ch::year_month ym, double crecimiento);
  void remuneraciones(ch::year_month ym, int indice);
  void gastosDelMes(ch::year_month ym);
  void cajaYPrestamo(ch::year_month ym);
  void ajustes(ch::year_month ym);

  Fecha dia(ch::year_month ym, unsigned d) const {
    auto ultimo = unsigned((ym / ch::last).day());
    return aFecha(ym / ch::day{std::min(d, ultimo)});
  }

  Fecha hoy_;
  std::mt19937 azar_{20240917u};
  std::vector<Comprobante> lista_;
  // What the monthly tax return of the following month pays.
  std::int64_t debito_ = 0, credito_ = 0, remanente_ = 0, unico_ = 0, retenido_ = 0, ppm_ = 0;
  std::int64_t prestamo_ = 17'400'000;
  std::int64_t arriendo_ = 1'850'000;
  int segurosPorDevengar_ = 0;
};

void Generador::mes(ch::year_month ym, int indice) {
  if (indice == 0) {
    // The company starts with its partners' capital and a bank loan.
    agregar(1, dia(ym, 1), "T", 1, "0",
            {D(kBancoEstado, 45'000'000), D(kCaja, 500'000), D(kVehiculos, 18'000'000),
             D(kMuebles, 4'500'000), D(kComputadores, 6'200'000), D(kExistencias, 22'000'000),
             D(kGarantias, 1'200'000), H(kCapital, 80'000'000), H(kPrestamoLargoPlazo, prestamo_)});
  }
  // The monthly tax return pays last month's VAT, withholdings and provisional payments.
  std::int64_t usado = std::min(debito_, credito_ + remanente_);
  remanente_ = credito_ + remanente_ - usado;
  std::int64_t pago = debito_ - usado + unico_ + retenido_ + ppm_;
  agregar(1, dia(ym, 12), "E", 1, "0",
          {D(kIvaDebito, debito_), H(kIvaCredito, usado), D(kImpuestoUnico, unico_),
           D(kRetencionHonorarios, retenido_), D(kPpm, ppm_), H(kBancoEstado, pago)});
  debito_ = credito_ = unico_ = retenido_ = ppm_ = 0;

  ventasYCompras(ym, 1 + 0.012 * indice);
  remuneraciones(ym, indice);
  gastosDelMes(ym);
  ajustes(ym);
}

void Generador::ventasYCompras(ch::year_month ym, double crecimiento) {
  std::int64_t costoMes = 0, ventasMes = 0;
  int ventas = entre(8, 12);
  for (int i = 0; i < ventas; ++i) {
    Fecha f = dia(ym, unsigned(entre(1, 28)));
    std::int64_t neto = pesos(entre(300, 3500) * 1000.0 * crecimiento) + entre(0, 999);
    std::int64_t costo = pesos(neto * entre(50, 58) / 100.0);
    agregar(2, f, "T", 2, "0",
            {D(kClientes, neto + iva(neto)), H(kVentas, neto), H(kIvaDebito, iva(neto)),
             D(kCostoVentas, costo), H(kExistencias, costo)});
    // Customers pay within one or two months; now and then an invoice stays unpaid.
    if (entre(1, 40) > 1) {
      const char* banco = entre(1, 10) <= 8 ? kBancoEstado : kBancoChile;
      agregar(5, masDias(f, entre(20, 50)), "I", 1, "0",
              {D(banco, neto + iva(neto)), H(kClientes, neto + iva(neto))});
    }
    if (f <= hoy_) {
      costoMes += costo;
      ventasMes += neto;
      debito_ += iva(neto);
    }
  }
  ppm_ = pesos(ventasMes * 0.01);

  // Stock is bought back roughly as it is sold, in a few invoices paid a month later.
  int compras = entre(4, 6);
  std::int64_t porComprar = pesos(costoMes * entre(92, 108) / 100.0);
  for (int i = 0; i < compras && porComprar > 0; ++i) {
    std::int64_t neto =
        i + 1 == compras ? porComprar : porComprar / (compras - i) + entre(-50, 50) * 1000;
    neto = std::clamp<std::int64_t>(neto, 0, porComprar);
    porComprar -= neto;
    Fecha f = dia(ym, unsigned(entre(1, 28)));
    agregar(3, f, "T", 2, "0",
            {D(kExistencias, neto), D(kIvaCredito, iva(neto)), H(kProveedores, neto + iva(neto))});
    agregar(5, masDias(f, 30), "E", 1, "0",
            {D(kProveedores, neto + iva(neto)), H(kBancoEstado, neto + iva(neto))});
    if (f <= hoy_) credito_ += iva(neto);
  }
}

void Generador::remuneraciones(ch::year_month ym, int indice) {
  std::int64_t bruto = pesos(4'200'000 * (1 + 0.004 * indice));
  std::int64_t afp = pesos(bruto * 0.1144), salud = pesos(bruto * 0.07);
  std::int64_t cesantia = pesos(bruto * 0.006), unico = pesos(bruto * 0.018);
  std::int64_t cesantiaEmpleador = pesos(bruto * 0.024), sis = pesos(bruto * 0.0149);
  std::int64_t liquido = bruto - afp - salud - cesantia - unico;
  Fecha fin = dia(ym, 31);
  agregar(
      4, fin, "T", 1, "0",
      {D(kSueldos, bruto), D(kLeyesSociales, cesantiaEmpleador + sis), H(kAfpPorPagar, afp + sis),
       H(kSaludPorPagar, salud), H(kCesantiaPorPagar, cesantia + cesantiaEmpleador),
       H(kImpuestoUnico, unico), H(kRemuneracionesPorPagar, liquido)});
  // Wages and social security are paid from the second bank, early the next month.
  agregar(5, masDias(fin, 3), "E", 1, "0",
          {D(kRemuneracionesPorPagar, liquido), H(kBancoChile, liquido)});
  agregar(5, masDias(fin, 10), "E", 1, "0",
          {D(kAfpPorPagar, afp + sis), D(kSaludPorPagar, salud),
           D(kCesantiaPorPagar, cesantia + cesantiaEmpleador),
           H(kBancoChile, afp + sis + salud + cesantia + cesantiaEmpleador)});
  if (fin <= hoy_) unico_ += unico;
}

void Generador::gastosDelMes(ch::year_month ym) {
  int anio = int(ym.year());
  unsigned mes = unsigned(ym.month());
  if (mes == 1) arriendo_ = pesos(arriendo_ * 1.04);
  agregar(5, dia(ym, 5), "E", 1, "0", {D(kArriendos, arriendo_), H(kBancoEstado, arriendo_)});

  auto factura = [&](unsigned d, const char* gasto, std::int64_t neto) {
    agregar(5, dia(ym, d), "E", 1, "0",
            {D(gasto, neto), D(kIvaCredito, iva(neto)), H(kBancoEstado, neto + iva(neto))});
    if (dia(ym, d) <= hoy_) credito_ += iva(neto);
  };
  factura(15, kLuzAguaGas, entre(180'000, 260'000));
  factura(18, kTelefonoInternet, 89'900);
  if (mes % 3 == 1) factura(22, kPublicidad, entre(450, 900) * 1000);
  if (mes % 4 == 2) factura(24, kMantencion, entre(120, 380) * 1000);
  if (mes == 6) factura(10, kDisenoSenaletica, 1'200'000);  // the shop's signs, yearly

  std::int64_t honorario = 650'000, retencion = pesos(honorario * tasaHonorarios(anio));
  agregar(5, dia(ym, 20), "E", 1, "0",
          {D(kHonorarios, honorario), H(kRetencionHonorarios, retencion),
           H(kBancoEstado, honorario - retencion)});
  if (dia(ym, 20) <= hoy_) retenido_ += retencion;

  cajaYPrestamo(ym);

  if (mes % 4 == 0) {
    agregar(5, dia(ym, 16), "T", 1, "0", {D(kBancoChile, 1'500'000), H(kBancoEstado, 1'500'000)});
  }
  if (mes == 1 || mes == 7) {
    std::int64_t patente = entre(380, 420) * 1000;
    agregar(5, dia(ym, 31), "E", 1, "0", {D(kPatentes, patente), H(kBancoEstado, patente)});
  }
  if (mes == 3) {
    agregar(5, dia(ym, 2), "E", 1, "0",
            {D(kSegurosAnticipados, 1'440'000), H(kBancoEstado, 1'440'000)});
    segurosPorDevengar_ = 12;
  }
  if (segurosPorDevengar_ > 0) {
    agregar(1, dia(ym, 31), "T", 2, "0", {D(kSeguros, 120'000), H(kSegurosAnticipados, 120'000)});
    --segurosPorDevengar_;
  }
  std::int64_t comision = entre(8, 25) * 1000 + entre(0, 999);
  agregar(1, dia(ym, 31), "E", 1, "0", {D(kGastosBancarios, comision), H(kBancoEstado, comision)});
  std::int64_t ganado = entre(15, 40) * 1000 + entre(0, 999);
  agregar(1, dia(ym, 31), "I", 1, "0", {D(kBancoEstado, ganado), H(kInteresesGanados, ganado)});
}

// Petty cash, refilled from the bank and spent on fuel and office supplies; the loan's monthly
// instalment and interest.
void Generador::cajaYPrestamo(ch::year_month ym) {
  agregar(5, dia(ym, 7), "T", 1, "0", {D(kCaja, 150'000), H(kBancoEstado, 150'000)});
  std::int64_t bencina = entre(40, 90) * 1000 + entre(0, 999);
  agregar(1, dia(ym, 9), "E", 2, "0", {D(kCombustibles, bencina), H(kCaja, bencina)});
  std::int64_t utiles = entre(15, 45) * 1000 + entre(0, 999);
  agregar(1, dia(ym, 19), "E", 2, "0", {D(kUtilesOficina, utiles), H(kCaja, utiles)});

  std::int64_t interes = pesos(prestamo_ * 0.0075),
               cuota = std::min<std::int64_t>(290'000, prestamo_);
  agregar(
      5, dia(ym, 25), "E", 1, "0",
      {D(kPrestamoLargoPlazo, cuota), D(kIntereses, interes), H(kBancoEstado, cuota + interes)});
  if (dia(ym, 25) <= hoy_) prestamo_ -= cuota;
}

// Month-end adjustments: straight-line depreciation in both books; each quarter the extra tax
// depreciation counts only in the tax book, and the doubtful-debt and holiday provisions only
// in the IFRS book.
void Generador::ajustes(ch::year_month ym) {
  Fecha fin = dia(ym, 31);
  agregar(1, fin, "T", 2, "0",
          {D(kDepreciacionEjercicio, 353'968), H(kDepreciacionAcumulada, 353'968)});
  if (unsigned(ym.month()) % 3 != 0) return;
  agregar(1, fin, "T", 2, "1",
          {D(kDepreciacionEjercicio, 706'000), H(kDepreciacionAcumulada, 706'000)});
  std::int64_t incobrables = entre(150, 400) * 1000, vacaciones = entre(300, 500) * 1000;
  agregar(1, fin, "T", 2, "2",
          {D(kIncobrables, incobrables), H(kEstimacionIncobrables, incobrables),
           D(kVacaciones, vacaciones), H(kProvisionVacaciones, vacaciones)});
}

bool esInventario(const std::string& centro) {
  static const std::map<std::string, std::string> grupos = [] {
    std::map<std::string, std::string> m;
    for (const auto& c : planDeCuentas()) m[c.centro] = c.grupo;
    return m;
  }();
  const std::string& g = grupos.at(centro);
  return g == "A" || g == "P" || g == "T";
}

// The opening vouchers of `anio`: for each book mark, the balances that the vouchers of that mark
// left in the inventory accounts at the end of the year before, with that year's result carried
// to retained earnings. Each mark's vouchers balance, so each opening does too.
std::vector<Comprobante> aperturas(const std::vector<Comprobante>& lista, int anio) {
  std::map<std::string, std::map<std::string, std::int64_t>> saldos;  // mark -> account -> D-H
  for (const auto& c : lista) {
    if (c.fecha.anio != anio - 1) continue;
    for (const auto& l : c.lineas) {
      const std::string& centro = esInventario(l.centro) ? l.centro : kUtilidadesAcumuladas;
      saldos[c.ifrs][centro] += l.debe - l.haber;
    }
  }
  std::vector<Comprobante> r;
  for (const auto& [marca, cuentas] : saldos) {
    Comprobante c{1, Fecha{anio, 1, 1}, "A", 0, 1, marca, {}};
    for (const auto& [centro, saldo] : cuentas) {
      if (saldo != 0)
        c.lineas.push_back(
            {centro, std::max<std::int64_t>(saldo, 0), std::max<std::int64_t>(-saldo, 0)});
    }
    if (!c.lineas.empty()) r.push_back(std::move(c));
  }
  return r;
}

std::vector<Comprobante> Generador::terminar() {
  auto porFecha = [](const Comprobante& a, const Comprobante& b) { return a.fecha < b.fecha; };
  std::stable_sort(lista_.begin(), lista_.end(), porFecha);
  if (!lista_.empty()) {
    for (int anio = lista_.front().fecha.anio + 1; anio <= hoy_.anio; ++anio) {
      auto nuevas = aperturas(lista_, anio);
      lista_.insert(lista_.end(), nuevas.begin(), nuevas.end());
      std::stable_sort(lista_.begin(), lista_.end(), porFecha);
    }
  }
  std::map<std::tuple<int, std::string, int>, int> numeros;
  for (auto& c : lista_) c.num_docum = ++numeros[{c.subsistema, c.documento, c.fecha.anio}];
  return std::move(lista_);
}

}  // namespace

std::vector<Comprobante> comprobantes(const Fecha& hoy) {
  Generador g(hoy);
  auto actual = ch::year{hoy.anio} / ch::month{unsigned(hoy.mes)};
  auto inicio = actual - ch::months{17};
  int indice = 0;
  for (auto ym = inicio; ym <= actual; ym += ch::months{1}) g.mes(ym, indice++);
  return g.terminar();
}

}  // namespace suite::demo
