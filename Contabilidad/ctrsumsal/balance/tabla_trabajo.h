#pragma once

#include <string>

#include "balance/encabezado.h"
#include "balance/fila_balance.h"

namespace prjsumsal {

// The work table `ctrsumsal` of the report database, through which a report run hands its rows
// to the report file: created when the form loads and dropped when it unloads (under the second
// permission flag), emptied and filled by every data preparation. Texts between quotes have their
// quotes doubled; apart from that the statements are exactly the report files' own.

// The texts every row of one run repeats.
struct DatosTabla {
  std::string empresa;                  // company text of the report control: code, one blank, name
  std::string usuario;                  // user text of the report control: code, one blank, name
  std::string desde;                    // displayed start date, "dd/mm/yyyy"
  std::string hasta;                    // displayed end date
  std::string contador, rut, registro;  // the accountant's three boxes
  Encabezado encabezado;                // the company record
};

// The table's columns, as the CREATE TABLE statement makes them and the report's reader reads
// them. The insert statements name them in their own fixed text.
namespace columna {
inline constexpr char empresa[] = "empresa", usuario[] = "usuario", fecha[] = "fecha";
inline constexpr char reporte[] = "reporte", centro[] = "centro", auxiliar[] = "auxiliar";
inline constexpr char n_centro[] = "n_centro", n_auxiliar[] = "n_auxiliar";
inline constexpr char debe[] = "debe", haber[] = "haber";
inline constexpr char debe_act[] = "debe_act", haber_act[] = "haber_act";
inline constexpr char g_cuenta[] = "g_cuenta", tipo_mov[] = "tipo_mov";
inline constexpr char contador[] = "contador", rut[] = "rut", rep_legal_rut[] = "rep_legal_rut";
inline constexpr char registro[] = "registro", xrut[] = "xrut", xnombre[] = "xnombre";
inline constexpr char xgiro[] = "xgiro", xdireccion[] = "xdireccion", xciudad[] = "xciudad";
inline constexpr char xtelefono[] = "xtelefono";
}  // namespace columna

// The account code of the closing row, which marks a preparation that finished: the text
// "NULL", not a null value. The report's reader looks for it.
inline constexpr const char* kMarcaCierre = "NULL";

inline constexpr const char* kVaciarTabla = "delete from ctrsumsal ";
inline constexpr const char* kEliminarTabla = " drop table ctrsumsal ";

// CREATE TABLE ctrsumsal with its 24 columns and the primary key `primario` on `reporte`.
std::string sentenciaCrearTabla();

// The insert of one account. The company text and the legal representative are cut to 50
// characters, the representative's RUT to 15, the line of business to 100; the four amounts are
// written with the pattern "0" in the order debe_act, haber_act, debe, haber. Raises
// Error(kDesbordamiento) for an amount that is not a finite number.
std::string sentenciaFila(const DatosTabla& datos, const FilaBalance& fila);

// The closing row: the company text and the user text cut to 50 characters, the start date, and
// the text "NULL" as the account code.
std::string sentenciaCierre(const DatosTabla& datos);

}  // namespace prjsumsal
