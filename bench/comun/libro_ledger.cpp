#include "libro_ledger.h"

#include <unistd.h>
#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "hijo.h"
#include "sqlite.h"

namespace bench {

std::filesystem::path rutaLedger(const std::filesystem::path& diario, int empresa,
                                 const std::string& libro) {
  std::filesystem::path ruta = diario;
  ruta.replace_extension(".e" + std::to_string(empresa) + ".l" + libro + ".ledger");
  return ruta;
}

void escribirLedger(const std::filesystem::path& diario, const std::filesystem::path& destino,
                    int empresa, const std::string& libro) {
  Conexion c(diario, true);
  // The lines lead the join through their (empresa, f_comp) index, so they come in date order
  // and a voucher's lines, written one after another, stay together.
  Sentencia s(c,
              "select a.f_comp, a.subsistema, a.documento, a.num_docum, a.centro,"
              " a.debe_nacional - a.haber_nacional"
              " from ctdcomprmm a cross join ctccomprmm b"
              " where a.empresa = ?1 and b.empresa = a.empresa and b.subsistema = a.subsistema"
              " and b.f_comp = a.f_comp and b.documento = a.documento"
              " and b.num_docum = a.num_docum and b.ifrs in ('0', ?2)"
              " order by a.f_comp, a.rowid");
  s.enlazar(1, static_cast<long long>(empresa));
  s.enlazar(2, libro);

  std::filesystem::path temporal = destino;
  temporal += ".tmp";
  std::ofstream salida(temporal, std::ios::binary | std::ios::trunc);
  std::string anterior;
  while (s.paso()) {
    std::string clave = s.texto(0) + " " + s.texto(2) + " " + s.texto(3) + " s" + s.texto(1);
    if (clave != anterior) {
      salida << (anterior.empty() ? "" : "\n") << clave << '\n';
      anterior = clave;
    }
    salida << "    " << s.texto(4) << "  " << std::llround(s.doble(5)) << '\n';
  }
  salida.close();
  if (!salida) throw std::runtime_error("no se pudo escribir " + temporal.string());
  std::filesystem::rename(temporal, destino);
}

std::vector<std::string> ordenLedger(const std::filesystem::path& archivo, const std::string& desde,
                                     const std::string& hasta) {
  return {"ledger", "-f", archivo.string(), "-b", desde, "-e", hasta, "balance"};
}

std::map<std::string, long long> saldosLedger(const std::filesystem::path& archivo,
                                              const std::string& desde, const std::string& hasta) {
  std::vector<std::string> orden = ordenLedger(archivo, desde, hasta);
  for (const char* opcion : {"--flat", "--empty", "--no-total", "-F",
                             "%(account)\t%(quantity(scrub(display_total)))\n"}) {
    orden.emplace_back(opcion);
  }
  std::filesystem::path salida = archivo;
  salida += ".saldos." + std::to_string(::getpid());
  programa(orden, salida.string());
  std::map<std::string, long long> saldos;
  std::ifstream entrada(salida);
  std::string cuenta, monto;
  while (std::getline(entrada, cuenta, '\t') && std::getline(entrada, monto)) {
    saldos[cuenta] = std::stoll(monto);
  }
  std::filesystem::remove(salida);
  return saldos;
}

}  // namespace bench
