#include "export/archivo_seguro.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "archivos_prueba.h"
#include "disco_falla.h"
#include "host/error.h"

namespace prjsumsal {
namespace {

namespace fs = std::filesystem;
using prueba::escribir;
using prueba::leer;

class ArchivoSeguroTest : public testing::Test {
 protected:
  std::string ruta(const std::string& nombre) const { return carpeta_.ruta(nombre); }
  std::size_t archivos() const { return carpeta_.archivos().size(); }

  prueba::CarpetaPrueba carpeta_{"archivo_seguro_"};
};

// The file is replaced, keeping its permissions, only when confirmed; until then, and when never
// confirmed (a failure part way, with more than one buffer already on disk), the earlier file or
// nothing stays, and no temporary file.
TEST_F(ArchivoSeguroTest, ReemplazaElArchivoSoloAlConfirmar) {
  const fs::perms permisos = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  struct Caso {
    const char* anterior;  // nullptr: no earlier file
    bool confirmar;
    const char* queda;  // nullptr: no file
  };
  const Caso casos[] = {
      {"anterior", true, "nuevo"},
      {"anterior", false, "anterior"},
      {nullptr, false, nullptr},
  };
  for (const auto& c : casos) {
    std::string r = ruta("libro.xls");
    fs::remove(r);
    if (c.anterior) {
      escribir(r, c.anterior);
      fs::permissions(r, permisos);
    }
    {
      ArchivoSeguro a(r);
      a.flujo() << "nuevo" << std::string(200000, ' ');
      EXPECT_EQ(leer(r), c.anterior ? c.anterior : "");  // nothing visible before the end
      if (c.confirmar) a.confirmar();
    }
    SCOPED_TRACE(std::string(c.anterior ? c.anterior : "sin anterior") +
                 (c.confirmar ? ", confirmado" : ", sin confirmar"));
    EXPECT_EQ(archivos(), c.queda ? 1u : 0u);
    if (c.queda) {
      EXPECT_EQ(leer(r).substr(0, 5), std::string(c.queda).substr(0, 5));
      EXPECT_EQ(fs::status(r).permissions() & fs::perms::all, permisos);
    }
  }
}

TEST_F(ArchivoSeguroTest, RutasQueNoSePuedenCrear) {
  const std::pair<std::string, const char*> casos[] = {
      {ruta("no_existe/libro.xls"), "la carpeta no existe"},
      {carpeta_.ruta().string(), "es una carpeta"},
      {"", "no se indicó su nombre"},
  };
  for (const auto& [r, motivo] : casos) {
    try {
      ArchivoSeguro a(r);
      ADD_FAILURE() << "se abrió " << r;
    } catch (const Error& e) {
      std::string m = e.what();
      EXPECT_EQ(m.rfind("No se puede crear el archivo" + (r.empty() ? "" : " " + r), 0), 0u) << m;
      EXPECT_NE(m.find(motivo), std::string::npos) << m;
    }
  }
  EXPECT_EQ(archivos(), 0u);
}

// A name as long as the system admits, and a symbolic link, which stays a link to the file it
// named.
TEST_F(ArchivoSeguroTest, NombreLargoYEnlaceSimbolico) {
  std::string largo = ruta(std::string(250, 'n') + ".xls");
  std::string real = ruta("real.xls"), enlace = ruta("enlace.xls");
  escribir(real, "anterior");
  fs::create_symlink(real, enlace);
  for (const std::string& r : {largo, enlace}) {
    ArchivoSeguro a(r);
    a.flujo() << "nuevo";
    a.confirmar();
    EXPECT_EQ(leer(r), "nuevo") << r;
  }
  EXPECT_TRUE(fs::is_symlink(enlace));
  EXPECT_EQ(leer(real), "nuevo");
  EXPECT_EQ(archivos(), 3u);
}

// A disk that fails part way (full, failing, past the size limit, a close that reports an
// error): the failure is raised with its reason, the earlier file stays and no temporary file is
// left. A real disk that fills is nubo's, RENDIDOR's and the .xlsx writer's to test.
TEST_F(ArchivoSeguroTest, FallasDelDiscoDejanElArchivoAnterior) {
  using L = prueba::DiscoFalla::Llamada;
  const struct {
    L llamada;
    int enesima, error;
    const char* mensaje;
  } casos[] = {
      {L::Abrir, 1, EACCES, "No se puede crear el archivo {}: permiso denegado"},
      {L::Escribir, 1, ENOSPC, "No se puede escribir el archivo {}: no queda espacio en el disco"},
      {L::Escribir, 3, EIO,
       "No se puede escribir el archivo {}: error de entrada o salida del disco"},
      {L::Escribir, 2, EFBIG,
       "No se puede escribir el archivo {}: el archivo supera el tamaño máximo permitido"},
      {L::Sincronizar, 1, EIO,
       "No se puede escribir el archivo {}: error de entrada o salida del disco"},
      {L::Cerrar, 1, ENOSPC, "No se puede escribir el archivo {}: no queda espacio en el disco"},
  };
  const std::string r = ruta("libro.xls");
  for (const auto& c : casos) {
    escribir(r, "anterior");
    prueba::DiscoFalla disco(c.llamada, c.enesima, c.error);
    std::string mensaje;
    try {
      ArchivoSeguro a(r, &disco);
      for (int i = 0; i < 5000; ++i) a.flujo() << "<Row>una línea del libro</Row>\r\n";
      a.confirmar();
    } catch (const Error& e) {
      mensaje = e.what();
    }
    std::string esperado = c.mensaje;
    esperado.replace(esperado.find("{}"), 2, r);
    EXPECT_EQ(mensaje, esperado);
    EXPECT_EQ(leer(r), "anterior") << esperado;
    EXPECT_EQ(archivos(), 1u) << esperado;
  }
}

// A disk whose process "7" lives and "9" has ended: only the temporary files of ended processes,
// named as ArchivoSeguro names them, go; the live process's, other names and folders stay.
TEST_F(ArchivoSeguroTest, QuitaLosTemporalesDeProcesosTerminados) {
  class DiscoDeDos : public prueba::DiscoFalla {
   public:
    DiscoDeDos() : DiscoFalla(Llamada::Abrir, 0, 0) {}
    std::string dueno() override { return "7@m"; }
    bool terminado(const std::string& d) override { return d == "9@m"; }
  } disco;
  const std::string restos[] = {".libro.xls.9@m.0123456789abcdef.tmp",
                                ".otro.pdf.9@m.fedcba9876543210.tmp"};
  const std::string ajenos[] = {".libro.xls.7@m.0123456789abcdef.tmp",  // alive
                                ".libro.xls.9@n.0123456789abcdef.tmp",  // another machine
                                ".libro.xls.9@m.01234567.tmp",
                                "libro.xls.9@m.0123456789abcdef.tmp",
                                ".libro.xls.9@m.0123456789abcdef.tmp.bak",
                                ".x.9@m.0123456789abcdeg.tmp"};
  for (const auto& n : restos) escribir(ruta(n), "resto");
  for (const auto& n : ajenos) escribir(ruta(n), "ajeno");
  fs::create_directory(ruta(".d.9@m.0123456789abcdef.tmp"));
  ArchivoSeguro a(ruta("libro.xls"), &disco);
  a.flujo() << "nuevo";
  a.confirmar();
  for (const auto& n : restos) EXPECT_FALSE(fs::exists(ruta(n))) << n;
  for (const auto& n : ajenos) EXPECT_TRUE(fs::exists(ruta(n))) << n;
  EXPECT_TRUE(fs::is_directory(ruta(".d.9@m.0123456789abcdef.tmp")));
  EXPECT_EQ(leer(ruta("libro.xls")), "nuevo");
}

// A protected file (an open database) is no target however the path names it, nor are the
// journal files its engine keeps beside it; once unprotected it is an ordinary file.
TEST_F(ArchivoSeguroTest, NuncaSobreUnArchivoProtegido) {
  fs::create_directory(ruta("sub"));
  const std::string base = ruta("conta.db");
  escribir(base, "datos");
  fs::create_symlink(base, ruta("enlace.pdf"));
  fs::create_hard_link(base, ruta("duro.pdf"));
  {
    Protegido p(base, "la base de datos de contabilidad abierta");
    for (const std::string& r : {base, ruta("sub/../conta.db"), ruta("enlace.pdf"),
                                 ruta("duro.pdf"), base + "-wal", base + "-journal"}) {
      try {
        ArchivoSeguro a(r);
        ADD_FAILURE() << "se abrió " << r;
      } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("No se puede escribir el archivo " + r + ": es ", 0),
                  0u)
            << e.what();
        EXPECT_NE(std::string(e.what()).find("base de datos de contabilidad abierta"),
                  std::string::npos);
      }
    }
    EXPECT_EQ(leer(base), "datos");
    EXPECT_EQ(archivos(), 4u);  // sub, conta.db and its two links: no temporary file
  }
  ArchivoSeguro a(ruta("duro.pdf"));
  a.flujo() << "pdf";
  a.confirmar();
  EXPECT_EQ(leer(ruta("duro.pdf")), "pdf");
  EXPECT_EQ(leer(base), "datos");  // the link was replaced, not the file it shared
}

}  // namespace
}  // namespace prjsumsal
