/// @file
/// TBakGndImg: the chart's background image (a bitmap file drawn over the data
/// area at natural size, stretched or tiled) and, when no image is named, a
/// coloured area of the data area given by world bounds on the active layer.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <string>

#include "../libs/kvobase.h"
#include "../platform/types.h"

namespace kvo {

enum TBGAreaMode : std::uint8_t {
  bamNone = 0, bamLeft, bamRight, bamTop, bamBottom, bamVStripe, bamHStripe, bamRect, bamRectInv,
  bamVStripeInv, bamHStripeInv
};

class KVO_API TBakGndImg : public TObject {
public:
  TBakGndImg() { ResetComp(); }

  /// Start values: no image, stretched, no area, light grey area -1..1 x -1..1.
  void ResetComp();
  void Assign(const TBakGndImg& src);  ///< every setting, not the change link
  void AssignTo(TBakGndImg& dest) const { dest.Assign(*this); }

  const std::string& Name() const noexcept { return FName; }
  /// With IncludePath the value is kept as given, otherwise only its file name.
  void SetName(const std::string& v);
  bool IncludePath() const noexcept { return FIncldPath; }
  void SetIncldPath(bool v);  ///< false strips the directory from the current name
  TBkgFill FillMode() const noexcept { return FFillMode; }
  void SetFillMode(TBkgFill v);
  TBGAreaMode AreaMode() const noexcept { return FBGAreaMode; }
  void SetBGAreaMode(TBGAreaMode v);
  TColor AreaColor() const noexcept { return FBGAreaColor; }
  void SetBGAreaColor(TColor v);
  double AreaLeft() const noexcept { return FBGAreaLeft; }
  double AreaRight() const noexcept { return FBGAreaRight; }
  double AreaTop() const noexcept { return FBGAreaTop; }
  double AreaBottom() const noexcept { return FBGAreaBottom; }
  void SetBGAreaLeft(double v);
  void SetBGAreaRight(double v);
  void SetBGAreaTop(double v);
  void SetBGAreaBottom(double v);

  /// Forgets the image name without notifying (used when the file cannot be
  /// loaded while painting, where a notification would repaint again).
  void DropName() { FName.clear(); }

  TNotifyEvent OnChange;

private:
  void Changed() {
    if (OnChange) OnChange(this);
  }
  std::string FName;
  bool FIncldPath = false;
  TBkgFill FFillMode = bfStretch;
  TBGAreaMode FBGAreaMode = bamNone;
  TColor FBGAreaColor = 14540253;
  double FBGAreaLeft = -1, FBGAreaRight = 1, FBGAreaTop = 1, FBGAreaBottom = -1;
};

}  // namespace kvo
