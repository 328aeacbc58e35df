// Shared set-up of the Qt host tests: one QApplication on the offscreen
// platform (no display needed), the Qt host installed around each test, and
// a probe control that paints a known picture and records its input.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <string>
#include <vector>

#include "hosts/qt/qt_host.h"
#include "platform/control.h"

namespace kvo::test {

// The application object of the test program (created by its main).
QApplication& QtApp();

// A control that fills its surface with Fill, frames it in black, and logs
// every input it receives as one readable line ("down L shift+left 10,20").
class TProbeControl : public TCustomControl {
public:
  TProbeControl() { SetBounds(0, 0, 120, 80); }
  void Paint() override;

  TColor Fill = clYellow;
  int Paints = 0;
  std::vector<std::string> Log;

protected:
  void MouseDown(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) override;
  void MouseMove(TShiftState s, std::int32_t x, std::int32_t y) override;
  void MouseUp(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) override;
  void DblClick() override;
  void MouseEnter() override;
  void MouseLeave() override;
};

std::string ShiftText(TShiftState s);

// Installs a fresh Qt host for the test and restores the headless host and
// the system colours afterwards.
class QtHostTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  std::unique_ptr<qt::TQtHost> FHost;
};

// The widget's presented pixels (what the user sees), at device resolution.
QImage Presented(QWidget& w);

}  // namespace kvo::test
