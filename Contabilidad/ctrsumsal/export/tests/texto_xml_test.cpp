#include "export/texto_xml.h"

#include <gtest/gtest.h>

#include <string>

namespace prjsumsal {
namespace {

TEST(TextoXml, EscapaReservadosYDejaUtf8Valido) {
  const std::pair<std::string, std::string> casos[] = {
      {"SUR LTDA", "SUR LTDA"},
      {"Pérez & Cía", "Pérez &amp; Cía"},
      {"<a>", "&lt;a&gt;"},
      {"&amp;", "&amp;amp;"},
      {"O'Higgins \"Sur\"", "O'Higgins \"Sur\""},
      {"Ñandú €", "Ñandú €"},
      {"emoji \xF0\x9F\x98\x80", "emoji \xF0\x9F\x98\x80"},
      // Windows-1252 bytes: Ñ, é, the euro sign, a lone continuation byte.
      {"\xD1"
       "and\xE9",
       "Ñandé"},
      {"\x80", "€"},
      {"a\xA9", "a©"},
      // Broken sequences: truncated, overlong, surrogate, each byte a Windows-1252 character.
      {"\xC3", "Ã"},
      {"\xC0\xAF", "À¯"},
      {"\xED\xA0\x80", "í\u00A0€"},
      // U+FFFE and U+FFFF are valid UTF-8 that XML refuses: left out.
      {"a\xEF\xBF\xBE\xEF\xBF\xBF"
       "b",
       "ab"},
      // Control characters XML refuses are left out; tab and line ends stay.
      {std::string("a\0b\x01\x1F", 5) + "\tc\r\n", "ab\tc\r\n"},
  };
  for (const auto& [entrada, salida] : casos) EXPECT_EQ(textoXml(entrada), salida) << entrada;
}

}  // namespace
}  // namespace prjsumsal
