#include "informes/archivo_informe.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <cmath>
#include <optional>

#include "host/error.h"

namespace suite::informes {

namespace {

struct NombreCampo {
  const char* nombre;
  Campo campo;
};
constexpr NombreCampo kCampos[] = {
    {"cuenta", Campo::Cuenta},       {"nombre", Campo::Nombre}, {"debitos", Campo::Debitos},
    {"creditos", Campo::Creditos},   {"deudor", Campo::Deudor}, {"acreedor", Campo::Acreedor},
    {"activo", Campo::Activo},       {"pasivo", Campo::Pasivo}, {"perdidas", Campo::Perdidas},
    {"ganancias", Campo::Ganancias},
};

// The papers a report file may name, portrait width and height in millimetres.
struct NombrePapel {
  const char* nombre;
  QSizeF mm;
};
constexpr NombrePapel kPapeles[] = {{"A4", {210, 297}}, {"oficio", {216, 330}}};

// A report file is a few hundred bytes; a larger one than this is not one.
constexpr qint64 kTamanoMaximo = 1 << 20;

// Reading one file: the line being read, for the messages.
class Lector {
 public:
  Lector(const QString& nombre) : nombre_(nombre) {}

  [[noreturn]] void fallar(const QString& motivo) const {
    throw prjsumsal::Error(QStringLiteral("Archivo de informe %1, línea %2: %3")
                               .arg(nombre_)
                               .arg(linea_)
                               .arg(motivo)
                               .toStdString());
  }

  Diseno leer(const QString& texto) {
    Diseno d = disenoBase();
    d.columnas.clear();
    d.grupos.clear();
    bool version = false;
    QStringList lineas = texto.split(QLatin1Char('\n'));
    if (!lineas.isEmpty() && lineas.last().isEmpty()) lineas.removeLast();  // the final line end
    for (const QString& bruta : lineas) {
      ++linea_;
      const QString linea = sinComentario(bruta);
      if (linea.count(QLatin1Char('"')) % 2 != 0)
        fallar(QStringLiteral("faltan las comillas de cierre"));
      QStringList partes = QProcess::splitCommand(linea);
      if (partes.isEmpty()) continue;
      QString clave = partes.takeFirst();
      if (!version) {
        if (clave != QLatin1String("informe") || partes != QStringList{QStringLiteral("1")}) {
          fallar(QStringLiteral("se esperaba «informe 1» como primera línea"));
        }
        version = true;
        continue;
      }
      directiva(d, clave, partes);
    }
    if (!version) {
      ++linea_;
      fallar(QStringLiteral("el archivo está vacío"));
    }
    // A balance without columns would print headings and signatures with no account.
    if (d.columnas.empty()) fallar(QStringLiteral("el informe no tiene ninguna «columna»"));
    return d;
  }

 private:
  // A "#" that starts a word starts a comment; inside quotes it is text.
  static QString sinComentario(const QString& linea) {
    bool comillas = false;
    for (qsizetype i = 0; i < linea.size(); ++i) {
      QChar c = linea[i];
      if (c == QLatin1Char('"')) comillas = !comillas;
      if (c == QLatin1Char('#') && !comillas && (i == 0 || linea[i - 1].isSpace())) {
        return linea.left(i);
      }
    }
    return linea;
  }

  void cuenta(const QStringList& valores, qsizetype n, const QString& clave) const {
    if (valores.size() != n) {
      fallar(
          QStringLiteral("«%1» lleva %2 valor(es), no %3").arg(clave).arg(n).arg(valores.size()));
    }
  }

  bool siNo(const QString& v, const QString& clave) const {
    if (v == QLatin1String("si")) return true;
    if (v == QLatin1String("no")) return false;
    fallar(QStringLiteral("«%1» es si o no, no «%2»").arg(clave, v));
  }

  double numero(const QString& v, double minimo, double maximo) const {
    bool ok = false;
    double n = v.toDouble(&ok);
    if (!ok || !std::isfinite(n) || n < minimo || n > maximo) {
      fallar(QStringLiteral("«%1» no es un número entre %2 y %3").arg(v).arg(minimo).arg(maximo));
    }
    return n;
  }

  Campo campo(const QString& v) const {
    for (const NombreCampo& c : kCampos) {
      if (v == QLatin1String(c.nombre)) return c.campo;
    }
    fallar(QStringLiteral("no hay campo «%1»").arg(v));
  }

  int columnaDe(const Diseno& d, const QString& v) const {
    Campo c = campo(v);
    for (std::size_t i = 0; i < d.columnas.size(); ++i) {
      if (d.columnas[i].campo == c) return static_cast<int>(i);
    }
    fallar(QStringLiteral("el grupo nombra «%1», que no es una columna anterior").arg(v));
  }

  void directiva(Diseno& d, const QString& clave, const QStringList& v) {
    if (clave == QLatin1String("origen")) {
      cuenta(v, 1, clave);
      if (v[0] != QLatin1String("ctrsumsal")) {
        fallar(QStringLiteral("el origen de datos «%1» no existe; es ctrsumsal").arg(v[0]));
      }
    } else if (!directivaDePagina(d, clave, v) && !directivaDeContenido(d, clave, v) &&
               !directivaDeColumnas(d, clave, v)) {
      fallar(QStringLiteral("no se entiende «%1»").arg(clave));
    }
  }

  // The paper, its orientation and margins, and the type: false when `clave` is none of them.
  bool directivaDePagina(Diseno& d, const QString& clave, const QStringList& v) {
    if (clave == QLatin1String("papel")) {
      cuenta(v, 1, clave);
      std::optional<NombrePapel> papel;
      for (const NombrePapel& p : kPapeles) {
        if (v[0] == QLatin1String(p.nombre)) papel = p;
      }
      if (!papel) fallar(QStringLiteral("el papel es A4 u oficio, no «%1»").arg(v[0]));
      d.papel = QString::fromLatin1(papel->nombre);
      d.papelMm = papel->mm;
    } else if (clave == QLatin1String("orientacion")) {
      cuenta(v, 1, clave);
      if (v[0] == QLatin1String("vertical")) {
        d.orientacion = QPageLayout::Portrait;
      } else if (v[0] == QLatin1String("horizontal")) {
        d.orientacion = QPageLayout::Landscape;
      } else {
        fallar(QStringLiteral("la orientación es vertical u horizontal, no «%1»").arg(v[0]));
      }
    } else if (clave == QLatin1String("margenes")) {
      cuenta(v, 4, clave);
      d.margenesMm = {numero(v[0], 0, 60), numero(v[1], 0, 60), numero(v[2], 0, 60),
                      numero(v[3], 0, 60)};
    } else if (clave == QLatin1String("letra")) {
      cuenta(v, 2, clave);
      d.fuente = v[0];
      d.puntos = numero(v[1], 4, 14);
    } else {
      return false;
    }
    return true;
  }

  // The title, the heading and which of folios, signatures and closing rows the report has:
  // false when `clave` is none of them.
  bool directivaDeContenido(Diseno& d, const QString& clave, const QStringList& v) {
    if (clave == QLatin1String("titulo")) {
      cuenta(v, 1, clave);
      d.titulo = v[0];
    } else if (clave == QLatin1String("encabezado")) {
      cuenta(v, 1, clave);
      if (v[0] == QLatin1String("empresa")) {
        d.encabezadoEmpresa = true;
      } else if (v[0] == QLatin1String("simple")) {
        d.encabezadoEmpresa = false;
      } else {
        fallar(QStringLiteral("el encabezado es simple o empresa, no «%1»").arg(v[0]));
      }
    } else if (clave == QLatin1String("folio")) {
      cuenta(v, 1, clave);
      d.foliado = siNo(v[0], clave);
    } else if (clave == QLatin1String("firmas")) {
      cuenta(v, 1, clave);
      d.firmas = siNo(v[0], clave);
    } else if (clave == QLatin1String("cierre")) {
      cuenta(v, 1, clave);
      d.cierre = siNo(v[0], clave);
    } else {
      return false;
    }
    return true;
  }

  // A column or a group of columns under one caption: false when `clave` is neither.
  bool directivaDeColumnas(Diseno& d, const QString& clave, const QStringList& v) {
    if (clave == QLatin1String("columna")) {
      cuenta(v, 3, clave);
      d.columnas.push_back({campo(v[0]), v[1], numero(v[2], 0.1, 20)});
    } else if (clave == QLatin1String("grupo")) {
      cuenta(v, 3, clave);
      int primera = columnaDe(d, v[1]), ultima = columnaDe(d, v[2]);
      if (ultima < primera) fallar(QStringLiteral("el grupo termina antes de empezar"));
      d.grupos.push_back({v[0], primera, ultima});
    } else {
      return false;
    }
    return true;
  }

  QString nombre_;
  int linea_ = 0;
};

}  // namespace

Diseno leerDiseno(const QString& texto, const QString& nombre) {
  return Lector(nombre).leer(texto);
}

Diseno leerArchivoInforme(const QString& ruta) {
  auto falla = [&](const QString& motivo) {
    return prjsumsal::Error(
        QStringLiteral("Archivo de informe %1: %2").arg(ruta, motivo).toStdString());
  };
  const QFileInfo info(ruta);
  if (!info.exists()) {
    throw prjsumsal::Error("No existe el archivo de informe " + ruta.toStdString());
  }
  // A device or a pipe would block or never end; only a regular file of a sensible size is read.
  if (!info.isFile()) throw falla(QStringLiteral("no es un archivo común"));
  if (info.size() > kTamanoMaximo) throw falla(QStringLiteral("pasa de 1 MiB"));
  QFile archivo(ruta);
  if (!archivo.open(QIODevice::ReadOnly)) {
    throw prjsumsal::Error("No se puede leer el archivo de informe " + ruta.toStdString() + ": " +
                           archivo.errorString().toStdString());
  }
  // The file may have grown since it was measured.
  const QByteArray bytes = archivo.read(kTamanoMaximo + 1);
  if (bytes.size() > kTamanoMaximo) throw falla(QStringLiteral("pasa de 1 MiB"));
  QString texto = QString::fromUtf8(bytes);
  texto.remove(QLatin1Char('\r'));
  return leerDiseno(texto, ruta);
}

}  // namespace suite::informes
