// Line reading and writing on streams.
#include "libs/streams.h"

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

// Reads up to and including LF (or the end); true when anything was read.
bool ReadRawLine(std::istream& in, std::string& out) {
  out.clear();
  bool any = false;
  for (int ch = in.get(); ch != kEof; ch = in.get()) {
    any = true;
    if (ch == '\n') return true;
    out += char(ch);
  }
  return any;
}

std::string Decode(const std::string& raw) {
  std::string out;
  out.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
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
  return out;
}

}  // namespace

std::string ReadLnStream(std::istream& stream, bool& endOfStream, std::int32_t mode) {
  std::string line;
  endOfStream = false;
  if (stream.peek() == kEof) {
    stream.clear(stream.rdstate() & ~std::ios::failbit);
    endOfStream = true;
    return line;
  }
  switch (mode) {
    case lmAnyEnd:
    case lmCR: {
      for (int ch = stream.get(); ch != kEof; ch = stream.get()) {
        if (ch == '\n' && mode == lmAnyEnd) break;
        if (ch == '\r') {
          if (stream.peek() == '\n') stream.get();
          break;
        }
        line += char(ch);
      }
      break;
    }
    case lmLF:
      ReadRawLine(stream, line);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      break;
    case lmRawLF:
      ReadRawLine(stream, line);
      break;
    default: {
      std::string raw;
      ReadRawLine(stream, raw);
      // Our lines end with CR LF and never contain a bare CR.
      if (!raw.empty() && raw.back() == '\r') raw.pop_back();
      line = Decode(raw);
    }
  }
  // A read that hit the end leaves eof/fail set; the next call reports the end.
  if (stream.eof()) stream.clear(std::ios::eofbit);
  return line;
}

}  // namespace kvo
