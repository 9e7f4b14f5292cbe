#include "datos/forma_insercion.h"

#include <gtest/gtest.h>

namespace suite::datos {
namespace {

using Tipo = FormaInsercion::Valor::Tipo;

TEST(FormaInsercion, LiteralesFueraYFormaQueSeRepite) {
  struct Caso {
    const char* sql;
    const char* forma;  // null: prepared as written
    std::vector<FormaInsercion::Valor> valores;
  };
  const Caso casos[] = {
      {"insert into t(a,b,c) values('O''Higgins', 12, -3.5)",
       "insert into t(a,b,c) values(?, ?, ?)",
       {{Tipo::Texto, "O'Higgins"}, {Tipo::Entero, "12"}, {Tipo::Real, "-3.5"}}},
      {" INSERT into t2 values('', 1e3,0)",
       " INSERT into t2 values(?, ?,?)",
       {{Tipo::Texto, ""}, {Tipo::Real, "1e3"}, {Tipo::Entero, "0"}}},
      {"insert into t values(5 - 3, 'NULL', NULL)",
       "insert into t values(? - ?, ?, NULL)",
       {{Tipo::Entero, "5"}, {Tipo::Entero, "3"}, {Tipo::Texto, "NULL"}}},
      {"insert into t values(X'00')", nullptr, {}},
      {"insert into t values(0x1F)", nullptr, {}},
      {"insert into \"t\" values(1)", nullptr, {}},
      {"insert into t values(1) -- 'x'", nullptr, {}},
      {"insert into t values(?)", nullptr, {}},
      {"insert into t values('sin cerrar)", nullptr, {}},
      {"update t set a = 1", nullptr, {}},
  };
  for (const Caso& c : casos) {
    auto f = formaInsercion(c.sql);
    if (c.forma == nullptr) {
      EXPECT_FALSE(f) << c.sql;
      continue;
    }
    ASSERT_TRUE(f) << c.sql;
    EXPECT_EQ(f->forma, c.forma) << c.sql;
    ASSERT_EQ(f->valores.size(), c.valores.size()) << c.sql;
    for (std::size_t i = 0; i < c.valores.size(); ++i) {
      EXPECT_EQ(f->valores[i].tipo, c.valores[i].tipo) << c.sql << " #" << i;
      EXPECT_EQ(f->valores[i].texto, c.valores[i].texto) << c.sql << " #" << i;
    }
  }
}

}  // namespace
}  // namespace suite::datos
