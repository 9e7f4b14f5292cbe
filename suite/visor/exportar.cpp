#include "exportar.h"

#include "balance/formato.h"
#include "export/archivo_seguro.h"
#include "export/libro_xlsx.h"
#include "host/fecha.h"
#include "libro_xlsx/escritor_libxlsx.h"

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

void escribirXlsx(const std::string& destino, const std::string& nombre, const TablaExportada& t,
                  const BalanceVisor& b, const std::string& empresa) {
  const std::string desde = dia(b.consulta.desde), hasta = dia(b.consulta.hasta);
  auto diseno = prjsumsal::disenoLibroXlsx(empresa, desde, hasta);
  diseno.filasFijas = 4;
  EscritorLibxlsx libro(destino, nombre, diseno);
  prjsumsal::FormatoCelda normal, negrita, cifra, cifraNegrita;
  negrita.negrita = cifraNegrita.negrita = true;
  cifra.numero = cifraNegrita.numero = "#,##0";
  const int ultima = static_cast<int>(t.titulos.size()) - 1;
  libro.centrar(0, 0, ultima, "BALANCE TRIBUTARIO", negrita);
  libro.centrar(1, 0, ultima, empresa, negrita);
  libro.centrar(2, 0, ultima, "Período " + desde + " - " + hasta, normal);
  for (int c = 0; c <= ultima; ++c)
    libro.texto(3, c, t.titulos[static_cast<std::size_t>(c)], negrita);
  int fila = 4;
  for (const auto& f : t.filas) {
    if (!f.codigo.empty()) libro.texto(fila, 0, f.codigo, f.destacada ? negrita : normal);
    if (!f.nombre.empty()) libro.texto(fila, 1, f.nombre, f.destacada ? negrita : normal);
    for (std::size_t m = 0; m < f.montos.size(); ++m) {
      if (f.montos[m])
        libro.numero(fila, static_cast<int>(m) + 2, prjsumsal::pesosEnteros(*f.montos[m]),
                     f.destacada ? cifraNegrita : cifra);
    }
    ++fila;
  }
  for (int c = 2; c <= ultima; ++c) libro.anchoColumna(c, 80);
  libro.cerrar();
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
              const std::string& empresa, prjsumsal::Disco* disco) {
  prjsumsal::ArchivoSeguro archivo(ruta, disco);
  if (prjsumsal::esRutaXlsx(ruta)) {
    escribirXlsx(archivo.escritura(), ruta, tabla, balance, empresa);
  } else {
    escribirCsv(archivo.flujo(), tabla);
  }
  archivo.confirmar();
}

}  // namespace suite::visor
