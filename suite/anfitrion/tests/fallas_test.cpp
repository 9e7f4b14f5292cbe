// nubo under faults: data that must not be lost, runs at the same time, clear messages.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "ayuda_pruebas.h"
#include "datos/esquema.h"
#include "disco_chico.h"
#include "export/archivo_seguro.h"
#include "libro_xlsx/paquete_xlsx.h"
#include "plataforma/senales.h"
#include "salida_texto.h"

namespace suite::anfitrion {
namespace {

namespace fs = std::filesystem;
using prueba::consultar;
using prueba::correrNubo;
using prueba::leer;

// A small company (admempresa included) and a report database given with --informes.
class Fallas : public ::testing::Test {
 protected:
  void SetUp() override {
    prueba::crearBaseChica(conta_);
    prueba::crearBase(conta_, "insert into admempresa(n_empresa) values('SUR')");
    prueba::crearBase(inf_, "create table programa(programa TEXT)");
  }
  prueba::Ejecucion nubo(std::vector<std::string> resto) {
    resto.insert(resto.begin(),
                 {"--contabilidad", conta_, "--informes", inf_, "--hasta", "31/03/2025"});
    return correrNubo(resto);
  }
  prueba::Carpeta c_;
  std::string conta_ = c_.ruta() / "contabilidad.db", inf_ = c_.ruta() / "informes.db";
};

// Every output of nubo refuses the two open databases, however the path names them (relative
// through "..", a symbolic link, a hard link) and the journal file beside one: status 1, one
// line, the databases as they were. Each way of naming goes to another output: ArchivoSeguro's
// own test tries every way with one writer.
TEST_F(Fallas, DatosNingunaSalidaReemplazaUnaBaseAbierta) {
  fs::create_directory(c_.ruta() / "otra");
  fs::create_symlink(conta_, c_.ruta() / "enlace");
  fs::create_hard_link(inf_, c_.ruta() / "duro");
  fs::create_symlink(inf_, c_.ruta() / "enlace.XLSX");
  const std::pair<const char*, std::string> casos[] = {
      {"--excel", conta_},
      {"--vista-previa", (c_.ruta() / "otra/../informes.db").string()},
      {"--captura", (c_.ruta() / "enlace").string()},
      {"--vista-previa", (c_.ruta() / "duro").string()},
      {"--excel", (c_.ruta() / "enlace.XLSX").string()},
      {"--captura", conta_ + "-journal"}};
  for (const auto& [accion, d] : casos) {
    auto e = nubo({accion, d});
    // A workbook's name that is not .xls nor .xlsx is warned of first.
    if (e.errores.starts_with("nubo: aviso: --excel " + d + ": "))
      e.errores.erase(0, e.errores.find('\n') + 1);
    EXPECT_EQ(e.estado, 1) << accion << " " << d;
    EXPECT_NE(e.errores.find("No se puede escribir el archivo " + d + ": es "), std::string::npos)
        << e.errores;
    EXPECT_EQ(std::count(e.errores.begin(), e.errores.end(), '\n'), 1) << e.errores;
    EXPECT_EQ(consultar(conta_, "select count(*) from ctdcomprmm")[0] +
                  consultar(inf_, "select count(*) from programa")[0],
              "140");
  }
  EXPECT_FALSE(fs::exists(conta_ + "-journal"));
  for (const auto& f : fs::directory_iterator(c_.ruta()))
    EXPECT_NE(f.path().extension(), ".tmp") << f.path();
}

// A full disk: every output ends with status 1 and the reason, the earlier file stays, no
// temporary file is left.
TEST_F(Fallas, DatosUnDiscoLlenoDejaCadaArchivoAnterior) {
  prjsumsal::prueba::DiscoChico chico(512);
  if (!chico.montado()) GTEST_SKIP() << "no se puede montar un tmpfs aquí";
  const std::pair<const char*, std::string> salidas[] = {{"--excel", chico.ruta("l.xls")},
                                                         {"--excel", chico.ruta("l.xlsx")},
                                                         {"--vista-previa", chico.ruta("v.pdf")},
                                                         {"--captura", chico.ruta("c.png")}};
  for (const auto& [accion, archivo] : salidas) std::ofstream(archivo) << "anterior";
  {
    std::ofstream relleno(chico.ruta("relleno"), std::ios::binary);
    const std::string bloque(4096, 'x');
    while (relleno.write(bloque.data(), bloque.size())) {
    }
  }
  for (const auto& [accion, archivo] : salidas) {
    auto e = nubo({accion, archivo});
    EXPECT_EQ(e.estado, 1) << accion;
    EXPECT_NE(e.errores.find("No se puede escribir el archivo " + archivo +
                             ": no queda espacio en el disco"),
              std::string::npos)
        << e.errores;
    EXPECT_EQ(leer(archivo), "anterior") << accion;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(chico.ruta()), {}), 5);
}

// "--excel -" goes through a temporary file in the cache folder: a full cache disk or a full
// standard output ends with status 1 and the reason, nothing half written, no file left.
TEST_F(Fallas, DatosElLibroALaSalidaNoDejaArchivos) {
  prjsumsal::prueba::DiscoChico chico(256);
  if (!chico.montado()) GTEST_SKIP() << "no se puede montar un tmpfs aquí";
  const std::string cache = "XDG_CACHE_HOME=" + chico.ruta().string();
  const std::string orden = prueba::ordenNubo(
      {"--contabilidad", conta_, "--informes", inf_, "--hasta", "31/03/2025", "--excel", "-"},
      {"env", cache});
  const fs::path errores = c_.ruta() / "e";
  EXPECT_EQ(WEXITSTATUS(std::system((orden + " >/dev/full 2>" + errores.string()).c_str())), 1);
  EXPECT_EQ(leer(errores), "nubo: No se puede escribir la salida: no queda espacio en el disco\n");
  {
    std::ofstream relleno(chico.ruta("relleno"), std::ios::binary);
    const std::string bloque(4096, 'x');
    while (relleno.write(bloque.data(), bloque.size())) {
    }
  }
  auto e =
      correrNubo({"--contabilidad", conta_, "--informes", inf_, "--excel", "-"}, {"env", cache});
  EXPECT_EQ(e.estado, 1);
  EXPECT_EQ(e.salida, "");
  EXPECT_NE(e.errores.find("no queda espacio en el disco"), std::string::npos) << e.errores;
  for (const auto& f : fs::recursive_directory_iterator(chico.ruta())) {
    std::string nombre = f.path().filename().string();
    EXPECT_TRUE(nombre == "relleno" || nombre == "nubo" || nombre.ends_with("_cerrojo")) << nombre;
  }
}

// A full temporary folder (TMPDIR) does not reach the .xlsx: the earlier file is replaced by the
// whole workbook, every part of it, its sheet down to the row TOTALES that --texto ends with.
TEST_F(Fallas, DatosUnXlsxConLaCarpetaTemporalLlenaSaleEntero) {
  prjsumsal::prueba::DiscoChico chico(64);
  if (!chico.montado()) GTEST_SKIP() << "no se puede montar un tmpfs aquí";
  {
    std::ofstream relleno(chico.ruta("relleno"), std::ios::binary);
    const std::string bloque(4096, 'x');
    while (relleno.write(bloque.data(), bloque.size())) {
    }
  }
  const std::string libro = c_.ruta() / "b.xlsx";
  std::ofstream(libro) << "anterior";
  auto e = correrNubo(
      {"--contabilidad", conta_, "--informes", inf_, "--hasta", "31/03/2025", "--excel", libro},
      {"env", "TMPDIR=" + chico.ruta().string()});
  ASSERT_EQ(e.estado, 0) << e.errores;
  const std::string texto = nubo({"--texto"}).salida;
  ASSERT_NE(texto.rfind("\tTOTALES\t"), std::string::npos);
  const int filas = static_cast<int>(std::count(texto.begin(), texto.end(), '\n'));
  // six heading rows, then --texto's
  EXPECT_EQ(libro_xlsx::faltaEnLibroXlsx(libro, 6 + filas - 1), "");
}

// A preview killed outright at any moment leaves the earlier PDF or the whole new one, never a
// part.
TEST_F(Fallas, DatosUnaVistaPreviaMatadaDejaElPdfAnteriorOElNuevo) {
  const fs::path pdf = c_.ruta() / "v.pdf";
  for (int espera : {0, 20, 60, 150, 400}) {
    std::ofstream(pdf) << "anterior";
    pid_t hijo = ::fork();
    if (hijo == 0) {
      if (std::freopen("/dev/null", "w", stderr) == nullptr) ::_exit(126);
      ::execl(NUBO_EJECUTABLE, "nubo", "--contabilidad", conta_.c_str(), "--informes", inf_.c_str(),
              "--hasta", "31/03/2025", "--vista-previa", pdf.c_str(), nullptr);
      ::_exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(espera));
    ::kill(hijo, SIGKILL);
    ::waitpid(hijo, nullptr, 0);
    std::string queda = leer(pdf);
    EXPECT_TRUE(queda == "anterior" ||
                (queda.starts_with("%PDF") && queda.find("%%EOF") != std::string::npos))
        << espera << ": " << queda.substr(0, 20);
  }
}

TEST_F(Fallas, DatosUnaSenalBorraElTemporalYDejaElArchivoPrevio) {
  for (int senal : {SIGINT, SIGTERM, SIGHUP}) {
    fs::path libro = c_.ruta() / "s" / "libro.xls";
    fs::create_directories(libro.parent_path());
    std::ofstream(libro) << "previo";
    pid_t hijo = ::fork();
    if (hijo == 0) {
      plataforma::limpiarAlTerminar();
      prjsumsal::ArchivoSeguro a(libro.string());
      a.flujo() << "a medio escribir" << std::flush;
      ::kill(::getpid(), senal);
      ::_exit(0);
    }
    int estado = 0;
    ::waitpid(hijo, &estado, 0);
    EXPECT_TRUE(WIFSIGNALED(estado) && WTERMSIG(estado) == senal) << senal;
    EXPECT_EQ(std::distance(fs::directory_iterator(libro.parent_path()), {}), 1) << senal;
    EXPECT_EQ(leer(libro), "previo") << senal;
  }
}

TEST_F(Fallas, ConcurrenciaOchoEjecucionesMezcladasDanLoMismo) {
  std::string demo = c_.ruta() / "demo";
  ::setenv("XDG_CACHE_HOME", (c_.ruta() / "cache").c_str(), 1);
  ASSERT_EQ(correrNubo({"--demo", demo, "--texto"}).estado, 0);
  const char* acciones[] = {"--texto", "--preparar", "--excel", "--grabar-contador"};
  std::vector<prueba::Ejecucion> e(8);
  std::vector<std::thread> hilos;
  for (std::size_t i = 0; i < e.size(); ++i) {
    hilos.emplace_back([&, i] {
      std::vector<std::string> a = {"--demo", demo, "--hasta", "30/11/2026", acciones[i % 4]};
      if (i % 4 == 2) a.push_back(demo + "/" + std::to_string(i) + ".xls");
      e[i] = correrNubo(a);
    });
  }
  for (auto& h : hilos) h.join();
  for (std::size_t i = 0; i < e.size(); ++i) {
    EXPECT_EQ(e[i].estado, 0) << i << ": " << e[i].errores;
    EXPECT_EQ(e[i].salida + e[i].errores, e[i % 4].salida + e[i % 4].errores) << i;
  }
  EXPECT_EQ(leer(demo + "/2.xls"), leer(demo + "/6.xls"));
  for (const auto& f : fs::directory_iterator(c_.ruta() / "cache" / "nubo")) {
    EXPECT_NE(f.path().extension(), ".db") << f.path();  // each run removed its database
  }
  ::unsetenv("XDG_CACHE_HOME");
}

// The accounting database is the host's: whatever the runs do, its journal mode stays as the
// host keeps it, so that a user who may only read the file still gets the balance.
TEST_F(Fallas, DatosLaBaseDeContabilidadQuedaComoLaTieneElAnfitrion) {
  for (std::vector<std::string> a : {std::vector<std::string>{"--preparar", "--texto"},
                                     {"--contador", "Ana", "--grabar-contador"},
                                     {"--excel", c_.ruta() / "l.xls"}}) {
    EXPECT_EQ(nubo(a).estado, 0) << a[0];
  }
  EXPECT_EQ(consultar(conta_, "pragma journal_mode"), std::vector<std::string>{"delete"});
  EXPECT_EQ(consultar(conta_, "select nombre from contador"), std::vector<std::string>{"Ana"});
  if (::geteuid() != 0) GTEST_SKIP() << "leer como otro usuario necesita ser root";
  // The file read-only in a folder the reader may not write, read by an ordinary user.
  fs::path ro = c_.ruta() / "ro", cache = c_.ruta() / "cache";
  fs::create_directories(ro);
  fs::create_directories(cache);
  fs::copy_file(conta_, ro / "contabilidad.db");
  ::chmod((ro / "contabilidad.db").c_str(), 0444);
  ::chmod(ro.c_str(), 0555);
  fs::permissions(cache, fs::perms::all);
  auto lector = correrNubo(
      {"--contabilidad", (ro / "contabilidad.db").string(), "--hasta", "31/03/2025", "--texto"},
      prueba::comoNadie(c_.ruta(), cache));
  EXPECT_EQ(lector.estado, 0) << lector.errores;
  EXPECT_EQ(lector.salida, nubo({"--texto"}).salida);
}

// A run on a report database another run holds waits for it (saying so after a second) and then
// works; told not to wait, it ends at once with status 1.
TEST_F(Fallas, ConcurrenciaDosEjecucionesSobreUnaBaseDeInformes) {
  // The test holds the lock, as a run that takes long would.
  int cerrojo = ::open((inf_ + ".nubo-lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  ASSERT_EQ(::flock(cerrojo, LOCK_EX), 0);
  const std::string enUso = "la base de informes " + inf_ + ", en uso por otra ejecución de nubo\n";
  auto sinEspera = nubo({"--no-esperar", "--preparar"});
  EXPECT_EQ(sinEspera.estado, 1);
  EXPECT_EQ(sinEspera.errores, "nubo: No se puede usar " + enUso);
  std::string errores = c_.ruta() / "errores";
  int estado = -1;
  std::thread espera([&] {
    estado = std::system((prueba::ordenNubo({"--contabilidad", conta_, "--informes", inf_,
                                             "--hasta", "31/03/2025", "--preparar"}) +
                          " >/dev/null 2>" + errores)
                             .c_str());
  });
  for (int i = 0; i < 300 && leer(errores).empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  ::close(cerrojo);
  espera.join();
  EXPECT_EQ(estado, 0);
  EXPECT_EQ(leer(errores), "nubo: Esperando " + enUso);
}

// A run killed in the middle of its preparation leaves its work table and its row in
// `programa`; the next run finds the lock free, drops them, and works.
TEST_F(Fallas, ConcurrenciaUnaEjecucionMuertaNoEstorbaALaSiguiente) {
  std::string demo = c_.ruta() / "demo";
  ASSERT_EQ(correrNubo({"--demo", demo, "--texto"}).estado, 0);
  // The trace goes into a pipe of one page that the test reads line by line: the run cannot
  // get more than a page ahead of the line the test stops at.
  fs::path traza = c_.ruta() / "traza";
  ASSERT_EQ(::mkfifo(traza.c_str(), 0600), 0);
  int lee = ::open(traza.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_EQ(::fcntl(lee, F_SETPIPE_SZ, 4096), 4096);
  ::setenv("NUBO_TRAZA_SQL", traza.c_str(), 1);
  pid_t hijo = ::fork();
  if (hijo == 0) {
    int nada = ::open("/dev/null", O_WRONLY);
    ::dup2(nada, 1);
    ::dup2(nada, 2);
    ::execl(NUBO_EJECUTABLE, "nubo", "--demo", demo.c_str(), "--informes", inf_.c_str(),
            "--permiso", "11111", "--preparar", nullptr);
    ::_exit(127);
  }
  ::unsetenv("NUBO_TRAZA_SQL");
  // Until the run opens the pipe a read finds no writer and returns nothing at once.
  std::string linea;
  auto limite = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (linea.find("insert into ctrsumsal") == std::string::npos &&
         std::chrono::steady_clock::now() < limite) {
    char c;
    if (::read(lee, &c, 1) != 1) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } else if (c == '\n') {
      linea.clear();
    } else {
      linea += c;
    }
  }
  ::kill(hijo, SIGKILL);
  ::waitpid(hijo, nullptr, 0);
  ::close(lee);
  ASSERT_EQ(consultar(inf_, "select count(*) from programa")[0] +
                consultar(inf_, "select count(*) from sqlite_master where name='ctrsumsal'")[0],
            "11");
  auto e = correrNubo({"--demo", demo, "--informes", inf_, "--permiso", "11111", "--preparar"});
  EXPECT_EQ(e.estado, 0) << e.errores;
  EXPECT_EQ(consultar(inf_, "select count(*) from programa")[0], "0");
}

TEST_F(Fallas, MensajeUnaSalidaLlenaTerminaConEstado1) {
  std::string orden = std::string(NUBO_EJECUTABLE) + " --contabilidad " + conta_ + " --informes " +
                      inf_ + " --texto >/dev/full 2>" + c_.ruta().string() + "/e";
  EXPECT_EQ(WEXITSTATUS(std::system(orden.c_str())), 1);
  EXPECT_EQ(leer(c_.ruta() / "e"),
            "nubo: No se puede escribir la salida: no queda espacio en el disco\n");
}

// Databases that cannot be used: status 1, one line naming the database and its file.
TEST_F(Fallas, MensajeUnaBaseInservibleNombraSuPapelYSuArchivo) {
  std::string vacia = c_.ruta() / "v.db", texto = c_.ruta() / "t.db";
  std::ofstream(vacia).close();
  std::ofstream(texto) << "esto no es una base de datos\n";
  for (auto [conta, inf, accion, archivo] : {std::tuple{conta_, vacia, "--preparar", vacia},
                                             {texto, inf_, "--texto", texto},
                                             {inf_, inf_, "--grabar-contador", inf_}}) {
    auto e = correrNubo({"--contabilidad", conta, "--informes", inf, accion});
    EXPECT_EQ(e.estado, 1) << e.errores;
    EXPECT_EQ(std::count(e.errores.begin(), e.errores.end(), '\n'), 1) << e.errores;
    EXPECT_NE(e.errores.find(archivo), std::string::npos) << e.errores;
    EXPECT_NE(e.errores.find(archivo == vacia ? "informes" : "contabilidad"), std::string::npos);
  }
  EXPECT_EQ(fs::file_size(vacia), 0u);
}

TEST_F(Fallas, MensajeUnBalanceQueNoCuadraSeAvisa) {
  // The host's table without STRICT keeps a text amount, which the engine sums as 1.
  prueba::crearBase(conta_,
                    "create table d as select * from ctdcomprmm; drop table ctdcomprmm;"
                    "alter table d rename to ctdcomprmm; update ctdcomprmm set"
                    " debe_nacional='1.000,50' where debe_nacional=1000");
  for (auto args : {std::vector<std::string>{"--texto"},
                    {"--excel", c_.ruta() / "l.xls"},
                    {"--vista-previa", c_.ruta() / "v.pdf"},
                    {"--pdf"}}) {
    auto e = nubo(args);
    EXPECT_EQ(e.estado, 0) << e.errores;  // the bad amount is in January: only the year fails
    // One line, in the words of every document: only the year's pair differs.
    EXPECT_EQ(e.errores, "nubo: El balance no cuadra: Acreedor supera a Deudor en 999\n");
  }
  EXPECT_ANY_THROW(prueba::crearBase(
      c_.ruta() / "s.db",
      datos::scriptTablasContabilidad() + "insert into ctdcomprmm(haber_nacional) values('abc')"));
}

// A period from the year before: warned, figures as from the first of January. "--excel -".
TEST_F(Fallas, MensajeDesdeDelAnioAnteriorYExcelALaSalida) {
  auto antes = nubo({"--desde", "15/12/2024", "--texto"});
  EXPECT_EQ(antes.salida, nubo({"--desde", "01/01/2025", "--texto"}).salida);
  EXPECT_EQ(antes.errores,
            "nubo: aviso: --desde 15/12/2024 es anterior al 01/01/2025: las columnas del período "
            "cuentan solo desde el 01/01/2025, el año de --hasta\n");
  ASSERT_EQ(nubo({"--excel", c_.ruta() / "l.xls"}).estado, 0);
  EXPECT_TRUE(nubo({"--excel", "-"}).salida == leer(c_.ruta() / "l.xls"));
}

TEST(SalidaTerminal, LosCaracteresDeControlNoLleganAlTerminal) {
  std::ostringstream s;
  escribirTabla(s, {{"1101\x1b[5m", "\x1b]0;t\x07\x1b[2J Ca\rja\x7f \xc2\x9b", {1.0}}});
  EXPECT_EQ(s.str().find_first_of("\x1b\x07\r\x7f"), std::string::npos) << s.str();
  EXPECT_EQ(s.str().find("\xc2\x9b"), std::string::npos) << s.str();
}

}  // namespace
}  // namespace suite::anfitrion
