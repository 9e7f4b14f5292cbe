#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/fecha.h"
#include "plataforma/error_uso.h"

namespace suite::anfitrion {

// A mistake on the command line: nubo exits with status 2.
using plataforma::ErrorUso;

// Something nubo does after it has the context, in the order the command line gives.
struct Accion {
  enum class Tipo {
    Texto,
    Mayor,
    Preparar,
    GrabarContador,
    Excel,
    Pdf,
    VistaPrevia,
    Imprimir,
    Captura,
    Ver
  };
  Tipo tipo;
  std::string argumento;  // the file, or the account of --mayor; empty otherwise
};

// The command line of nubo: where the databases are, the working context the host hands the
// module, the period and book of the balance, and the actions.
struct Opciones {
  // Databases: a demo folder, or the two database files.
  std::string demo;
  std::string contabilidad;
  std::string informes;
  bool noEsperar = false;  // a report database in use by another run ends this one

  // Context.
  std::int16_t empresa = 1;
  std::string nombreEmpresa;
  std::int16_t usuario = 1;
  std::string nombreUsuario;
  std::int16_t alias = 0;
  std::string programa = "ctrsumsal";
  std::string permiso = "11111";
  std::string impresora;  // printer type for the module, and the queue the report prints on
  int folio = 1;          // first folio of the folio layouts

  // Balance.
  prjsumsal::Fecha desde;  // the first of hasta's month unless given
  prjsumsal::Fecha hasta;  // today unless given
  int norma = 1;           // 1 tax book, 2 IFRS book
  int formato = 1;         // report layout: Option1 to Option5
  bool comparar = false;   // --texto and --ver show last year's balance beside this year's

  // Typed into the form's accountant fields; unset leaves what the form read.
  std::optional<std::string> contador;
  std::optional<std::string> rut;  // the field's check runs when the focus leaves it
  std::optional<std::string> registro;

  std::vector<Accion> acciones;
};

// The outcome of reading the command line: the options, or the help text to print.
struct Lectura {
  Opciones opciones;
  std::optional<std::string> ayuda;  // set when --help was asked for
};

// Reads the arguments (argv without the program name is argv + 1) against today's date. Raises
// ErrorUso with one Spanish line for an unknown option, a missing or malformed value, a value
// out of range, a repeated option, databases given both ways or not at all, --captura
// together with another action than --ver, or --ver together with another than --captura.
Lectura leerOpciones(int argc, const char* const* argv, const prjsumsal::Fecha& hoy);

// What the user should know about options that are valid but may not mean what they seem: an
// --excel name that ends neither in .xls nor in .xlsx (the 2003 workbook is written under it,
// whatever it says), and a period that starts before the first of January of --hasta's year,
// whose columns count only from that first of January.
std::vector<std::string> avisos(const Opciones& o);

}  // namespace suite::anfitrion
