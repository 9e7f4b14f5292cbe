// The pieces under the reader: decoding of either encoding, amounts in either regional form.
#include <gtest/gtest.h>

#include "importe.h"
#include "texto_entrada.h"

namespace rendidor {
namespace {

// The same text whole and in pieces of every size: valid UTF-8 as such, every other byte as the
// Windows-1252 character it stands for (overlong forms and surrogates are not UTF-8).
TEST(Decodificar, Utf8YWindows1252EnteroOEnTrozos) {
  const QByteArray archivo =
      "Mu\xc3\xb1oz \xe2\x82\xac Mu\xf1oz \x80\x93\x9f \xc0\x80 \xed\xa0\x80 "
      "\xf0\x9f\x98\x80 \x81\r\n\xc3\xb1";
  const QString texto = u"Muñoz € Muñoz €“Ÿ À€ í\u00a0€ \U0001F600 \u0081\r\nñ"_qs;
  for (qsizetype paso = 1; paso <= archivo.size(); ++paso) {
    QString leido;
    QByteArray resto;
    for (qsizetype i = 0; i < archivo.size(); i += paso) {
      resto += archivo.mid(i, paso);
      qsizetype corte = i + paso < archivo.size() ? cortePrudente(resto) : resto.size();
      leido += decodificar(QByteArrayView(resto).first(corte));
      resto.remove(0, corte);
    }
    EXPECT_EQ(leido, texto) << "trozos de " << paso;
  }
}

TEST(LeerImporte, AmbasFormasRegionalesYNadaMas) {
  const struct {
    const char16_t* texto;
    Lectura lectura;
    double valor;
  } casos[] = {
      {u"-1234,5", Lectura::Numero, -1234.5},
      {u"1234.5", Lectura::Numero, 1234.5},
      {u"1,5E+14", Lectura::Numero, 1.5e14},
      {u"999999999999999", Lectura::Numero, 999999999999999},
      {u"1E+15", Lectura::FueraDeRango, 0},
      {u"12a", Lectura::NoNumero, 0},
      {u"1.234,5", Lectura::NoNumero, 0},  // a thousands separator is not the general form
      {u"+5", Lectura::NoNumero, 0},
      {u"inf", Lectura::NoNumero, 0},
      {u"١٢", Lectura::NoNumero, 0},  // digits of another script
  };
  for (const auto& c : casos) {
    Importe i = leerImporte(QStringView(c.texto));
    EXPECT_EQ(i.lectura, c.lectura) << QString::fromUtf16(c.texto).toStdString();
    EXPECT_EQ(i.valor, c.valor) << QString::fromUtf16(c.texto).toStdString();
  }
}

}  // namespace
}  // namespace rendidor
