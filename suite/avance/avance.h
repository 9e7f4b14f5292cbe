#pragma once

#include <cstddef>
#include <string>

namespace suite::avance {

// Where long work tells how far it has got: the stage it is in and the units of that stage done.
// The work calls it at its natural steps (a statement, an account, a page) and does not care
// who listens; nubo's batch mode and RENDIDOR show it as a line on a terminal (LineaTerminal),
// tests record it. Implementations are safe to call from several threads at once.
class Avance {
 public:
  virtual ~Avance() = default;

  // The work starts a new stage: `que` says what is being done ("Pintando páginas"), `total`
  // how many units it counts to, 0 when that is not known. The count starts again from 0,
  // unless `que` and `total` are those of the current stage, which then goes on. An empty `que`
  // means the work is waiting on something that is not itself (a window): nothing to show.
  virtual void etapa(const std::string& que, std::size_t total = 0) = 0;

  // `n` more units of the current stage are done.
  virtual void avanzar(std::size_t n = 1) = 0;
};

}  // namespace suite::avance
