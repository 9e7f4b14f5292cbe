#pragma once

#include <string>

namespace prjsumsal {

// An amount rounded to whole pesos as every document shows it: a half away from zero, the
// amount taken as its 15 significant digits read, never -0.
double pesosEnteros(double valor);

// An amount with the number pattern "0": rounded to a whole number, a half away from zero,
// decimal digits with a leading "-" when negative, no separators.
std::string formatoCero(double valor);

// An amount in the general number form: no thousands separator, no fixed count of decimals (a
// whole amount has none), up to 15 significant digits, a leading "-" when negative, `decimal`
// as the decimal separator.
std::string formatoGeneral(double valor, const std::string& decimal);

// A whole number with the pattern "#,##0": thousands grouped with `miles`.
std::string formatoMiles(double valor, const std::string& miles);

}  // namespace prjsumsal
