/// @file
/// TScaleProps: the chart's persistent description of one axis (range, log
/// mode, labels, caption, placement). The chart owns four, X and Y of each
/// layer, and hands them to its four TScale helpers (TCustomDEvari::
/// SetScaleProps). Every change is reported through OnChange.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <string>

#include "../libs/kvobase.h"
#include "../platform/graphics.h"
#include "../scale/scale.h"
#include "../scale/scalesettings.h"

namespace kvo {

enum TScaleLocationHoriz : std::uint8_t { slTop = 0, slBottom = 1 };
enum TScaleLocationVert : std::uint8_t { slLeft = 0, slRight = 1 };

class KVO_API TScaleProps : public TObject {
public:
  TScaleProps();
  ~TScaleProps() override;
  TScaleProps(const TScaleProps&) = delete;
  TScaleProps& operator=(const TScaleProps&) = delete;

  /// The start values of a chart axis: range 0..1, labels below (type 1),
  /// caption at offset (0, 0); the rest as a stand-alone scale's.
  static TScaleSettings DefaultSettings();
  /// Everything this object tells its axis; handed to the helper scale with
  /// TScale::SetSettings.
  const TScaleSettings& Settings() const noexcept { return FSettings; }

  /// Start values of every field (the date format too, not the font); does
  /// not notify.
  virtual void ResetComp();
  /// Copies every setting of src; the change link stays this object's own.
  virtual void Assign(const TScaleProps& src);
  void AssignTo(TScaleProps& dest) const { dest.Assign(*this); }

  const std::string& Caption() const noexcept { return FSettings.Caption; }
  void SetCaption(const std::string& v);
  std::int32_t CaptionPosX() const noexcept { return FSettings.CaptionPosX; }
  void SetCaptionPosX(std::int32_t v);
  std::int32_t CaptionPosY() const noexcept { return FSettings.CaptionPosY; }
  void SetCaptionPosY(std::int32_t v);
  TAlignment CaptionAlignment() const noexcept { return FSettings.CaptionAlignment; }
  void SetCaptionAlignment(TAlignment v);
  TScaleUnitAnchor CaptionAnchor() const noexcept { return FSettings.CaptionAnchor; }
  void SetCaptionAnchor(TScaleUnitAnchor v);
  TColor ColorScale() const noexcept { return FSettings.ColorScale; }
  void SetColorScale(TColor v);
  /// The owned format; DateFormat setter copies the settings of v into it.
  TDTLabel& DateFormat() noexcept { return FSettings.DateFormat; }
  const TDTLabel& DateFormat() const noexcept { return FSettings.DateFormat; }
  void SetDateFormat(const TDTLabel& v);
  std::int32_t DecPlaces() const noexcept { return FSettings.DecPlaces; }
  void SetDecPlaces(std::int32_t v);  ///< clamped to -3..12
  TFont& Font() noexcept { return FFont; }
  const TFont& Font() const noexcept { return FFont; }
  void SetFont(const TFont& v);
  bool Logarithmic() const noexcept { return FSettings.Logarithmic; }
  /// Switching on is refused (the flag stays false) once loaded when a bound
  /// is below 1e-100 or the labels are date/time. Always notifies.
  void SetLogarithmic(bool v);
  TFigType LabelType() const noexcept { return FSettings.LabelType; }
  void SetLabelType(TFigType v);  ///< 3 also switches log off, 2 sets 4 decimals
  std::int32_t MinTicks() const noexcept { return FSettings.MinTicks; }
  void SetMinTicks(std::int32_t v);
  double MinRange() const noexcept { return FExtras.MinRange; }
  /// Values <= 1e-100 are ignored; a larger value than the range widens it
  /// about its centre (and notifies), otherwise it is stored silently.
  void SetMinRange(double v);
  TMouseActMode MouseAction() const noexcept { return FExtras.MouseAction; }
  void SetMouseAction(TMouseActMode v) { FExtras.MouseAction = v; }
  double RangeLow() const noexcept { return FSettings.RangeLow; }
  double RangeHigh() const noexcept { return FSettings.RangeHigh; }
  /// Keep the two ends at least MinRange apart (moving the other end); a
  /// logarithmic axis refuses ends below 1e-100. Always notify.
  void SetRangeLow(double v);
  void SetRangeHigh(double v);
  /// Writes both ends as they are: no minimum-range or logarithmic rule and no
  /// notification (the chart's range logic has checked them).
  void StoreRange(double low, double high) noexcept {
    FSettings.RangeLow = low;
    FSettings.RangeHigh = high;
  }
  bool ShortTicks() const noexcept { return FSettings.ShortTicks; }
  void SetShortTicks(bool v);
  const std::string& ScaleInscript() const noexcept { return FSettings.ScaleInscript; }
  void SetScaleInscript(const std::string& v);
  /// Offset of the axis from its data-area edge: the X offset for vertical
  /// axes (types 2, 3), the Y offset for horizontal ones.
  std::int32_t ScalePos() const noexcept;
  void SetScalePos(std::int32_t v);
  std::int32_t ScalePosX() const noexcept { return FExtras.ScalePosX; }
  std::int32_t ScalePosY() const noexcept { return FExtras.ScalePosY; }
  TScaleType ScaleType() const noexcept { return FSettings.ScaleType; }
  void SetScaleType(TScaleType v);
  const std::string& UserTickText() const noexcept { return FSettings.UserTickText; }
  void SetUserTickText(const std::string& v);
  bool Visible() const noexcept { return FExtras.Visible; }
  void SetVisible(bool v);
  bool NotYetLoaded() const noexcept { return FExtras.NotYetLoaded; }
  void SetNotYetLoaded(bool v) noexcept { FExtras.NotYetLoaded = v; }
  double GetScaleCenter() const noexcept { return (FSettings.RangeLow + FSettings.RangeHigh) / 2; }

  TNotifyEvent OnChange;

protected:
  void Changed();

  /// What the property object adds to the axis settings (the font, a
  /// notifying object of its own, stands beside them).
  struct TExtras {
    double MinRange = 1e-10;
    std::int32_t ScalePosX = 0, ScalePosY = 0;
    bool Visible = false;  ///< the standard layout turns axes on
    bool NotYetLoaded = true;
    TMouseActMode MouseAction = mamNone;
  };

  TScaleSettings FSettings = DefaultSettings();
  TExtras FExtras;
  TFont FFont;
};

class KVO_API TScalePropsHoriz : public TScaleProps {
public:
  void ResetComp() override;
  void Assign(const TScaleProps& src) override;
  TScaleLocationHoriz ScaleLocation() const noexcept { return FScaleLoc; }
  void SetScaleLocation(TScaleLocationHoriz v);  ///< top: type 0, bottom: type 1

private:
  static constexpr TScaleLocationHoriz kStartLocation = slBottom;
  TScaleLocationHoriz FScaleLoc = kStartLocation;
};

class KVO_API TScalePropsVert : public TScaleProps {
public:
  void ResetComp() override;
  void Assign(const TScaleProps& src) override;
  TScaleLocationVert ScaleLocation() const noexcept { return FScaleLoc; }
  void SetScaleLocation(TScaleLocationVert v);  ///< left: type 3, right: type 2

private:
  static constexpr TScaleLocationVert kStartLocation = slLeft;
  TScaleLocationVert FScaleLoc = kStartLocation;
};

}  // namespace kvo
