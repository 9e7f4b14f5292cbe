#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "avance.h"

namespace suite::avance {

// The progress of long work as one line on a terminal, rewritten in place. A line appears only
// once a piece of work (an Alcance) has run for a while, at most ten times a second, only while
// the process is in the terminal's foreground, and it is wiped (overwritten with blanks) when
// the work ends, so what stays on the screen is what the program says, not its progress.
//
// Drawing happens in a thread of its own, so the line moves on while the work waits inside a
// long statement, and a stage can be told from any thread. Other output keeps its place:
// whatever goes to std::cerr first wipes the line, which comes back after the next full line;
// output to std::cout, when standard output is a terminal too, wipes it for the rest of the
// work, which is then giving its result. An interrupt, a termination or a hang-up wipes the line
// before it goes on to what the process had set for the signal (a handler of its own, or the
// default action), so the process ends as it would have.
class LineaTerminal final : public Avance {
 public:
  struct Ajustes {
    std::chrono::milliseconds espera{1000};    // work shorter than this shows nothing
    std::chrono::milliseconds intervalo{100};  // time between two looks at the line
  };

  // The line on standard error when it is a terminal; null when it is not (a pipe, a file), so
  // that scripts and logs get none of it. NUBO_PROGRESO_ESPERA, in seconds, sets how long work
  // runs before the line appears (tests set 0).
  static std::unique_ptr<LineaTerminal> enErrores();

  // The line on `fd`, a terminal, with std::cerr (and std::cout when `salidaTerminal`) wiping
  // it before their output.
  LineaTerminal(int fd, Ajustes ajustes, bool salidaTerminal = false);
  ~LineaTerminal() override;
  LineaTerminal(const LineaTerminal&) = delete;
  LineaTerminal& operator=(const LineaTerminal&) = delete;

  void etapa(const std::string& que, std::size_t total = 0) override;
  void avanzar(std::size_t n = 1) override;

  // One piece of work, from construction to destruction; with a null line it does nothing.
  // A scope opened inside another joins it.
  class Alcance {
   public:
    explicit Alcance(LineaTerminal* linea);
    ~Alcance();
    Alcance(const Alcance&) = delete;
    Alcance& operator=(const Alcance&) = delete;

   private:
    LineaTerminal* linea_;
  };

 private:
  class Filtro;
  using Reloj = std::chrono::steady_clock;

  void dibujar(std::stop_token alto);
  bool mirar();                             // with the mutex held; true when it wrote
  Reloj::time_point proxima() const;        // the earliest the line may change again
  void escribir(const std::string& texto);  // with the mutex held
  void borrar();                            // with the mutex held
  std::size_t columnas() const;
  bool enPrimerPlano() const;

  const int fd_;
  const Ajustes ajustes_;
  std::mutex m_;
  std::condition_variable_any cambio_;
  int alcances_ = 0;
  Reloj::time_point inicio_;  // of the outermost scope
  std::string que_;
  std::size_t total_ = 0;
  Reloj::time_point inicioEtapa_;
  Reloj::time_point ultimo_;  // when the line last changed on the screen
  bool novedad_ = false;      // a stage began since the last look
  std::atomic<std::size_t> cuenta_{0};
  std::string dibujada_;  // the text on the screen now; empty when none
  bool alInicio_ = true;  // the other output left the cursor at the start of a line
  bool callada_ = false;  // standard output has spoken in this scope
  std::unique_ptr<Filtro> errores_, salida_;
  std::jthread hilo_;  // last: stopped and joined before the rest goes
};

}  // namespace suite::avance
