#include "balance/calculo.h"

#include "host/error.h"
#include "host/sql.h"

namespace prjsumsal {

namespace {

// A sum of the current row as a number. The database gives null when every amount summed was
// null; the run cannot go on with it, and the message says which account and column.
Valor suma(const Registros& rs, const char* columna, const std::string& centro) {
  Valor v = rs.fields(columna).Value;
  if (v.esNulo()) {
    throw Error(std::string(kNuloInvalido) + ": la suma de " + columna + " de la cuenta " + centro +
                " es nula (movimientos sin monto en ctdcomprmm)");
  }
  return v;
}

std::string textoONada(const Registros& rs, const char* columna) {
  Valor v = rs.fields(columna).Value;
  return v.esNulo() ? std::string() : v.texto();
}

}  // namespace

Calculo::Calculo(BaseDatos& db, const Consulta& consulta, Uso uso) {
  plan_ = db.newrecord(" select * from ctmcentros ");
  periodo_ = db.newrecord(sentenciaPeriodo(consulta), 4);
  acumulado_ = db.newrecord(sentenciaAcumulado(consulta, uso), 4);
}

Calculo::~Calculo() = default;

bool Calculo::siguiente(FilaBalance& f) {
  if (acumulado_->eof()) return false;
  f = FilaBalance{};

  Valor codigo = acumulado_->fields("centro").Value;
  if (codigo.esNulo()) {
    throw Error(std::string(kNuloInvalido) +
                ": hay movimientos de ctdcomprmm sin cuenta (centro nulo)");
  }
  f.centro = codigo.texto();
  std::string criterio = "centro='" + sqlTexto(f.centro) + "'";

  periodo_->findfirst(criterio + " ");
  if (!periodo_->nomatch()) {
    f.debe = suma(*periodo_, "debe", f.centro).numero();
    f.haber = suma(*periodo_, "haber", f.centro).numero();
  }

  // The split works on the sums as the database returns them: two whole numbers are compared
  // and subtracted exactly before the result becomes a double.
  Valor d = suma(*acumulado_, "debe", f.centro);
  Valor h = suma(*acumulado_, "haber", f.centro);
  constexpr std::int64_t kLimite = std::int64_t{1} << 62;  // a difference that cannot overflow
  auto exacto = [&](const Valor& v) {
    return v.tipo() == Valor::Tipo::Entero && v.entero() > -kLimite && v.entero() < kLimite;
  };
  if (exacto(d) && exacto(h)) {
    std::int64_t di = d.entero(), hi = h.entero();
    if (di > hi) {
      f.debe_act = static_cast<double>(di - hi);
    } else {
      f.haber_act = static_cast<double>(hi - di);
    }
  } else {
    double dd = d.numero(), hh = h.numero();
    if (dd > hh) {
      f.debe_act = dd - hh;
    } else {
      f.haber_act = hh - dd;
    }
  }

  // An account missing from the chart gets an empty name and group, never those of whatever
  // row the chart happened to stand on.
  plan_->findfirst(criterio);
  if (!plan_->nomatch()) {
    f.n_centro = textoONada(*plan_, "n_centro");
    f.g_cuenta = textoONada(*plan_, "g_cuenta");
  }

  clasificar(f);
  acumulado_->MoveNext();
  return true;
}

}  // namespace prjsumsal
