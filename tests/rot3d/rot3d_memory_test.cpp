// MakeVisible when the objects do not fit into memory: the exception names
// the control in double quotes, and the viewer stays usable.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <type_traits>

#include "rot3d/rot3d.h"

namespace {
// While set, allocations of at least this many bytes fail.
std::size_t gFailFrom = 0;
}  // namespace

void* operator new(std::size_t n) {
  if (gFailFrom != 0 && n >= gFailFrom) throw std::bad_alloc();
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace kvo {
namespace {

TEST(Rot3DMemory, MakeVisibleReportsInsufficientMemory) {
  TRot3D r;
  r.SetName("Cloud1");
  for (int i = 0; i < 5000; ++i) r.MarkAt(i, i % 10, i % 7, 1);
  gFailFrom = 16000;  // the object arrays (5000 x 4 bytes) cannot be had
  std::string what;
  try {
    r.MakeVisible();
  } catch (const EKvoRot3DError& e) {
    what = e.what();
  }
  gFailFrom = 0;
  EXPECT_EQ(what, "Component \"Cloud1\": insufficient memory");
  EXPECT_EQ(r.NumObjects(), 0);
  EXPECT_EQ(r.NumItems(), 5000);
  r.MakeVisible();
  EXPECT_EQ(r.NumObjects(), 5000);
}
static_assert(std::is_base_of_v<EKvoError, EKvoRot3DError>);

}  // namespace
}  // namespace kvo
