#pragma once

#include <QImage>

class QWidget;

namespace suite::ventana {

// A picture of a top-level window as the user sees it: the client area drawn by the widgets
// themselves, inside a plain frame with a title bar that carries the window's caption. Works
// without a screen (the offscreen platform).
QImage capturar(QWidget& ventana);

}  // namespace suite::ventana
