#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "datos/tests/base_prueba.h"
#include "host/error.h"

namespace suite::datos {
namespace {

namespace fs = std::filesystem;

// Sets NUBO_TRAZA_SQL for one test and removes it, and its file, at the end.
class ConTraza {
 public:
  explicit ConTraza(const std::string& ruta) : ruta_(ruta) {
    fs::remove(ruta_);
    ::setenv("NUBO_TRAZA_SQL", ruta_.c_str(), 1);
  }
  ~ConTraza() {
    ::unsetenv("NUBO_TRAZA_SQL");
    fs::remove(ruta_);
  }
  std::string leer() const {
    std::ifstream f(ruta_, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }

 private:
  std::string ruta_;
};

TEST(Traza, UnaLineaPorSentenciaTalComoLlego) {
  ConTraza traza(fs::temp_directory_path() / ("traza_" + std::to_string(::getpid()) + ".txt"));
  auto contabilidad = prueba::baseVacia(Papel::Contabilidad);
  auto informes = prueba::baseVacia(Papel::Informes);
  informes->executesql("create table t (f text(10))");
  // Two grouped sets alive at once, which the server reads side by side.
  auto agrupada = contabilidad->newrecord("select #2024-03-01# as f", 4);
  contabilidad->newrecord("select year(#2024-03-01#) as a", 4);
  informes->executesql("insert into t values ('a\\b'\n||'c')");
  EXPECT_THROW(informes->executesql("update no_existe set a = 1"), prjsumsal::Error);
  contabilidad->newrecord(" select 1 as a\r\n where 1=1 ");
  EXPECT_EQ(traza.leer(),
            "informes\texecutesql\tcreate table t (f text(10))\n"
            "contabilidad\tnewrecord\tselect #2024-03-01# as f\n"
            "contabilidad\tnewrecord\tselect year(#2024-03-01#) as a\n"
            "informes\texecutesql\tinsert into t values ('a\\\\b'\\n||'c')\n"
            "informes\texecutesql\tupdate no_existe set a = 1\n"
            "contabilidad\tnewrecord\t select 1 as a\\r\\n where 1=1 \n");
  // What was traced was also run as it would have been without the trace.
  EXPECT_EQ(informes->newrecord("select f from t")->fields("f").Value.texto(), "a\\bc");
}

TEST(Traza, ArchivoQueNoSePuedeAbrirSeAvisaUnaVez) {
  ConTraza traza("/no/existe/esta/carpeta/traza.txt");
  ::testing::internal::CaptureStderr();
  auto contabilidad = prueba::baseVacia(Papel::Contabilidad);
  auto informes = prueba::baseVacia(Papel::Informes);
  EXPECT_NE(informes->executesql("create table t (a integer)"), 0);
  EXPECT_TRUE(contabilidad->newrecord("select 1 as a where 1=0")->eof());
  std::string aviso = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(aviso.find("/no/existe/esta/carpeta/traza.txt"), std::string::npos) << aviso;
  EXPECT_EQ(aviso.find('\n'), aviso.size() - 1) << "una sola línea: " << aviso;
}

}  // namespace
}  // namespace suite::datos
