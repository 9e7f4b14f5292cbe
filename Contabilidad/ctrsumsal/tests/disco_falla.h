#pragma once

#include <cerrno>
#include <memory>
#include <string>

#include "host/disco.h"
#include "host/plataforma.h"

namespace prjsumsal::prueba {

// A disk in front of a real one that, like an injected fault, fails one kind of call the Nth
// time it is made (counted from 1, over every file the disk opens) with the error given: a
// full disk (ENOSPC) or a failing one (EIO) on a write, on the sync or on the close. A write
// that fails writes nothing, as a full disk's last write may.
class DiscoFalla : public Disco {
 public:
  enum class Llamada { Abrir, Escribir, Sincronizar, Cerrar };

  DiscoFalla(Llamada llamada, int enesima, int error, Disco& real = discoEstandar())
      : llamada_(llamada), enesima_(enesima), error_(error), real_(real) {}

  std::unique_ptr<Archivo> abrir(const std::string& ruta, bool nuevo, int& error) override {
    if (falla(Llamada::Abrir)) {
      error = error_;
      return nullptr;
    }
    auto archivo = real_.abrir(ruta, nuevo, error);
    return archivo ? std::make_unique<ArchivoFalla>(*this, std::move(archivo)) : nullptr;
  }
  void sincronizarCarpeta(const std::string& carpeta) override {
    real_.sincronizarCarpeta(carpeta);
  }
  std::string dueno() override { return real_.dueno(); }
  bool terminado(const std::string& dueno) override { return real_.terminado(dueno); }

 private:
  class ArchivoFalla : public Archivo {
   public:
    ArchivoFalla(DiscoFalla& disco, std::unique_ptr<Archivo> real)
        : disco_(disco), real_(std::move(real)) {}
    int escribir(const char* datos, std::size_t n) override {
      return disco_.falla(Llamada::Escribir) ? disco_.error_ : real_->escribir(datos, n);
    }
    int sincronizar() override {
      return disco_.falla(Llamada::Sincronizar) ? disco_.error_ : real_->sincronizar();
    }
    int cerrar() override {
      int e = real_->cerrar();  // closed whatever the fault says
      return disco_.falla(Llamada::Cerrar) ? disco_.error_ : e;
    }

   private:
    DiscoFalla& disco_;
    std::unique_ptr<Archivo> real_;
  };

  bool falla(Llamada llamada) { return llamada == llamada_ && ++cuenta_ == enesima_; }

  Llamada llamada_;
  int enesima_, error_, cuenta_ = 0;
  Disco& real_;
};

// Makes `disco` the process's disk for the life of this object.
class ConDisco {
 public:
  explicit ConDisco(Disco& disco) : anterior_(plataforma().disco) { plataforma().disco = &disco; }
  ~ConDisco() { plataforma().disco = anterior_; }
  ConDisco(const ConDisco&) = delete;
  ConDisco& operator=(const ConDisco&) = delete;

 private:
  Disco* anterior_;
};

}  // namespace prjsumsal::prueba
