#include "ventana_visor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "ventana/base_vigilada.h"

namespace suite::visor {

namespace {

QTableView* tablaNueva(QWidget* padre, const char* nombre) {
  auto* t = new QTableView(padre);
  t->setObjectName(nombre);
  t->setSelectionBehavior(QAbstractItemView::SelectRows);
  t->setSelectionMode(QAbstractItemView::SingleSelection);
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->verticalHeader()->hide();
  t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
  t->setAlternatingRowColors(true);
  t->setWordWrap(false);
  return t;
}

QDateEdit* fechaNueva(QWidget* padre, const char* nombre) {
  auto* f = new QDateEdit(padre);
  f->setObjectName(nombre);
  f->setDisplayFormat("dd/MM/yyyy");
  f->setCalendarPopup(true);
  return f;
}

}  // namespace

VentanaVisor::VentanaVisor(std::shared_ptr<prjsumsal::BaseDatos> db,
                           const prjsumsal::Consulta& consulta, bool comparar,
                           libro_xlsx::CabezaHoja cabeza, QWidget* padre,
                           std::function<qint64()> reloj)
    : QWidget(padre),
      progreso_(std::move(reloj)),
      db_(std::make_shared<ventana::BaseVigilada>(std::move(db), progreso_)),
      consulta_(consulta),
      comparar_(comparar),
      cabeza_(std::move(cabeza)) {
  setObjectName("visor");
  setWindowTitle(QString::fromStdString("Ver balance · " + cabeza_.empresa));
  progreso_.padre(this);
  auto* raiz = new QVBoxLayout(this);
  // A fixed least size, set before the window exists, instead of one the layout would push onto
  // the platform window at every change (which the offscreen platform cannot take).
  raiz->setSizeConstraint(QLayout::SetNoConstraint);
  setMinimumSize(720, 420);
  raiz->addWidget(barraPeriodo());
  paginas_ = new QStackedWidget(this);
  paginas_->addWidget(paginaBalance());
  paginas_->addWidget(paginaMayor());
  paginas_->addWidget(paginaComprobante());
  raiz->addWidget(paginas_, 1);
  estado_ = new QLabel(this);
  estado_->setObjectName("estado");
  raiz->addWidget(estado_);
  connect(paginas_, &QStackedWidget::currentChanged, this, &VentanaVisor::pistas);
  for (auto tecla : {QKeySequence(Qt::Key_Backspace), QKeySequence(Qt::Key_Escape),
                     QKeySequence(QKeySequence::Back)}) {
    auto* atajo = new QShortcut(tecla, this);
    connect(atajo, &QShortcut::activated, this, [this] {
      if (!buscar_->hasFocus()) atras();
    });
  }
  ponerPeriodo(consulta_);
  resize(comparar_ ? 1520 : 1180, 640);
}

VentanaVisor::~VentanaVisor() = default;

QWidget* VentanaVisor::barraPeriodo() {
  auto* barra = new QWidget(this);
  auto* fila = new QHBoxLayout(barra);
  fila->setContentsMargins(0, 0, 0, 0);
  desde_ = fechaNueva(barra, "desde");
  hasta_ = fechaNueva(barra, "hasta");
  libro_ = new QComboBox(barra);
  libro_->setObjectName("libro");
  libro_->addItems({"1 Tributario", "2 IFRS"});
  atras_ = new QPushButton("Atrás", barra);
  atras_->setObjectName("atras");
  atras_->setEnabled(false);
  fila->addWidget(new QLabel("Desde", barra));
  fila->addWidget(desde_);
  fila->addWidget(new QLabel("Hasta", barra));
  fila->addWidget(hasta_);
  fila->addWidget(new QLabel("Libro", barra));
  fila->addWidget(libro_);
  fila->addStretch(1);
  fila->addWidget(atras_);
  espera_ = new QTimer(this);
  espera_->setSingleShot(true);
  espera_->setInterval(600);
  connect(espera_, &QTimer::timeout, this, &VentanaVisor::refrescar);
  auto esperar = [this] { espera_->start(); };
  connect(desde_, &QDateEdit::dateChanged, this, esperar);
  connect(hasta_, &QDateEdit::dateChanged, this, esperar);
  connect(libro_, &QComboBox::currentIndexChanged, this, &VentanaVisor::refrescar);
  connect(atras_, &QPushButton::clicked, this, &VentanaVisor::atras);
  return barra;
}

QWidget* VentanaVisor::paginaBalance() {
  auto* pagina = new QWidget(this);
  auto* col = new QVBoxLayout(pagina);
  col->setContentsMargins(0, 0, 0, 0);
  auto* fila = new QHBoxLayout;
  buscar_ = new QLineEdit(pagina);
  buscar_->setObjectName("buscar");
  buscar_->setPlaceholderText("Buscar código o nombre");
  buscar_->setClearButtonEnabled(true);
  ceros_ = new QCheckBox("Ocultar saldos cero", pagina);
  ceros_->setObjectName("ceros");
  subtotales_ = new QCheckBox("Subtotales por nivel", pagina);
  subtotales_->setObjectName("subtotales");
  subtotales_->setChecked(true);
  auto* exportar = new QPushButton("Exportar", pagina);
  exportar->setObjectName("exportar");
  fila->addWidget(buscar_, 1);
  fila->addWidget(ceros_);
  fila->addWidget(subtotales_);
  fila->addWidget(exportar);
  col->addLayout(fila);
  tabla_ = tablaNueva(pagina, "balance");
  tabla_->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
  tabla_->installEventFilter(this);
  pie_ = tablaNueva(pagina, "cierre");
  pie_->horizontalHeader()->hide();
  pie_->setAlternatingRowColors(false);
  pie_->setSelectionMode(QAbstractItemView::NoSelection);
  pie_->setFocusPolicy(Qt::NoFocus);
  pie_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  pie_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  pie_->setFixedHeight(3 * pie_->verticalHeader()->defaultSectionSize() + 2 * pie_->frameWidth());
  cuadre_ = new QLabel(pagina);
  cuadre_->setObjectName("cuadre");
  col->addWidget(tabla_, 1);
  col->addWidget(pie_);
  col->addWidget(cuadre_);
  // The foot follows the table's columns and its horizontal scrolling.
  connect(tabla_->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int i, int, int ancho) { pie_->setColumnWidth(i, ancho); });
  connect(tabla_->horizontalScrollBar(), &QScrollBar::valueChanged, pie_->horizontalScrollBar(),
          &QScrollBar::setValue);
  connect(tabla_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& i) { abrirMayor(i.row()); });
  connect(buscar_, &QLineEdit::textChanged, this, &VentanaVisor::aplicarCriterio);
  connect(ceros_, &QCheckBox::toggled, this, &VentanaVisor::aplicarCriterio);
  connect(subtotales_, &QCheckBox::toggled, this, &VentanaVisor::aplicarCriterio);
  connect(exportar, &QPushButton::clicked, this, &VentanaVisor::exportar);
  return pagina;
}

QWidget* VentanaVisor::paginaMayor() {
  auto* pagina = new QWidget(this);
  auto* col = new QVBoxLayout(pagina);
  col->setContentsMargins(0, 0, 0, 0);
  tituloMayor_ = new QLabel(pagina);
  tituloMayor_->setObjectName("tituloMayor");
  tablaMayor_ = tablaNueva(pagina, "mayor");
  tablaMayor_->installEventFilter(this);
  col->addWidget(tituloMayor_);
  col->addWidget(tablaMayor_, 1);
  connect(tablaMayor_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& i) { abrirComprobante(i.row()); });
  return pagina;
}

QWidget* VentanaVisor::paginaComprobante() {
  auto* pagina = new QWidget(this);
  auto* col = new QVBoxLayout(pagina);
  col->setContentsMargins(0, 0, 0, 0);
  tituloComprobante_ = new QLabel(pagina);
  tituloComprobante_->setObjectName("tituloComprobante");
  comprobante_ = new QStandardItemModel(this);
  tablaComprobante_ = tablaNueva(pagina, "comprobante");
  tablaComprobante_->setModel(comprobante_);
  cuadreComprobante_ = new QLabel(pagina);
  cuadreComprobante_->setObjectName("cuadreComprobante");
  col->addWidget(tituloComprobante_);
  col->addWidget(tablaComprobante_, 1);
  col->addWidget(cuadreComprobante_);
  return pagina;
}

bool VentanaVisor::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::KeyPress) {
    auto* tecla = static_cast<QKeyEvent*>(evento);
    if (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) {
      if (objeto == tabla_) return abrirMayor(tabla_->currentIndex().row()), true;
      if (objeto == tablaMayor_) return abrirComprobante(tablaMayor_->currentIndex().row()), true;
    }
  }
  return QWidget::eventFilter(objeto, evento);
}

int VentanaVisor::pagina() const {
  return paginas_->currentIndex();
}

QString VentanaVisor::estado() const {
  return estado_->text();
}

// Each page says in the status line what the user can do from it.
void VentanaVisor::pistas(int pagina) {
  atras_->setEnabled(pagina > 0);
  if (pagina == 0) {
    avisar(QString("%1 cuentas · Enter o doble clic en una cuenta: su libro mayor")
               .arg(balance_ ? balance_->balance().cuentas.size() : 0));
  } else {
    avisar(pagina == 1 ? "Enter o doble clic en una línea: su comprobante · Atrás o Retroceso: "
                         "al balance"
                       : "Atrás o Retroceso: al libro mayor");
  }
}

void VentanaVisor::avisar(const QString& texto, bool error) {
  estado_->setStyleSheet(error ? "color: #a00000;" : "");
  estado_->setText(texto);
}

}  // namespace suite::visor
