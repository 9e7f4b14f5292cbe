#pragma once

#include "host/ctlinforme.h"

namespace suite {

// Raises the data-preparation event on `eventos` and tells whether it ended without a message
// box. The form's preparation says its failure in a box and empties the work table; the report
// the button would run next could only add that the table is empty, which misleads, so both
// report controls run it only when this returns true.
bool prepararSinMensajes(prjsumsal::EventosInforme& eventos);

}  // namespace suite
