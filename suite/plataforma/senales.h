#pragma once

namespace suite::plataforma {

// Makes an interrupt (Ctrl-C), a termination, a hang-up or a write to a closed pipe (`nubo
// --texto | head -1`) remove the temporary files the process is writing (the registry of
// host/temporales.h) before the signal ends the process as it would have. The files being
// replaced are left as they were.
void limpiarAlTerminar();

}  // namespace suite::plataforma
