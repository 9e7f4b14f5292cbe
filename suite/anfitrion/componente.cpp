#include "componente.h"

#include <dlfcn.h>

#include "clase/entrada.h"
#include "clase/registro.h"
#include "host/error.h"

namespace suite::anfitrion {

namespace fs = std::filesystem;
using prjsumsal::Error;

namespace {

void* abrir(const std::string& ruta) {
  void* b = ::dlopen(ruta.c_str(), RTLD_NOW | RTLD_GLOBAL);
  if (b == nullptr) throw Error("No se puede cargar la biblioteca " + ruta + ": " + ::dlerror());
  return b;
}

template <typename F>
F simbolo(void* biblioteca, const char* nombre, const std::string& ruta) {
  void* s = ::dlsym(biblioteca, nombre);
  if (s == nullptr) throw Error("La biblioteca " + ruta + " no exporta " + nombre);
  return reinterpret_cast<F>(s);
}

bool mismaBiblioteca(const std::string& registrada, const fs::path& propia) {
  std::error_code ec;
  return fs::equivalent(registrada, propia, ec) && !ec;
}

}  // namespace

std::unique_ptr<prjsumsal::clssumsal> crearPorIdentificador(const std::string& identificador,
                                                            const fs::path& propia) {
  auto registrada = prjsumsal::componenteRegistrado(identificador);
  if (!registrada || !mismaBiblioteca(*registrada, propia)) {
    void* b = abrir(propia.string());
    auto registrar = simbolo<int (*)()>(b, "DllRegisterServer", propia.string());
    if (registrar() != 0) {
      throw Error("No se puede registrar " + identificador + " en " +
                  prjsumsal::archivoComponentes().string());
    }
    registrada = prjsumsal::componenteRegistrado(identificador);
    if (!registrada) throw Error("El componente " + identificador + " no quedó registrado");
  }
  void* b = abrir(*registrada);
  auto obtener = simbolo<FnDllGetClassObject>(b, "DllGetClassObject", *registrada);
  prjsumsal::FabricaClase* fabrica = nullptr;
  if (obtener(identificador.c_str(), &fabrica) != 0 || fabrica == nullptr) {
    throw Error("La biblioteca " + *registrada + " no crea la clase " + identificador);
  }
  return fabrica->CreateInstance();
}

}  // namespace suite::anfitrion
