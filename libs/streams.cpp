// Line reading and writing on streams.
#include "libs/streams.h"

#include <algorithm>
#include <limits>

#include "libs/kvobase.h"

namespace kvo {

void WriteLnStream(std::ostream& stream, std::string_view s) {
  std::string line;
  line.reserve(s.size() + 2);
  for (char c : s) {
    switch (c) {
      case '\\': line += "\\\\"; break;
      case '\r': line += "\\r"; break;
      case '\n': line += "\\n"; break;
      case '\0': line += "\\0"; break;
      default: line += c;
    }
  }
  line += "\r\n";
  stream.write(line.data(), std::streamsize(line.size()));
  if (!stream) throw EKvoError("cannot write to stream");
}

namespace {

constexpr int kEof = std::char_traits<char>::eof();
constexpr auto kUnbounded = std::numeric_limits<std::streamsize>::max();

// Reads up to and including LF (or the end), keeping at most limit bytes of
// the line; the rest of a longer line is skipped unstored (cut is set).
// True when anything was read.
bool ReadRawLine(std::istream& in, std::string& out, std::size_t limit, bool& cut) {
  out.clear();
  cut = false;
  std::streambuf* sb = in.rdbuf();
  bool any = false;
  for (int ch = sb->sbumpc(); ch != kEof; ch = sb->sbumpc()) {
    any = true;
    if (ch == '\n') return true;
    if (out.size() >= limit) {
      cut = true;
      in.ignore(kUnbounded, '\n');
      return true;
    }
    out += char(ch);
  }
  in.setstate(std::ios::eofbit);
  return any;
}

// Decodes the escapes of WriteLnStream, appending at most maxLen bytes.
std::string Decode(const std::string& raw, std::size_t maxLen) {
  std::string out;
  out.reserve(std::min(raw.size(), maxLen));
  for (std::size_t i = 0; i < raw.size() && out.size() < maxLen; ++i) {
    if (raw[i] != '\\' || i + 1 >= raw.size()) {
      out += raw[i];
      continue;
    }
    const char k = raw[++i];
    switch (k) {
      case 'r': out += '\r'; break;
      case 'n': out += '\n'; break;
      case '0': out += '\0'; break;
      case '\\': out += '\\'; break;
      default: out += '\\'; out += k;  // not written by us: keep as is
    }
  }
  if (out.size() > maxLen) out.resize(maxLen);
  return out;
}

}  // namespace

std::string ReadLnStream(std::istream& stream, bool& endOfStream, std::int32_t mode) {
  return ReadLnStream(stream, endOfStream, mode, std::numeric_limits<std::size_t>::max());
}

std::string ReadLnStream(std::istream& stream, bool& endOfStream, std::int32_t mode,
                         std::size_t maxLen) {
  std::string line;
  endOfStream = false;
  if (stream.peek() == kEof) {
    stream.clear(stream.rdstate() & ~std::ios::failbit);
    endOfStream = true;
    return line;
  }
  bool cut = false;
  switch (mode) {
    case lmAnyEnd:
    case lmCR: {
      std::streambuf* sb = stream.rdbuf();
      int ch = sb->sbumpc();
      for (; ch != kEof; ch = sb->sbumpc()) {
        if (ch == '\n' && mode == lmAnyEnd) break;
        if (ch == '\r') {
          if (sb->sgetc() == '\n') sb->sbumpc();
          break;
        }
        if (line.size() < maxLen) line += char(ch);
      }
      if (ch == kEof) stream.setstate(std::ios::eofbit);
      break;
    }
    case lmLF:
      ReadRawLine(stream, line, maxLen == std::numeric_limits<std::size_t>::max() ? maxLen : maxLen + 1, cut);
      if (!cut && !line.empty() && line.back() == '\r') line.pop_back();
      if (line.size() > maxLen) line.resize(maxLen);
      break;
    case lmRawLF:
      ReadRawLine(stream, line, maxLen, cut);
      break;
    default: {
      // A decoded byte takes at most two raw bytes: 2 * maxLen + 2 raw bytes
      // decode to more than maxLen correct bytes.
      const std::size_t rawLimit =
          maxLen > (std::numeric_limits<std::size_t>::max() - 2) / 2 ? maxLen : 2 * maxLen + 2;
      std::string raw;
      ReadRawLine(stream, raw, rawLimit, cut);
      // Our lines end with CR LF and never contain a bare CR.
      if (!cut && !raw.empty() && raw.back() == '\r') raw.pop_back();
      line = Decode(raw, maxLen);
    }
  }
  // A read that hit the end leaves eof set; the next call reports the end.
  if (stream.eof()) stream.clear(std::ios::eofbit);
  return line;
}

bool SkipLnStream(std::istream& stream) {
  if (stream.peek() == kEof) {
    stream.clear(stream.rdstate() & ~std::ios::failbit);
    return false;
  }
  stream.ignore(kUnbounded, '\n');
  if (stream.eof()) stream.clear(std::ios::eofbit);
  return true;
}

}  // namespace kvo
