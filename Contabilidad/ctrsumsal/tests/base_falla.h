#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/base_datos.h"
#include "host/error.h"

namespace prjsumsal::prueba {

// A database object in front of a real one that records every statement it receives and, like
// an injected fault, fails the Nth executesql (counted from 1): by raising an Error or by
// returning 0 without running it. newrecord can be made to fail the same way, counted
// separately; its record-set option is kept (-1 when the call gave none).
class BaseQueFalla : public BaseDatos {
 public:
  enum class Modo { Error, Cero };

  explicit BaseQueFalla(std::shared_ptr<BaseDatos> interna) : interna_(std::move(interna)) {}

  void fallarEn(int n, Modo modo = Modo::Error) {
    falla_ = n;
    modo_ = modo;
  }
  void fallarLecturaEn(int n) { fallaLectura_ = n; }

  long executesql(const std::string& s) override {
    sentencias.push_back(s);
    ++ejecutadas;
    if (falla_ > 0 && ejecutadas == falla_) {
      if (modo_ == Modo::Cero) return 0;
      throw Error("falla inyectada en la sentencia " + std::to_string(ejecutadas));
    }
    return interna_->executesql(s);
  }
  std::unique_ptr<Registros> newrecord(const std::string& s) override {
    lectura(s, -1);
    return interna_->newrecord(s);
  }
  std::unique_ptr<Registros> newrecord(const std::string& s, std::int16_t opcion) override {
    lectura(s, opcion);
    return interna_->newrecord(s, opcion);
  }
  std::string Name() const override { return interna_->Name(); }

  BaseDatos& interna() { return *interna_; }

  std::vector<std::string> sentencias;  // executesql texts, in order
  std::vector<std::string> lecturas;    // newrecord texts, in order
  std::vector<int> opciones;            // newrecord options, in order
  int ejecutadas = 0;

 private:
  void lectura(const std::string& s, int opcion) {
    lecturas.push_back(s);
    opciones.push_back(opcion);
    if (static_cast<int>(lecturas.size()) == fallaLectura_) {
      throw Error("falla inyectada en la lectura " + std::to_string(fallaLectura_));
    }
  }

  std::shared_ptr<BaseDatos> interna_;
  int falla_ = 0;
  Modo modo_ = Modo::Error;
  int fallaLectura_ = 0;
};

}  // namespace prjsumsal::prueba
