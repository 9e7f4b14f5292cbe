#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace bench {

// What one measured run left: its wall time, the peak resident memory of the process that ran
// it, and a text the run handed back (figures for a later check, or an error description).
struct Medida {
  double segundos = 0;
  long kib = 0;  // ru_maxrss of the child, in KiB
  std::string texto;
  double cpu = 0;  // processor seconds (user and system, every thread) of the run
};

// A measured run stopped because it went past its time limit.
struct Excedido : std::runtime_error {
  explicit Excedido(int segundos)
      : std::runtime_error("superó el límite de " + std::to_string(segundos) + " s") {}
};

// Runs `fase` in a forked child, so that each phase's peak memory is its own and nothing it
// allocates stays in this process. The clock runs only around `fase`. With `limite` > 0 the
// child is stopped after that many seconds and Excedido is raised. Raises std::runtime_error
// with the child's message when the phase throws or the child dies.
Medida enHijo(const std::function<std::string()>& fase, int limite = 0);

// Runs `fase` `veces` times, each in its own child, and keeps the best time and the highest
// peak memory; the text is the last run's. Before each run `antes`, when given, runs in a child
// of its own (to put the database back as it was, say), outside the figures.
Medida mejorDe(int veces, const std::function<std::string()>& fase, int limite = 0,
               const std::function<std::string()>& antes = {});

// Runs an external program with its standard output sent to `salida` (a file path, "/dev/null"
// to drop it), timing it from fork to exit. Raises when it cannot start or exits non-zero.
Medida programa(const std::vector<std::string>& argumentos, const std::string& salida);

// The same with its standard output and error on a pseudo-terminal, as for a person at a
// terminal; what it writes there is read and dropped.
Medida programaEnTerminal(const std::vector<std::string>& argumentos);

}  // namespace bench
