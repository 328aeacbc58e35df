// Errors raised by the platform layer itself (I/O, decoding, backends).
#pragma once

#include "export.h"

#include <stdexcept>
#include <string>

namespace kvo {

class KVO_API EPlatformError : public std::runtime_error {
public:
  explicit EPlatformError(const std::string& msg) : std::runtime_error(msg) {}
};

}  // namespace kvo
