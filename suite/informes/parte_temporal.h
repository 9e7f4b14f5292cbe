#pragma once

#include <QFile>
#include <cstdio>

namespace suite::informes {

// A temporary file for one part of a document painted in parts, open for writing and reading
// back. It has no name in any folder: it is created without one where the system allows it
// (O_TMPFILE), or created in a folder of its own and unlinked at once, so whatever ends the
// process, a signal included, the system frees it and leaves nothing behind.
class ParteTemporal {
 public:
  // Creates the file in the system's temporary folder. Raises std::runtime_error saying why,
  // in Spanish, when it cannot.
  ParteTemporal();
  ~ParteTemporal();
  ParteTemporal(const ParteTemporal&) = delete;
  ParteTemporal& operator=(const ParteTemporal&) = delete;

  // The device to write the part to; it does not own the file's descriptor.
  QFile& escritura() { return escritura_; }

  // The part from its first byte, for reading: a stream of its own that the caller closes.
  // Raises std::runtime_error when the written part did not all reach the file.
  std::FILE* lectura();

 private:
  int descriptor_ = -1;
  QFile escritura_;
};

}  // namespace suite::informes
