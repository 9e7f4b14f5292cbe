#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "informes/instalar.h"

namespace suite::informes {
namespace {

QByteArray leer(const QString& ruta) {
  QFile f(ruta);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

void escribir(const QString& ruta, const QByteArray& texto) {
  QFile f(ruta);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(texto);
}

// The set-up writes the missing files whole, leaves the one a user changed, and renews a layout
// left as an earlier version shipped it (the headings without accents); the same with one byte
// changed is the user's and stays.
TEST(ArchivosInforme, InstalarRenuevaLoQueVinoYNoPisaLoCambiado) {
  QTemporaryDir dir;
  const QString propio = dir.filePath(QStringLiteral("ctrsumsal3.rpt"));
  escribir(propio, "informe 1\n# mío\n");
  QByteArray anterior = leer(QStringLiteral(NUBO_ARCHIVOS_INFORME "/ctrsumsal2.rpt"));
  anterior.replace("Débitos", "Debitos").replace("Créditos", "Creditos");
  anterior.replace("Pérdidas", "Perdidas");
  const QString viejo = dir.filePath(QStringLiteral("ctrsumsal2.rpt"));
  const QString cambiado = dir.filePath(QStringLiteral("ctrsumsal4.rpt"));
  escribir(viejo, anterior);
  escribir(cambiado, QByteArray(anterior).replace("horizontal", "vertical  "));

  EXPECT_EQ(instalarArchivosInforme(dir.path().toStdString()), 3);
  EXPECT_EQ(instalarArchivosInforme(dir.path().toStdString()), 0);
  EXPECT_EQ(leer(propio), QByteArray("informe 1\n# mío\n"));
  EXPECT_EQ(leer(dir.filePath(QStringLiteral("ctrsumsal5.rpt"))),
            leer(QStringLiteral(NUBO_ARCHIVOS_INFORME "/ctrsumsal5.rpt")));
  EXPECT_EQ(leer(viejo), leer(QStringLiteral(NUBO_ARCHIVOS_INFORME "/ctrsumsal2.rpt")));
  EXPECT_TRUE(leer(viejo).contains("Débitos"));
  EXPECT_TRUE(leer(cambiado).contains("Debitos"));
}

}  // namespace
}  // namespace suite::informes
