// Data and annotation files: the byte layout (against hand-built bytes),
// loading with and without append, long-text slots on load, damaged and
// hostile files, failed loads and saves changing nothing, CopyAnnoFrom.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "chart_fixture.h"
#include "tests/support/items.h"
#include "devari/atomicfile_p.h"
#include "devari/datafile.h"

namespace kvo {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using Bytes = std::vector<unsigned char>;
using testing::TCountingChart;
using test::SameRecord;

// ---- Hand-built bytes --------------------------------------------------------

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}
void PutDouble(Bytes& b, std::size_t at, double v) {
  const auto bits = std::bit_cast<std::uint64_t>(v);
  for (int i = 0; i < 8; ++i) b[at + i] = static_cast<unsigned char>(bits >> (8 * i));
}
void PutText(Bytes& b, std::size_t at, const std::string& s) {
  b[at] = static_cast<unsigned char>(s.size());
  std::memcpy(&b[at + 1], s.data(), s.size());
}

// A 104-byte record whose padding bytes hold `pad`.
Bytes Record(unsigned char pad = 0) {
  Bytes r(104, 0);
  for (std::size_t off : {49, 50, 51, 62, 63, 86, 87, 101, 102, 103}) r[off] = pad;
  return r;
}

Bytes Header(const char* marker, std::uint32_t n, std::uint32_t m, unsigned char pad = 0) {
  Bytes h = Record(pad);
  Put32(h, 36, 0xFFFFFF);
  Put32(h, 40, 0x808080);
  Put32(h, 44, 0xFFFFFF);
  Put32(h, 56, 0xFFFFFFFE);  // LWid = -2
  Put32(h, 64, 1);           // Layer
  PutText(h, 70, marker);
  for (std::size_t off : {83, 84, 85}) h[off] = pad;
  Put32(h, 88, n);
  Put32(h, 92, m);
  return h;
}

// The two items of the sample chart below, as a file holds them.
Bytes SampleFile(unsigned char pad = 0) {
  Bytes f = Header("[DATAFORMAT]", 2, 1, pad);
  Bytes move = Record(pad);
  PutDouble(move, 0, 1.5);
  PutDouble(move, 8, -2.0);
  Put32(move, 32, 0x112233);  // Color
  Put32(move, 52, 0xFFFFFFF9);  // Tag -7
  Put32(move, 56, 2);         // LWid = LineWidth
  move[60] = 4;               // class
  move[61] = 8;               // tkMoveTo
  Put32(move, 64, 2);         // layer
  Bytes text = Record(pad);
  PutDouble(text, 0, 3.0);
  PutDouble(text, 8, 4.0);
  Put32(text, 32, 0x112233);
  Put32(text, 36, 0xC0C0C0);  // background
  Put32(text, 52, 0xFFFFFFF9);
  Put32(text, 56, 1);         // long-text slot 1
  text[60] = 4;
  text[61] = 7;               // tkText
  Put32(text, 64, 2);
  PutText(text, 70, "a text longer t");
  Put32(text, 88, 12);  // size
  Put32(text, 92, 1);   // tbSolid
  Put32(text, 96, 0);   // taLeftJustify
  f.insert(f.end(), move.begin(), move.end());
  f.insert(f.end(), text.begin(), text.end());
  const std::string line = "a text longer than fifteen\r\n";
  f.insert(f.end(), line.begin(), line.end());
  return f;
}

void FillSampleChart(TDEvari& c) {
  c.SetDataCol(0x112233);
  c.SetDataTag(-7);
  c.SetLineWid(2);
  c.SetClassDefault(4);
  c.SetActiveLayer(2);
  c.SetTextBkStyle(tbSolid);
  c.SetTextAlignment(taLeftJustify);
  c.MoveTo(1.5, -2.0);
  c.Text(3.0, 4.0, 12, "a text longer than fifteen");
}

bool IsPadding(std::size_t offset) {
  const std::size_t o = offset % 104;
  const bool header = offset < 104;
  return (o >= 49 && o <= 51) || o == 62 || o == 63 || o == 86 || o == 87 || o >= 101 ||
         (header && o >= 83 && o <= 85);
}

class DataFiles : public ::testing::Test {
protected:
  fs::path dir;
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("kvo_datafile_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string Path(const char* name) const { return (dir / name).string(); }
  static Bytes Read(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  static void Write(const std::string& p, const Bytes& b) {
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
  }
  std::size_t FilesInDir() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
  }
};

// ---- Layout --------------------------------------------------------------------

TEST_F(DataFiles, SaveDataWritesExactlyTheHandBuiltBytes) {
  TCountingChart c;
  FillSampleChart(c);
  c.SaveData(Path("sample.dat"));
  const Bytes got = Read(Path("sample.dat"));
  const Bytes want = SampleFile();
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i)
    if (!IsPadding(i) || i >= 3 * 104) {
      ASSERT_EQ(int(got[i]), int(want[i])) << "offset " << i;
    }
}

TEST_F(DataFiles, LoadDataReadsAHandBuiltFileAndIgnoresPadding) {
  Write(Path("hand.dat"), SampleFile(0xAA));
  TCountingChart c;
  c.Paints = 0;
  ASSERT_EQ(c.LoadData(Path("hand.dat"), false), 2);
  EXPECT_EQ(c.Paints, 1);
  ASSERT_EQ(c.NumItems(), 2);
  const TrcChartItem m = c.GetChartItem(0);
  EXPECT_EQ(m.ItemKind, tkMoveTo);
  EXPECT_EQ(m.x, 1.5);
  EXPECT_EQ(m.y, -2.0);
  EXPECT_EQ(m.Color, 0x112233u);
  EXPECT_EQ(m.Tag, -7);
  EXPECT_EQ(m.LWid, 2);
  EXPECT_EQ(m.ItemClass, 4);
  EXPECT_EQ(m.Layer, 2);
  const TrcChartItem t = c.GetChartItem(1);
  EXPECT_EQ(t.ItemKind, tkText);
  EXPECT_EQ(t.Param1, 12);
  EXPECT_EQ(t.Param2, tbSolid);
  EXPECT_EQ(t.FillColor, 0xC0C0C0u);
  EXPECT_EQ(c.DataLongText(1), "a text longer than fifteen");
  EXPECT_EQ(c.ItemCount(tkMoveTo), 1);
  EXPECT_EQ(c.ItemCount(tkText), 1);
  EXPECT_EQ(c.NumAllocData(), 2);
}

TEST_F(DataFiles, EmptyContainerIsJustTheHeader) {
  TCountingChart c;
  c.SaveData(Path("empty.dat"));
  const Bytes b = Read(Path("empty.dat"));
  ASSERT_EQ(b.size(), 104u);
  const Bytes want = Header("[DATAFORMAT]", 0, 0);
  for (std::size_t i = 0; i < 104; ++i)
    if (!IsPadding(i)) {
      EXPECT_EQ(int(b[i]), int(want[i])) << i;
    }
  c.DrawTo(1.0, 1.0);
  EXPECT_EQ(c.LoadData(Path("empty.dat"), false), 0);
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.ItemCount(tkLineto), 0);
}

TEST_F(DataFiles, AnnotationFilesCarryTheirMarkerAndCoordinateModes) {
  TCountingChart c;
  c.SetAnnoMode(true);
  c.Line(1.0, 2.0, 3, 4);
  c.Text(5, 6, 10, "annotation text over 15");
  c.SaveAnno(Path("a.ano"));
  const Bytes b = Read(Path("a.ano"));
  EXPECT_EQ(std::string(b.begin() + 71, b.begin() + 83), "[ANNOFORMAT]");

  TCountingChart d;
  d.DrawTo(1.0, 1.0);
  EXPECT_EQ(d.LoadData(Path("a.ano"), false), kLoadWrongFormat);
  EXPECT_EQ(d.NumItems(), 1);
  ASSERT_EQ(d.LoadAnno(Path("a.ano"), false), 2);
  EXPECT_EQ(d.GetAnnoItem(0).CoordMode, cmWorldMainScreenSec);
  EXPECT_EQ(d.GetAnnoItem(1).CoordMode, cmAllScreen);
  EXPECT_EQ(d.AnnoLongText(1), "annotation text over 15");
  EXPECT_EQ(d.ItemCount(tkLine), 0);  // annotations are not counted
  c.SaveData(Path("d.dat"));
  EXPECT_EQ(d.LoadAnno(Path("d.dat"), false), kLoadWrongFormat);
}

TEST_F(DataFiles, LongTextsWithLineBreaksSurvive) {
  TCountingChart c;
  const std::string awkward = "line one\r\nline two\nback\\slash\0nul"s;
  c.Text(0.0, 0.0, 10, awkward);
  c.SaveData(Path("t.dat"));
  TCountingChart d;
  ASSERT_EQ(d.LoadData(Path("t.dat"), false), 1);
  EXPECT_EQ(d.DataLongText(0), awkward);
}

// ---- Append and slots ----------------------------------------------------------

TEST_F(DataFiles, AppendPutsLoadedItemsAfterTheExistingOnes) {
  TCountingChart src;
  for (int i = 0; i < 3; ++i) src.MarkAt(100.0 + i, 0.0, 1);
  src.SaveData(Path("three.dat"));
  TCountingChart c;
  for (int i = 0; i < 5; ++i) c.DrawTo(double(i), 0.0);
  c.FLastElemOnShow = 4;
  ASSERT_EQ(c.LoadData(Path("three.dat"), true), 3);
  ASSERT_EQ(c.NumItems(), 8);
  EXPECT_EQ(c.GetChartItem(4).x, 4.0);
  EXPECT_EQ(c.GetChartItem(5).x, 100.0);
  EXPECT_EQ(c.GetChartItem(7).x, 102.0);
  EXPECT_EQ(c.ItemCount(tkLineto), 5);
  EXPECT_EQ(c.ItemCount(tkMarkAt), 3);
  EXPECT_EQ(c.NumAllocData(), 8);
  EXPECT_EQ(c.LastElemOnShow(), 4);
  ASSERT_EQ(c.LoadData(Path("three.dat"), false), 3);
  EXPECT_EQ(c.NumItems(), 3);
  EXPECT_EQ(c.ItemCount(tkLineto), 0);
  EXPECT_EQ(c.LastElemOnShow(), 0);
}

TEST_F(DataFiles, AppendingLongTextsTakesTheRemainingSlots) {
  TCountingChart src;
  src.Text(0.0, 0.0, 10, "first long text in file");
  src.Text(0.0, 0.0, 10, "second long text in file");
  src.SaveData(Path("two.dat"));
  TCountingChart c;
  for (int i = 0; i < 49; ++i) c.Text(0.0, 0.0, 10, "existing long text " + std::to_string(i));
  ASSERT_EQ(c.LoadData(Path("two.dat"), true), 2);
  EXPECT_EQ(c.GetChartItem(49).LWid, 50);
  EXPECT_EQ(c.DataLongText(49), "first long text in file");
  EXPECT_EQ(c.GetChartItem(50).LWid, 0);
  EXPECT_EQ(c.DataLongText(50), "second long tex");
}

TEST_F(DataFiles, EachTextGetsItsOwnLongTextAfterEarlierTextsWereRemoved) {
  // Slot 1 is left unreferenced by the removal; the file still lists it.
  TCountingChart c;
  c.Text(0.0, 0.0, 10, "the text of the removed item");
  c.Text(0.0, 0.0, 10, "the text of the kept item");
  c.RemoveItem(0);
  c.SaveData(Path("r.dat"));
  TCountingChart d;
  ASSERT_EQ(d.LoadData(Path("r.dat"), false), 1);
  EXPECT_EQ(d.DataLongText(0), "the text of the kept item");
  EXPECT_EQ(d.GetChartItem(0).LWid, 1);
}

TEST_F(DataFiles, MissingLinesLeaveTheHeadOfTheText) {
  Bytes f = SampleFile();
  f.resize(3 * 104);  // the line is gone, the header still announces one
  Put32(f, 92, 0);    // ... so that the size check passes, say none
  Write(Path("nolines.dat"), f);
  TCountingChart c;
  ASSERT_EQ(c.LoadData(Path("nolines.dat"), false), 2);
  EXPECT_EQ(c.GetChartItem(1).LWid, 0);
  EXPECT_EQ(c.DataLongText(1), "a text longer t");

  Bytes g = SampleFile();
  Put32(g, 92, 5);  // five lines announced, one present (28 bytes follow)
  Write(Path("fewlines.dat"), g);
  ASSERT_EQ(c.LoadData(Path("fewlines.dat"), false), 2);
  EXPECT_EQ(c.DataLongText(1), "a text longer than fifteen");
}

// ---- Damaged and hostile files ---------------------------------------------------

class FailedLoad : public DataFiles {
protected:
  TCountingChart c;
  std::vector<TrcChartItem> before;
  std::string longBefore;
  void SetUp() override {
    DataFiles::SetUp();
    c.SetAllocSize(3);
    c.DrawTo(1.0, 2.0);
    c.Text(3.0, 4.0, 10, "a long text that must survive");
    c.MarkAt(5.0, 6.0, 2);
    c.FLastElemOnShow = 2;
    for (int i = 0; i < c.NumItems(); ++i) before.push_back(c.GetChartItem(i));
    longBefore = c.DataLongText(1);
    c.Paints = 0;
  }
  void ExpectUnchanged() {
    ASSERT_EQ(c.NumItems(), 3);
    for (int i = 0; i < 3; ++i)
      EXPECT_TRUE(SameRecord(before[i], c.DataItems()[i])) << i;
    EXPECT_EQ(c.DataLongText(1), longBefore);
    EXPECT_EQ(c.DataItems().LongTexts().Used(), 1);
    EXPECT_EQ(c.ItemCount(tkLineto), 1);
    EXPECT_EQ(c.ItemCount(tkText), 1);
    EXPECT_EQ(c.ItemCount(tkMarkAt), 1);
    EXPECT_EQ(c.NumAllocData(), 3);
    EXPECT_EQ(c.LastElemOnShow(), 2);
    EXPECT_EQ(c.Paints, 0);
  }
  std::int32_t Load(const Bytes& b, bool append) {
    Write(Path("bad.dat"), b);
    return c.LoadData(Path("bad.dat"), append);
  }
};

TEST_F(FailedLoad, TruncatedInTheRecordsReturnsMinusOneAndChangesNothing) {
  Bytes f = SampleFile();
  f.resize(104 + 104 + 50);
  EXPECT_EQ(Load(f, false), kLoadError);
  ExpectUnchanged();
  EXPECT_EQ(Load(f, true), kLoadError);
  ExpectUnchanged();
}

TEST_F(FailedLoad, ShortMissingAndForeignFiles) {
  EXPECT_EQ(c.LoadData(Path("does-not-exist.dat"), false), kLoadError);
  EXPECT_EQ(c.LoadData(dir.string(), false), kLoadError);  // a directory
  EXPECT_EQ(Load(Bytes(50, 0), false), kLoadError);
  EXPECT_EQ(Load(Bytes(), false), kLoadError);
  Bytes notOurs(400, 'x');
  EXPECT_EQ(Load(notOurs, false), kLoadWrongFormat);
  Bytes positive = Header("[DATAFORMAT]", 0, 0);
  Put32(positive, 56, 2);  // the marker needs a negative LWid
  EXPECT_EQ(Load(positive, false), kLoadWrongFormat);
  Bytes shortMarker = Header("[DATAFORMAT", 0, 0);
  EXPECT_EQ(Load(shortMarker, false), kLoadWrongFormat);
  ExpectUnchanged();
}

TEST_F(FailedLoad, CountsThatDoNotFitTheFileAreRejectedBeforeAllocating) {
  Bytes huge = Header("[DATAFORMAT]", 0x7FFFFFFF, 0);
  EXPECT_EQ(Load(huge, false), kLoadError);
  Bytes manyLines = Header("[DATAFORMAT]", 0, 0x7FFFFFFF);
  EXPECT_EQ(Load(manyLines, false), kLoadError);
  Bytes negative = Header("[DATAFORMAT]", 0xFFFFFFFF, 0);
  EXPECT_EQ(Load(negative, false), kLoadError);
  Bytes negativeLines = Header("[DATAFORMAT]", 0, 0x80000000u);
  EXPECT_EQ(Load(negativeLines, false), kLoadError);
  Bytes oneTooMany = SampleFile();
  Put32(oneTooMany, 88, 3);  // 3 records announced, 2 present + 28 bytes
  EXPECT_EQ(Load(oneTooMany, false), kLoadError);
  ExpectUnchanged();
}

// Only 50 long texts can belong to records; a header announcing a million
// lines (one byte each) reads the first 50 and leaves the rest alone.
TEST(DataFileLines, LinesPastTheFiftiethAreNotRead) {
  constexpr std::uint32_t kLines = 1'000'000;
  Bytes f = Header("[DATAFORMAT]", 1, kLines);
  Bytes text = Record();
  text[61] = 7;            // tkText
  Put32(text, 56, 50);     // the saving chart's slot 50
  PutText(text, 70, "head");
  f.insert(f.end(), text.begin(), text.end());
  for (std::uint32_t k = 1; k <= kLines; ++k) {
    const std::string line = k == 50 ? "slot fifty, long enough\r\n" : "\r\n";
    f.insert(f.end(), line.begin(), line.end());
  }
  std::istringstream in(std::string(f.begin(), f.end()));
  TLoadedItems loaded;
  ASSERT_EQ(ReadItemStream(in, f.size(), TItemFileKind::Data, loaded), 1);
  EXPECT_EQ(loaded.Lines.size(), 50u);
  EXPECT_EQ(loaded.Lines[49], "slot fifty, long enough");
  TRcItemContainer list(true);
  list.AdoptLoaded(std::move(loaded), false);
  EXPECT_EQ(list.FullText(list[0]), "slot fifty, long enough");
}

// A record of no known kind (a newer writer's, or one set through
// SetChartItem) is kept as an inert record: loaded, counted nowhere, saved
// back byte for byte.
TEST_F(DataFiles, RecordsOfUnknownKindsAreKeptUncountedAndSavedBack) {
  Bytes f = SampleFile();
  f[104 + 104 + 61] = 24;
  Write(Path("unknown.dat"), f);
  TCountingChart c;
  ASSERT_EQ(c.LoadData(Path("unknown.dat"), false), 2);
  EXPECT_EQ(c.GetChartItem(1).ItemKind, TrcItem(24));
  EXPECT_EQ(c.ItemCount(tkMoveTo), 1);
  EXPECT_EQ(c.ItemCount(tkText), 0);
  c.SaveData(Path("again.dat"));
  TCountingChart d;
  ASSERT_EQ(d.LoadData(Path("again.dat"), false), 2);
  EXPECT_TRUE(SameRecord(c.DataItems()[1], d.DataItems()[1]));
}

TEST_F(DataFiles, OddBytesInRecordsAreReadSafely) {
  Bytes f = SampleFile();
  f[104 + 104 + 70] = 200;  // text length byte
  f[104 + 68] = 7;          // boolean byte
  Write(Path("odd.dat"), f);
  TCountingChart c;
  ASSERT_EQ(c.LoadData(Path("odd.dat"), false), 2);
  EXPECT_EQ(ShortText(c.GetChartItem(1)).size(), 15u);
  EXPECT_TRUE(c.GetChartItem(0).Transp);
  unsigned char raw[104];
  const TrcChartItem first = c.DataItems()[0];
  std::memcpy(raw, &first, 104);
  EXPECT_EQ(raw[68], 1);
}

// ---- Saving --------------------------------------------------------------------

TEST_F(DataFiles, SavingReplacesAnExistingFileAndLeavesNoTemporaryFiles) {
  Write(Path("x.dat"), Bytes(5000, 0x55));
  TCountingChart c;
  c.DrawTo(1.0, 1.0);
  c.SaveData(Path("x.dat"));
  EXPECT_EQ(Read(Path("x.dat")).size(), 208u);
  EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(DataFiles, SavingKeepsPermissionsAndSymbolicLinksOfTheReplacedFile) {
  TCountingChart c;
  c.DrawTo(1.0, 1.0);
  Write(Path("private.dat"), Bytes(10, 1));
  fs::permissions(Path("private.dat"), fs::perms::owner_read | fs::perms::owner_write);
  c.SaveData(Path("private.dat"));
  EXPECT_EQ(Read(Path("private.dat")).size(), 208u);
  EXPECT_EQ(fs::status(Path("private.dat")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);

  Write(Path("real.ano"), Bytes(10, 1));
  fs::create_symlink("real.ano", dir / "link.ano");
  c.SaveAnno(Path("link.ano"));
  EXPECT_TRUE(fs::is_symlink(dir / "link.ano"));
  EXPECT_EQ(Read(Path("real.ano")).size(), 104u);
  EXPECT_EQ(c.LoadAnno(Path("link.ano"), false), 0);
  EXPECT_EQ(FilesInDir(), 3u);
}

// Random lists from every command, with texts set, replaced and shortened
// afterwards (so that slot numbers and record order disagree) and odd
// values, come back from a save and load record for record and text for text.
TEST_F(DataFiles, RandomListsSurviveASaveAndLoad) {
  std::mt19937 rng(4711);
  auto any = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  const double odd[] = {0, -0.0, 1e308, -1e-308, std::numeric_limits<double>::infinity(),
                        std::numeric_limits<double>::quiet_NaN(), 3.25};
  auto text = [&] { return std::string(std::size_t(any(40)), char('a' + any(26))); };
  for (int round = 0; round < 20; ++round) {
    TCountingChart c;
    for (bool anno : {false, true}) {
      c.SetAnnoMode(anno);
      for (int i = 0; i < 120; ++i) {
        const double x = odd[any(7)], y = any(1000) - 500.0;
        c.SetDataTag(any(1 << 30));
        c.SetClassDefault(std::uint8_t(any(255)));
        switch (any(6)) {
          case 0: c.DrawTo(x, y); break;
          case 1: c.Text(x, y, any(30), text()); break;
          case 2: c.Text(x, y, 8, text(), any(5), any(5), taRightJustify); break;
          case 3: c.Arc(x, y, 1.0, 2.0, odd[any(7)], -4.0); break;
          case 4: c.MarkAt(any(100), any(100), std::uint8_t(any(20))); break;
          default: c.Rectangle(x, y, 1, 2); break;
        }
      }
      const TRcItemContainer& list = anno ? c.AnnoItems() : c.DataItems();
      for (int k = 0; k < 30; ++k) {
        const std::int32_t i = any(list.Count());
        if (anno)
          c.SetAnnoLongText(i, text());
        else
          c.SetDataLongText(i, text());
      }
    }
    c.SaveData(Path("r.dat"));
    c.SaveAnno(Path("r.ano"));
    TCountingChart d;
    ASSERT_EQ(d.LoadData(Path("r.dat"), false), c.NumItems());
    ASSERT_EQ(d.LoadAnno(Path("r.ano"), false), c.NumAnnos());
    for (bool anno : {false, true}) {
      const TRcItemContainer& a = anno ? c.AnnoItems() : c.DataItems();
      const TRcItemContainer& b = anno ? d.AnnoItems() : d.DataItems();
      for (std::int32_t i = 0; i < a.Count(); ++i) {
        ASSERT_EQ(b.FullText(b[i]), a.FullText(a[i])) << "item " << i;
        TrcChartItem x = a[i], y = b[i];
        if (IsTextKind(x.ItemKind)) x.LWid = y.LWid = 0;  // slot numbers are the lists' own
        ASSERT_EQ(std::memcmp(&x, &y, sizeof x), 0) << "item " << i;
      }
      for (int k = 0; k < kNumItemKinds; ++k)
        EXPECT_EQ(d.ItemCount(TrcItem(k)), c.ItemCount(TrcItem(k)));
    }
  }
}

// Long runs are stored packed; the file holds every record whole, in order,
// and loading it packs the runs again.
TEST_F(DataFiles, PackedRunsAreSavedAsWholeRecordsAndLoadPackedAgain) {
  TCountingChart c;
  std::vector<double> x(5000), y(5000);
  for (std::size_t i = 0; i < x.size(); ++i) x[i] = double(i), y[i] = std::sin(double(i) * 0.01);
  c.AppendPolyline(x, y);
  c.SetDataCol(clRed);
  c.AppendMarks(x, y, 7);
  for (int i = 0; i < 100; ++i) c.DrawTo(i, -i);  // single commands pack as well
  ASSERT_LT(c.DataItems().StorageBytes(), std::size_t(c.NumItems()) * 20u);
  c.SaveData(Path("runs.dat"));
  const Bytes file = Read(Path("runs.dat"));
  ASSERT_EQ(file.size(), std::size_t(c.NumItems() + 1) * 104u);
  for (std::int32_t i = 0; i < c.NumItems(); ++i) {
    const TrcChartItem it = c.GetChartItem(i);
    ASSERT_EQ(std::memcmp(file.data() + (i + 1) * 104, &it, 104), 0) << "record " << i;
  }
  TCountingChart d;
  ASSERT_EQ(d.LoadData(Path("runs.dat"), false), c.NumItems());
  EXPECT_EQ(d.DataItems().Segments().size(), c.DataItems().Segments().size());
  for (std::int32_t i = 0; i < c.NumItems(); ++i)
    ASSERT_TRUE(SameRecord(c.GetChartItem(i), d.GetChartItem(i))) << i;
}

TEST_F(DataFiles, AFailedSaveKeepsThePreviousFile) {
  const Bytes old(300, 0x77);
  Write(Path("keep.dat"), old);
  // The body fails after writing part of the new content.
  EXPECT_THROW(WriteFileAtomically(Path("keep.dat"),
                                   [](std::ostream& os) {
                                     os << "partial new content";
                                     throw EKvoError("disk full");
                                   }),
               EKvoError);
  EXPECT_EQ(Read(Path("keep.dat")), old);
  EXPECT_EQ(FilesInDir(), 1u);

  // A target that cannot be replaced (a directory) and one in a missing
  // directory both throw and leave nothing behind.
  fs::create_directory(dir / "sub");
  TCountingChart c;
  c.DrawTo(1.0, 1.0);
  EXPECT_THROW(c.SaveData((dir / "sub").string()), EKvoError);
  EXPECT_TRUE(fs::is_directory(dir / "sub"));
  EXPECT_THROW(c.SaveAnno((dir / "missing" / "a.ano").string()), EKvoError);
  EXPECT_EQ(FilesInDir(), 2u);
  EXPECT_NO_THROW(c.SaveDataASC((dir / "missing" / "a.txt").string()));
}

// ---- CopyAnnoFrom --------------------------------------------------------------

TEST(CopyAnno, CopiesTheListedClassesOnceWithTheirLongTexts) {
  TCountingChart src;
  src.SetAnnoMode(true);
  src.SetClassDefault(2);
  src.MarkAt(1, 1, 1);
  src.Text(2.0, 2.0, 10, "long annotation of class 2");
  src.SetClassDefault(3);
  src.MarkAt(3, 3, 1);
  TCountingChart dst;
  dst.SetAnnoMode(true);
  dst.MarkAt(9, 9, 1);
  dst.Text(0, 0, 8, "existing long text here");
  dst.Paints = 0;
  dst.CopyAnnoFrom(src, {2, 2}, true);
  EXPECT_EQ(dst.Paints, 1);
  ASSERT_EQ(dst.NumAnnos(), 4);
  EXPECT_EQ(dst.GetAnnoItem(2).x, 1.0);
  EXPECT_EQ(dst.GetAnnoItem(3).LWid, 2);
  EXPECT_EQ(dst.AnnoLongText(3), "long annotation of class 2");
  EXPECT_EQ(dst.AnnoLongText(1), "existing long text here");

  dst.CopyAnnoFrom(src, {}, false);
  ASSERT_EQ(dst.NumAnnos(), 3);
  EXPECT_EQ(dst.GetAnnoItem(1).LWid, 1);
  EXPECT_EQ(dst.AnnoLongText(1), "long annotation of class 2");
  EXPECT_EQ(dst.GetAnnoItem(2).ItemClass, 3);
}

TEST(CopyAnno, FromItselfDoublesTheListOrKeepsIt) {
  TCountingChart c;
  c.SetAnnoMode(true);
  c.Text(1.0, 1.0, 10, "a long annotation text");
  c.MarkAt(2, 2, 1);
  c.CopyAnnoFrom(c, {}, true);
  ASSERT_EQ(c.NumAnnos(), 4);
  EXPECT_EQ(c.AnnoLongText(2), "a long annotation text");
  EXPECT_EQ(c.GetAnnoItem(2).LWid, 2);
  c.CopyAnnoFrom(c, {}, false);
  ASSERT_EQ(c.NumAnnos(), 4);
  EXPECT_EQ(c.AnnoLongText(0), "a long annotation text");
  EXPECT_EQ(c.AnnoLongText(2), "a long annotation text");
}

}  // namespace
}  // namespace kvo
