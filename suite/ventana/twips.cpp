#include "twips.h"

#include <cmath>

namespace suite::ventana {

int aPixeles(int twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

QRect aPixeles(const prjsumsal::Posicion& pos, double dpi) {
  // Left and right edges are converted on their own, so that two controls that meet in twips
  // meet in pixels too.
  int izquierda = aPixeles(pos.left, dpi);
  int arriba = aPixeles(pos.top, dpi);
  return {izquierda, arriba, aPixeles(pos.left + pos.width, dpi) - izquierda,
          aPixeles(pos.top + pos.height, dpi) - arriba};
}

}  // namespace suite::ventana
