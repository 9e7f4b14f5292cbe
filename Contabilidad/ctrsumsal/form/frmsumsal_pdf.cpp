#include <optional>
#include <string>

#include "balance/calculo.h"
#include "balance/cierre.h"
#include "balance/encabezado.h"
#include "export/archivo_seguro.h"
#include "export/entrega_pdf.h"
#include "form/frmsumsal.h"

namespace prjsumsal {

// "PDF": writes the balance rows and the report heading into the two hand-over files in the
// module's folder and starts the companion renderer there, which makes the PDF; nothing waits
// for it. Each file replaces the previous one only when it is complete.
void frmsumsal::cmdpdf_Click() {
  try {
    const std::string carpeta = plataforma_.carpetaModulo;
    const std::string desde = txtdesde->Text();
    const std::string hasta = txthasta->Text();

    ArchivoSeguro archivoDatos(carpeta + "/" + kArchivoDatos, plataforma_.disco);
    DatosPdf datos(archivoDatos.flujo(), {glbEmpresa, glbN_empresa, desde + " - " + hasta,
                                          plataforma_.regional->separadorDecimal()});
    datos.abrir();

    BaseDatos& contable = db();
    Encabezado encabezado = leerEncabezado(contable);

    Calculo calculo(contable, consulta(), Uso::Exportacion);
    FilaBalance fila;
    std::optional<Sumas> sumas = Sumas{};  // for the check line; the renderer adds its own
    while (calculo.siguiente(fila)) {
      datos.bloque(fila);
      agregarParaCuadre(sumas, fila);
    }
    datos.cerrar();
    archivoDatos.confirmar();
    if (sumas && plataforma_.cuadre) plataforma_.cuadre(lineaCuadre(*sumas), cuadra(*sumas));

    ArchivoSeguro archivoEmpresa(carpeta + "/" + kArchivoEmpresa, plataforma_.disco);
    EmpresaPdf empresa;
    empresa.empresa = glbEmpresa;
    empresa.nombre_empresa = glbN_empresa;
    empresa.usuario_nombre = glbN_usuario;
    empresa.fecha = plataforma_.reloj->Hoy().texto(plataforma_.regional->separadorFecha());
    empresa.fecha_desde = desde;
    empresa.fecha_hasta = hasta;
    empresa.rut_contador = txtrut.Text;
    empresa.nombre_contador = txtcontador.Text;
    empresa.registro_contador = txtregistro.Text;
    // The legal representative's RUT is kept in the company record's provincia column.
    empresa.rut_rep_legal = encabezado.provincia;
    empresa.nombre_rep_legal = encabezado.rep_legal;
    escribirEmpresaPdf(archivoEmpresa.flujo(), empresa);
    archivoEmpresa.confirmar();

    plataforma_.puntero->MousePointer(Puntero::kPredeterminado);
    plataforma_.procesos->Shell(carpeta + "/" + kRendidor, 1);
  } catch (const std::exception& e) {
    mostrarError(e);
  }
}

}  // namespace prjsumsal
