#include "datos/forma_insercion.h"

#include <string_view>
#include <utility>

#include "datos/piezas.h"

namespace suite::datos {

namespace {

using Clase = Pieza::Clase;
using Tipo = FormaInsercion::Valor::Tipo;

// Reads the pieces of an INSERT in order, one at a time, and takes its literals out into a
// FormaInsercion.
class Lector {
 public:
  explicit Lector(const std::string& sql) : sql_(sql) {}

  std::optional<FormaInsercion> leer() {
    std::size_t primera = sql_.find_first_not_of(" \t\r\n\v\f");
    if (primera == std::string::npos || !piezaEn(sql_, primera).es(Clase::Palabra, "insert")) {
      return {};
    }
    f_.forma.reserve(sql_.size() / 2);
    for (std::size_t i = 0; i < sql_.size();) {
      std::optional<std::size_t> despues = pieza(i);
      if (!despues) return {};
      i = *despues;
    }
    f_.forma.append(sql_, copiado_, std::string::npos);
    return std::move(f_);
  }

 private:
  // Reads the piece at `sql_[i]` (with the pieces of a number that starts there) and returns
  // where the next one starts, or nullopt when the statement cannot be read with certainty.
  std::optional<std::size_t> pieza(std::size_t i) {
    const Pieza pz = piezaEn(sql_, i);
    const Pieza previa = std::exchange(previa_, pz);
    char sigue = i + 1 < sql_.size() ? sql_[i + 1] : '\0';
    switch (pz.clase) {
      case Clase::Blanco:
        return i + pz.texto.size();
      case Clase::Cita:   // quoted names
      case Clase::Fecha:  // a Jet date: the statement needs translating
        return {};
      case Clase::Cadena: {
        // X'..', a blob: the piece right before it is a name that ends in x.
        if (previa.clase == Clase::Palabra &&
            (previa.texto.back() == 'x' || previa.texto.back() == 'X')) {
          return {};
        }
        std::optional<std::string> texto = textoDeCadena(pz.texto);
        if (!texto) return {};
        return literal(i, i + pz.texto.size(), Tipo::Texto, std::move(*texto));
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
      return literal(i, n->fin, n->real ? Tipo::Real : Tipo::Entero, sql_.substr(i, n->fin - i));
    }
    previo_ = pz.texto.back();
    trasNombre_ = pz.clase == Clase::Palabra;
    return i + pz.texto.size();
  }

  // Writes a `?` for the literal in sql_[inicio, fin) and returns `fin`, where the next piece
  // starts.
  std::size_t literal(std::size_t inicio, std::size_t fin, Tipo tipo, std::string texto) {
    f_.forma.append(sql_, copiado_, inicio - copiado_);
    f_.forma += '?';
    f_.valores.push_back({tipo, std::move(texto)});
    copiado_ = fin;
    previo_ = '?';
    trasNombre_ = false;
    previa_ = {Clase::Simbolo, "?"};
    return fin;
  }

  const std::string& sql_;
  FormaInsercion f_;
  std::size_t copiado_ = 0;          // sql_[copiado_, ...) still to be copied as it is
  Pieza previa_{Clase::Blanco, {}};  // the piece read last
  char previo_ = ' ';                // the last character that is not a blank; '?' after a literal
  bool trasNombre_ = false;  // the last piece that is not blank is a name: "t 2" is no number
};

}  // namespace

std::optional<FormaInsercion> formaInsercion(const std::string& sql) {
  return Lector(sql).leer();
}

}  // namespace suite::datos
