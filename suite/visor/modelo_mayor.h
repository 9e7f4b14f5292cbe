#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "balance/consulta.h"
#include "host/base_datos.h"
#include "mayor/mayor.h"

namespace suite::visor {

// An account's ledger (suite::mayor::Mayor) for the table: the opening balance, each journal
// line of the period (date, subsystem, document, number, debit, credit, running balance), the
// period's sums and the closing balance. The lines are read whole when it is made (a hundred
// bytes or so a line) and served as the view asks for them.
class ModeloMayor : public QAbstractTableModel {
  Q_OBJECT
 public:
  // Reads the ledger of the account `codigo` for the balance of `consulta`. Raises the
  // ledger's prjsumsal::Error.
  ModeloMayor(prjsumsal::BaseDatos& db, const prjsumsal::Consulta& consulta,
              const std::string& codigo, QObject* padre = nullptr);

  int rowCount(const QModelIndex& padre = {}) const override;
  int columnCount(const QModelIndex& padre = {}) const override;
  QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
  QVariant headerData(int seccion, Qt::Orientation o, int rol = Qt::DisplayRole) const override;

  const mayor::Cuenta& cuenta() const { return cuenta_; }
  const mayor::Totales& totales() const { return totales_; }
  // The journal line shown in `fila`, or nullptr on the opening and closing rows.
  const mayor::Movimiento* movimiento(int fila) const;

 private:
  mayor::Cuenta cuenta_;
  std::vector<mayor::Movimiento> lineas_;
  mayor::Totales totales_;
};

}  // namespace suite::visor
