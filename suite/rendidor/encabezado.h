#pragma once

#include <QString>

namespace suite::rendidor {

// The values of the heading file that the module hands over with the data file.
struct Encabezado {
  QString empresa;  // the company code
  QString nombre_empresa;
  QString usuario_nombre;  // the user who exported
  QString fecha;           // the day of the export, the date of issue
  QString fecha_desde, fecha_hasta;
  QString rut_contador, nombre_contador, registro_contador;
  QString rut_rep_legal, nombre_rep_legal;
};

}  // namespace suite::rendidor
