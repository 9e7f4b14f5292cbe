#include <optional>
#include <string>
#include <utility>

#include "balance/calculo.h"
#include "balance/cierre.h"
#include "balance/encabezado.h"
#include "export/archivo_seguro.h"
#include "export/libro_excel.h"
#include "export/libro_xlsx.h"
#include "form/frmsumsal.h"
#include "host/error.h"

namespace prjsumsal {

// "Excel Balance": asks where to save and writes the balance there as an XML Spreadsheet 2003
// workbook, or as an Office Open XML one when the name ends in ".xlsx", read from the accounting
// database in ascending account code. The workbook takes the chosen file's place only when it is
// complete, so a failure keeps whatever file was there.
// Cancelling the dialog writes nothing and says nothing; a file that is one of the open
// databases is refused (the form protects them while it is loaded).
void frmsumsal::Command1_Click() {
  try {
    std::optional<std::string> ruta = plataforma_.dialogo->ShowSave(dlg1);
    if (!ruta) return;
    const bool xlsx = esRutaXlsx(*ruta);
    if (xlsx && !plataforma_.crearLibroXlsx) {
      throw Error("No se puede escribir el archivo " + *ruta +
                  ": este programa no escribe libros .xlsx; elija un nombre terminado en .xls");
    }

    // Both workbooks take the same rows: the head, each account as the computation yields it,
    // then the closing rows.
    auto escribir = [this](auto& libro) {
      libro.cabeza(glbN_empresa);
      Calculo calculo(db(), consulta(), Uso::Exportacion);
      FilaBalance fila;
      while (calculo.siguiente(fila)) libro.fila(fila);
      libro.cierre();
      return libro.sumas();
    };
    ArchivoSeguro archivo(*ruta, plataforma_.disco);
    Sumas sumas;
    if (xlsx) {
      // The host's library writes the workbook into the temporary file, which then takes the
      // chosen file's place as the 2003 workbook's does. It is headed as the printed balance,
      // with the company record's RUT.
      const std::string desde = txtdesde->Text(), hasta = txthasta->Text();
      CabezaXlsx cabeza{leerEncabezado(db()).ruc, desde + " - " + hasta,
                        plataforma_.reloj->Hoy().texto(plataforma_.regional->separadorFecha())};
      auto escritor = plataforma_.crearLibroXlsx(archivo.escritura(), *ruta,
                                                 disenoLibroXlsx(glbN_empresa, desde, hasta));
      LibroXlsx libro(*escritor, std::move(cabeza));
      sumas = escribir(libro);
    } else {
      LibroExcel libro(archivo.flujo());
      sumas = escribir(libro);
    }
    archivo.confirmar();
    if (plataforma_.cuadre) plataforma_.cuadre(lineaCuadre(sumas), cuadra(sumas));
  } catch (const std::exception& e) {
    mostrarError(e);
  }
}

}  // namespace prjsumsal
