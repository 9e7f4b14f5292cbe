#include "export/entrega_pdf.h"

#include <cmath>
#include <string_view>
#include <utility>

#include "balance/formato.h"
#include "export/linea.h"
#include "export/texto_xml.h"
#include "host/error.h"

namespace prjsumsal {

namespace {

// One element line: the opening tag, the value escaped for XML, the closing tag.
void elemento(std::ostream& salida, std::string_view nombre, std::string_view valor) {
  std::string apertura = "<" + std::string(nombre) + ">";
  std::string cierre = "</" + std::string(nombre) + ">";
  escribirLinea(salida, apertura, textoXml(valor), cierre);
}

}  // namespace

DatosPdf::DatosPdf(std::ostream& salida, ContextoDatos contexto)
    : salida_(salida),
      contexto_(std::move(contexto)),
      empresa_(std::to_string(contexto_.empresa)) {}

void DatosPdf::abrir() {
  escribirLinea(salida_, "<tabla>");
}

void DatosPdf::bloque(const FilaBalance& f) {
  auto importe = [&](std::string_view nombre, double valor) {
    if (!std::isfinite(valor)) throw Error(kDesbordamiento);
    elemento(salida_, nombre, formatoGeneral(valor, contexto_.decimal));
  };
  escribirLinea(salida_, "<fila>");
  elemento(salida_, "empresa", empresa_);
  elemento(salida_, "usuario", contexto_.nombreEmpresa);
  elemento(salida_, "fecha", contexto_.periodo);
  elemento(salida_, "centro", f.centro);
  escribirLinea(salida_, "<auxiliar/>");
  elemento(salida_, "n_centro", f.n_centro);
  escribirLinea(salida_, "<n_auxiliar/>");
  importe("debe", f.debe);
  importe("haber", f.haber);
  importe("debe_act", f.debe_act);
  importe("haber_act", f.haber_act);
  elemento(salida_, "g_cuenta", f.g_cuenta);
  importe("varDebe5", f.varDebe5);
  importe("varHaber6", f.varHaber6);
  importe("varDebe7", f.varDebe7);
  importe("varHaber8", f.varHaber8);
  escribirLinea(salida_, "</fila>");
}

void DatosPdf::cerrar() {
  escribirLinea(salida_, "</tabla>");
  terminarSalida(salida_);
}

void escribirEmpresaPdf(std::ostream& salida, const EmpresaPdf& e) {
  escribirLinea(salida, "<tabla>");
  escribirLinea(salida, "<fila>");
  elemento(salida, "empresa", std::to_string(e.empresa));
  elemento(salida, "nombre_empresa", e.nombre_empresa);
  elemento(salida, "usuario_nombre", e.usuario_nombre);
  elemento(salida, "fecha", e.fecha);
  elemento(salida, "fecha_desde", e.fecha_desde);
  elemento(salida, "fecha_hasta", e.fecha_hasta);
  elemento(salida, "rut_contador", e.rut_contador);
  elemento(salida, "nombre_contador", e.nombre_contador);
  elemento(salida, "registro_contador", e.registro_contador);
  elemento(salida, "rut_rep_legal", e.rut_rep_legal);
  elemento(salida, "nombre_rep_legal", e.nombre_rep_legal);
  escribirLinea(salida, "</fila>");
  escribirLinea(salida, "</tabla>");
  terminarSalida(salida);
}

}  // namespace prjsumsal
