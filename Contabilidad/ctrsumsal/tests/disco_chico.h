#pragma once

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace prjsumsal::prueba {

// A small file system of its own (tmpfs of `kb` KiB) mounted on a fresh folder, that fills as a
// real disk does; unmounted with the object. Mounting needs root (the test runs have it); where
// it is not permitted, montado() is false and the test skips itself.
class DiscoChico {
 public:
  explicit DiscoChico(int kb) {
    ruta_ = std::filesystem::temp_directory_path() /
            ("disco_chico_" + std::to_string(::getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(ruta_);
    std::string opciones = "size=" + std::to_string(kb) + "k";
    montado_ = ::mount("nubo", ruta_.c_str(), "tmpfs", 0, opciones.c_str()) == 0;
  }
  ~DiscoChico() {
    if (montado_) ::umount2(ruta_.c_str(), MNT_DETACH);
    std::error_code ec;
    std::filesystem::remove_all(ruta_, ec);
  }
  DiscoChico(const DiscoChico&) = delete;
  DiscoChico& operator=(const DiscoChico&) = delete;

  bool montado() const { return montado_; }
  const std::filesystem::path& ruta() const { return ruta_; }
  std::string ruta(const std::string& nombre) const { return (ruta_ / nombre).string(); }

 private:
  std::filesystem::path ruta_;
  bool montado_ = false;
};

}  // namespace prjsumsal::prueba
