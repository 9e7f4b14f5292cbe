#include <gtest/gtest.h>

#include <functional>

#include "host/error.h"
#include "host/valor.h"

namespace prjsumsal {
namespace {

std::string errorDe(const std::function<void()>& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

TEST(Valor, ConversionesANumero) {
  const struct {
    Valor valor;
    double numero;
  } casos[] = {{Valor(int64_t{1500}), 1500},
               {Valor(-2.5), -2.5},
               {Valor("  42 "), 42},
               {Valor("1e3"), 1000},
               {Valor(true), -1},
               {Valor(false), 0},
               {Valor(int64_t{1} << 53), 9007199254740992.0}};
  for (const auto& c : casos) EXPECT_EQ(c.valor.numero(), c.numero) << c.valor.texto();
}

TEST(Valor, NuloYTextosQueNoSonNumeroFallanConElMensajeDeLaPlataforma) {
  EXPECT_EQ(errorDe([] { (void)Valor().numero(); }), "Uso no válido de Null");
  EXPECT_EQ(errorDe([] { (void)Valor().texto(); }), "Uso no válido de Null");
  for (const char* t : {"", "12a", "abc", "1.2.3", "nan"}) {
    EXPECT_EQ(errorDe([&] { (void)Valor(t).numero(); }), "No coinciden los tipos") << t;
  }
  EXPECT_EQ(errorDe([] { (void)Valor(1e300).entero(); }), "Desbordamiento");
}

// Written as the platform writes numbers, dates and truths; a double rounds half to even.
TEST(Valor, TextosYEnteros) {
  EXPECT_EQ(Valor(int64_t{-7}).texto(), "-7");
  EXPECT_EQ(Valor(1234.5).texto(), "1234.5");
  EXPECT_EQ(Valor(1e15).texto(), "1e+15");
  EXPECT_EQ(Valor(Fecha{2024, 3, 1}).texto(), "01/03/2024");
  EXPECT_EQ(Valor(true).texto(), "Verdadero");
  for (auto [v, e] : {std::pair{2.5, 2}, {3.5, 4}, {-2.5, -2}}) EXPECT_EQ(Valor(v).entero(), e);
  EXPECT_EQ(Valor("17").entero(), 17);
}

TEST(Fecha, LecturaDeTextosDeDia) {
  const struct {
    const char* texto;
    bool valida;
    Fecha fecha;
  } casos[] = {
      {"01/03/2024", true, {2024, 3, 1}},
      {"1/3/2024", true, {2024, 3, 1}},
      {"29/02/2024", true, {2024, 2, 29}},
      {"29/02/2023", false, {}},
      {"31/04/2024", false, {}},
      {"00/01/2024", false, {}},
      {"01/13/2024", false, {}},
      {"01/03/24", false, {}},
      {"01-03-2024", true, {2024, 3, 1}},
      {"01/03-2024", false, {}},
      {"", false, {}},
      {"aa/bb/cccc", false, {}},
      {"29/02/1900", false, {}},
      {"29/02/2000", true, {2000, 2, 29}},
  };
  for (const auto& c : casos) {
    auto f = Fecha::leer(c.texto);
    EXPECT_EQ(f.has_value(), c.valida) << c.texto;
    if (f && c.valida) {
      EXPECT_EQ(*f, c.fecha) << c.texto;
    }
  }
}

TEST(Fecha, TextosDeSalida) {
  Fecha f{2026, 12, 4};
  EXPECT_EQ(f.texto(), "04/12/2026");
  EXPECT_EQ(f.texto('-'), "04-12-2026");
  EXPECT_EQ(f.iso(), "2026-12-04");
  EXPECT_EQ(Fecha::leerIso("2026-12-04"), f);
  EXPECT_FALSE(Fecha::leerIso("2026-02-30"));
}

}  // namespace
}  // namespace prjsumsal
