#include "host/registro.h"

#include <cstdlib>
#include <fstream>
#include <vector>

#include "host/error.h"

namespace prjsumsal {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> lineas(const fs::path& archivo) {
  std::vector<std::string> r;
  std::ifstream in(archivo);
  for (std::string l; std::getline(in, l);) {
    if (!l.empty()) r.push_back(l);
  }
  return r;
}

bool esDe(const std::string& linea, const std::string& identificador) {
  return linea.size() > identificador.size() && linea[identificador.size()] == '=' &&
         linea.compare(0, identificador.size(), identificador) == 0;
}

void escribir(const fs::path& archivo, const std::vector<std::string>& contenido) {
  std::error_code ec;
  fs::create_directories(archivo.parent_path(), ec);
  fs::path temporal = archivo;
  temporal += ".nuevo";
  {
    std::ofstream out(temporal, std::ios::trunc);
    for (const auto& l : contenido) out << l << '\n';
    out.close();
    if (!out) throw Error("No se puede escribir el registro de componentes " + temporal.string());
  }
  fs::rename(temporal, archivo, ec);
  if (ec) {
    fs::remove(temporal, ec);
    throw Error("No se puede escribir el registro de componentes " + archivo.string());
  }
}

}  // namespace

fs::path archivoComponentes() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && *xdg != '\0') return fs::path(xdg) / "nubo" / "componentes";
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') {
    throw Error("No se encuentra la carpeta de configuración del usuario (HOME no está definida)");
  }
  return fs::path(home) / ".config" / "nubo" / "componentes";
}

void registrarComponente(const std::string& identificador, const std::string& ruta) {
  fs::path archivo = archivoComponentes();
  std::vector<std::string> nuevas;
  for (auto& l : lineas(archivo)) {
    if (!esDe(l, identificador)) nuevas.push_back(l);
  }
  nuevas.push_back(identificador + "=" + ruta);
  escribir(archivo, nuevas);
}

void desregistrarComponente(const std::string& identificador) {
  fs::path archivo = archivoComponentes();
  if (!fs::exists(archivo)) return;
  std::vector<std::string> previas = lineas(archivo), nuevas;
  for (auto& l : previas) {
    if (!esDe(l, identificador)) nuevas.push_back(l);
  }
  if (nuevas.size() != previas.size()) escribir(archivo, nuevas);
}

std::optional<std::string> componenteRegistrado(const std::string& identificador) {
  for (auto& l : lineas(archivoComponentes())) {
    if (esDe(l, identificador)) return l.substr(identificador.size() + 1);
  }
  return std::nullopt;
}

}  // namespace prjsumsal
