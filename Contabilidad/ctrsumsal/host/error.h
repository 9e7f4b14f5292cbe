#pragma once

#include <stdexcept>
#include <string>

namespace prjsumsal {

// A runtime failure as the platform reports it: a description in Spanish, the text that an
// error trap shows in its message box. Every failure that reaches a handler is an Error or
// another std::exception whose what() is such a description.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& descripcion) : std::runtime_error(descripcion) {}
};

// The platform's own descriptions of the failures the module relies on.
inline constexpr const char* kNuloInvalido = "Uso no válido de Null";
inline constexpr const char* kTiposNoCoinciden = "No coinciden los tipos";
inline constexpr const char* kDesbordamiento = "Desbordamiento";
inline constexpr const char* kObjetoNoEstablecido = "Variable de tipo Object no establecida";

}  // namespace prjsumsal
