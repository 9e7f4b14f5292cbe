#pragma once

#include <cstddef>
#include <string_view>

namespace suite {

// The columns a UTF-8 text takes on a terminal: one per character, none for combining marks
// and zero-width characters, two for wide East Asian characters. A byte that is not valid
// UTF-8 counts as one column, as terminals show a replacement for it.
std::size_t anchura(std::string_view texto);

}  // namespace suite
