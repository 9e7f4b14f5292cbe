#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>
#include <variant>

#include "host/base_datos.h"
#include "host/error.h"
#include "host/valor.h"

namespace prjsumsal {

// One argument or result of a late-bound call, as an automation caller passes it: either a
// value or a reference to one of the host's database objects (possibly none, the caller's
// Nothing). The object form shares the host's object; nothing is copied.
class Argumento {
 public:
  Argumento() = default;  // a null value
  Argumento(Valor v) : dato_(std::move(v)) {}
  Argumento(std::shared_ptr<BaseDatos> objeto) : dato_(std::move(objeto)) {}
  // Every form Valor accepts, so that a call reads as obj.put(id, 3) or obj.put(id, "texto").
  template <typename T>
  requires(std::is_constructible_v<Valor, T> && !std::is_same_v<std::decay_t<T>, std::nullptr_t>)
      Argumento(T v)
      : dato_(Valor(std::move(v))) {}

  bool esObjeto() const { return dato_.index() == 1; }

  // The value; "No coinciden los tipos" when the argument is an object reference.
  const Valor& valor() const {
    if (esObjeto()) throw Error(kTiposNoCoinciden);
    return std::get<Valor>(dato_);
  }
  // The object reference (null for Nothing); "No coinciden los tipos" when it is a value.
  const std::shared_ptr<BaseDatos>& objeto() const {
    if (!esObjeto()) throw Error(kTiposNoCoinciden);
    return std::get<std::shared_ptr<BaseDatos>>(dato_);
  }

 private:
  std::variant<Valor, std::shared_ptr<BaseDatos>> dato_;
};

}  // namespace prjsumsal
