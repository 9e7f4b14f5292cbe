#pragma once

#include <string>

#include "host/error.h"

namespace suite::datos {

// A failure reported by SQLite: the description is the engine's own message and the engine's
// result code is kept for callers that want to tell failures apart (busy, constraint...).
class ErrorSqlite : public prjsumsal::Error {
 public:
  ErrorSqlite(const std::string& mensaje, int codigo)
      : prjsumsal::Error(mensaje), codigo_(codigo) {}

  // The extended result code of SQLite (SQLITE_ERROR, SQLITE_CONSTRAINT_PRIMARYKEY...).
  int codigo() const { return codigo_; }

 private:
  int codigo_;
};

}  // namespace suite::datos
