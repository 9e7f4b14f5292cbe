// The grouped record sets read two at once (a second connection, one state of the database) and
// the transactions of the report database's writes, on SQLite in both journal modes and on
// the test run's PostgreSQL server.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <thread>
#include <utility>

#include "balance/calculo.h"
#include "base_falla.h"
#include "datos/lectura_doble.h"
#include "datos/lote.h"
#include "datos/tests/base_prueba.h"
#include "host/error.h"

namespace suite::datos {
namespace {

namespace fs = std::filesystem;
using prjsumsal::Valor;

// Where a test's databases live: an SQLite file in a journal mode, or a schema on the server.
struct Motor {
  const char* nombre;
  const char* diario;  // SQLite's journal mode; null on PostgreSQL
};

std::vector<Motor> motores() {
  if (prueba::enPostgres()) return {{"postgresql", nullptr}};
  return {{"sqlite wal", "wal"}, {"sqlite delete", "delete"}};
}

int hilos() {
  return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/task"), {}));
}

class ALaPar : public ::testing::Test {
 protected:
  void SetUp() override {
    carpeta_ = fs::temp_directory_path() / ("a_la_par_" + std::to_string(::getpid()));
    fs::remove_all(carpeta_);
    fs::create_directories(carpeta_);
  }
  void TearDown() override { fs::remove_all(carpeta_); }

  // A fresh database of `papel` for `m`; later calls for the same motor open the same one.
  void preparar(const Motor& m) {
    motor_ = m;
    if (m.diario == nullptr) {
      // A name of its own shows the object's connections among the server's sessions.
      aplicacion_ = "a_la_par_" + std::to_string(::getpid()) + "_" + std::to_string(++n_);
      uri_ = prueba::uriEsquemaNuevo() + "&application_name=" + aplicacion_;
    } else {
      archivo_ = carpeta_ / (std::to_string(++n_) + ".db");
      BaseSqlite::crear(archivo_, Papel::Contabilidad)->executesql("create table t(x)");
    }
  }
  std::unique_ptr<prjsumsal::BaseDatos> abrir(Papel papel = Papel::Contabilidad) {
    if (motor_.diario == nullptr) return BasePostgres::conectar(uri_, papel);
    auto db = BaseSqlite::abrir(archivo_, papel);
    db->executesql(std::string("PRAGMA journal_mode=") + motor_.diario);
    return db;
  }
  static int aLaPar(prjsumsal::BaseDatos& db) {
    if (auto* s = dynamic_cast<BaseSqlite*>(&db)) return s->lecturasALaPar();
    return dynamic_cast<BasePostgres&>(db).lecturasALaPar();
  }
  // The connections the object holds to its database: files open on SQLite, sessions on the
  // server (which end a moment after the client lets go of them).
  int conexiones() {
    if (motor_.diario == nullptr) {
      auto mira = BasePostgres::conectar(prueba::servidorPrueba(), Papel::Contabilidad);
      const std::string cuenta =
          "select count(*) as n from pg_stat_activity where application_name = '" + aplicacion_ +
          "'";
      for (int i = 0; i < 200; ++i) {
        Valor n = mira->newrecord(cuenta)->fields("n").Value;
        if (n == Valor(1) || i == 199) return static_cast<int>(n.entero());
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    }
    int n = 0;
    for (const auto& e : fs::directory_iterator("/proc/self/fd")) {
      std::error_code ec;
      if (fs::read_symlink(e.path(), ec) == archivo_) ++n;
    }
    return n;
  }
  void crearDiario(prjsumsal::BaseDatos& db) {
    for (const char* t : prueba::tablasContabilidad()) db.executesql(t);
    db.executesql("insert into ctmcentros values ('1101', 'Caja', 'A')");
  }
  static void asentar(prjsumsal::BaseDatos& db, int num, const char* dia = "2024-03-05") {
    std::string claves = "1, 1, #" + std::string(dia) + "#, 'I', " + std::to_string(num);
    db.executesql("insert into ctccomprmm values(" + claves + ", 7, '0')");
    db.executesql("insert into ctdcomprmm values(" + claves + ", '1101', 100, 0)");
  }
  // The balance of March 2024; every voucher is in March, so an account's period debits equal
  // its year's debits unless the two statements read different states of the journal.
  static prjsumsal::FilaBalance balance(prjsumsal::BaseDatos& db) {
    prjsumsal::Calculo calculo(db, {1, 7, 0, "2024-03-01", "2024-03-31", 2024, "1"},
                               prjsumsal::Uso::Informe);
    prjsumsal::FilaBalance f;
    EXPECT_TRUE(calculo.siguiente(f));
    return f;
  }

  fs::path carpeta_;
  Motor motor_{};
  fs::path archivo_;
  std::string uri_, aplicacion_;
  int n_ = 0;
};

// A voucher posted by another user right after the period statement is opened lands in both
// record sets, never in the year's alone; on the server, whose reads share one snapshot taken
// before, in neither.
TEST_F(ALaPar, UnAsientoDeOtroEstaEnAmbasONinguna) {
  for (const Motor& m : motores()) {
    SCOPED_TRACE(m.nombre);
    preparar(m);
    std::shared_ptr<prjsumsal::BaseDatos> db = abrir();
    auto otro = abrir();
    crearDiario(*db);
    asentar(*db, 1);
    struct Intrusa : prjsumsal::prueba::BaseQueFalla {
      using BaseQueFalla::BaseQueFalla;
      std::function<void()> alLeer;
      std::unique_ptr<prjsumsal::Registros> newrecord(const std::string& s,
                                                      std::int16_t o) override {
        auto r = BaseQueFalla::newrecord(s, o);
        if (alLeer) std::exchange(alLeer, nullptr)();
        return r;
      }
    } base(db);
    base.alLeer = [&] { asentar(*otro, 2); };
    prjsumsal::FilaBalance f = balance(base);
    EXPECT_EQ(f.debe, f.debe_act);
    if (m.diario == nullptr) {
      EXPECT_EQ(f.debe, 100);
    }
    EXPECT_EQ(aLaPar(*db), 1);
  }
}

// Another user posts all along while balances run: each balance reads one state, and nobody
// waits for ever or fails.
TEST_F(ALaPar, AsientosContinuosNuncaQuedanEnUnaSola) {
  for (const Motor& m : motores()) {
    SCOPED_TRACE(m.nombre);
    preparar(m);
    auto db = abrir();
    crearDiario(*db);
    asentar(*db, 1);
    std::atomic<bool> fin{false};
    std::atomic<int> asentados{0};
    std::string fallaOtro;
    auto base = abrir();
    std::thread otro([&] {
      try {
        for (int n = 2; !fin; ++n, ++asentados) {
          base->executesql("begin transaction");
          asentar(*base, n);
          base->executesql("commit transaction");
          // A pause, as between users' vouchers: in rollback mode a writer that never pauses
          // keeps every reader out.
          std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
      } catch (const std::exception& e) {
        fallaOtro = e.what();
      }
    });
    std::string falla;
    for (int vuelta = 0; vuelta < 40 && (vuelta < 5 || asentados < 5); ++vuelta) {
      try {
        prjsumsal::FilaBalance f = balance(*db);
        if (f.debe != f.debe_act) {
          falla = "vuelta " + std::to_string(vuelta) + ": periodo " + std::to_string(f.debe) +
                  ", año " + std::to_string(f.debe_act);
        }
      } catch (const std::exception& e) {
        falla = e.what();
      }
      if (!falla.empty()) break;
    }
    fin = true;
    otro.join();
    EXPECT_EQ(falla, "");
    EXPECT_EQ(fallaOtro, "");
    EXPECT_GT(asentados, 0);
    EXPECT_GT(aLaPar(*db), 0);
  }
}

// Either statement may fail while its rows are read: the first failure in the order the
// statements came is raised, at the latest by the second record set, and the second connection
// and its thread are gone by then.
TEST_F(ALaPar, UnaFallaNoDejaHilosNiConexiones) {
  // A statement that the engine accepts and that fails on its first row.
  const std::string falla =
      prueba::enPostgres() ? "select 1/(count(*) - count(*)) as x from ctmcentros"
                           : "select abs(-9223372036854775807 - count(*)) as x from ctmcentros";
  const std::string buena = "select count(*) as n from ctmcentros";
  for (const Motor& m : motores()) {
    SCOPED_TRACE(m.nombre);
    preparar(m);
    auto db = abrir();
    crearDiario(*db);
    // SQLite keeps the descriptor of a closed file for the next connection to it while another
    // connection of the process holds a lock there: a first pair lets it settle.
    auto par = db->newrecord(buena, 4);
    db->newrecord(buena, 4);
    par.reset();
    const int antesHilos = hilos(), antesConexiones = conexiones();
    std::string mensaje;
    try {
      db->newrecord(falla, 4)->eof();
    } catch (const prjsumsal::Error& e) {
      mensaje = e.what();  // read on its own, when used
    }
    ASSERT_NE(mensaje, "");
    for (bool primera : {true, false}) {
      SCOPED_TRACE(primera ? "falla la primera" : "falla la segunda");
      auto uno = db->newrecord(primera ? falla : buena, 4);
      try {
        db->newrecord(primera ? buena : falla, 4);
        ADD_FAILURE() << "debía fallar";
      } catch (const prjsumsal::Error& e) {
        EXPECT_EQ(e.what(), mensaje);
      }
      EXPECT_EQ(hilos(), antesHilos);
      EXPECT_EQ(conexiones(), antesConexiones);
      if (primera) {
        EXPECT_THROW(uno->eof(), prjsumsal::Error);
      } else {
        EXPECT_EQ(uno->fields("n").Value, Valor(1));
      }
    }
    EXPECT_EQ(aLaPar(*db), 3);
    EXPECT_EQ(db->newrecord(buena)->fields("n").Value, Valor(1)) << "la base sigue útil";
  }
}

// Each statement is committed when it returns: another program sees it and writes beside it at
// once. A batch keeps its statements in one transaction, but none outlives it: a statement that
// fails leaves the ones before it stored (on the server, past the batch's commits every
// kTramo statements), and so does a batch left through an exception.
TEST_F(ALaPar, NingunaTransaccionQuedaAbiertaFueraDeUnLote) {
  for (const Motor& m : motores()) {
    SCOPED_TRACE(m.nombre);
    preparar(m);
    {
      // Tables every session sees: the report database's own would be private on the server.
      auto host = abrir();
      host->executesql(
          "create table ctrsumsal (reporte counter, centro text(20), debe double, "
          "CONSTRAINT primario PRIMARY KEY (reporte))");
      host->executesql("create table programa (programa text(50))");
    }
    std::shared_ptr<prjsumsal::BaseDatos> db = abrir(Papel::Informes);
    auto otro = abrir();  // another program, which waits a second at most for a lock
    otro->executesql(m.diario != nullptr ? "PRAGMA busy_timeout = 1000"
                                         : "set lock_timeout = 1000");
    auto filas = [&] {
      return otro->newrecord("select count(*) as n from ctrsumsal")->fields("n").Value;
    };
    auto otroEscribe = [&] {
      otro->executesql("insert into programa(programa) values('otro')");
      return true;
    };

    db->executesql("insert into programa(programa) values('ctrsumsal')");
    EXPECT_EQ(otro->newrecord("select count(*) as n from programa")->fields("n").Value, Valor(1));
    EXPECT_TRUE(otroEscribe());

    const int antes = static_cast<int>(BasePostgres::kTramo) * 2 + 10;
    {
      AlcanceLote lote(db);
      db->executesql("delete from ctrsumsal");
      for (int i = 0; i < antes; ++i) {
        db->executesql("insert into ctrsumsal(centro, debe) values('" + std::to_string(i) +
                       "', 1)");
      }
      EXPECT_THROW(db->executesql("insert into ctrsumsal(centro, debe) values('x', 'x')"),
                   prjsumsal::Error);
      EXPECT_EQ(filas(), Valor(antes)) << "las filas anteriores a la falla quedan";
      EXPECT_TRUE(otroEscribe());
    }
    try {
      AlcanceLote lote(db);
      db->executesql("delete from ctrsumsal");
      db->executesql("insert into ctrsumsal(centro, debe) values('1101', 1)");
      throw prjsumsal::Error("un nulo en la contabilidad");
    } catch (const prjsumsal::Error&) {
    }
    EXPECT_EQ(filas(), Valor(1));
    EXPECT_TRUE(otroEscribe());
  }
}

// Between the two read transactions another connection commits: in rollback mode it cannot
// (the first holds the shared lock); in write-ahead-log mode it can, and the two begin again.
TEST(LecturaDoble, UnCommitEntreAmbasNoLasSepara) {
  if (prueba::enPostgres()) GTEST_SKIP();
  const fs::path archivo = fs::temp_directory_path() / ("doble_" + std::to_string(::getpid()));
  for (const char* modo : {"wal", "delete"}) {
    SCOPED_TRACE(modo);
    fs::remove(archivo);
    sqlite3 *a = nullptr, *b = nullptr;
    ASSERT_EQ(sqlite3_open(archivo.c_str(), &a), SQLITE_OK);
    ASSERT_EQ(sqlite3_open(archivo.c_str(), &b), SQLITE_OK);
    sqlite3_exec(a, (std::string("PRAGMA journal_mode=") + modo).c_str(), nullptr, nullptr,
                 nullptr);
    sqlite3_exec(a, "create table t(x); insert into t values(1)", nullptr, nullptr, nullptr);
    auto cuenta = [](sqlite3* db) {
      sqlite3_stmt* st = nullptr;
      sqlite3_prepare_v2(db, "select count(*) from t", -1, &st, nullptr);
      sqlite3_step(st);
      int n = sqlite3_column_int(st, 0);
      sqlite3_finalize(st);
      return n;
    };
    int escrito = -1;
    {
      LecturaDoble par(a, [&] {
        escrito = sqlite3_exec(b, "insert into t values(2)", nullptr, nullptr, nullptr);
      });
      ASSERT_NE(par.segunda(), nullptr);
      EXPECT_EQ(cuenta(a), cuenta(par.segunda()));
    }
    EXPECT_EQ(escrito, std::string(modo) == "wal" ? SQLITE_OK : SQLITE_BUSY);
    sqlite3_close(b);
    sqlite3_close(a);
  }
  fs::remove(archivo);
  fs::remove(archivo.string() + "-wal");
  fs::remove(archivo.string() + "-shm");
}

}  // namespace
}  // namespace suite::datos
