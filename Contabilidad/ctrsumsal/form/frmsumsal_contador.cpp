#include "form/frmsumsal.h"
#include "host/sql.h"

namespace prjsumsal {

namespace {

constexpr const char* kLeerContador = " select * from contador ";
constexpr const char* kIniciar = "begin transaction";
constexpr const char* kConfirmar = "commit transaction";
constexpr const char* kDeshacer = "rollback transaction";

std::string literal(const std::string& v) {
  return " '" + sqlTexto(v) + "'";
}

// Undoes the open transaction. When the connection is already gone the engine has undone it
// itself; the caller reports the failure of the save.
void deshacer(BaseDatos& db) {
  try {
    db.executesql(kDeshacer);
  } catch (const std::exception&) {
  }
}

}  // namespace

void frmsumsal::leerContador() {
  auto rs = db().newrecord(kLeerContador, 4);
  if (rs->eof()) return;
  Valor nombre = rs->fields("nombre").Value;
  if (!nombre.esNulo()) txtcontador.Text = nombre.texto();
  Valor rut = rs->fields("rut").Value;
  if (!rut.esNulo()) txtrut.Text = rut.texto();
  Valor registro = rs->fields("registro").Value;
  if (!registro.esNulo()) txtregistro.Text = registro.texto();
}

// Replaces the accountant record with the three boxes: the table is emptied and the new row
// inserted, inside one transaction that takes the database's write lock before the delete. Any
// failure (a statement refused, a lock held by another writer, a crash of the process) undoes
// the delete, so the company never loses its accountant; the save either happens whole or not.
void frmsumsal::cmdGrabar_Click() {
  try {
    BaseDatos& base = db();
    std::string sentencia = "insert into contador(nombre, rut, registro) values(" +
                            literal(txtcontador.Text) + "," + literal(txtrut.Text) + "," +
                            literal(txtregistro.Text) + ")";
    if (base.executesql(kIniciar) == 0) {
      plataforma_.mensajes->MsgBox("Problemas al grabar contador", Icono::Critico, "Mensaje");
      return;
    }
    bool grabado = false;
    try {
      grabado = base.executesql("delete from contador ") != 0 && base.executesql(sentencia) != 0 &&
                base.executesql(kConfirmar) != 0;
    } catch (const std::exception&) {
      deshacer(base);
      throw;
    }
    if (grabado) {
      plataforma_.mensajes->MsgBox("Contador grabado", Icono::Informacion, "Mensaje");
    } else {
      deshacer(base);
      plataforma_.mensajes->MsgBox("Problemas al grabar contador", Icono::Critico, "Mensaje");
    }
  } catch (const std::exception& e) {
    mostrarError(e);
  }
}

}  // namespace prjsumsal
