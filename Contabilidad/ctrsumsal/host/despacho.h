#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "host/error.h"

namespace prjsumsal {

// The failure of a late-bound call on a member an object does not have.
inline Error miembroDesconocido(std::int32_t dispid) {
  char buf[128];
  std::snprintf(buf, sizeof buf, "El objeto no acepta esta propiedad o método (DISPID 0x%08x)",
                static_cast<unsigned>(dispid));
  return Error(buf);
}

}  // namespace prjsumsal
