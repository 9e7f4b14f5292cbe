// Every input of the fuzzing corpus, the seeds and any input that once crashed the reader, read
// as both files: each is read or refused with ErrorEntrada, never anything else.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>

#include "error_entrada.h"
#include "lector.h"

namespace rendidor {
namespace {

TEST(Corpus, CadaEntradaSeLeeOSeRechaza) {
  const QDir corpus(RENDIDOR_CORPUS);
  Encabezado encabezado;
  encabezado.empresa = "1";
  encabezado.fecha_desde = "01/01/2026";
  encabezado.fecha_hasta = "31/03/2026";
  int leidas = 0;
  for (const QString& nombre : corpus.entryList(QDir::Files)) {
    QFile archivo(corpus.filePath(nombre));
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly)) << nombre.toStdString();
    QByteArray bytes = archivo.readAll().mid(1);  // the first byte is the fuzzer's piece size
    for (bool datos : {false, true}) {
      QBuffer b(&bytes);
      b.open(QIODevice::ReadOnly);
      try {
        if (datos) leerDatos(b, nombre, encabezado, [](prjsumsal::FilaBalance&&) {});
        if (!datos) leerEncabezado(b, nombre);
        leidas += datos;
      } catch (const ErrorEntrada&) {
      }
    }
  }
  EXPECT_GT(leidas, 0);  // the seeds of a whole data file are read
}

}  // namespace
}  // namespace rendidor
