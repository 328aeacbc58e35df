// TRot3D drawing through the recording canvas, the mouse modes and the
// exports.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/host.h"
#include "platform/metafile.h"
#include "rot3d/rot3d.h"
#include "tests/support/golden.h"

namespace kvo {
namespace {

// A viewer without box and axes, so that the records are the objects'.
struct Bare {
  Bare() {
    r.SetBoundBoxStyle(bbNone);
    r.SetShowAxes(false);
  }
  std::vector<TMetaRecord> Draw(bool bw = false) {
    TMetafile mf(r.Width(), r.Height());
    mf.Canvas().SetTextAlign(TA_CENTER | TA_BASELINE);  // not the viewer's concern
    r.ConstructDataBmp(mf.Canvas(), bw);
    EXPECT_EQ(mf.Canvas().TextAlign(), TA_CENTER | TA_BASELINE);
    return mf.Records();
  }
  static std::vector<TMetaRecord> Only(const std::vector<TMetaRecord>& all, TMetaOp op) {
    std::vector<TMetaRecord> out;
    for (const TMetaRecord& m : all)
      if (m.Op == op) out.push_back(m);
    return out;
  }
  TRot3D r;
};

TEST(Rot3DDraw, PolylinesAndTheCurrentColour) {
  Bare b;
  b.r.SetDataCol(clRed);
  b.r.Moveto(0, 0, 0);
  b.r.Drawto(1, 0, 0);
  b.r.SetDataCol(clBlue);
  b.r.Drawto(1, 1, 0);
  b.r.SetDataCol(clRed);
  b.r.SetLineWidth(3);
  b.r.Drawto(0, 1, 1);
  b.r.MakeVisible();
  const auto lines = Bare::Only(b.Draw(), TMetaOp::Line);
  // One move-to and three draw-tos: three segments, each in its own colour.
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].Pen.Color, clRed);
  EXPECT_EQ(lines[1].Pen.Color, clBlue);
  EXPECT_EQ(lines[2].Pen.Color, clRed);
  EXPECT_EQ(lines[2].Pen.Width, 3);
  // Joined end to end, from the projected points.
  EXPECT_EQ(lines[0].Points[0], b.r.WorldToScreen(0, 0, 0));
  EXPECT_EQ(lines[0].Points[1], lines[1].Points[0]);
  EXPECT_EQ(lines[2].Points[1], b.r.WorldToScreen(0, 1, 1));
  // Black and white draws every object black.
  for (const TMetaRecord& m : Bare::Only(b.Draw(true), TMetaOp::Line)) EXPECT_EQ(m.Pen.Color, clBlack);
}

TEST(Rot3DDraw, MarksCharactersAndLabels) {
  Bare b;
  b.r.SetDataCol(clGreen);
  b.r.MarkAt(0, 0, 0, 200);
  b.r.MarkAt(1, 0, 0, 209);
  b.r.MarkAt(0, 1, 0, 65);
  b.r.MarkAt(0, 0, 1, 51);
  b.r.MarkAt(1, 1, 1, 0xE9);  // Latin-1 e acute
  b.r.MakeVisible();
  std::vector<std::int32_t> asked;
  b.r.OnLblRequest = [&](TObject*, std::int32_t obj, std::string& text, std::int32_t& dx,
                         std::int32_t& dy, TAlignment& ha, TVerticalAlignment& va, TFont&) {
    asked.push_back(obj);
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(dy, 0);
    EXPECT_EQ(ha, taCenter);
    EXPECT_EQ(va, taVerticalCenter);
    text = "P1";
    ha = taLeftJustify;
    va = taAlignTop;
  };
  const auto all = b.Draw();
  const auto texts = Bare::Only(all, TMetaOp::Text);
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_EQ(texts[0].Text, "0");
  EXPECT_EQ(texts[1].Text, "9");
  EXPECT_EQ(texts[2].Text, "A");
  EXPECT_EQ(texts[4].Text, "\xC3\xA9");
  EXPECT_EQ(texts[0].Font.Color, clGreen);
  EXPECT_DOUBLE_EQ(texts[0].Font.Size, 8.0);
  // Only the symbol mark asks for a label; "P1" starts exactly at the mark.
  ASSERT_EQ(asked, std::vector<std::int32_t>{3});
  EXPECT_EQ(texts[3].Text, "P1");
  const TPoint at = b.r.WorldToScreen(0, 0, 1);
  ASSERT_EQ(texts[3].Points.size(), 1u);
  EXPECT_EQ(texts[3].Points[0], at);
  EXPECT_EQ(texts[3].Align, TA_LEFT | TA_TOP);
  EXPECT_EQ(texts[3].Brush.Style, bsClear);

  // Mark 51 is the library symbol: the same records as DrawMarkOnCanvas.
  TMetafile ref(b.r.Width(), b.r.Height());
  ref.Canvas().Pen().SetColor(clGreen);
  ref.Canvas().Brush().SetColor(clGreen);
  DrawMarkOnCanvas(ref.Canvas(), 51, at.x, at.y);
  std::vector<std::string> want, got;
  for (const TMetaRecord& m : ref.Records()) want.push_back(m.ToString());
  for (const TMetaRecord& m : all)
    if (m.Op != TMetaOp::Text) got.push_back(m.ToString());
  EXPECT_EQ(got, want);
}

TEST(Rot3DDraw, BoxStylesAxesAndEvents) {
  TRot3D r;
  std::vector<std::string> order;
  r.OnBeforeRenderData = [&](TObject* s, TCanvas&) {
    EXPECT_EQ(s, &r);
    order.push_back("before");
  };
  r.OnDataRendered = [&](TObject*, TCanvas&) { order.push_back("after"); };
  r.SetShowAxes(false);
  auto draw = [&r] {
    TMetafile mf(r.Width(), r.Height());
    r.ConstructDataBmp(mf.Canvas(), false);
    return mf.Records();
  };
  auto count = [](const std::vector<TMetaRecord>& all, TMetaOp op) {
    return std::count_if(all.begin(), all.end(), [op](const TMetaRecord& m) { return m.Op == op; });
  };
  // No box: no lines at all (and no axes).
  r.SetBoundBoxStyle(bbNone);
  auto recs = draw();
  EXPECT_EQ(recs.size(), 0u);
  EXPECT_EQ(order, (std::vector<std::string>{"before", "after"}));
  // Edges only: three outlined faces without fill, three hidden and three front edges.
  r.SetBoundBoxStyle(bbEdges);
  recs = draw();
  EXPECT_EQ(count(recs, TMetaOp::Polygon), 3);
  EXPECT_EQ(count(recs, TMetaOp::Line), 6);
  for (const TMetaRecord& m : recs)
    if (m.Op == TMetaOp::Polygon) {
      EXPECT_EQ(m.Brush.Style, bsClear);
    }
  // Faces: filled, shaded between the two face colours.
  r.SetBoundBoxStyle(bbFaces);
  r.SetColorCubeFaceLow(0x000000);
  r.SetColorCubeFaceHigh(0xC8C8C8);
  recs = draw();
  int faces = 0;
  for (const TMetaRecord& m : recs)
    if (m.Op == TMetaOp::Polygon) {
      ++faces;
      EXPECT_EQ(m.Brush.Style, bsSolid);
      EXPECT_EQ(GetRValue(m.Brush.Color), GetBValue(m.Brush.Color));
      EXPECT_EQ(m.Pen.Color, r.ColorCubeFrame());
    }
  EXPECT_EQ(faces, 3);
  // Shade = 200 * F div 400 with F = 400 times the face's depth component:
  // the squares of the three components sum to one.
  double sumSq = 0;
  for (const TMetaRecord& m : recs)
    if (m.Op == TMetaOp::Polygon) sumSq += std::pow(GetRValue(m.Brush.Color) / 200.0, 2);
  EXPECT_NEAR(sumSq, 1.0, 0.03);

  // Axes shorter than the box are drawn in the hidden-line colour only.
  r.SetBoundBoxStyle(bbNone);
  r.SetShowAxes(true);
  r.SetAxSize(300);
  recs = draw();
  int hidden = 0;
  for (const TMetaRecord& m : recs) {
    if (m.Op != TMetaOp::Line) continue;
    if (m.Pen.Color == r.ColorCubeHidLin()) ++hidden;
    else EXPECT_EQ(m.Points[0], m.Points[1]);  // the frame-colour part has no length
  }
  EXPECT_EQ(hidden, 3);
  EXPECT_EQ(count(recs, TMetaOp::Text), 3);  // axis names
}

TEST(Rot3DDraw, ClearShowsAnEmptyView) {
  TRot3D r, empty;
  r.HandleNeeded();
  empty.HandleNeeded();
  for (int i = 0; i < 50; ++i) r.MarkAt(i, i % 7, i % 3, 5);
  r.MakeVisible();
  TBitmap full, none, cleared;
  r.CopyToBitmap(full, false);
  empty.CopyToBitmap(none, false);
  r.Clear();
  r.Paint();
  r.CopyToBitmap(cleared, false);
  ASSERT_EQ(cleared.Width(), none.Width());
  bool same = true, differs = false;
  for (int y = 0; y < none.Height(); ++y)
    for (int x = 0; x < none.Width(); ++x) {
      const TRGB32 a = cleared.ScanLine(y)[x], b = none.ScanLine(y)[x], c = full.ScanLine(y)[x];
      same = same && a.R == b.R && a.G == b.G && a.B == b.B;
      differs = differs || a.R != c.R || a.G != c.G || a.B != c.B;
    }
  EXPECT_TRUE(same);
  EXPECT_TRUE(differs);
  // The window surface shows the empty view too.
  const TBitmap& s = r.Surface();
  for (int y = 0; y < none.Height(); y += 5)
    for (int x = 0; x < none.Width(); x += 5) ASSERT_EQ(s.ScanLine(y)[x].G, none.ScanLine(y)[x].G);
}

// A handler that changes the view while it is drawn gets a second picture
// with the change, not a lost one.
TEST(Rot3DDraw, ChangesFromEventHandlersRepaint) {
  TRot3D r;
  r.HandleNeeded();
  int rendered = 0;
  r.OnDataRendered = [&](TObject*, TCanvas&) {
    ++rendered;
    r.SetColodEvari(clYellow);
  };
  r.Paint();
  EXPECT_EQ(rendered, 2);
  const TRGB32 px = r.Surface().ScanLine(100)[10];
  EXPECT_EQ(px.R, 255);
  EXPECT_EQ(px.G, 255);
  EXPECT_EQ(px.B, 0);
}

TEST(Rot3DMouse, RotateZoomPanTiltTurn) {
  TRot3D r;  // 450 x 300
  r.HandleNeeded();
  // Rotate (mode 12): horizontal drags turn about z, vertical ones tilt about
  // x with the H + Y - anchor term.
  r.DoMouseMove({}, 100, 100);
  r.DoMouseDown(mbLeft, {ssLeft}, 100, 100);
  r.DoMouseMove({ssLeft}, 145, 130);
  EXPECT_DOUBLE_EQ(r.ViewAngleZ(), 210 - 45 * 360.0 / 450);
  EXPECT_DOUBLE_EQ(r.ViewAngleX(), 110 + (300 + 30) * 360.0 / 300);
  EXPECT_EQ(r.GetRotMat(1, 1), RotMatrix2Ax(r.ViewAngleX(), r.ViewAngleZ(), adLeftHanded)[0][0] / 1000.0);
  // Outside the control nothing happens.
  r.DoMouseMove({ssLeft}, 500, 130);
  EXPECT_DOUBLE_EQ(r.ViewAngleZ(), 210 - 45 * 360.0 / 450);
  r.DoMouseUp(mbLeft, {}, 145, 130);

  // Three axes: horizontal drags turn about x, vertical ones about y.
  r.SetMouseRot3Axes(true);
  const double ax = r.ViewAngleX(), ay = r.ViewAngleY(), az = r.ViewAngleZ();
  r.DoMouseMove({}, 200, 50);
  r.DoMouseMove({ssLeft}, 110, 50);
  EXPECT_DOUBLE_EQ(r.ViewAngleX(), ax + 90 * 360.0 / 450);
  EXPECT_DOUBLE_EQ(r.ViewAngleY(), ay + 360.0);
  EXPECT_DOUBLE_EQ(r.ViewAngleZ(), az);
  r.SetMouseRot3Axes(false);

  // Tilt only (14) and turn only (15).
  r.SetMouseAction(mamTilt);
  const double z0 = r.ViewAngleZ();
  r.DoMouseMove({}, 10, 10);
  r.DoMouseMove({ssLeft}, 50, 40);
  EXPECT_DOUBLE_EQ(r.ViewAngleZ(), z0);
  r.SetMouseAction(mamTurn);
  const double x0 = r.ViewAngleX();
  r.DoMouseMove({}, 10, 10);
  r.DoMouseMove({ssLeft}, 55, 40);
  EXPECT_DOUBLE_EQ(r.ViewAngleX(), x0);
  EXPECT_DOUBLE_EQ(r.ViewAngleZ(), z0 - 45 * 360.0 / 450);

  // Zoom (6, and 13 with the right button): a full upward drag from 0.8
  // reaches 5.0; a downward one stops at 0.1.
  r.SetMouseAction(mamStretch);
  r.DoMouseMove({}, 10, 300);
  r.DoMouseMove({ssLeft}, 10, 0);
  EXPECT_EQ(r.Magnify(), 800);
  r.SetMouseAction(mamRotateZoom);
  const double angle = r.ViewAngleZ();
  r.DoMouseMove({}, 10, 0);
  r.DoMouseMove({ssRight}, 20, 300);
  EXPECT_EQ(r.Magnify(), 40000);
  EXPECT_DOUBLE_EQ(r.ViewAngleZ(), angle);  // the right button does not rotate
  r.DoMouseMove({}, 10, 150);
  r.DoMouseMove({ssRight}, 10, 120);
  EXPECT_EQ(r.Magnify(), Round(4000 / (0.1 + 4.9 * 30 / 300.0)));

  // Pan (1).
  r.SetMouseAction(mamPan);
  r.DoMouseMove({}, 10, 10);
  r.DoMouseMove({ssLeft}, 40, 0);
  EXPECT_EQ(r.CentX(), 225 + 30);
  EXPECT_EQ(r.CentY(), 150 - 10);
  // A drag that starts with the press, without a move before it.
  r.DoMouseDown(mbLeft, {ssLeft}, 100, 100);
  r.DoMouseMove({ssLeft}, 90, 100);
  EXPECT_EQ(r.CentX(), 245);
}

TEST(Rot3DExport, FilesClipboardAndPrinter) {
  TRot3D r;
  r.SetName("viewer");
  r.SetBounds(0, 0, 320, 240);
  r.MarkAt(0, 0, 0, 39);
  r.Line(-1, -1, -1, 1, 1, 1);
  r.MakeVisible();
  const std::string png = test::TempPath("rot3d.png"), bmp = test::TempPath("rot3d.bmp");
  const std::string svg = test::TempPath("rot3d.svg"), pdf = test::TempPath("rot3d.pdf");
  r.CopyToBMP(png, false);
  r.CopyToBMP(bmp, true);
  r.CopyToWMF(svg, false);
  r.CopyToWMF(pdf, false);
  TBitmap back;
  back.LoadFromFile(png);
  EXPECT_EQ(back.Width(), 320);
  EXPECT_EQ(back.Height(), 240);
  TBitmap direct;
  r.CopyToBitmap(direct, false);
  for (int y = 0; y < 240; y += 3)
    for (int x = 0; x < 320; x += 3) ASSERT_EQ(back.ScanLine(y)[x].R, direct.ScanLine(y)[x].R);
  back.LoadFromFile(bmp);
  EXPECT_EQ(back.Width(), 320);
  auto slurp = [](const std::string& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  };
  const std::string svgText = slurp(svg);
  EXPECT_NE(svgText.find("<svg"), std::string::npos);
  EXPECT_EQ(slurp(pdf).substr(0, 4), "%PDF");

  THeadlessHost& host = HeadlessHost();
  host.ClipboardBitmap.reset();
  r.CopyToClipboard(false);
  ASSERT_TRUE(host.ClipboardBitmap.has_value());
  EXPECT_EQ(host.ClipboardBitmap->Width(), 320);
  host.ClipboardSvg.clear();
  r.CopyToClipboardWMF(false);
  EXPECT_NE(host.ClipboardSvg.find("<svg"), std::string::npos);

  const std::string saved = host.PrintFile;
  host.PrintFile = test::TempPath("rot3d-print.pdf");
  std::filesystem::remove(host.PrintFile);
  r.PrintIt(1.0, false, true);
  EXPECT_TRUE(std::filesystem::exists(host.PrintFile));
  EXPECT_EQ(slurp(host.PrintFile).substr(0, 4), "%PDF");
  host.PrintFile = saved;
}

}  // namespace
}  // namespace kvo
