#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/registros.h"

namespace suite {

// A record set held whole in memory: the rows of one SELECT, read when the set was opened.
// Column names compare without regard to case. findfirst takes an equality criterion
// `col='value'` and finds the row through a hash index of that column, built the first time the
// column is searched, so each search costs O(1) whatever the number of rows.
class RegistrosMemoria : public prjsumsal::Registros {
 public:
  // `valores` holds the rows one after the other, `columnas.size()` values each.
  RegistrosMemoria(std::vector<std::string> columnas, std::vector<prjsumsal::Valor> valores);

  bool eof() const override;
  void MoveNext() override;
  prjsumsal::Campo fields(std::string_view nombre) const override;
  void findfirst(std::string_view criterio) override;
  bool nomatch() const override { return nomatch_; }
  // How many rows the set holds.
  std::size_t filas() const { return filas_; }

 private:
  using Indice = std::unordered_map<std::string, std::size_t>;  // value as text -> first row

  std::size_t columna(std::string_view nombre) const;
  const Indice& indice(std::size_t columna);

  std::vector<std::string> columnas_;
  std::unordered_map<std::string, std::size_t> posiciones_;  // name in lower case -> column
  std::vector<prjsumsal::Valor> valores_;
  std::size_t filas_ = 0;
  std::size_t actual_ = 0;
  bool nomatch_ = false;
  std::vector<std::unique_ptr<Indice>> indices_;  // one per column, empty until first searched
};

}  // namespace suite
