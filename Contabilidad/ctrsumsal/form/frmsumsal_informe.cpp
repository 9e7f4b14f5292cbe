#include "form/frmsumsal.h"

#include "form/ruta_informe.h"
#include "host/error.h"

namespace prjsumsal {

// The report control's print button: the balance goes to the printer.
void frmsumsal::ctlinforme1_Imprime() {
  correrInforme(prjsumsal::rptreporte::kDestinoImpresora);
}

// The report control's preview button: the balance goes to the preview window.
void frmsumsal::ctlinforme1_Presenta() {
  correrInforme(prjsumsal::rptreporte::kDestinoVentana);
}

// The user leaves the report control: the form unloads itself.
void frmsumsal::ctlinforme1_Sale() {
  Unload();
}

// Neither run fills the work table: the report shows what the last data preparation wrote. The
// destination is written first and stays set when a later step fails. The report file's folder
// is the report database's, taken up to its last separator (archivoInforme), so a database file
// of any name length works.
void frmsumsal::correrInforme(std::int32_t destino) {
  try {
    if (!rptreporte) {
      throw Error("No se puede crear el control rptreporte: el anfitrión no lo proporciona");
    }
    rptreporte->put(prjsumsal::rptreporte::kDispidDestino, Valor(destino));
    std::string archivo = archivoInforme(dbReport().Name(), SII());
    rptreporte->put(prjsumsal::rptreporte::kDispidArchivo, Valor(archivo));
    rptreporte->put(prjsumsal::rptreporte::kDispidAccion, Valor(1));
  } catch (const std::exception& e) {
    mostrarError(e);
  }
}

}  // namespace prjsumsal
