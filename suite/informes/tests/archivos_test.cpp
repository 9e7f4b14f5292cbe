#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "informes/instalar.h"

namespace suite::informes {
namespace {

// The set-up writes the missing files whole and leaves the one a user changed.
TEST(ArchivosInforme, InstalarNoPisaLoCambiado) {
  QTemporaryDir dir;
  auto leer = [](const QString& ruta) {
    QFile f(ruta);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  };
  QFile propio(dir.filePath(QStringLiteral("ctrsumsal3.rpt")));
  ASSERT_TRUE(propio.open(QIODevice::WriteOnly));
  propio.write("informe 1\n# mío\n");
  propio.close();
  EXPECT_EQ(instalarArchivosInforme(dir.path().toStdString()), 4);
  EXPECT_EQ(instalarArchivosInforme(dir.path().toStdString()), 0);
  EXPECT_EQ(leer(propio.fileName()), QByteArray("informe 1\n# mío\n"));
  EXPECT_EQ(leer(dir.filePath(QStringLiteral("ctrsumsal5.rpt"))),
            leer(QStringLiteral(NUBO_ARCHIVOS_INFORME "/ctrsumsal5.rpt")));
}

// A layout left as an earlier version shipped it (the headings without accents) gives way to
// the current one; the same with one byte changed is the user's and stays.
TEST(ArchivosInforme, InstalarRenuevaLoQueVinoAntesSinCambios) {
  QTemporaryDir dir;
  auto leer = [](const QString& ruta) {
    QFile f(ruta);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  };
  auto escribir = [](const QString& ruta, const QByteArray& texto) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(texto);
  };
  QByteArray anterior = leer(QStringLiteral(NUBO_ARCHIVOS_INFORME "/ctrsumsal2.rpt"));
  anterior.replace("Débitos", "Debitos").replace("Créditos", "Creditos");
  anterior.replace("Pérdidas", "Perdidas");
  const QString viejo = dir.filePath(QStringLiteral("ctrsumsal2.rpt"));
  const QString cambiado = dir.filePath(QStringLiteral("ctrsumsal4.rpt"));
  escribir(viejo, anterior);
  escribir(cambiado, QByteArray(anterior).replace("horizontal", "vertical  "));
  EXPECT_EQ(instalarArchivosInforme(dir.path().toStdString()), 4);
  EXPECT_EQ(leer(viejo), leer(QStringLiteral(NUBO_ARCHIVOS_INFORME "/ctrsumsal2.rpt")));
  EXPECT_TRUE(leer(viejo).contains("Débitos"));
  EXPECT_TRUE(leer(cambiado).contains("Debitos"));
}

}  // namespace
}  // namespace suite::informes
