#pragma once

#include <string_view>

namespace prjsumsal {

// The platform's Val: reads a number from the start of `texto`. Blanks, tabs and line ends are
// skipped wherever they stand; a sign may open the number; "." is the decimal point; an exponent
// written with "E" or "D" is honoured; reading stops at the first character that cannot continue
// the number, and a text without a number at its start reads as 0. Raises "Desbordamiento" for a
// number beyond the range of a double.
double Val(std::string_view texto);

}  // namespace prjsumsal
