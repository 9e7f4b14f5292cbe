#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace prjsumsal {

// Texts are UTF-8, and the platform counts characters, not bytes: a cut to n characters never
// splits an "ñ" or an "á" in two. These are the platform's Len, Left and Mid on such texts.

// The number of characters of `texto`.
std::size_t largo(std::string_view texto);
// The first `n` characters of `texto` (all of it when it is shorter).
std::string izquierda(std::string_view texto, std::size_t n);
// `n` characters from the character at `inicio`, counted from 1; empty past the end.
std::string medio(std::string_view texto, std::size_t inicio, std::size_t n);

}  // namespace prjsumsal
