#include "host/valor.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "host/error.h"

namespace prjsumsal {

namespace {

std::string_view recortar(std::string_view t) {
  auto ini = t.find_first_not_of(" \t");
  if (ini == std::string_view::npos) return {};
  auto fin = t.find_last_not_of(" \t");
  return t.substr(ini, fin - ini + 1);
}

// A text that holds one number and nothing else but blanks around it.
double numeroDeTexto(const std::string& texto) {
  std::string limpio(recortar(texto));
  if (limpio.empty()) throw Error(kTiposNoCoinciden);
  char* fin = nullptr;
  double v = std::strtod(limpio.c_str(), &fin);
  if (fin != limpio.c_str() + limpio.size() || std::isnan(v)) throw Error(kTiposNoCoinciden);
  return v;
}

}  // namespace

double Valor::numero() const {
  switch (tipo()) {
    case Tipo::Nulo:
      throw Error(kNuloInvalido);
    case Tipo::Entero:
      return static_cast<double>(std::get<std::int64_t>(dato_));
    case Tipo::Doble:
      return std::get<double>(dato_);
    case Tipo::Texto:
      return numeroDeTexto(std::get<std::string>(dato_));
    case Tipo::Logico:
      return std::get<bool>(dato_) ? -1.0 : 0.0;
    case Tipo::Fecha:
      break;
  }
  throw Error(kTiposNoCoinciden);
}

std::int64_t Valor::entero() const {
  if (tipo() == Tipo::Entero) return std::get<std::int64_t>(dato_);
  double v = std::nearbyint(numero());  // the default rounding mode rounds half to even
  if (!(v >= -9223372036854775808.0 && v < 9223372036854775808.0)) throw Error(kDesbordamiento);
  return static_cast<std::int64_t>(v);
}

std::string Valor::texto() const {
  switch (tipo()) {
    case Tipo::Nulo:
      throw Error(kNuloInvalido);
    case Tipo::Entero:
      return std::to_string(std::get<std::int64_t>(dato_));
    case Tipo::Doble: {
      char buf[40];
      std::snprintf(buf, sizeof buf, "%.15g", std::get<double>(dato_));
      return buf;
    }
    case Tipo::Texto:
      return std::get<std::string>(dato_);
    case Tipo::Logico:
      return std::get<bool>(dato_) ? "Verdadero" : "Falso";
    case Tipo::Fecha:
      return std::get<Fecha>(dato_).texto();
  }
  throw Error(kTiposNoCoinciden);
}

bool Valor::logico() const {
  if (tipo() == Tipo::Logico) return std::get<bool>(dato_);
  if (tipo() == Tipo::Texto) {
    std::string t(recortar(std::get<std::string>(dato_)));
    for (auto& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (t == "verdadero" || t == "true") return true;
    if (t == "falso" || t == "false") return false;
  }
  return numero() != 0.0;
}

}  // namespace prjsumsal
