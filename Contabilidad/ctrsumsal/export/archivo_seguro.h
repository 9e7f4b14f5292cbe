#pragma once

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include "host/disco.h"

namespace prjsumsal {

// What a system error number means for the user, in Spanish ("no queda espacio en el disco"),
// as every message of a file that cannot be written says it.
std::string motivoSistema(int e);

// An output file that is written whole or not at all, the one way every file of the programs is
// written. The bytes go to a temporary file in the target's folder; confirmar() writes out the
// rest, syncs and closes it and only then renames it over the target, so a failure half way
// leaves the previous file as it was and no partial file behind. The temporary file is noted in
// host/temporales.h, for the host's signal handler to remove. A target that exists and is not a
// regular file (a device such as /dev/stdout, a pipe) has no previous content to keep and is
// written directly.
//
// A file that is protected (an open database, a program's own input: see Protegido) is never a
// target, however the path names it: relative, through "..", a symbolic or a hard link.
//
// The temporary file's name carries the process that writes it; a process killed outright leaves
// it behind, and the next ArchivoSeguro in that folder removes such leftovers of processes that
// have ended (as far as the disk can tell, see Disco::terminado), never one of a live process nor
// any other file.
//
// Every failure raises an Error whose description names the target's path and says what went
// wrong, in Spanish. The file is always closed: by confirmar(), or by the destructor, which also
// removes the temporary file of a file that was not confirmed.
class ArchivoSeguro {
 public:
  // Creates the temporary file through `disco` (null: the platform's). Raises when it cannot be
  // created (missing folder, no permission, the target is a folder or is protected).
  explicit ArchivoSeguro(std::string ruta, Disco* disco = nullptr);
  ~ArchivoSeguro();
  ArchivoSeguro(const ArchivoSeguro&) = delete;
  ArchivoSeguro& operator=(const ArchivoSeguro&) = delete;

  // The stream to write to. A failed write raises an Error from the stream operation itself.
  std::ostream& flujo() { return *flujo_; }

  // Writes `n` bytes after what the stream holds. Raises an Error when the disk refuses them.
  void escribir(const char* datos, std::size_t n);

  // Writes out what is left, syncs and closes the file and puts it in the target's place. Raises
  // on any failure; the temporary file is then removed and the target left untouched.
  void confirmar();

  const std::string& ruta() const { return ruta_; }
  // The file the content goes to until confirmar(): the temporary file, or the target itself
  // when that is not a regular file. For a writer that opens the file by its name and writes it
  // instead of flujo(); confirmar() then puts it in place as it does its own.
  const std::string& escritura() const { return temporal_.empty() ? destino_ : temporal_; }

 private:
  class Buffer;

  void comprobarDestino() const;
  void crearTemporal(const std::string& carpeta, const std::string& nombre);
  void descartar() noexcept;

  std::string ruta_;      // the target as given, for the messages
  std::string destino_;   // the file that gets replaced (a symbolic link's target)
  std::string temporal_;  // empty when writing straight to a non-regular target
  Disco* disco_;
  std::unique_ptr<Disco::Archivo> archivo_;
  std::unique_ptr<Buffer> buffer_;
  std::unique_ptr<std::ostream> flujo_;
};

// A file that no ArchivoSeguro may write while this object lives: an open database, with the
// journal files its engine keeps beside it (NAME-wal, NAME-journal, NAME-shm), or a program's
// own input. `que` completes the refusal "No se puede escribir el archivo X: es ...", as in
// "la base de datos de contabilidad abierta". A path that names no file protects nothing.
class Protegido {
 public:
  Protegido(const std::string& ruta, std::string que);
  ~Protegido();
  Protegido(Protegido&& otro) noexcept : id_(otro.id_) { otro.id_ = 0; }
  Protegido& operator=(Protegido&&) = delete;
  Protegido(const Protegido&) = delete;

 private:
  int id_ = 0;
};

// The refusal for `ruta` when it names a protected file, as the rest of the sentence after
// "es " (see Protegido); empty when it may be written.
std::string protegido(const std::string& ruta);

// Removes from `carpeta` the temporary files that writers of processes now ended (killed half
// way, so their own clean-up never ran) left there. A file is removed only when `disco` says its
// process, named in the file's name, has ended on this machine.
void quitarRestos(const std::filesystem::path& carpeta, Disco& disco);

}  // namespace prjsumsal
