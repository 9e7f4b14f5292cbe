#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace prjsumsal {

// The one reading of a text that may mix UTF-8 and Windows-1252, the code page older data and
// older writers used: every valid UTF-8 sequence is read as the character it encodes; every
// other byte as the Windows-1252 character it stands for (the five bytes that code page leaves
// undefined keep their Latin-1 code point). So no byte is ever lost or turned into a
// replacement character. The workbook's and the hand-over files' writer, RENDIDOR's reader and
// the host's terminal columns all read text this way.
//
// Overlong forms, surrogates and values past U+10FFFF are not valid UTF-8. The noncharacters
// U+FFFE and U+FFFF are: they are read as themselves, and it is the XML writer that leaves them
// out, with the other characters XML does not allow (see caracterXml).

struct Caracter {
  char32_t punto = 0;     // the code point
  std::size_t largo = 0;  // the bytes it took, 1 to 4
};

// Reads the character at the start of `texto`, which must not be empty.
Caracter leerCaracter(std::string_view texto);

// Appends the UTF-8 encoding of `punto`, a Unicode scalar value.
void agregarUtf8(std::string& destino, char32_t punto);

// Whether XML 1.0 allows `punto` in a document: tab, line feed, carriage return, U+0020 to
// U+D7FF, U+E000 to U+FFFD and U+10000 to U+10FFFF.
bool caracterXml(char32_t punto);

}  // namespace prjsumsal
