#include "host/plataforma.h"

#include <ctime>
#include <filesystem>
#include <iostream>

#include "host/error.h"

namespace prjsumsal {

namespace {

class MensajesError : public Mensajes {
 public:
  void MsgBox(const std::string& texto, Icono, const std::optional<std::string>& titulo) override {
    std::cerr << titulo.value_or("prjsumsal") << ": " << texto << '\n';
  }
};

class RelojSistema : public Reloj {
 public:
  Fecha Hoy() const override {
    std::time_t ahora = std::time(nullptr);
    std::tm local = *std::localtime(&ahora);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
  }
};

class DialogoCancelado : public DialogoGuardar {
 public:
  std::optional<std::string> ShowSave(const OpcionesGuardar&) override { return std::nullopt; }
};

class SinProcesos : public Procesos {
 public:
  void Shell(const std::string& ruta, int) override {
    throw Error("No se puede iniciar " + ruta + ": el anfitrión no permite iniciar procesos");
  }
};

class PunteroMudo : public Puntero {
 public:
  void MousePointer(int) override {}
};

std::string carpetaEjecutable() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(".") : exe.parent_path().string();
}

}  // namespace

Plataforma& plataforma() {
  static MensajesError mensajes;
  static RelojSistema reloj;
  static Regional regional;
  static DialogoCancelado dialogo;
  static SinProcesos procesos;
  static PunteroMudo puntero;
  static Plataforma p{&mensajes,           &reloj, &regional, &dialogo, &procesos, &puntero,
                      carpetaEjecutable(), {},     {},        {},       {},        {}};
  return p;
}

}  // namespace prjsumsal
