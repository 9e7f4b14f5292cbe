#include "modelo_balance.h"

#include <QBrush>
#include <QFont>

#include "balance/formato.h"
#include "host/fecha.h"
#include "mayor/comparacion.h"

namespace suite::visor {

namespace {

constexpr const char* kOchoTitulos[] = {"Débitos", "Créditos", "Deudor",   "Acreedor",
                                        "Activo",  "Pasivo",   "Pérdidas", "Ganancias"};

int columnas(const BalanceVisor& b) {
  return 2 + (b.comparar ? kMontos : kOcho);
}

QVariant alineacion(int columna) {
  return columna >= 2 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                      : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
}

QString dia(const std::string& iso) {
  auto f = prjsumsal::Fecha::leerIso(iso);
  return QString::fromStdString(f ? f->texto() : iso);
}

}  // namespace

QStringList titulosColumnas(const BalanceVisor& b) {
  QStringList t{"Cuenta", "Nombre"};
  for (const char* s : kOchoTitulos) t << s;
  if (b.comparar) {
    t << "Saldo " + dia(b.consulta.hasta);
    t << "Saldo " + dia(mayor::anioAnterior(b.consulta).hasta);
    t << "Diferencia";
  }
  return t;
}

QString cifra(double pesos) {
  return QString::fromStdString(prjsumsal::formatoMiles(pesos, "."));
}

ModeloBalance::ModeloBalance(std::shared_ptr<const BalanceVisor> balance, std::vector<int> niveles,
                             QObject* padre)
    : QAbstractTableModel(padre),
      balance_(std::move(balance)),
      vista_(*balance_, std::move(niveles)),
      titulos_(titulosColumnas(*balance_)) {
  vista_.aplicar({});
}

int ModeloBalance::rowCount(const QModelIndex& padre) const {
  return padre.isValid() ? 0 : static_cast<int>(vista_.filas().size());
}

int ModeloBalance::columnCount(const QModelIndex& padre) const {
  return padre.isValid() ? 0 : columnas(*balance_);
}

QVariant ModeloBalance::data(const QModelIndex& i, int rol) const {
  if (!i.isValid()) return {};
  const Fila& f = vista_.filas()[static_cast<std::size_t>(i.row())];
  switch (rol) {
    case Qt::DisplayRole:
      if (i.column() == 0) return QString::fromStdString(vista_.codigo(f));
      if (i.column() == 1) return QString::fromStdString(vista_.nombre(f));
      return cifra(vista_.montos(f)[static_cast<std::size_t>(i.column() - 2)]);
    case Qt::TextAlignmentRole:
      return alineacion(i.column());
    case Qt::FontRole:
      if (f.subtotal) {
        QFont negrita;
        negrita.setBold(true);
        return negrita;
      }
      return {};
    case Qt::BackgroundRole:
      return f.subtotal ? QVariant(QBrush(QColor(232, 236, 244))) : QVariant();
    default:
      return {};
  }
}

QVariant ModeloBalance::headerData(int seccion, Qt::Orientation o, int rol) const {
  if (o == Qt::Horizontal && rol == Qt::DisplayRole) return titulos_.value(seccion);
  if (o == Qt::Horizontal && rol == Qt::TextAlignmentRole) return alineacion(seccion);
  return QAbstractTableModel::headerData(seccion, o, rol);
}

void ModeloBalance::sort(int columna, Qt::SortOrder orden) {
  Criterio c = vista_.criterio();
  c.columna = columna;
  c.ascendente = orden == Qt::AscendingOrder;
  aplicar(c);
}

void ModeloBalance::aplicar(const Criterio& c) {
  beginResetModel();
  vista_.aplicar(c);
  endResetModel();
}

const CuentaVisor* ModeloBalance::cuenta(int fila) const {
  if (fila < 0 || fila >= rowCount()) return nullptr;
  const Fila& f = vista_.filas()[static_cast<std::size_t>(fila)];
  return f.subtotal ? nullptr : &balance_->cuentas[f.indice];
}

ModeloCierre::ModeloCierre(std::shared_ptr<const BalanceVisor> balance, QObject* padre)
    : QAbstractTableModel(padre), balance_(std::move(balance)) {}

int ModeloCierre::rowCount(const QModelIndex& padre) const {
  return padre.isValid() ? 0 : 3;
}

int ModeloCierre::columnCount(const QModelIndex& padre) const {
  return padre.isValid() ? 0 : columnas(*balance_);
}

std::optional<double> ModeloCierre::monto(int fila, int columna) const {
  const auto& r = balance_->cierre[static_cast<std::size_t>(fila)];
  if (columna < 2) return std::nullopt;
  if (columna < 2 + kOcho) return r.montos[static_cast<std::size_t>(columna - 2)];
  if (fila != 1) return std::nullopt;
  const double a = balance_->resultadoActual, b = balance_->resultadoAnterior;
  return columna == 10 ? a : columna == 11 ? b : a - b;
}

QVariant ModeloCierre::data(const QModelIndex& i, int rol) const {
  if (!i.isValid()) return {};
  if (rol == Qt::DisplayRole) {
    if (i.column() == 1)
      return QString::fromStdString(balance_->cierre[static_cast<std::size_t>(i.row())].nombre);
    auto m = monto(i.row(), i.column());
    return m ? cifra(*m) : QString();
  }
  if (rol == Qt::TextAlignmentRole) return alineacion(i.column());
  if (rol == Qt::FontRole) {
    QFont negrita;
    negrita.setBold(true);
    return negrita;
  }
  return {};
}

}  // namespace suite::visor
