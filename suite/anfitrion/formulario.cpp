#include "formulario.h"

#include <filesystem>

#include "clase/biblioteca.h"
#include "componente.h"
#include "controles/boton_deshabilitado.h"
#include "controles/dia_sin_ventana.h"
#include "controles/informe_sin_ventana.h"
#include "host/error.h"
#include "informes/instalar.h"
#include "libro_xlsx/escritor_libxlsx.h"
#include "plataforma/dialogo_fijo.h"

namespace suite {

using prjsumsal::clssumsal;
using prjsumsal::plataforma;

namespace {

// Whether an action writes data to standard output: the balance as text, or the workbook.
bool salidaConDatos(const Opciones& o) {
  for (const Accion& a : o.acciones) {
    if (a.tipo == Accion::Tipo::Texto || (a.tipo == Accion::Tipo::Excel && a.argumento == "-"))
      return true;
  }
  return false;
}

}  // namespace

SesionFormulario::Instalacion::Instalacion(MensajesConsola& mensajes, std::ostream& errores,
                                           bool salidaAErrores)
    : anterior_(plataforma()), procesos_(ProcesosPosix::Modo::Esperado, salidaAErrores) {
  auto& p = plataforma();
  p.mensajes = &mensajes;
  // The terminal hears of a balance only when it does not square.
  p.cuadre = [&errores](const std::string& linea, bool cuadra) {
    if (!cuadra) errores << "nubo: " << linea << '\n';
  };
  p.aviso = [&errores](const std::string& aviso) { errores << "nubo: " << aviso << '\n'; };
  p.procesos = &procesos_;
  p.crearDia = [] { return std::make_unique<DiaSinVentana>(); };
  p.crearLibroXlsx = crearEscritorLibxlsx;
}

SesionFormulario::Instalacion::~Instalacion() {
  plataforma() = anterior_;
}

SesionFormulario::SesionFormulario(const Opciones& o, Bases& bases, std::ostream& errores,
                                   avance::Avance* avance)
    : mensajes_(errores, prjsumsal::kNombreBiblioteca),
      instalacion_(mensajes_, errores, salidaConDatos(o)),
      permiso_(o.permiso) {
  // The report engine reads the work table through the host's report database.
  ajustesMotor_.impresora = QString::fromStdString(o.impresora);
  ajustesMotor_.primerFolio = o.folio;
  ajustesMotor_.avance = avance;
  // The report control keeps each data preparation's writes in one batch of the report database.
  plataforma().crearInforme = [base = std::weak_ptr(bases.informes)] {
    auto informe = std::make_unique<InformeSinVentana>();
    informe->baseInformes(base);
    return informe;
  };
  plataforma().crearReporte = [this, base = bases.informes] {
    auto motor = std::make_unique<informes::MotorInforme>(base, ajustesMotor_);
    motor_ = motor.get();
    return motor;
  };
  std::filesystem::path propia =
      std::filesystem::path(plataforma().carpetaModulo) / prjsumsal::kArchivoBiblioteca;
  clase_ = crearPorIdentificador(prjsumsal::kIdentificadorClase, propia);

  entregarContexto(*clase_, o, bases);
  entrarValores(formulario(), o);
}

SesionFormulario::~SesionFormulario() {
  try {
    if (clase_) cerrar();
  } catch (const std::exception& e) {
    mensajes_.MsgBox(e.what(), prjsumsal::Icono::Critico, "nubo");
  }
}

void SesionFormulario::preparar() {
  auto* informe = dynamic_cast<InformeSinVentana*>(formulario().ctlinforme1.get());
  if (informe == nullptr) throw prjsumsal::Error("El formulario no tiene su control de informes");
  std::size_t antes = mensajes_.cajas();
  informe->prepararDatos();
  if (mensajes_.cajas() > antes) falloPreparacion_ = true;
}

void SesionFormulario::pulsar(void (InformeSinVentana::*boton)()) {
  auto* informe = dynamic_cast<InformeSinVentana*>(formulario().ctlinforme1.get());
  if (informe == nullptr) throw prjsumsal::Error("El formulario no tiene su control de informes");
  std::size_t antes = mensajes_.cajas();
  try {
    (informe->*boton)();
  } catch (const BotonDeshabilitado& e) {
    throw prjsumsal::Error(std::string(e.what()) + " (--permiso " + permiso_ + ")");
  }
  if (mensajes_.cajas() > antes) falloPreparacion_ = true;
}

void SesionFormulario::vistaPrevia(const std::string& archivo) {
  if (motor_) motor_->ajustes().vistaPreviaPdf = QString::fromStdString(archivo);
  pulsar(&InformeSinVentana::pulsarVistaPrevia);
}

void SesionFormulario::imprimir() {
  pulsar(&InformeSinVentana::pulsarImprimir);
}

void SesionFormulario::grabarContador() {
  formulario().cmdGrabar_Click();
}

void SesionFormulario::excel(const std::string& archivo) {
  DialogoFijo dialogo(archivo);
  auto& p = plataforma();
  prjsumsal::DialogoGuardar* anterior = p.dialogo;
  p.dialogo = &dialogo;
  formulario().Command1_Click();
  p.dialogo = anterior;
}

void SesionFormulario::pdf() {
  formulario().cmdpdf_Click();
  // RENDIDOR says why it failed on standard error; only an end by a signal needs nubo's words.
  ProcesosPosix::Fin fin = instalacion_.procesos().esperar();
  if (fin.bien) return;
  falloRendidor_ = true;
  if (!fin.motivo.empty()) throw prjsumsal::Error(fin.motivo + "; no hay PDF nuevo");
}

void SesionFormulario::cerrar() {
  clase_->call("UnloadForm");
}

void entregarContexto(clssumsal& c, const Opciones& o, const Bases& bases) {
  // The report files belong where the form looks for them, beside the report database. One
  // that cannot be written there is no failure yet: a run that needs it names the missing file.
  try {
    if (bases.informes) informes::instalarJuntoALaBase(bases.informes->Name());
  } catch (const std::exception&) {
  }
  c.put("glbEmpresa", static_cast<int>(o.empresa));
  c.put("glbN_empresa", o.nombreEmpresa);
  c.put("glbUsuario", static_cast<int>(o.usuario));
  c.put("glbN_usuario", o.nombreUsuario);
  c.put("glbAlias", static_cast<int>(o.alias));
  c.put("glbPrograma", o.programa);
  c.putref("glbdb", bases.contabilidad);
  c.putref("glbdbReport", bases.informes);
  c.put("glbPermiso", o.permiso);
  c.put("glbTipoImpresora", o.impresora);
  c.call("ShowForm");
}

void entrarValores(prjsumsal::frmsumsal& f, const Opciones& o) {
  // What the user enters on the form, in the order of its fields.
  f.txtdesde->Text(o.desde.texto());
  f.txthasta->Text(o.hasta.texto());
  if (static_cast<int>(f.cmbifrs.List.size()) >= o.norma) f.cmbifrs.seleccionar(o.norma - 1);
  f.seleccionarFormato(o.formato);
  // Each value replaces what the field showed, as typing over its selected text does.
  if (o.contador) {
    f.txtcontador.Text.clear();
    f.txtcontador.teclear(*o.contador);
  }
  if (o.rut) {
    f.txtrut.Text.clear();
    f.txtrut.teclear(*o.rut);
    bool cancelar = false;
    f.txtrut_Validate(cancelar);
  }
  if (o.registro) {
    f.txtregistro.Text.clear();
    f.txtregistro.teclear(*o.registro);
  }
}

bool usaFormulario(const Opciones& o) {
  for (const Accion& a : o.acciones) {
    // Last year beside this year is the host's own workbook, written without the form.
    if (a.tipo == Accion::Tipo::Excel && o.comparar) continue;
    if (a.tipo != Accion::Tipo::Texto && a.tipo != Accion::Tipo::Mayor) return true;
  }
  return o.contador || o.rut || o.registro || o.formato != 1;
}

}  // namespace suite
