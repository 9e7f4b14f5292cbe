#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

namespace suite::rendidor {

// Bad command-line input; what() is one Spanish line for the user.
class ErrorUso : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Opciones {
  QString carpeta;  // where the two hand-over files are; empty: where nubo leaves them
  QString salida;   // the PDF to write; empty: "balance_tributario.pdf" in `carpeta`
  bool ayuda = false;
};

// Reads RENDIDOR's command line (`argumentos` with the program's name first): --carpeta DIR,
// --salida ARCHIVO, --help. Raises ErrorUso on an unknown option, a missing value or an
// argument that is not an option.
Opciones leerOpciones(const QStringList& argumentos);

// The text --help prints.
QString textoAyuda();

}  // namespace suite::rendidor
