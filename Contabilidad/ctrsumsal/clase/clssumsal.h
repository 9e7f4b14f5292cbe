#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "clase/argumento.h"
#include "clase/biblioteca.h"
#include "form/contexto.h"
#include "host/base_datos.h"
#include "host/plataforma.h"

namespace prjsumsal {

class frmsumsal;

// The module's one creatable class, `prjsumsal.clssumsal`. The host stores the user's working
// context in its ten properties and calls ShowForm; the class copies the context into its own
// instance of the balance form and shows it. The properties are plain stored values: nothing is
// validated, and a get returns what the last put stored.
//
// Two states: the form not loaded (after creation or UnloadForm) and loaded (after ShowForm, until
// UnloadForm or the report control's exit). Destroying the class drops its reference to the form
// without unloading it: a form still shown stays open (see formulariosAbiertos()).
class clssumsal : public ContextoSumsal {
 public:
  static constexpr std::int32_t kDispidShowForm = DispidClssumsal::ShowForm;
  static constexpr std::int32_t kDispidUnloadForm = DispidClssumsal::UnloadForm;

  // Creates the class and its own, not yet loaded form, which reaches the outside through
  // `plataforma`.
  explicit clssumsal(Plataforma& plataforma = prjsumsal::plataforma());
  ~clssumsal();
  clssumsal(const clssumsal&) = delete;
  clssumsal& operator=(const clssumsal&) = delete;

  // The context's nine properties are the members of ContextoSumsal; the tenth is this one.
  std::string glbTipoImpresora;

  // Copies the context into the form, hands it the printer type (which loads the form the first
  // time, running its load sequence) and shows it modeless; returns at once. A failure outside
  // the form's own error traps (a suite control the host cannot create, a printer type that is
  // null) raises and skips the remaining steps.
  void ShowForm();
  // Unloads the form, running its unload sequence, and returns when it has finished. Nothing runs
  // when the form is not loaded.
  void UnloadForm();

  // Late-bound access, as an automation caller uses it. get reads a property; put writes a value
  // property; putref writes one of the two object properties; call runs a method. A DISPID or a
  // name the interface lacks, or an access the member does not allow, raises an Error; a value
  // of the wrong kind raises "No coinciden los tipos", an integer out of the 16-bit range
  // "Desbordamiento". Names are compared without regard to case.
  Argumento get(std::int32_t dispid) const;
  void put(std::int32_t dispid, const Argumento& argumento);
  void putref(std::int32_t dispid, const Argumento& argumento);
  void call(std::int32_t dispid);
  std::int32_t dispid(std::string_view nombre) const;
  Argumento get(std::string_view nombre) const { return get(dispid(nombre)); }
  void put(std::string_view nombre, const Argumento& a) { put(dispid(nombre), a); }
  void putref(std::string_view nombre, const Argumento& a) { putref(dispid(nombre), a); }
  void call(std::string_view nombre) { call(dispid(nombre)); }

  // The class's form, for a host that drives it headless.
  const std::shared_ptr<frmsumsal>& formulario() const { return frm_; }

  // How many instances of the class exist in the process.
  static int instancias();

 private:
  std::shared_ptr<frmsumsal> frm_;
};

}  // namespace prjsumsal
