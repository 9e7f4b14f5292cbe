// What nubo tells the user when something is wrong, and what it does not let through.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <sstream>

#include "ayuda_pruebas.h"
#include "datos/esquema.h"
#include "salida_texto.h"

namespace suite {
namespace {

namespace fs = std::filesystem;
using prueba::Carpeta;
using prueba::correrNubo;

class MensajesClaros : public ::testing::Test {
 protected:
  void SetUp() override {
    prueba::crearBaseChica(conta_);
    prueba::crearBase(inf_, "create table programa(programa TEXT)");
  }
  std::vector<std::string> base(std::vector<std::string> resto) {
    std::vector<std::string> a = {"--contabilidad", conta_,      "--informes", inf_,
                                  "--hasta",        "31/03/2025"};
    a.insert(a.end(), resto.begin(), resto.end());
    return a;
  }
  Carpeta c_;
  std::string conta_ = c_.ruta() / "contabilidad.db", inf_ = c_.ruta() / "informes.db";
};

TEST_F(MensajesClaros, UnaSalidaQueNoSePuedeEscribirTerminaConEstado1) {
  std::string orden = std::string(NUBO_EJECUTABLE) + " --contabilidad " + conta_ + " --informes " +
                      inf_ + " --hasta 31/03/2025 --texto >/dev/full 2>" +
                      (c_.ruta() / "err").string();
  int estado = std::system(orden.c_str());
  std::ostringstream err;
  err << std::ifstream(c_.ruta() / "err").rdbuf();
  EXPECT_EQ(WEXITSTATUS(estado), 1);
  EXPECT_EQ(err.str(), "nubo: No se puede escribir la salida: no queda espacio en el disco\n");
}

// Databases that cannot be used: status 1, one line naming the database and its file.
TEST_F(MensajesClaros, UnaBaseInservibleDaUnMensajeConSuArchivo) {
  std::string vacia = c_.ruta() / "vacia.db", texto = c_.ruta() / "texto.db";
  std::string sinContador = c_.ruta() / "sin-contador.db";
  std::ofstream(vacia).close();
  std::ofstream(texto) << "esto no es una base de datos\n";
  prueba::crearBase(sinContador, "create table otra(x)");
  struct Caso {
    std::vector<std::string> args;
    std::string archivo, papel;
  };
  const Caso casos[] = {
      {{"--contabilidad", conta_, "--informes", vacia, "--preparar"}, vacia, "informes"},
      {{"--contabilidad", texto, "--informes", inf_, "--texto"}, texto, "contabilidad"},
      {{"--contabilidad", sinContador, "--informes", inf_, "--grabar-contador"},
       sinContador,
       "contabilidad"},
  };
  for (const auto& k : casos) {
    auto e = correrNubo(k.args);
    EXPECT_EQ(e.estado, 1) << e.errores;
    EXPECT_EQ(std::count(e.errores.begin(), e.errores.end(), '\n'), 1) << e.errores;
    EXPECT_NE(e.errores.find(k.archivo), std::string::npos) << e.errores;
    EXPECT_NE(e.errores.find(k.papel), std::string::npos) << e.errores;
  }
  EXPECT_EQ(fs::file_size(vacia), 0u);
}

TEST_F(MensajesClaros, UnBalanceQueNoCuadraSeAvisaYSeEscribeIgual) {
  sqlite3* db = nullptr;
  sqlite3_open(conta_.c_str(), &db);  // a host's table without STRICT takes any text
  sqlite3_exec(db,
               "create table d2 as select * from ctdcomprmm; drop table ctdcomprmm;"
               "alter table d2 rename to ctdcomprmm; update ctdcomprmm set debe_nacional='1.000,50'"
               " where debe_nacional=1000",
               nullptr, nullptr, nullptr);
  sqlite3_close(db);
  for (std::string accion : {"--texto", "--excel"}) {
    auto args = base({accion});
    if (accion == "--excel") args.push_back(c_.ruta() / "libro.xls");
    auto e = correrNubo(args);
    EXPECT_EQ(e.estado, 0) << e.errores;
    // The bad amount is in January: the period (March) squares, the year does not.
    EXPECT_EQ(e.errores.rfind("nubo: El balance no cuadra: Deudor ", 0), 0u) << e.errores;
    EXPECT_NE(e.errores.find(" y Acreedor 1.55"), std::string::npos) << e.errores;
    EXPECT_EQ(e.errores.find("Debitos"), std::string::npos) << e.errores;
  }
}

TEST_F(MensajesClaros, UnDesdeDelAnioAnteriorSeAvisaSinCambiarLasCifras) {
  auto antes = correrNubo(base({"--desde", "15/12/2024", "--texto"}));
  auto enero = correrNubo(base({"--desde", "01/01/2025", "--texto"}));
  EXPECT_EQ(antes.estado, 0);
  EXPECT_EQ(antes.salida, enero.salida);
  EXPECT_EQ(antes.errores,
            "nubo: aviso: --desde 15/12/2024 es anterior al 01/01/2025: las columnas del período "
            "cuentan solo desde el 01/01/2025, el año de --hasta\n");
}

TEST_F(MensajesClaros, ExcelGuionEscribeElLibroEnLaSalida) {
  std::string libro = c_.ruta() / "libro.xls";
  ASSERT_EQ(correrNubo(base({"--excel", libro})).estado, 0);
  auto e = correrNubo(base({"--excel", "-"}));
  std::ostringstream archivo;
  archivo << std::ifstream(libro, std::ios::binary).rdbuf();
  EXPECT_EQ(e.estado, 0) << e.errores;
  EXPECT_TRUE(e.salida == archivo.str());
  EXPECT_FALSE(fs::exists(c_.ruta() / "-"));
}

// The tables nubo creates (the demo company's, the report database's) refuse what is no number.
TEST(TablasEstrictas, UnMontoQueNoEsNumeroNoEntra) {
  Carpeta c;
  fs::path f = c.ruta() / "c.db";
  prueba::crearBase(f, scriptTablasContabilidad() + kTablaPrograma + ";");
  for (std::string v : {"'abc'", "'1.000,50'", "x'00'"}) {
    EXPECT_THROW(prueba::crearBase(f, "insert into ctdcomprmm(haber_nacional) values(" + v + ")"),
                 std::runtime_error)
        << v;
  }
}

TEST(SalidaTerminal, LosCaracteresDeControlNoLleganAlTerminal) {
  const std::string nombres[] = {"\x1b]0;otro titulo\x07", "\x1b[2J\x1b[H",
                                 "Caja\xc2\x9b"
                                 "1m",
                                 "Ca\rja\x7f\x08"};
  for (const auto& n : nombres) {
    std::ostringstream s;
    escribirTabla(s, {{"1101\x1b[5m", n, {1.0}}});
    for (unsigned char ch : s.str()) {
      EXPECT_TRUE(ch >= 0x20 || ch == '\n') << int(ch) << " en " << s.str();
      EXPECT_NE(ch, 0x7F) << s.str();
    }
    EXPECT_EQ(s.str().find("\xc2\x9b"), std::string::npos) << s.str();
  }
}

}  // namespace
}  // namespace suite
