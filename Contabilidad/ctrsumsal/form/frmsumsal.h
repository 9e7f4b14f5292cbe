#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "balance/consulta.h"
#include "export/archivo_seguro.h"
#include "form/contexto.h"
#include "form/controles.h"
#include "host/base_datos.h"
#include "host/ctldia.h"
#include "host/ctlinforme.h"
#include "host/dialogo.h"
#include "host/plataforma.h"
#include "host/rptreporte.h"
#include "host/valor.h"

namespace prjsumsal {

// The balance form, "Balance de Tributario". The public class copies the working context into
// its members and shows it; the user picks the period, the book, the report layout and the
// accountant, and asks for a preview, a print, a workbook or a PDF.
//
// The form is created unloaded. It loads the first time one of its controls is touched (the
// printer-type property, Show or Load): the suite's controls are created through the platform,
// connected, given their design values, and Form_Load runs. Unload runs Form_Unload and returns
// the form to the unloaded state, its own controls to their design values. While loaded the form
// is listed in formulariosAbiertos(), which keeps it alive when the class that created it is gone.
// Its working context (the glb* members of ContextoSumsal) is copied in by the public class
// before the form loads.
class frmsumsal : public EventosInforme,
                  public ContextoSumsal,
                  public std::enable_shared_from_this<frmsumsal> {
 public:
  static constexpr const char* kCaption = "Balance de Tributario";
  static constexpr int kAnchoCliente = 6570;  // twips
  static constexpr int kAltoCliente = 7260;
  // Position and tab index of the suite's controls.
  static constexpr Posicion kPosInforme{135, 90, 6345, 6960};
  static constexpr int kTabInforme = 2;
  static constexpr Posicion kPosDesde{1800, 675, 1770, 285};
  static constexpr int kTabDesde = 0;
  static constexpr Posicion kPosHasta{1800, 1080, 1770, 285};
  static constexpr int kTabHasta = 1;
  // The date the design stores in both date controls.
  static constexpr const char* kFechaDiseno = "18/05/2000";
  // Title of the report engine's preview window.
  static constexpr const char* kTituloVistaPrevia = "Presentación Preliminar";

  explicit frmsumsal(Plataforma& plataforma);
  ~frmsumsal() override;
  frmsumsal(const frmsumsal&) = delete;
  frmsumsal& operator=(const frmsumsal&) = delete;

  // The suite's controls: null until the form first loads.
  std::unique_ptr<ctlinforme> ctlinforme1;
  std::unique_ptr<ctlDia> txtdesde;
  std::unique_ptr<ctlDia> txthasta;
  // The report engine, held invisibly; null until the form first loads, and null in a host
  // that provides none.
  std::unique_ptr<prjsumsal::rptreporte> rptreporte;

  // The form's own controls, with their design values.
  Etiqueta Label2, Label1, Label28, Label3, Label4, Label5;
  BotonComando Command1, cmdpdf, cmdGrabar;
  Combo cmbifrs;
  BotonOpcion Option1, Option2, Option3, Option4, Option5;
  CajaTexto txtcontador, txtrut, txtregistro;
  OpcionesGuardar dlg1;  // the save dialog's design settings

  // Lifecycle.
  bool cargado() const { return cargado_; }
  bool visible() const { return visible_; }
  // Loads the form when it is not loaded. Raises an Error, leaving the form unloaded, when the
  // platform cannot create one of the suite's controls; Form_Load traps its own failures.
  void Load();
  // Loads the form if needed and shows it modeless.
  void Show();
  // Runs Form_Unload and unloads the form; nothing when it is not loaded.
  void Unload();

  // The report layout code: "" for Option1, "2" to "5" for Option2 to Option5.
  std::string SII() const;
  // Selects the option button `numero` (1 to 5) and clears the others, as a click does.
  void seleccionarFormato(int numero);
  // Write-only printer type: loads the form if needed, then hands the value as a text to the
  // report control. No error trap: a null value raises to the caller.
  void glbTipoImpresora(const Valor& valor);

  // The accountant record and the RUT.
  void cmdGrabar_Click();
  void txtrut_Validate(bool& Cancel);
  bool validarut(std::string R);

  // The exports (frmsumsal_excel.cpp, frmsumsal_pdf.cpp).
  void Command1_Click();
  void cmdpdf_Click();

  // Events of ctlinforme1.
  void ctlinforme1_Imprime() override;
  void ctlinforme1_Presenta() override;
  void ctlinforme1_Sale() override;
  void ctlinforme1_PreparaDatos() override;

 private:
  void Form_Load();
  void Form_Unload();
  void disenoPropio();
  void crearControles();
  void leerContador();
  // The database objects; "Variable de tipo Object no establecida" when the host set none.
  BaseDatos& db() const;
  BaseDatos& dbReport() const;
  // The inputs of a balance run: the context, the two dates and the book key of cmbifrs.
  Consulta consulta() const;
  // The error trap's box: the failure's description, critical icon, title "Mensaje".
  void mostrarError(const std::exception& e);
  // Print and preview: the destination, the report file of the chosen layout in the report
  // database's folder, then the run trigger; a failure goes to the error trap.
  void correrInforme(std::int32_t destino);
  // Protects the files of the two databases from every file the process writes.
  void protegerBases();

  Plataforma& plataforma_;
  bool cargado_ = false;
  std::vector<Protegido> bases_;  // while loaded
  bool visible_ = false;
};

// The loaded forms of the process, as the platform's Forms collection: a form is listed from its
// load to its unload.
const std::vector<std::shared_ptr<frmsumsal>>& formulariosAbiertos();

}  // namespace prjsumsal
