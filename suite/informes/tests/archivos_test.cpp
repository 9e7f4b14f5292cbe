#include <gtest/gtest.h>

#include <QFile>
#include <QRectF>
#include <filesystem>
#include <fstream>

#include "ayuda_informes.h"
#include "informes/archivo_informe.h"
#include "informes/instalar.h"

namespace suite::informes {
namespace {

// The five shipped layouts, as the option buttons name them.
TEST(ArchivosInforme, LosCincoFormatos) {
  struct Caso {
    const char* archivo;
    QPageLayout::Orientation orientacion;
    const char* papel;
    bool foliado, empresa;
  };
  const Caso casos[] = {
      {"ctrsumsal.rpt", QPageLayout::Landscape, "A4", false, false},
      {"ctrsumsal2.rpt", QPageLayout::Landscape, "oficio", true, false},
      {"ctrsumsal3.rpt", QPageLayout::Portrait, "A4", false, false},
      {"ctrsumsal4.rpt", QPageLayout::Portrait, "oficio", true, false},
      {"ctrsumsal5.rpt", QPageLayout::Portrait, "A4", false, true},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.archivo);
    Diseno d =
        leerArchivoInforme(QStringLiteral(NUBO_ARCHIVOS_INFORME "/") + QLatin1String(c.archivo));
    EXPECT_EQ(d.orientacion, c.orientacion);
    EXPECT_EQ(d.papel, QLatin1String(c.papel));
    EXPECT_EQ(d.foliado, c.foliado);
    EXPECT_EQ(d.firmas, c.foliado);
    EXPECT_EQ(d.encabezadoEmpresa, c.empresa);
    EXPECT_TRUE(d.cierre);
    ASSERT_EQ(d.columnas.size(), 10u);
    ASSERT_EQ(d.grupos.size(), 4u);
    EXPECT_EQ(d.grupos[3].titulo, QLatin1String("Resultados"));
    EXPECT_EQ(d.grupos[3].primera, 8);
    EXPECT_EQ(d.grupos[3].ultima, 9);
    QSizeF mm = disposicion(d).fullRect(QPageLayout::Millimeter).size();
    QSizeF esperado =
        QLatin1String(c.papel) == QLatin1String("A4") ? QSizeF(210, 297) : QSizeF(216, 330);
    if (c.orientacion == QPageLayout::Landscape) esperado.transpose();
    EXPECT_NEAR(mm.width(), esperado.width(), 0.5);
    EXPECT_NEAR(mm.height(), esperado.height(), 0.5);
  }
}

// A quoted "#" is text, not a comment; a value list of the wrong length names its line.
TEST(ArchivosInforme, ComillasYComentarios) {
  Diseno d = leerDiseno(QStringLiteral("informe 1  # versión\ntitulo \"N.º # 1\"  # el título\n"),
                        QStringLiteral("t.rpt"));
  EXPECT_EQ(d.titulo, QStringLiteral("N.º # 1"));
  EXPECT_THROW(leerDiseno(QStringLiteral("informe 1\nmargenes 1 2 3\n"), QStringLiteral("t.rpt")),
               std::exception);
}

// The set-up writes the missing files and leaves the ones a user changed.
TEST(ArchivosInforme, InstalarNoPisaLoCambiado) {
  prueba::Carpeta carpeta;
  std::filesystem::path dir = carpeta.camino();
  {
    std::ofstream propio(dir / "ctrsumsal3.rpt");
    propio << "informe 1\n# mío\n";
  }
  EXPECT_EQ(instalarArchivosInforme(dir), 4);
  EXPECT_EQ(instalarArchivosInforme(dir), 0);
  std::ifstream propio(dir / "ctrsumsal3.rpt");
  std::string texto((std::istreambuf_iterator<char>(propio)), {});
  EXPECT_EQ(texto, "informe 1\n# mío\n");
  QFile enviado(QString::fromStdString((dir / "ctrsumsal5.rpt").string()));
  ASSERT_TRUE(enviado.open(QIODevice::ReadOnly));
  QFile original(QStringLiteral(NUBO_ARCHIVOS_INFORME "/ctrsumsal5.rpt"));
  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  EXPECT_EQ(enviado.readAll(), original.readAll());
}

}  // namespace
}  // namespace suite::informes
