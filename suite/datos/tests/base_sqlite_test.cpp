#include "datos/base_sqlite.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include "balance/tabla_trabajo.h"
#include "datos/error_sqlite.h"
#include "host/solo_avance.h"

namespace suite::datos {
namespace {

namespace fs = std::filesystem;
using prjsumsal::Valor;

// A fresh folder for files of one test, removed at the end.
class Carpeta {
 public:
  Carpeta() : ruta_(fs::temp_directory_path() / ("datos_test_" + std::to_string(::getpid()))) {
    fs::remove_all(ruta_);
    fs::create_directories(ruta_);
  }
  ~Carpeta() { fs::remove_all(ruta_); }
  fs::path operator/(const char* nombre) const { return ruta_ / nombre; }

 private:
  fs::path ruta_;
};

TEST(BaseSqlite, ExecutesqlDevuelveDistintoDeCeroOElMensajeDelMotor) {
  auto db = BaseSqlite::enMemoria(Papel::Informes);
  EXPECT_NE(db->executesql("create table t (a integer)"), 0);
  EXPECT_NE(db->executesql("delete from t"), 0);  // no row changed is still success
  try {
    db->executesql("insert into no_existe values (1)");
    FAIL() << "la sentencia debía fallar";
  } catch (const ErrorSqlite& e) {
    EXPECT_STREQ(e.what(), "no such table: no_existe (base de datos de informes :memory:)");
    EXPECT_EQ(e.codigo(), SQLITE_ERROR);
  }
  try {
    db->executesql("create table t (a integer)");
    FAIL() << "la tabla ya existía";
  } catch (const prjsumsal::Error& e) {
    EXPECT_STREQ(e.what(), "table t already exists");
  }
}

TEST(BaseSqlite, UnaSolaSentenciaPorLlamada) {
  // A value with a quote of its own must not turn into a second statement.
  auto db = BaseSqlite::enMemoria(Papel::Informes);
  db->executesql("create table t (a text)");
  EXPECT_THROW(db->executesql("insert into t values('x'); drop table t; --')"), ErrorSqlite);
  EXPECT_TRUE(db->newrecord("select * from t")->eof());
  EXPECT_NE(db->executesql("insert into t values('x');  "), 0);  // a closing semicolon is fine
}

TEST(BaseSqlite, TablaDeTrabajoNumeraLasFilas) {
  auto db = BaseSqlite::enMemoria(Papel::Informes);
  db->executesql(prjsumsal::sentenciaCrearTabla());  // as the form sends it
  for (int vuelta = 0; vuelta < 2; ++vuelta) {
    db->executesql("delete from ctrsumsal ");
    for (const char* centro : {"1101", "2101", "NULL"}) {
      db->executesql(std::string("insert into ctrsumsal(empresa,usuario,fecha,centro)  values('3 "
                                 "SUR','7 ANA','01/03/2024','") +
                     centro + "')");
    }
    auto rs = db->newrecord("select reporte, centro from ctrsumsal order by reporte");
    for (int n = 1; n <= 3; ++n, rs->MoveNext()) {
      ASSERT_FALSE(rs->eof());
      EXPECT_EQ(rs->fields("reporte").Value, Valor(n)) << "vuelta " << vuelta;
    }
    EXPECT_TRUE(rs->eof());
  }
  // Rows sent through the prepared shape hold what the literals would have given.
  db->executesql(
      "insert into ctrsumsal(centro, n_centro, debe, haber) values('7', 'O''Hara', 1.5, -2)");
  db->executesql("insert into ctrsumsal(centro, n_centro, debe, haber) values('8', '', 3, 1e2)");
  auto rs = db->newrecord(
      "select n_centro, debe, haber from ctrsumsal where centro in ('7','8') order by centro");
  EXPECT_EQ(rs->fields("n_centro").Value, Valor("O'Hara"));
  EXPECT_EQ(rs->fields("debe").Value, Valor(1.5));
  EXPECT_EQ(rs->fields("haber").Value, Valor(-2.0));
  rs->MoveNext();
  EXPECT_EQ(rs->fields("n_centro").Value, Valor(""));
  EXPECT_EQ(rs->fields("haber").Value, Valor(100.0));
  EXPECT_THROW(db->executesql("insert into ctrsumsal(centro, debe) values('9', 'x')"), ErrorSqlite);
  // The amounts column is a double even when the statement writes whole numbers.
  db->executesql("insert into ctrsumsal(centro, debe) values('1', 1235)");
  EXPECT_EQ(db->newrecord("select debe from ctrsumsal where centro='1'")->fields("debe").Value,
            Valor(1235.0));
}

// A set read forward gives the rows and values of one read whole, and fails where a walk
// past its end or a search would: it cannot go back to look.
TEST(BaseSqlite, SoloAvanceDaLasMismasFilas) {
  auto db = BaseSqlite::enMemoria(Papel::Informes);
  db->executesql("create table t (n integer, Texto text, m double)");
  for (int i = 0; i < 3; ++i) {
    db->executesql("insert into t values(" + std::to_string(i) + ", 'fila " + std::to_string(i) +
                   "', null)");
  }
  const char* sql = "select * from t order by n";
  auto entero = db->newrecord(sql);
  auto avance = db->newrecord(sql, prjsumsal::kSoloAvance);
  for (; !entero->eof(); entero->MoveNext(), avance->MoveNext()) {
    ASSERT_FALSE(avance->eof());
    for (const char* c : {"n", "TEXTO", "m"})
      EXPECT_EQ(avance->fields(c).Value, entero->fields(c).Value) << c;
  }
  EXPECT_TRUE(avance->eof());
  EXPECT_THROW(avance->MoveNext(), prjsumsal::Error);
  EXPECT_THROW(avance->fields("n"), prjsumsal::Error);
  EXPECT_THROW(db->newrecord(sql, prjsumsal::kSoloAvance)->findfirst("n=1"), prjsumsal::Error);
  EXPECT_THROW(db->newrecord(sql, prjsumsal::kSoloAvance)->fields("falta"), prjsumsal::Error);
  EXPECT_THROW(db->newrecord("select falta from t", prjsumsal::kSoloAvance), ErrorSqlite);
  EXPECT_TRUE(db->newrecord("select * from t where n > 5", prjsumsal::kSoloAvance)->eof());
}

TEST(BaseSqlite, CrearYVolverAAbrir) {
  Carpeta dir;
  fs::path ruta = dir / "nueva.db";
  {
    auto db = BaseSqlite::crear(ruta, Papel::Contabilidad);
    db->executesql("create table programa (programa text(20))");
    db->executesql("insert into programa values ('ctrsumsal')");
    EXPECT_EQ(db->Name(), fs::absolute(ruta).string());
  }
  EXPECT_THROW(BaseSqlite::crear(ruta, Papel::Contabilidad), prjsumsal::Error);  // never clobbers
  // A relative path still gives an absolute Name.
  fs::path antes = fs::current_path();
  fs::current_path(ruta.parent_path());
  auto db = BaseSqlite::abrir("nueva.db", Papel::Informes);
  fs::current_path(antes);
  EXPECT_EQ(db->Name(), fs::absolute(ruta).string());
  EXPECT_EQ(db->newrecord("select * from programa")->fields("programa").Value, Valor("ctrsumsal"));
  EXPECT_EQ(BaseSqlite::enMemoria(Papel::Informes)->Name(), ":memory:");
}

// The accounting database keeps the journal mode its host gave it, and SQLite's default
// synchronisation; only the report database (scratch) goes to a write-ahead log without a sync
// per commit.
TEST(BaseSqlite, DiarioYSincronizacionSegunElPapel) {
  const struct {
    Papel papel;
    const char* antes;
    const char* diario;
    const char* sincronizacion;
  } casos[] = {{Papel::Contabilidad, "delete", "delete", "2"},
               {Papel::Contabilidad, "wal", "wal", "2"},
               {Papel::Informes, "delete", "wal", "0"}};
  for (const auto& c : casos) {
    Carpeta d;
    {
      auto nueva = BaseSqlite::crear(d / "b.db", c.papel);
      nueva->executesql("create table t(x)");
      nueva->executesql(std::string("pragma journal_mode=") + c.antes);
    }
    {
      auto b = BaseSqlite::abrir(d / "b.db", c.papel);
      b->executesql("insert into t values(1)");
      EXPECT_EQ(b->newrecord("pragma synchronous")->fields("synchronous").Value.texto(),
                c.sincronizacion)
          << c.antes;
    }
    auto b = BaseSqlite::abrir(d / "b.db", Papel::Contabilidad);
    EXPECT_EQ(b->newrecord("pragma journal_mode")->fields("journal_mode").Value.texto(), c.diario)
        << c.antes;
  }
}

// Tables created through the object are STRICT: a text in a number column is refused. A table
// with a type STRICT does not know is made as written.
TEST(BaseSqlite, LasTablasCreadasSonEstrictas) {
  auto db = BaseSqlite::enMemoria(Papel::Informes);
  db->executesql("create table t (id counter, monto double, nombre text(10))");
  EXPECT_THROW(db->executesql("insert into t(monto) values('abc')"), ErrorSqlite);
  db->executesql("create table u (dia date)");
  EXPECT_NE(db->executesql("insert into u values('abc')"), 0);
}

}  // namespace
}  // namespace suite::datos
