#pragma once

#include <stdexcept>

namespace suite::plataforma {

// Bad command-line input, a database that cannot be opened, a demo folder that cannot be made:
// the description is the one line nubo prints before it exits with status 2.
class ErrorUso : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace suite::plataforma
