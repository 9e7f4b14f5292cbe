#pragma once

#include <cstdint>
#include <string>

#include "host/valor.h"

namespace prjsumsal {

// The four events of the report-output control, in the order the control declares them. The
// form that hosts the control implements them and connects itself with ctlinforme::conectar.
class EventosInforme {
 public:
  virtual ~EventosInforme() = default;
  virtual void ctlinforme1_Imprime() = 0;       // print
  virtual void ctlinforme1_Presenta() = 0;      // preview
  virtual void ctlinforme1_Sale() = 0;          // exit
  virtual void ctlinforme1_PreparaDatos() = 0;  // data preparation
};

// The suite's report-output control `prjinformes.ctlinforme`, as the form sees it. A member
// read back returns the value last written to it. The control raises its data-preparation
// event before it lets print or preview run the report.
class ctlinforme {
 public:
  static constexpr std::int32_t kDispidPreeliminar = 0x40030000;    // first permission flag
  static constexpr std::int32_t kDispidImprimir = 0x40030001;       // second permission flag
  static constexpr std::int32_t kDispidTipoImpresora = 0x40030002;  // printer type
  static constexpr std::int32_t kDispidEmpresa = 0x68030000;        // company text
  static constexpr std::int32_t kDispidPrograma = 0x68030001;       // program name (by reference)
  static constexpr std::int32_t kDispidUsuario = 0x68030002;        // user text

  virtual ~ctlinforme() = default;

  // First permission flag: the 4th character of the permission string is "1".
  virtual bool glbpreeliminar() const = 0;
  virtual void glbpreeliminar(bool valor) = 0;
  // Second permission flag, from the 5th character; the form reads it back to decide whether
  // the work table is created at load and dropped at unload.
  virtual bool glbimprimir() const = 0;
  virtual void glbimprimir(bool valor) = 0;
  virtual std::string glbtipoimpresora() const = 0;
  virtual void glbtipoimpresora(const std::string& valor) = 0;
  // Company text: the company code in decimal, one blank, the company name.
  virtual std::string glbempresa() const = 0;
  virtual void glbempresa(const std::string& valor) = 0;
  // Program name; the control's contract takes it by reference and may rewrite it.
  virtual std::string glbprograma() const = 0;
  virtual void glbprograma(std::string& valor) = 0;
  // User text: the user code in decimal, one blank, the user name.
  virtual std::string glbusuario() const = 0;
  virtual void glbusuario(const std::string& valor) = 0;

  // Connects the handlers of the hosting form; null disconnects. The control does not own them.
  virtual void conectar(EventosInforme* eventos) = 0;

  // Late-bound access by DISPID, as an automation caller uses. Raises an Error for a DISPID the
  // control does not have and "No coinciden los tipos" for a value of the wrong kind.
  Valor get(std::int32_t dispid) const;
  void put(std::int32_t dispid, const Valor& valor);
};

}  // namespace prjsumsal
