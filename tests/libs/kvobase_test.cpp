#include "libs/kvobase.h"

#include <gtest/gtest.h>

#include <cmath>

#include "libs/univconst.h"

namespace kvo {
namespace {

static_assert(sizeof(TFrameStyle) == 1 && sizeof(TCrossHMode) == 1 && sizeof(TMouseActMode) == 1);
static_assert(mamSelectRect == 16 && mamMouseTrace == 17 && mamDragRange == 18);
static_assert(stLabelsLeft == 3 && ftUserText == 4 && tlmShadowBox == 4 && tlaWorld == 3);

TEST(Constants, Values) {
  EXPECT_DOUBLE_EQ(uc_ln10, std::log(10.0));
  EXPECT_TRUE(std::isfinite(uc_MaxDouble * 0.5 + uc_MaxReal * 0.5));
  EXPECT_GT(uc_MaxDouble, uc_MaxReal);
  EXPECT_TRUE(std::isfinite(std::sqrt(uc_MaxDouble)));
  try {
    throw EKvoError("fixed message");
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "fixed message");
  }
}

TEST(CrossHair, SettersStoreValidateAndNotify) {
  TCrossHair ch;
  EXPECT_EQ(ch.Mode(), chOff);
  EXPECT_EQ(ch.Color(), clRed);
  EXPECT_EQ(ch.LineType(), psDashDotDot);
  int calls = 0;
  ch.OnChange = [&](TObject* s) {
    EXPECT_EQ(s, &ch);
    ++calls;
  };
  ch.SetPos(1.5, -2);
  EXPECT_EQ(calls, 1);
  ch.SetPos(1.5, -2);
  ch.SetCrossHPosX(std::nan(""));
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(ch.PosX(), 1.5);
  ch.SetCrossHMode(chBoth);
  ch.SetCrossHMode(TCrossHMode(9));  // ignored
  EXPECT_EQ(ch.Mode(), chBoth);
  ch.SetCrossHLineWid(0);  // raised to 1, which is the current value
  ch.SetCrossHLineWid(3);
  ch.SetCrossHLayer(3);    // ignored
  ch.SetCrossHLayer(2);
  ch.SetCrossHColor(clBlue);
  ch.SetCrossHLineType(psSolid);
  EXPECT_EQ(calls, 6);
  TCrossHair other;
  int otherCalls = 0;
  other.OnChange = [&](TObject*) { ++otherCalls; };
  other.Assign(ch);
  other.Assign(ch);
  EXPECT_EQ(otherCalls, 1);
  EXPECT_EQ(other.Layer(), 2);
  EXPECT_EQ(other.LineWidth(), 3);
  EXPECT_EQ(other.PosY(), -2);
}

TEST(TextLabel, DefaultsSettersAndFontNotify) {
  TCustomTextLabel lbl;
  EXPECT_EQ(lbl.Mode(), tlmFree);
  EXPECT_FALSE(lbl.InUse());
  EXPECT_EQ(lbl.AttachToData(), tlaWorld);
  EXPECT_EQ(lbl.VerticalAlignment(), taAlignBottom);
  EXPECT_EQ(lbl.ShadowDx(), 3);
  EXPECT_EQ(lbl.ColorShadow(), TColor(8421504));
  int calls = 0;
  lbl.OnChange = [&](TObject*) { ++calls; };
  lbl.SetTxtLblCaption("two\nlines");
  lbl.SetTxtLblCaption("two\nlines");
  lbl.SetTxtLblMode(tlmBoxed);
  lbl.SetTxtLblMode(TTxtLblMode(7));
  lbl.SetTxtLblScreenPos(tlaPixels);
  lbl.SetTxtLblLayer(0);
  lbl.SetTxtLblPosX(std::nan(""));
  EXPECT_EQ(calls, 3);
  lbl.Font().SetSize(14);  // the owned font notifies through the label
  EXPECT_EQ(calls, 4);
  TFont f;
  f.SetName("DejaVu Serif");
  lbl.SetTxtLblFont(f);
  EXPECT_EQ(lbl.Font().Name(), "DejaVu Serif");
  EXPECT_EQ(calls, 5);
  lbl.SetTxtLblFont(f);
  EXPECT_EQ(calls, 5);
}

TEST(TextLabel, AssignCopiesEverythingWithOneNotification) {
  TCustomTextLabel a, b;
  a.SetTxtLblCaption("x");
  a.SetTxtLblPosX(10);
  a.SetTxtLblPosY(20);
  a.SetTxtLblAlignment(taRightJustify);
  a.SetTxtLblVertAlignment(taAlignTop);
  a.SetTxtLblColorBkg(clYellow);
  a.SetTxtLblColorBrd(clRed);
  a.SetTxtLblColorShadow(clBlack);
  a.SetTxtLblShadowDx(5);
  a.SetTxtLblShadowDy(-1);
  a.SetTxtLblTranspar(true);
  a.SetTxtLblVisible(true);
  a.SetTxtLblMode(tlmShadowBox);
  a.SetTxtLblScreenPos(tlaWorldY);
  a.SetTxtLblLayer(2);
  a.Font().SetSize(20);
  int calls = 0;
  b.OnChange = [&](TObject*) { ++calls; };
  b.Assign(a);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(b.Caption(), "x");
  EXPECT_EQ(b.PosY(), 20);
  EXPECT_EQ(b.Alignment(), taRightJustify);
  EXPECT_EQ(b.VerticalAlignment(), taAlignTop);
  EXPECT_EQ(b.ColorBkg(), clYellow);
  EXPECT_EQ(b.ColorBorder(), clRed);
  EXPECT_EQ(b.ShadowDy(), -1);
  EXPECT_TRUE(b.Transparent());
  EXPECT_TRUE(b.Visible());
  EXPECT_EQ(b.Mode(), tlmShadowBox);
  EXPECT_EQ(b.AttachToData(), tlaWorldY);
  EXPECT_EQ(b.Layer(), 2);
  EXPECT_EQ(b.Font().Size(), 20);
  b.Assign(a);
  EXPECT_EQ(calls, 1);
}

TEST(DTLabel, StartValuesSettersReset) {
  TDTLabel d;
  EXPECT_EQ(d.DateOrder(), doDMY);
  EXPECT_EQ(d.DateSeparator(), "-");
  EXPECT_EQ(d.TimeSeparator(), ":");
  EXPECT_EQ(d.YearLength(), ylFourDigits);
  EXPECT_TRUE(d.MonthName());
  EXPECT_EQ(d.DateForTime(), dftDayChange);
  EXPECT_EQ(d.TimeFormat(), tf24Hours);
  static_assert(doDMY == 1 && ylFourDigits == 2 && dftDayChange == 2 && tfAmPm == 2);
  int calls = 0;
  d.OnChange = [&](TObject*) { ++calls; };
  d.SetDAteOrder(doYMD);
  d.SetDateOrder(doYMD);
  d.SetDateSeparator("/.");  // only the first character
  d.SetTimeSeparator("\xC2\xB7");
  d.SetYearLength(TYearLength(5));
  d.SetTimeFormat(tfAmPm);
  EXPECT_EQ(d.DateSeparator(), "/");
  EXPECT_EQ(d.TimeSeparator(), "\xC2\xB7");
  EXPECT_EQ(calls, 4);
  TDTLabel e;
  e.Assign(d);
  EXPECT_TRUE(e.SameSettings(d));
  d.Reset();
  EXPECT_EQ(calls, 5);
  EXPECT_TRUE(d.SameSettings(TDTLabel{}));
}

}  // namespace
}  // namespace kvo

namespace kvo {
namespace {

TEST(Overlays, CopiesTakeSettingsButNotTheHandler) {
  TCrossHair a;
  a.SetCrossHMode(chSquare);
  a.OnChange = [](TObject*) {};
  TCrossHair b(a);
  EXPECT_EQ(b.Mode(), chSquare);
  EXPECT_FALSE(b.OnChange);
  TDTLabel d;
  d.SetYearLength(ylNone);
  d.OnChange = [](TObject*) {};
  TDTLabel e(d);
  EXPECT_EQ(e.YearLength(), ylNone);
  EXPECT_FALSE(e.OnChange);
  int calls = 0;
  TDTLabel f;
  f.OnChange = [&](TObject*) { ++calls; };
  f = d;
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(f.OnChange);  // assignment keeps the target's listener
}

}  // namespace
}  // namespace kvo
