#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace prjsumsal {

// The platform counts characters, not bytes: a cut to n characters never splits an "ñ" or an
// "á" in two. A text is read as host/codificacion.h reads it, so a byte of Windows-1252 among
// UTF-8 (the "°" of older data is the byte 0xB0) is one character too. These are the
// platform's Len, Left and Mid on such texts.

// The number of characters of `texto`.
std::size_t largo(std::string_view texto);
// The first `n` characters of `texto` (all of it when it is shorter).
std::string izquierda(std::string_view texto, std::size_t n);
// `n` characters from the character at `inicio`, counted from 1; empty past the end.
std::string medio(std::string_view texto, std::size_t inicio, std::size_t n);

}  // namespace prjsumsal
