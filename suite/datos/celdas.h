#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/valor.h"

namespace suite::datos {

// The values of a record set, kept compactly: column by column, each cell a type byte and eight
// bytes (a whole number, a double, a boolean, a date, or where its text starts), the texts one
// after the other in one shared block, each preceded by its length. A cell costs 9 bytes and its
// text's; a prjsumsal::Valor would cost 40 and a block of its own for a text past 15 bytes.
// The rows are added one cell at a time, column after column, row after row.
class Celdas {
 public:
  explicit Celdas(std::size_t columnas);

  void agregarNulo();
  void agregarEntero(std::int64_t v);
  void agregarDoble(double v);
  void agregarTexto(std::string_view v);
  void agregar(const prjsumsal::Valor& v);

  std::size_t columnas() const { return columnas_.size(); }
  // Complete rows added so far.
  std::size_t filas() const { return columnas_.empty() ? 0 : columnas_.back().tipos.size(); }

  prjsumsal::Valor valor(std::size_t fila, std::size_t columna) const;
  bool esNulo(std::size_t fila, std::size_t columna) const;
  // The cell as Valor::texto() gives it; a text cell without copying it. Not for a null.
  // `apoyo` keeps the text of a cell that is not a text while the view is used.
  std::string_view texto(std::size_t fila, std::size_t columna, std::string& apoyo) const;

 private:
  using Tipo = prjsumsal::Valor::Tipo;
  struct Columna {
    std::vector<std::uint8_t> tipos;
    std::vector<std::uint64_t> datos;
  };

  void poner(Tipo tipo, std::uint64_t dato);
  std::string_view textoEn(std::uint64_t inicio) const;

  std::vector<Columna> columnas_;
  std::size_t siguiente_ = 0;  // column of the next cell
  std::string textos_;         // every text cell: its length (7 bits a byte), then its bytes
};

}  // namespace suite::datos
