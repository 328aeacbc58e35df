#include "tests/hosts/qt_fixture.h"

#include <QWidget>
#include <cstdlib>

namespace kvo::test {

QApplication& QtApp() {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (!app) std::abort();  // main() below creates it before any test runs
  return *app;
}

std::string ShiftText(TShiftState s) {
  static const char* names[] = {"shift", "alt", "ctrl", "left", "right", "middle", "double"};
  std::string out;
  for (int i = 0; i <= ssDouble; ++i) {
    if (!s.Contains(TShiftStateItem(i))) continue;
    if (!out.empty()) out += '+';
    out += names[i];
  }
  return out.empty() ? "-" : out;
}

namespace {
const char* ButtonText(TMouseButton b) { return b == mbLeft ? "L" : b == mbRight ? "R" : "M"; }
std::string At(std::int32_t x, std::int32_t y) {
  return std::to_string(x) + "," + std::to_string(y);
}
}  // namespace

void TProbeControl::Paint() {
  ++Paints;
  TCanvas& c = Canvas();
  c.Brush().SetColor(Fill);
  c.Pen().SetColor(clBlack);
  c.Rectangle(0, 0, Width(), Height());
  c.Brush().SetColor(clBlue);
  c.FillRect({10, 10, 30, 20});  // a mark whose place tests can check
}

void TProbeControl::MouseDown(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) {
  Log.push_back(std::string("down ") + ButtonText(b) + " " + ShiftText(s) + " " + At(x, y));
  TCustomControl::MouseDown(b, s, x, y);
}
void TProbeControl::MouseMove(TShiftState s, std::int32_t x, std::int32_t y) {
  Log.push_back("move " + ShiftText(s) + " " + At(x, y));
  TCustomControl::MouseMove(s, x, y);
}
void TProbeControl::MouseUp(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) {
  Log.push_back(std::string("up ") + ButtonText(b) + " " + ShiftText(s) + " " + At(x, y));
  TCustomControl::MouseUp(b, s, x, y);
}
void TProbeControl::DblClick() {
  Log.push_back("dblclick");
  TCustomControl::DblClick();
}
void TProbeControl::MouseEnter() {
  Log.push_back("enter");
  TCustomControl::MouseEnter();
}
void TProbeControl::MouseLeave() {
  Log.push_back("leave");
  TCustomControl::MouseLeave();
}

void QtHostTest::SetUp() {
  QtApp();
  FHost = std::make_unique<qt::TQtHost>();
  FHost->Install();
}

void QtHostTest::TearDown() {
  FHost.reset();  // uninstalls: headless host and built-in colours again
  ResetSystemColors();
}

QImage Presented(QWidget& w) {
  return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace kvo::test

// The test program's own main: the QApplication must live on main's stack,
// created before the first test and destroyed before the program's static
// objects (Qt's input device registry among them) go away.
// The screen is a plain 96 dpi one whatever the desktop's scaling settings;
// KVO_QT_TEST_SCALE=2 asks for a HiDPI screen instead.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  for (const char* v : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING",
                        "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_FONT_DPI"})
    unsetenv(v);
  if (const char* scale = std::getenv("KVO_QT_TEST_SCALE")) setenv("QT_SCALE_FACTOR", scale, 1);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
