#pragma once

#include <QAbstractTableModel>
#include <memory>

#include "vista.h"

namespace suite::visor {

// The headers of the table's columns for `balance`: Cuenta, Nombre, the eight amounts and, when
// it compares, the two balances (named by their days) and Diferencia.
QStringList titulosColumnas(const BalanceVisor& balance);

// An amount as the table shows it: whole pesos, thousands grouped with ".".
QString cifra(double pesos);

// The balance's rows for the table: each row is served as the view asks for it, from the
// Vista, so a balance of any size costs one small record a row (no item per cell). Sorting by
// a column (QTableView's header) and the Criterio's find and hide rebuild the Vista. Subtotal
// rows are bold on a shaded background.
class ModeloBalance : public QAbstractTableModel {
  Q_OBJECT
 public:
  ModeloBalance(std::shared_ptr<const BalanceVisor> balance, std::vector<int> niveles,
                QObject* padre = nullptr);

  int rowCount(const QModelIndex& padre = {}) const override;
  int columnCount(const QModelIndex& padre = {}) const override;
  QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
  QVariant headerData(int seccion, Qt::Orientation o, int rol = Qt::DisplayRole) const override;
  void sort(int columna, Qt::SortOrder orden = Qt::AscendingOrder) override;

  // Shows the rows that `c` asks for (its column and order included).
  void aplicar(const Criterio& c);
  const Vista& vista() const { return vista_; }
  const BalanceVisor& balance() const { return *balance_; }
  // The account shown in `fila`, or nullptr for a subtotal.
  const CuentaVisor* cuenta(int fila) const;

 private:
  std::shared_ptr<const BalanceVisor> balance_;
  Vista vista_;
  QStringList titulos_;
};

// The closing rows under the table (SUMAS, RESULTADO EJERCICIO, TOTALES) in the same columns;
// with the comparison, RESULTADO EJERCICIO also carries each year's result and the difference.
class ModeloCierre : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit ModeloCierre(std::shared_ptr<const BalanceVisor> balance, QObject* padre = nullptr);
  int rowCount(const QModelIndex& padre = {}) const override;
  int columnCount(const QModelIndex& padre = {}) const override;
  QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;

  // The cell's amount, when it has one.
  std::optional<double> monto(int fila, int columna) const;

 private:
  std::shared_ptr<const BalanceVisor> balance_;
};

}  // namespace suite::visor
