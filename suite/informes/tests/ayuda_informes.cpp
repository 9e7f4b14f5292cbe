#include "ayuda_informes.h"

#include <QProcess>
#include <QRegularExpression>

#include "balance/tabla_trabajo.h"
#include "datos/base_sqlite.h"

namespace suite::informes::prueba {

std::shared_ptr<prjsumsal::BaseDatos> baseConTabla(
    const std::vector<prjsumsal::FilaBalance>& filas) {
  std::shared_ptr<prjsumsal::BaseDatos> base = datos::BaseSqlite::enMemoria(datos::Papel::Informes);
  base->executesql(prjsumsal::sentenciaCrearTabla());
  const prjsumsal::DatosTabla d{
      "3 SUR LTDA",
      "8 ANA",
      "01/03/2024",
      "31/03/2024",
      "Ana Pérez Muñoz",
      "12.345.678-5",
      "R-77",
      {"José Núñez Soto", "9.876.543-3", "76.543.210-K", "Sur Limitada",
       "Comercio de artículos de ferretería", "Avenida O'Higgins 1234", "Talca", "71-2222222"}};
  for (const auto& f : filas) base->executesql(prjsumsal::sentenciaFila(d, f));
  base->executesql(prjsumsal::sentenciaCierre(d));
  return base;
}

QStringList paginasPdf(const QString& ruta) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), ruta, QStringLiteral("-")});
  p.waitForFinished(60000);
  QString texto = QString::fromUtf8(p.readAllStandardOutput());
  texto.replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "));
  QStringList paginas = texto.split(QLatin1Char('\f'));
  if (!paginas.isEmpty() && paginas.last().trimmed().isEmpty()) paginas.removeLast();
  return paginas;
}

}  // namespace suite::informes::prueba
