// The report database as the other programs of the suite find it while the balance form is open
// in a host session and after a data preparation that fails: on SQLite, and with the `pg.`
// prefix on the test run's PostgreSQL server.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "ayuda_pruebas.h"
#include "balance/tabla_trabajo.h"
#include "datos/tests/base_prueba.h"
#include "formulario.h"
#include "host/error.h"

namespace suite::anfitrion {
namespace {

namespace fs = std::filesystem;
using datos::BasePostgres;
using datos::BaseSqlite;
using datos::kTablaPrograma;
using datos::kTablaProgramaPostgres;
using datos::Papel;
using datos::scriptTablasContabilidad;
using prjsumsal::Valor;

class InformesLibres : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("XDG_CONFIG_HOME", (carpeta_.ruta() / "config").c_str(), 1);
    // Three accounts moved in March 2025; the year's debits of the second are null, so the
    // preparation fails at it, after the first account's row.
    prueba::crearBase(contabilidad_, scriptTablasContabilidad() + R"(
      insert into admempresa(n_empresa) values ('SUR LTDA');
      insert into ctmcentros values ('1101', 'Caja', 'A'), ('2101', 'Proveedores', 'P'),
        ('3101', 'Capital', 'T');
      insert into ctccomprmm values (1, 1, '2025-03-05', 'T', 1, 1, '0');
      insert into ctdcomprmm values (1, 1, '2025-03-05', 'T', 1, '1101', 100, 0),
        (1, 1, '2025-03-05', 'T', 1, '2101', null, 0),
        (1, 1, '2025-03-05', 'T', 1, '3101', 0, 100);
    )");
    // The work table is the host's, made before the form opens (the permission's fifth
    // character is 0), so that on a server it is a table every session sees.
    if (prueba::enPostgres()) {
      informes_ = prueba::uriEsquemaNuevo();
      auto db = BasePostgres::conectar(informes_, Papel::Contabilidad);
      db->executesql(kTablaProgramaPostgres);
      db->executesql(prjsumsal::sentenciaCrearTabla());
    } else {
      informes_ = (carpeta_.ruta() / "informes.db").string();
      prueba::crearBase(informes_, kTablaPrograma);
      BaseSqlite::abrir(informes_, Papel::Contabilidad)
          ->executesql(prjsumsal::sentenciaCrearTabla());
    }
  }
  void TearDown() override { ::unsetenv("XDG_CONFIG_HOME"); }

  // Another program of the suite on the report database, which waits a second at most for a
  // lock.
  std::unique_ptr<prjsumsal::BaseDatos> otroPrograma() {
    if (prueba::enPostgres()) {
      auto db = BasePostgres::conectar(informes_, Papel::Contabilidad);
      db->executesql("set lock_timeout = 1000");
      return db;
    }
    auto db = BaseSqlite::abrir(informes_, Papel::Contabilidad);
    db->executesql("PRAGMA busy_timeout = 1000");
    return db;
  }
  static std::vector<std::string> columna(prjsumsal::BaseDatos& db, const std::string& sql) {
    std::vector<std::string> r;
    for (auto rs = db.newrecord(sql); !rs->eof(); rs->MoveNext()) {
      r.push_back(rs->fields("c").Value.texto());
    }
    return r;
  }

  prueba::Carpeta carpeta_;
  fs::path contabilidad_ = carpeta_.ruta() / "contabilidad.db";
  std::string informes_;
};

TEST_F(InformesLibres, ConElFormularioAbiertoYTrasUnaPreparacionFallida) {
  Opciones o;
  o.contabilidad = contabilidad_.string();
  o.informes = informes_;
  o.permiso = "00010";
  o.desde = prjsumsal::Fecha{2025, 3, 1};
  o.hasta = prjsumsal::Fecha{2025, 3, 31};
  Bases bases;
  bases.contabilidad = BaseSqlite::abrir(contabilidad_, Papel::Contabilidad);
  if (prueba::enPostgres()) {
    bases.informes = BasePostgres::conectar(informes_, Papel::Informes);
  } else {
    bases.informes = BaseSqlite::abrir(informes_, Papel::Informes);
  }
  std::ostringstream errores;
  SesionFormulario sesion(o, bases, errores);

  // The form waits for its user: its row is there for everyone, and nothing holds the table.
  auto otro = otroPrograma();
  EXPECT_EQ(columna(*otro, "select programa as c from programa"),
            std::vector<std::string>{"ctrsumsal"});
  EXPECT_NO_THROW(otro->executesql("insert into programa(programa) values('ctcuentas')"));

  sesion.preparar();
  EXPECT_TRUE(sesion.fallo());
  EXPECT_NE(errores.str().find("2101"), std::string::npos) << errores.str();
  // The row written before the failure stays, the closing row is missing, and nothing is held.
  EXPECT_EQ(columna(*otro, "select centro as c from ctrsumsal order by reporte"),
            std::vector<std::string>{"1101"});
  EXPECT_NO_THROW(otro->executesql("delete from programa where programa='ctcuentas'"));

  sesion.cerrar();
  EXPECT_TRUE(columna(*otro, "select programa as c from programa").empty());
}

}  // namespace
}  // namespace suite::anfitrion
