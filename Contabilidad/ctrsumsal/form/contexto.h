#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/base_datos.h"

namespace prjsumsal {

// The host's working context as the public class stores it and hands it to its form in one
// copy: the class and the form both hold it under the same member names. The tenth property,
// the printer type, is not among them: the class stores it as a value, the form takes it as a
// write-only property that loads the form (frmsumsal::glbTipoImpresora).
struct ContextoSumsal {
  std::int16_t glbEmpresa = 0;
  std::string glbN_empresa;
  std::int16_t glbUsuario = 0;
  std::string glbN_usuario;
  std::int16_t glbAlias = 0;
  std::string glbPrograma;
  std::shared_ptr<BaseDatos> glbdb;        // accounting database; null until set, assigned by
  std::shared_ptr<BaseDatos> glbdbReport;  // reference (the host's own objects), as is this one
  std::string glbPermiso;
};

}  // namespace prjsumsal
