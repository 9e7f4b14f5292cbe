#pragma once

#include <QFileDevice>
#include <QString>

namespace suite::rendidor {

// Why a file could not be opened, read or written, in Spanish for the user; Qt's own text, in
// English, only for failures without a common cause.
QString motivo(const QFileDevice& archivo);

}  // namespace suite::rendidor
