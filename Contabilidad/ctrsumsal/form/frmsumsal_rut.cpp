#include <algorithm>
#include <cctype>

#include "balance/formato.h"
#include "form/frmsumsal.h"
#include "host/caracteres.h"
#include "host/error.h"
#include "host/numeros.h"

namespace prjsumsal {

namespace {

std::string sin(std::string texto, char c) {
  texto.erase(std::remove(texto.begin(), texto.end(), c), texto.end());
  return texto;
}

std::string recortadoMayusculas(std::string_view t) {
  auto ini = t.find_first_not_of(' ');
  if (ini == std::string_view::npos) return "";
  t = t.substr(ini, t.find_last_not_of(' ') - ini + 1);
  std::string r(t);
  for (char& c : r) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return r;
}

// A character of the body as a whole number; anything but a digit cannot be converted.
int cifra(char c) {
  if (c < '0' || c > '9') throw Error(kTiposNoCoinciden);
  return c - '0';
}

// The modulo-11 check digit of a body of digits: weights 2 to 7 from the right, repeating.
std::string digitoVerificador(std::string_view cuerpo) {
  long long suma = 0;
  int peso = 2;
  for (auto it = cuerpo.rbegin(); it != cuerpo.rend(); ++it) {
    suma += cifra(*it) * peso;
    if (++peso == 8) peso = 2;
  }
  long long valor = 11 - suma % 11;
  if (valor == 11) return "0";
  if (valor == 10) return "k";
  return std::to_string(valor);
}

}  // namespace

// On leaving txtrut: the typed text is brought into the written form of a RUT (the body grouped
// by thousands, "-", the check digit) and checked; an invalid RUT is erased and keeps the focus.
void frmsumsal::txtrut_Validate(bool& Cancel) {
  try {
    if (!txtrut.Text.empty()) {
      txtrut.Text = sin(txtrut.Text, '-');
      std::string t = txtrut.Text;
      std::size_t n = largo(t);
      // A text of dashes only leaves nothing to take the check digit from.
      if (n == 0) throw Error("Llamada a procedimiento o argumento no válidos");
      std::string cuerpo = sin(izquierda(t, n - 1), '.');
      std::string miles = formatoMiles(Val(cuerpo), plataforma_.regional->separadorMiles());
      std::replace(miles.begin(), miles.end(), ',', '.');
      txtrut.Text = miles + "-" + medio(t, n, 1);
    }
    if (!validarut(txtrut.Text)) {
      txtrut.Text.clear();
      Cancel = true;
    }
  } catch (const std::exception& e) {
    mostrarError(e);
  }
}

// True when R is empty or a RUT whose check digit is right; then a non-empty R is written back to
// txtrut re-formed. Each refusal shows its own message. No error trap: a body that is not all
// digits raises to the caller.
bool frmsumsal::validarut(std::string R) {
  R = sin(std::move(R), '.');
  if (R.empty()) return true;
  auto& mensajes = *plataforma_.mensajes;
  std::size_t guion = R.find('-');
  if (guion == std::string::npos || R == "0-0") {
    mensajes.MsgBox("El rut no es válido.", Icono::Critico, "Mensaje");
    return false;
  }
  // Exactly one character must follow the first "-".
  if (largo(std::string_view(R).substr(guion)) != 2) {
    mensajes.MsgBox("El rut no es válido", Icono::Critico, "Mensaje");
    return false;
  }
  std::string digito = medio(R, largo(R), 1);
  std::string cuerpo = R.substr(0, guion);
  if (recortadoMayusculas(digitoVerificador(cuerpo)) != recortadoMayusculas(digito)) {
    mensajes.MsgBox("El rut no es Válido", Icono::Critico, "Mensaje");
    return false;
  }
  std::string miles =
      cuerpo.empty() ? "" : formatoMiles(Val(cuerpo), plataforma_.regional->separadorMiles());
  txtrut.Text = miles + "-" + digito;
  return true;
}

}  // namespace prjsumsal
