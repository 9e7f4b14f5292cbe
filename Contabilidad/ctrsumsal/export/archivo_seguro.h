#pragma once

#include <cstdio>
#include <memory>
#include <ostream>
#include <string>

namespace prjsumsal {

// An output file that is written whole or not at all. The text goes to a temporary file in the
// target's folder; confirmar() flushes and closes it and only then renames it over the target,
// so a failure half way leaves the previous file as it was and no partial file behind. A
// target that exists and is not a regular file (a device such as /dev/stdout, a pipe) has no
// previous content to keep and is written directly.
//
// Every failure raises an Error whose description names the target's path and says what went
// wrong, in Spanish. The handle is always closed: by confirmar(), or by the destructor, which
// also removes the temporary file of a file that was not confirmed.
class ArchivoSeguro {
 public:
  // Creates the temporary file. Raises when it cannot be created (missing folder, no
  // permission, the target is a folder).
  explicit ArchivoSeguro(std::string ruta);
  ~ArchivoSeguro();
  ArchivoSeguro(const ArchivoSeguro&) = delete;
  ArchivoSeguro& operator=(const ArchivoSeguro&) = delete;

  // The stream to write to. A failed write raises an Error from the stream operation itself.
  std::ostream& flujo() { return *flujo_; }

  // Writes out what is left, closes the file and puts it in the target's place. Raises on any
  // failure; the temporary file is then removed and the target left untouched.
  void confirmar();

  const std::string& ruta() const { return ruta_; }
  // The file the content goes to until confirmar(): the temporary file, or the target itself
  // when that is not a regular file. For a writer that opens the file by its name and writes it
  // instead of flujo(); confirmar() then puts it in place as it does its own.
  const std::string& escritura() const { return temporal_.empty() ? destino_ : temporal_; }

 private:
  class Buffer;

  void descartar() noexcept;

  std::string ruta_;      // the target as given, for the messages
  std::string destino_;   // the file that gets replaced (a symbolic link's target)
  std::string temporal_;  // empty when writing straight to a non-regular target
  std::FILE* archivo_ = nullptr;
  std::unique_ptr<Buffer> buffer_;
  std::unique_ptr<std::ostream> flujo_;
};

}  // namespace prjsumsal
