#pragma once

#include <string>

#include "host/error.h"

namespace suite::datos {

// A failure reported by PostgreSQL or by libpq: the description is the server's own message (or
// the connection's, prefixed with what was being done), and the five-character SQLSTATE is kept
// for callers that want to tell failures apart ("42P01" a missing table, "08006" a lost
// connection...).
class ErrorPostgres : public prjsumsal::Error {
 public:
  ErrorPostgres(const std::string& mensaje, std::string estado)
      : prjsumsal::Error(mensaje), estado_(std::move(estado)) {}

  const std::string& estado() const { return estado_; }

 private:
  std::string estado_;
};

}  // namespace suite::datos
