// RENDIDOR: the balance's two hand-over files in, the Balance Tributario as a PDF out. The
// module starts it without arguments from its own folder, where the files are; an installed
// one, started by hand, reads the user's module folder, where nubo leaves them.
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <csignal>
#include <iostream>
#include <optional>
#include <vector>

#include "avance/linea_terminal.h"
#include "documento.h"
#include "export/archivo_seguro.h"
#include "lector.h"
#include "mostrar.h"
#include "opciones.h"
#include "pdf.h"
#include "plataforma/carpeta_usuario.h"
#include "plataforma/disco_posix.h"

namespace {

constexpr char kPdf[] = "balance_tributario.pdf";

// Qt's own warnings (a missing runtime folder, font fallbacks) are not the user's business;
// RENDIDOR's messages are its own lines on standard error.
void sinAvisosDeQt(QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
  if (tipo == QtCriticalMsg || tipo == QtFatalMsg)
    std::cerr << "RENDIDOR: " << texto.toStdString() << '\n';
}

// The options of the command line, or the exit status when the run ends here: 2 after a
// usage error, 0 after the help.
std::optional<int> leer(suite::rendidor::Opciones& opciones) {
  using namespace suite::rendidor;
  try {
    opciones = leerOpciones(QCoreApplication::arguments());
  } catch (const ErrorUso& e) {
    std::cerr << "RENDIDOR: " << e.what() << " (RENDIDOR --help muestra el uso)\n";
    return 2;
  }
  if (!opciones.ayuda) return std::nullopt;
  std::cout << textoAyuda().toStdString();
  return 0;
}

// The folder of the hand-over files. Without --carpeta, the files are where nubo leaves them:
// beside the programs of a build, in the user's module folder for an installation.
QString carpetaDe(const suite::rendidor::Opciones& opciones) {
  if (!opciones.carpeta.isEmpty()) return opciones.carpeta;
  return QString::fromStdString(
      suite::plataforma::carpetaTrabajo(QCoreApplication::applicationDirPath().toStdString()).string());
}

// Reads the hand-over files in `carpeta` and saves the PDF at `salida`; on a terminal, a long
// balance shows how far it has got. Throws ErrorEntrada for a hand-over file that cannot be
// used, ErrorSalida for a PDF that could not be made or saved.
void rendir(const QString& carpeta, const QString& salida) {
  using namespace suite::rendidor;
  auto linea = suite::avance::LineaTerminal::enErrores();
  suite::avance::LineaTerminal::Alcance trabajo(linea.get());
  if (linea) linea->etapa("Leyendo los archivos");
  suite::informes::ModeloBalance modelo = leerModelo(carpeta);
  const QString& empresa = modelo.encabezado.empresa;
  Propiedades propiedades{
      QStringLiteral("Balance Tributario %1 %2").arg(empresa, modelo.encabezado.periodo), empresa,
      QStringLiteral("RENDIDOR, NUBO Contabilidad")};
  guardar(salida, [&](QIODevice& pdf) {
    generarPdf(diseno(), std::move(modelo), propiedades, pdf, linea.get());
  });
}

}  // namespace

int main(int argc, char** argv) {
  using namespace suite::rendidor;
  // The document is painted, never shown: no display is needed, even in a desktop session.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(sinAvisosDeQt);
  QGuiApplication aplicacion(argc, argv);
  suite::plataforma::prepararEscritura();

  Opciones opciones;
  if (std::optional<int> fin = leer(opciones)) return *fin;
  const QString carpeta = carpetaDe(opciones);
  const QString salida = opciones.salida.isEmpty() ? QDir(carpeta).filePath(kPdf) : opciones.salida;
  // The PDF replaces whatever file --salida names, however the path names it; never one of the
  // files it is made from.
  std::vector<prjsumsal::Protegido> entradas;
  for (const char* entrada : {kArchivoDatos, kArchivoEmpresa}) {
    entradas.emplace_back(QDir(carpeta).filePath(entrada).toStdString(),
                          std::string(entrada) + ", de donde sale el PDF");
  }
  if (std::string que = prjsumsal::protegido(salida.toStdString()); !que.empty()) {
    std::cerr << "RENDIDOR: --salida no puede ser " << que << '\n';
    return 2;
  }

  try {
    rendir(carpeta, salida);
  } catch (const std::exception& e) {
    // A hand-over file that cannot be used or a PDF that could not be made or saved: one line,
    // and no PDF.
    std::cerr << "RENDIDOR: " << e.what() << '\n';
    return 1;
  }
  // The path is for the user; standard output may be a pipe of the host that is long gone,
  // and writing to it must not end the program with a signal after the PDF is saved.
  std::signal(SIGPIPE, SIG_IGN);
  mostrar(salida, QProcessEnvironment::systemEnvironment(), std::cout);
  return 0;
}
