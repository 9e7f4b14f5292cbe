#include "base_vigilada.h"

namespace suite::ventana {

using prjsumsal::Campo;
using prjsumsal::Registros;

namespace {

class RegistrosVigilados : public Registros {
 public:
  RegistrosVigilados(std::unique_ptr<Registros> r, Progreso& p) : r_(std::move(r)), progreso_(p) {}
  bool eof() const override { return r_->eof(); }
  void MoveNext() override {
    progreso_.paso();
    r_->MoveNext();
  }
  Campo fields(std::string_view nombre) const override { return r_->fields(nombre); }
  void findfirst(std::string_view criterio) override { r_->findfirst(criterio); }
  bool nomatch() const override { return r_->nomatch(); }

 private:
  std::unique_ptr<Registros> r_;
  Progreso& progreso_;
};

}  // namespace

long BaseVigilada::executesql(const std::string& sentencia) {
  progreso_.paso();
  return base_->executesql(sentencia);
}

std::unique_ptr<Registros> BaseVigilada::newrecord(const std::string& sentencia) {
  progreso_.paso();
  return vigilar(base_->newrecord(sentencia));
}

std::unique_ptr<Registros> BaseVigilada::newrecord(const std::string& sentencia,
                                                   std::int16_t opcion) {
  progreso_.paso();
  return vigilar(base_->newrecord(sentencia, opcion));
}

std::unique_ptr<Registros> BaseVigilada::vigilar(std::unique_ptr<Registros> r) {
  if (!r) return r;
  return std::make_unique<RegistrosVigilados>(std::move(r), progreso_);
}

}  // namespace suite::ventana
