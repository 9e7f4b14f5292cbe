#include "mayor/comprobante.h"

#include <map>
#include <numeric>

#include "host/sql.h"
#include "mayor/centavos.h"
#include "mayor/filtro.h"

namespace suite::mayor {

using prjsumsal::Valor;

namespace {

std::int64_t centavos(const Valor& v) {
  return v.esNulo() ? 0 : mayor::centavos(v.numero());
}

std::string sentenciaLineas(const prjsumsal::Consulta& c, const Claves& k) {
  std::string s =
      "SELECT a.centro as centro, a.debe_nacional as debe, a.haber_nacional as haber,"
      " b.usuario as usuario, b.ifrs as ifrs from ctdcomprmm a, ctccomprmm b";
  s += " where a.empresa=" + std::to_string(k.empresa);
  s += " and a.subsistema=" + std::to_string(k.subsistema);
  s += " and a.f_comp=#" + k.fecha.iso() + "#";
  s += " and a.documento='" + prjsumsal::sqlTexto(k.documento) + "'";
  s += " and a.num_docum=" + std::to_string(k.numero);
  return s + condicionesDelLibro(c);
}

}  // namespace

std::int64_t Comprobante::debe() const {
  return std::accumulate(lineas.begin(), lineas.end(), std::int64_t{0},
                         [](std::int64_t s, const LineaComprobante& l) { return s + l.debe; });
}

std::int64_t Comprobante::haber() const {
  return std::accumulate(lineas.begin(), lineas.end(), std::int64_t{0},
                         [](std::int64_t s, const LineaComprobante& l) { return s + l.haber; });
}

std::optional<Comprobante> leerComprobante(prjsumsal::BaseDatos& db,
                                           const prjsumsal::Consulta& consulta,
                                           const Claves& claves) {
  if (claves.empresa != consulta.empresa) return std::nullopt;
  auto rs = db.newrecord(sentenciaLineas(consulta, claves));
  if (rs->eof()) return std::nullopt;
  Comprobante c;
  c.claves = claves;
  c.usuario = rs->fields("usuario").Value.entero();
  Valor ifrs = rs->fields("ifrs").Value;
  c.ifrs = ifrs.esNulo() ? std::string() : ifrs.texto();
  std::map<std::string, std::string> nombres;
  for (; !rs->eof(); rs->MoveNext()) {
    Valor centro = rs->fields("centro").Value;
    LineaComprobante& l = c.lineas.emplace_back();
    l.centro = centro.esNulo() ? std::string() : centro.texto();
    l.debe = centavos(rs->fields("debe").Value);
    l.haber = centavos(rs->fields("haber").Value);
    nombres[l.centro];
  }
  // The names of the voucher's few accounts, not the whole chart.
  std::string lista;
  for (const auto& [centro, nombre] : nombres) {
    lista += (lista.empty() ? "'" : ",'") + prjsumsal::sqlTexto(centro) + "'";
  }
  auto plan =
      db.newrecord("select centro, n_centro from ctmcentros where centro in (" + lista + ")");
  for (; !plan->eof(); plan->MoveNext()) {
    Valor centro = plan->fields("centro").Value, nombre = plan->fields("n_centro").Value;
    if (centro.esNulo() || nombre.esNulo()) continue;
    auto it = nombres.find(centro.texto());
    if (it != nombres.end() && it->second.empty()) it->second = nombre.texto();
  }
  for (LineaComprobante& l : c.lineas) l.n_centro = nombres[l.centro];
  return c;
}

}  // namespace suite::mayor
