#include "datos/base_sqlite.h"

#include <gtest/gtest.h>

#include "datos/error_sqlite.h"

namespace suite {
namespace {

using prjsumsal::Valor;

TEST(BaseSqlite, EjecutaYLee) {
  auto db = BaseSqlite::enMemoria(Papel::Contabilidad);
  EXPECT_NE(db->executesql("create table t (a integer, b text, c double)"), 0);
  EXPECT_NE(db->executesql("insert into t values (1, 'uno', 1.5)"), 0);
  auto rs = db->newrecord("select * from t", 4);
  ASSERT_FALSE(rs->eof());
  EXPECT_EQ(rs->fields("A").Value, Valor(1));
  EXPECT_EQ(rs->fields("b").Value, Valor("uno"));
  EXPECT_EQ(rs->fields("c").Value, Valor(1.5));
  rs->MoveNext();
  EXPECT_TRUE(rs->eof());
}

}  // namespace
}  // namespace suite
