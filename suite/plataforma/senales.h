#pragma once

namespace suite {

// Makes an interrupt (Ctrl-C), a termination or a hang-up remove the temporary files the
// process is writing (the registry of host/temporales.h) before the signal ends the process as
// it would have. The files being replaced are left as they were.
void limpiarAlTerminar();

}  // namespace suite
