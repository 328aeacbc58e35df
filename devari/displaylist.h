/// @file
/// TDisplayListControl: the display-list half of the 2D chart. It keeps the
/// data and annotation lists with their long texts and counters, the
/// settings the drawing commands copy into new items, layer and class
/// visibility, the commands themselves and the data files, and the chart's
/// update protocol. TCustomDEvari (devari.h) adds axes, rendering and
/// interaction on top.
///
/// Update protocol: setters return at once on an unchanged value, store it
/// and call one of two funnels: RepaintChart (now) or RedrawByRule (when
/// AutoRedraw is on or in design mode); painting does nothing while it is
/// suppressed. Operations that change several things run in a TPaintBatch
/// (platform/update.h) and so repaint once at the end.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>

#include "chartitem.h"
#include "drawsettings.h"
#include "itemcontainer.h"
#include "../libs/kvobase.h"
#include "../platform/control.h"

namespace kvo {

/// Layer numbers as members of a set (bit L stands for layer L).
enum class TLayer : std::uint8_t { L1 = 1, L2 = 2 };
using TLayerSet = TSet<TLayer>;

class KVO_API TDisplayListControl : public TCustomControl {
public:
  explicit TDisplayListControl(TComponent* owner = nullptr);
  ~TDisplayListControl() override;

  /// Start values of the display lists and settings (see ResetDisplayList).
  virtual void ResetComp();

  bool AutoRedraw() const noexcept { return FAutoRedraw; }
  void SetAutoRedraw(bool v) noexcept { FAutoRedraw = v; }
  bool SuppressPaint() const noexcept { return FSuppressPaint; }
  virtual void SetSuppressPaint(bool v);  ///< clearing it repaints

  // ---- Display lists ------------------------------------------------------------
  std::int32_t NumItems() const noexcept { return FDataContainer->Count(); }
  std::int32_t NumAnnos() const noexcept { return FAnnoContainer.Count(); }
  /// Allocated slots; grows by AllocSize whenever a full list is appended to.
  std::int32_t NumAllocData() const noexcept { return FDataContainer->Allocated(); }
  std::int32_t NumAllocAnno() const noexcept { return FAnnoContainer.Allocated(); }
  std::int32_t AllocSize() const noexcept { return FAllocSize; }
  void SetAllocSize(std::int32_t v) noexcept;  ///< outside 1..1,000,000 ignored
  const TRcItemContainer& DataItems() const noexcept { return *FDataContainer; }
  const TRcItemContainer& AnnoItems() const noexcept { return FAnnoContainer; }

  /// Copy of item i; a record of kind tkNone for an index out of range.
  TrcChartItem GetChartItem(std::int32_t i) const noexcept;
  /// Overwrites item i (ignored out of range); counters and long texts stay;
  /// no repaint.
  void SetChartItem(std::int32_t i, const TrcChartItem& item) noexcept;
  TrcChartItem GetAnnoItem(std::int32_t i) const noexcept;
  void SetAnnoItem(std::int32_t i, const TrcChartItem& item) noexcept;
  static void CleadEvariItem(TrcChartItem& item) noexcept { kvo::CleadEvariItem(item); }
  TrcChartItem GetItemParams(std::int32_t i) const noexcept { return GetChartItem(i); }
  /// Replaces data item i and moves one count from the old kind to the new
  /// one; ignored for invalid indexes and kinds tkNone/tkEverything.
  void SetItemParams(std::int32_t i, const TrcChartItem& item) noexcept;
  /// Full text of a text item (empty for other kinds). Setting keeps the head
  /// in the record and the whole in a long-text slot while one is free.
  std::string GetDataLongText(std::int32_t i) const;
  void SetDataLongText(std::int32_t i, const std::string& text);
  std::string GetAnnoLongText(std::int32_t i) const;
  void SetAnnoLongText(std::int32_t i, const std::string& text);
  std::int32_t GetItemCount(TrcItem kind) const noexcept { return FDataContainer->KindCount(kind); }
  TrcItem GetTypeOfFirstItem() const noexcept;  ///< tkNone when empty
  TrcItem GetTypeOfLastItem() const noexcept;

  // ---- Layers and classes -------------------------------------------------------
  std::int32_t ActiveLayer() const noexcept { return FDraw.ActiveLayer; }
  void SetActiveLayer(std::int32_t layer);  ///< 1 and 2 only
  bool GetLayerVisib(std::int32_t layer) const noexcept;
  void SetLayerVisib(std::int32_t layer, bool visible);
  /// Layers mouse zooming and panning act on (no repaint).
  bool GetMAffLayer(std::int32_t layer) const noexcept;
  void SetMAffLayer(std::int32_t layer, bool affected) noexcept;
  bool GetClassVisib(std::uint8_t cls) const noexcept { return FVisib.ClassVisible[cls]; }
  void SetClassVisib(std::uint8_t cls, bool visible);
  bool GetAnnoClassVisib(std::uint8_t cls) const noexcept { return FVisib.AnnoClassVisible[cls]; }
  void SetAnnoClassVisib(std::uint8_t cls, bool visible);
  std::uint8_t ClassDefault() const noexcept { return FDraw.ClassDefault; }
  void SetClassDefault(std::uint8_t cls) noexcept;  ///< 255 (the wildcard) ignored
  /// Colour of every data item of the class (255: all); no repaint.
  void NewColorOfClassItems(TColor color, std::uint8_t cls) noexcept;
  TLayerSet FindUsedLayers() const noexcept;

  // ---- Current drawing settings (copied into items appended later) -------------
  const TDrawSettings& DrawSettings() const noexcept { return FDraw; }
  TColor DataColor() const noexcept { return FDraw.DataColor; }
  void SetDataCol(TColor v) noexcept { FDraw.DataColor = v; }
  TColor FillColor() const noexcept { return FDraw.FillColor; }
  void SetFillCol(TColor v) noexcept { FDraw.FillColor = v; }
  TPenStyle PenStyle() const noexcept { return FDraw.PenStyle; }
  void SetPenStyle(TPenStyle v) noexcept { FDraw.PenStyle = v; }
  std::uint8_t LineWidth() const noexcept { return FDraw.LineWidth; }
  void SetLineWid(std::uint8_t v) noexcept { FDraw.LineWidth = v; }
  std::int32_t DataTag() const noexcept { return FDraw.DataTag; }
  void SetDataTag(std::int32_t v) noexcept { FDraw.DataTag = v; }
  bool TransparentItems() const noexcept { return FDraw.TransparentItems; }
  void SetTransparentItems(bool v) noexcept { FDraw.TransparentItems = v; }
  TTextBkg TextBkStyle() const noexcept { return FDraw.TextBkStyle; }
  void SetTextBkStyle(TTextBkg v) noexcept { FDraw.TextBkStyle = v; }
  TAlignment TextAlignment() const noexcept { return FDraw.TextAlignment; }
  void SetTextAlignment(TAlignment v);
  /// Font of item texts; only its size is stored per item.
  TFont& TextFont() noexcept { return FTextFont; }
  const TFont& TextFont() const noexcept { return FTextFont; }
  void SetTextFont(const TFont& f) { FTextFont.Assign(f); }
  TFontStyles TextFontStyle() const noexcept { return FTextFont.Style(); }
  void SetTextFontStyle(TFontStyles v) { FTextFont.SetStyle(v); }

  /// While AnnoMode is on every drawing command appends to the annotations.
  bool AnnoMode() const noexcept { return FDraw.AnnoMode; }
  void SetAnnoMode(bool v);
  bool AnnoBelowChart() const noexcept { return FVisib.AnnoBelowChart; }
  void SetAnnoBelow(bool v);
  bool AnnoTextOnTop() const noexcept { return FVisib.AnnoTextOnTop; }
  void SetAnnoTextOnTop(bool v);
  bool AnnosVisible() const noexcept { return FVisib.AnnosVisible; }
  void SetAnnosVisible(bool v);
  const TItemVisibility& Visibility() const noexcept { return FVisib; }

  // ---- Searches, counts, removal --------------------------------------------------
  /// An item matches (tag, tagMask, cls, kind) when tagMask is 0 or its Tag
  /// agrees with tag in the mask bits, kind is tkEverything or its kind, and
  /// cls is 255 or its class.
  std::int32_t CountAnnos(std::int32_t tag, std::uint32_t tagMask, std::uint8_t cls,
                          TrcItem kind) const noexcept;
  /// Annotations whose class is listed (a class listed twice counts twice).
  std::int32_t CountAnnoByClass(std::span<const std::uint8_t> classes) const noexcept;
  std::int32_t CountAnnoByClass(std::initializer_list<std::uint8_t> classes) const noexcept {
    return CountAnnoByClass(std::span<const std::uint8_t>(classes.begin(), classes.size()));
  }
  /// First matching item at or after start; -1 if none or start < 0.
  std::int32_t SearchDataItem(std::int32_t start, std::int32_t tag, std::uint32_t tagMask,
                              std::uint8_t cls, TrcItem kind) const noexcept;
  std::int32_t SearchAnnoItem(std::int32_t start, std::int32_t tag, std::uint32_t tagMask,
                              std::uint8_t cls, TrcItem kind) const noexcept;
  /// None of the removals frees long-text slots; indexes out of range are ignored.
  void RemoveItem(std::int32_t i) noexcept;
  void RemoveFirstItem() noexcept { RemoveItem(0); }
  void RemoveLastItem() noexcept;
  std::int32_t RemoveItemsByClass(std::uint8_t cls);     ///< returns how many
  std::int32_t RemoveItemsByLayer(std::int32_t layer);
  void RemoveAnnoItem(std::int32_t i) noexcept;
  void ClearAnnotations();  ///< empties the annotations, then repaints

  // ---- Drawing commands (drawcommands.cpp) ------------------------------------------
  /// Each appends one item (to the annotations while AnnoMode is on) with the
  /// current settings. Float coordinates are world values; integer ones are
  /// data-area pixels for annotations and world values in the data list.
  void MoveTo(double x, double y);
  void MoveTo(std::int32_t x, std::int32_t y);
  void MoveTo(std::int32_t x, double y);
  void MoveTo(double x, std::int32_t y);
  void DrawTo(double x, double y);
  void DrawTo(std::int32_t x, std::int32_t y);
  void DrawTo(std::int32_t x, double y);
  void DrawTo(double x, std::int32_t y);
  void MoveToRelPix(std::int32_t dx, std::int32_t dy);
  void DrawToRelPix(std::int32_t dx, std::int32_t dy);
  void DrawToRelPix(double x, double y, std::int32_t dx, std::int32_t dy);
  void Line(double x1, double y1, double x2, double y2);
  void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  void Line(double x1, double y1, std::int32_t x2, std::int32_t y2);
  void Line(std::int32_t x1, std::int32_t y1, double x2, double y2);
  void LineOffset(double x1, double y1, double x2, double y2, std::int32_t dx, std::int32_t dy);
  void Rectangle(double x1, double y1, double x2, double y2);
  void Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  void Rectangle(double x1, double y1, std::int32_t x2, std::int32_t y2);
  void Rectangle(std::int32_t x1, std::int32_t y1, double x2, double y2);
  void RectangleRelPix(double x, double y, std::int32_t dx, std::int32_t dy);
  void RectFrame(double x1, double y1, double x2, double y2, TFrameStyle frameStyle,
                 TColor shadowColor, TColor hiLightColor);
  void RectFrame(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                 TFrameStyle frameStyle, TColor shadowColor, TColor hiLightColor);
  void RectFrame(double x1, double y1, std::int32_t x2, std::int32_t y2, TFrameStyle frameStyle,
                 TColor shadowColor, TColor hiLightColor);
  void RectFrame(std::int32_t x1, std::int32_t y1, double x2, double y2, TFrameStyle frameStyle,
                 TColor shadowColor, TColor hiLightColor);
  /// Angle in degrees limited to 0..180 (Param1), depth in pixels (Param2).
  void Bar3D(double x1, double y1, double x2, double y2, std::int32_t depth, std::int32_t angle);
  void Ellipse(double x, double y, double hx, double hy);
  /// Angles in radians, limited to [-pi, pi] (NaN: pi), kept to 1e-8 radians.
  void Arc(double x, double y, double hx, double hy, double startAngle, double endAngle);
  void Arrow(double x1, double y1, double x2, double y2, std::int32_t headSize);
  void Arrow(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t headSize);
  void Arrow(double x1, double y1, std::int32_t x2, std::int32_t y2, std::int32_t headSize);
  void Arrow(std::int32_t x1, std::int32_t y1, double x2, double y2, std::int32_t headSize);
  void Arrow(double x1, std::int32_t y1, double x2, std::int32_t y2, std::int32_t headSize);
  void Arrow(std::int32_t x1, double y1, std::int32_t x2, double y2, std::int32_t headSize);
  void DoubleArrow(double x1, double y1, double x2, double y2, std::int32_t headSize);
  void DoubleArrow(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                   std::int32_t headSize);
  void DoubleArrow(double x1, double y1, std::int32_t x2, std::int32_t y2, std::int32_t headSize);
  void DoubleArrow(std::int32_t x1, std::int32_t y1, double x2, double y2, std::int32_t headSize);
  void DoubleArrow(double x1, std::int32_t y1, double x2, std::int32_t y2, std::int32_t headSize);
  void DoubleArrow(std::int32_t x1, double y1, std::int32_t x2, double y2, std::int32_t headSize);
  /// Font size in points (Param1; stored as given, drawn clamped to 0..1000
  /// points), TextBkStyle (Param2), TextAlignment (Param3). UTF-8; the
  /// record's field keeps the first 15 characters in Windows-1252, a longer
  /// text or one outside that code page takes a long-text slot. At most the
  /// first 64 KiB of a text are measured and drawn.
  void Text(double x, double y, std::int32_t size, const std::string& text);
  void Text(std::int32_t x, std::int32_t y, std::int32_t size, const std::string& text);
  void Text(std::int32_t x, double y, std::int32_t size, const std::string& text);
  void Text(double x, std::int32_t y, std::int32_t size, const std::string& text);
  /// tkTextOfs shifted by (dx, dy) pixels, or tkText when the offset is 0.
  void Text(double x, double y, std::int32_t size, const std::string& text, std::int32_t dx,
            std::int32_t dy, TAlignment alignment);
  void CursorVert(double x);
  void CursorVert(std::int32_t x);
  void CursorHoriz(double y);
  void CursorHoriz(std::int32_t y);
  void MarkAt(double x, double y, std::uint8_t markType);
  void MarkAt(std::int32_t x, std::int32_t y, std::uint8_t markType);
  void MarkErrorBar(double x, double y, double lowErr, double highErr, TOrientation direction,
                    std::uint8_t markType);
  /// Bulk appends at memory speed, with the current settings: a polyline
  /// through (x[i], y[i]) (a move to the first point, line items to the
  /// others; a NaN coordinate leaves a gap and the next valid point starts
  /// anew) and a mark at every point. The shorter array decides the count;
  /// returns the number of items appended. With connect the polyline goes on
  /// from the pen position (its first point is a line item, as DrawTo would
  /// append), so a long series can be appended in chunks.
  std::int32_t AppendPolyline(std::span<const double> x, std::span<const double> y,
                              bool connect = false);
  std::int32_t AppendMarks(std::span<const double> x, std::span<const double> y,
                           std::uint8_t markType);
  bool AvoidDuplicateMarks() const noexcept { return FAvoidDupMarks; }
  void SetAvoidDupMarks(bool v);
  std::int32_t MinDupMarkDist() const noexcept { return FDupMarksMinD; }
  void SetDupMarksMinD(std::int32_t v);  ///< clamped to 1..3

  // ---- Files (devari_files.cpp) -------------------------------------------------------
  /// Saving writes beside the target and renames into place; failures throw
  /// EKvoError and leave the previous file. Loading returns the number of
  /// records, -2 for a file of the other list's kind, -1 for any other error,
  /// and changes nothing on failure. Loading while the list is being drawn
  /// (from a paint handler) is refused with EKvoError, changing nothing.
  void SaveData(const std::string& fileName) const;
  void SaveAnno(const std::string& fileName) const;
  std::int32_t LoadData(const std::string& fileName, bool appendIt);
  std::int32_t LoadAnno(const std::string& fileName, bool appendIt);
  void SaveDataASC(const std::string& fileName) const noexcept;
  /// Copies the annotations of src whose class is listed (all for an empty list).
  void CopyAnnoFrom(const TDisplayListControl& src, std::span<const std::uint8_t> classes, bool appendIt);
  void CopyAnnoFrom(const TDisplayListControl& src, std::initializer_list<std::uint8_t> classes,
                    bool appendIt) {
    CopyAnnoFrom(src, std::span<const std::uint8_t>(classes.begin(), classes.size()), appendIt);
  }

protected:
  /// Empty lists and long-text tables, AllocSize 1000, layer 1 active, all
  /// layers and classes visible, mouse on layer 1 only, default drawing
  /// settings, the text font a copy of Font(), AutoRedraw on.
  void ResetDisplayList();
  /// The two repaint funnels (see the update protocol above).
  void RepaintChart();
  void RedrawByRule();
  /// Brings charts sharing this chart's data up to date after it changed.
  virtual void AdjustCanInfoOfSharedCharts() {}
  /// True while the data list (dataList) or the annotations are being drawn:
  /// by this chart or, for the data list, by a chart sharing it.
  virtual bool ListBeingDrawn(bool dataList) const noexcept {
    (void)dataList;
    return false;
  }

  /// The container the drawing commands append to (AnnoMode).
  TRcItemContainer& Target() noexcept { return FDraw.AnnoMode ? FAnnoContainer : *FDataContainer; }
  TrcChartItem NewItem(TrcItem kind) const noexcept;
  void AppendItem(TrcChartItem& item, TCoordMode mode);
  void MoveToIntern(double x, double y, TCoordMode mode);
  void DrawToIntern(double x, double y, TCoordMode mode);
  void LineIntern(double x1, double y1, double x2, double y2, TCoordMode mode);
  void RectangleIntern(double x1, double y1, double x2, double y2, TCoordMode mode);
  void RectFrameIntern(double x1, double y1, double x2, double y2, TFrameStyle frameStyle,
                       TColor shadowColor, TColor hiLightColor, TCoordMode mode);
  void ArrowIntern(double x1, double y1, double x2, double y2, std::int32_t headSize,
                   TCoordMode mode);
  void DoubleArrowIntern(double x1, double y1, double x2, double y2, std::int32_t headSize,
                         TCoordMode mode);
  void TextIntern(double x, double y, std::int32_t size, const std::string& text, std::int32_t dx,
                  std::int32_t dy, TAlignment alignment, TCoordMode mode);
  void CursorVertIntern(double x, TCoordMode mode);
  void CursorHorizIntern(double y, TCoordMode mode);
  void MarkAtIntern(double x, double y, std::uint8_t markType, TCoordMode mode);
  /// The data list is shared with charts that show this chart's data.
  std::shared_ptr<TRcItemContainer> FDataContainer;
  TRcItemContainer FAnnoContainer{false};
  std::int32_t FAllocSize = 1000;
  std::int32_t FLastElemOnShow = 0;  ///< ShowGraf's last shown item
  TDrawSettings FDraw;
  TItemVisibility FVisib;
  TFont FTextFont;
  bool FAvoidDupMarks = false;
  std::int32_t FDupMarksMinD = 1;
  bool FAutoRedraw = true;
  bool FSuppressPaint = true;    ///< until a window exists
  bool FInvalidDataBmp = false;  ///< a cached data image must be rebuilt

private:
  std::int32_t LoadInto(TRcItemContainer& list, const std::string& fileName, bool appendIt,
                        bool dataFile);
};

}  // namespace kvo
