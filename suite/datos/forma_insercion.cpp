#include "datos/forma_insercion.h"

#include <string_view>
#include <vector>

#include "datos/piezas.h"

namespace suite::datos {

namespace {

using Clase = Pieza::Clase;
using Tipo = FormaInsercion::Valor::Tipo;

// Reads the pieces of an INSERT in order and takes its literals out into a FormaInsercion.
class Lector {
 public:
  explicit Lector(const std::string& sql) : sql_(sql), p_(cortar(sql)) {}

  std::optional<FormaInsercion> leer() {
    std::size_t primera = !p_.empty() && p_[0].clase == Clase::Blanco ? siguiente(p_, 0) : 0;
    if (primera >= p_.size() || !p_[primera].es(Clase::Palabra, "insert")) return {};
    f_.forma.reserve(sql_.size() / 2);
    for (std::size_t k = 0; k < p_.size();) {
      std::optional<std::size_t> despues = pieza(k);
      if (!despues) return {};
      k = *despues;
    }
    f_.forma.append(sql_, copiado_, std::string::npos);
    return std::move(f_);
  }

 private:
  std::size_t inicio(std::size_t k) const {
    return static_cast<std::size_t>(p_[k].texto.data() - sql_.data());
  }

  // Reads the piece `k` (with the pieces of a number that starts there) and returns the index of
  // the piece after it, or nullopt when the statement cannot be read with certainty.
  std::optional<std::size_t> pieza(std::size_t k) {
    const Pieza& pz = p_[k];
    std::size_t i = inicio(k);
    char sigue = i + 1 < sql_.size() ? sql_[i + 1] : '\0';
    switch (pz.clase) {
      case Clase::Blanco:
        return k + 1;
      case Clase::Cita:   // quoted names
      case Clase::Fecha:  // a Jet date: the statement needs translating
        return {};
      case Clase::Cadena: {
        // X'..', a blob: the piece before it is a name that ends in x.
        if (k > 0 && p_[k - 1].clase == Clase::Palabra &&
            (p_[k - 1].texto.back() == 'x' || p_[k - 1].texto.back() == 'X')) {
          return {};
        }
        std::optional<std::string> texto = textoDeCadena(pz.texto);
        if (!texto) return {};
        return literal(k, i + pz.texto.size(), Tipo::Texto, std::move(*texto));
      }
      case Clase::Simbolo:
      case Clase::Palabra:
        break;
    }
    char c = pz.texto[0];
    if (c == '?' || c == ':' || c == '@' || (c == '-' && sigue == '-') ||
        (c == '/' && sigue == '*')) {
      return {};  // parameters of its own, comments
    }
    bool signo = c == '-' && (previo_ == '(' || previo_ == ',') && esDigito(sigue);
    bool numero = (esDigito(c) || (c == '.' && esDigito(sigue))) && !trasNombre_;
    if (signo || numero) {
      std::optional<Numero> n = leerNumero(sql_, i);
      if (!n) return {};
      return literal(k, n->fin, n->real ? Tipo::Real : Tipo::Entero, sql_.substr(i, n->fin - i));
    }
    previo_ = pz.texto.back();
    trasNombre_ = pz.clase == Clase::Palabra;
    return k + 1;
  }

  // Writes a `?` for the literal that starts at the piece `k` and ends at `fin` in the text, and
  // returns the index of the first piece after it.
  std::size_t literal(std::size_t k, std::size_t fin, Tipo tipo, std::string texto) {
    f_.forma.append(sql_, copiado_, inicio(k) - copiado_);
    f_.forma += '?';
    f_.valores.push_back({tipo, std::move(texto)});
    copiado_ = fin;
    previo_ = '?';
    trasNombre_ = false;
    while (k < p_.size() && inicio(k) < fin) ++k;
    return k;
  }

  const std::string& sql_;
  std::vector<Pieza> p_;
  FormaInsercion f_;
  std::size_t copiado_ = 0;  // sql_[copiado_, ...) still to be copied as it is
  char previo_ = ' ';        // the last character that is not a blank; '?' after a literal
  bool trasNombre_ = false;  // the last piece that is not blank is a name: "t 2" is no number
};

}  // namespace

std::optional<FormaInsercion> formaInsercion(const std::string& sql) {
  return Lector(sql).leer();
}

}  // namespace suite::datos
