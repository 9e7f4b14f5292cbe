#include "host/disco.h"

#include <cerrno>
#include <cstdio>

namespace prjsumsal {

namespace {

class ArchivoC : public Disco::Archivo {
 public:
  explicit ArchivoC(std::FILE* f) : f_(f) { std::setvbuf(f_, nullptr, _IONBF, 0); }
  ~ArchivoC() override {
    if (f_) std::fclose(f_);
  }

  int escribir(const char* datos, std::size_t n) override {
    errno = 0;
    if (std::fwrite(datos, 1, n, f_) == n) return 0;
    return errno ? errno : EIO;
  }
  int sincronizar() override {
    errno = 0;
    return std::fflush(f_) == 0 ? 0 : (errno ? errno : EIO);
  }
  int cerrar() override {
    errno = 0;
    int r = std::fclose(f_);
    f_ = nullptr;
    return r == 0 ? 0 : (errno ? errno : EIO);
  }

 private:
  std::FILE* f_;
};

class DiscoC : public Disco {
 public:
  std::unique_ptr<Archivo> abrir(const std::string& ruta, bool nuevo, int& error) override {
    errno = 0;
    std::FILE* f = std::fopen(ruta.c_str(), nuevo ? "wbx" : "wb");
    error = f ? 0 : (errno ? errno : EIO);
    return f ? std::make_unique<ArchivoC>(f) : nullptr;
  }
  void sincronizarCarpeta(const std::string&) override {}
  std::string dueno() override { return {}; }
  bool terminado(const std::string&) override { return false; }
};

}  // namespace

Disco& discoEstandar() {
  static DiscoC disco;
  return disco;
}

}  // namespace prjsumsal
