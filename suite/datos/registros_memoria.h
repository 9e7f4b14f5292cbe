#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "datos/celdas.h"
#include "host/registros.h"

namespace suite::datos {

// A column's name as record sets compare it, as the host's engine does: ASCII letters without
// regard to case.
std::string minusculas(std::string_view t);

// A record set held whole in memory: the rows of one SELECT, read when the set was opened, kept
// compactly (Celdas). Column names compare without regard to case. findfirst takes an equality
// criterion `col='value'` and finds the row through a hash index of that column, built the first
// time the column is searched, so each search costs O(1) whatever the number of rows.
class RegistrosMemoria : public prjsumsal::Registros {
 public:
  RegistrosMemoria(std::vector<std::string> columnas, Celdas celdas);

  bool eof() const override;
  void MoveNext() override;
  prjsumsal::Campo fields(std::string_view nombre) const override;
  void findfirst(std::string_view criterio) override;
  bool nomatch() const override { return nomatch_; }
  // How many rows the set holds.
  std::size_t filas() const { return filas_; }

 private:
  // Open addressing over the rows: each slot holds the upper half of the hash of a value's text
  // and its first row plus one (0 is an empty slot). The texts stay in the cells.
  using Indice = std::vector<std::uint64_t>;

  std::size_t columna(std::string_view nombre) const;
  const Indice& indice(std::size_t columna);
  // The first row whose column `c` reads as `valor`, or filas_ when none does.
  std::size_t buscar(const Indice& idx, std::size_t c, std::string_view valor) const;

  std::vector<std::string> columnas_;
  std::unordered_map<std::string, std::size_t> posiciones_;  // name in lower case -> column
  Celdas celdas_;
  std::size_t filas_ = 0;
  std::size_t actual_ = 0;
  bool nomatch_ = false;
  std::vector<std::unique_ptr<Indice>> indices_;  // one per column, empty until first searched
};

}  // namespace suite::datos
