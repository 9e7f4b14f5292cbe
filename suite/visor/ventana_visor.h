#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "balance/consulta.h"
#include "host/base_datos.h"
#include "libro_xlsx/hoja_tabla.h"
#include "mayor/comprobante.h"
#include "modelo_balance.h"
#include "modelo_mayor.h"
#include "ventana/progreso.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QStandardItemModel;
class QTableView;
class QTimer;

namespace suite::visor {

// The subtotal levels: prefixes of 1, 2 and 4 digits over accounts of 6 (1 ACTIVO, 11 ACTIVO
// CIRCULANTE, 1101 DISPONIBLE, 110101 Caja).
inline const std::vector<int> kNiveles{1, 2, 4};

// The balance viewer: the balance of a period and book as a table (code, name, the eight
// columns, and with `comparar` last year's balance beside this year's), subtotals by level, the
// closing rows pinned under it and the check line; find as you type, "Ocultar saldos cero",
// sorting by any column, "Exportar" (.xlsx or CSV). Enter or a double click on an account opens
// its ledger; a double click on a ledger line opens its whole voucher; "Atrás" (or Backspace,
// Escape) goes back to the page before, as it was left. Changing the period or the book reads
// the balance again. Every read goes through the window's long-work watch: after a second a
// progress dialog offers "Cancelar", which keeps what was shown.
//
// `reloj` is the long-work watch's clock (ventana::Progreso); tests pass one they move. The
// database is read only, through its object; the window never writes to it.
class VentanaVisor : public QWidget {
  Q_OBJECT
 public:
  VentanaVisor(std::shared_ptr<prjsumsal::BaseDatos> db, const prjsumsal::Consulta& consulta,
               bool comparar, libro_xlsx::CabezaHoja cabeza, QWidget* padre = nullptr,
               std::function<qint64()> reloj = {});
  ~VentanaVisor() override;

  // Reads the balance of `c` and shows it on the first page; false (and the previous balance
  // kept, the reason in the status line) when it fails or is cancelled.
  bool cargar(const prjsumsal::Consulta& c);
  // Opens the ledger of the account in the balance's row `fila`; false for a subtotal.
  bool abrirMayor(int fila);
  // Opens the voucher of the ledger's row `fila`; false on the opening and closing rows.
  bool abrirComprobante(int fila);
  // Back to the page before; false on the first page.
  bool atras();
  // Writes what the balance's table shows to `ruta` (.xlsx, otherwise CSV); false with the
  // reason in the status line when it cannot.
  bool exportarA(const std::string& ruta);

  int pagina() const;
  QString estado() const;
  ModeloBalance* modeloBalance() const { return balance_.get(); }
  ModeloMayor* modeloMayor() const { return mayor_.get(); }
  QStandardItemModel* modeloComprobante() const { return comprobante_; }
  ventana::Progreso& progreso() { return progreso_; }
  // Tests: answers the save dialog of "Exportar" (an empty name cancels).
  std::function<QString()> preguntarArchivo;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  QWidget* barraPeriodo();
  QWidget* paginaBalance();
  QWidget* paginaMayor();
  QWidget* paginaComprobante();
  void aplicarCriterio();
  void refrescar();
  void mostrarBalance(std::shared_ptr<BalanceVisor> b);
  void anchos();
  void ponerPeriodo(const prjsumsal::Consulta& c);
  void pistas(int pagina);
  void mostrarComprobante(const mayor::Comprobante& c);
  void avisar(const QString& texto, bool error = false);
  void exportar();

  ventana::Progreso progreso_;
  std::shared_ptr<prjsumsal::BaseDatos> db_;
  prjsumsal::Consulta consulta_;
  bool comparar_;
  libro_xlsx::CabezaHoja cabeza_;  // the company, its RUT and the issue date, for an export
  std::unique_ptr<ModeloBalance> balance_;
  std::unique_ptr<ModeloCierre> cierre_;
  std::unique_ptr<ModeloMayor> mayor_;
  QStandardItemModel* comprobante_ = nullptr;

  QDateEdit *desde_ = nullptr, *hasta_ = nullptr;
  QComboBox* libro_ = nullptr;
  QPushButton* atras_ = nullptr;
  QStackedWidget* paginas_ = nullptr;
  QLineEdit* buscar_ = nullptr;
  QCheckBox *ceros_ = nullptr, *subtotales_ = nullptr;
  QTableView *tabla_ = nullptr, *pie_ = nullptr, *tablaMayor_ = nullptr,
             *tablaComprobante_ = nullptr;
  QLabel *cuadre_ = nullptr, *tituloMayor_ = nullptr, *tituloComprobante_ = nullptr,
         *cuadreComprobante_ = nullptr, *estado_ = nullptr;
  QTimer* espera_ = nullptr;  // a date being typed is read once the typing pauses
  bool leyendo_ = false;      // a balance is being read
};

}  // namespace suite::visor
