#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base_vigilada.h"
#include "datos/base_sqlite.h"
#include "datos/esquema.h"
#include "dia_ventana.h"
#include "dialogo_ventana.h"
#include "form/frmsumsal.h"
#include "host/plataforma.h"
#include "informe_ventana.h"
#include "informes/instalar.h"
#include "informes/motor.h"
#include "mensajes_ventana.h"
#include "progreso.h"
#include "reloj_fijo.h"
#include "ventana_balance.h"

namespace suite::ventana::prueba {

struct Caja {
  QMessageBox::Icon icono;
  std::string titulo, texto;
  QMessageBox::StandardButtons botones;
};

class ProcesosGrabados : public prjsumsal::Procesos {
 public:
  void Shell(const std::string& ruta, int) override { iniciados.push_back(ruta); }
  std::vector<std::string> iniciados;
};

// The balance form of company 3 "SUR LTDA" in its window, on two in-memory SQLite databases with
// two accounts moved in December 2026. Message boxes are captured, the save dialog is answered
// by `respuesta` (empty: cancelled), processes are recorded, and the clock of long work moves
// `pasoReloj` milliseconds at each look.
struct EntornoVentana {
  QTemporaryDir carpeta;  // the module's folder, and the report database's with its report files
  std::vector<Caja> cajas;
  std::string respuesta;
  struct {
    QString titulo, sufijo;
    QStringList filtros, propuesto;
  } dialogoVisto;  // the save dialog as the test found it
  qint64 ahora = 0, pasoReloj = 0;
  prjsumsal::prueba::RelojFijo reloj;  // 4 December 2026
  prjsumsal::Regional regional;
  ProcesosGrabados procesos;
  Progreso progreso{[this] { return ahora += pasoReloj; }};
  MensajesVentana mensajes{&progreso};
  DialogoVentana dialogo;
  prjsumsal::Plataforma plataforma;
  std::shared_ptr<prjsumsal::BaseDatos> contable, informes;
  std::shared_ptr<prjsumsal::frmsumsal> forma;
  std::unique_ptr<VentanaBalance> ventana;
  prjsumsal::Mensajes* anterior = nullptr;

  explicit EntornoVentana(const std::string& permiso = "00011") {
    mensajes.capturar = [this](QMessageBox& m) {
      cajas.push_back(
          {m.icon(), m.windowTitle().toStdString(), m.text().toStdString(), m.standardButtons()});
    };
    dialogo.responder = [this](QFileDialog& d) {
      dialogoVisto = {d.windowTitle(), d.defaultSuffix(), d.nameFilters(), d.selectedFiles()};
      if (respuesta.empty()) return int(QDialog::Rejected);
      d.selectFile(QString::fromStdString(respuesta));
      return int(QDialog::Accepted);
    };
    const std::string dir = carpeta.path().toStdString();
    armarPlataforma(dir);
    llenarBases(dir);

    forma = std::make_shared<prjsumsal::frmsumsal>(plataforma);
    forma->glbEmpresa = 3;
    forma->glbN_empresa = "SUR LTDA";
    forma->glbUsuario = 7;
    forma->glbN_usuario = "ANA";
    forma->glbPrograma = "ctrsumsal";
    forma->glbPermiso = permiso;
    // As the host hands them: watched, so that long work keeps the screen alive.
    forma->glbdb = std::make_shared<BaseVigilada>(contable, progreso);
    forma->glbdbReport = std::make_shared<BaseVigilada>(informes, progreso);
    forma->Show();
    ventana = std::make_unique<VentanaBalance>(forma, mensajes, &progreso);
    progreso.padre(ventana.get());
    ventana->show();
    QApplication::setActiveWindow(ventana.get());
    (void)QTest::qWaitForWindowActive(ventana.get());
  }

  // The window's platform parts, recorded or answered by the test.
  void armarPlataforma(const std::string& dir) {
    plataforma.mensajes = &mensajes;
    plataforma.reloj = &reloj;
    plataforma.regional = &regional;
    plataforma.dialogo = &dialogo;
    plataforma.procesos = &procesos;
    plataforma.puntero = &progreso;
    plataforma.carpetaModulo = dir;
    plataforma.crearInforme = [this] { return std::make_unique<InformeVentana>(&progreso); };
    plataforma.crearDia = [] { return std::make_unique<DiaVentana>(); };
    plataforma.cuadre = [this](const std::string& linea, bool cuadra) {
      if (ventana) ventana->mostrarCuadre(linea, cuadra);
    };
    anterior = std::exchange(prjsumsal::plataforma().mensajes, &mensajes);
  }

  // The two databases with the report files beside the report database, and the engine on it.
  void llenarBases(const std::string& dir) {
    contable = suite::datos::BaseSqlite::enMemoria(suite::datos::Papel::Contabilidad);
    informes = suite::datos::BaseSqlite::crear(dir + "/informes.db", suite::datos::Papel::Informes);
    suite::informes::instalarArchivosInforme(dir);
    plataforma.crearReporte = [this, dir] {
      suite::informes::AjustesMotor a;
      a.vistaPreviaPdf = QString::fromStdString(dir + "/vista.pdf");
      a.impresora = "cola-que-no-existe";
      return std::make_unique<suite::informes::MotorInforme>(informes, a);
    };
    for (const char* s : suite::datos::kTablasContabilidad) contable->executesql(s);
    informes->executesql(suite::datos::kTablaPrograma);
    for (const char* s :
         {"insert into ctmcentros values('1101','CAJA','1'), ('4101','VENTAS','4')",
          "insert into ctccomprmm values(3,1,'2026-12-02','T',1,1,'1')",
          "insert into ctdcomprmm values(3,1,'2026-12-02','T',1,'1101',1000,0),"
          " (3,1,'2026-12-02','T',1,'4101',0,1000)",
          "insert into admempresa values('Ana','11.111.111-1','76.000.000-0','SUR LTDA','SUR',"
          "'Calle 1','Temuco','45')"}) {
      contable->executesql(s);
    }
  }

  ~EntornoVentana() {
    ventana.reset();
    if (forma->cargado()) forma->Unload();
    prjsumsal::plataforma().mensajes = anterior;
  }

  // A click as the user makes it: through the window, at the middle of the control (or at
  // `punto` inside it).
  void clic(QWidget* w, QPoint punto = {-1, -1}) {
    if (punto.x() < 0) punto = w->rect().center();
    QTest::mouseClick(ventana->windowHandle(), Qt::LeftButton, {}, w->mapTo(ventana.get(), punto));
  }

  template <typename W = QWidget>
  W* control(const char* nombre) {
    return ventana->findChild<W*>(nombre);
  }

  // Rows of a one-column SELECT, as texts.
  static std::vector<std::string> filas(prjsumsal::BaseDatos& base, const std::string& select) {
    std::vector<std::string> r;
    for (auto rs = base.newrecord(select); !rs->eof(); rs->MoveNext()) {
      r.push_back(rs->fields("x").Value.texto());
    }
    return r;
  }
};

}  // namespace suite::ventana::prueba
