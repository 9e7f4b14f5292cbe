// Preview and print seen from outside nubo, through the report control's buttons, the report
// engine, the report files placed in the demo's folder, and a real CUPS scheduler.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <regex>
#include <thread>

#include "ayuda_pruebas.h"

namespace suite::anfitrion {
namespace {

namespace fs = std::filesystem;
using prueba::correrNubo;
using prueba::leer;

// What a reader sees in a PDF, every run of blanks made one.
std::string textoPdf(const fs::path& pdf) {
  int estado =
      std::system(("pdftotext -layout '" + pdf.string() + "' '" + pdf.string() + ".txt'").c_str());
  EXPECT_EQ(estado, 0) << pdf;
  return std::regex_replace(leer(pdf.string() + ".txt"), std::regex("[ \\t]+"), " ");
}

// A closing row of the workbook as the report prints it: its label, then the figures of its
// cells that are not blank, grouped by thousands with ".".
std::string cierreDelLibro(const std::string& libro, const std::string& etiqueta) {
  std::string fila = libro.substr(libro.find(">" + etiqueta + "<"));
  fila = fila.substr(0, fila.find("</Row>"));
  std::regex numero("Type='Number'>(-?)(\\d+)<");
  std::string r = etiqueta;
  for (std::sregex_iterator i(fila.begin(), fila.end(), numero), fin; i != fin; ++i) {
    std::string d = (*i)[2];
    for (int p = static_cast<int>(d.size()) - 3; p > 0; p -= 3) d.insert(p, ".");
    r += " " + (*i)[1].str() + d;
  }
  return r;
}

// A scheduler of the test's own: configuration, spool and socket in a temporary folder, a queue
// "balance" whose backend copies each job to the file `impreso`. As root the backend runs as lp,
// hence the open folders. Stopped and removed when the test ends, also on failure.
struct CupsPrivado {
  prueba::Carpeta carpeta;
  fs::path dir = carpeta.ruta(), impreso = dir / "salida/impreso";
  pid_t pid = -1;

  CupsPrivado() {
    fs::permissions(dir, fs::perms::all);
    for (const char* d : {"spool", "tmp", "salida", "bin/backend"}) fs::create_directories(dir / d);
    for (const char* d : {"tmp", "salida"}) fs::permissions(dir / d, fs::perms::all);
    for (const auto& e : fs::directory_iterator("/usr/lib/cups")) {
      if (e.path().filename() != "backend")
        fs::create_symlink(e.path(), dir / "bin" / e.path().filename());
    }
    // A file that cannot be written is the backend's failure (1, with the printer's message), not
    // a request for a password.
    std::ofstream(dir / "bin/backend/archivo")
        << "#!/bin/sh\n[ $# -eq 0 ] && exit 0\numask 022\n"
           "cat \"${6:-/dev/stdin}\" > \"${DEVICE_URI#archivo:}\" && exit 0\n"
           "echo 'ERROR: Sin conexión con la impresora' >&2\nexit 1\n";
    fs::permissions(dir / "bin/backend/archivo",
                    fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec |
                        fs::perms::others_read | fs::perms::group_read);
    std::string d = dir.string();
    std::ofstream(dir / "cupsd.conf")
        << "Listen " << d << "/sock\nBrowsing No\nWebInterface No\n"
        << "DefaultAuthType None\n<Location />\nAllow all\n</Location>\n";
    std::ofstream(dir / "cups-files.conf")
        << "ServerRoot " << d << "\nRequestRoot " << d << "/spool\nTempDir " << d
        << "/tmp\nCacheDir " << d << "\nStateDir " << d << "\nServerBin " << d << "/bin\nErrorLog "
        << d << "/log\n"
        << "AccessLog " << d << "/log\nPageLog " << d
        << "/log\nFileDevice Yes\nSandboxing Relaxed\n"
        << (::geteuid() == 0 ? "SystemGroup root\n" : "");
    if ((pid = ::fork()) == 0) {
      ::execl("/usr/sbin/cupsd", "cupsd", "-f", "-c", (d + "/cupsd.conf").c_str(), "-s",
              (d + "/cups-files.conf").c_str(), nullptr);
      ::_exit(127);
    }
    ::setenv("CUPS_SERVER", (d + "/sock").c_str(), 1);
    for (int i = 0; i < 200 && !cola("balance", impreso); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  ~CupsPrivado() {
    ::unsetenv("CUPS_SERVER");
    detener();
  }
  // Adds the queue `nombre`, enabled and accepting jobs, that prints into the file `destino`.
  bool cola(const std::string& nombre, const fs::path& destino, const std::string& mas = "") {
    return std::system(("lpadmin -p " + nombre + " -E -v archivo:" + destino.string() + " " + mas +
                        " 2>/dev/null")
                           .c_str()) == 0;
  }
  void detener() {
    if (pid > 0) ::kill(pid, SIGTERM);
    if (pid > 0) ::waitpid(pid, nullptr, 0);
    pid = -1;
  }
  // Waits, a minute at most, for the queue to empty with the printed file written.
  std::string impresion() {
    for (int i = 0; i < 600 && (leer(impreso).empty() || std::system("lpstat -o | grep -q .") == 0);
         ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return textoPdf(impreso);
  }
};

// The preview of a folio layout and the print on a CUPS queue carry the workbook's closing rows
// of the same run; the folios start at the one given; a queue that does not exist is a message.
TEST(Impresion, VistaPreviaEImpresionConLasCifrasDelLibro) {
  prueba::Carpeta carpeta;
  fs::path demo = carpeta.ruta() / "demo", libro = carpeta.ruta() / "b.xls",
           pdf = carpeta.ruta() / "v.pdf";
  std::vector<std::string> base = {"--demo",     demo.string(), "--desde",
                                   "01/01/2026", "--hasta",     "30/06/2026"};
  auto con = [&](std::vector<std::string> mas) {
    mas.insert(mas.begin(), base.begin(), base.end());
    return correrNubo(mas);
  };
  ASSERT_EQ(con({"--excel", libro.string()}).estado, 0);
  auto vista = con({"--formato", "4", "--folio", "120", "--vista-previa", pdf.string()});
  EXPECT_EQ(vista.errores, "");
  CupsPrivado cups;
  auto impresion = con({"--formato", "2", "--imprimir", "--impresora", "balance"});
  EXPECT_EQ(impresion.errores, "");
  std::string textos[] = {textoPdf(pdf), cups.impresion()};
  for (const char* fila : {"SUMAS", "RESULTADO EJERCICIO", "TOTALES"}) {
    std::string esperada = cierreDelLibro(leer(libro), fila);
    for (const auto& t : textos) EXPECT_NE(t.find(esperada), std::string::npos) << esperada;
  }
  EXPECT_NE(textos[0].find("Folio 120"), std::string::npos);
  EXPECT_EQ(con({"--folio", "0", "--imprimir"}).estado, 2);
  EXPECT_EQ(con({"--imprimir", "--impresora", "otra"}).errores,
            "Mensaje: No existe la impresora otra\n");
}

// A queue that refuses the job, before or after it is sent, and a scheduler that is not
// running: status 1 and one line with the printer's own reason, or the scheduler named. A
// stopped queue is no failure: a warning says the job waits there.
TEST(Impresion, UnaColaQueRechazaOUnServidorDetenidoEsUnFallo) {
  prueba::Carpeta carpeta;
  std::string demo = carpeta.ruta() / "demo";
  ASSERT_EQ(correrNubo({"--demo", demo, "--texto"}).estado, 0);
  CupsPrivado cups;
  ASSERT_TRUE(cups.cola("rechaza", cups.dir / "salida/r"));
  ASSERT_EQ(std::system("cupsreject -r 'Sin papel en la bandeja 2' rechaza"), 0);
  ASSERT_TRUE(cups.cola("rota", "/no/existe/impreso", "-o printer-error-policy=abort-job"));
  auto imprimir = [&](const char* cola) {
    return correrNubo({"--demo", demo, "--imprimir", "--impresora", cola});
  };
  const struct {
    const char* cola;
    std::string mensaje;  // the whole line, as a regular expression
    bool detenido;
  } casos[] = {
      {"rechaza", "Mensaje: La impresora rechaza no acepta trabajos: Sin papel en la bandeja 2\n",
       false},
      {"rota",
       "Mensaje: La impresora rota no imprimió el trabajo [0-9]+: abortado \\(Sin conexión con la "
       "impresora\\)\n",
       false},
      {"balance",
       "Mensaje: No se puede imprimir en balance: no se puede conectar con el servidor de "
       "impresión " +
           (cups.dir / "sock").string() + " \\(.*\\)\n",
       true},
  };
  // A stopped queue keeps the job: no failure, but the terminal is told where the job waits.
  ASSERT_TRUE(cups.cola("parada", cups.dir / "salida/p"));
  ASSERT_EQ(std::system("cupsdisable -r 'Tapa abierta' parada"), 0);
  auto parada = imprimir("parada");
  EXPECT_EQ(parada.estado, 0);
  EXPECT_TRUE(std::regex_match(
      parada.errores, std::regex("nubo: La impresora parada está detenida: Tapa abierta; el "
                                 "trabajo [0-9]+ espera en su cola\n")))
      << parada.errores;
  for (const auto& c : casos) {
    if (c.detenido) cups.detener();
    auto e = imprimir(c.cola);
    EXPECT_EQ(e.estado, 1) << c.cola;
    EXPECT_TRUE(std::regex_match(e.errores, std::regex(c.mensaje))) << e.errores;
  }
  EXPECT_FALSE(fs::exists(cups.dir / "salida/r"));
}

// A button the permission disables is refused as an action of the host, with nothing prepared,
// written or printed.
TEST(Impresion, LaAccionDeUnBotonDeshabilitadoSeRechaza) {
  prueba::Carpeta carpeta;
  std::string demo = carpeta.ruta() / "demo", pdf = carpeta.ruta() / "v.pdf";
  const struct {
    const char* permiso;
    std::vector<std::string> accion;
    const char* boton;
  } casos[] = {{"00001", {"--vista-previa", pdf}, "Vista Previa"},
               {"00010", {"--imprimir", "--impresora", "balance"}, "Imprimir"}};
  for (const auto& c : casos) {
    std::vector<std::string> a = {"--demo", demo, "--permiso", c.permiso};
    a.insert(a.end(), c.accion.begin(), c.accion.end());
    auto e = correrNubo(a);
    EXPECT_EQ(e.estado, 1) << c.permiso;
    EXPECT_EQ(e.errores, std::string("nubo: \"") + c.boton +
                             "\" está deshabilitado: el permiso del usuario no lo autoriza "
                             "(--permiso " +
                             c.permiso + ")\n");
  }
  EXPECT_FALSE(fs::exists(pdf));
}

}  // namespace
}  // namespace suite::anfitrion
