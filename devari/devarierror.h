/// @file
/// Exception class of the 2D charts (programming errors on indexes, joint
/// layers and logarithmic ranges), carrying a fixed message.
#pragma once

#include "../platform/export.h"

#include <string>

#include "../libs/kvobase.h"

namespace kvo {

class KVO_API EKvoDEvariError : public EKvoError {
public:
  using EKvoError::EKvoError;
};

}  // namespace kvo
