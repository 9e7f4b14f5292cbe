#include "opciones.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <map>

#include "demo/demo.h"
#include "export/libro_xlsx.h"

namespace suite::anfitrion {

using prjsumsal::Fecha;

namespace {

// The actions nubo knows, in the order the help lists them. An action with a file takes it as
// its value; the others are flags.
struct DefinicionAccion {
  const char* nombre;
  Accion::Tipo tipo;
  const char* archivo;  // the value's name in the help ("[...]" when optional), or nullptr
  const char* descripcion;
};

constexpr DefinicionAccion kAcciones[] = {
    {"--texto", Accion::Tipo::Texto, nullptr,
     "Imprime el balance de ocho columnas con sus sumas, resultado y totales"},
    {"--mayor", Accion::Tipo::Mayor, "CUENTA",
     "Imprime el libro mayor del período de CUENTA y de las cuentas cuyo código empieza por "
     "CUENTA: saldo inicial; cada movimiento con fecha, subsistema, documento, número, debe, "
     "haber y saldo; sumas y saldo final deudor o acreedor (repetible)"},
    {"--preparar", Accion::Tipo::Preparar, nullptr,
     "Prepara los datos del informe en la tabla de trabajo ctrsumsal"},
    {"--grabar-contador", Accion::Tipo::GrabarContador, nullptr,
     "Graba el contador (nombre, RUT y registro) en la base de contabilidad"},
    {"--excel", Accion::Tipo::Excel, "ARCHIVO",
     "Guarda el balance en ARCHIVO: libro XML Spreadsheet 2003, u Office Open XML si termina "
     "en .xlsx (\"Excel Balance\")"},
    {"--pdf", Accion::Tipo::Pdf, nullptr,
     "Escribe los archivos del PDF en la carpeta del módulo e inicia RENDIDOR (\"PDF\")"},
    {"--vista-previa", Accion::Tipo::VistaPrevia, "[ARCHIVO.pdf]",
     "Presentación preliminar del formato elegido: en ARCHIVO.pdf, o en una ventana"},
    {"--imprimir", Accion::Tipo::Imprimir, nullptr,
     "Imprime el formato elegido en --impresora (o la impresora predeterminada)"},
    {"--captura", Accion::Tipo::Captura, "ARCHIVO.png",
     "Dibuja la ventana del formulario (con --ver, la del visor), sin pantalla, en la imagen "
     "ARCHIVO.png"},
    {"--ver", Accion::Tipo::Ver, nullptr,
     "Abre el visor del balance: subtotales por nivel, búsqueda, del saldo de una cuenta a su "
     "libro mayor y a sus comprobantes; exporta lo que muestra a .xlsx o CSV (\"Ver balance\")"},
};

std::string entreComillas(const std::string& s) {
  return "«" + s + "»";
}

std::int16_t leerCodigo(const std::string& opcion, const std::string& texto) {
  int valor = 0;
  const char* fin = texto.data() + texto.size();
  auto [p, ec] = std::from_chars(texto.data(), fin, valor);
  if (texto.empty() || ec != std::errc() || p != fin ||
      valor < std::numeric_limits<std::int16_t>::min() ||
      valor > std::numeric_limits<std::int16_t>::max()) {
    throw ErrorUso(opcion + ": " + entreComillas(texto) +
                   " no es un número entero entre -32768 y 32767");
  }
  return static_cast<std::int16_t>(valor);
}

int leerFolio(const std::string& texto) {
  int valor = 0;
  const char* fin = texto.data() + texto.size();
  auto [p, ec] = std::from_chars(texto.data(), fin, valor);
  if (texto.empty() || ec != std::errc() || p != fin || valor < 1 || valor > 9999999) {
    throw ErrorUso("--folio: " + entreComillas(texto) + " no es un folio entre 1 y 9999999");
  }
  return valor;
}

Fecha leerFecha(const std::string& opcion, const std::string& texto) {
  auto f = Fecha::leer(texto);
  if (!f)
    throw ErrorUso(opcion + ": " + entreComillas(texto) + " no es una fecha dd/mm/aaaa válida");
  return *f;
}

// CLI11 reports in English; nubo's user reads one Spanish line. Its messages start with the
// option's name (and a colon, or without dashes for a flag given a value), which is all this
// takes from them.
ErrorUso traducir(const CLI::ParseError& e) {
  std::string texto = e.what();
  std::string opcion = texto.substr(0, texto.find(':'));
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&e)) {
    if (texto.find("missing") != std::string::npos) return ErrorUso("Falta el valor de " + opcion);
    if (texto.find("At Most") != std::string::npos)
      return ErrorUso(opcion + " se da más de una vez");
    if (texto.find("flag override") != std::string::npos)
      return ErrorUso("--" + texto.substr(0, texto.find(' ')) + " no lleva valor");
  }
  return ErrorUso("Línea de órdenes no válida: " + texto);
}

// The accounting database comes from a demo folder or from a file, never both. The report
// database is optional: without it the run makes its own.
void revisarBases(Opciones& o) {
  if (!o.demo.empty()) {
    if (!o.contabilidad.empty()) throw ErrorUso("--demo no se combina con --contabilidad");
    return;
  }
  if (o.contabilidad.empty()) throw ErrorUso("Indique --demo DIR o --contabilidad DB");
}

// Whether an action reads the work table `ctrsumsal`, which the form creates at load only when
// the permission asks for it.
// The picture of the window shows the window as a user gets it, buttons enabled alike.
bool leeTablaTrabajo(Accion::Tipo tipo) {
  return tipo == Accion::Tipo::Preparar || tipo == Accion::Tipo::VistaPrevia ||
         tipo == Accion::Tipo::Imprimir || tipo == Accion::Tipo::Captura;
}

// The values as typed, for the options whose text is checked and converted after parsing.
struct Textos {
  std::string empresa, usuario, alias, permiso;
  std::string desde, hasta, norma, formato, folio;
  std::string contador, rut, registro;
};

// Each action's option, with the action it stands for.
using OpcionesAccion = std::map<const CLI::Option*, const DefinicionAccion*>;

// The help option, and the help's headings in Spanish.
void declararAyuda(CLI::App& app) {
  app.set_help_flag("-h,--help", "Muestra esta ayuda y termina")->group("Ayuda");
  auto formato = app.get_formatter();
  formato->label("Usage", "Uso");
  formato->label("OPTIONS", "OPCIONES");
  formato->label("REQUIRED", "OBLIGATORIO");
  formato->column_width(26);
}

void declararValores(CLI::App& app, Opciones& o, Textos& t) {
  auto valor = [&](const char* nombre, std::string& destino, const char* tipo, const char* texto,
                   const char* grupo) {
    app.add_option(nombre, destino, texto)->type_name(tipo)->group(grupo);
  };

  const char* kBases = "Bases de datos";
  valor("--demo", o.demo, "DIR",
        "Crea (si falta) y usa la empresa de demostración en DIR o en postgresql://...", kBases);
  valor("--contabilidad", o.contabilidad, "DB",
        "Base de contabilidad (archivo SQLite, o servidor postgresql://...)", kBases);
  valor("--informes", o.informes, "DB",
        "Base de informes (SQLite o postgresql://...); sin ella, una propia de esta ejecución",
        kBases);
  app.add_flag("--no-esperar", o.noEsperar,
               "Si otra ejecución usa la base de informes, termina en vez de esperarla")
      ->group(kBases);

  const char* kContexto = "Contexto";
  valor("--empresa", t.empresa, "N", "Código de la empresa (1 por omisión)", kContexto);
  valor("--nombre-empresa", o.nombreEmpresa, "T", "Nombre de la empresa", kContexto);
  valor("--usuario", t.usuario, "N", "Código del usuario (1 por omisión)", kContexto);
  valor("--nombre-usuario", o.nombreUsuario, "T", "Nombre del usuario", kContexto);
  valor("--alias", t.alias, "N", "Alcance del usuario: 2 cuenta solo sus comprobantes", kContexto);
  valor("--programa", o.programa, "T", "Nombre del programa", kContexto);
  valor("--permiso", t.permiso, "T",
        "Permisos (4.º carácter vista previa, 5.º impresión y tabla de trabajo)", kContexto);
  valor("--impresora", o.impresora, "T",
        "Tipo de impresora, y cola de impresión de --imprimir (la predeterminada si falta)",
        kContexto);

  const char* kBalance = "Balance";
  valor("--desde", t.desde, "dd/mm/aaaa", "Inicio del período (el primero del mes de --hasta)",
        kBalance);
  valor("--hasta", t.hasta, "dd/mm/aaaa", "Fin del período (hoy por omisión)", kBalance);
  valor("--norma", t.norma, "1|2", "Libro: 1 tributario (por omisión), 2 IFRS", kBalance);
  valor("--formato", t.formato, "1-5", "Formato del informe (1 por omisión)", kBalance);
  valor("--folio", t.folio, "N", "Primer folio de los formatos foliados (1 por omisión)", kBalance);
  app.add_flag("--comparar", o.comparar,
               "Con --texto, --ver o --excel ARCHIVO.xlsx, columnas Cuenta, Nombre, saldo a "
               "--hasta, saldo al mismo día del año anterior y Diferencia (deudor positivo, "
               "acreedor negativo); al final el RESULTADO EJERCICIO de ambos años (utilidad "
               "positiva); con --ver, esas tres columnas tras las ocho")
      ->disable_flag_override()
      ->group(kBalance);

  const char* kContador = "Contador";
  valor("--contador", t.contador, "T", "Nombre del contador, escrito en el formulario", kContador);
  valor("--rut", t.rut, "T", "RUT del contador; se valida al dejar el campo", kContador);
  valor("--registro", t.registro, "T", "Registro del contador", kContador);
}

void declararAcciones(CLI::App& app, OpcionesAccion& acciones) {
  for (const auto& a : kAcciones) {
    CLI::Option* op;
    if (a.archivo) {
      op = app.add_option(a.nombre)
               ->description(a.descripcion)
               ->type_name(a.archivo)
               ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
      if (a.archivo[0] == '[') op->expected(0, 1);
    } else {
      op = app.add_flag(a.nombre)->description(a.descripcion)->disable_flag_override();
    }
    op->group("Acciones (se ejecutan en el orden dado)");
    acciones[op] = &a;
  }
}

// The command line nubo understands, in the groups the help shows: values go to `o` as they
// are, or to `t` to be checked; each action's option is listed in `acciones`.
void declarar(CLI::App& app, Opciones& o, Textos& t, OpcionesAccion& acciones) {
  app.allow_extras();
  declararAyuda(app);
  declararValores(app, o, t);
  declararAcciones(app, acciones);
}

// Parses the arguments; returns the help text when it was asked for. Raises ErrorUso for what
// CLI11 refuses, for words left over and for an option whose value is another option.
std::optional<std::string> analizar(CLI::App& app, int argc, const char* const* argv) {
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    return app.help();
  } catch (const CLI::ParseError& e) {
    throw traducir(e);
  }
  for (const auto& resto : app.remaining()) {
    if (resto.starts_with("-"))
      throw ErrorUso("Opción desconocida: " + resto + " (vea nubo --help)");
    throw ErrorUso("Argumento inesperado: " + entreComillas(resto));
  }
  // CLI11 takes the next word as an option's value even when it is another option
  // ("--demo --texto"); no value of nubo starts with "--".
  for (const CLI::Option* op : app.get_options()) {
    for (const auto& r : op->results()) {
      if (op->get_expected_min() > 0 && r.starts_with("--"))
        throw ErrorUso("Falta el valor de " + op->get_name());
    }
  }
  return std::nullopt;
}

// The actions in the order the command line gives them, each with its file.
std::vector<Accion> accionesDadas(const CLI::App& app, const OpcionesAccion& acciones) {
  std::vector<Accion> r;
  std::map<const CLI::Option*, std::size_t> usados;
  for (const CLI::Option* op : app.parse_order()) {
    auto a = acciones.find(op);
    if (a == acciones.end()) continue;
    std::string archivo;
    // An optional value given without one leaves an empty text, or no result at all.
    if (a->second->archivo) {
      std::size_t i = usados[op]++;
      if (i < op->results().size()) archivo = op->results()[i];
    }
    r.push_back({a->second->tipo, archivo});
  }
  return r;
}

// Checks the parsed options together and converts the typed values into `o`; raises ErrorUso
// for the first one that is wrong.
void revisar(const CLI::App& app, const Textos& t, Opciones& o, const Fecha& hoy) {
  revisarBases(o);
  bool comparable = false;
  auto pide = [&](Accion::Tipo t) {
    return std::any_of(o.acciones.begin(), o.acciones.end(),
                       [t](const Accion& a) { return a.tipo == t; });
  };
  const bool ver = pide(Accion::Tipo::Ver), captura = pide(Accion::Tipo::Captura);
  for (const Accion& a : o.acciones) {
    if (a.tipo == Accion::Tipo::Captura && o.acciones.size() > 1 && !ver)
      throw ErrorUso("--captura no se combina con otras acciones, salvo --ver");
    if (a.tipo == Accion::Tipo::Ver && o.acciones.size() > 1 && (!captura || o.acciones.size() > 2))
      throw ErrorUso("--ver no se combina con otras acciones, salvo --captura");
    if (a.tipo == Accion::Tipo::Mayor && a.argumento.empty())
      throw ErrorUso("--mayor: falta el código de la cuenta");
    // The 2003 workbook keeps its columns: a comparison asked of it would silently be missing.
    if (o.comparar && a.tipo == Accion::Tipo::Excel && !prjsumsal::esRutaXlsx(a.argumento))
      throw ErrorUso(
          "--comparar: el libro XML Spreadsheet 2003 no lleva la comparación; use "
          "--excel ARCHIVO.xlsx");
    comparable = comparable || a.tipo == Accion::Tipo::Texto || a.tipo == Accion::Tipo::Excel;
  }
  if (o.comparar && !comparable && !ver)
    throw ErrorUso("--comparar se usa con --texto, --excel o --ver");
  auto dado = [&](const char* nombre) { return app.get_option(nombre)->count() > 0; };
  if (dado("--empresa")) o.empresa = leerCodigo("--empresa", t.empresa);
  if (dado("--usuario")) o.usuario = leerCodigo("--usuario", t.usuario);
  if (dado("--alias")) o.alias = leerCodigo("--alias", t.alias);
  if (dado("--norma")) {
    if (t.norma != "1" && t.norma != "2")
      throw ErrorUso("--norma: " + entreComillas(t.norma) + " no es 1 (tributaria) ni 2 (IFRS)");
    o.norma = t.norma == "1" ? 1 : 2;
  }
  if (dado("--formato")) {
    if (t.formato.size() != 1 || t.formato[0] < '1' || t.formato[0] > '5')
      throw ErrorUso("--formato: " + entreComillas(t.formato) + " no es un formato de 1 a 5");
    o.formato = t.formato[0] - '0';
  }
  if (dado("--folio")) o.folio = leerFolio(t.folio);
  // Without --permiso the work table is made only for the actions that read it (and for the
  // window, where the user may ask for a preview), so other runs never touch it.
  if (dado("--permiso")) {
    o.permiso = t.permiso;
  } else {
    bool tabla = o.acciones.empty();
    for (const Accion& a : o.acciones) tabla = tabla || leeTablaTrabajo(a.tipo);
    o.permiso = tabla ? "11111" : "11110";
  }
  if (dado("--contador")) o.contador = t.contador;
  if (dado("--rut")) o.rut = t.rut;
  if (dado("--registro")) o.registro = t.registro;
  o.hasta = dado("--hasta") ? leerFecha("--hasta", t.hasta) : hoy;
  o.desde = dado("--desde") ? leerFecha("--desde", t.desde) : Fecha{o.hasta.anio, o.hasta.mes, 1};
  if (o.hasta < o.desde) {
    throw ErrorUso("--desde " + o.desde.texto() + " es posterior a --hasta " + o.hasta.texto());
  }
  if (!o.demo.empty()) {
    if (o.nombreEmpresa.empty()) o.nombreEmpresa = demo::kDemoNombreEmpresa;
    if (o.nombreUsuario.empty()) o.nombreUsuario = demo::kDemoNombreUsuario;
  }
}

// Whether a workbook's name ends in ".xls", in any case.
bool nombreXls(const std::string& nombre) {
  std::string fin = nombre.size() < 4 ? nombre : nombre.substr(nombre.size() - 4);
  for (char& c : fin) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return fin == ".xls";
}

}  // namespace

Lectura leerOpciones(int argc, const char* const* argv, const Fecha& hoy) {
  CLI::App app{"Balance de Tributario de ocho columnas", "nubo"};
  Opciones o;
  Textos t;
  OpcionesAccion acciones;
  declarar(app, o, t, acciones);
  if (auto ayuda = analizar(app, argc, argv)) return {o, ayuda};
  o.acciones = accionesDadas(app, acciones);
  revisar(app, t, o, hoy);
  return {o, std::nullopt};
}

std::vector<std::string> avisos(const Opciones& o) {
  std::vector<std::string> r;
  for (const Accion& a : o.acciones) {
    if (a.tipo == Accion::Tipo::Excel && a.argumento != "-" &&
        !prjsumsal::esRutaXlsx(a.argumento) && !nombreXls(a.argumento)) {
      r.push_back("--excel " + a.argumento +
                  ": se escribe un libro XML Spreadsheet 2003, que se abre como .xls; el nombre "
                  "no termina en .xls (ni en .xlsx, que da un libro Office Open XML)");
    }
  }
  Fecha enero{o.hasta.anio, 1, 1};
  if (o.desde < enero) {
    r.push_back("--desde " + o.desde.texto() + " es anterior al " + enero.texto() +
                ": las columnas del período cuentan solo desde el " + enero.texto() +
                ", el año de --hasta");
  }
  return r;
}

}  // namespace suite::anfitrion
