#pragma once

#include <QRect>
#include <QSize>

#include "form/controles.h"

namespace suite::ventana {

// The form's design is laid out in twips (1440 to the inch); the screen counts pixels. `dpi` is
// the screen's logical resolution, 96 on most desktops, where one pixel is 15 twips.
int aPixeles(int twips, double dpi);
QRect aPixeles(const prjsumsal::Posicion& pos, double dpi);

}  // namespace suite::ventana
