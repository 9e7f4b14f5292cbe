#pragma once

#include <QPushButton>

namespace ventana {

// A command button whose caption breaks into lines when it does not fit on one, as the
// platform's command buttons do: "Grabar Contador" on a narrow, tall button reads on two lines.
class BotonComando : public QPushButton {
 public:
  explicit BotonComando(const QString& texto, QWidget* padre = nullptr);

 protected:
  void paintEvent(QPaintEvent* evento) override;
};

}  // namespace ventana
