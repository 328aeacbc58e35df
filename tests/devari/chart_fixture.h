// The chart fixtures now live in tests/support/chart_fixture.h; this name is
// kept for the tests that include it.
#pragma once

#include "tests/support/chart_fixture.h"

namespace kvo::testing {

using ::kvo::test::TCountingChart;

}  // namespace kvo::testing
