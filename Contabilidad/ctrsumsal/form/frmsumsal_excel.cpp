#include <filesystem>
#include <optional>
#include <string>

#include "balance/calculo.h"
#include "export/archivo_seguro.h"
#include "export/libro_excel.h"
#include "export/libro_xlsx.h"
#include "form/frmsumsal.h"
#include "host/error.h"

namespace prjsumsal {

namespace {

// Whether `ruta` is the file of the database object: the same file, whatever the path texts
// (relative, through "..", through a link). The object's name may carry a connection prefix.
bool esArchivoDe(const std::string& ruta, const std::shared_ptr<BaseDatos>& base) {
  if (!base) return false;
  std::string nombre = base->Name();
  constexpr std::string_view kOrigen = "Data Source=";
  if (auto p = nombre.find(kOrigen); p != std::string::npos) nombre.erase(0, p + kOrigen.size());
  std::error_code ec;
  return std::filesystem::equivalent(ruta, nombre, ec) && !ec;
}

}  // namespace

// "Excel Balance": asks where to save and writes the balance there as an XML Spreadsheet 2003
// workbook, or as an Office Open XML one when the name ends in ".xlsx", read from the accounting
// database in ascending account code. The workbook takes the chosen file's place only when it is
// complete, so a failure keeps whatever file was there.
// Cancelling the dialog writes nothing and says nothing; a file that is one of the open
// databases is refused.
void frmsumsal::Command1_Click() {
  try {
    std::optional<std::string> ruta = plataforma_.dialogo->ShowSave(dlg1);
    if (!ruta) return;
    // A workbook written over an open database would destroy the company's data.
    for (const auto& [base, cual] :
         {std::pair{&glbdb, "contabilidad"}, std::pair{&glbdbReport, "informes"}}) {
      if (esArchivoDe(*ruta, *base)) {
        throw Error("No se puede escribir el archivo " + *ruta + ": es la base de datos de " +
                    cual + " abierta");
      }
    }

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
    ArchivoSeguro archivo(*ruta);
    Sumas sumas;
    if (xlsx) {
      // The host's library writes the workbook into the temporary file, which then takes the
      // chosen file's place as the 2003 workbook's does.
      auto escritor = plataforma_.crearLibroXlsx(
          archivo.escritura(), *ruta,
          disenoLibroXlsx(glbN_empresa, txtdesde->Text(), txthasta->Text()));
      LibroXlsx libro(*escritor);
      sumas = escribir(libro);
    } else {
      LibroExcel libro(archivo.flujo());
      sumas = escribir(libro);
    }
    archivo.confirmar();
    if (plataforma_.aviso) {
      for (const auto& d : descuadres(sumas)) plataforma_.aviso("El balance no cuadra: " + d);
    }
  } catch (const std::exception& e) {
    mostrarError(e);
  }
}

}  // namespace prjsumsal
