#include "datos/dialecto_jet.h"

#include <gtest/gtest.h>

#include "host/error.h"

namespace suite {
namespace {

struct Caso {
  const char* jet;
  const char* sqlite;
};

TEST(DialectoJet, Traduce) {
  static const Caso casos[] = {
      {"select * from t where f>=#2024-03-01# and f<=#2024-03-31#",
       "select * from t where f>='2024-03-01' and f<='2024-03-31'"},
      {"select year(f) from t", "select CAST(strftime('%Y', f) AS INTEGER) from t"},
      {"select YEAR ( max(f) ) from t", "select CAST(strftime('%Y',  max(f) ) AS INTEGER) from t"},
      // year(col)=N among the conditions reads as the year's range of ISO texts.
      {"select * from t where year(t.f)=2024",
       "select * from t where (t.f >= '2024-01-01' AND t.f < '2025-01-01')"},
      {"select * from t where x=1 and year(f) = 999 group by x",
       "select * from t where x=1 and (f >= '0999-01-01' AND f < '1000-01-01') group by x"},
      // ...but not where precedence or the number would change the meaning.
      {"select * from t where 1+year(f)=2025",
       "select * from t where 1+CAST(strftime('%Y', f) AS INTEGER)=2025"},
      {"select * from t where year(f)=2023+1",
       "select * from t where CAST(strftime('%Y', f) AS INTEGER)=2023+1"},
      {"select * from t where year(f)=9999",
       "select * from t where CAST(strftime('%Y', f) AS INTEGER)=9999"},
      // A column or member that happens to be called year is no call.
      {"select t.year(x), year from t", "select t.year(x), year from t"},
      {"CREATE TABLE w ( a text(50), b double, c integer, d text)",
       "CREATE TABLE w ( a TEXT, b REAL, c integer, d TEXT)"},
      {"create table w (n counter, t text(5))", "create table w (n INTEGER PRIMARY KEY, t TEXT)"},
      {"create table w (n counter primary key, t text(5))",
       "create table w (n INTEGER primary key, t TEXT)"},
      // Types are translated only in a table's definition.
      {"select double, counter from text", "select double, counter from text"},
      {"delete from ctrsumsal ", "delete from ctrsumsal "},
      {" drop table ctrsumsal ", " drop table ctrsumsal "},
  };
  for (const auto& c : casos) EXPECT_EQ(traducirJet(c.jet), c.sqlite) << "entrada: " << c.jet;
}

TEST(DialectoJet, NoTocaLoQueVaEntreComillas) {
  static const char* intactas[] = {
      "insert into t values('#2024-01-01#','year(f)=2024')",
      "insert into t values('Comercial year(''x'') #2024-01-01# Ltda', \"year(#2024-01-01#)\")",
      "select [year(f)], `double` from t",
      "create table t (a text(5) default 'counter, text(9), double')",
  };
  for (const char* s : intactas) {
    std::string r = traducirJet(s);
    for (const char* trozo : {"'#2024-01-01#'", "year(''x'') #2024-01-01#", "[year(f)]",
                              "'counter, text(9), double'"}) {
      if (std::string(s).find(trozo) != std::string::npos) {
        EXPECT_NE(r.find(trozo), std::string::npos) << "entrada: " << s << "\nsalida: " << r;
      }
    }
  }
  // An unclosed quote runs to the end: nothing after it is translated.
  EXPECT_EQ(traducirJet("select 'abc #2024-01-01#"), "select 'abc #2024-01-01#");
}

TEST(DialectoJet, FechaMalFormadaQuedaComoEsta) {
  EXPECT_EQ(traducirJet("select #2024-3-1#"), "select #2024-3-1#");
  EXPECT_EQ(traducirJet("select #01/03/2024#"), "select #01/03/2024#");
}

TEST(DialectoJet, CounterQueNoPuedeSerLaClave) {
  EXPECT_THROW(traducirJet("create table w (n counter, k integer, primary key (k))"),
               prjsumsal::Error);
  EXPECT_THROW(traducirJet("create table w (n counter, m counter)"), prjsumsal::Error);
}

TEST(DialectoJet, JoinConComaEnElOrdenEscrito) {
  EXPECT_EQ(traducirJet("select a.x from t1 a, t2 b where a.k = b.k and b.j=a.j and a.k=1"),
            "select a.x from t1 a CROSS JOIN t2 b where +a.k = b.k and b.j=+a.j and a.k=1");
  EXPECT_EQ(traducirJet("select x from t1 as a , t2 where a.k=t2.k group by x"),
            "select x from t1 as a  CROSS JOIN t2 where +a.k=t2.k group by x");
  // Other shapes stay as written.
  for (const char* s :
       {"select * from t1 a, t2 b where a.k=b.k or a.j=b.j",
        "select * from t1 a, t2 b where a.k between 1 and 2 and a.k=b.k",
        "select * from t1 a, t2 b, t3 c where a.k=b.k", "select * from t1 a join t2 b on a.k=b.k",
        "select * from t1 a, t1 a where a.k=a.k"}) {
    EXPECT_EQ(traducirJet(s), s);
  }
}

}  // namespace
}  // namespace suite
