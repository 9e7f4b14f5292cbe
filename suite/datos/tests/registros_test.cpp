#include <gtest/gtest.h>

#include "datos/tests/base_prueba.h"
#include "host/error.h"

namespace suite::datos {
namespace {

using prjsumsal::Valor;

class Registros : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ = prueba::baseVacia(Papel::Contabilidad);
    db_->executesql(
        "create table ctmcentros (centro text, n_centro text, g_cuenta text, n integer)");
    db_->executesql("insert into ctmcentros values ('1101', 'Caja', 'A', 1)");
    db_->executesql("insert into ctmcentros values ('2101', 'O''Higgins y Cía', 'P', 2)");
    db_->executesql("insert into ctmcentros values ('2101', 'Repetida', 'P', 3)");
    db_->executesql("insert into ctmcentros values ('3101', null, 'R', 4)");
  }
  std::unique_ptr<prjsumsal::BaseDatos> db_;
};

TEST_F(Registros, LeeLosValoresConSuTipo) {
  auto rs = db_->newrecord(
      "select 7 as entero, 2.5 as doble, 'x' as texto, null as nulo, "
      "sum(n) as suma, count(*) as cuenta from ctmcentros");
  EXPECT_EQ(rs->fields("entero").Value, Valor(7));
  EXPECT_EQ(rs->fields("doble").Value, Valor(2.5));
  EXPECT_EQ(rs->fields("texto").Value, Valor("x"));
  EXPECT_TRUE(rs->fields("nulo").Value.esNulo());
  EXPECT_EQ(rs->fields("suma").Value, Valor(10));
  EXPECT_EQ(rs->fields("CUENTA").Value, Valor(4));  // column names ignore case
  // A sum over no rows is null, as the module expects of an empty aggregate.
  EXPECT_TRUE(
      db_->newrecord("select sum(n) as s from ctmcentros where n > 9")->fields("s").Value.esNulo());
}

TEST_F(Registros, RecorreYFallaSinRegistroActivo) {
  auto rs = db_->newrecord("select centro from ctmcentros where g_cuenta='P' order by n", 4);
  std::vector<std::string> vistos;
  for (; !rs->eof(); rs->MoveNext()) vistos.push_back(rs->fields("centro").Value.texto());
  EXPECT_EQ(vistos, (std::vector<std::string>{"2101", "2101"}));
  EXPECT_THROW(rs->fields("centro"), prjsumsal::Error);
  EXPECT_THROW(rs->MoveNext(), prjsumsal::Error);
  EXPECT_TRUE(db_->newrecord("select * from ctmcentros where 1=0")->eof());
}

TEST_F(Registros, CampoDesconocido) {
  auto rs = db_->newrecord("select centro from ctmcentros");
  try {
    rs->fields("n_centro");
    FAIL() << "debía fallar";
  } catch (const prjsumsal::Error& e) {
    EXPECT_NE(std::string(e.what()).find("'n_centro'"), std::string::npos) << e.what();
  }
}

TEST_F(Registros, FindfirstBuscaDesdeElPrimerRegistro) {
  auto rs = db_->newrecord("select * from ctmcentros order by n");
  EXPECT_FALSE(rs->nomatch());  // before any search
  struct Caso {
    const char* criterio;
    bool encontrado;
    int n;  // the row's n after the search
  };
  static const Caso casos[] = {
      {"centro='3101'", true, 4},
      {"centro='2101' ", true, 2},  // the first of two rows, with a trailing blank
      {"  CENTRO = '1101'", true, 1},
      {"centro='9999'", false, 1},  // no match: the current row stays
      {"n_centro='O''Higgins y Cía'", true, 2},
      {"n_centro='O'", false, 2},
      {"n='3'", true, 3},  // a number compares by its digits
      {"[g_cuenta]='R'", true, 4},
      {"g_cuenta='r'", false, 4},  // codes compare exactly
  };
  for (const auto& c : casos) {
    rs->findfirst(c.criterio);
    EXPECT_EQ(rs->nomatch(), !c.encontrado) << c.criterio;
    EXPECT_EQ(rs->fields("n").Value, Valor(c.n)) << c.criterio;
  }
  rs->findfirst("n_centro=''");  // a null never matches
  EXPECT_TRUE(rs->nomatch());
}

TEST_F(Registros, FindfirstDespuesDelFinal) {
  auto rs = db_->newrecord("select * from ctmcentros");
  while (!rs->eof()) rs->MoveNext();
  rs->findfirst("centro='1101'");
  ASSERT_FALSE(rs->eof());
  EXPECT_EQ(rs->fields("n_centro").Value, Valor("Caja"));
  auto vacio = db_->newrecord("select * from ctmcentros where 1=0");
  vacio->findfirst("centro='1101'");
  EXPECT_TRUE(vacio->nomatch());
  EXPECT_TRUE(vacio->eof());
}

TEST_F(Registros, CriterioNoAdmitido) {
  auto rs = db_->newrecord("select * from ctmcentros");
  for (const char* criterio : {"centro>'1101'", "centro='1101' and n='1'", "centro=1101",
                               "centro='1101", "='1101'", "centro like '11*'", ""}) {
    try {
      rs->findfirst(criterio);
      ADD_FAILURE() << "debía fallar: " << criterio;
    } catch (const prjsumsal::Error& e) {
      EXPECT_NE(std::string(e.what()).find(std::string("\"") + criterio + "\""), std::string::npos)
          << e.what();
    }
  }
  EXPECT_THROW(rs->findfirst("no_existe='1'"), prjsumsal::Error);
}

// Many rows with texts of every length class (the lengths around 128 and 16384 change how the
// set stores them), numbers and nulls read back as they went in, and a search finds each value's
// first row.
TEST_F(Registros, MuchosRegistrosConservanSusValores) {
  constexpr int kFilas = 1200;
  const std::size_t largos[] = {0, 1, 15, 16, 127, 128, 129, 300, 16383, 16384, 20000};
  auto texto = [&](int i) {
    return std::string(largos[std::size_t(i) % std::size(largos)], char('a' + i % 26));
  };
  db_->executesql("create table muchas (k text, n integer, d double, s text)");
  for (int i = 0; i < kFilas; ++i) {
    std::string s = i % 13 == 0 ? "null" : "'" + texto(i) + "'";
    db_->executesql("insert into muchas values ('c" + std::to_string(i % (kFilas / 2)) + "', " +
                    std::to_string(i) + ", " + std::to_string(i) + ".25, " + s + ")");
  }
  auto rs = db_->newrecord("select k, n, d, s from muchas order by n", 4);
  for (int i = 0; i < kFilas; ++i, rs->MoveNext()) {
    ASSERT_FALSE(rs->eof());
    ASSERT_EQ(rs->fields("n").Value, Valor(i));
    ASSERT_EQ(rs->fields("d").Value, Valor(i + 0.25));
    if (i % 13 == 0) {
      ASSERT_TRUE(rs->fields("s").Value.esNulo()) << i;
    } else {
      ASSERT_EQ(rs->fields("s").Value, Valor(texto(i))) << i;
    }
  }
  EXPECT_TRUE(rs->eof());
  for (int i = 0; i < kFilas; i += 7) {
    rs->findfirst("k='c" + std::to_string(i) + "'");
    EXPECT_EQ(rs->nomatch(), i >= kFilas / 2) << i;
    if (i < kFilas / 2) {
      EXPECT_EQ(rs->fields("n").Value, Valor(i));  // the first of two rows
    }
    rs->findfirst("n='" + std::to_string(i) + "'");
    EXPECT_EQ(rs->fields("k").Value, Valor("c" + std::to_string(i % (kFilas / 2))));
  }
  rs->findfirst("s='" + texto(9) + "'");  // 16384 bytes: rows 9, 295, ... hold it
  EXPECT_EQ(rs->fields("n").Value, Valor(9));
  rs->findfirst("s='" + texto(9) + "b'");
  EXPECT_TRUE(rs->nomatch());
}

}  // namespace
}  // namespace suite::datos
