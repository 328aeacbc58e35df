// Exception class of the 2D charts (programming errors on indexes, joint
// layers and logarithmic ranges), carrying a fixed message.
#pragma once

#include <string>

#include "libs/kvobase.h"

namespace kvo {

class EKvoDEvariError : public EKvoError {
public:
  using EKvoError::EKvoError;
};

}  // namespace kvo
