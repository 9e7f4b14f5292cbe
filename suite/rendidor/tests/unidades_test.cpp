// Decoding below the reader: either encoding, whole or in pieces.
#include <gtest/gtest.h>

#include "texto_entrada.h"

namespace suite::rendidor {
namespace {

// The same text whole and in pieces of every size: valid UTF-8 as such, every other byte as the
// Windows-1252 character it stands for (overlong forms and surrogates are not UTF-8; U+FFFE and
// U+FFFF are, as the module's writer reads them too).
TEST(Decodificar, Utf8YWindows1252EnteroOEnTrozos) {
  const QByteArray archivo =
      "Mu\xc3\xb1oz \xe2\x82\xac Mu\xf1oz \x80\x93\x9f \xc0\x80 \xed\xa0\x80 "
      "\xf0\x9f\x98\x80 \x81\r\n\xc3\xb1 \xef\xbf\xbe\xef\xbf\xbf";
  const QString texto = u"Muñoz € Muñoz €“Ÿ À€ í\u00a0€ \U0001F600 \u0081\r\nñ \ufffe\uffff"_qs;
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

}  // namespace
}  // namespace suite::rendidor
