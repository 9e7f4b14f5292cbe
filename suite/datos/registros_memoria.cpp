#include "datos/registros_memoria.h"

#include <cctype>

#include "datos/criterio.h"
#include "host/error.h"

namespace suite {

using prjsumsal::Error;
using prjsumsal::Valor;

namespace {

// Column names compare as the host's engine compares them: ASCII letters without regard to case.
std::string minusculas(std::string_view t) {
  std::string r(t);
  for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

const char* kSinRegistro = "No hay registro activo";

}  // namespace

RegistrosMemoria::RegistrosMemoria(std::vector<std::string> columnas, std::vector<Valor> valores)
    : columnas_(std::move(columnas)), valores_(std::move(valores)) {
  filas_ = columnas_.empty() ? 0 : valores_.size() / columnas_.size();
  for (std::size_t c = 0; c < columnas_.size(); ++c) {
    posiciones_.emplace(minusculas(columnas_[c]), c);  // the first column of a name wins
  }
  indices_.resize(columnas_.size());
}

bool RegistrosMemoria::eof() const {
  return actual_ >= filas_;
}

void RegistrosMemoria::MoveNext() {
  if (eof()) throw Error(kSinRegistro);
  ++actual_;
}

std::size_t RegistrosMemoria::columna(std::string_view nombre) const {
  auto it = posiciones_.find(minusculas(nombre));
  if (it == posiciones_.end()) {
    throw Error("No se encontró el campo '" + std::string(nombre) +
                "' en el conjunto de registros");
  }
  return it->second;
}

prjsumsal::Campo RegistrosMemoria::fields(std::string_view nombre) const {
  std::size_t c = columna(nombre);
  if (eof()) throw Error(std::string(kSinRegistro) + " (campo '" + std::string(nombre) + "')");
  return prjsumsal::Campo{valores_[actual_ * columnas_.size() + c]};
}

const RegistrosMemoria::Indice& RegistrosMemoria::indice(std::size_t c) {
  if (!indices_[c]) {
    auto nuevo = std::make_unique<Indice>();
    nuevo->reserve(filas_);
    for (std::size_t f = 0; f < filas_; ++f) {
      const Valor& v = valores_[f * columnas_.size() + c];
      if (!v.esNulo()) nuevo->emplace(v.texto(), f);  // keeps the first row of each value
    }
    indices_[c] = std::move(nuevo);
  }
  return *indices_[c];
}

void RegistrosMemoria::findfirst(std::string_view criterio) {
  auto igualdad = leerCriterio(criterio);
  if (!igualdad) {
    throw Error("Criterio no admitido en findfirst: \"" + std::string(criterio) +
                "\" (se admite columna='valor')");
  }
  const Indice& idx = indice(columna(igualdad->columna));
  auto it = idx.find(igualdad->valor);
  nomatch_ = it == idx.end();
  if (!nomatch_) actual_ = it->second;
}

}  // namespace suite
