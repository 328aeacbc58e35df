// Fuzz target of the line and escape parsers of the base library. The
// input is read as lines in every mode, unbounded and bounded; written
// back with WriteLnStream and read again; and decoded as user-text escapes.
// Invariants: a bounded read returns the head of the unbounded read and
// leaves the stream at the same place; skipping a line consumes what
// reading it does; every string written reads back exactly; a text without
// a backslash passes the escape decoder unchanged.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "libs/streams.h"
#include "libs/stringl.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "streams_fuzz: invariant broken: %s\n", what);
    std::abort();
  }
}

std::vector<std::string> AllLines(const std::string& bytes, std::int32_t mode, std::size_t max,
                                  bool bounded) {
  std::istringstream in(bytes);
  std::vector<std::string> lines;
  for (int k = 0; k < 10000; ++k) {
    bool end = false;
    std::string l = bounded ? kvo::ReadLnStream(in, end, mode, max) : kvo::ReadLnStream(in, end, mode);
    if (end) {
      Check(l.empty(), "a read at the end returns nothing");
      break;
    }
    lines.push_back(std::move(l));
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t max = data[0] % 24;
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  for (std::int32_t mode = 0; mode <= 5; ++mode) {
    const std::vector<std::string> full = AllLines(bytes, mode, 0, false);
    const std::vector<std::string> cut = AllLines(bytes, mode, max, true);
    Check(full.size() == cut.size(), "bounded reads see the same lines");
    for (std::size_t i = 0; i < full.size(); ++i)
      Check(cut[i] == full[i].substr(0, max), "a bounded read is the head of the line");
  }

  {  // skipping consumes a line as reading does
    std::istringstream a(bytes), b(bytes);
    for (int k = 0; k < 10000; ++k) {
      bool end = false;
      kvo::ReadLnStream(a, end, kvo::lmEncoded);
      const bool skipped = kvo::SkipLnStream(b);
      Check(skipped == !end, "skip and read agree on the end");
      if (end) break;
      Check(a.tellg() == b.tellg(), "skip and read stop at the same place");
    }
  }

  {  // every string reads back exactly, also several in a row
    std::ostringstream out;
    const std::size_t half = bytes.size() / 2;
    const std::string first = bytes.substr(0, half), second = bytes.substr(half);
    kvo::WriteLnStream(out, first);
    kvo::WriteLnStream(out, second);
    std::istringstream in(out.str());
    bool end = false;
    Check(kvo::ReadLnStream(in, end, kvo::lmEncoded) == first && !end, "first line back");
    Check(kvo::ReadLnStream(in, end, kvo::lmEncoded, max) == second.substr(0, max) && !end,
          "second line back, bounded");
    kvo::ReadLnStream(in, end, kvo::lmEncoded);
    Check(end, "nothing after the written lines");
  }

  const std::string decoded = kvo::ProcessHexChars(bytes);
  if (bytes.find('\\') == std::string::npos) Check(decoded == bytes, "text without escapes");
  (void)kvo::Utf8Length(decoded);
  (void)kvo::Utf8Left(decoded, std::int32_t(max));
  return 0;
}
