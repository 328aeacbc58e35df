// A chart that counts its repaints, for the display-list tests.
#pragma once

#include "devari/devari.h"

namespace kvo::testing {

class TCountingChart : public TCustomDEvari {
public:
  int Paints = 0;
  void Paint() override { ++Paints; }
  using TCustomDEvari::FLastElemOnShow;
};

}  // namespace kvo::testing
