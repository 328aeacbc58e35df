#include "devari/stdlayout.h"

namespace kvo {

namespace {

constexpr TAlignment L = taLeftJustify, R = taRightJustify, C = taCenter;

constexpr TLayoutAxis XAxis(std::int32_t cx, std::int32_t cy, TAlignment a, TScaleUnitAnchor an,
                            std::int32_t pos, bool vis, TScaleLocationHoriz loc) {
  return {cx, cy, a, an, pos, vis, std::uint8_t(loc)};
}
constexpr TLayoutAxis YAxis(std::int32_t cx, std::int32_t cy, TAlignment a, TScaleUnitAnchor an,
                            std::int32_t pos, bool vis, TScaleLocationVert loc) {
  return {cx, cy, a, an, pos, vis, std::uint8_t(loc)};
}

// X1 and X2 of a chart with its X axes at the bottom: the second one hidden
// below the first unless a row says otherwise.
constexpr TLayoutAxis kX1Bottom = XAxis(0, 22, C, uaSclCenter, 0, true, slBottom);
constexpr TLayoutAxis kX2Hidden = XAxis(10, 100, C, uaSclCenter, 0, false, slBottom);

constexpr std::array<TLayoutRow, kNumStdLayouts> kRows = {{
    // rcl_X1Bottom_Y1Left
    {50, 20, 20, 40, 0, -16, R, cahChartRight, cavChartTop,
     {kX1Bottom, kX2Hidden},
     {YAxis(0, -16, L, uaSclTopLft, 0, true, slLeft),
      YAxis(10, 100, R, uaSclTopLft, 0, false, slLeft)}},
    // rcl_X1Bottom_Y2Left
    {100, 20, 24, 40, 0, -16, R, cahChartRight, cavChartTop,
     {kX1Bottom, kX2Hidden},
     {YAxis(0, -23, R, uaSclTopLft, 0, true, slLeft),
      YAxis(0, -23, R, uaSclTopLft, 50, true, slLeft)}},
    // rcl_X1Bottom_Y2Both
    {50, 50, 24, 40, 0, -20, C, cahChartCenter, cavChartTop,
     {kX1Bottom, kX2Hidden},
     {YAxis(0, -23, R, uaSclTopLft, 0, true, slLeft),
      YAxis(0, -23, L, uaSclTopLft, 0, true, slRight)}},
    // rcl_X2Bottom_Y2Left
    {100, 20, 24, 70, 0, -16, R, cahChartRight, cavChartTop,
     {XAxis(-20, 7, R, uaSclTopLft, 0, true, slBottom),
      XAxis(-20, 7, R, uaSclTopLft, 30, true, slBottom)},
     {YAxis(0, -23, R, uaSclTopLft, 0, true, slLeft),
      YAxis(0, -23, R, uaSclTopLft, 50, true, slLeft)}},
    // rcl_X2Both_Y2Both
    {50, 50, 64, 40, 0, -60, C, cahChartCenter, cavChartTop,
     {XAxis(0, 20, C, uaSclCenter, 0, true, slBottom),
      XAxis(0, -40, C, uaSclCenter, 0, true, slTop)},
     {YAxis(0, -40, R, uaSclTopLft, 0, true, slLeft),
      YAxis(0, -40, L, uaSclTopLft, 0, true, slRight)}},
}};

}  // namespace

const std::array<TLayoutRow, kNumStdLayouts>& StdLayouts() noexcept { return kRows; }

void ApplyLayout(TChartStyle& style, const TLayoutRow& row) noexcept {
  style.LRim = row.L;
  style.RRim = row.R;
  style.TRim = row.T;
  style.BRim = row.B;
  style.CaptionPosX = row.CaptionX;
  style.CaptionPosY = row.CaptionY;
  style.CaptionAlignment = row.CaptionAlign;
  style.CaptionAnchorX = row.AnchorX;
  style.CaptionAnchorY = row.AnchorY;
}

TChartStyle StartStyle() noexcept {
  TChartStyle style;
  ApplyLayout(style, kRows[rcl_X1Bottom_Y1Left]);
  return style;
}

}  // namespace kvo
