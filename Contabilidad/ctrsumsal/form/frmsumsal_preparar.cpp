#include "balance/calculo.h"
#include "balance/cierre.h"
#include "balance/encabezado.h"
#include "balance/tabla_trabajo.h"
#include "form/frmsumsal.h"
#include "host/error.h"

namespace prjsumsal {

namespace {

// Sends one statement of the run; a 0 result is a failure like a raised one, because a row the
// database did not take would leave a balance that looks complete and is not.
void enviar(BaseDatos& db, const std::string& sentencia, const std::string& que) {
  if (db.executesql(sentencia) == 0) {
    throw Error("La base de datos de informes no aceptó " + que + " de la tabla ctrsumsal");
  }
}

}  // namespace

// The report control asks for its data: the work table is emptied and filled with one row per
// account of the year-to-date statement and a closing row, and the report engine receives the
// closing rows of the balance. A run that fails half way leaves the rows written before the
// failure and no closing row, and the engine without closing rows, so print and preview never
// show a partial balance as if it were whole.
void frmsumsal::ctlinforme1_PreparaDatos() {
  try {
    BaseDatos& informe = dbReport();
    BaseDatos& contable = db();
    if (rptreporte) rptreporte->Cierre({});
    enviar(informe, kVaciarTabla, "el borrado");

    DatosTabla datos;
    datos.encabezado = leerEncabezado(contable);
    datos.empresa = ctlinforme1->glbempresa();
    datos.usuario = ctlinforme1->glbusuario();
    datos.desde = txtdesde->Text();
    datos.hasta = txthasta->Text();
    datos.contador = txtcontador.Text;
    datos.rut = txtrut.Text;
    datos.registro = txtregistro.Text;

    Calculo calculo(contable, consulta(), Uso::Informe);
    FilaBalance fila;
    Sumas sumas;
    while (calculo.siguiente(fila)) {
      enviar(informe, sentenciaFila(datos, fila), "la fila de la cuenta " + fila.centro);
      sumas.agregar(fila);
    }
    enviar(informe, sentenciaCierre(datos), "la fila de cierre");
    // The table's amounts are rounded; the report closes with the balance's own sums.
    if (rptreporte) {
      auto cierre = renglonesCierre(sumas);
      rptreporte->Cierre({cierre.begin(), cierre.end()});
    }
    if (plataforma_.cuadre) plataforma_.cuadre(lineaCuadre(sumas), cuadra(sumas));
  } catch (const std::exception& e) {
    plataforma_.mensajes->MsgBox(e.what(), Icono::Informacion, std::nullopt);
  }
}

}  // namespace prjsumsal
