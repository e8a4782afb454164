// The engine's errors carry fixed message texts ("err #21", "Error #22: pc =
// 1"); nothing in the engine catches them.
#pragma once

#include <stdexcept>

class EEngineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
