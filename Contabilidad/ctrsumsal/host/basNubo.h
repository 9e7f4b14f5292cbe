#pragma once

#include <string>

#include "host/base_datos.h"
#include "host/mensajes.h"

namespace prjsumsal {

// The suite's program control table `programa` (one text column of the same name) in the report
// database: while the balance form is loaded it holds a row with the program's name. Both
// procedures trap every failure and report it in a message box; the caller always goes on.

// Inserts the row of `programa` through `db` (null: no database object). A 0 result shows
// "Problemas para ingresar Programa en tabla de control".
void IngresaPrograma(BaseDatos* db, const std::string& programa, Mensajes& mensajes);

// Deletes every row that carries `programa`. A 0 result shows "Problemas para borrar programa
// de tabla de control".
void BorraPrograma(BaseDatos* db, const std::string& programa, Mensajes& mensajes);

}  // namespace prjsumsal
