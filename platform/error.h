// Errors raised by the platform layer itself (I/O, decoding, backends).
#pragma once

#include <stdexcept>
#include <string>

namespace kvo {

class EPlatformError : public std::runtime_error {
public:
  explicit EPlatformError(const std::string& msg) : std::runtime_error(msg) {}
};

}  // namespace kvo
