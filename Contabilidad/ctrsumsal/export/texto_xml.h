#pragma once

#include <string>
#include <string_view>

namespace prjsumsal {

// A value as it goes between the tags of an element in the workbook and the hand-over files.
// "&", "<" and ">" become entity references, so a name such as "Pérez & Cía" keeps the file
// well-formed. The result is always valid UTF-8: the value is read as host/codificacion.h
// reads text (UTF-8, any other byte Windows-1252), and characters that XML does not allow
// (control characters, U+FFFE, U+FFFF) are left out. Plain text is returned unchanged.
std::string textoXml(std::string_view valor);

// The same text without the entity references, for a writer that escapes on its own.
std::string textoLimpio(std::string_view valor);

}  // namespace prjsumsal
