#include "form/ruta_informe.h"

namespace prjsumsal {

std::string archivoInforme(const std::string& nombreBase, const std::string& codigo) {
  static const std::string kPrefijo = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";
  std::string ruta = nombreBase;
  for (auto p = ruta.find(kPrefijo); p != std::string::npos; p = ruta.find(kPrefijo, p)) {
    ruta.erase(p, kPrefijo.size());
  }
  auto separador = ruta.find_last_of("/\\");
  std::string carpeta = separador == std::string::npos ? "" : ruta.substr(0, separador + 1);
  return carpeta + "ctrsumsal" + codigo + ".rpt";
}

}  // namespace prjsumsal
