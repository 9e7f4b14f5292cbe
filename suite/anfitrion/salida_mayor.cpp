#include "salida_mayor.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "anchura.h"
#include "balance/formato.h"
#include "balance/sumas.h"
#include "controles/visible.h"
#include "mayor/centavos.h"

namespace suite::anfitrion {

namespace {

using mayor::Cuenta;
using mayor::Movimiento;
using mayor::Totales;

// The ledger's seven columns: their captions, their fixed widths on a terminal, and whether
// they are figures (right-aligned). The labels of the opening and closing lines span the first
// four.
constexpr std::array<const char*, 7> kTitulos{"Fecha", "Sub",   "Doc",  "Número",
                                              "Debe",  "Haber", "Saldo"};
constexpr std::array<std::size_t, 7> kAnchos{10, 3, 4, 8, 14, 14, 15};
constexpr std::array<bool, 7> kCifra{false, true, false, true, true, true, true};

std::string relleno(std::size_t n) {
  return std::string(n, ' ');
}

std::string alinear(const std::string& texto, std::size_t ancho, bool derecha) {
  std::size_t a = anchura(texto);
  if (a >= ancho) return texto;
  return derecha ? relleno(ancho - a) + texto : texto + relleno(ancho - a);
}

// A tab-separated field: a tab or a line end inside it would shift or split the row.
std::string campo(std::string texto) {
  std::replace_if(
      texto.begin(), texto.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
  return texto;
}

// Whole pesos of an amount in cents, as a person reads them or as a program does.
std::string cifra(std::int64_t centavos, bool terminal) {
  long double p = static_cast<long double>(mayor::pesos(centavos));
  return terminal ? prjsumsal::formatoMiles(p, ".") : prjsumsal::formatoCero(p);
}

class EscritorMayor {
 public:
  EscritorMayor(std::ostream& salida, bool terminal) : salida_(salida), terminal_(terminal) {}

  void cuenta(const Cuenta& c, bool primera) {
    if (terminal_) {
      if (!primera) salida_ << '\n';
      salida_ << "Cuenta " << controles::visible(c.centro) << "  " << controles::visible(c.n_centro)
              << '\n';
      std::array<std::string, 7> t;
      std::copy(kTitulos.begin(), kTitulos.end(), t.begin());
      linea(t);
    } else {
      linea({"CUENTA", c.centro, c.n_centro, "", "", "", ""});
    }
    linea({etiqueta("Saldo inicial", "SALDO INICIAL"), "", "", "", "", "", cifra(c.apertura)});
  }

  void movimiento(const Movimiento& m) {
    // A person reads a line's side more easily with the other side blank.
    auto lado = [&](std::int64_t monto) { return terminal_ && monto == 0 ? "" : cifra(monto); };
    linea({m.claves.fecha.texto(), std::to_string(m.claves.subsistema), m.claves.documento,
           std::to_string(m.claves.numero), lado(m.debe), lado(m.haber), cifra(m.saldo)});
  }

  void cierre(const Totales& t) {
    linea({etiqueta("Sumas del período", "SUMAS"), "", "", "", cifra(t.debe), cifra(t.haber), ""});
    if (t.saldo > 0) {
      linea(
          {etiqueta("Saldo final deudor", "SALDO DEUDOR"), "", "", "", cifra(t.deudor()), "", ""});
    } else {
      linea({etiqueta("Saldo final acreedor", "SALDO ACREEDOR"), "", "", "", "",
             cifra(t.acreedor()), ""});
    }
  }

 private:
  std::string etiqueta(const char* persona, const char* programa) const {
    return terminal_ ? persona : programa;
  }
  std::string cifra(std::int64_t centavos) const { return anfitrion::cifra(centavos, terminal_); }

  void linea(const std::array<std::string, 7>& f) {
    std::string l;
    if (!terminal_) {
      for (std::size_t i = 0; i < f.size(); ++i) l += (i ? "\t" : "") + campo(f[i]);
      salida_ << l << '\n';
      return;
    }
    // A label stands alone in the first four columns and spans them.
    bool etiqueta = f[1].empty() && f[2].empty() && f[3].empty();
    std::size_t desde = 0;
    if (etiqueta) {
      l = alinear(controles::visible(f[0]), kAnchos[0] + kAnchos[1] + kAnchos[2] + kAnchos[3] + 6,
                  false);
      desde = 4;
    }
    for (std::size_t i = desde; i < f.size(); ++i) {
      if (i > 0) l += "  ";
      l += alinear(controles::visible(f[i]), kAnchos[i], kCifra[i]);
    }
    while (!l.empty() && l.back() == ' ') l.pop_back();
    salida_ << l << '\n';
  }

  std::ostream& salida_;
  bool terminal_;
};

}  // namespace

std::size_t escribirMayor(std::ostream& salida, mayor::Mayor& m, bool terminal) {
  EscritorMayor escritor(salida, terminal);
  std::size_t cuentas = 0;
  for (Cuenta c; m.siguienteCuenta(c); ++cuentas) {
    escritor.cuenta(c, cuentas == 0);
    for (Movimiento mov; m.siguienteMovimiento(mov);) escritor.movimiento(mov);
    escritor.cierre(m.totales());
  }
  return cuentas;
}

void escribirComparacion(std::ostream& salida, const mayor::Comparacion& c, bool terminal) {
  auto fecha = [](const std::string& iso) {
    auto f = prjsumsal::Fecha::leerIso(iso);
    return f ? f->texto() : iso;
  };
  std::vector<std::array<std::string, 5>> filas;
  filas.push_back({"Cuenta", "Nombre", "Saldo " + fecha(c.actual.hasta),
                   "Saldo " + fecha(c.anterior.hasta), "Diferencia"});
  for (const auto& f : c.filas) {
    filas.push_back({f.centro, f.n_centro, cifra(f.saldoActual(), terminal),
                     cifra(f.saldoAnterior(), terminal), cifra(f.diferencia(), terminal)});
  }
  std::int64_t ra = c.resultadoActual() * 100, rb = c.resultadoAnterior() * 100;
  filas.push_back({"", "RESULTADO EJERCICIO", cifra(ra, terminal), cifra(rb, terminal),
                   cifra(ra - rb, terminal)});
  if (!terminal) {
    for (std::size_t k = 1; k < filas.size(); ++k) {
      const auto& f = filas[k];
      salida << campo(f[0]) << '\t' << campo(f[1]) << '\t' << f[2] << '\t' << f[3] << '\t' << f[4]
             << '\n';
    }
    return;
  }
  std::array<std::size_t, 5> ancho{};
  for (auto& f : filas) {
    f[0] = controles::visible(f[0]);
    f[1] = controles::visible(f[1]);
    for (std::size_t i = 0; i < 5; ++i) ancho[i] = std::max(ancho[i], anchura(f[i]));
  }
  for (const auto& f : filas) {
    std::string l = alinear(f[0], ancho[0], false) + "  " + alinear(f[1], ancho[1], false);
    for (std::size_t i = 2; i < 5; ++i) l += "  " + alinear(f[i], ancho[i], true);
    salida << l << '\n';
  }
}

}  // namespace suite::anfitrion
