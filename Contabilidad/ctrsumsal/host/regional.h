#pragma once

#include <string>

namespace prjsumsal {

// The regional number and date settings. The default is Chile's: thousands ".", decimals ",",
// dates "dd/mm/yyyy".
class Regional {
 public:
  virtual ~Regional() = default;
  virtual std::string separadorMiles() const { return "."; }
  virtual std::string separadorDecimal() const { return ","; }
  virtual char separadorFecha() const { return '/'; }
};

}  // namespace prjsumsal
