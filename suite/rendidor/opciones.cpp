#include "opciones.h"

#include <QCommandLineParser>

namespace suite::rendidor {

namespace {

const QCommandLineOption kCarpeta(QStringLiteral("carpeta"), QString(), QStringLiteral("CARPETA"));
const QCommandLineOption kSalida(QStringLiteral("salida"), QString(), QStringLiteral("ARCHIVO"));
const QCommandLineOption kAyuda(QStringList{QStringLiteral("h"), QStringLiteral("help")});

}  // namespace

Opciones leerOpciones(const QStringList& argumentos) {
  QCommandLineParser p;
  p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  p.addOptions({kCarpeta, kSalida, kAyuda});
  // QCommandLineParser words its errors in English; the user gets one Spanish line.
  if (!p.parse(argumentos)) {
    if (!p.unknownOptionNames().isEmpty())
      throw ErrorUso("opción desconocida: --" + p.unknownOptionNames().first().toStdString());
    for (const QCommandLineOption* o : {&kCarpeta, &kSalida}) {
      if (p.errorText().contains(o->names().first()))
        throw ErrorUso("falta el valor de --" + o->names().first().toStdString());
    }
    throw ErrorUso("línea de órdenes no válida: " + p.errorText().toStdString());
  }
  if (!p.positionalArguments().isEmpty())
    throw ErrorUso("argumento de más: " + p.positionalArguments().first().toStdString());
  for (const QCommandLineOption* o : {&kCarpeta, &kSalida}) {
    if (p.values(*o).size() > 1)
      throw ErrorUso("--" + o->names().first().toStdString() + " se da más de una vez");
    if (p.isSet(*o) && p.value(*o).isEmpty())
      throw ErrorUso("falta el valor de --" + o->names().first().toStdString());
  }
  return {p.value(kCarpeta), p.value(kSalida), p.isSet(kAyuda)};
}

QString textoAyuda() {
  return QStringLiteral(
      "Uso: RENDIDOR [--carpeta CARPETA] [--salida ARCHIVO]\n"
      "Convierte balance_tributario_datos.xml y balance_tributario_empresa.xml en el PDF del\n"
      "Balance Tributario, listo para firmar, y lo abre cuando hay escritorio.\n\n"
      "  --carpeta CARPETA  lee los dos archivos en CARPETA (por omisión, donde los deja\n"
      "                     nubo --pdf: instalado, ~/.local/share/nubo/modulo)\n"
      "  --salida ARCHIVO   escribe el PDF en ARCHIVO (por omisión, balance_tributario.pdf\n"
      "                     junto a los dos archivos)\n"
      "  -h, --help         muestra esta ayuda\n");
}

}  // namespace suite::rendidor
