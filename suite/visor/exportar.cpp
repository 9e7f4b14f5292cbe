#include "exportar.h"

#include "balance/formato.h"
#include "export/archivo_seguro.h"
#include "export/libro_xlsx.h"
#include "host/fecha.h"
#include "libro_xlsx/guardar_xlsx.h"
#include "libro_xlsx/hoja_tabla.h"

namespace suite::visor {

namespace {

std::string campoCsv(std::string texto) {
  if (!texto.empty() && std::string_view("=+-@\t\r").find(texto.front()) != std::string::npos)
    texto.insert(0, 1, '\'');
  if (texto.find_first_of(";\"\r\n") == std::string::npos) return texto;
  std::string r = "\"";
  for (char c : texto) r += c == '"' ? std::string("\"\"") : std::string(1, c);
  return r + '"';
}

std::string dia(const std::string& iso) {
  auto f = prjsumsal::Fecha::leerIso(iso);
  return f ? f->texto() : iso;
}

// The table as the host's other workbooks lay out a table sheet (libro_xlsx::HojaTabla), headed
// as the balance's .xlsx is, written and read back before it takes the file's place.
void escribirXlsx(const std::string& ruta, const TablaExportada& t, const BalanceVisor& b,
                  const libro_xlsx::CabezaHoja& cabeza, prjsumsal::Disco* disco) {
  std::vector<libro_xlsx::ColumnaHoja> columnas;
  for (std::size_t c = 0; c < t.titulos.size(); ++c)
    columnas.push_back({t.titulos[c], c >= 2, c == 1 ? 198.0 : c == 0 ? 60.0 : 80.0});
  libro_xlsx::CabezaHoja c = cabeza;
  c.titulo = "BALANCE TRIBUTARIO";
  c.periodo = dia(b.consulta.desde) + " - " + dia(b.consulta.hasta);
  libro_xlsx::guardarLibroXlsx(
      ruta, libro_xlsx::HojaTabla::diseno("balance", c, columnas),
      [&](prjsumsal::EscritorXlsx& escritor) {
        libro_xlsx::HojaTabla hoja(escritor, columnas);
        hoja.cabeza(c);
        for (const auto& f : t.filas) {
          std::vector<libro_xlsx::CeldaHoja> celdas{f.codigo, f.nombre};
          for (const auto& m : f.montos) {
            if (m) {
              celdas.emplace_back(*m);
            } else {
              celdas.emplace_back(std::monostate{});
            }
          }
          hoja.fila(celdas, f.destacada);
        }
        hoja.terminar();
      },
      disco);
}

}  // namespace

TablaExportada tablaMostrada(const ModeloBalance& balance, const ModeloCierre& cierre) {
  TablaExportada t;
  for (const QString& s : titulosColumnas(balance.balance())) t.titulos.push_back(s.toStdString());
  const Vista& v = balance.vista();
  const int montos = balance.columnCount() - 2;
  for (const Fila& f : v.filas()) {
    FilaExportada e{v.codigo(f), v.nombre(f), {}, f.subtotal};
    for (int m = 0; m < montos; ++m)
      e.montos.emplace_back(v.montos(f)[static_cast<std::size_t>(m)]);
    t.filas.push_back(std::move(e));
  }
  const BalanceVisor& b = balance.balance();
  for (int r = 0; r < 3; ++r) {
    FilaExportada e{"", b.cierre[static_cast<std::size_t>(r)].nombre, {}, true};
    for (int m = 0; m < montos; ++m) e.montos.push_back(cierre.monto(r, m + 2));
    t.filas.push_back(std::move(e));
  }
  t.filas.push_back({"", b.cuadre, {}, true});
  return t;
}

void escribirCsv(std::ostream& salida, const TablaExportada& t) {
  salida << "\xEF\xBB\xBF";
  for (std::size_t i = 0; i < t.titulos.size(); ++i)
    salida << (i ? ";" : "") << campoCsv(t.titulos[i]);
  salida << "\r\n";
  for (const auto& f : t.filas) {
    salida << campoCsv(f.codigo) << ';' << campoCsv(f.nombre);
    for (std::size_t m = 0; m + 2 < t.titulos.size(); ++m) {
      salida << ';';
      if (m < f.montos.size() && f.montos[m]) salida << prjsumsal::formatoCero(*f.montos[m]);
    }
    salida << "\r\n";
  }
}

void exportar(const std::string& ruta, const TablaExportada& tabla, const BalanceVisor& balance,
              const libro_xlsx::CabezaHoja& cabeza, prjsumsal::Disco* disco) {
  if (prjsumsal::esRutaXlsx(ruta)) return escribirXlsx(ruta, tabla, balance, cabeza, disco);
  prjsumsal::ArchivoSeguro archivo(ruta, disco);
  escribirCsv(archivo.flujo(), tabla);
  archivo.confirmar();
}

}  // namespace suite::visor
