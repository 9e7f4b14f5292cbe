#include "linea_terminal.h"

#include <pthread.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <streambuf>
#include <string_view>

#include "host/codificacion.h"
#include "linea.h"

namespace suite::avance {

namespace {

// What a signal handler needs to wipe the line: plain atomics, read without a lock.
std::atomic<int> gFd{-1};                // the terminal of the line that set the handlers
std::atomic<std::size_t> gAncho{0};      // columns the line covers now; 0: none on the screen
std::atomic<std::size_t> gColumnas{80};  // the terminal's width when the line was drawn
constexpr int kSenales[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};
struct sigaction gAnteriores[std::size(kSenales)];
bool gPuestos[std::size(kSenales)];
constexpr char kBlancos[] = "                                ";

void escribirTodo(int fd, const char* p, std::size_t n) {
  while (n > 0) {
    ssize_t r = ::write(fd, p, n);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return;  // a terminal that is gone: the line does not matter any more
    p += r;
    n -= static_cast<std::size_t>(r);
  }
}

// Only async-signal-safe calls: write, sigaction, raise.
void alRecibir(int senal, siginfo_t* info, void* contexto) {
  int fd = gFd.load();
  std::size_t ancho = gAncho.exchange(0);
  if (fd >= 0 && ancho > 0) {
    // The terminal's echo of the key ("^C") stands right after the text; blanks up to the last
    // column would wrap onto the next line.
    ancho = std::min(ancho + 2, gColumnas.load() - 1);
    constexpr std::size_t kTramo = sizeof kBlancos - 1;
    escribirTodo(fd, "\r", 1);
    for (; ancho > 0; ancho -= std::min(ancho, kTramo))
      escribirTodo(fd, kBlancos, std::min(ancho, kTramo));
    escribirTodo(fd, "\r", 1);
  }
  for (std::size_t i = 0; i < std::size(kSenales); ++i) {
    if (kSenales[i] != senal) continue;
    const struct sigaction& a = gAnteriores[i];
    if (a.sa_flags & SA_SIGINFO) {
      a.sa_sigaction(senal, info, contexto);
      return;
    }
    if (a.sa_handler != SIG_DFL && a.sa_handler != SIG_IGN) {
      a.sa_handler(senal);
      return;
    }
  }
  ::signal(senal, SIG_DFL);
  ::raise(senal);
}

void ponerManejadores(int fd) {
  int libre = -1;
  if (!gFd.compare_exchange_strong(libre, fd)) return;  // another line has them
  for (std::size_t i = 0; i < std::size(kSenales); ++i) {
    gPuestos[i] = false;
    const struct sigaction& anterior = gAnteriores[i];
    // A signal the process ignores (nohup) stays ignored.
    if (::sigaction(kSenales[i], nullptr, &gAnteriores[i]) != 0) continue;
    if (!(anterior.sa_flags & SA_SIGINFO) && anterior.sa_handler == SIG_IGN) continue;
    // Blocked signals and restarted calls as the handler before had them.
    struct sigaction propia {};
    propia.sa_sigaction = alRecibir;
    propia.sa_flags = SA_SIGINFO | (anterior.sa_flags & SA_RESTART);
    propia.sa_mask = anterior.sa_mask;
    gPuestos[i] = ::sigaction(kSenales[i], &propia, nullptr) == 0;
  }
}

void quitarManejadores(int fd) {
  if (gFd.load() != fd) return;
  for (std::size_t i = 0; i < std::size(kSenales); ++i) {
    if (gPuestos[i]) ::sigaction(kSenales[i], &gAnteriores[i], nullptr);
  }
  gFd.store(-1);
}

std::chrono::milliseconds esperaDelEntorno() {
  const char* valor = std::getenv("NUBO_PROGRESO_ESPERA");
  if (valor != nullptr && *valor != '\0') {
    char* fin = nullptr;
    double segundos = std::strtod(valor, &fin);
    if (*fin == '\0' && segundos >= 0 && segundos < 86400) {
      return std::chrono::milliseconds(static_cast<long>(segundos * 1000));
    }
  }
  return LineaTerminal::Ajustes{}.espera;
}

std::size_t columnasDe(std::string_view texto) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < texto.size(); ++n)
    i += prjsumsal::leerCaracter(texto.substr(i)).largo;
  return n;
}

}  // namespace

// Stands between a standard stream and its buffer: every write first wipes the line, under the
// line's lock, so the two never mix on the screen.
class LineaTerminal::Filtro : public std::streambuf {
 public:
  Filtro(LineaTerminal& linea, std::ostream& flujo, bool calla)
      : linea_(linea), flujo_(flujo), destino_(flujo.rdbuf()), calla_(calla) {
    flujo_.rdbuf(this);
  }
  ~Filtro() override { flujo_.rdbuf(destino_); }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    char ch = traits_type::to_char_type(c);
    return xsputn(&ch, 1) == 1 ? c : traits_type::eof();
  }

  std::streamsize xsputn(const char* s, std::streamsize n) override {
    std::lock_guard bloqueo(linea_.m_);
    linea_.borrar();
    std::streamsize escritos = destino_->sputn(s, n);
    if (calla_) {
      linea_.callada_ = linea_.alcances_ > 0;
    } else {
      destino_->pubsync();
      if (n > 0) linea_.alInicio_ = s[n - 1] == '\n';
    }
    return escritos;
  }

  int sync() override { return destino_->pubsync(); }

 private:
  LineaTerminal& linea_;
  std::ostream& flujo_;
  std::streambuf* destino_;
  bool calla_;  // standard output: its text is the result, the line stays away after it
};

std::unique_ptr<LineaTerminal> LineaTerminal::enErrores() {
  if (::isatty(STDERR_FILENO) != 1) return nullptr;
  Ajustes a;
  a.espera = esperaDelEntorno();
  return std::make_unique<LineaTerminal>(STDERR_FILENO, a, ::isatty(STDOUT_FILENO) == 1);
}

LineaTerminal::LineaTerminal(int fd, Ajustes ajustes, bool salidaTerminal)
    : fd_(fd), ajustes_(ajustes) {
  errores_ = std::make_unique<Filtro>(*this, std::cerr, false);
  if (salidaTerminal) salida_ = std::make_unique<Filtro>(*this, std::cout, true);
  ponerManejadores(fd_);
  hilo_ = std::jthread([this](std::stop_token alto) { dibujar(alto); });
}

LineaTerminal::~LineaTerminal() {
  hilo_.request_stop();
  hilo_.join();
  {
    std::lock_guard bloqueo(m_);
    borrar();
  }
  quitarManejadores(fd_);
}

void LineaTerminal::etapa(const std::string& que, std::size_t total) {
  std::lock_guard bloqueo(m_);
  if (que == que_ && total == total_) return;
  que_ = que;
  total_ = total;
  cuenta_ = 0;
  inicioEtapa_ = Reloj::now();
  // A new stage shows at once when the pace allows it, else as soon as it does.
  if (alcances_ > 0 && inicioEtapa_ >= proxima() && mirar()) ultimo_ = inicioEtapa_;
  novedad_ = true;
  cambio_.notify_all();
}

void LineaTerminal::avanzar(std::size_t n) {
  cuenta_.fetch_add(n, std::memory_order_relaxed);
}

LineaTerminal::Alcance::Alcance(LineaTerminal* linea) : linea_(linea) {
  if (!linea_) return;
  std::lock_guard bloqueo(linea_->m_);
  if (linea_->alcances_++ > 0) return;
  linea_->inicio_ = Reloj::now();
  linea_->ultimo_ = {};
  linea_->que_.clear();
  linea_->total_ = 0;
  linea_->cuenta_ = 0;
  linea_->callada_ = false;
  linea_->cambio_.notify_all();
}

LineaTerminal::Alcance::~Alcance() {
  if (!linea_) return;
  std::lock_guard bloqueo(linea_->m_);
  if (--linea_->alcances_ > 0) return;
  linea_->borrar();
}

void LineaTerminal::dibujar(std::stop_token alto) {
  // Signals stay with the threads that were there before: their handlers run as they always did.
  sigset_t todas;
  sigfillset(&todas);
  pthread_sigmask(SIG_BLOCK, &todas, nullptr);
  std::unique_lock bloqueo(m_);
  while (!alto.stop_requested()) {
    if (alcances_ == 0) {
      cambio_.wait(bloqueo, alto, [this] { return alcances_ > 0; });
      continue;
    }
    const auto cuando = proxima();
    if (Reloj::now() < cuando) {
      cambio_.wait_until(bloqueo, alto, cuando, [this] { return alcances_ == 0; });
      continue;
    }
    if (mirar()) ultimo_ = Reloj::now();
    novedad_ = false;
    cambio_.wait_for(bloqueo, alto, ajustes_.intervalo,
                     [this] { return novedad_ || alcances_ == 0; });
  }
}

LineaTerminal::Reloj::time_point LineaTerminal::proxima() const {
  // Not before the work has run for `espera`, nor sooner than `intervalo` after the last text.
  return std::max(inicio_ + ajustes_.espera, ultimo_ + ajustes_.intervalo);
}

bool LineaTerminal::mirar() {
  if (callada_ || !alInicio_) return false;
  if (!enPrimerPlano()) {
    // Sent to the background: the screen is the foreground job's now, leave it alone.
    dibujada_.clear();
    gAncho = 0;
    return false;
  }
  const auto segundos =
      std::chrono::duration_cast<std::chrono::seconds>(Reloj::now() - inicioEtapa_);
  Estado e{que_, cuenta_.load(std::memory_order_relaxed), total_,
           static_cast<std::size_t>(segundos.count())};
  const std::size_t ancho = columnas();
  gColumnas = ancho;
  std::string texto = textoLinea(e, ancho);
  if (texto == dibujada_) return false;
  if (texto.empty()) {
    borrar();
  } else {
    escribir(texto);
  }
  return true;
}

void LineaTerminal::escribir(const std::string& texto) {
  // Blanks cover what a longer text before left on the screen.
  std::size_t antes = columnasDe(dibujada_), ahora = columnasDe(texto);
  std::string t = "\r" + texto;
  if (antes > ahora) t += std::string(antes - ahora, ' ');
  gAncho = std::max(antes, ahora);
  escribirTodo(fd_, t.data(), t.size());
  dibujada_ = texto;
  gAncho = ahora;
}

void LineaTerminal::borrar() {
  if (dibujada_.empty()) return;
  std::string t = "\r" + std::string(columnasDe(dibujada_), ' ') + "\r";
  dibujada_.clear();
  gAncho = 0;
  escribirTodo(fd_, t.data(), t.size());
}

std::size_t LineaTerminal::columnas() const {
  winsize w{};
  if (::ioctl(fd_, TIOCGWINSZ, &w) == 0 && w.ws_col > 0) return w.ws_col;
  return 80;
}

bool LineaTerminal::enPrimerPlano() const {
  pid_t primerPlano = ::tcgetpgrp(fd_);
  return primerPlano >= 0 && primerPlano == ::getpgrp();
}

}  // namespace suite::avance
