#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

namespace prjsumsal {
class frmsumsal;
class Mensajes;
struct Posicion;
}  // namespace prjsumsal

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace suite::ventana {

class InformeVentana;
class Progreso;

// The widget style the window is drawn in: raised buttons and sunken fields, the look of the
// accountant's other forms. The host sets it for the application before it makes the window.
inline constexpr const char* kEstilo = "Windows";

// The window of the balance form, "Balance de Tributario". It shows the form's controls, each at
// its place and size in the design (twips at the screen's resolution, widened only where its
// caption would not fit), in the design's tab order, and binds to them: the form's controls keep
// the values, the widgets show them. What the user types or picks is written into the form's
// control at once; after each handler the widgets show the form's values again. The suite's
// controls (the report panel and the two date fields) are the form's own widgets, placed here.
//
// The window is modeless. Closing it unloads the form, which runs Form_Unload; when a handler
// unloads the form (the report control's exit), the window closes. The form must be loaded and
// hold window controls (InformeVentana, DiaVentana); otherwise the constructor raises an Error.
// A handler's failure that its own trap does not catch is shown in a box of `mensajes`, which
// must outlive the window.
class VentanaBalance : public QWidget {
 public:
  VentanaBalance(std::shared_ptr<prjsumsal::frmsumsal> forma, prjsumsal::Mensajes& mensajes,
                 Progreso* progreso = nullptr, QWidget* padre = nullptr);
  ~VentanaBalance() override;

  // Shows the values of the form's controls.
  void refrescar();
  prjsumsal::frmsumsal& forma() { return *forma_; }
  // Shows on the report panel the check line of the balance just delivered (see
  // Plataforma::cuadre, which the host points here).
  void mostrarCuadre(const std::string& linea, bool cuadra);

 protected:
  void closeEvent(QCloseEvent* evento) override;

 private:
  void construir();
  void tomarControlesSuite();
  void crearEtiquetas();
  void crearExportaciones();
  void crearLibroYFormatos();
  void crearContador();
  void colocar(QWidget* w, const prjsumsal::Posicion& pos, bool ajustarAlTexto);
  void ordenTabulacion();
  bool revisarRut();
  // Runs a handler of the form, then shows what it changed; long work is watched by progreso_.
  void ejecutar(const std::function<void()>& manejador, bool largo);
  void despuesDeEvento();

  std::shared_ptr<prjsumsal::frmsumsal> forma_;
  prjsumsal::Mensajes& mensajes_;
  Progreso* progreso_;
  InformeVentana* informe_ = nullptr;
  double dpi_;
  bool cerrando_ = false;
  QList<QPointer<QWidget>> prestados_;  // the suite controls' widgets, given back at the end

  QLabel *label1_, *label2_, *label28_, *label3_, *label4_, *label5_;
  QPushButton *command1_, *cmdGrabar_;
  QToolButton* cmdpdf_;
  QComboBox* cmbifrs_;
  QRadioButton* opciones_[5];
  QLineEdit *txtcontador_, *txtrut_, *txtregistro_;
};

}  // namespace suite::ventana
