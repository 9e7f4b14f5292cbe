#include "modelo_mayor.h"

#include <QFont>

#include "balance/formato.h"
#include "mayor/centavos.h"

namespace suite::visor {

namespace {

constexpr const char* kTitulos[] = {"Fecha", "Sub", "Doc", "Número", "Debe", "Haber", "Saldo"};

QString pesos(std::int64_t centavos) {
  return QString::fromStdString(
      prjsumsal::formatoMiles(static_cast<double>(mayor::pesos(centavos)), "."));
}

}  // namespace

ModeloMayor::ModeloMayor(prjsumsal::BaseDatos& db, const prjsumsal::Consulta& consulta,
                         const std::string& codigo, QObject* padre)
    : QAbstractTableModel(padre) {
  mayor::Mayor m(db, consulta, {{codigo}, {}});
  if (!m.siguienteCuenta(cuenta_)) cuenta_.centro = codigo;
  for (mayor::Movimiento mov; m.siguienteMovimiento(mov);) lineas_.push_back(mov);
  totales_ = m.totales();
}

int ModeloMayor::rowCount(const QModelIndex& padre) const {
  return padre.isValid() ? 0 : static_cast<int>(lineas_.size()) + 3;
}

int ModeloMayor::columnCount(const QModelIndex& padre) const {
  return padre.isValid() ? 0 : 7;
}

const mayor::Movimiento* ModeloMayor::movimiento(int fila) const {
  if (fila < 1 || fila > static_cast<int>(lineas_.size())) return nullptr;
  return &lineas_[static_cast<std::size_t>(fila - 1)];
}

QVariant ModeloMayor::data(const QModelIndex& i, int rol) const {
  if (!i.isValid()) return {};
  const int fila = i.row(), col = i.column();
  const mayor::Movimiento* m = movimiento(fila);
  if (rol == Qt::TextAlignmentRole) {
    return col == 0 || col == 2 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                : QVariant(Qt::AlignRight | Qt::AlignVCenter);
  }
  if (rol == Qt::FontRole && !m) {
    QFont negrita;
    negrita.setBold(true);
    return negrita;
  }
  if (rol != Qt::DisplayRole) return {};
  if (m) {
    switch (col) {
      case 0:
        return QString::fromStdString(m->claves.fecha.texto());
      case 1:
        return QString::number(m->claves.subsistema);
      case 2:
        return QString::fromStdString(m->claves.documento);
      case 3:
        return QString::number(m->claves.numero);
      case 4:
        return m->debe ? pesos(m->debe) : QString();
      case 5:
        return m->haber ? pesos(m->haber) : QString();
      default:
        return pesos(m->saldo);
    }
  }
  if (fila == 0)
    return col == 0 ? QString("Saldo inicial") : col == 6 ? pesos(cuenta_.apertura) : QString();
  if (fila == rowCount() - 2) {
    return col == 0   ? QString("Sumas del período")
           : col == 4 ? pesos(totales_.debe)
           : col == 5 ? pesos(totales_.haber)
                      : QString();
  }
  const bool deudor = totales_.saldo > 0;
  if (col == 0) return deudor ? QString("Saldo final deudor") : QString("Saldo final acreedor");
  if (col == 4 && deudor) return pesos(totales_.deudor());
  if (col == 5 && !deudor) return pesos(totales_.acreedor());
  return QString();
}

QVariant ModeloMayor::headerData(int seccion, Qt::Orientation o, int rol) const {
  if (o == Qt::Horizontal && rol == Qt::DisplayRole && seccion >= 0 && seccion < 7)
    return QString(kTitulos[seccion]);
  return QAbstractTableModel::headerData(seccion, o, rol);
}

}  // namespace suite::visor
