#include "clase/entrada.h"

#include <cstring>
#include <exception>
#include <filesystem>

#include "clase/biblioteca.h"
#include "clase/registro.h"
#include "form/frmsumsal.h"

namespace prjsumsal {

namespace {

class Fabrica : public FabricaClase {
 public:
  std::unique_ptr<clssumsal> CreateInstance() override {
    return std::make_unique<clssumsal>(plataforma());
  }
};

std::string rutaBiblioteca() {
  return std::filesystem::absolute(std::filesystem::path(plataforma().carpetaModulo) /
                                   kArchivoBiblioteca)
      .string();
}

}  // namespace

}  // namespace prjsumsal

extern "C" {

int DllGetClassObject(const char* identificador, prjsumsal::FabricaClase** fabrica) {
  static prjsumsal::Fabrica unica;
  if (fabrica == nullptr) return 1;
  bool nuestro =
      identificador != nullptr && std::strcmp(identificador, prjsumsal::kIdentificadorClase) == 0;
  *fabrica = nuestro ? &unica : nullptr;
  return nuestro ? 0 : 1;
}

bool DllCanUnloadNow() {
  return prjsumsal::clssumsal::instancias() == 0 && prjsumsal::formulariosAbiertos().empty();
}

int DllRegisterServer() {
  try {
    prjsumsal::registrarComponente(prjsumsal::kIdentificadorClase, prjsumsal::rutaBiblioteca());
    return 0;
  } catch (const std::exception&) {
    return 1;
  }
}

int DllUnregisterServer() {
  try {
    prjsumsal::desregistrarComponente(prjsumsal::kIdentificadorClase);
    return 0;
  } catch (const std::exception&) {
    return 1;
  }
}

const char* DllDescripcion() {
  return prjsumsal::kDescripcionBiblioteca;
}

const char* DllVersion() {
  return prjsumsal::kVersionBiblioteca;
}
}
