#include "lector.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <bitset>
#include <cerrno>
#include <cstring>
#include <string>

#include "error_entrada.h"
#include "fuente_xml.h"
#include "importe.h"
#include "motivo.h"

namespace suite::rendidor {

using prjsumsal::FilaBalance;

namespace {

// A value quoted in a message, cut so that one bad value cannot flood the terminal.
QString citar(const QString& valor) {
  constexpr qsizetype kCita = 40;
  return "«" + (valor.size() > kCita ? valor.first(kCita) + "…" : valor) + "»";
}

// Opens the root element, which must be <tabla>.
void abrirTabla(FuenteXml& f) {
  if (!f.siguienteElemento()) f.fallar(QStringLiteral("el archivo no tiene elementos"));
  if (f.nombre() != u"tabla")
    f.fallar(QStringLiteral("se esperaba <tabla> y hay %1").arg(etiqueta(f.nombre())));
}

// Moves to the next <fila> of <tabla>; false at </tabla>.
bool siguienteFila(FuenteXml& f) {
  if (!f.siguienteElemento()) return false;
  if (f.nombre() != u"fila")
    f.fallar(QStringLiteral("se esperaba <fila> y hay %1").arg(etiqueta(f.nombre())));
  return true;
}

// The elements of one <fila>, each at most once. `campos` lists the names; each element read is
// handed to `leer` with its index in `campos`, and the ones missing at </fila> are reported at
// the line where the row starts.
template <std::size_t N, typename Leer>
void leerFila(FuenteXml& f, const char* const (&campos)[N], std::size_t obligatorios, Leer leer) {
  const qint64 inicio = f.linea();
  std::bitset<N> vistos;
  while (f.siguienteElemento()) {
    std::size_t i = 0;
    while (i < N && f.nombre() != QLatin1StringView(campos[i])) ++i;
    if (i == N) {
      f.saltar();
      continue;
    }
    if (vistos[i])
      f.fallar(QStringLiteral("%1 está dos veces en la fila").arg(etiqueta(f.nombre())));
    vistos[i] = true;
    leer(i, f.texto(kValorMaximo));
  }
  for (std::size_t i = 0; i < obligatorios; ++i) {
    if (!vistos[i])
      f.fallar(inicio, QStringLiteral("a la fila que empieza aquí le falta <%1>")
                           .arg(QLatin1StringView(campos[i])));
  }
}

constexpr const char* kCamposEncabezado[] = {
    "empresa",           "nombre_empresa", "usuario_nombre",  "fecha",
    "fecha_desde",       "fecha_hasta",    "rut_contador",    "nombre_contador",
    "registro_contador", "rut_rep_legal",  "nombre_rep_legal"};
constexpr QString Encabezado::*kDestinosEncabezado[] = {
    &Encabezado::empresa,       &Encabezado::nombre_empresa,  &Encabezado::usuario_nombre,
    &Encabezado::fecha,         &Encabezado::fecha_desde,     &Encabezado::fecha_hasta,
    &Encabezado::rut_contador,  &Encabezado::nombre_contador, &Encabezado::registro_contador,
    &Encabezado::rut_rep_legal, &Encabezado::nombre_rep_legal};

// The elements of an account's <fila>: three texts, the eight amounts, then the two that only
// tell which export wrote the row.
constexpr const char* kCamposDatos[] = {
    "centro",   "n_centro",  "g_cuenta", "debe",      "haber",   "debe_act", "haber_act",
    "varDebe5", "varHaber6", "varDebe7", "varHaber8", "empresa", "fecha"};
constexpr std::size_t kTextos = 3, kObligatoriosDatos = 11;
constexpr std::string FilaBalance::*kTextosDatos[kTextos] = {
    &FilaBalance::centro, &FilaBalance::n_centro, &FilaBalance::g_cuenta};
constexpr double FilaBalance::*kImportesDatos[8] = {
    &FilaBalance::debe,      &FilaBalance::haber,    &FilaBalance::debe_act,
    &FilaBalance::haber_act, &FilaBalance::varDebe5, &FilaBalance::varHaber6,
    &FilaBalance::varDebe7,  &FilaBalance::varHaber8};

}  // namespace

Encabezado leerEncabezado(QIODevice& dispositivo, const QString& archivo) {
  FuenteXml f(dispositivo, archivo);
  abrirTabla(f);
  if (!siguienteFila(f)) f.fallar(QStringLiteral("<tabla> no tiene ninguna <fila>"));
  Encabezado e;
  leerFila(f, kCamposEncabezado, std::size(kCamposEncabezado),
           [&](std::size_t i, QString valor) { e.*kDestinosEncabezado[i] = std::move(valor); });
  if (siguienteFila(f)) f.fallar(QStringLiteral("el encabezado tiene más de una <fila>"));
  f.terminar();
  return e;
}

void leerDatos(QIODevice& dispositivo, const QString& archivo, const Encabezado& encabezado,
               const Agregar& agregar) {
  const QString periodo = encabezado.fecha_desde + " - " + encabezado.fecha_hasta;
  FuenteXml f(dispositivo, archivo);
  abrirTabla(f);
  while (siguienteFila(f)) {
    FilaBalance fila;
    leerFila(f, kCamposDatos, kObligatoriosDatos, [&](std::size_t i, const QString& valor) {
      // The element's name is made only for a message, not for every value of every row.
      auto nombre = [&] { return etiqueta(QString::fromLatin1(kCamposDatos[i])); };
      if (i < kTextos) {
        fila.*kTextosDatos[i] = valor.toStdString();
      } else if (i < kObligatoriosDatos) {
        Importe importe = leerImporte(valor);
        if (importe.lectura == Lectura::NoNumero)
          f.fallar(QStringLiteral("%1 no es un número: %2").arg(nombre(), citar(valor)));
        if (importe.lectura == Lectura::FueraDeRango)
          f.fallar(QStringLiteral("%1 está fuera de rango: %2").arg(nombre(), citar(valor)));
        fila.*kImportesDatos[i - kTextos] = importe.valor;
      } else {
        const QString& esperado = i == kObligatoriosDatos ? encabezado.empresa : periodo;
        if (valor.trimmed() != esperado.trimmed())
          f.fallar(QStringLiteral("la fila es de otra exportación: su %1 es %2 y en %3 es %4")
                       .arg(nombre(), citar(valor), QLatin1StringView(kArchivoEmpresa),
                            citar(esperado)));
      }
    });
    agregar(std::move(fila));
  }
  f.terminar();
}

namespace {

// Opens `ruta` for reading, or raises naming it and saying why it cannot. Only a regular file
// is read: it is opened without blocking and looked at before any read, so a pipe or a device
// put in its place is refused at once instead of waiting for ever.
void abrir(QFile& archivo, const QString& ruta) {
  if (!QFileInfo::exists(ruta)) throw ErrorEntrada(ruta, 0, QStringLiteral("el archivo no existe"));
  if (QFileInfo(ruta).isDir())
    throw ErrorEntrada(ruta, 0, QStringLiteral("es una carpeta, no un archivo"));
  if (!QFileInfo(ruta).isReadable())
    throw ErrorEntrada(ruta, 0, QStringLiteral("no hay permiso para leerlo"));
  int fd = ::open(QFile::encodeName(ruta).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    throw ErrorEntrada(
        ruta, 0,
        QStringLiteral("no se puede abrir: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
  }
  struct stat datos {};
  if (::fstat(fd, &datos) != 0 || !S_ISREG(datos.st_mode)) {
    ::close(fd);
    throw ErrorEntrada(ruta, 0, QStringLiteral("no es un archivo común"));
  }
  if (!archivo.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    throw ErrorEntrada(ruta, 0, QStringLiteral("no se puede abrir: %1").arg(motivo(archivo)));
  }
}

}  // namespace

Encabezado leerEntrega(const QString& carpeta, const Agregar& agregar) {
  const QDir dir(carpeta);
  if (!dir.exists())
    throw ErrorEntrada(QDir::toNativeSeparators(carpeta), 0,
                       QStringLiteral("la carpeta no existe"));
  const QString rutaEmpresa = QDir::toNativeSeparators(dir.filePath(kArchivoEmpresa));
  const QString rutaDatos = QDir::toNativeSeparators(dir.filePath(kArchivoDatos));
  QFile empresa, datos;
  abrir(empresa, rutaEmpresa);
  abrir(datos, rutaDatos);
  Encabezado e = leerEncabezado(empresa, rutaEmpresa);
  leerDatos(datos, rutaDatos, e, agregar);
  return e;
}

}  // namespace suite::rendidor
