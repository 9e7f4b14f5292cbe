#pragma once

namespace prjsumsal {

// The screen's mouse pointer.
class Puntero {
 public:
  static constexpr int kPredeterminado = 0;  // the default arrow
  static constexpr int kReloj = 11;          // the hourglass, while long work runs

  virtual ~Puntero() = default;
  virtual void MousePointer(int forma) = 0;
};

}  // namespace prjsumsal
