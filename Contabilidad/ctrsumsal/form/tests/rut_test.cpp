#include <gtest/gtest.h>

#include "entorno_prueba.h"
#include "form/frmsumsal.h"

namespace prjsumsal {
namespace {

using prueba::Caja;
using prueba::EntornoPrueba;

constexpr const char* kSinGuion = "El rut no es válido.";
constexpr const char* kMalGuion = "El rut no es válido";
constexpr const char* kMalDigito = "El rut no es Válido";
constexpr const char* kArgumento = "Llamada a procedimiento o argumento no válidos";

class RutTest : public ::testing::Test {
 protected:
  RutTest() : frm_(e_.plataforma) {}
  EntornoPrueba e_;
  frmsumsal frm_;
};

// Leaving txtrut with a typed text: what the field holds afterwards, whether the focus is kept,
// and the box shown (none when empty).
TEST_F(RutTest, SalirDelCampoReformaYValida) {
  struct Caso {
    const char* tecleado;
    const char* queda;
    bool cancela;
    const char* mensaje;
  };
  const Caso casos[] = {
      {"", "", false, nullptr},
      {"123456785", "12.345.678-5", false, nullptr},     // S = 138, 138 mod 11 = 6, 11 - 6 = 5
      {"12.345.678-5", "12.345.678-5", false, nullptr},  // already written: unchanged
      {"12345678-5", "12.345.678-5", false, nullptr},
      {"1234-5678", "", true, kMalDigito},  // body 1234567, check 4
      {"6k", "6-k", false, nullptr},        // body 6: S = 12, check value 10
      {"6K", "6-K", false, nullptr},        // the case typed is kept
      {"6-k", "6-k", false, nullptr},
      {"140", "14-0", false, nullptr},  // body 14: S = 4*2 + 1*3 = 11, check value 11
      {"141", "", true, kMalDigito},
      {"0", "", true, kSinGuion},  // re-formed to 0-0
      {"00", "", true, kSinGuion},
      {"...", "", true, kMalGuion},  // re-formed to 0-., which has no check digit
      {"0-0", "", true, kSinGuion},
      {"5", "", true, kMalDigito},         // re-formed to 0-5; body 0 has check value 11
      {"12a45678", "", true, kMalDigito},  // the body reads as 12: 12-8, check 4
      {"1.000.000-k", "", true, kMalDigito},
      {"7 654 321 6", "7.654.321-6", false, nullptr},  // blanks skipped in the body
      {"99999999-9", "99.999.999-9", false, nullptr},
  };
  for (const auto& c : casos) {
    EntornoPrueba e;
    frmsumsal frm(e.plataforma);
    frm.txtrut.teclear(c.tecleado);
    bool cancel = false;
    frm.txtrut_Validate(cancel);
    EXPECT_EQ(frm.txtrut.Text, c.queda) << c.tecleado;
    EXPECT_EQ(cancel, c.cancela) << c.tecleado;
    std::vector<Caja> esperadas;
    if (c.mensaje) esperadas.push_back({c.mensaje, Icono::Critico, "Mensaje"});
    EXPECT_EQ(e.mensajes.cajas, esperadas) << c.tecleado;
  }
}

TEST_F(RutTest, UnTextoDeGuionesTerminaEnLaTrampaSinRetenerElFoco) {
  frm_.txtrut.Text = "---";
  bool cancel = false;
  frm_.txtrut_Validate(cancel);
  EXPECT_EQ(frm_.txtrut.Text, "");
  EXPECT_FALSE(cancel);
  EXPECT_EQ(e_.mensajes.cajas, (std::vector<Caja>{{kArgumento, Icono::Critico, "Mensaje"}}));
  // Once rejected the field is empty, and leaving it again is accepted.
  e_.mensajes.cajas.clear();
  frm_.txtrut_Validate(cancel);
  EXPECT_FALSE(cancel);
  EXPECT_TRUE(e_.mensajes.cajas.empty());
}

TEST_F(RutTest, UnCuerpoQueNoEsNumericoLlegaALaTrampaDelCampo) {
  // The body is read as a number first, so only a separator of thousands other than "." can
  // leave a character that is not a digit.
  struct Miles : Regional {
    std::string separadorMiles() const override { return "'"; }
  } miles;
  e_.plataforma.regional = &miles;
  frm_.txtrut.Text = "123456785";
  bool cancel = false;
  frm_.txtrut_Validate(cancel);
  EXPECT_FALSE(cancel);
  EXPECT_EQ(frm_.txtrut.Text, "12'345'678-5");
  EXPECT_EQ(e_.mensajes.cajas, (std::vector<Caja>{{kTiposNoCoinciden, Icono::Critico, "Mensaje"}}));
}

TEST_F(RutTest, ElSeparadorRegionalSeRespetaAlValidar) {
  struct Coma : Regional {
    std::string separadorMiles() const override { return ","; }
  } coma;
  e_.plataforma.regional = &coma;
  frm_.txtrut.Text = "123456785";
  bool cancel = false;
  frm_.txtrut_Validate(cancel);
  // The field-leave re-forming turns "," into "."; validarut's own re-forming does not.
  EXPECT_FALSE(cancel);
  EXPECT_EQ(frm_.txtrut.Text, "12,345,678-5");
  EXPECT_TRUE(e_.mensajes.cajas.empty());
}

}  // namespace
}  // namespace prjsumsal
