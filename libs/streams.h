// Line-oriented reading and writing of texts on binary streams.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace kvo {

// Writes s as one line in the encoding read back by ReadLnStream mode
// lmEncoded: backslash, CR, LF and NUL are written as "\\", "\r", "\n" and
// "\0", every other byte as is, and the line ends with CR LF. Any string,
// including binary data, reads back exactly. Throws EKvoError when the
// stream fails.
KVO_API void WriteLnStream(std::ostream& stream, std::string_view s);

// Line recognition of ReadLnStream.
enum TReadLnMode : std::int32_t {
  lmAnyEnd = 0,   // a line ends at LF, CR LF or a lone CR; the ending is dropped
  lmLF = 1,       // ends at LF; a CR before it is dropped
  lmCR = 2,       // ends at CR; an LF after it is dropped
  lmRawLF = 3,    // ends at LF, everything before it kept
  lmEncoded = 4,  // the encoding of WriteLnStream (CR LF ends, escapes decoded)
};

// Reads the next line. When the stream holds no more characters the result
// is "" and endOfStream is set to true; otherwise endOfStream is false (a last
// line without an ending is returned normally). Unknown modes read as lmEncoded.
KVO_API std::string ReadLnStream(std::istream& stream, bool& endOfStream, std::int32_t mode);

// The same, keeping at most maxLen bytes of the (decoded) line: the rest of
// the line is consumed without being stored, so a line of any length costs
// no more than maxLen bytes of memory. The result is the first maxLen bytes
// of what the unbounded call would return.
KVO_API std::string ReadLnStream(std::istream& stream, bool& endOfStream, std::int32_t mode,
                         std::size_t maxLen);

// Consumes the next line of the encoding of WriteLnStream without storing
// it; false when the stream held no more characters.
KVO_API bool SkipLnStream(std::istream& stream);

}  // namespace kvo
