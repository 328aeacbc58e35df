#include "tests/support/golden.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/error.h"

namespace kvo::test {

namespace fs = std::filesystem;

std::string SourceDir() {
  if (const char* env = std::getenv("KVO_SOURCE_DIR"); env && *env) return env;
#ifdef KVO_SOURCE_DIR
  return KVO_SOURCE_DIR;
#else
  return ".";
#endif
}

std::string GoldenPath(const std::string& name) {
  return SourceDir() + "/tests/golden/" + name + ".png";
}

std::string TempPath(const std::string& file) {
  // Removed when the test program ends, unless KVO_KEEP_TEMP is set.
  struct TTempDir {
    fs::path Path = fs::temp_directory_path() / ("kvo-test-" + std::to_string(::getpid()));
    TTempDir() { fs::create_directories(Path); }
    ~TTempDir() {
      std::error_code ec;
      if (!std::getenv("KVO_KEEP_TEMP")) fs::remove_all(Path, ec);
    }
  };
  static const TTempDir dir;
  const fs::path p = dir.Path / file;
  fs::create_directories(p.parent_path());
  return p.string();
}

namespace {

std::string Flat(const std::string& name) {
  std::string s = name;
  std::replace(s.begin(), s.end(), '/', '_');
  return s;
}

void WriteFailure(const TBitmap& actual, const TBitmap* expected, const std::string& name) {
  try {
    const fs::path out = fs::current_path() / "golden-out";
    fs::create_directories(out);
    const std::string stem = (out / Flat(name)).string();
    actual.SaveToFile(stem + ".actual.png");
    if (!expected || expected->Width() != actual.Width() ||
        expected->Height() != actual.Height())
      return;
    expected->SaveToFile(stem + ".expected.png");
    TBitmap diff(actual.Width(), actual.Height());
    for (std::int32_t y = 0; y < actual.Height(); ++y) {
      const TRGB32* a = actual.ScanLine(y);
      const TRGB32* e = expected->ScanLine(y);
      TRGB32* d = diff.ScanLine(y);
      for (std::int32_t x = 0; x < actual.Width(); ++x) {
        const int m = std::max({std::abs(a[x].R - e[x].R), std::abs(a[x].G - e[x].G),
                                std::abs(a[x].B - e[x].B)});
        const auto v = static_cast<std::uint8_t>(std::min(255, m * 4));
        d[x] = m == 0 ? TRGB32{a[x].B, a[x].G, a[x].R, 255}  // unchanged: dimmed picture
                      : TRGB32{0, 0, v < 64 ? std::uint8_t(64) : v, 255};
        if (m == 0) {
          d[x].B = std::uint8_t(128 + d[x].B / 2);
          d[x].G = std::uint8_t(128 + d[x].G / 2);
          d[x].R = std::uint8_t(128 + d[x].R / 2);
        }
      }
    }
    diff.SaveToFile(stem + ".diff.png");
  } catch (const std::exception&) {
    // Failure pictures are a help only; the comparison result stands.
  }
}

}  // namespace

std::string CompareWithGolden(const TBitmap& actual, const std::string& name,
                              TGoldenTolerance tol) {
  const std::string path = GoldenPath(name);
  const char* update = std::getenv("KVO_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    try {
      fs::create_directories(fs::path(path).parent_path());
      actual.SaveToFile(path);
    } catch (const std::exception& e) {
      return std::string("cannot write golden: ") + e.what();
    }
    return {};
  }
  TBitmap expected;
  try {
    expected.LoadFromFile(path);
  } catch (const EPlatformError& e) {
    WriteFailure(actual, nullptr, name);
    return "golden " + path + " unreadable (" + e.what() +
           "); create it with KVO_UPDATE_GOLDEN=1";
  }
  if (expected.Width() != actual.Width() || expected.Height() != actual.Height()) {
    WriteFailure(actual, &expected, name);
    return "size " + std::to_string(actual.Width()) + "x" + std::to_string(actual.Height()) +
           " differs from golden " + std::to_string(expected.Width()) + "x" +
           std::to_string(expected.Height());
  }
  std::int64_t over = 0;
  int worst = 0;
  for (std::int32_t y = 0; y < actual.Height(); ++y) {
    const TRGB32* a = actual.ScanLine(y);
    const TRGB32* e = expected.ScanLine(y);
    for (std::int32_t x = 0; x < actual.Width(); ++x) {
      const int m = std::max({std::abs(a[x].R - e[x].R), std::abs(a[x].G - e[x].G),
                              std::abs(a[x].B - e[x].B)});
      worst = std::max(worst, m);
      if (m > tol.MaxChannelDiff) ++over;
    }
  }
  if (over <= tol.MaxPixelsOver) return {};
  WriteFailure(actual, &expected, name);
  return std::to_string(over) + " pixels differ from golden " + name + " by more than " +
         std::to_string(tol.MaxChannelDiff) + " (largest difference " + std::to_string(worst) +
         "); pictures in golden-out/";
}

}  // namespace kvo::test
