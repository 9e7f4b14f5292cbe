#pragma once

#include <optional>
#include <string>
#include <vector>

namespace prjsumsal {

// The design settings of a save-file dialog.
struct OpcionesGuardar {
  std::string titulo;     // "Archivo Excel"
  std::string extension;  // default extension without the dot, "xls"
  std::string archivo;    // initial file name, "balance_general.xls"
  std::string filtro;     // "*.xls"
  // Further file types offered beside `filtro`, each as "Description (*.ext)". Picking one
  // makes its extension the default one.
  std::vector<std::string> otrosFiltros;  // "Libro de Excel (*.xlsx)"
};

// The modal save-file dialog.
class DialogoGuardar {
 public:
  virtual ~DialogoGuardar() = default;
  // Shows the dialog and returns the full path chosen, or nullopt when the user cancels.
  // Raises an Error when the dialog cannot be shown.
  virtual std::optional<std::string> ShowSave(const OpcionesGuardar& opciones) = 0;
};

}  // namespace prjsumsal
