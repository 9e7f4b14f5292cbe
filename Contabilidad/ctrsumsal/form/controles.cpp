#include "form/controles.h"

#include "host/caracteres.h"
#include "host/error.h"

namespace prjsumsal {

void CajaTexto::teclear(std::string_view texto) {
  if (MaxLength == 0) {
    Text += texto;
    return;
  }
  std::size_t ocupados = largo(Text);
  if (ocupados < MaxLength) Text += izquierda(texto, MaxLength - ocupados);
}

void Combo::Clear() {
  List.clear();
  ListIndex = -1;
  Text.clear();
}

void Combo::AddItem(const std::string& item) {
  List.push_back(item);
}

void Combo::seleccionar(int indice) {
  if (indice < 0 || indice >= static_cast<int>(List.size())) {
    throw Error("Llamada a procedimiento o argumento no válidos (elemento " +
                std::to_string(indice) + " de la lista)");
  }
  ListIndex = indice;
  Text = List[static_cast<std::size_t>(indice)];
}

}  // namespace prjsumsal
