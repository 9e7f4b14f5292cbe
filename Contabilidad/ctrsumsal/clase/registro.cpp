#include "clase/registro.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <mutex>
#include <vector>

#include "export/archivo_seguro.h"
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

// The registrations of this process when the user has no configuration folder to keep them in
// (no HOME, or a folder that cannot be written): they last for the run.
std::map<std::string, std::string>& enMemoria() {
  static std::map<std::string, std::string> m;
  return m;
}
std::mutex& cerrojo() {
  static std::mutex m;
  return m;
}

// Each writer, in this process or another, renames its own complete file over the registry.
void escribir(const fs::path& archivo, const std::vector<std::string>& contenido) {
  std::error_code ec;
  fs::create_directories(archivo.parent_path(), ec);
  ArchivoSeguro salida(archivo.string());  // raises an Error naming the file and the reason
  for (const auto& l : contenido) salida.flujo() << l << '\n';
  salida.confirmar();
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
  try {
    fs::path archivo = archivoComponentes();
    std::vector<std::string> nuevas;
    for (auto& l : lineas(archivo)) {
      if (!esDe(l, identificador)) nuevas.push_back(l);
    }
    nuevas.push_back(identificador + "=" + ruta);
    escribir(archivo, nuevas);
  } catch (const Error&) {
    // No configuration folder, or one that cannot be written: the registration lasts the run.
    std::lock_guard<std::mutex> l(cerrojo());
    enMemoria()[identificador] = ruta;
  }
}

void desregistrarComponente(const std::string& identificador) {
  {
    std::lock_guard<std::mutex> l(cerrojo());
    enMemoria().erase(identificador);
  }
  fs::path archivo;
  try {
    archivo = archivoComponentes();
  } catch (const Error&) {
    return;
  }
  if (!fs::exists(archivo)) return;
  std::vector<std::string> previas = lineas(archivo), nuevas;
  for (auto& l : previas) {
    if (!esDe(l, identificador)) nuevas.push_back(l);
  }
  if (nuevas.size() != previas.size()) escribir(archivo, nuevas);
}

std::optional<std::string> componenteRegistrado(const std::string& identificador) {
  try {
    for (auto& l : lineas(archivoComponentes())) {
      if (esDe(l, identificador)) return l.substr(identificador.size() + 1);
    }
  } catch (const Error&) {
  }
  std::lock_guard<std::mutex> l(cerrojo());
  auto it = enMemoria().find(identificador);
  if (it == enMemoria().end()) return std::nullopt;
  return it->second;
}

}  // namespace prjsumsal
