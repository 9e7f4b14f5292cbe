#include "formulario.h"

#include "controles/boton_deshabilitado.h"
#include "host/error.h"
#include "informes/instalar.h"

namespace suite::anfitrion {

using prjsumsal::clssumsal;

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

SesionFormulario::SesionFormulario(const Opciones& o, Bases& bases, std::ostream& errores,
                                   avance::Avance* avance)
    : instalacion_(ajustesDe(o, bases, avance), errores, salidaConDatos(o)),
      permiso_(o.permiso),
      clase_(crearClase(instalacion_.plataforma().carpetaModulo)) {
  entregarContexto(*clase_, o, bases);
  entrarValores(formulario(), o);
}

SesionFormulario::~SesionFormulario() {
  try {
    if (clase_) cerrar();
  } catch (const std::exception& e) {
    instalacion_.mensajes().MsgBox(e.what(), prjsumsal::Icono::Critico, "nubo");
  }
}

void SesionFormulario::preparar() {
  auto* informe = dynamic_cast<controles::InformeSinVentana*>(formulario().ctlinforme1.get());
  if (informe == nullptr) throw prjsumsal::Error("El formulario no tiene su control de informes");
  std::size_t antes = instalacion_.mensajes().cajas();
  informe->prepararDatos();
  if (instalacion_.mensajes().cajas() > antes) falloPreparacion_ = true;
}

void SesionFormulario::pulsar(void (controles::InformeSinVentana::*boton)()) {
  auto* informe = dynamic_cast<controles::InformeSinVentana*>(formulario().ctlinforme1.get());
  if (informe == nullptr) throw prjsumsal::Error("El formulario no tiene su control de informes");
  std::size_t antes = instalacion_.mensajes().cajas();
  try {
    (informe->*boton)();
  } catch (const controles::BotonDeshabilitado& e) {
    throw prjsumsal::Error(std::string(e.what()) + " (--permiso " + permiso_ + ")");
  }
  if (instalacion_.mensajes().cajas() > antes) falloPreparacion_ = true;
}

void SesionFormulario::vistaPrevia(const std::string& archivo) {
  instalacion_.vistaPreviaEn(archivo);
  pulsar(&controles::InformeSinVentana::pulsarVistaPrevia);
}

void SesionFormulario::imprimir() {
  pulsar(&controles::InformeSinVentana::pulsarImprimir);
}

void SesionFormulario::grabarContador() {
  formulario().cmdGrabar_Click();
}

void SesionFormulario::excel(const std::string& archivo) {
  instalacion_.guardarComo(archivo);
  formulario().Command1_Click();
  instalacion_.guardarComo(std::nullopt);
}

void SesionFormulario::pdf() {
  formulario().cmdpdf_Click();
  // RENDIDOR says why it failed on standard error; only an end by a signal needs nubo's words.
  plataforma::ProcesosPosix::Fin fin = instalacion_.procesos().esperar();
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

}  // namespace suite::anfitrion
