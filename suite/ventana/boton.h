#pragma once

#include <QIcon>
#include <QPushButton>

namespace suite::ventana {

// A command button whose caption breaks into lines when it does not fit on one, as the
// platform's command buttons do: "Grabar Contador" on a narrow, tall button reads on two lines.
class BotonComando : public QPushButton {
 public:
  explicit BotonComando(const QString& texto, QWidget* padre = nullptr);

 protected:
  void paintEvent(QPaintEvent* evento) override;
};

// The PDF button's picture, 26 x 28 pixels: a page with its corner folded and a red band.
QIcon iconoPdf();

}  // namespace suite::ventana
