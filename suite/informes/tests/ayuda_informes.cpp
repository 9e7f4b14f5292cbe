#include "ayuda_informes.h"

#include <QProcess>
#include <cstdlib>
#include <filesystem>

#include "balance/tablatrabajo.h"
#include "datos/base_sqlite.h"

namespace suite::informes::prueba {

std::shared_ptr<prjsumsal::BaseDatos> baseConTabla(
    const std::vector<prjsumsal::FilaBalance>& filas) {
  std::shared_ptr<prjsumsal::BaseDatos> base = BaseSqlite::enMemoria(Papel::Informes);
  base->executesql(prjsumsal::sentenciaCrearTabla());
  prjsumsal::DatosTabla d;
  d.empresa = "3 SUR LTDA";
  d.usuario = "8 ANA";
  d.desde = "01/03/2024";
  d.hasta = "31/03/2024";
  d.contador = "Ana Pérez Muñoz";
  d.rut = "12.345.678-5";
  d.registro = "R-77";
  d.encabezado = {"José Núñez Soto",
                  "9.876.543-3",
                  "76.543.210-K",
                  "Sur Limitada",
                  "Comercio de artículos de ferretería",
                  "Avenida O'Higgins 1234",
                  "Talca",
                  "71-2222222"};
  for (const auto& f : filas) base->executesql(prjsumsal::sentenciaFila(d, f));
  base->executesql(prjsumsal::sentenciaCierre(d));
  return base;
}

QStringList paginasPdf(const QString& ruta) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), ruta, QStringLiteral("-")});
  p.waitForFinished(60000);
  QStringList paginas = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
  if (!paginas.isEmpty() && paginas.last().trimmed().isEmpty()) paginas.removeLast();
  return paginas;
}

Carpeta::Carpeta() {
  std::string plantilla = (std::filesystem::temp_directory_path() / "informesXXXXXX").string();
  camino_ = ::mkdtemp(plantilla.data());
}

Carpeta::~Carpeta() {
  std::error_code ec;
  std::filesystem::remove_all(camino_, ec);
}

QString Carpeta::ruta(const QString& nombre) const {
  return QString::fromStdString(camino_) + QLatin1Char('/') + nombre;
}

}  // namespace suite::informes::prueba
