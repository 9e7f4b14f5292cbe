#include "controles/visible.h"

namespace suite::controles {

std::string visible(std::string_view texto) {
  std::string r;
  r.reserve(texto.size());
  for (std::size_t i = 0; i < texto.size(); ++i) {
    auto c = static_cast<unsigned char>(texto[i]);
    auto siguiente = i + 1 < texto.size() ? static_cast<unsigned char>(texto[i + 1]) : 0;
    if (c < 0x20 || c == 0x7F) {
      r += '?';
    } else if (c == 0xC2 && siguiente >= 0x80 && siguiente <= 0x9F) {
      r += '?';
      ++i;
    } else {
      r += texto[i];
    }
  }
  return r;
}

}  // namespace suite::controles
