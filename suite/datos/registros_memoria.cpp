#include "datos/registros_memoria.h"

#include <bit>
#include <cctype>
#include <functional>

#include "datos/criterio.h"
#include "host/error.h"

namespace suite::datos {

using prjsumsal::Error;

std::string minusculas(std::string_view t) {
  std::string r(t);
  for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

namespace {

const char* kSinRegistro = "No hay registro activo";

std::uint64_t dispersion(std::string_view t) {
  return std::hash<std::string_view>{}(t);
}

// A slot's hash part, and its row part (the row plus one).
constexpr std::uint64_t kFila = 0xffffffffULL;

}  // namespace

RegistrosMemoria::RegistrosMemoria(std::vector<std::string> columnas, Celdas celdas)
    : columnas_(std::move(columnas)), celdas_(std::move(celdas)) {
  filas_ = celdas_.filas();
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
  return prjsumsal::Campo{celdas_.valor(actual_, c)};
}

std::size_t RegistrosMemoria::buscar(const Indice& idx, std::size_t c,
                                     std::string_view valor) const {
  std::uint64_t h = dispersion(valor), mascara = idx.size() - 1;
  std::string apoyo;
  for (std::size_t i = h & mascara;; i = (i + 1) & mascara) {
    std::uint64_t ranura = idx[i];
    if (ranura == 0) return filas_;
    std::size_t fila = (ranura & kFila) - 1;
    if ((ranura & ~kFila) == (h & ~kFila) && celdas_.texto(fila, c, apoyo) == valor) return fila;
  }
}

const RegistrosMemoria::Indice& RegistrosMemoria::indice(std::size_t c) {
  if (indices_[c]) return *indices_[c];
  if (filas_ >= kFila) throw Error("Demasiados registros para buscar en ellos");
  // At most half the slots in use, so that a search ends after a probe or two.
  auto nuevo = std::make_unique<Indice>(std::bit_ceil(2 * filas_ + 2), 0);
  std::uint64_t mascara = nuevo->size() - 1;
  std::string apoyo, otro;
  for (std::size_t f = 0; f < filas_; ++f) {
    if (celdas_.esNulo(f, c)) continue;  // a null never matches
    std::string_view t = celdas_.texto(f, c, apoyo);
    std::uint64_t h = dispersion(t);
    for (std::size_t i = h & mascara;; i = (i + 1) & mascara) {
      std::uint64_t& ranura = (*nuevo)[i];
      if (ranura == 0) {
        ranura = (h & ~kFila) | (f + 1);
        break;
      }
      // The first row of each value is kept.
      if ((ranura & ~kFila) == (h & ~kFila) && celdas_.texto((ranura & kFila) - 1, c, otro) == t) {
        break;
      }
    }
  }
  indices_[c] = std::move(nuevo);
  return *indices_[c];
}

void RegistrosMemoria::findfirst(std::string_view criterio) {
  auto igualdad = leerCriterio(criterio);
  if (!igualdad) {
    throw Error("Criterio no admitido en findfirst: \"" + std::string(criterio) +
                "\" (se admite columna='valor')");
  }
  std::size_t c = columna(igualdad->columna);
  std::size_t fila = buscar(indice(c), c, igualdad->valor);
  nomatch_ = fila == filas_;
  if (!nomatch_) actual_ = fila;
}

}  // namespace suite::datos
