#include "form/frmsumsal.h"

#include <algorithm>

#include "balance/tabla_trabajo.h"
#include "host/basNubo.h"
#include "host/caracteres.h"
#include "host/error.h"

namespace prjsumsal {

namespace {

std::vector<std::shared_ptr<frmsumsal>>& abiertos() {
  static std::vector<std::shared_ptr<frmsumsal>> lista;
  return lista;
}

// The form unloaded last stays alive here until the next unload: when its class is gone, it
// would otherwise die inside the exit event of its own report control, under that control's feet.
std::shared_ptr<frmsumsal>& retirado() {
  static std::shared_ptr<frmsumsal> forma;
  return forma;
}

Error sinControl(const char* control) {
  return Error(std::string("No se puede crear el control ") + control +
               ": el anfitrión no lo proporciona");
}

}  // namespace

const std::vector<std::shared_ptr<frmsumsal>>& formulariosAbiertos() {
  return abiertos();
}

frmsumsal::frmsumsal(Plataforma& plataforma) : plataforma_(plataforma) {
  disenoPropio();
}

frmsumsal::~frmsumsal() {
  if (ctlinforme1) ctlinforme1->conectar(nullptr);
}

void frmsumsal::disenoPropio() {
  Label2 = {"Desde :", {1035, 690, 615, 255}, 4};
  Label1 = {"Hasta :", {1035, 1095, 615, 255}, 3};
  Command1 = {"Excel Balance", {1755, 1620, 1770, 375}, 5};
  cmdpdf = {"PDF", {4635, 1575, 975, 750}, 20, 0xC0C0C0, true};
  Label28 = {"Norma", {1005, 2205, 555, 435}, 7};
  cmbifrs = {};
  cmbifrs.pos = {1785, 2175, 1935, 315};
  cmbifrs.TabIndex = 6;
  Option1 = {"Formato Horizontal Borrador", {1800, 2790, 2940, 375}, 8, true};
  Option2 = {"Formato Horizontal Hojas Foliadas para SII", {1800, 3150, 3570, 375}, 9};
  Option3 = {"Formato Vertical Borrador", {1800, 3510, 2940, 375}, 10};
  Option4 = {"Formato Vertical Hojas Foliadas para SII", {1800, 3870, 3570, 375}, 11};
  Option5 = {"Formato Vertical con Encabezado Empresa", {1800, 4230, 3570, 375}, 19};
  Label3 = {"Contador", {495, 4905, 915, 330}, 15};
  txtcontador = {"", 50, {1710, 4860, 3660, 330}, 12};
  Label4 = {"RUT", {540, 5310, 870, 240}, 16};
  txtrut = {"", 14, {1710, 5265, 2040, 285}, 13};
  Label5 = {"Registro", {540, 5670, 780, 285}, 17};
  txtregistro = {"", 10, {1710, 5625, 2040, 285}, 14};
  cmdGrabar = {"Grabar Contador", {4230, 5310, 1095, 555}, 18};
  // Beside the 2003 workbook, the Office Open XML one that current spreadsheets open without
  // asking whether the file is safe.
  dlg1 = {"Archivo Excel", "xls", "balance_general.xls", "*.xls", {"Libro de Excel (*.xlsx)"}};
}

void frmsumsal::crearControles() {
  std::unique_ptr<ctlinforme> informe;
  if (plataforma_.crearInforme) informe = plataforma_.crearInforme();
  if (!informe) throw sinControl("prjinformes.ctlinforme");
  std::unique_ptr<ctlDia> desde, hasta;
  if (plataforma_.crearDia) {
    desde = plataforma_.crearDia();
    hasta = plataforma_.crearDia();
  }
  if (!desde || !hasta) throw sinControl("prjDia.ctlDia");

  // The values the form's design stores for the suite's controls.
  informe->glbusuario("Usuario");
  informe->glbempresa("Empresa");
  std::string programa = "Programa";
  informe->glbprograma(programa);
  informe->glbtipoimpresora("");
  informe->glbpreeliminar(false);
  informe->glbimprimir(false);
  desde->Text(kFechaDiseno);
  hasta->Text(kFechaDiseno);

  std::unique_ptr<prjsumsal::rptreporte> reporte;
  if (plataforma_.crearReporte) reporte = plataforma_.crearReporte();
  if (reporte) reporte->TituloVentana(kTituloVistaPrevia);

  informe->conectar(this);
  ctlinforme1 = std::move(informe);
  rptreporte = std::move(reporte);
  txtdesde = std::move(desde);
  txthasta = std::move(hasta);
}

// A preview, a picture or a workbook written over an open database would destroy the company's
// data, or be overwritten by the database engine. The object's name may carry a connection
// prefix before the file's path.
void frmsumsal::protegerBases() {
  bases_.clear();
  for (const auto& [base, cual] :
       {std::pair{&glbdb, "contabilidad"}, std::pair{&glbdbReport, "informes"}}) {
    if (!*base) continue;
    std::string nombre = (*base)->Name();
    constexpr std::string_view kOrigen = "Data Source=";
    if (auto p = nombre.find(kOrigen); p != std::string::npos) nombre.erase(0, p + kOrigen.size());
    bases_.emplace_back(nombre, std::string("la base de datos de ") + cual + " abierta");
  }
}

void frmsumsal::Load() {
  if (cargado_) return;
  crearControles();
  protegerBases();
  cargado_ = true;
  if (auto yo = weak_from_this().lock()) abiertos().push_back(yo);
  Form_Load();
}

void frmsumsal::Show() {
  Load();
  visible_ = true;
}

void frmsumsal::Unload() {
  if (!cargado_) return;
  Form_Unload();
  ctlinforme1->conectar(nullptr);
  cargado_ = false;
  visible_ = false;
  bases_.clear();
  disenoPropio();
  auto& lista = abiertos();
  auto it = std::find_if(lista.begin(), lista.end(), [this](auto& f) { return f.get() == this; });
  if (it != lista.end()) {
    auto yo = std::move(*it);
    lista.erase(it);
    retirado() = std::move(yo);  // may end the form retired before this one, never this one
  }
}

void frmsumsal::Form_Load() {
  try {
    ctlinforme1->glbpreeliminar(medio(glbPermiso, 4, 1) == "1");
    ctlinforme1->glbimprimir(medio(glbPermiso, 5, 1) == "1");
    ctlinforme1->glbempresa(std::to_string(glbEmpresa) + " " + glbN_empresa);
    ctlinforme1->glbusuario(std::to_string(glbUsuario) + " " + glbN_usuario);
    ctlinforme1->glbprograma(glbPrograma);

    cmbifrs.Clear();
    cmbifrs.AddItem("1 TRIBUTARIA");
    cmbifrs.AddItem("2 IFRS");
    cmbifrs.seleccionar(0);

    char separador = plataforma_.regional->separadorFecha();
    txtdesde->Text("01" + plataforma_.reloj->Hoy().texto(separador).substr(2));
    txthasta->Text(plataforma_.reloj->Hoy().texto(separador));

    if (ctlinforme1->glbimprimir()) dbReport().executesql(sentenciaCrearTabla());
    leerContador();
    IngresaPrograma(glbdbReport.get(), glbPrograma, *plataforma_.mensajes);
  } catch (const std::exception& e) {
    mostrarError(e);
  }
}

void frmsumsal::Form_Unload() {
  try {
    if (ctlinforme1->glbimprimir()) dbReport().executesql(kEliminarTabla);
    BorraPrograma(glbdbReport.get(), glbPrograma, *plataforma_.mensajes);
  } catch (const std::exception& e) {
    mostrarError(e);
  }
}

std::string frmsumsal::SII() const {
  if (Option2.Value) return "2";
  if (Option3.Value) return "3";
  if (Option4.Value) return "4";
  if (Option5.Value) return "5";
  return "";
}

void frmsumsal::seleccionarFormato(int numero) {
  BotonOpcion* opciones[] = {&Option1, &Option2, &Option3, &Option4, &Option5};
  if (numero < 1 || numero > 5) {
    throw Error("No hay formato " + std::to_string(numero) + ": los formatos van de 1 a 5");
  }
  for (int i = 0; i < 5; ++i) opciones[i]->Value = i + 1 == numero;
}

void frmsumsal::glbTipoImpresora(const Valor& valor) {
  Load();
  ctlinforme1->glbtipoimpresora(valor.texto());
}

BaseDatos& frmsumsal::db() const {
  if (!glbdb) throw Error(kObjetoNoEstablecido);
  return *glbdb;
}

BaseDatos& frmsumsal::dbReport() const {
  if (!glbdbReport) throw Error(kObjetoNoEstablecido);
  return *glbdbReport;
}

Consulta frmsumsal::consulta() const {
  Consulta c;
  c.empresa = glbEmpresa;
  c.usuario = glbUsuario;
  c.alias = glbAlias;
  c.desde = txtdesde->FechaSQL();
  c.hasta = txthasta->FechaSQL();
  c.anio = txthasta->Anio();
  c.libro = izquierda(cmbifrs.Text, 1);
  return c;
}

void frmsumsal::mostrarError(const std::exception& e) {
  plataforma_.mensajes->MsgBox(e.what(), Icono::Critico, "Mensaje");
}

}  // namespace prjsumsal
