#include "paquete_xlsx.h"

#include <unzip.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <set>
#include <string_view>
#include <vector>

namespace suite::libro_xlsx {

namespace {

// The parts libxlsxwriter writes for a workbook of one worksheet of numbers and inline texts.
const char* const kPartes[] = {
    "[Content_Types].xml",      "_rels/.rels",   "xl/_rels/workbook.xml.rels", "xl/workbook.xml",
    "xl/worksheets/sheet1.xml", "xl/styles.xml", "xl/theme/theme1.xml",        "docProps/core.xml",
    "docProps/app.xml"};
constexpr std::string_view kHoja = "xl/worksheets/sheet1.xml";

struct CerrarZip {
  void operator()(void* z) const { unzClose(z); }
};

// What one part holds, read in pieces: its beginning, its end, and whether `buscado` is in it.
struct Lectura {
  std::string comienzo, final;
  bool hallado = false;
};

// Reads the current entry of `zip` through to its end, checking its CRC. False when it cannot.
bool leerParte(unzFile zip, const std::string& buscado, Lectura& l) {
  if (unzOpenCurrentFile(zip) != UNZ_OK) return false;
  std::vector<char> bloque(1 << 16);
  std::string ventana;  // the end of what was read, long enough to find `buscado` across pieces
  int n;
  while ((n = unzReadCurrentFile(zip, bloque.data(), static_cast<unsigned>(bloque.size()))) > 0) {
    std::string_view pieza(bloque.data(), static_cast<std::size_t>(n));
    if (l.comienzo.size() < 512) l.comienzo += pieza.substr(0, 512 - l.comienzo.size());
    ventana += pieza;
    if (!buscado.empty() && ventana.find(buscado) != std::string::npos) l.hallado = true;
    std::size_t guardar = std::max<std::size_t>(buscado.size(), 64);
    if (ventana.size() > guardar) ventana.erase(0, ventana.size() - guardar);
  }
  l.final = ventana;
  return unzCloseCurrentFile(zip) == UNZ_OK && n == 0;  // a wrong CRC fails the close
}

// Whether an XML part ends with the closing tag of the element it opens with.
bool xmlEntero(const Lectura& l) {
  std::size_t p = 0;
  while ((p = l.comienzo.find('<', p)) != std::string::npos &&
         (l.comienzo[p + 1] == '?' || l.comienzo[p + 1] == '!')) {
    ++p;
  }
  if (p == std::string::npos) return false;
  std::size_t fin = l.comienzo.find_first_of(" \t\r\n/>", p + 1);
  if (fin == std::string::npos) return false;
  std::string cierre = "</" + l.comienzo.substr(p + 1, fin - p - 1) + ">";
  std::string_view resto = l.final;
  while (!resto.empty() && std::isspace(static_cast<unsigned char>(resto.back())))
    resto.remove_suffix(1);
  return resto.ends_with(cierre);
}

}  // namespace

std::string faltaEnLibroXlsx(const std::string& ruta, int ultimaFila) {
  std::unique_ptr<void, CerrarZip> zip(unzOpen64(ruta.c_str()));
  if (!zip) return "no es un paquete zip entero";
  const std::string ultima = "<row r=\"" + std::to_string(ultimaFila + 1) + "\"";
  std::set<std::string> faltan(std::begin(kPartes), std::end(kPartes));
  for (int r = unzGoToFirstFile(zip.get()); r == UNZ_OK; r = unzGoToNextFile(zip.get())) {
    char nombre[512];
    unz_file_info64 info;
    if (unzGetCurrentFileInfo64(zip.get(), &info, nombre, sizeof nombre, nullptr, 0, nullptr, 0) !=
        UNZ_OK) {
      return "no se puede leer el índice del paquete";
    }
    const bool hoja = nombre == kHoja;
    Lectura l;
    if (!leerParte(zip.get(), hoja ? ultima : std::string(), l)) {
      return std::string("la parte ") + nombre + " no se puede leer";
    }
    if (!xmlEntero(l)) return std::string("la parte ") + nombre + " está cortada";
    if (hoja && !l.hallado) return std::string("la hoja no llega a su última fila");
    faltan.erase(nombre);
  }
  if (!faltan.empty()) return "falta la parte " + *faltan.begin();
  return {};
}

}  // namespace suite::libro_xlsx
