#include "datos/registros_cursor.h"

#include <gtest/gtest.h>

#include <string>

#include "datos/base_postgres.h"
#include "datos/error_postgres.h"
#include "datos/tests/base_prueba.h"
#include "host/solo_avance.h"

namespace suite::datos {
namespace {

using prjsumsal::kSoloAvance;
using prjsumsal::Valor;

// Only against the test run's server (the "pg." tests).
class BasePostgresCursor : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!prueba::enPostgres()) GTEST_SKIP() << "sin servidor de pruebas (NUBO_PRUEBA_PG)";
    db_ = BasePostgres::conectar(prueba::uriEsquemaNuevo(), Papel::Contabilidad);
  }
  std::unique_ptr<BasePostgres> db_;
};

// A forward-only set gives the rows and values of the same set read whole, in its order, also
// when a write ends the snapshot half way.
TEST_F(BasePostgresCursor, LasMismasFilasQueLeidasEnteras) {
  db_->executesql("create table d (n integer, t text, f date, m numeric)");
  db_->executesql(
      "insert into d select n, case when n % 7 = 0 then null else 'x' || n end,"
      " date '2026-01-01' + n % 300, n * 1.5 from generate_series(1, 4500) n");
  const std::string sql = "select n, t as T, f, m from d order by n desc";
  auto entera = db_->newrecord(sql);
  auto avance = db_->newrecord(sql, kSoloAvance);
  int filas = 0;
  for (; !entera->eof(); entera->MoveNext(), avance->MoveNext(), ++filas) {
    ASSERT_FALSE(avance->eof()) << filas;
    for (const char* c : {"n", "t", "F", "m"})
      ASSERT_EQ(avance->fields(c).Value, entera->fields(c).Value) << c << " " << filas;
    if (filas == 3000) db_->executesql("insert into d values (0, null, null, null)");
  }
  EXPECT_EQ(filas, 4500);
  EXPECT_TRUE(avance->eof());
  EXPECT_THROW(avance->MoveNext(), prjsumsal::Error);
  EXPECT_THROW(db_->newrecord(sql, kSoloAvance)->findfirst("n=1"), prjsumsal::Error);
  EXPECT_THROW(db_->newrecord(sql, kSoloAvance)->fields("falta"), prjsumsal::Error);
  EXPECT_TRUE(db_->newrecord("select * from d where n < 0", kSoloAvance)->eof());
}

// The rows come a batch at a time: a row that fails far down raises when it is reached, not
// when the set opens; then, as after a statement the server rejects, the next set reads.
TEST_F(BasePostgresCursor, LasFilasLleganPorTandas) {
  const int falla = 2 * RegistrosCursor::kTanda + 10;
  auto rs = db_->newrecord(
      "select n, 1 / (n - " + std::to_string(falla) + ") as x from generate_series(1, 9000) n",
      kSoloAvance);
  int leidas = 0;
  EXPECT_THROW(for (; !rs->eof(); rs->MoveNext())++ leidas, ErrorPostgres);
  EXPECT_EQ(leidas, 2 * RegistrosCursor::kTanda);
  EXPECT_TRUE(rs->eof());
  EXPECT_THROW(db_->newrecord("select falta from generate_series(1, 2)", kSoloAvance),
               ErrorPostgres);
  EXPECT_EQ(db_->newrecord("select 7 as n", kSoloAvance)->fields("n").Value, Valor(7));
  rs.reset();
  EXPECT_EQ(db_->newrecord("select count(*) as n from pg_cursors where name like 'nubo%'")
                ->fields("n")
                .Value,
            Valor(0));
}

}  // namespace
}  // namespace suite::datos
