#include "diario.h"

#include <array>
#include <cstdio>
#include <random>
#include <vector>

#include "datos/esquema.h"
#include "hijo.h"
#include "sqlite.h"

namespace bench {
namespace {

using namespace std::chrono;

// Groups of the chart with their share of the accounts: inventory (A, P, T), results (G, I).
struct Grupo {
  const char* letra;
  const char* nombre;
  int prefijo;
  int partes;  // in thousandths of the chart
};
constexpr std::array<Grupo, 5> kGrupos{{{"A", "Activo", 1, 350},
                                        {"P", "Pasivo", 2, 200},
                                        {"T", "Patrimonio", 3, 50},
                                        {"G", "Gasto", 4, 250},
                                        {"I", "Ingreso", 5, 150}}};

constexpr std::array<const char*, 3> kDocumentos{"CE", "CI", "CT"};

// Two companies' records; the tables come from the host's schema.
const char* kEmpresas = R"(
insert into admempresa values('JUAN PEREZ', 'SANTIAGO', '76.123.456-0', 'COMERCIAL SUR LTDA',
  'SUR', 'AV. MATTA 123', 'SANTIAGO', '22 555 0101');
insert into admempresa values('ANA SOTO', 'VALPARAISO', '77.654.321-5', 'NORTE SPA',
  'NORTE', 'CALLE PRAT 45', 'VALPARAISO', '32 555 0202');
)";

// Splits `total` whole pesos into `partes` positive amounts.
std::vector<long long> repartir(long long total, int partes, std::mt19937_64& azar) {
  std::vector<long long> montos;
  long long resto = total;
  for (int quedan = partes; quedan > 1; --quedan) {
    long long media = resto / quedan;
    long long monto = std::uniform_int_distribution<long long>(media / 2 + 1, media)(azar);
    montos.push_back(monto);
    resto -= monto;
  }
  montos.push_back(resto);
  return montos;
}

std::vector<std::string> cargarPlan(Conexion& c, int cuentas) {
  Sentencia ins(c, "insert into ctmcentros values(?, ?, ?)");
  std::vector<std::string> codigos;
  for (const Grupo& g : kGrupos) {
    int n =
        g.letra[0] == 'I' ? cuentas - static_cast<int>(codigos.size()) : cuentas * g.partes / 1000;
    for (int i = 1; i <= n; ++i) {
      std::string codigo = std::to_string(g.prefijo * 1000000 + i);
      ins.reiniciar();
      ins.enlazar(1, codigo);
      ins.enlazar(2, std::string("Cuenta de ") + g.nombre + " " + std::to_string(i));
      ins.enlazar(3, std::string(g.letra));
      ins.paso();
      codigos.push_back(codigo);
    }
  }
  return codigos;
}

}  // namespace

std::string iso(year_month_day dia) {
  char texto[16];
  std::snprintf(texto, sizeof texto, "%04d-%02u-%02u", static_cast<int>(dia.year()),
                static_cast<unsigned>(dia.month()), static_cast<unsigned>(dia.day()));
  return texto;
}

std::filesystem::path rutaDiario(const std::filesystem::path& carpeta, const Parametros& p) {
  return carpeta / ("diario_" + std::to_string(p.lineas) + "_" + std::to_string(p.cuentas) + "_" +
                    iso(p.primerDia) + "_" + iso(p.ultimoDia) + "_" + std::to_string(p.semilla) +
                    "_v3.sqlite");
}

void generarDiario(const std::filesystem::path& destino, const Parametros& p) {
  std::filesystem::path temporal = destino;
  temporal += ".tmp";
  std::filesystem::remove(temporal);
  std::mt19937_64 azar(p.semilla);
  {
    Conexion c(temporal);
    c.ejecutar("pragma journal_mode=off; pragma synchronous=off; begin;");
    c.ejecutar(suite::datos::scriptTablasContabilidad());
    c.ejecutar(kEmpresas);
    std::vector<std::string> codigos = cargarPlan(c, p.cuentas);

    // Line counts first, so the vouchers can be spread evenly over the days in date order.
    std::vector<int> tamanos;
    for (long quedan = p.lineas; quedan > 0;) {
      int k = std::uniform_int_distribution<int>(2, 5)(azar);
      if (quedan - k < 2) k = static_cast<int>(quedan);  // the last voucher takes the rest
      tamanos.push_back(k);
      quedan -= k;
    }

    Sentencia cabecera(c, "insert into ctccomprmm values(?, ?, ?, ?, ?, ?, ?)");
    Sentencia linea(c, "insert into ctdcomprmm values(?, ?, ?, ?, ?, ?, ?, ?)");
    const long long dias = (sys_days(p.ultimoDia) - sys_days(p.primerDia)).count() + 1;
    const long long comprobantes = static_cast<long long>(tamanos.size());
    std::array<std::array<std::array<long long, kDocumentos.size()>, 4>, 3> numeros{};
    std::uniform_int_distribution<std::size_t> cuenta(0, codigos.size() - 1);
    std::uniform_int_distribution<long long> monto(1000, 5000000);
    for (long long v = 0; v < comprobantes; ++v) {
      std::string fecha =
          iso(year_month_day(sys_days(p.primerDia) + days(v * dias / comprobantes)));
      int empresa = std::uniform_int_distribution<int>(1, 2)(azar);
      int subsistema = std::uniform_int_distribution<int>(1, 3)(azar);
      std::size_t doc = std::uniform_int_distribution<std::size_t>(0, kDocumentos.size() - 1)(azar);
      long long numero = ++numeros[empresa][subsistema][doc];
      int usuario = std::uniform_int_distribution<int>(1, 5)(azar);
      int marca = std::uniform_int_distribution<int>(0, 99)(azar);
      std::string ifrs = marca < 60 ? "0" : marca < 85 ? "1" : "2";

      cabecera.reiniciar();
      cabecera.enlazar(1, static_cast<long long>(empresa));
      cabecera.enlazar(2, static_cast<long long>(subsistema));
      cabecera.enlazar(3, fecha);
      cabecera.enlazar(4, std::string(kDocumentos[doc]));
      cabecera.enlazar(5, numero);
      cabecera.enlazar(6, static_cast<long long>(usuario));
      cabecera.enlazar(7, ifrs);
      cabecera.paso();

      // Some lines debit, the rest credit the same total.
      int k = tamanos[static_cast<std::size_t>(v)];
      int debitos = std::uniform_int_distribution<int>(1, k - 1)(azar);
      std::vector<long long> montos;
      long long total = 0;
      for (int i = 0; i < debitos; ++i) total += montos.emplace_back(monto(azar));
      for (long long m : repartir(total, k - debitos, azar)) montos.push_back(m);
      for (int i = 0; i < k; ++i) {
        linea.reiniciar();
        linea.enlazar(1, static_cast<long long>(empresa));
        linea.enlazar(2, static_cast<long long>(subsistema));
        linea.enlazar(3, fecha);
        linea.enlazar(4, std::string(kDocumentos[doc]));
        linea.enlazar(5, numero);
        linea.enlazar(6, codigos[cuenta(azar)]);
        double importe = static_cast<double>(montos[static_cast<std::size_t>(i)]);
        linea.enlazar(7, i < debitos ? importe : 0.0);
        linea.enlazar(8, i < debitos ? 0.0 : importe);
        linea.paso();
      }
    }
    // The ordinary indexes alone, built once the rows are in; the balance's benchmark adds the
    // recommended ones when it measures them.
    for (const char* i : suite::datos::kIndicesOrdinarios) c.ejecutar(i);
    c.ejecutar("commit;");
  }
  std::filesystem::rename(temporal, destino);
}

std::string limpiarDiario(const std::filesystem::path& diario,
                          const std::vector<std::string>& conservar) {
  Conexion c(diario);
  std::vector<std::pair<std::string, std::string>> sobran;  // type, name
  {
    std::string quedan = "'ctdcomprmm_empresa_fecha', 'ctccomprmm_claves'";
    for (const std::string& n : conservar) quedan += ", '" + n + "'";
    Sentencia s(c,
                "select type, name from sqlite_master where (type = 'table' and name like "
                "'sqlite\\_stat%' escape '\\') or (type = 'index' and sql is not null and name "
                "not in (" +
                    quedan + "))");
    while (s.paso()) sobran.emplace_back(s.texto(0), s.texto(1));
  }
  std::string nombres;
  for (const auto& [tipo, nombre] : sobran) {
    c.ejecutar("drop " + tipo + " \"" + nombre + "\"");
    nombres += (nombres.empty() ? "" : " ") + nombre;
  }
  return nombres;
}

std::filesystem::path diarioGenerado(const std::filesystem::path& carpeta, const Parametros& p) {
  std::filesystem::create_directories(carpeta);
  std::filesystem::path diario = rutaDiario(carpeta, p);
  if (!std::filesystem::exists(diario)) {
    std::fprintf(stderr, "generando %s\n", diario.c_str());
    enHijo([&] {
      generarDiario(diario, p);
      return std::string();
    });
  }
  return diario;
}

std::filesystem::path diarioDelMayor(const std::filesystem::path& carpeta, long lineas, long cada) {
  Parametros p;
  p.lineas = lineas;
  p.primerDia = std::chrono::year_month_day{std::chrono::year{2026}, std::chrono::January,
                                            std::chrono::day{1}};
  std::filesystem::path diario =
      carpeta / ("mayor_" + std::to_string(lineas) + "_" + std::to_string(cada) + ".sqlite");
  if (std::filesystem::exists(diario)) return diario;
  std::fprintf(stderr, "generando %s\n", diario.c_str());
  std::filesystem::path temporal = diario;
  temporal += ".generado";
  generarDiario(temporal, p);
  {
    Conexion c(temporal);
    c.ejecutar("update ctdcomprmm set centro='" + std::string(kCuentaMayor) +
               "' where empresa=1 and rowid % " + std::to_string(cada) + " = 0");
  }
  std::filesystem::rename(temporal, diario);
  return diario;
}

prjsumsal::Consulta consultaDelMayor() {
  prjsumsal::Consulta c;
  c.empresa = 1;
  c.usuario = 1;
  c.desde = "2026-01-01";
  c.hasta = "2026-12-31";
  c.anio = 2026;
  c.libro = "1";
  return c;
}

}  // namespace bench
