#include "host/basNubo.h"

#include <exception>

#include "host/error.h"
#include "host/sql.h"

namespace prjsumsal {

namespace {

// Sends one statement of the control table and reports a 0 result with `problema`; a failure
// raised on the way goes to a box with its own description.
void controlar(BaseDatos* db, const std::string& sentencia, const char* problema,
               Mensajes& mensajes) {
  try {
    if (db == nullptr) throw Error(kObjetoNoEstablecido);
    if (db->executesql(sentencia) == 0) mensajes.MsgBox(problema, Icono::Critico, "Mensaje");
  } catch (const std::exception& e) {
    mensajes.MsgBox(e.what(), Icono::Critico, "Mensaje");
  }
}

}  // namespace

void IngresaPrograma(BaseDatos* db, const std::string& programa, Mensajes& mensajes) {
  controlar(db, "insert into programa(programa) values('" + sqlTexto(programa) + "')",
            "Problemas para ingresar Programa en tabla de control", mensajes);
}

void BorraPrograma(BaseDatos* db, const std::string& programa, Mensajes& mensajes) {
  controlar(db, "delete from programa where programa='" + sqlTexto(programa) + "'",
            "Problemas para borrar programa de tabla de control", mensajes);
}

}  // namespace prjsumsal
