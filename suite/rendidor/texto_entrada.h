#pragma once

#include <QByteArrayView>
#include <QString>

namespace suite::rendidor {

// The text of a hand-over file, whatever wrote it: the module writes UTF-8, older writers
// Windows-1252. It is read as the module reads text (prjsumsal::leerCaracter): every valid
// UTF-8 sequence as such, every other byte as its Windows-1252 character. So a file in either
// encoding, or a mix of both, reads as its writer meant it, and no byte is ever lost or turned
// into a replacement character.
QString decodificar(QByteArrayView bytes);

// How many leading bytes of `trozo`, a piece of a longer file, can be decoded on their own: all
// but a trailing UTF-8 sequence that the next piece may complete. The cut is made before the
// last byte from 0xC0 up among the last three, which can only start a sequence, so no valid
// sequence is ever split; the bytes held back are decoded with the next piece, or alone at the
// end of the file.
qsizetype cortePrudente(QByteArrayView trozo);

}  // namespace suite::rendidor
