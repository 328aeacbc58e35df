/// @file
/// TRot3D: a rotatable 3D viewer of marks, polylines and line segments placed
/// at world coordinates, inside an optional shaded bounding box with axes.
///
/// The application appends items with the drawing commands (MarkAt, Moveto,
/// Drawto, Line), then calls MakeVisible, which turns them into integer object
/// coordinates around an origin with per-axis scale factors. Every frame
/// projects those objects with an integer rotation matrix (scaled by 1000)
/// and a divisor; the user rotates, zooms and pans with the mouse. Objects
/// are drawn in list order (no depth sorting), the box parts in a fixed order
/// around them.
#pragma once

#include "../platform/export.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "../libs/kvobase.h"
#include "../platform/bitmap.h"
#include "../platform/control.h"
#include "../platform/host.h"
#include "rot3dtypes.h"

namespace kvo {

/// Every setting of a TRot3D with its start value (ResetComp assigns these,
/// Assign copies them). The centre is not here: it starts in the middle of
/// the control.
struct KVO_API TRot3DSettings {
  std::int32_t AllocSize = 1000;
  TColor ColorFrame = clBlack;
  TColor ColodEvari = clWhite;  ///< background
  TColorScheme ColorScheme = cscSystem;
  TColor ColorCubeFrame = 0x404040, ColorCubeHidLin = 0xB0B0B0;
  TColor ColorCubeFaceLow = 0xC0C0C0, ColorCubeFaceHigh = 0xEEEEEE;
  bool IsoMetric = false, AutoOrigin = true, AutoScale = true;
  TFrameStyle FrameStyle = frsLowered;
  std::int32_t Magnify = 5000;  ///< Magnification 0.8
  TMouseActMode MouseAction = mamRotate;
  bool MouseRot3Axes = false;
  TBoundingBox BoundBoxStyle = bbFaces;
  std::int32_t BBSize = 400;  ///< half the box size
  TAxDir AxDir = adLeftHanded;
  std::int32_t AxSize = 700;
  std::string AxNameX = "X", AxNameY = "Y", AxNameZ = "Z";
  bool ShowAxes = true;
  TFontStyles TextFontStyle{};
  std::uint8_t TextMarkSize = 8;
  std::array<double, 3> ViewAngle{110, 150, 210};
  std::array<double, 3> Origin{0, 0, 0};
  std::array<double, 3> ScaleFact{1, 1, 1};
  /// Drawing state copied into new items.
  TColor DataCol = clBlack;
  std::int32_t DataTag = 0;
  std::int32_t LineWidth = 1;
};

class KVO_API TRot3D : public TCustomControl {
public:
  explicit TRot3D(TComponent* owner = nullptr);
  ~TRot3D() override;

  /// Restores every start value (the items stay), centres the view and
  /// repaints once.
  void ResetComp();
  /// Copies all settings of another TRot3D (not its items) and repaints.
  void Assign(const TObject& Source) override;
  const TRot3DSettings& Settings() const noexcept { return FSet; }
  /// Collects repaints: changes between BeginUpdate and the matching
  /// EndUpdate repaint once at the end. Calls nest; TRot3DUpdate pairs them.
  void BeginUpdate() noexcept { ++FUpdateDepth; }
  void EndUpdate();

  /// The centre keeps its relative place in the control.
  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                 std::int32_t height) override;

  // ---- Item list -------------------------------------------------------------
  std::int32_t NumItems() const noexcept { return std::int32_t(FItems.size()); }
  std::int32_t NumAllocated() const noexcept { return std::int32_t(FItems.capacity()); }
  /// Growth step of the list, accepted in 1..1000000 (others are ignored): a
  /// full list grows by this many items, or by the multiple of it nearest
  /// above half its size when that is more.
  std::int32_t AllocSize() const noexcept { return FSet.AllocSize; }
  void SetAllocSize(std::int32_t v);
  /// Drawing state (no repaint). The colour keeps its RGB bits only.
  TColor DataCol() const noexcept { return FSet.DataCol; }
  void SetDataCol(TColor c) noexcept { FSet.DataCol = c & 0xFFFFFF; }
  std::int32_t DataTag() const noexcept { return FSet.DataTag; }
  void SetDataTag(std::int32_t t) noexcept { FSet.DataTag = t; }
  std::int32_t LineWidth() const noexcept { return FSet.LineWidth; }
  /// Clamped into 1..32.
  void SetLineWidth(std::int32_t w) noexcept;

  /// Drawing commands: each appends one item, none repaints.
  void MarkAt(double x, double y, double z, std::uint8_t mk);
  void Moveto(double x, double y, double z);
  void Drawto(double x, double y, double z);
  void Line(double x1, double y1, double z1, double x2, double y2, double z2);

  /// The item, or one of kind tkNone when idx is outside 0..NumItems-1.
  Tr3ChartItem GetChartItem(std::int32_t idx) const noexcept;
  /// Overwrites item idx when it is in range.
  void SetChartitem(std::int32_t idx, const Tr3ChartItem& item) noexcept;
  /// The same for indexes known to be in range (checked: out of range reads a
  /// tkNone item and writes nothing). SetItemParams ignores items of kind
  /// tkNone and tkEverything.
  Tr3ChartItem GetItemParams(std::int32_t Item) const noexcept { return GetChartItem(Item); }
  void SetItemParams(std::int32_t Item, const Tr3ChartItem& params) noexcept;
  const std::vector<Tr3ChartItem>& Items() const noexcept { return FItems; }
  Tr3Item GetTypeOfFirstItem() const noexcept;
  Tr3Item GetTypeOfLastItem() const noexcept;
  /// Removal: out-of-range indexes change nothing; a list that becomes empty
  /// is freed. Objects built from removed items lose their link to an item
  /// (the search skips them); they stay on screen until MakeVisible.
  void RemoveItem(std::int32_t Index);
  void RemoveFirstItem() { RemoveItem(0); }
  void RemoveLastItem();
  /// Empties the list and the view: the window is cleared now and the next
  /// paint shows the empty box. No repaint.
  void Clear();

  // ---- View ------------------------------------------------------------------
  /// Rebuilds the drawing objects from the items and repaints. Throws
  /// EKvoRot3DError when the objects do not fit into memory.
  void MakeVisible();
  std::int32_t NumObjects() const noexcept { return std::int32_t(FObjX.size()); }
  /// Objects: integer coordinates, kind, colour, item index (-1 when the item
  /// was removed), mark type and pen width.
  std::int32_t ObjX(std::int32_t i) const { return FObjX.at(std::size_t(i)); }
  std::int32_t ObjY(std::int32_t i) const { return FObjY.at(std::size_t(i)); }
  std::int32_t ObjZ(std::int32_t i) const { return FObjZ.at(std::size_t(i)); }
  TRotObjKind ObjKind(std::int32_t i) const { return TRotObjKind(FObjProp.at(std::size_t(i)) >> 24); }
  TColor ObjColor(std::int32_t i) const { return FObjProp.at(std::size_t(i)) & 0xFFFFFF; }
  std::int32_t ObjBackLink(std::int32_t i) const { return FBackLink.at(std::size_t(i)); }
  std::uint8_t ObjMark(std::int32_t i) const { return FObjMark.at(std::size_t(i)); }
  std::uint8_t ObjLineWid(std::int32_t i) const { return FObjLineWid.at(std::size_t(i)); }
  /// Screen position of object i (64-bit, not clamped).
  void ProjectObject(std::int32_t i, std::int64_t& x, std::int64_t& y) const;
  /// Object coordinates and screen position of a world point under the
  /// current origin, scales and view.
  std::array<std::int32_t, 3> WorldToObject(double x, double y, double z) const noexcept;
  TPoint WorldToScreen(double x, double y, double z) const noexcept;
  const TRot3DView& View() const noexcept { return FView; }

  void SetViewAngles(double ax, double ay, double az);
  void SetOrigins(double x, double y, double z);
  void SetScaleFactors(double sx, double sy, double sz);
  void CalcRotMatrix();
  virtual void CalcRotMatrix_2Ax();
  virtual void CalcRotMatrix_3Ax();
  /// FRotMat[ix, iy] / 1000 for 1 <= ix, iy <= 3, else 0.
  double GetRotMat(std::int32_t ix, std::int32_t iy) const noexcept;
  void SetCubeCorners();
  const std::array<std::array<std::int32_t, 3>, 8>& CubeCorners() const noexcept { return FCube; }

  /// Nearest item to a world point (first points only), among items of kind
  /// ItemID (all with tkEverything). -1 and a huge dist when none.
  std::int32_t FindNearestItemReal(double mx, double my, double mz, Tr3Item ItemID,
                                   double& dist) const;
  /// Nearest item to a pixel, over the projected objects.
  std::int32_t FindNearestItemScreen(std::int32_t mx, std::int32_t my, Tr3Item ItemID,
                                     double& dist) const;

  // ---- Published properties --------------------------------------------------
  std::int32_t CentX() const noexcept { return FView.CentX; }
  std::int32_t CentY() const noexcept { return FView.CentY; }
  void SetCentX(std::int32_t v);  ///< clamped into 0..Width
  void SetCentY(std::int32_t v);  ///< clamped into 0..Height
  TColor ColorFrame() const noexcept { return FSet.ColorFrame; }
  void SetColorFrame(TColor v);
  TColor ColodEvari() const noexcept { return FSet.ColodEvari; }
  void SetColodEvari(TColor v);
  TColorScheme ColorScheme() const noexcept { return FSet.ColorScheme; }
  void SetColorScheme(TColorScheme v);
  TColor ColorCubeFrame() const noexcept { return FSet.ColorCubeFrame; }
  void SetColorCubeFrame(TColor v);
  TColor ColorCubeHidLin() const noexcept { return FSet.ColorCubeHidLin; }
  void SetColorCubeHidLin(TColor v);
  TColor ColorCubeFaceLow() const noexcept { return FSet.ColorCubeFaceLow; }
  void SetColorCubeFaceLow(TColor v);
  TColor ColorCubeFaceHigh() const noexcept { return FSet.ColorCubeFaceHigh; }
  void SetColorCubeFaceHigh(TColor v);
  bool IsoMetric() const noexcept { return FSet.IsoMetric; }
  void SetIsoMetric(bool v);
  bool AutoOrigin() const noexcept { return FSet.AutoOrigin; }
  void SetAutoOrigin(bool v);
  bool AutoScale() const noexcept { return FSet.AutoScale; }
  void SetAutoScale(bool v);
  TFrameStyle FrameStyle() const noexcept { return FSet.FrameStyle; }
  void SetFrameStyle(TFrameStyle v);
  /// 4000 / Magnify; set values are clamped into 0.1..5 (NaN is ignored).
  double Magnification() const noexcept { return 4000.0 / FView.Magnify; }
  void SetMagnification(double v);
  std::int32_t Magnify() const noexcept { return FView.Magnify; }
  TMouseActMode MouseAction() const noexcept { return FSet.MouseAction; }
  void SetMouseAction(TMouseActMode v) noexcept { FSet.MouseAction = v; }
  bool MouseRot3Axes() const noexcept { return FSet.MouseRot3Axes; }
  void SetMouseRot3Axes(bool v);
  TBoundingBox BoundBoxStyle() const noexcept { return FSet.BoundBoxStyle; }
  void SetBoundBoxStyle(TBoundingBox v);
  std::int32_t BoundBoxSize() const noexcept { return 2 * FSet.BBSize; }
  void SetBoundBoxSize(std::int32_t v);  ///< clamped into 0..4000
  TAxDir AxDir() const noexcept { return FSet.AxDir; }
  void SetAxDir(TAxDir v);
  std::int32_t AxSize() const noexcept { return FSet.AxSize; }
  void SetAxSize(std::int32_t v);  ///< clamped into 0..4000
  const std::string& AxNameX() const noexcept { return FSet.AxNameX; }
  const std::string& AxNameY() const noexcept { return FSet.AxNameY; }
  const std::string& AxNameZ() const noexcept { return FSet.AxNameZ; }
  void SetAxNameX(const std::string& v);
  void SetAxNameY(const std::string& v);
  void SetAxNameZ(const std::string& v);
  bool ShowAxes() const noexcept { return FSet.ShowAxes; }
  void SetShowAxes(bool v);
  TFontStyles TextFontStyle() const noexcept { return FSet.TextFontStyle; }
  void SetTextFontStyle(TFontStyles v);
  std::uint8_t TextMarkSize() const noexcept { return FSet.TextMarkSize; }
  void SetTextMarkSize(std::uint8_t v);
  double ViewAngleX() const noexcept { return FSet.ViewAngle[0]; }
  double ViewAngleY() const noexcept { return FSet.ViewAngle[1]; }
  double ViewAngleZ() const noexcept { return FSet.ViewAngle[2]; }
  void SetViewAngleX(double v);
  void SetViewAngleY(double v);
  void SetViewAngleZ(double v);
  double OriginX() const noexcept { return FSet.Origin[0]; }
  double OriginY() const noexcept { return FSet.Origin[1]; }
  double OriginZ() const noexcept { return FSet.Origin[2]; }
  void SetOriginX(double v);
  void SetOriginY(double v);
  void SetOriginZ(double v);
  double ScaleFactX() const noexcept { return FSet.ScaleFact[0]; }
  double ScaleFactY() const noexcept { return FSet.ScaleFact[1]; }
  double ScaleFactZ() const noexcept { return FSet.ScaleFact[2]; }
  double GetScaleFactX() const noexcept { return ScaleFactX(); }
  double GetScaleFactY() const noexcept { return ScaleFactY(); }
  double GetScaleFactZ() const noexcept { return ScaleFactZ(); }
  void SetScaleFactX(double v);
  void SetScaleFactY(double v);
  void SetScaleFactZ(double v);

  // ---- Drawing ---------------------------------------------------------------
  void Paint() override;
  /// Fills (Width + Enlarge) x (Height + Enlarge) pixels of Canvas with the
  /// background (white with BlackWhite). The window surface keeps the
  /// control's size.
  void InitGraf(TCanvas& Canvas, bool BlackWhite, std::int32_t Enlarge);
  /// Draws box, axes, objects and axis names onto Canvas (objects in black
  /// with BlackWhite).
  void ConstructDataBmp(TCanvas& Canvas, bool BlackWhite);
  /// The whole picture (background, data, frame) on any canvas of the
  /// control's size: the one drawing path of screen, files and printer.
  void DrawPicture(TCanvas& Canvas, bool BlackWhite, bool WithFrame = true);

  // ---- Export ----------------------------------------------------------------
  /// Into a bitmap (resized to the control).
  void CopyToBitmap(TBitmap& ABitmap, bool BlkWhite);
  /// A raster file: PNG for ".png", BMP otherwise. Throws EPlatformError when
  /// the file cannot be written.
  void CopyToBMP(const std::string& FName, bool BlkWhite);
  /// A vector file: PDF for ".pdf", PostScript for ".ps"/".eps", SVG otherwise.
  void CopyToWMF(const std::string& FName, bool BlkWhite);
  void CopyToClipboard(bool BlkWhite);
  void CopyToClipboardWMF(bool BlkWhite);
  /// A print job of its own through the host; ScaleF multiplies the size the
  /// picture has on screen (1 = same physical size at 96 dpi). WithFrame
  /// draws the control's outer frame. Nothing happens without a printer.
  void PrintIt(double ScaleF, bool BlkWhite, bool WithFrame);
  /// Onto a page already open at (X, Y) in device pixels; Y advances below
  /// the picture.
  void CopyToOpenPrinter(TPrintJob& Job, std::int32_t& X, std::int32_t& Y, double ScaleF,
                         bool BlkWhite, bool WithFrame);

  // ---- Events ------------------------------------------------------------------
  TRot3DRenderEvent OnBeforeRenderData;
  TRot3DRenderEvent OnDataRendered;
  TLblRequestEvent OnLblRequest;

protected:
  void MouseDown(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) override;
  void MouseMove(TShiftState Shift, std::int32_t X, std::int32_t Y) override;
  bool AssignTo(TObject& dest) const override;

private:
  /// The one funnel for changes that show: repaints unless a paint is held back.
  void Changed();
  void Append(const Tr3ChartItem& it);
  void ClearObjects() noexcept;
  void BuildObjects();
  void SetAnchors(std::int32_t X, std::int32_t Y) noexcept;
  void RenderScaled(TCanvas& target, std::int32_t x, std::int32_t y, double scale,
                    bool BlkWhite, bool WithFrame);
  void DrawBox(TCanvas& cv, std::int32_t a, bool faces);
  void DrawAxes(TCanvas& cv);
  void DrawObjects(TCanvas& cv, bool BlackWhite);
  void DrawAxisNames(TCanvas& cv);

  TRot3DSettings FSet;
  TRot3DView FView;
  std::vector<Tr3ChartItem> FItems;
  /// Drawing objects (built by MakeVisible).
  std::vector<std::int32_t> FObjX, FObjY, FObjZ;
  std::vector<std::uint32_t> FObjProp;  ///< colour | kind << 24
  std::vector<std::int32_t> FBackLink;
  std::vector<std::uint8_t> FObjMark, FObjLineWid;
  std::array<std::array<std::int32_t, 3>, 8> FCube{};
  /// Drag anchors.
  std::int32_t FMouseAnchorX = 0, FMouseAnchorY = 0;
  std::int32_t FCentXAnchor = 0, FCentYAnchor = 0;
  double FMagAnchor = 0.8;
  std::array<double, 3> FAngleAnchor{110, 150, 210};
  int FUpdateDepth = 0;
  bool FPainting = false, FRepaintPending = false;
  bool FPaintPending = false;
};

/// Holds a viewer's repaints for a scope (one repaint at its end if needed).
class KVO_API TRot3DUpdate {
public:
  explicit TRot3DUpdate(TRot3D& r) : FR(r) { FR.BeginUpdate(); }
  ~TRot3DUpdate() { FR.EndUpdate(); }
  TRot3DUpdate(const TRot3DUpdate&) = delete;
  TRot3DUpdate& operator=(const TRot3DUpdate&) = delete;

private:
  TRot3D& FR;
};

}  // namespace kvo
