#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace prjsumsal::prueba {

// A fresh folder named after the running test, removed with the object.
class CarpetaPrueba {
 public:
  explicit CarpetaPrueba(const std::string& prefijo)
      : ruta_(std::filesystem::temp_directory_path() /
              (prefijo + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    std::filesystem::remove_all(ruta_);
    std::filesystem::create_directories(ruta_);
  }
  ~CarpetaPrueba() { std::filesystem::remove_all(ruta_); }

  const std::filesystem::path& ruta() const { return ruta_; }
  std::string ruta(const std::string& nombre) const { return (ruta_ / nombre).string(); }
  // The names in the folder, sorted, to see that no temporary file was left behind.
  std::vector<std::string> archivos() const {
    std::vector<std::string> r;
    for (auto& e : std::filesystem::directory_iterator(ruta_)) {
      r.push_back(e.path().filename().string());
    }
    std::sort(r.begin(), r.end());
    return r;
  }

 private:
  std::filesystem::path ruta_;
};

inline std::string leer(const std::string& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline void escribir(const std::string& ruta, const std::string& texto) {
  std::ofstream(ruta, std::ios::binary) << texto;
}

// A text's lines, each of which must end in CR LF.
inline std::vector<std::string> lineas(const std::string& texto) {
  std::vector<std::string> r;
  for (std::size_t inicio = 0, fin; inicio < texto.size(); inicio = fin + 2) {
    fin = texto.find("\r\n", inicio);
    if (fin == std::string::npos) {
      ADD_FAILURE() << "línea sin CR LF al final";
      break;
    }
    r.push_back(texto.substr(inicio, fin - inicio));
  }
  return r;
}

}  // namespace prjsumsal::prueba
