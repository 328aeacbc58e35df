// A live chart (painting on) that counts its repaints instead of painting,
// for the display-list tests.
#pragma once

#include "devari/tdevari.h"

namespace kvo::testing {

class TCountingChart : public TDEvari {
public:
  TCountingChart() {
    SetSuppressPaint(false);
    Paints = 0;
  }
  int Paints = 0;
  void Paint() override { ++Paints; }
  using TDEvari::FLastElemOnShow;
};

}  // namespace kvo::testing
