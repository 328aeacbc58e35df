// Faults found by fuzzing and fault injection, one group per promise: any
// record draws, no size, margin or origin overflows, what is saved loads
// back, hostile files cost bounded memory, saving is safe against kills and
// odd paths, failed resizes and paint handlers leave a working chart.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "devari/atomicfile_p.h"
#include "devari/crosshairs_p.h"
#include "devari/datafile.h"
#include "devari/tdevari.h"
#include "devari/grid_p.h"
#include "devari/layout_p.h"
#include "devari/transform.h"
#include "platform/metafile.h"
#include "platform/numeric.h"
#include "scale/scale.h"
#include "scale/tickengine.h"

namespace kvo {
namespace {

namespace fs = std::filesystem;

class TempDir : public ::testing::Test {
protected:
  fs::path dir;
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("kvo_hardening_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  std::vector<std::string> Listing() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

// The data area of a chart drawn into a bitmap of its size.
TBitmap DataImage(TDEvari& c) {
  TBitmap bmp;
  bmp.SetSize(c.Geometry().DataBmpWidth(), c.Geometry().DataBmpHeight());
  c.ConstructDataBmpCanvas(bmp.Canvas(), 0, 0, false, 0);
  return bmp;
}

bool SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  return std::memcmp(a.Bits(), b.Bits(), std::size_t(a.Width()) * a.Height() * 4) == 0;
}

// ---- Every pen style a record can hold draws ------------------------------------

// Rectangles, frames, 3D bars and pixel rectangles, inside and partly
// outside the data area, with every byte as pen style: styles that name no
// pattern draw as the solid pen does (this used to divide by zero).
TEST(PenStyles, EveryStyleByteDrawsAndUnknownStylesDrawSolid) {
  auto chartWith = [](TPenStyle style) {
    auto c = std::make_unique<TDEvari>();
    c->SetPenStyle(style);
    c->Rectangle(-0.5, 0.2, 0.5, 0.8);
    c->RectFrame(0.6, -0.2, 1.3, 0.4, TFrameStyle(1), clGray, clWhite);
    c->Bar3D(0.2, 0.1, 0.4, 1.5, 5, 30);
    c->RectangleRelPix(0.9, 0.9, 40, 40);
    c->Rectangle(0.3, 0.3, 0.6, 0.6);
    return c;
  };
  auto solid = chartWith(psSolid);
  const TBitmap solidImage = DataImage(*solid);
  for (int style = 0; style < 256; ++style) {
    auto c = chartWith(TPenStyle(style));
    const TBitmap image = DataImage(*c);
    if (style >= 7) {
      EXPECT_TRUE(SamePixels(image, solidImage)) << "style " << style;
    }
  }
}

TEST_F(TempDir, ARectangleOfAnUnknownStyleFromAFileLoadsAndPaints) {
  TrcChartItem h = ItemFileHeader(TItemFileKind::Data, 1, 0), it;
  CleadEvariItem(it);
  it.ItemKind = tkRect;
  it.x = -0.5;
  it.y = 0.2;
  it.x2 = 0.5;
  it.y2 = 0.8;
  it.LWid = 1;
  it.PenStyle = TPenStyle(9);
  {
    std::ofstream f(Path("style.dat"), std::ios::binary);
    f.write(reinterpret_cast<const char*>(&h), sizeof h);
    f.write(reinterpret_cast<const char*>(&it), sizeof it);
  }
  TDEvari c;
  ASSERT_EQ(c.LoadData(Path("style.dat"), false), 1);
  c.SetSuppressPaint(false);
  c.Paint();
  EXPECT_EQ(c.NumItems(), 1);
}

// ---- Sizes, margins, origins and scales far out of the ordinary ----------------

TEST(Extremes, GeometrySaturatesForEverySizeAndMargin) {
  TChartGeometry g{0, INT_MAX, -30000, -30000, -30000, 40, 0};
  EXPECT_EQ(g.DataHeight(), INT_MAX);
  EXPECT_EQ(g.DataBmpHeight(), INT_MAX);
  EXPECT_EQ(g.DataWidth(), 60000);
  g = {INT_MIN, INT_MIN, 30000, 30000, 30000, 30000, 32};
  EXPECT_EQ(g.DataWidth(), INT_MIN);
  EXPECT_EQ(g.DataBmpWidth(), 0);
  // Caption trimming and placement for the same geometries.
  const auto width = [](std::string_view t) { return std::int32_t(t.size()) * 7; };
  EXPECT_EQ(TrimCaption("a caption", INT_MIN, TChartGeometry{}, width), "...");
  const TChartGeometry huge{INT_MAX, INT_MAX, -30000, -30000, -30000, -30000, 32};
  const TPoint at = CaptionTextPos(huge, cahChartCenter, cavChartCenter, INT_MAX, INT_MIN,
                                   taCenter, INT_MAX);
  EXPECT_LE(std::abs(at.x), kMaxPixelCoord);
  EXPECT_LE(std::abs(at.y), kMaxPixelCoord);
  // The chart itself: a 0 x INT_MAX control with margins that widen its
  // data area beyond any memory neither overflows nor fails its setters.
  TDEvari c;
  c.SetMarginLeft(-30000);
  c.SetMarginRight(-30000);
  c.SetBounds(0, 0, 0, INT_MAX);
  EXPECT_NO_THROW(c.SetMarginTop(-30000));
  c.SetSuppressPaint(false);
  EXPECT_NO_THROW(c.Paint());
}

TEST(Extremes, TheDataAreaDrawsAtAnyOriginOfAForeignCanvas) {
  TDEvari c;
  c.SetGridStyle(gsLines);
  c.CursorHoriz(0.5);
  c.CursorVert(0.5);
  c.Text(0.5, 0.5, 10, "a label on the data area");
  const std::int32_t origins[][2] = {
      {INT_MAX - 100, 0}, {INT_MIN + 10, INT_MIN + 10}, {INT_MAX, INT_MAX}, {INT_MIN, 5}};
  for (const auto& o : origins) {
    TMetafile mf(800, 600);
    c.ConstructDataBmpCanvas(mf.Canvas(), o[0], o[1], false, 0);
    ASSERT_FALSE(mf.Records().empty());
    // Grid and cursor lines are held within the pixel clamp; only the
    // frame runs along the origin itself (its far corners saturated).
    const std::int32_t right = SatAdd(o[0], c.Geometry().DataWidth());
    const std::int32_t bottom = SatAdd(o[1], c.Geometry().DataHeight());
    int lines = 0;
    for (const TMetaRecord& r : mf.Records()) {
      if (r.Op != TMetaOp::Line) continue;
      bool frame = true, clamped = true;
      for (const TPoint& p : r.Points) {
        frame = frame && (p.x == o[0] || p.x == right) && (p.y == o[1] || p.y == bottom);
        clamped = clamped && std::abs(std::int64_t(p.x)) <= kMaxPixelCoord &&
                  std::abs(std::int64_t(p.y)) <= kMaxPixelCoord;
      }
      EXPECT_TRUE(frame || clamped) << r.ToString();
      ++lines;
    }
    EXPECT_GE(lines, 4);
  }
}

// Crosshairs and the mouse trace drawn for an image at any offset, on a
// control of any size with any margins; a font turned by any angle.
TEST(Extremes, CrosshairsTracesAndTurnedTextsAtAnyOffset) {
  TLayerTransforms tf;
  std::size_t drawn = 0;
  for (const TChartGeometry g : {TChartGeometry{}, TChartGeometry{INT_MAX, INT_MAX, -30000, -30000,
                                                                  -30000, -30000, 32}}) {
    ASSERT_TRUE(tf.Adjust(g, {0, 1, false}, {0, 1, false}, {0, 1, false}, {0, 1, false}));
    TCrossHairView views[4];
    const TCrossHMode modes[4] = {chHoriz, chVert, chSmallCross, chSquare};
    for (int k = 0; k < 4; ++k) {
      views[k].Mode = modes[k];
      views[k].X = views[k].Y = 0.5;
      views[k].LineWidth = 255;
    }
    const std::vector<TColoredPoint> trace = {{0.2, 0.2, 0, clRed}, {0.7, 0.9, 0, clRed}};
    for (const std::int32_t off : {INT_MIN, INT_MAX, -1, 0}) {
      TMetafile mf(300, 200);
      DrawCrossHairsOn(mf.Canvas(), views, tf, g, off, off == INT_MIN ? INT_MAX : -off, clWhite);
      DrawMouseTraceOn(mf.Canvas(), trace, tf, 1, g, off, off);
      drawn += mf.Records().size();
      for (const TMetaRecord& r : mf.Records())
        for (const TPoint& p : r.Points) {
          EXPECT_LE(std::abs(p.x), kMaxPixelCoord + 14) << r.ToString();
          EXPECT_LE(std::abs(p.y), kMaxPixelCoord + 14) << r.ToString();
        }
    }
  }
  EXPECT_GE(drawn, 8u);  // the crosshairs and the trace where they fall on the canvas
  TBitmap bmp;
  bmp.SetSize(40, 20);
  bmp.Canvas().Font().SetOrientation(INT_MIN);
  bmp.Canvas().TextOut(5, 5, "turned");
  bmp.Canvas().Font().SetOrientation(INT_MAX);
  bmp.Canvas().TextOut(5, 5, "turned");
  // A size the font engine cannot take (it failed inside and leaked) is
  // held at the largest it can, also on an 8x surface.
  TFontData f = bmp.Canvas().Font().Data();
  f.Size = 4096;
  f.PixelsPerInch = INT_MAX;
  EXPECT_EQ(f.PixelHeight(), 8191);
  bmp.Canvas().Font().SetData(f);
  bmp.Canvas().TextOut(5, 5, "huge");
}

TEST(Extremes, SurfaceScalesAndTextSizesDoNotOverflow) {
  TDEvari c;
  c.SetSurfaceScale(8);
  const std::int32_t w = c.Width(), h = c.Height();
  EXPECT_ANY_THROW(c.SetBounds(0, 0, 300000000, 200));  // 2.4e9 device pixels
  EXPECT_EQ(c.Width(), w);
  EXPECT_EQ(c.Height(), h);
  // A text wider than 2^31 pixels measures as the largest int.
  TBitmap bmp;
  bmp.SetSize(10, 10);
  bmp.Canvas().Font().SetSize(1000);
  EXPECT_EQ(bmp.Canvas().TextWidth(std::string(3000000, 'W')), INT_MAX);
}

// Only the part of a text that can reach a surface is measured and drawn.
TEST(Extremes, AGiantTextItemDrawsOnlyItsVisibleHead) {
  TDEvari c;
  c.Text(0.5, 0.5, 10, std::string(4 << 20, 'W'));
  TMetafile mf(800, 600);
  c.ConstructDataBmpCanvas(mf.Canvas(), 0, 0, false, 0);
  std::size_t drawn = 0;
  for (const TMetaRecord& r : mf.Records())
    if (r.Op == TMetaOp::Text) drawn += r.Text.size();
  EXPECT_EQ(drawn, kMaxItemTextLen);
  EXPECT_EQ(c.DataLongText(0).size(), std::size_t(4 << 20));  // the data keeps it whole
  // Of a text of thousands of lines only those on the canvas are drawn.
  TDEvari d;
  std::string lines;
  for (int k = 0; k < 10000; ++k) lines += "line " + std::to_string(k) + "\n";
  d.Text(0.5, 0.5, 10, lines);
  TMetafile small(300, 200);
  d.ConstructDataBmpCanvas(small.Canvas(), 0, 0, false, 0);
  std::size_t texts = 0;
  for (const TMetaRecord& r : small.Records()) texts += r.Op == TMetaOp::Text ? 1 : 0;
  EXPECT_GT(texts, 5u);
  EXPECT_LT(texts, 40u);
}

// A 0 x 2^30 chart avoiding duplicate marks sizes its occupancy map by the
// canvas it draws on (it allocated 8 GB), and still avoids duplicates.
TEST(Extremes, TheDuplicateMarkMapIsBoundedByTheCanvas) {
  TDEvari c;
  c.SetMarginLeft(-40);
  c.SetMarginRight(-40);
  c.SetBounds(0, 0, 0, 1 << 30);
  c.SetAvoidDuplicateMarks(true);
  c.MarkAt(0.5, 0.5, 3);
  c.MarkAt(0.5, 0.5, 3);
  TMetafile mf(800, 600);
  c.ConstructDataBmpCanvas(mf.Canvas(), 0, 0, false, 0);
  TDEvari small;
  small.SetAvoidDuplicateMarks(true);
  small.MarkAt(0.5, 0.5, 3);
  TMetafile one(800, 600), two(800, 600);
  small.ConstructDataBmpCanvas(one.Canvas(), 0, 0, false, 0);
  small.MarkAt(0.5, 0.5, 3);
  small.ConstructDataBmpCanvas(two.Canvas(), 0, 0, false, 0);
  EXPECT_EQ(one.Records().size(), two.Records().size());  // the copy is not drawn
}

// ---- What is saved loads back --------------------------------------------------

TEST_F(TempDir, SavedListsLoadBackWithUnknownKindsAndSharedTexts) {
  TDEvari c;
  for (int i = 0; i < 1000; ++i) c.MarkAt(double(i), 1.0, 3);
  TrcChartItem odd = c.GetChartItem(500);
  odd.ItemKind = TrcItem(200);
  c.SetChartItem(500, odd);
  const std::string label = "pressure sensor 17, calibrated 2026-12-01";
  c.Text(1.0, 1.0, 10, label);
  for (int i = 0; i < 60; ++i) {
    TrcChartItem copy = c.GetChartItem(1000);
    copy.x = i;
    c.SetChartItem(i, copy);  // 60 copies sharing the label's slot
  }
  c.SaveData(Path("list.dat"));
  TDEvari d;
  ASSERT_EQ(d.LoadData(Path("list.dat"), false), 1001);
  EXPECT_EQ(d.GetChartItem(500).ItemKind, TrcItem(200));
  EXPECT_EQ(d.ItemCount(tkMarkAt), 1000 - 60 - 1 + 0);  // counters see known kinds only
  EXPECT_EQ(d.DataItems().LongTexts().Used(), 1);        // one slot, shared again
  for (int i = 0; i < 60; ++i) EXPECT_EQ(d.DataLongText(i), label) << i;
  EXPECT_EQ(d.DataLongText(1000), label);
  // Copied annotations keep sharing as well.
  c.SetAnnoMode(true);
  c.Text(2.0, 2.0, 10, label + " (annotation)");
  c.SetAnnoMode(false);
  const TrcChartItem a = c.GetAnnoItem(0);
  c.SetAnnoMode(true);
  for (int i = 1; i <= 60; ++i) {
    c.MarkAt(0.0, 0.0, 1);
    c.SetAnnoItem(i, a);
  }
  c.SetAnnoMode(false);
  d.CopyAnnoFrom(c, {}, false);
  EXPECT_EQ(d.AnnoItems().LongTexts().Used(), 1);
  EXPECT_EQ(d.AnnoLongText(60), label + " (annotation)");
}

// The record's own text field holds Windows-1252: accents and degree signs
// count as one character each and survive a file.
TEST_F(TempDir, ShortTextsAreWindows1252InRecordsAndFiles) {
  TrcChartItem it;
  CleadEvariItem(it);
  it.ItemKind = tkText;
  EXPECT_TRUE(SetShortText(it, "Größe in °C €"));
  EXPECT_EQ(it.Text.Len, 13);
  EXPECT_EQ(static_cast<unsigned char>(it.Text.Chars[2]), 0xF6);   // ö
  EXPECT_EQ(static_cast<unsigned char>(it.Text.Chars[9]), 0xB0);   // °
  EXPECT_EQ(static_cast<unsigned char>(it.Text.Chars[12]), 0x80);  // €
  EXPECT_EQ(ShortText(it), "Größe in °C €");
  EXPECT_FALSE(NeedsLongText("Temperatur °C ä"));  // 15 characters, 18 bytes
  EXPECT_TRUE(NeedsLongText("Temperatur °C äö"));
  EXPECT_TRUE(NeedsLongText("π"));  // not in the code page: kept in a slot
  EXPECT_FALSE(SetShortText(it, "π r²"));
  EXPECT_EQ(ShortText(it), "? r²");

  TDEvari c;
  c.Text(0.5, 0.5, 10, "Temperatur °C ä");
  c.Text(0.5, 0.5, 10, "Winkel π/2");
  EXPECT_EQ(c.DataItems().LongTexts().Used(), 1);
  c.SaveData(Path("texts.dat"));
  TDEvari d;
  ASSERT_EQ(d.LoadData(Path("texts.dat"), false), 2);
  EXPECT_EQ(d.DataLongText(0), "Temperatur °C ä");
  EXPECT_EQ(d.DataLongText(1), "Winkel π/2");
}

// ---- Hostile files cost bounded memory -----------------------------------------

std::string FileWith(const std::vector<TrcChartItem>& records, std::int32_t lines,
                     const std::string& tail) {
  std::string f;
  const TrcChartItem h = ItemFileHeader(TItemFileKind::Data, std::int32_t(records.size()), lines);
  f.append(reinterpret_cast<const char*>(&h), sizeof h);
  for (const auto& r : records) f.append(reinterpret_cast<const char*>(&r), sizeof r);
  return f + tail;
}

TrcChartItem TextRecord(std::int32_t slot) {
  TrcChartItem it;
  CleadEvariItem(it);
  it.ItemKind = tkText;
  it.LWid = slot;
  it.Param1 = 10;
  SetShortText(it, "WWWWWWWWWWWWWWW");
  return it;
}

TEST(HostileFiles, LinesNoRecordNamesAreSkippedAndLongLinesAreBounded) {
  // 64 MiB of NUL bytes as the one line of a file without text records.
  std::string f = FileWith({}, 1, std::string(64 << 20, '\0'));
  std::istringstream in(f);
  TLoadedItems loaded;
  ASSERT_EQ(ReadItemStream(in, f.size(), TItemFileKind::Data, loaded), 0);
  EXPECT_TRUE(loaded.Lines.empty());
  // The same line named by a record keeps what a text item can draw.
  f = FileWith({TextRecord(1)}, 1, std::string(8 << 20, 'W') + "\r\n");
  std::istringstream in2(f);
  ASSERT_EQ(ReadItemStream(in2, f.size(), TItemFileKind::Data, loaded), 1);
  ASSERT_EQ(loaded.Lines.size(), 1u);
  EXPECT_EQ(loaded.Lines[0].size(), kMaxItemTextLen);
  // Line 2 is named, line 1 is not: line 1 is skipped unstored.
  f = FileWith({TextRecord(2)}, 2, std::string(1 << 20, 'x') + "\r\nsecond line of the file\r\n");
  std::istringstream in3(f);
  ASSERT_EQ(ReadItemStream(in3, f.size(), TItemFileKind::Data, loaded), 1);
  ASSERT_EQ(loaded.Lines.size(), 2u);
  EXPECT_TRUE(loaded.Lines[0].empty());
  EXPECT_EQ(loaded.Lines[1], "second line of the file");
}

TEST(HostileFiles, RecordsNamingOneLineShareIt) {
  std::vector<TrcChartItem> records(50, TextRecord(1));
  const std::string f = FileWith(records, 1, std::string(1 << 20, 'W') + "\r\n");
  std::istringstream in(f);
  TLoadedItems loaded;
  ASSERT_EQ(ReadItemStream(in, f.size(), TItemFileKind::Data, loaded), 50);
  TRcItemContainer list(true);
  list.AdoptLoaded(std::move(loaded), false);
  EXPECT_EQ(list.LongTexts().Used(), 1);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(list[i].LWid, 1);
}

// ---- Saving ----------------------------------------------------------------------

TEST_F(TempDir, ThePrivateFilesTemporaryCopyIsPrivateFromItsCreation) {
  TDEvari c;
  c.MarkAt(1.0, 1.0, 3);
  c.SaveData(Path("private.dat"));
  ::chmod(Path("private.dat").c_str(), 0600);
  int seen = 0;
  WriteFileAtomically(Path("private.dat"), [&](std::ostream& os) {
    for (const auto& e : fs::directory_iterator(dir)) {
      const std::string name = e.path().filename().string();
      if (name.rfind(".private.dat.tmp", 0) != 0) continue;
      struct stat st {};
      ASSERT_EQ(::stat(e.path().c_str(), &st), 0);
      EXPECT_EQ(st.st_mode & 0777, 0600u);
      ++seen;
    }
    os << "x";
  });
  EXPECT_EQ(seen, 1);
  struct stat st {};
  ASSERT_EQ(::stat(Path("private.dat").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(TempDir, LongNamesDanglingLinksAndErrorsThatSayWhy) {
  TDEvari c;
  c.Text(0.0, 0.0, 10, "a long text of the chart, saved as a line");
  const std::string longName = std::string(240, 'n') + ".dat";  // 244 bytes
  ASSERT_NO_THROW(c.SaveData(Path(longName)));
  EXPECT_EQ(Listing(), std::vector<std::string>{longName});

  // A dangling link: the file it names is written, the link stays.
  fs::create_symlink(dir / "target.dat", dir / "link.dat");
  c.SaveData(Path("link.dat"));
  EXPECT_TRUE(fs::is_symlink(dir / "link.dat"));
  TDEvari d;
  EXPECT_EQ(d.LoadData(Path("target.dat"), false), 1);

  try {
    c.SaveData(Path("missing/deeper/t.dat"));
    ADD_FAILURE() << "no error";
  } catch (const std::exception& e) {
    const std::string m = e.what();
    EXPECT_NE(m.find(Path("missing/deeper/t.dat")), std::string::npos) << m;
    EXPECT_NE(m.find("No such file or directory"), std::string::npos) << m;
  }
  fs::create_directory(dir / "d.dat");
  try {
    c.SaveData(Path("d.dat"));
    ADD_FAILURE() << "no error";
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("Is a directory"), std::string::npos) << e.what();
  }
}

// Temporary files that killed saves left behind are removed by the next
// save of the same file; those of a save still running are not.
TEST_F(TempDir, StaleTemporaryFilesOfKilledSavesAreRemoved) {
  const std::string dead = ".big.dat.tmp2147483646.3";  // no such process
  const std::string alive = ".big.dat.tmp" + std::to_string(::getppid()) + ".0";
  const std::string foreign = ".big.dat.tmpNOTOURS";
  for (const auto& n : {dead, alive, foreign}) std::ofstream(Path(n)) << "half";
  TDEvari c;
  c.MarkAt(1.0, 1.0, 3);
  c.SaveData(Path("big.dat"));
  EXPECT_EQ(Listing(), (std::vector<std::string>{alive, foreign, "big.dat"}));
}

// ---- Failed resizes and paint handlers ------------------------------------------

TEST(ChartState, ASizeWhoseImagesCannotBeAllocatedKeepsThePreviousSize) {
  TDEvari c;
  c.SetSuppressPaint(false);
  const std::int32_t w = c.Width(), h = c.Height();
  EXPECT_ANY_THROW(c.SetBounds(0, 0, 100000, 100000));
  EXPECT_EQ(c.Width(), w);
  EXPECT_EQ(c.Height(), h);
  EXPECT_NO_THROW(c.Paint());
  c.MoveTo(1.0, 1.0);
  EXPECT_NO_THROW(c.ShowGraf());
}

TEST_F(TempDir, PaintHandlersThatPaintOrLoadGetOneDeferredRepaint) {
  TDEvari c;
  for (int i = 0; i < 5; ++i) c.Text(0.5, 0.5, 10, "label " + std::to_string(i));
  c.SaveData(Path("five.dat"));
  int texts = 0, rendered = 0;
  c.OnBeforeRenderText = [&](TObject*, std::string&, std::int32_t, bool) {
    ++texts;
    EXPECT_THROW(c.LoadData(Path("five.dat"), false), EKvoError);  // refused while drawn
    c.Paint();
    c.ShowGraf();
  };
  c.OnDataRendered = [&](TObject*, TCanvas&, std::int32_t, std::int32_t) { ++rendered; };
  c.SetSuppressPaint(false);  // one paint
  EXPECT_EQ(rendered, 2);     // the paint and the one deferred repaint
  EXPECT_EQ(texts, 10);
  EXPECT_EQ(c.NumItems(), 5);
}

// A handler that loads at every text drawn would multiply the list with
// every paint: loading while a list is drawn (by its chart, by a chart
// sharing it, or into an export) throws and changes nothing; a paint the
// refusal propagates out of leaves a chart that paints as before.
TEST_F(TempDir, LoadingWhileTheChartIsDrawnIsRefusedAndTheChartRecovers) {
  auto fill = [](TDEvari& c) {
    c.SetBounds(0, 0, 160, 120);
    for (int i = 0; i < 4; ++i) {
      c.MoveTo(0.1, 0.1 * i);
      c.DrawTo(0.9, 0.2 + 0.1 * i);
      c.Text(0.2, 0.1 + 0.2 * i, 9, "text " + std::to_string(i));
      c.DrawTo(0.5, 0.9);
    }
    c.SetAnnoMode(true);
    c.Text(0.5, 0.5, 9, "note");
    c.SetAnnoMode(false);
  };
  TDEvari c, ref, user;
  fill(c);
  fill(ref);
  c.SaveData(Path("d.dat"));
  c.SaveAnno(Path("a.ano"));
  const std::int32_t items = c.NumItems();
  ASSERT_EQ(items, 16);

  int refused = 0, rendered = 0;
  std::string message;
  c.OnBeforeRenderText = [&](TObject*, std::string&, std::int32_t, bool) {
    try {
      c.LoadData(Path("d.dat"), true);
    } catch (const EKvoError& e) {
      ++refused;
      message = e.what();
    }
    EXPECT_THROW(c.LoadAnno(Path("a.ano"), true), EKvoError);
  };
  c.OnDataRendered = [&](TObject*, TCanvas&, std::int32_t, std::int32_t) { ++rendered; };
  c.SetSuppressPaint(false);
  EXPECT_EQ(refused, 5);  // four data texts and the annotation
  EXPECT_EQ(rendered, 1);
  EXPECT_NE(message.find(Path("d.dat")), std::string::npos) << message;
  EXPECT_NE(message.find("being drawn"), std::string::npos) << message;
  EXPECT_EQ(c.NumItems(), items);
  EXPECT_EQ(c.NumAnnos(), 1);
  // The data area drawn into a bitmap calls the handlers too.
  DataImage(c);
  EXPECT_EQ(refused, 10);
  EXPECT_EQ(c.NumItems(), items);

  // A chart showing c's list: c's list cannot be loaded while it draws it.
  user.SetBounds(0, 0, 160, 120);
  user.SetUseDataOf(&c);
  user.OnBeforeRenderText = [&](TObject*, std::string&, std::int32_t, bool) {
    EXPECT_THROW(c.LoadData(Path("d.dat"), true), EKvoError);
  };
  user.SetSuppressPaint(false);
  user.SetUseDataOf(nullptr);
  EXPECT_EQ(c.NumItems(), items);

  // Uncaught, the refusal leaves the paint (a pending polyline behind) and
  // the batch that asked for it; flags and renderer are released.
  c.OnBeforeRenderText = [&](TObject*, std::string&, std::int32_t, bool) { c.LoadData(Path("d.dat"), true); };
  EXPECT_THROW(c.Paint(), EKvoError);
  c.SetSuppressPaint(true);
  EXPECT_THROW(c.SetSuppressPaint(false), EKvoError);
  EXPECT_FALSE(c.SuppressPaint());
  c.OnBeforeRenderText = nullptr;
  rendered = 0;
  c.Paint();
  EXPECT_EQ(rendered, 1);
  EXPECT_TRUE(SamePixels(DataImage(c), DataImage(ref)));
  EXPECT_EQ(c.LoadData(Path("d.dat"), true), items);  // outside a paint: loads
  EXPECT_EQ(c.NumItems(), 2 * items);
}

// ---- Smaller divergences ---------------------------------------------------------

// A long text written to a slot number that was never handed out (a record
// set from outside) takes a fresh slot: writing the unhanded slot would have
// the next long text overwrite it again.
TEST(LongTexts, ASlotNumberNeverHandedOutTakesAFreshSlot) {
  TDEvari c;
  c.Text(0.0, 0.0, 10, "first long text of the list");
  c.Text(0.0, 0.0, 10, "short");
  TrcChartItem it = c.GetChartItem(1);
  it.LWid = 30;
  c.SetChartItem(1, it);
  c.SetDataLongText(1, "a long text for slot thirty?");
  EXPECT_EQ(c.GetChartItem(1).LWid, 2);
  c.Text(0.0, 0.0, 10, "a third long text, slot three");
  EXPECT_EQ(c.DataLongText(1), "a long text for slot thirty?");
  EXPECT_EQ(c.DataLongText(2), "a third long text, slot three");
}

TEST(GridValues, LinearGridRunsWhileBelowTheUpperBound) {
  // 0.1 steps up to 0.7: seven lines, the last 0.6, none dropped early.
  const std::vector<double> v = GridValues(0.0, 0.7, false, 0.1, {});
  ASSERT_EQ(v.size(), 7u);
  EXPECT_DOUBLE_EQ(v.back(), 0.6);
  const std::vector<double> w = GridValues(0.0, 1.0 + 1e-12, false, 0.25, {});
  ASSERT_EQ(w.size(), 5u);  // 1.0 lies below the bound: drawn
  EXPECT_DOUBLE_EQ(w.back(), 1.0);
}

// Values at or below the floor land on the low end of a vertical
// logarithmic scale: its bottom row, the top one when reversed.
TEST(LogFloor, AVerticalLogarithmicScaleMapsTheFloorToItsLowEnd) {
  TScale s;
  s.SetScaleType(stLabelsLeft);
  s.SetBounds(0, 0, 60, 300);
  s.SetRange(1.0, 1000.0);
  s.SetLogarithmic(true);
  EXPECT_EQ(s.ConvertToPixelCoords(0.0), s.Height());
  EXPECT_EQ(s.ConvertToPixelCoords(-5.0), s.Height());
  EXPECT_GT(s.ConvertToPixelCoords(1.0), s.ConvertToPixelCoords(1000.0));
  s.SetRange(1000.0, 1.0);
  EXPECT_EQ(s.ConvertToPixelCoords(1e-101), 0);
}

TEST(TimeTicks, FirstTickAndCandidateCount) {
  TTickRequest r;
  r.Source = TTickSource::TimeOfDay;
  r.MinTicks = 3;
  // Step 30 s, minor 5 s: the first boundary at or below 59.5 is 30, and
  // the candidates are the span's 20 minor steps and five more.
  r.Low = 59.5;
  r.High = 159.5;
  TScaleDivision d;
  ComputeTicks(r, d);
  std::vector<double> candidates;
  for (const TTick& t : d.Ticks)
    if (t.Kind != TTickKind::Major) candidates.push_back(t.Value);
  ASSERT_EQ(candidates.size(), 26u);
  EXPECT_DOUBLE_EQ(candidates.front(), 30.0);
  // A Low just below a boundary belongs to the step below it.
  r.Low = 59.99999;
  r.High = 159.99999;
  ComputeTicks(r, d);
  ASSERT_FALSE(d.Ticks.empty());
  EXPECT_DOUBLE_EQ(d.Ticks.front().Value, 30.0);
  // A negative Low on a boundary starts a step early; the ticks at the
  // upper end are still all there.
  r.Low = -60;
  r.High = 60;
  ComputeTicks(r, d);
  double lastMajor = -1e9, firstCandidate = 1e9;
  for (const TTick& t : d.Ticks) {
    if (t.Kind == TTickKind::Major) lastMajor = std::max(lastMajor, t.Value);
    else firstCandidate = std::min(firstCandidate, t.Value);
  }
  EXPECT_DOUBLE_EQ(firstCandidate, -90.0);
  EXPECT_DOUBLE_EQ(lastMajor, 60.0);
}

}  // namespace
}  // namespace kvo
