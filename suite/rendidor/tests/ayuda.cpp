#include "ayuda.h"

#include <QProcess>
#include <fstream>
#include <random>
#include <sstream>

#include "export/entrega_pdf.h"

namespace rendidor::prueba {

Carpeta::Carpeta() {
  std::random_device azar;
  ruta_ = fs::temp_directory_path() / ("rendidor_" + std::to_string(azar()));
  fs::create_directories(ruta_);
}

Carpeta::~Carpeta() {
  std::error_code e;
  fs::remove_all(ruta_, e);
}

prjsumsal::FilaBalance cuenta(const std::string& centro, const std::string& nombre,
                              const std::string& grupo, double debe, double haber, double saldo) {
  prjsumsal::FilaBalance f;
  f.centro = centro;
  f.n_centro = nombre;
  f.g_cuenta = grupo;
  f.debe = debe;
  f.haber = haber;
  f.debe_act = saldo > 0 ? saldo : 0;
  f.haber_act = saldo > 0 ? 0 : -saldo;
  prjsumsal::clasificar(f);
  return f;
}

Archivos archivos(const std::vector<prjsumsal::FilaBalance>& filas) {
  std::ostringstream datos, empresa;
  prjsumsal::DatosPdf d(datos, {1, "SUR & CIA LTDA", "01/01/2026 - 31/03/2026", ","});
  d.abrir();
  for (const auto& f : filas) d.bloque(f);
  d.cerrar();
  prjsumsal::EmpresaPdf e{1,
                          "SUR & CIA LTDA",
                          "ANA",
                          "06/12/2026",
                          "01/01/2026",
                          "31/03/2026",
                          "13.456.789-9",
                          "Claudia Muñoz",
                          "12345",
                          "10.234.567-3",
                          "Rodrigo Núñez"};
  prjsumsal::escribirEmpresaPdf(empresa, e);
  return {datos.str(), empresa.str()};
}

void escribir(const fs::path& carpeta, const Archivos& a) {
  std::ofstream(carpeta / "balance_tributario_datos.xml", std::ios::binary) << a.datos;
  std::ofstream(carpeta / "balance_tributario_empresa.xml", std::ios::binary) << a.empresa;
}

Corrida correr(const QString& programa, const QStringList& argumentos) {
  QProcess p;
  p.start(programa, argumentos);
  p.closeWriteChannel();
  p.waitForFinished(-1);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

Corrida rendir(const fs::path& carpeta) {
  return correr(RENDIDOR_EJECUTABLE, {"--carpeta", QString::fromStdString(carpeta.string())});
}

std::string textoPdf(const fs::path& pdf) {
  return correr("pdftotext", {"-layout", QString::fromStdString(pdf.string()), "-"}).salida;
}

std::vector<long long> cifras(const std::string& linea) {
  std::vector<long long> r;
  std::istringstream in(linea);
  for (std::string palabra; in >> palabra;) {
    std::string digitos;
    bool cifra = !palabra.empty();
    for (char c : palabra) {
      if (c == '.') continue;
      cifra = cifra && ((c >= '0' && c <= '9') || (c == '-' && digitos.empty()));
      digitos += c;
    }
    if (cifra && digitos != "-") r.push_back(std::stoll(digitos));
  }
  return r;
}

}  // namespace rendidor::prueba
