#include <optional>
#include <string>

#include "balance/calculo.h"
#include "balance/cierre.h"
#include "export/archivo_seguro.h"
#include "export/libro_excel.h"
#include "form/frmsumsal.h"
#include "host/error.h"

namespace prjsumsal {

// "Excel Balance": asks where to save and writes the balance there as an XML Spreadsheet 2003
// workbook, read from the accounting database in ascending account code. The workbook takes the
// chosen file's place only when it is complete, so a failure keeps whatever file was there.
// Cancelling the dialog writes nothing and says nothing; a file that is one of the open
// databases is refused (the form protects them while it is loaded).
void frmsumsal::Command1_Click() {
  try {
    std::optional<std::string> ruta = plataforma_.dialogo->ShowSave(dlg1);
    if (!ruta) return;
    ArchivoSeguro archivo(*ruta, plataforma_.disco);
    LibroExcel libro(archivo.flujo());
    libro.cabeza(glbN_empresa);

    Calculo calculo(db(), consulta(), Uso::Exportacion);
    FilaBalance fila;
    while (calculo.siguiente(fila)) libro.fila(fila);
    libro.cierre();
    archivo.confirmar();
    if (plataforma_.cuadre) {
      plataforma_.cuadre(lineaCuadre(libro.sumas()), cuadra(libro.sumas()));
    }
  } catch (const std::exception& e) {
    mostrarError(e);
  }
}

}  // namespace prjsumsal
