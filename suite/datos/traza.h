#pragma once

#include <string_view>

namespace suite::datos {

// Which of the host's two database objects a BaseSqlite stands for.
enum class Papel { Contabilidad, Informes };

// "contabilidad" or "informes", the label of the role in the trace.
const char* nombrePapel(Papel papel);

// The statement trace: when the environment variable NUBO_TRAZA_SQL names a file, every
// statement a database object receives is appended to it, one line each,
// "role<TAB>operation<TAB>text", exactly as received. A newline, a carriage return or a
// backslash inside the text is written escaped (\n, \r, \\) so that one statement stays one
// line. A file that cannot be opened is reported once on standard error and the trace is off;
// tracing never changes what the database object does.
class Traza {
 public:
  explicit Traza(Papel papel);
  ~Traza();
  Traza(const Traza&) = delete;
  Traza& operator=(const Traza&) = delete;

  // Appends one line; `operacion` is "executesql" or "newrecord".
  void anotar(std::string_view operacion, std::string_view sentencia);

 private:
  Papel papel_;
  int archivo_ = -1;  // descriptor opened for appending; -1 when the trace is off
};

}  // namespace suite::datos
