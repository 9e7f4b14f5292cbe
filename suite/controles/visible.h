#pragma once

#include <string>
#include <string_view>

namespace suite::controles {

// A text as a terminal may show it: each control character (C0, DEL, and the C1 controls U+0080
// to U+009F in UTF-8) becomes "?", so that a name read from the data cannot move the cursor,
// retitle the window or clear the screen.
std::string visible(std::string_view texto);

}  // namespace suite::controles
