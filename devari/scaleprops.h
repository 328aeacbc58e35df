// TScaleProps: the chart's persistent description of one axis (range, log
// mode, labels, caption, placement). The chart owns four, X and Y of each
// layer, and hands them to its four TScale helpers (TCustomDEvari::
// SetScaleProps). Every change is reported through OnChange.
#pragma once

#include <cstdint>
#include <string>

#include "libs/kvobase.h"
#include "platform/graphics.h"
#include "scale/scale.h"

namespace kvo {

enum TScaleLocationHoriz : std::uint8_t { slTop = 0, slBottom = 1 };
enum TScaleLocationVert : std::uint8_t { slLeft = 0, slRight = 1 };

class TScaleProps : public TObject {
public:
  TScaleProps();
  ~TScaleProps() override;
  TScaleProps(const TScaleProps&) = delete;
  TScaleProps& operator=(const TScaleProps&) = delete;

  // Start values of every field (the date format too); does not notify.
  virtual void ResetComp();
  // Copies every setting of src; the change link stays this object's own.
  virtual void Assign(const TScaleProps& src);
  void AssignTo(TScaleProps& dest) const { dest.Assign(*this); }

  const std::string& Caption() const noexcept { return FCaption; }
  void SetCaption(const std::string& v);
  std::int32_t CaptionPosX() const noexcept { return FCaptionPosX; }
  void SetCaptionPosX(std::int32_t v);
  std::int32_t CaptionPosY() const noexcept { return FCaptionPosY; }
  void SetCaptionPosY(std::int32_t v);
  TAlignment CaptionAlignment() const noexcept { return FCaptAlign; }
  void SetCaptionAlignment(TAlignment v);
  TScaleUnitAnchor CaptionAnchor() const noexcept { return FCaptAnchor; }
  void SetCaptionAnchor(TScaleUnitAnchor v);
  TColor ColorScale() const noexcept { return FColorScale; }
  void SetColorScale(TColor v);
  // The owned format; DateFormat setter copies the settings of v into it.
  TDTLabel& DateFormat() noexcept { return FDTFormat; }
  const TDTLabel& DateFormat() const noexcept { return FDTFormat; }
  void SetDateFormat(const TDTLabel& v);
  std::int32_t DecPlaces() const noexcept { return FDecPlaces; }
  void SetDecPlaces(std::int32_t v);  // clamped to -3..12
  TFont& Font() noexcept { return FFont; }
  const TFont& Font() const noexcept { return FFont; }
  void SetFont(const TFont& v);
  bool Logarithmic() const noexcept { return FLogAx; }
  // Switching on is refused (the flag stays false) once loaded when a bound
  // is below 1e-100 or the labels are date/time. Always notifies.
  void SetLogarithmic(bool v);
  TFigType LabelType() const noexcept { return FLabelType; }
  void SetLabelType(TFigType v);  // 3 also switches log off, 2 sets 4 decimals
  std::int32_t MinTicks() const noexcept { return FMinTicks; }
  void SetMinTicks(std::int32_t v);
  double MinRange() const noexcept { return FMinRngDiff; }
  // Values <= 1e-100 are ignored; a larger value than the range widens it
  // about its centre (and notifies), otherwise it is stored silently.
  void SetMinRange(double v);
  TMouseActMode MouseAction() const noexcept { return FMouseAction; }
  void SetMouseAction(TMouseActMode v) { FMouseAction = v; }
  double RangeLow() const noexcept { return FRangeLow; }
  double RangeHigh() const noexcept { return FRangeHigh; }
  // Keep the two ends at least MinRange apart (moving the other end); a
  // logarithmic axis refuses ends below 1e-100. Always notify.
  void SetRangeLow(double v);
  void SetRangeHigh(double v);
  // Writes both ends as they are: no minimum-range or logarithmic rule and no
  // notification (the chart's range logic has checked them).
  void StoreRange(double low, double high) noexcept {
    FRangeLow = low;
    FRangeHigh = high;
  }
  bool ShortTicks() const noexcept { return FShortTicks; }
  void SetShortTicks(bool v);
  const std::string& ScaleInscript() const noexcept { return FScaleInscript; }
  void SetScaleInscript(const std::string& v);
  // Offset of the axis from its data-area edge: the X offset for vertical
  // axes (types 2, 3), the Y offset for horizontal ones.
  std::int32_t ScalePos() const noexcept;
  void SetScalePos(std::int32_t v);
  std::int32_t ScalePosX() const noexcept { return FScalePosX; }
  std::int32_t ScalePosY() const noexcept { return FScalePosY; }
  TScaleType ScaleType() const noexcept { return FScaleType; }
  void SetScaleType(TScaleType v);
  const std::string& UserTickText() const noexcept { return FUserTickText; }
  void SetUserTickText(const std::string& v);
  bool Visible() const noexcept { return FVisible; }
  void SetVisible(bool v);
  bool NotYetLoaded() const noexcept { return FNotYetLoaded; }
  void SetNotYetLoaded(bool v) noexcept { FNotYetLoaded = v; }
  double GetScaleCenter() const noexcept { return (FRangeLow + FRangeHigh) / 2; }

  TNotifyEvent OnChange;

protected:
  void Changed();

  std::string FCaption;
  std::int32_t FCaptionPosX = 0, FCaptionPosY = 0;
  TAlignment FCaptAlign = taCenter;
  TScaleUnitAnchor FCaptAnchor = uaSclTopLft;
  TColor FColorScale = clBlack;
  TDTLabel FDTFormat;
  std::int32_t FDecPlaces = -2;
  bool FLogAx = false;
  TFigType FLabelType = TFigType(1);
  TFont FFont;
  std::int32_t FMinTicks = 3;
  bool FNotYetLoaded = true;
  double FRangeLow = 0, FRangeHigh = 1;
  bool FShortTicks = true;
  std::string FScaleInscript;
  TScaleType FScaleType = TScaleType(1);
  std::int32_t FScalePosX = 0, FScalePosY = 0;
  double FMinRngDiff = 1e-10;
  TMouseActMode FMouseAction = TMouseActMode(0);
  std::string FUserTickText;
  bool FVisible = false;
};

class TScalePropsHoriz : public TScaleProps {
public:
  TScalePropsHoriz() { FScaleType = TScaleType(1); }
  void ResetComp() override;
  void Assign(const TScaleProps& src) override;
  TScaleLocationHoriz ScaleLocation() const noexcept { return FScaleLoc; }
  void SetScaleLocation(TScaleLocationHoriz v);  // top: type 0, bottom: type 1

private:
  TScaleLocationHoriz FScaleLoc = slBottom;
};

class TScalePropsVert : public TScaleProps {
public:
  TScalePropsVert() { FScaleType = TScaleType(1); }
  void ResetComp() override;
  void Assign(const TScaleProps& src) override;
  TScaleLocationVert ScaleLocation() const noexcept { return FScaleLoc; }
  void SetScaleLocation(TScaleLocationVert v);  // left: type 3, right: type 2

private:
  TScaleLocationVert FScaleLoc = slLeft;
};

}  // namespace kvo
