#pragma once

#include <cstddef>
#include <string_view>

namespace suite::anfitrion {

// The columns a UTF-8 text takes on a terminal: one per character, none for combining marks
// and zero-width characters, two for wide East Asian characters. The text is read as the
// module reads text (prjsumsal::leerCaracter): a byte that is not valid UTF-8 is one
// Windows-1252 character, one column.
std::size_t anchura(std::string_view texto);

}  // namespace suite::anfitrion
