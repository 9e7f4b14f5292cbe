#include "terminal.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>

namespace suite::avance::prueba {

namespace {

bool continua(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

EnTerminal enTerminal(const std::function<void()>& hijo, unsigned short columnas) {
  winsize tamano{};
  tamano.ws_row = 24;
  tamano.ws_col = columnas;
  int maestro = -1;
  pid_t pid = ::forkpty(&maestro, nullptr, nullptr, &tamano);
  if (pid == 0) {
    hijo();
    std::cout.flush();
    std::cerr.flush();
    ::_exit(0);
  }
  EnTerminal r;
  if (pid < 0) return r;
  char bloque[4096];
  for (;;) {
    ssize_t n = ::read(maestro, bloque, sizeof bloque);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // EIO once the child and its terminal are gone
    r.bytes.append(bloque, static_cast<std::size_t>(n));
  }
  ::close(maestro);
  ::waitpid(pid, &r.estado, 0);
  r.pantalla = pantalla(r.bytes);
  return r;
}

EnTerminal programaEnTerminal(const std::vector<std::string>& argumentos,
                              const std::vector<std::string>& entorno, const std::string& salida) {
  return enTerminal([&] {
    for (const std::string& v : entorno) {
      std::size_t igual = v.find('=');
      if (igual == std::string::npos) {
        ::unsetenv(v.c_str());
      } else {
        ::setenv(v.substr(0, igual).c_str(), v.c_str() + igual + 1, 1);
      }
    }
    if (!salida.empty()) {
      int fd = ::open(salida.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd < 0) ::_exit(126);
      ::dup2(fd, STDOUT_FILENO);
      ::close(fd);
    }
    std::vector<char*> argv;
    for (const std::string& a : argumentos) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  });
}

std::vector<std::string> pantalla(const std::string& bytes) {
  std::vector<std::vector<std::string>> celdas(1);
  std::size_t fila = 0, columna = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c == '\r') {
      columna = 0;
    } else if (c == '\n') {
      if (++fila == celdas.size()) celdas.emplace_back();
    } else {
      std::string caracter(1, c);
      while (i + 1 < bytes.size() && continua(bytes[i + 1])) caracter += bytes[++i];
      auto& linea = celdas[fila];
      if (linea.size() <= columna) linea.resize(columna + 1, " ");
      linea[columna++] = caracter;
    }
  }
  std::vector<std::string> lineas;
  for (const auto& l : celdas) {
    std::string t;
    for (const auto& c : l) t += c;
    t.erase(t.find_last_not_of(' ') + 1);
    lineas.push_back(t);
  }
  while (!lineas.empty() && lineas.back().empty()) lineas.pop_back();
  return lineas;
}

std::size_t tramoMasAncho(const std::string& bytes) {
  std::size_t mayor = 0, actual = 0;
  for (char c : bytes) {
    if (c == '\r' || c == '\n') {
      actual = 0;
    } else if (!continua(c)) {
      mayor = std::max(mayor, ++actual);
    }
  }
  return mayor;
}

}  // namespace suite::avance::prueba
