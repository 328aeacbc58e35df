#include "libs/streams.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace kvo {
namespace {

using namespace std::string_literals;

TEST(Streams, AwkwardStringsRoundTrip) {
  const std::vector<std::string> texts = {
      "",
      "plain",
      "two\r\nlines",
      "lf\nonly",
      "cr\ronly",
      "nul\0inside"s,
      "\0"s,
      "trailing backslash\\",
      "\\r is not a CR",
      "\r\n\r\n",
      "utf-8 \xC2\xB0 \xE2\x82\xAC",
      std::string(3000, 'x') + "\n" + std::string(3000, 'y'),
  };
  std::stringstream ss(std::ios::in | std::ios::out | std::ios::binary);
  for (const auto& t : texts) WriteLnStream(ss, t);
  bool eof = true;
  for (const auto& t : texts) {
    EXPECT_EQ(ReadLnStream(ss, eof, 4), t);
    EXPECT_FALSE(eof);
  }
  EXPECT_EQ(ReadLnStream(ss, eof, 4), "");
  EXPECT_TRUE(eof);
  EXPECT_EQ(ReadLnStream(ss, eof, 4), "");  // stays at the end
  EXPECT_TRUE(eof);
}

TEST(Streams, LinesFollowBinaryData) {
  // The chart writes its long texts after binary records: reading starts
  // wherever the stream stands.
  std::stringstream ss(std::ios::in | std::ios::out | std::ios::binary);
  ss.write("\x01\x02\x00\x0A", 4);
  WriteLnStream(ss, "after");
  char buf[4];
  ss.read(buf, 4);
  bool eof = false;
  EXPECT_EQ(ReadLnStream(ss, eof, 4), "after");
  EXPECT_FALSE(eof);
}

TEST(Streams, ForeignLineEndings) {
  const std::string data = "a\r\nb\nc\rd";
  {
    std::istringstream in(data);
    bool eof = false;
    EXPECT_EQ(ReadLnStream(in, eof, lmAnyEnd), "a");
    EXPECT_EQ(ReadLnStream(in, eof, lmAnyEnd), "b");
    EXPECT_EQ(ReadLnStream(in, eof, lmAnyEnd), "c");
    EXPECT_EQ(ReadLnStream(in, eof, lmAnyEnd), "d");  // last line without an ending
    EXPECT_FALSE(eof);
    ReadLnStream(in, eof, lmAnyEnd);
    EXPECT_TRUE(eof);
  }
  {
    std::istringstream in(data);
    bool eof = false;
    EXPECT_EQ(ReadLnStream(in, eof, lmLF), "a");
    EXPECT_EQ(ReadLnStream(in, eof, lmLF), "b");
    EXPECT_EQ(ReadLnStream(in, eof, lmLF), "c\rd");
  }
  {
    std::istringstream in(data);
    bool eof = false;
    EXPECT_EQ(ReadLnStream(in, eof, lmRawLF), "a\r");
  }
  {
    std::istringstream in(data);
    bool eof = false;
    EXPECT_EQ(ReadLnStream(in, eof, lmCR), "a");
    EXPECT_EQ(ReadLnStream(in, eof, lmCR), "b\nc");
  }
}

TEST(Streams, EmptyStreamAndFailedWrite) {
  std::istringstream in("");
  bool eof = false;
  EXPECT_EQ(ReadLnStream(in, eof, 4), "");
  EXPECT_TRUE(eof);
  std::ostringstream bad;
  bad.setstate(std::ios::badbit);
  EXPECT_ANY_THROW(WriteLnStream(bad, "x"));
}

}  // namespace
}  // namespace kvo

#include "libs/math1.h"

namespace kvo {
namespace {

TEST(Streams, RandomBinaryStringsRoundTrip) {
  GRandomSeed(99);
  std::vector<std::string> texts;
  for (int i = 0; i < 300; ++i) {
    std::string s(std::size_t(URandom() * 40), '\0');
    // Mostly the awkward bytes: NUL, CR, LF, backslash, 'r', 'n', '0'.
    static const char kBytes[] = {'\0', '\r', '\n', '\\', 'r', 'n', '0', 'x', '\xFF'};
    for (char& c : s) c = URandom() < 0.8 ? kBytes[std::size_t(URandom() * 9)] : char(URandom() * 256);
    texts.push_back(s);
  }
  std::stringstream ss(std::ios::in | std::ios::out | std::ios::binary);
  for (const auto& t : texts) WriteLnStream(ss, t);
  bool eof = false;
  for (const auto& t : texts) ASSERT_EQ(ReadLnStream(ss, eof, lmEncoded), t);
  ReadLnStream(ss, eof, lmEncoded);
  EXPECT_TRUE(eof);
}

}  // namespace
}  // namespace kvo
