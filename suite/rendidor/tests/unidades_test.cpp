// The pieces under the reader: decoding of either encoding, amounts in either regional form.
#include <gtest/gtest.h>

#include "importe.h"
#include "texto_entrada.h"

namespace rendidor {
namespace {

TEST(Decodificar, Utf8YWindows1252SeLeenComoLosQuisoSuAutor) {
  const struct {
    QByteArray bytes;
    QString texto;
  } casos[] = {
      {"Mu\xc3\xb1oz", u"Muñoz"_qs},                                // UTF-8
      {"Mu\xf1oz", u"Muñoz"_qs},                                    // Windows-1252
      {"\x80 \x93x\x94 \x9f", u"€ “x” Ÿ"_qs},                       // the code page's own 0x80-0x9F
      {"\xc0\x80", u"À€"_qs},                                       // an overlong form is not UTF-8
      {"\xed\xa0\x80", u"í\u00a0€"_qs},                             // nor is a surrogate
      {"\xf0\x9f\x98\x80", QString::fromUtf8("\xf0\x9f\x98\x80")},  // beyond the BMP
      {"\x81\x8d", u"\u0081\u008d"_qs},                             // undefined in the code page
  };
  for (const auto& c : casos) EXPECT_EQ(decodificar(c.bytes), c.texto) << c.bytes.toHex(' ').data();
}

TEST(Decodificar, UnArchivoEnTrozosSeLeeIgualQueEntero) {
  const QByteArray archivo = "<n>Mu\xc3\xb1oz \xe2\x82\xac \xf1</n>\r\n<n>\xc3\xb1</n>";
  for (qsizetype paso = 1; paso <= archivo.size(); ++paso) {
    QString leido;
    QByteArray resto;
    for (qsizetype i = 0; i < archivo.size(); i += paso) {
      resto += archivo.mid(i, paso);
      qsizetype corte = i + paso < archivo.size() ? cortePrudente(resto) : resto.size();
      leido += decodificar(QByteArrayView(resto).first(corte));
      resto.remove(0, corte);
    }
    EXPECT_EQ(leido, decodificar(archivo)) << "trozos de " << paso;
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
      {u"1E-400", Lectura::Numero, 0},
      {u"999999999999999", Lectura::Numero, 999999999999999},
      {u"1E+15", Lectura::FueraDeRango, 0},
      {u"", Lectura::NoNumero, 0},
      {u"12a", Lectura::NoNumero, 0},
      {u"1.234,5", Lectura::NoNumero, 0},  // a thousands separator is not the general form
      {u"+5", Lectura::NoNumero, 0},
      {u"inf", Lectura::NoNumero, 0},
      {u"1e", Lectura::NoNumero, 0},
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
