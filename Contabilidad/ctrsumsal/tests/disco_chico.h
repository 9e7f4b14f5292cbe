#pragma once

#include <sys/mount.h>

#include <filesystem>
#include <string>

#include "archivos_prueba.h"

namespace prjsumsal::prueba {

// A small file system of its own (tmpfs of `kb` KiB) mounted on a fresh folder, that fills as a
// real disk does; unmounted with the object. Mounting needs root (the test runs have it); where
// it is not permitted, montado() is false and the test skips itself.
class DiscoChico {
 public:
  explicit DiscoChico(int kb) {
    std::string opciones = "size=" + std::to_string(kb) + "k";
    montado_ = ::mount("nubo", ruta().c_str(), "tmpfs", 0, opciones.c_str()) == 0;
  }
  ~DiscoChico() {
    if (montado_) ::umount2(ruta().c_str(), MNT_DETACH);
  }
  DiscoChico(const DiscoChico&) = delete;
  DiscoChico& operator=(const DiscoChico&) = delete;

  bool montado() const { return montado_; }
  const std::filesystem::path& ruta() const { return carpeta_.ruta(); }
  std::string ruta(const std::string& nombre) const { return carpeta_.ruta(nombre); }

 private:
  CarpetaPrueba carpeta_{"disco_chico_"};
  bool montado_ = false;
};

}  // namespace prjsumsal::prueba
