#pragma once

#include <QByteArrayView>
#include <QString>

namespace suite::rendidor {

// The text of a hand-over file, whatever wrote it: the module writes UTF-8, older writers
// Windows-1252. Every valid UTF-8 sequence is read as such; every other byte is read as the
// Windows-1252 character it stands for (the five bytes that code page leaves undefined keep
// their Latin-1 code point). So a file in either encoding, or a mix of both, reads as its
// writer meant it, and no byte is ever lost or turned into a replacement character.
QString decodificar(QByteArrayView bytes);

// How many leading bytes of `trozo`, a piece of a longer file, can be decoded on their own: all
// but a trailing UTF-8 sequence that the next piece may complete. The cut is made before the
// last byte from 0xC0 up among the last three, which can only start a sequence, so no valid
// sequence is ever split; the bytes held back are decoded with the next piece, or alone at the
// end of the file.
qsizetype cortePrudente(QByteArrayView trozo);

}  // namespace suite::rendidor
