#pragma once

#include <cstdint>

namespace prjsumsal {

// The option of BaseDatos::newrecord for a record set that is read forward, once, as the host's
// objects number it. A database object may then read each row as MoveNext reaches it instead
// of all of them when the set opens, so a long table is never held whole; findfirst is not
// available on such a set. An object that reads every set whole gives the same rows.
inline constexpr std::int16_t kSoloAvance = 8;

}  // namespace prjsumsal
