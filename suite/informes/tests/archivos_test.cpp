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

}  // namespace
}  // namespace suite::informes
