#pragma once

#include <string>
#include <string_view>

namespace prjsumsal {

// A text as it goes between single quotes in a statement or a search criterion: every quote
// doubled, as the dialect reads it, so that a name such as O'Higgins neither breaks the
// statement nor rewrites it. A text without quotes is returned unchanged.
inline std::string sqlTexto(std::string_view texto) {
  std::string r;
  r.reserve(texto.size());
  for (char c : texto) {
    r += c;
    if (c == '\'') r += '\'';
  }
  return r;
}

}  // namespace prjsumsal
