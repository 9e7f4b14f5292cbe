#include <array>
#include <vector>

#include "form/frmsumsal.h"
#include "host/sql.h"

namespace prjsumsal {

namespace {

constexpr const char* kLeerContador = " select * from contador ";

using FilaContador = std::array<Valor, 3>;  // nombre, rut, registro

// The rows of `contador` as they stand, to put back if a save cannot write its own.
std::vector<FilaContador> filasContador(BaseDatos& db) {
  std::vector<FilaContador> filas;
  for (auto rs = db.newrecord(kLeerContador, 4); !rs->eof(); rs->MoveNext()) {
    filas.push_back(
        {rs->fields("nombre").Value, rs->fields("rut").Value, rs->fields("registro").Value});
  }
  return filas;
}

std::string literal(const Valor& v) {
  return v.esNulo() ? " NULL" : " '" + sqlTexto(v.texto()) + "'";
}

std::string insertarContador(const Valor& nombre, const Valor& rut, const Valor& registro) {
  return "insert into contador(nombre, rut, registro) values(" + literal(nombre) + "," +
         literal(rut) + "," + literal(registro) + ")";
}

// Writes back the rows read before the save. A failure here cannot be mended any further; the
// caller reports the failure of the save itself.
void restituir(BaseDatos& db, const std::vector<FilaContador>& filas) {
  try {
    db.executesql("delete from contador ");
    for (const auto& f : filas) db.executesql(insertarContador(f[0], f[1], f[2]));
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

// Replaces the accountant record with the three boxes. The table is emptied and the new row
// inserted, as the suite's other programs do; the rows in place are read first and put back when
// the insert fails, so a failed save never leaves the company without its accountant. A delete
// that fails leaves the old rows in place, and the save stops there rather than add a second row.
void frmsumsal::cmdGrabar_Click() {
  try {
    BaseDatos& base = db();
    std::vector<FilaContador> previas = filasContador(base);
    if (base.executesql("delete from contador ") == 0) {
      plataforma_.mensajes->MsgBox("Problemas al grabar contador", Icono::Critico, "Mensaje");
      return;
    }
    std::string sentencia = insertarContador(txtcontador.Text, txtrut.Text, txtregistro.Text);
    long resultado = 0;
    try {
      resultado = base.executesql(sentencia);
    } catch (const std::exception&) {
      restituir(base, previas);
      throw;
    }
    if (resultado != 0) {
      plataforma_.mensajes->MsgBox("Contador grabado", Icono::Informacion, "Mensaje");
    } else {
      restituir(base, previas);
      plataforma_.mensajes->MsgBox("Problemas al grabar contador", Icono::Critico, "Mensaje");
    }
  } catch (const std::exception& e) {
    mostrarError(e);
  }
}

}  // namespace prjsumsal
