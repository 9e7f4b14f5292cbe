#include "host/caracteres.h"

namespace prjsumsal {

namespace {

bool continuacion(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The byte offset where the character numbered `n` (from 0) starts, or the text's size.
std::size_t desplazamiento(std::string_view texto, std::size_t n) {
  std::size_t i = 0;
  while (i < texto.size() && n > 0) {
    ++i;
    while (i < texto.size() && continuacion(texto[i])) ++i;
    --n;
  }
  return i;
}

}  // namespace

std::size_t largo(std::string_view texto) {
  std::size_t n = 0;
  for (char c : texto) n += continuacion(c) ? 0 : 1;
  return n;
}

std::string izquierda(std::string_view texto, std::size_t n) {
  return std::string(texto.substr(0, desplazamiento(texto, n)));
}

std::string medio(std::string_view texto, std::size_t inicio, std::size_t n) {
  if (inicio == 0) inicio = 1;
  std::string_view resto = texto.substr(desplazamiento(texto, inicio - 1));
  return izquierda(resto, n);
}

}  // namespace prjsumsal
