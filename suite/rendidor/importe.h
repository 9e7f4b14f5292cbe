#pragma once

#include <QStringView>
#include <optional>

namespace suite::rendidor {

// An amount of the data file. Writers put it in the general number form of their regional
// settings: an optional "-", digits, and a decimal part after "," or "." (both forms are
// read), perhaps an exponent ("1,5E+15"); no thousands separator. Blanks around it are
// allowed. Anything else is not an amount.
enum class Lectura { Numero, NoNumero, FueraDeRango };

struct Importe {
  Lectura lectura = Lectura::NoNumero;
  double valor = 0;
};

// The largest amount the document shows: fifteen whole digits, as many as the writers' number
// form carries exactly.
constexpr double kImporteMaximo = 999'999'999'999'999.0;

// Reads `texto` as an amount; FueraDeRango when its magnitude passes kImporteMaximo.
Importe leerImporte(QStringView texto);

}  // namespace suite::rendidor
