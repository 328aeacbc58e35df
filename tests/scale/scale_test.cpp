// TScale as a control: settings and their rules, the transform, the tick
// position list, the repaint policy, assignment and the mouse.
#include "scale/scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/host.h"
#include "platform/metafile.h"

namespace kvo {
namespace {

class TCountingWindow : public THostWindow {
public:
  void Present(const TRect&) override { ++Presents; }
  void Invalidate() override { ++Invalidates; }
  void SetCursor(TCursor) override {}
  int Presents = 0, Invalidates = 0;
};

// A stand-alone scale that may paint (headless, as if it had a window).
struct TLiveScale {
  TScale Scale;
  int Paints = 0;
  TLiveScale() {
    Scale.HandleNeeded();
    Scale.OnBeforeScaleRendered = [this](TObject*, TCanvas&) { ++Paints; };
  }
};

TEST(ScaleSettings, StartValues) {
  TScale s;
  EXPECT_EQ(s.Width(), 400);
  EXPECT_EQ(s.Height(), 400);
  EXPECT_EQ(s.RangeLow(), 0);
  EXPECT_EQ(s.RangeHigh(), 100);
  EXPECT_EQ(s.MinTicks(), 3);
  EXPECT_EQ(s.DecPlaces(), -2);
  EXPECT_EQ(s.LabelType(), ftNumber);
  EXPECT_EQ(s.FrameStyle(), frsLowered);
  EXPECT_EQ(s.ColorBackGnd(), clBtnFace);
  EXPECT_EQ(s.ColorScale(), clBlack);
  EXPECT_EQ(s.MarginLeft(), 20);
  EXPECT_EQ(s.MarginBottom(), 20);
  EXPECT_EQ(s.CaptionPosX(), 4);
  EXPECT_EQ(s.CaptionAlignment(), taCenter);
  EXPECT_EQ(s.CaptionAnchor(), uaSclTopLft);
  EXPECT_TRUE(s.ShortTicks());
  EXPECT_TRUE(s.ShowBaseLine());
  EXPECT_FALSE(s.Logarithmic());
  EXPECT_EQ(s.DateFormat().DateOrder(), doDMY);
  EXPECT_EQ(s.DateFormat().YearLength(), ylFourDigits);
  EXPECT_EQ(s.DateFormat().DateForTime(), dftDayChange);
  EXPECT_TRUE(s.SuppressPaint());  // until the window exists
  s.HandleNeeded();
  EXPECT_FALSE(s.SuppressPaint());
}

TEST(ScaleSettings, ResetRestoresSettingsButNotTheWindowState) {
  TLiveScale l;
  l.Scale.SetRange(5, 7);
  l.Scale.SetMinTicks(8);
  l.Scale.SetCaption("V");
  l.Scale.DateFormat().SetYearLength(ylNone);
  l.Scale.ResetComp();
  EXPECT_EQ(l.Scale.RangeHigh(), 100);
  EXPECT_EQ(l.Scale.MinTicks(), 3);
  EXPECT_EQ(l.Scale.Caption(), "");
  EXPECT_EQ(l.Scale.DateFormat().YearLength(), ylFourDigits);
  EXPECT_FALSE(l.Scale.SuppressPaint());
  EXPECT_EQ(l.Scale.ConvertToPixelCoords(100), 379);
}

TEST(ScaleSettings, EqualRangeEndsAreSeparated) {
  TScale s;
  s.SetRange(0, 5);
  s.SetRangeHigh(0);  // RangeLow 0 equals: RangeLow becomes 1, a reversed axis
  EXPECT_EQ(s.RangeLow(), 1);
  EXPECT_EQ(s.RangeHigh(), 0);
  s.SetRange(5, 10);
  s.SetRangeHigh(5);
  EXPECT_EQ(s.RangeLow(), 6);
  EXPECT_EQ(s.RangeHigh(), 5);
  s.SetRange(0, 5);
  s.SetRangeLow(5);
  EXPECT_EQ(s.RangeLow(), 5);
  EXPECT_EQ(s.RangeHigh(), 6);
  s.SetRange(3, 3);
  EXPECT_EQ(s.RangeLow(), 3);
  EXPECT_EQ(s.RangeHigh(), 4);
  s.SetRangeLow(std::nan(""));
  s.SetRangeHigh(std::numeric_limits<double>::infinity());
  s.SetRange(0, std::nan(""));
  EXPECT_EQ(s.RangeLow(), 3);
  EXPECT_EQ(s.RangeHigh(), 4);
  EXPECT_EQ(s.GetScaleCenter(), 3.5);
  // Where 1 is below the resolution of the ends they are still separated.
  for (double x : {1e17, -1e300, 1.7e308, std::numeric_limits<double>::max()}) {
    TScale t;
    t.SetRange(x, x);
    EXPECT_NE(t.RangeLow(), t.RangeHigh()) << x;
    EXPECT_TRUE(std::isfinite(t.RangeHigh())) << x;
    t.SetRangeLow(t.RangeHigh());
    EXPECT_NE(t.RangeLow(), t.RangeHigh()) << x;
    t.SetRangeHigh(t.RangeLow());
    EXPECT_NE(t.RangeLow(), t.RangeHigh()) << x;
  }
}

TEST(ScaleSettings, ClampedValues) {
  TScale s;
  s.SetMinTicks(1);
  EXPECT_EQ(s.MinTicks(), 2);
  s.SetMinTicks(15);
  EXPECT_EQ(s.MinTicks(), 10);
  s.SetMinTicks(0);
  EXPECT_EQ(s.MinTicks(), 0);
  s.SetDecPlaces(-7);
  EXPECT_EQ(s.DecPlaces(), -3);
  s.SetDecPlaces(20);
  EXPECT_EQ(s.DecPlaces(), 12);
  s.SetMarginLeft(-5);
  s.SetMarginTop(-1);
  EXPECT_EQ(s.MarginLeft(), 0);
  EXPECT_EQ(s.MarginTop(), 0);
}

TEST(ScaleSettings, ColorSchemeChoosesFrameColours) {
  TScale s;
  s.SetColorScheme(cscSystem);
  EXPECT_EQ(s.ColGrayLine(), clBtnShadow);
  EXPECT_EQ(s.ColWhiteLine(), clBtnHighlight);
  s.SetColorScheme(cscFixed);
  EXPECT_EQ(s.ColGrayLine(), 0x808080u);
  EXPECT_EQ(s.ColWhiteLine(), 0xFFFFFFu);
}

TEST(ScaleSettings, LabelTypeSideEffects) {
  TScale s;
  s.SetRange(1, 1000);
  s.SetLogarithmic(true);
  ASSERT_TRUE(s.Logarithmic());
  s.SetLabelType(ftDateTime);
  EXPECT_FALSE(s.Logarithmic());
  EXPECT_EQ(s.ConvertToPixelCoords(10), 23);  // the linear transform again
  s.SetLogarithmic(true);  // refused on a date/time axis
  EXPECT_FALSE(s.Logarithmic());
  s.SetLabelType(ftTime);
  EXPECT_EQ(s.DecPlaces(), 4);
}

TEST(ScaleSettings, LogarithmicNeedsPositiveEndsExceptWhileLoading) {
  TScale s;
  s.SetLogarithmic(true);  // range 0..100
  EXPECT_FALSE(s.Logarithmic());
  s.SetRange(1e-101, 10);
  s.SetLogarithmic(true);
  EXPECT_FALSE(s.Logarithmic());
  s.SetRange(1e-100, 10);
  s.SetLogarithmic(true);
  EXPECT_TRUE(s.Logarithmic());
  s.SetLogarithmic(false);
  EXPECT_FALSE(s.Logarithmic());

  TScale loading;
  loading.BeginLoading();
  loading.SetLogarithmic(true);  // the range may still follow
  EXPECT_TRUE(loading.Logarithmic());
  loading.SetRange(1, 1000);
  loading.EndLoading();  // Loaded adjusts the transform
  EXPECT_EQ(loading.ConvertToPixelCoords(10), 140);
  loading.SetLogarithmic(false);
  loading.SetRange(0, 10);
  loading.SetLogarithmic(true);
  EXPECT_FALSE(loading.Logarithmic());

  // A stored form whose range never became positive ends up linear: a
  // logarithmic axis without a transform would put every value at one pixel.
  TScale stored;
  stored.BeginLoading();
  stored.SetLogarithmic(true);
  stored.SetRange(0, 100);
  stored.EndLoading();
  EXPECT_FALSE(stored.Logarithmic());
  EXPECT_EQ(stored.ConvertToPixelCoords(100), 379);
  TScale storedDate;
  storedDate.BeginLoading();
  storedDate.SetLogarithmic(true);
  storedDate.SetRange(1, 1000);
  storedDate.SetLabelType(ftDateTime);  // switches the flag off itself
  storedDate.SetLogarithmic(true);
  storedDate.EndLoading();
  EXPECT_FALSE(storedDate.Logarithmic());
}

TEST(ScaleTransform, HorizontalAndVerticalMapping) {
  TScale s;
  EXPECT_EQ(s.ConvertToPixelCoords(0), 20);
  // RangeHigh at Width - MarginRight - 1: 359 pixels for 100 units.
  EXPECT_EQ(s.ConvertToPixelCoords(100), 379);
  EXPECT_EQ(s.ConvertToPixelCoords(50), 200);  // 199.5, halves to even
  EXPECT_DOUBLE_EQ(s.ConvertPixelToScale(20), 0.0);
  EXPECT_NEAR(s.ConvertPixelToScale(379), 100.0, 1e-12);
  EXPECT_EQ(s.ConvertToPixelCoords(1e30), 2147483647);
  EXPECT_EQ(s.ConvertToPixelCoords(-1e30), -2147483647);
  EXPECT_EQ(s.ConvertToPixelCoords(std::nan("")), 0);
  s.SetScaleType(stLabelsLeft);
  EXPECT_EQ(s.ConvertToPixelCoords(100), 20);   // RangeHigh at the top margin
  EXPECT_EQ(s.ConvertToPixelCoords(0), 379);    // RangeLow at Height - MarginBottom - 1
  s.SetMarginBottom(50);
  EXPECT_EQ(s.ConvertToPixelCoords(0), 349);
  s.SetRange(100, 0);  // reversed
  EXPECT_EQ(s.ConvertToPixelCoords(100), 349);
}

TEST(ScaleTransform, Logarithmic) {
  TScale s;
  s.SetRange(1, 1000);
  s.SetLogarithmic(true);
  EXPECT_EQ(s.ConvertToPixelCoords(1), 20);
  EXPECT_EQ(s.ConvertToPixelCoords(10), 140);  // a third of 359 pixels
  EXPECT_EQ(s.ConvertToPixelCoords(1000), 379);
  EXPECT_NEAR(s.ConvertPixelToScale(139.6667), 10, 1e-3);
  EXPECT_EQ(s.ConvertToPixelCoords(0), 0);
  EXPECT_EQ(s.ConvertToPixelCoords(-5), 0);
  s.SetRange(1000, 1);
  EXPECT_EQ(s.ConvertToPixelCoords(0), 400);  // Width on a reversed axis
  s.SetRange(1, 1000);
  s.SetScaleType(stLabelsRight);
  EXPECT_EQ(s.ConvertToPixelCoords(0), 400);  // beyond the low (bottom) end
  EXPECT_EQ(s.ConvertToPixelCoords(10), 259);
}

TEST(ScaleTransform, NoRoomForTheAxisMapsEverythingToTheMiddle) {
  TScale s;
  s.SetBounds(0, 0, 30, 40);  // 30 - 20 - 20 - 1 < 0
  EXPECT_EQ(s.Transf_k(), 0.0);
  EXPECT_EQ(s.ConvertToPixelCoords(0), 15);
  EXPECT_EQ(s.ConvertToPixelCoords(1e9), 15);
  EXPECT_EQ(s.ConvertPixelToScale(3), 50.0);
  // The middle of ranges near the ends of the doubles is still a value in range.
  s.SetRange(1.5e308, 1.7e308);
  EXPECT_DOUBLE_EQ(s.ConvertPixelToScale(3), 1.6e308);
  s.SetRange(1e200, 1e250);
  s.SetLogarithmic(true);
  ASSERT_TRUE(s.Logarithmic());
  EXPECT_DOUBLE_EQ(s.ConvertPixelToScale(3), 1e225);
  TLiveScale l;
  l.Scale.SetBounds(0, 0, 30, 40);
  l.Scale.ForcePaint();  // draws without failing
  EXPECT_GT(l.Paints, 0);
}

TEST(ScaleTicks, PositionListOfTheLastDrawing) {
  TLiveScale l;
  l.Scale.ForcePaint();
  ASSERT_EQ(l.Scale.NumTicks(), 11);
  EXPECT_EQ(l.Scale.GetTickPos(1), 0);
  EXPECT_EQ(l.Scale.GetTickPos(11), 100);
  EXPECT_EQ(l.Scale.GetTickPos(0), 0.0);
  EXPECT_EQ(l.Scale.GetTickPos(12), 0.0);
  l.Scale.SetShortTicks(false);
  EXPECT_EQ(l.Scale.NumTicks(), 3);
  EXPECT_EQ(l.Scale.GetTickPos(2), 50);
  l.Scale.SetScaleType(stLabelsRight);
  l.Scale.SetShortTicks(true);
  EXPECT_EQ(l.Scale.NumTicks(), 14);  // minors, then the majors again
  EXPECT_EQ(l.Scale.GetTickPos(12), 0);
}

TEST(ScaleTicks, AutomaticDensityFollowsTheAxisLength) {
  // MinTicks 0: about one major tick per 80 pixels, on short and long axes,
  // horizontal and vertical alike.
  for (TScaleType type : {stLabelsBelow, stLabelsLeft}) {
    std::int32_t previous = 0;
    for (std::int32_t length : {120, 240, 500, 1000, 2000}) {
      TLiveScale l;
      l.Scale.SetScaleType(type);
      l.Scale.SetShortTicks(false);
      l.Scale.SetMinTicks(0);
      const bool vertical = type == stLabelsLeft;
      l.Scale.SetBounds(0, 0, vertical ? 60 : length, vertical ? length : 60);
      l.Scale.ForcePaint();
      const std::int32_t n = l.Scale.NumTicks();
      SCOPED_TRACE(::testing::Message() << "type " << int(type) << " length " << length);
      ASSERT_GE(n, 2);
      EXPECT_GE(n, previous);
      previous = n;
      const double px = std::fabs(l.Scale.ConvertToPixelCoords(l.Scale.GetTickPos(2)) -
                                  l.Scale.ConvertToPixelCoords(l.Scale.GetTickPos(1)));
      EXPECT_GE(px, 32);
      EXPECT_LE(px, 200);
    }
  }
}

TEST(ScaleTicks, PositionListStopsAt250) {
  TLiveScale l;
  l.Scale.SetScaleType(stLabelsRight);
  l.Scale.SetRange(1e-100, 1e200);
  l.Scale.SetLogarithmic(true);
  ASSERT_TRUE(l.Scale.Logarithmic());
  l.Scale.ForcePaint();
  EXPECT_EQ(l.Scale.Division().Ticks.size(), 301u);
  EXPECT_EQ(l.Scale.NumTicks(), 250);
  EXPECT_NEAR(l.Scale.GetTickPos(250), 1e149, 1e136);
}

TEST(ScaleTicks, InvalidDateRangeLeavesTheListEmpty) {
  TLiveScale l;
  l.Scale.SetLabelType(ftDateTime);
  l.Scale.SetRange(-700000, 0);
  l.Scale.ForcePaint();
  EXPECT_EQ(l.Scale.NumTicks(), 0);
  EXPECT_EQ(l.Scale.Division().Message, TDivisionMessage::InvalidRange);
}

TEST(ScalePainting, OpaqueRepaintsAtOnceTransparentInvalidates) {
  TScale s;
  TCountingWindow win;
  s.AttachHost(&win);
  int paints = 0;
  s.OnBeforeScaleRendered = [&](TObject*, TCanvas&) { ++paints; };
  s.SetCaption("a");
  EXPECT_EQ(paints, 1);
  EXPECT_EQ(win.Presents, 1);
  s.SetTransparent(true);
  const int invalidates = win.Invalidates;
  paints = 0;
  s.SetCaption("b");
  EXPECT_EQ(paints, 0);
  EXPECT_EQ(win.Invalidates, invalidates + 1);
  s.SetIsHelper(true);  // helpers paint at once even when transparent
  s.SetCaption("c");
  EXPECT_EQ(paints, 2);
  s.DetachHost();
}

TEST(ScalePainting, SuppressionAndForcePaint) {
  TLiveScale l;
  l.Scale.SetSuppressPaint(true);
  l.Scale.SetCaption("x");
  l.Scale.SetRange(0, 50);
  EXPECT_EQ(l.Paints, 0);
  l.Scale.ForcePaint();
  EXPECT_EQ(l.Paints, 1);
  EXPECT_TRUE(l.Scale.SuppressPaint());
  l.Scale.SetSuppressPaint(false);
  EXPECT_EQ(l.Paints, 2);
  l.Scale.SetVisible(false);
  l.Scale.ForcePaint();
  EXPECT_EQ(l.Paints, 2);  // invisible scales do not paint
}

TEST(ScalePainting, TransparentScaleClearsItsOwnSurface) {
  TLiveScale l;
  l.Scale.SetTransparent(true);
  l.Scale.SetColor(clYellow);
  l.Scale.ForcePaint();
  EXPECT_EQ(l.Scale.Surface().ScanLine(377)[56].R, 0);  // the minor tick at 10
  l.Scale.SetRange(0, 130);  // minor ticks now at 47.6, 75.2, ...
  l.Scale.ForcePaint();
  const TRGB32 old = l.Scale.Surface().ScanLine(377)[56];
  EXPECT_EQ(old.R, 0xFF);  // yellow again: no tick is left behind
  EXPECT_EQ(old.B, 0x00);
}

TEST(ScalePainting, OpaqueScaleOnAHiDpiSurfaceDrawsAtDeviceResolution) {
  TLiveScale l;
  l.Scale.SetSurfaceScale(2);
  l.Scale.Refresh();
  const TBitmap& surf = l.Scale.Surface();
  ASSERT_EQ(surf.Width(), 800);
  // The base line (logical row 379) covers device rows 758 and 759 only.
  EXPECT_EQ(surf.ScanLine(758)[200].R, 0);
  EXPECT_EQ(surf.ScanLine(759)[200].R, 0);
  EXPECT_NE(surf.ScanLine(757)[200].R, 0);
  EXPECT_NE(surf.ScanLine(760)[200].R, 0);
  // Text is rendered at device resolution: the labels' glyph pixels are not
  // blocks of 2 x 2 equal pixels, as an upscaled picture would have.
  bool finer = false;
  for (int y = 700; y < 760 && !finer; y += 2)
    for (int x = 0; x < 798 && !finer; x += 2) {
      const TRGB32* a = surf.ScanLine(y);
      const TRGB32* b = surf.ScanLine(y + 1);
      finer = a[x].R != a[x + 1].R || a[x].R != b[x].R;
    }
  EXPECT_TRUE(finer);
}

TEST(ScalePainting, DateFormatChangesRepaint) {
  TLiveScale l;
  l.Scale.SetLabelType(ftDateTime);
  const int before = l.Paints;
  l.Scale.DateFormat().SetTimeFormat(tfAmPm);
  EXPECT_EQ(l.Paints, before + 1);
  TDTLabel other;
  other.SetYearLength(ylTwoDigits);
  l.Scale.SetDateFormat(other);
  EXPECT_EQ(l.Scale.DateFormat().YearLength(), ylTwoDigits);
  EXPECT_EQ(l.Scale.DateFormat().TimeFormat(), tf24Hours);
  EXPECT_EQ(l.Paints, before + 2);
}

TEST(ScaleAssign, CopiesSettingsButNotMouseStateOrForeignCanvas) {
  TScale a, b;
  TMetafile meta;
  a.SetRange(2, 8);
  a.SetScaleType(stLabelsLeft);
  a.SetCaption("Volt");
  a.SetScaleInscript("&V");
  a.SetUserTickText("a|b");
  a.SetMinTicks(7);
  a.SetMarginTop(33);
  a.SetColorScale(clRed);
  a.DateFormat().SetDateSeparator("/");
  a.SetMouseAction(mamPan);
  a.UseForeignCanvas(&meta.Canvas(), 5, 6);
  int zooms = 0, ticks = 0;
  a.OnZoomPan = [&](TObject*) { ++zooms; };
  a.OnScaleTickDrawn = [&](TObject*, TCanvas&, TScaleType, double, std::int32_t, std::int32_t) {
    ++ticks;
  };
  b.Assign(a);
  EXPECT_EQ(b.RangeLow(), 2);
  EXPECT_EQ(b.RangeHigh(), 8);
  EXPECT_EQ(b.ScaleType(), stLabelsLeft);
  EXPECT_EQ(b.Caption(), "Volt");
  EXPECT_EQ(b.ScaleInscript(), "&V");
  EXPECT_EQ(b.UserTickText(), "a|b");
  EXPECT_EQ(b.MinTicks(), 7);
  EXPECT_EQ(b.MarginTop(), 33);
  EXPECT_EQ(b.ColorScale(), clRed);
  EXPECT_EQ(b.DateFormat().DateSeparator(), "/");
  EXPECT_EQ(b.ForCvPosX(), 5);
  EXPECT_EQ(b.ConvertToPixelCoords(8), 33);
  EXPECT_EQ(b.MouseAction(), mamNone);
  EXPECT_EQ(b.ForeignCanvas(), nullptr);
  EXPECT_FALSE(b.OnZoomPan);
  EXPECT_TRUE(b.OnScaleTickDrawn);
  TMetafile other;
  EXPECT_ANY_THROW(b.Assign(other));  // not a scale
}

// ---- Mouse ---------------------------------------------------------------------

struct TDragScale : TLiveScale {
  int ZoomPans = 0;
  TDragScale() {
    Scale.OnZoomPan = [this](TObject*) { ++ZoomPans; };
  }
  void Move(int x, int y) { Scale.DoMouseMove(TShiftState{ssLeft}, x, y); }
};

TEST(ScaleMouse, WithoutAnActionADragChangesNothing) {
  TDragScale d;
  d.Move(100, 50);
  d.Move(200, 50);
  EXPECT_EQ(d.Scale.RangeLow(), 0);
  EXPECT_EQ(d.Scale.RangeHigh(), 100);
  EXPECT_EQ(d.ZoomPans, 0);
}

TEST(ScaleMouse, PanDragShiftsTheRange) {
  TDragScale d;
  d.Scale.SetMouseAction(mamPan);
  d.Scale.DoMouseDown(mbLeft, TShiftState{ssLeft}, 100, 50);
  d.Move(100, 50);  // anchor
  const int paints = d.Paints;
  d.Move(200, 50);
  EXPECT_NEAR(d.Scale.RangeLow(), -27.7778, 1e-4);
  EXPECT_NEAR(d.Scale.RangeHigh(), 72.2222, 1e-4);
  EXPECT_EQ(d.ZoomPans, 1);
  EXPECT_EQ(d.Paints, paints + 1);  // one repaint per move
  d.Move(100, 50);  // back to the anchor
  EXPECT_NEAR(d.Scale.RangeLow(), 0, 1e-12);
  d.Scale.DoMouseUp(mbLeft, TShiftState{}, 100, 50);
  d.Move(300, 50);  // a new drag anchors first
  EXPECT_NEAR(d.Scale.RangeLow(), 0, 1e-12);
  EXPECT_EQ(d.ZoomPans, 2);
}

TEST(ScaleMouse, MovesCountOnlyWithTheLeftButtonInsideTheActiveArea) {
  TDragScale d;
  d.Scale.SetMouseAction(mamPan);
  d.Scale.DoMouseMove(TShiftState{}, 100, 50);  // no button
  d.Move(10, 50);                               // left of the axis
  d.Move(100, 50);                              // anchor
  d.Move(390, 50);                              // right of the axis: ignored, drag goes on
  EXPECT_EQ(d.ZoomPans, 0);
  d.Move(136, 50);
  EXPECT_NEAR(d.Scale.RangeLow(), -10, 1e-9);
  EXPECT_EQ(d.ZoomPans, 1);
}

TEST(ScaleMouse, VerticalStretchAndLogZoom) {
  TDragScale d;
  d.Scale.SetScaleType(stLabelsLeft);
  d.Scale.SetMouseAction(mamStretch);
  d.Move(50, 380 - 1);  // lower half: the high end stays
  d.Move(50, 290);
  EXPECT_EQ(d.Scale.RangeHigh(), 100);
  EXPECT_NEAR(d.Scale.RangeLow(), 100 - 100 / (270.0 / 359.0), 1e-9);
  d.Move(50, 250);
  d.Scale.DoMouseUp(mbLeft, TShiftState{}, 50, 250);

  TDragScale z;
  z.Scale.SetRange(1, 10000);
  z.Scale.SetLogarithmic(true);
  z.Scale.SetMouseAction(mamZoomDrag);
  z.Move(200, 50);
  z.Move(300, 50);  // q = 0.75: zoom in about the geometric centre 100
  EXPECT_NEAR(z.Scale.RangeLow(), 100 / std::pow(100.0, 0.75), 1e-9);
  EXPECT_NEAR(z.Scale.RangeHigh(), 100 * std::pow(100.0, 0.75), 1e-9);
}

TEST(ScaleMouse, DoubleClickTogglesPanAndStretch) {
  TScale s;
  int clicks = 0;
  s.OnDblClick = [&](TObject*) { ++clicks; };
  s.SetMouseAction(mamPan);
  s.DoDblClick();
  EXPECT_EQ(s.MouseAction(), mamStretch);
  s.DoDblClick();
  EXPECT_EQ(s.MouseAction(), mamPan);
  s.SetMouseAction(mamZoomDrag);
  s.DoDblClick();
  EXPECT_EQ(s.MouseAction(), mamZoomDrag);
  EXPECT_EQ(clicks, 3);
}

}  // namespace
}  // namespace kvo
