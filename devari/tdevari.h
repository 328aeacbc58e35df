// TDEvari: the 2D chart as applications use it. It adds nothing to
// TCustomDEvari but the published names: properties under their published
// spelling beside the setters the chart implements them with.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <string>

#include "bakgndimg.h"
#include "chartexport.h"
#include "devari.h"
#include "itemsearch.h"
#include "scaleprops.h"
#include "stdlayout.h"
#include "jointlayers.h"
#include "textlabel.h"
#include "../scale/scale.h"

namespace kvo {

class KVO_API TDEvari : public TCustomDEvari {
public:
  explicit TDEvari(TComponent* owner = nullptr) : TCustomDEvari(owner) {}

  // Items and long texts.
  TrcChartItem DataContainer(std::int32_t i) const noexcept { return GetChartItem(i); }
  void SetDataContainer(std::int32_t i, const TrcChartItem& item) noexcept { SetChartItem(i, item); }
  TrcChartItem AnnoContainer(std::int32_t i) const noexcept { return GetAnnoItem(i); }
  void SetAnnoContainer(std::int32_t i, const TrcChartItem& item) noexcept { SetAnnoItem(i, item); }
  std::string DataLongText(std::int32_t i) const { return GetDataLongText(i); }
  std::string AnnoLongText(std::int32_t i) const { return GetAnnoLongText(i); }
  std::int32_t ItemCount(TrcItem kind) const noexcept { return GetItemCount(kind); }
  TrcItem TypeOfFirstItem() const noexcept { return GetTypeOfFirstItem(); }
  TrcItem TypeOfLastItem() const noexcept { return GetTypeOfLastItem(); }

  // Layers and classes.
  bool LayerVisible(std::int32_t layer) const noexcept { return GetLayerVisib(layer); }
  void SetLayerVisible(std::int32_t layer, bool v) { SetLayerVisib(layer, v); }
  bool MouseAffectsLayer(std::int32_t layer) const noexcept { return GetMAffLayer(layer); }
  void SetMouseAffectsLayer(std::int32_t layer, bool v) noexcept { SetMAffLayer(layer, v); }
  bool ClassVisible(std::uint8_t cls) const noexcept { return GetClassVisib(cls); }
  void SetClassVisible(std::uint8_t cls, bool v) { SetClassVisib(cls, v); }
  bool AnnoClassVisible(std::uint8_t cls) const noexcept { return GetAnnoClassVisib(cls); }
  void SetAnnoClassVisible(std::uint8_t cls, bool v) { SetAnnoClassVisib(cls, v); }

  // Drawing settings.
  void SetDataColor(TColor v) noexcept { SetDataCol(v); }
  void SetFillColor(TColor v) noexcept { SetFillCol(v); }
  TColor TextBkColor() const noexcept { return FillColor(); }
  void SetTextBkColor(TColor v) noexcept { SetFillCol(v); }
  void SetLineWidth(std::uint8_t v) noexcept { SetLineWid(v); }
  void SetAnnoBelowChart(bool v) { SetAnnoBelow(v); }
  void SetAvoidDuplicateMarks(bool v) { SetAvoidDupMarks(v); }
  void SetMinDupMarkDist(std::int32_t v) { SetDupMarksMinD(v); }

  // Axes.
  TScalePropsHoriz& Scale1X() noexcept { return GetScalePropsX(1); }
  TScalePropsHoriz& Scale2X() noexcept { return GetScalePropsX(2); }
  TScalePropsVert& Scale1Y() noexcept { return GetScalePropsY(1); }
  TScalePropsVert& Scale2Y() noexcept { return GetScalePropsY(2); }
  TScalePropsHoriz& GetScalePropsX1() noexcept { return GetScalePropsX(1); }
  TScalePropsHoriz& GetScalePropsX2() noexcept { return GetScalePropsX(2); }
  TScalePropsVert& GetScalePropsY1() noexcept { return GetScalePropsY(1); }
  TScalePropsVert& GetScalePropsY2() noexcept { return GetScalePropsY(2); }
  void SetScalePropsX1(const TScalePropsHoriz& v) { SetScalePropsX(1, v); }
  void SetScalePropsX2(const TScalePropsHoriz& v) { SetScalePropsX(2, v); }
  void SetScalePropsY1(const TScalePropsVert& v) { SetScalePropsY(1, v); }
  void SetScalePropsY2(const TScalePropsVert& v) { SetScalePropsY(2, v); }
  void ScaleZoomPan(TObject* sender) { ScalePropsChanged(sender); }
  std::int32_t TickNumX() const { return GetTickPosXCnt(); }
  std::int32_t TickNumY() const { return GetTickPosYCnt(); }
  void FindMinMax(std::int32_t layer, double xLow, double yLow, double xHigh, double yHigh,
                  double& minX, double& minY, double& maxX, double& maxY) const {
    LLCalcMinMax(layer, xLow, yLow, xHigh, yHigh, minX, minY, maxX, maxY);
  }

  // Layout and style.
  std::int32_t MarginLeft() const noexcept { return LRim(); }
  std::int32_t MarginRight() const noexcept { return RRim(); }
  std::int32_t MarginTop() const noexcept { return TRim(); }
  std::int32_t MarginBottom() const noexcept { return BRim(); }
  void SetMarginLeft(std::int32_t v) { SetLRim(v); }
  void SetMarginRight(std::int32_t v) { SetRRim(v); }
  void SetMarginTop(std::int32_t v) { SetTRim(v); }
  void SetMarginBottom(std::int32_t v) { SetBRim(v); }
  void SetShadowWidth(std::int32_t v) { SetF3DRim(v); }
  void SetCaption(const std::string& v) { SetChartCaption(v); }
  void SetChartColor(TColor v) { SetChartCol(v); }
  void SetWindColor(TColor v) { SetWindCol(v); }
  void SetChartFrameColor(TColor v) { SetScaleCol(v); }
  void SetGridColor(TColor v) { SetGridCol(v); }

  // Item search, marking and scaling (itemsearch.h).
  std::int32_t FindNearestItemReal(double x, double y, TrcItem kind, std::uint8_t cls, bool visibleOnly,
                                   double& distance) const {
    return kvo::FindNearestItemReal(*this, x, y, kind, cls, visibleOnly, distance);
  }
  std::int32_t FindNearestItemReal(double x, double y, TrcItem kind, std::uint8_t cls, double& distance) const {
    return kvo::FindNearestItemReal(*this, x, y, kind, cls, false, distance);
  }
  std::int32_t FindNearestItemScreen(double x, double y, TrcItem kind, std::uint8_t cls, bool visibleOnly,
                                     double& distance) const {
    return kvo::FindNearestItemScreen(*this, x, y, kind, cls, visibleOnly, distance);
  }
  std::int32_t FindNearestItemScreen(double x, double y, TrcItem kind, std::uint8_t cls, double& distance) const {
    return kvo::FindNearestItemScreen(*this, x, y, kind, cls, false, distance);
  }
  std::int32_t FindNearestItemAlongAxis(double value, TAxis axis, TrcItem kind, std::uint8_t cls,
                                        bool visibleOnly, double& distance) const {
    return kvo::FindNearestItemAlongAxis(*this, value, axis, kind, cls, visibleOnly, distance);
  }
  std::int32_t FindNearestItemAlongAxis(double value, TAxis axis, TrcItem kind, std::uint8_t cls,
                                        double& distance) const {
    return kvo::FindNearestItemAlongAxis(*this, value, axis, kind, cls, false, distance);
  }
  std::int32_t FindNearestAnnoElem(double x, double y, TrcItem kind, std::uint8_t cls, bool visibleOnly,
                                   double& distance) {
    return kvo::FindNearestAnnoElem(*this, x, y, kind, cls, visibleOnly, distance);
  }
  void ConvertToScreenCoords(const TrcChartItem& item, std::int32_t& x1, std::int32_t& y1,
                             std::int32_t& x2, std::int32_t& y2) const {
    kvo::ConvertToScreenCoords(*this, item, x1, y1, x2, y2);
  }
  void MarkAllItems(TrcItem kind, std::uint8_t cls) { kvo::MarkAllItems(*this, kind, cls); }
  std::int32_t MarkItemsInWindow(double x1, double y1, double x2, double y2, TrcItem kind, std::uint8_t cls) {
    return kvo::MarkItemsInWindow(*this, x1, y1, x2, y2, kind, cls);
  }
  void ScaleItem(std::int32_t i, double sx, double ox, double sy, double oy) {
    kvo::ScaleItem(*this, i, sx, ox, sy, oy);
  }
  void ScaleAllItems(double sx, double ox, double sy, double oy) { kvo::ScaleAllItems(*this, sx, ox, sy, oy); }
  void ScaleSelectedItems(double sx, double ox, double sy, double oy, std::uint8_t cls) {
    kvo::ScaleSelectedItems(*this, sx, ox, sy, oy, cls);
  }

  // Export and printing (chartexport.h).
  void CopyToBitmap(TBitmap& bmp, bool blkWhite, bool crossHairs = true) {
    kvo::CopyToBitmap(*this, bmp, blkWhite, crossHairs);
  }
  void CopyToBitmapDAOnly(TBitmap& bmp, bool blkWhite, bool crossHairs = true) {
    kvo::CopyToBitmapDAOnly(*this, bmp, blkWhite, crossHairs);
  }
  void CopyToBMP(const std::string& fileName, bool blkWhite) { kvo::CopyToBMP(*this, fileName, blkWhite); }
  void CopyToClipboard(bool blkWhite, bool crossHairs = true) { kvo::CopyToClipboard(*this, blkWhite, crossHairs); }
  void CopyToClipboardDAOnly(bool blkWhite, bool crossHairs = true) {
    kvo::CopyToClipboardDAOnly(*this, blkWhite, crossHairs);
  }
  void CopyToClipboardWMF(bool blkWhite) { kvo::CopyToClipboardWMF(*this, blkWhite); }
  void CopyToWMF(const std::string& fileName, bool blkWhite) { kvo::CopyToWMF(*this, fileName, blkWhite); }
  bool PrintIt(double scaleF, bool blkWhite) { return kvo::PrintIt(*this, scaleF, blkWhite); }
  void CopyToOpenPrinter(TPrintJob& job, std::int32_t& x, std::int32_t& y, double scaleF, bool blkWhite) {
    kvo::CopyToOpenPrinter(*this, job, x, y, scaleF, blkWhite);
  }

  // Crosshairs and text labels.
  double CrossHairPosX(std::int32_t n) const noexcept { return GetCHPosX(n); }
  double CrossHairPosY(std::int32_t n) const noexcept { return GetCHPosY(n); }
  TCrossHair& GetCrossHair1() noexcept { return CrossHair(1); }
  TCrossHair& GetCrossHair2() noexcept { return CrossHair(2); }
  TCrossHair& GetCrossHair3() noexcept { return CrossHair(3); }
  TCrossHair& GetCrossHair4() noexcept { return CrossHair(4); }
  void SetCrossHair1(const TCrossHair& v) { SetCrossHair(1, v); }
  void SetCrossHair2(const TCrossHair& v) { SetCrossHair(2, v); }
  void SetCrossHair3(const TCrossHair& v) { SetCrossHair(3, v); }
  void SetCrossHair4(const TCrossHair& v) { SetCrossHair(4, v); }
  TTextLabel& TextLabels(std::int32_t ix) { return GetFTextLabel(ix); }
};

}  // namespace kvo
