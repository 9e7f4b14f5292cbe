#include "host/numeros.h"

#include <cctype>
#include <charconv>
#include <string>
#include <system_error>

#include "host/error.h"

namespace prjsumsal {

namespace {

bool blanco(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool digito(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

double Val(std::string_view texto) {
  // The characters of the number without the blanks, in the form from_chars reads.
  std::string limpio;
  std::size_t i = 0;
  auto siguiente = [&]() -> char {
    while (i < texto.size() && blanco(texto[i])) ++i;
    return i < texto.size() ? texto[i] : '\0';
  };
  char c = siguiente();
  if (c == '+' || c == '-') {
    if (c == '-') limpio += c;
    ++i;
  }
  bool hayDigitos = false;
  for (c = siguiente(); digito(c); ++i, c = siguiente()) {
    limpio += c;
    hayDigitos = true;
  }
  if (c == '.') {
    ++i;
    limpio += '.';
    for (c = siguiente(); digito(c); ++i, c = siguiente()) {
      limpio += c;
      hayDigitos = true;
    }
  }
  if (!hayDigitos) return 0;
  if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
    ++i;
    std::string exponente = "e";
    char s = siguiente();
    if (s == '+' || s == '-') {
      exponente += s;
      ++i;
    }
    bool hayExponente = false;
    for (c = siguiente(); digito(c); ++i, c = siguiente()) {
      exponente += c;
      hayExponente = true;
    }
    if (hayExponente) limpio += exponente;
  }
  double valor = 0;
  auto [fin, ec] = std::from_chars(limpio.data(), limpio.data() + limpio.size(), valor);
  if (ec == std::errc::result_out_of_range) {
    // from_chars reports underflow the same way; a tiny number reads as 0.
    bool grande = limpio.find("e-") == std::string::npos;
    if (grande) throw Error(kDesbordamiento);
    return 0;
  }
  (void)fin;
  return valor;
}

}  // namespace prjsumsal
