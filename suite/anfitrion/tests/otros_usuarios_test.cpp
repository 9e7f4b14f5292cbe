// What other users of the machine can and cannot do to a user's runs: the cache folder that
// holds the report layouts is the user's alone, and a database the user may only read is read
// or refused with the reason.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <functional>

#include "ayuda_pruebas.h"
#include "carpeta_cache.h"
#include "host/error.h"

namespace suite::anfitrion {
namespace {

namespace fs = std::filesystem;

class Entorno {
 public:
  Entorno() {
    for (const char* v : kVariables) {
      if (const char* x = std::getenv(v)) antes_.emplace_back(v, x);
      ::unsetenv(v);
    }
  }
  ~Entorno() {
    for (const char* v : kVariables) ::unsetenv(v);
    for (const auto& [v, x] : antes_) ::setenv(v.c_str(), x.c_str(), 1);
  }

 private:
  static constexpr const char* kVariables[] = {"XDG_CACHE_HOME", "HOME", "XDG_RUNTIME_DIR",
                                               "TMPDIR"};
  std::vector<std::pair<std::string, std::string>> antes_;
};

// A case of the cache folder: what it is, how it sets the environment, and the folder expected
// or the reason of the refusal.
struct Caso {
  const char* que;
  std::function<void()> preparar;
  std::filesystem::path carpeta;
  const char* rechazo;
};

// The folder given in the environment `k` set: the one expected, private to the user, or refused
// for the expected reason.
void comprobar(const Caso& k) {
  if (k.rechazo == nullptr) {
    ASSERT_EQ(carpetaCache(), k.carpeta) << k.que;
    struct stat s {};
    ASSERT_EQ(::stat(k.carpeta.c_str(), &s), 0);
    EXPECT_EQ(s.st_mode & 0777, 0700u) << k.que;
    return;
  }
  try {
    std::filesystem::path dada = carpetaCache();
    ADD_FAILURE() << k.que << ": aceptada " << dada;
  } catch (const prjsumsal::Error& e) {
    EXPECT_NE(std::string(e.what()).find(k.rechazo), std::string::npos) << k.que << e.what();
  }
}

// Each case sets the environment (folders under `c`) and says the folder expected, or the
// reason of the refusal.
TEST(CarpetaCache, PrivadaDelUsuarioORechazadaConElMotivo) {
  prueba::Carpeta c;
  const fs::path r = c.ruta();
  const std::string uid = std::to_string(::geteuid());
  const Caso casos[] = {
      {"nueva en XDG_CACHE_HOME", [&] { ::setenv("XDG_CACHE_HOME", (r / "x").c_str(), 1); },
       r / "x/nubo", nullptr},
      {"que otros pueden escribir",
       [&] {
         ::setenv("HOME", (r / "h").c_str(), 1);
         fs::create_directories(r / "h/.cache/nubo");
         fs::permissions(r / "h/.cache/nubo", fs::perms::all);
       },
       {},
       "otros usuarios pueden escribir en ella"},
      {"sin HOME, en la carpeta temporal", [&] { ::setenv("TMPDIR", r.c_str(), 1); },
       r / ("nubo-" + uid), nullptr},
      {"HOME que no se puede usar, XDG_RUNTIME_DIR",
       [&] {
         std::ofstream(r / "archivo") << "x";
         ::setenv("HOME", (r / "archivo").c_str(), 1);
         fs::create_directories(r / "run");
         ::setenv("XDG_RUNTIME_DIR", (r / "run").c_str(), 1);
       },
       r / "run/nubo", nullptr},
      {"un enlace puesto por otro en la carpeta temporal",
       [&] {
         fs::create_directories(r / "t2/otra");
         fs::create_directory_symlink(r / "t2/otra", r / ("t2/nubo-" + uid));
         ::setenv("TMPDIR", (r / "t2").c_str(), 1);
       },
       {},
       "no es una carpeta"},
      {"de otro usuario en la carpeta temporal",
       [&] {
         fs::create_directories(r / ("t3/nubo-" + uid));
         ::chmod((r / ("t3/nubo-" + uid)).c_str(), 0700);
         if (::chown((r / ("t3/nubo-" + uid)).c_str(), ::geteuid() == 0 ? 65534 : 0, 65534))
           GTEST_SKIP() << "cambiar el dueño de una carpeta necesita ser root";
         ::setenv("TMPDIR", (r / "t3").c_str(), 1);
       },
       {},
       "pertenece a otro usuario"},
  };
  for (const Caso& k : casos) {
    Entorno entorno;
    k.preparar();
    if (::testing::Test::IsSkipped()) return;
    comprobar(k);
  }
}

// Another user cannot change the layout a user's preview follows: without a home, nubo keeps
// the layouts in its private folder, not in the shared temporary folder; and it refuses a
// cache folder others may write, before it reads anything from it.
TEST(CarpetaCache, NuboNoDejaNiUsaDisenosQueOtrosPuedenCambiar) {
  prueba::Carpeta c;
  std::string demo = c.ruta() / "demo";
  fs::permissions(c.ruta(), fs::perms::all | fs::perms::sticky_bit);
  auto e = prueba::correrNubo({"--demo", demo, "--vista-previa", demo + "/v.pdf"},
                              {"env", "-u", "HOME", "-u", "XDG_CACHE_HOME", "-u", "XDG_RUNTIME_DIR",
                               "TMPDIR=" + c.ruta().string()});
  EXPECT_EQ(e.estado, 0) << e.errores;
  EXPECT_FALSE(fs::exists(c.ruta() / "ctrsumsal.rpt"));
  fs::path propia = c.ruta() / ("nubo-" + std::to_string(::geteuid()));
  EXPECT_TRUE(fs::exists(propia / "ctrsumsal.rpt"));

  fs::permissions(propia, fs::perms::all);
  e = prueba::correrNubo({"--demo", demo, "--vista-previa", demo + "/v.pdf"},
                         {"env", "-u", "HOME", "-u", "XDG_CACHE_HOME", "-u", "XDG_RUNTIME_DIR",
                          "TMPDIR=" + c.ruta().string()});
  EXPECT_EQ(e.estado, 1);
  EXPECT_EQ(e.errores, "nubo: No se puede usar la carpeta de caché " + propia.string() +
                           ": otros usuarios pueden escribir en ella; otro usuario podría "
                           "cambiar los archivos de nubo que hay en ella. Elimínela o "
                           "corríjala, o indique otra con XDG_CACHE_HOME\n");
}

// A database in WAL mode that the user may read but not write, in a folder the user cannot
// write: read while another program has it open, refused with the reason otherwise.
TEST(SoloLectura, UnaBaseEnModoWalSeLeeConSuShmOSeExplicaPorQueNo) {
  if (::geteuid() != 0) GTEST_SKIP() << "leer como otro usuario necesita ser root";
  prueba::Carpeta c;
  fs::path ro = c.ruta() / "ro", conta = ro / "contabilidad.db", casa = c.ruta() / "casa";
  fs::create_directories(ro);
  fs::create_directories(casa);
  fs::permissions(casa, fs::perms::all);
  prueba::crearBaseChica(conta);
  prueba::crearBase(conta, "pragma journal_mode=wal");
  ::chmod(conta.c_str(), 0444);
  ::chmod(ro.c_str(), 0555);
  const std::vector<std::string> args = {"--contabilidad", conta, "--hasta", "31/03/2025",
                                         "--texto"};
  const auto otro = prueba::comoNadie(c.ruta(), casa);
  const std::string balance = prueba::correrNubo(args).salida;
  ASSERT_NE(balance, "");
  ASSERT_FALSE(fs::exists(conta.string() + "-shm"));

  auto solo = prueba::correrNubo(args, otro);
  EXPECT_EQ(solo.estado, 1);
  EXPECT_EQ(solo.errores, "nubo: --contabilidad: La base de datos de contabilidad " +
                              conta.string() +
                              " está en modo WAL y no se puede leer sin escribir su archivo "
                              "-shm: ningún otro programa la tiene abierta y este usuario no "
                              "puede crear " +
                              conta.string() + "-shm en la carpeta " + ro.string() +
                              ". Un administrador puede pasar la base al modo de diario por "
                              "reversión (PRAGMA journal_mode=DELETE), que se lee sin escribir "
                              "nada, o permitir a este usuario escribir en esa carpeta\n");

  // The host's program has it open: its -shm is there, and readable.
  sqlite3* anfitrion = nullptr;
  ASSERT_EQ(sqlite3_open(conta.c_str(), &anfitrion), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(anfitrion, "select count(*) from ctdcomprmm", nullptr, nullptr, nullptr),
            SQLITE_OK);
  auto abierta = prueba::correrNubo(args, otro);
  EXPECT_EQ(abierta.estado, 0) << abierta.errores;
  EXPECT_EQ(abierta.salida, balance);

  ::chmod((conta.string() + "-shm").c_str(), 0600);
  auto cerrada = prueba::correrNubo(args, otro);
  EXPECT_EQ(cerrada.estado, 1);
  EXPECT_NE(cerrada.errores.find(conta.string() + "-shm no se puede leer. Un administrador"),
            std::string::npos)
      << cerrada.errores;
  sqlite3_close(anfitrion);
  EXPECT_EQ(prueba::consultar(conta, "pragma journal_mode")[0], "wal");
}

}  // namespace
}  // namespace suite::anfitrion
