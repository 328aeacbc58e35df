// The control base class on the headless host: painting into the window
// surface, input events, loading, surface scale, and the host services.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/control.h"
#include "platform/error.h"
#include "platform/host.h"
#include "tests/support/golden.h"

namespace kvo {
namespace {

class TProbe : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  int Paints = 0, Created = 0, LoadedCalls = 0;
  std::vector<std::string> Log;
  void Paint() override {
    ++Paints;
    TCanvas& c = Canvas();
    c.Brush().SetColor(clYellow);
    c.Pen().SetColor(clBlack);
    c.Rectangle(0, 0, Width(), Height());
  }
  TDialogCodes GetDialogCode() const override { return {dcWantArrows, dcWantTab}; }

protected:
  void CreateWnd() override { ++Created; }
  void Loaded() override { ++LoadedCalls; }
  void MouseDown(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) override {
    Log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
    TCustomControl::MouseDown(b, s, x, y);
  }
};

class TRecordingWindow : public THostWindow {
public:
  int Presents = 0, Invalidates = 0;
  TCursor Cursor = crDefault;
  void Present(const TRect&) override { ++Presents; }
  void Invalidate() override { ++Invalidates; }
  void SetCursor(TCursor c) override { Cursor = c; }
};

TEST(Control, PaintsIntoItsSurfaceHeadless) {
  TProbe p;
  p.SetName("Probe1");
  EXPECT_EQ(p.Name(), "Probe1");
  p.SetBounds(5, 6, 40, 30);
  EXPECT_EQ(p.Paints, 0);  // no window yet
  EXPECT_FALSE(p.HandleAllocated());
  p.HandleNeeded();
  EXPECT_TRUE(p.HandleAllocated());
  EXPECT_EQ(p.Created, 1);
  p.Refresh();
  EXPECT_EQ(p.Paints, 1);
  EXPECT_EQ(p.Surface().Width(), 40);
  EXPECT_EQ(p.Surface().Height(), 30);
  EXPECT_EQ(p.Canvas().Pixel(0, 0), clBlack);
  EXPECT_EQ(p.Canvas().Pixel(20, 15), clYellow);
  EXPECT_EQ(p.BoundsRect(), Rect(5, 6, 45, 36));
  p.SetWidth(60);  // resize repaints
  EXPECT_EQ(p.Surface().Width(), 60);
  EXPECT_EQ(p.Paints, 2);
  EXPECT_EQ(p.Canvas().Pixel(59, 0), clBlack);
  p.SetBounds(0, 0, -3, 10);
  EXPECT_EQ(p.Width(), 0);
  p.SetVisible(false);
  const int before = p.Paints;
  p.Refresh();
  EXPECT_EQ(p.Paints, before);
  EXPECT_EQ(p.GetDialogCode(), (TDialogCodes{dcWantArrows, dcWantTab}));
}

TEST(Control, MouseEventsReachTheHandlers) {
  TProbe p;
  p.SetBounds(0, 0, 50, 50);
  std::vector<std::string> seen;
  p.OnMouseDown = [&](TObject* s, TMouseButton b, TShiftState st, int x, int y) {
    EXPECT_EQ(s, &p);
    seen.push_back("D" + std::to_string(int(b)) + (st.Contains(ssShift) ? "S" : "") +
                   std::to_string(x) + "," + std::to_string(y));
  };
  p.OnMouseMove = [&](TObject*, TShiftState, int x, int y) {
    seen.push_back("M" + std::to_string(x) + "," + std::to_string(y));
  };
  p.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { seen.push_back("U"); };
  p.OnClick = [&](TObject*) { seen.push_back("C"); };
  p.OnDblClick = [&](TObject*) { seen.push_back("DC"); };
  p.OnMouseEnter = [&](TObject*) { seen.push_back("E"); };
  p.OnMouseLeave = [&](TObject*) { seen.push_back("L"); };
  p.DoMouseEnter();
  p.DoMouseDown(mbLeft, {ssShift, ssLeft}, 3, 4);
  p.DoMouseMove({ssLeft}, 7, 8);
  p.DoMouseUp(mbLeft, {}, 7, 8);
  p.DoDblClick();
  p.DoMouseDown(mbRight, {}, 1, 1);
  p.DoMouseUp(mbRight, {}, 1, 1);  // no click for the right button
  p.DoMouseDown(mbLeft, {}, 1, 1);
  p.DoMouseUp(mbLeft, {}, 80, 1);  // released outside: no click
  p.DoMouseLeave();
  const std::vector<std::string> want = {"E", "D0S3,4", "M7,8", "U", "C", "DC", "D11,1", "U",
                                         "D01,1", "U", "L"};
  EXPECT_EQ(seen, want);
  EXPECT_EQ(p.Log.front(), "down 3,4");  // the protected hook ran first
  seen.clear();
  p.SetEnabled(false);
  p.DoMouseDown(mbLeft, {}, 1, 1);
  EXPECT_TRUE(seen.empty());
}

// A control with its own wheel and key actions, to see the events run first.
class TInputProbe : public TProbe {
public:
  std::vector<std::string> Own;

protected:
  bool MouseWheel(TShiftState, std::int32_t delta, std::int32_t, std::int32_t) override {
    Own.push_back("wheel " + std::to_string(delta));
    return true;
  }
  bool KeyDown(std::uint16_t key, TShiftState) override {
    Own.push_back("key " + std::to_string(key));
    return key == vkLeft;
  }
};

TEST(Control, KeyWheelAndResizeEventsComeFirstAndCanTakeTheInput) {
  TInputProbe p;
  p.SetBounds(0, 0, 50, 40);
  std::vector<std::string> seen;
  p.OnKeyDown = [&](TObject* s, std::uint16_t& key, TShiftState st) {
    EXPECT_EQ(s, &p);
    seen.push_back("down " + std::to_string(key) + (st.Contains(ssCtrl) ? " ctrl" : ""));
    if (key == 'Q') key = 0;  // taken: the control never sees it
  };
  p.OnKeyUp = [&](TObject*, std::uint16_t& key, TShiftState) { seen.push_back("up " + std::to_string(key)); };
  p.OnKeyPress = [&](TObject*, char& key) {
    seen.push_back(std::string("press ") + key);
    if (key == 'x') key = 0;
  };
  EXPECT_TRUE(p.DoKeyDown(vkLeft, {ssCtrl}));
  EXPECT_FALSE(p.DoKeyDown('A', {}));
  EXPECT_TRUE(p.DoKeyDown('Q', {}));
  EXPECT_FALSE(p.DoKeyUp('A', {}));
  EXPECT_FALSE(p.DoKeyPress('a'));
  EXPECT_TRUE(p.DoKeyPress('x'));
  EXPECT_EQ(seen, (std::vector<std::string>{"down 37 ctrl", "down 65", "down 81", "up 65", "press a",
                                            "press x"}));
  EXPECT_EQ(p.Own, (std::vector<std::string>{"key 37", "key 65"}));

  // The wheel: the general event, then the one of the direction, then the
  // control's own action, each while nobody has taken the turn.
  seen.clear();
  p.Own.clear();
  bool takeAll = false, takeDown = false;
  p.OnMouseWheel = [&](TObject*, TShiftState, std::int32_t delta, TPoint at, bool& handled) {
    seen.push_back("wheel " + std::to_string(delta) + " at " + std::to_string(at.x) + "," +
                   std::to_string(at.y));
    handled = takeAll;
  };
  p.OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool&) { seen.push_back("up"); };
  p.OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& handled) {
    seen.push_back("down");
    handled = takeDown;
  };
  EXPECT_TRUE(p.DoMouseWheel({}, kWheelDelta, 3, 4));
  takeDown = true;
  EXPECT_TRUE(p.DoMouseWheel({}, -kWheelDelta, 5, 6));
  takeAll = true;
  EXPECT_TRUE(p.DoMouseWheel({}, -kWheelDelta, 7, 8));
  EXPECT_EQ(seen, (std::vector<std::string>{"wheel 120 at 3,4", "up", "wheel -120 at 5,6", "down",
                                            "wheel -120 at 7,8"}));
  EXPECT_EQ(p.Own, (std::vector<std::string>{"wheel 120"}));

  // A disabled control hears nothing.
  seen.clear();
  p.SetEnabled(false);
  EXPECT_FALSE(p.DoKeyDown('A', {}));
  EXPECT_FALSE(p.DoKeyPress('a'));
  EXPECT_FALSE(p.DoMouseWheel({}, kWheelDelta, 0, 0));
  EXPECT_TRUE(seen.empty());
  p.SetEnabled(true);

  // OnCanResize: refuse (nothing moves), adjust, or let it be; a pure move does not ask.
  int asked = 0;
  p.OnCanResize = [&](TObject*, std::int32_t& w, std::int32_t& h, bool& resize) {
    ++asked;
    if (w > 200) resize = false;
    if (h > 100) h = 100;
  };
  p.SetBounds(10, 10, 300, 40);
  EXPECT_EQ(p.BoundsRect(), Rect(0, 0, 50, 40));
  p.SetBounds(10, 10, 80, 150);
  EXPECT_EQ(p.BoundsRect(), Rect(10, 10, 90, 110));
  p.SetBounds(20, 30, 80, 100);
  EXPECT_EQ(p.BoundsRect(), Rect(20, 30, 100, 130));
  EXPECT_EQ(asked, 2);
}

TEST(Control, LoadingDefersPaintingAndCallsLoaded) {
  TProbe p;
  p.HandleNeeded();
  p.BeginLoading();
  EXPECT_TRUE(p.Loading());
  p.SetBounds(0, 0, 20, 20);
  EXPECT_EQ(p.Paints, 0);
  p.EndLoading();
  EXPECT_FALSE(p.Loading());
  EXPECT_EQ(p.LoadedCalls, 1);
  p.EndLoading();
  EXPECT_EQ(p.LoadedCalls, 1);
  p.SetDesigning(true);
  EXPECT_TRUE(p.Designing());
  EXPECT_TRUE(p.ComponentState().Contains(csDesigning));
  TProbe q;
  EXPECT_THROW(q.Assign(p), EPlatformError);  // neither side knows the other
}

TEST(Control, HostWindowGetsPresentsInvalidatesAndCursor) {
  TProbe p;
  p.SetBounds(0, 0, 30, 20);
  TRecordingWindow w;
  p.SetCursor(1);
  p.AttachHost(&w);
  EXPECT_EQ(p.Created, 1);
  EXPECT_EQ(w.Cursor, 1);
  EXPECT_GE(w.Invalidates, 1);
  EXPECT_EQ(p.Paints, 0);  // the host decides when to paint
  p.PaintNow();
  EXPECT_EQ(w.Presents, 1);
  p.Refresh();
  EXPECT_EQ(w.Presents, 2);
  p.SetCursor(crCross);
  EXPECT_EQ(w.Cursor, crCross);
  // Drawing from an input handler reaches the window without a paint.
  p.OnMouseMove = [&](TObject*, TShiftState, int x, int y) {
    p.Canvas().Pen().SetMode(pmXor);
    p.Canvas().Pen().SetColor(clWhite);
    p.Canvas().MoveTo(0, y);
    p.Canvas().LineTo(x, y);
  };
  const int paints = p.Paints;
  p.DoMouseMove({}, 20, 5);
  EXPECT_EQ(w.Presents, 3);
  EXPECT_EQ(p.Paints, paints);
  EXPECT_EQ(p.Canvas().Pixel(10, 5), clBlue);  // yellow XOR white
  p.DetachHost();
  EXPECT_EQ(p.HostWindow(), nullptr);
}

TEST(Control, SurfaceScaleKeepsLogicalCoordinates) {
  TProbe p;
  p.HandleNeeded();
  p.SetBounds(0, 0, 30, 20);
  p.SetSurfaceScale(2);
  EXPECT_EQ(p.Surface().Width(), 60);
  EXPECT_EQ(p.Surface().Height(), 40);
  EXPECT_EQ(p.Width(), 30);
  EXPECT_EQ(p.Canvas().Caps().Width, 30);
  // The outline is two device pixels wide, the interior yellow.
  const TRGB32 edge = p.Surface().ScanLine(1)[30], in = p.Surface().ScanLine(20)[30];
  EXPECT_EQ(RGBColor(edge.R, edge.G, edge.B), clBlack);
  EXPECT_EQ(RGBColor(in.R, in.G, in.B), clYellow);
  const TRGB32 right = p.Surface().ScanLine(20)[58];
  EXPECT_EQ(RGBColor(right.R, right.G, right.B), clBlack);
  p.SetSurfaceScale(-1);  // nonsense falls back to 1
  EXPECT_EQ(p.Surface().Width(), 30);
}

TEST(Control, FontChangeRepaints) {
  TProbe p;
  p.HandleNeeded();
  p.SetBounds(0, 0, 10, 10);
  const int n = p.Paints;
  p.Font().SetSize(12);
  EXPECT_EQ(p.Paints, n + 1);
  EXPECT_TRUE(p.ParentFont());
}

TEST(HeadlessHost, RecordsMessagesCursorsClipboardAndPrints) {
  THeadlessHost host;
  SetHost(&host);
  EXPECT_EQ(&Host(), &host);
  Host().ShowMessage("Hello");
  EXPECT_EQ(host.Messages, std::vector<std::string>{"Hello"});
  RegisterChartCursors(Host());
  EXPECT_EQ(Host().CursorResource(1), std::optional<std::string>("CURHAND"));
  EXPECT_EQ(Host().CursorResource(4), std::optional<std::string>("CURZOOMP"));
  EXPECT_FALSE(Host().CursorResource(9).has_value());
  Host().SetScreenCursor(crHourGlass);
  Host().SetScreenCursor(crDefault);
  EXPECT_EQ(host.CursorChanges, (std::vector<TCursor>{crHourGlass, crDefault}));
  EXPECT_EQ(Host().ScreenCursor(), crDefault);
  TBitmap b(3, 3);
  b.Fill(clRed);
  Host().SetClipboardBitmap(b);
  ASSERT_TRUE(host.ClipboardBitmap.has_value());
  EXPECT_EQ(host.ClipboardBitmap->ScanLine(1)[1].R, 255);
  Host().SetClipboardSvg("<svg/>");
  EXPECT_EQ(host.ClipboardSvg, "<svg/>");
  EXPECT_EQ(Host().ScreenCaps().LogPixelsY, 96);
  EXPECT_EQ(Host().ScreenCaps().AspectX, Host().ScreenCaps().AspectY);
  EXPECT_FALSE(Host().ThemeColors().has_value());
  int pumped = 0;
  host.OnProcessMessages = [&] { ++pumped; };
  Host().ProcessMessages();
  EXPECT_EQ(pumped, 1);
  host.PrintFile = test::TempPath("print.pdf");
  {
    auto job = Host().BeginPrint("doc");
    ASSERT_TRUE(job);
    EXPECT_TRUE(job->Canvas().Caps().IsPrinter);
    EXPECT_EQ(job->Canvas().GetDeviceCaps(LOGPIXELSY), 300);
    EXPECT_GT(job->Canvas().Font().Height(), 30);  // 8 pt at 300 dpi
    job->Canvas().Rectangle(100, 100, 1000, 800);
    job->NewPage();
    job->Canvas().TextOut(100, 100, "page 2");
    job->EndDoc();
  }
  std::ifstream pdf(host.PrintFile, std::ios::binary);
  std::string head(5, '\0');
  pdf.read(head.data(), 5);
  EXPECT_EQ(head, "%PDF-");
  host.PrintFile = test::TempPath("aborted.pdf");
  {
    auto job = Host().BeginPrint("doc");
    ASSERT_TRUE(job);
    job->Canvas().Rectangle(1, 1, 5, 5);
    job->Abort();
    job->Canvas().Rectangle(1, 1, 5, 5);  // harmless after the abort
  }
  EXPECT_FALSE(std::filesystem::exists(host.PrintFile));
  SetHost(nullptr);
  EXPECT_EQ(&Host(), &HeadlessHost());
}

TEST(HeadlessHost, CursorImagesAreOurs) {
  for (const char* name : {"CURHAND", "CURZOOMW", "CURZOOMD", "CURZOOMP"}) {
    const TCursorImage c = LoadCursorImage(name);
    EXPECT_EQ(c.Image.Width(), 32) << name;
    EXPECT_EQ(c.Image.Height(), 32) << name;
    EXPECT_TRUE(TRect({0, 0, 32, 32}).Contains(c.HotSpot));
    int opaque = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) opaque += c.Image.ScanLine(y)[x].A == 255;
    EXPECT_GT(opaque, 50) << name;
    EXPECT_LT(opaque, 32 * 32 - 100) << name;  // a transparent background
  }
  EXPECT_EQ(LoadCursorImage("CURZOOMW").HotSpot, Point(7, 7));
  EXPECT_THROW(LoadCursorImage("NOSUCH"), EPlatformError);
}

}  // namespace
}  // namespace kvo
