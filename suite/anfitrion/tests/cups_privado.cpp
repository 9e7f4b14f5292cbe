#include "cups_privado.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace suite::prueba {

namespace fs = std::filesystem;

namespace {

void escribir(const fs::path& archivo, const std::string& texto) {
  std::ofstream(archivo) << texto;
}

std::string leer(const fs::path& archivo) {
  std::ifstream f(archivo);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

// The queue's device: "archivo:/path" copies the job to that file.
constexpr const char* kBackend =
    "#!/bin/sh\n"
    "if [ $# -eq 0 ]; then echo 'file archivo \"Archivo\" \"Archivo de prueba\"'; exit 0; fi\n"
    "umask 022\n"
    "cat \"${6:-/dev/stdin}\" > \"${DEVICE_URI#archivo:}\"\n";

}  // namespace

CupsPrivado::CupsPrivado(const std::string& cola) {
  std::string plantilla = (fs::temp_directory_path() / "cups-XXXXXX").string();
  if (!::mkdtemp(plantilla.data())) throw std::runtime_error("mkdtemp");
  carpeta_ = plantilla;
  fs::permissions(carpeta_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
  for (const char* d : {"spool", "cache", "state", "log", "bin/backend"}) {
    fs::create_directories(carpeta_ / d);
  }
  fs::create_directories(carpeta_ / "tmp");
  fs::create_directories(carpeta_ / "salida");
  fs::permissions(carpeta_ / "tmp", fs::perms::all | fs::perms::sticky_bit);
  fs::permissions(carpeta_ / "salida", fs::perms::all);
  impreso_ = carpeta_ / "salida" / "impreso";
  socket_ = (carpeta_ / "cups.sock").string();

  // The system's filters and helpers, with a backend folder of the test's own.
  for (const auto& e : fs::directory_iterator("/usr/lib/cups")) {
    if (e.path().filename() != "backend") {
      fs::create_symlink(e.path(), carpeta_ / "bin" / e.path().filename());
    }
  }
  escribir(carpeta_ / "bin/backend/archivo", kBackend);
  fs::permissions(carpeta_ / "bin/backend/archivo",
                  fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                      fs::perms::others_read | fs::perms::others_exec);

  const std::string c = carpeta_.string();
  escribir(carpeta_ / "cupsd.conf", "Listen " + socket_ +
                                        "\nLogLevel info\nBrowsing No\nDefaultAuthType None\n"
                                        "WebInterface No\n<Location />\n  Order allow,deny\n"
                                        "  Allow all\n</Location>\n");
  escribir(carpeta_ / "cups-files.conf",
           "ServerRoot " + c + "\nRequestRoot " + c + "/spool\nTempDir " + c + "/tmp\nCacheDir " +
               c + "/cache\nStateDir " + c + "/state\nServerBin " + c +
               "/bin\nDataDir /usr/share/cups\nErrorLog " + c + "/log/error_log\nAccessLog " + c +
               "/log/access_log\nPageLog " + c + "/log/page_log\nFileDevice Yes\n" +
               (::geteuid() == 0 ? "SystemGroup root\n" : "") + "Sandboxing Relaxed\n");

  pid_ = ::fork();
  if (pid_ == 0) {
    ::execl("/usr/sbin/cupsd", "cupsd", "-f", "-c", (c + "/cupsd.conf").c_str(), "-s",
            (c + "/cups-files.conf").c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::setenv("CUPS_SERVER", socket_.c_str(), 1);
  std::string lpadmin = "lpadmin -p " + cola + " -E -v archivo:" + impreso_.string() + " >>'" + c +
                        "/log/lpadmin' 2>&1";
  bool lista = false;
  for (int i = 0; i < 200 && !lista; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (fs::exists(socket_)) lista = std::system(lpadmin.c_str()) == 0;
  }
  if (!lista) {
    std::string log = leer(carpeta_ / "log/error_log") + leer(carpeta_ / "log/lpadmin");
    parar();
    throw std::runtime_error("el planificador CUPS de la prueba no arrancó:\n" + log);
  }
}

CupsPrivado::~CupsPrivado() {
  parar();
}

void CupsPrivado::parar() {
  ::unsetenv("CUPS_SERVER");
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  std::error_code ignorado;
  if (!carpeta_.empty()) fs::remove_all(carpeta_, ignorado);
  carpeta_.clear();
}

bool CupsPrivado::esperarTrabajos() const {
  std::string pendientes = "test -z \"$(lpstat -o 2>/dev/null)\"";
  for (int i = 0; i < 600; ++i) {
    std::error_code ec;
    if (fs::exists(impreso_, ec) && fs::file_size(impreso_, ec) > 0 &&
        std::system(pendientes.c_str()) == 0) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

}  // namespace suite::prueba
