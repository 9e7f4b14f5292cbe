#include "host/caracteres.h"

#include "host/codificacion.h"

namespace prjsumsal {

namespace {

// The byte offset where the character numbered `n` (from 0) starts, or the text's size.
std::size_t desplazamiento(std::string_view texto, std::size_t n) {
  std::size_t i = 0;
  for (; i < texto.size() && n > 0; --n) i += leerCaracter(texto.substr(i)).largo;
  return i;
}

}  // namespace

std::size_t largo(std::string_view texto) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < texto.size(); ++n) i += leerCaracter(texto.substr(i)).largo;
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
