// TCustomDEvari: the 2D chart control. It keeps no series but two display
// lists of drawing items (data and annotations) that the drawing commands
// append to, and renders them over two layers of axes.
//
// The class is a façade: its state lives in parts of its own, and its
// methods forward to them:
//   devari/itemcontainer.h  the display lists, their long texts and counters
//   devari/drawsettings.h   current drawing settings, layer/class visibility
//   devari/datafile.h       data and annotation files, text export
// Sources: devari.cpp (lists, settings, access, search, removal),
// drawcommands.cpp (the drawing commands), devari_files.cpp (files),
// devari_paint.cpp (painting).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>

#include "devari/chartitem.h"
#include "devari/drawsettings.h"
#include "devari/itemcontainer.h"
#include "libs/kvobase.h"
#include "platform/control.h"
#include "platform/graphics.h"
#include "platform/types.h"

namespace kvo {

// Layer numbers as members of a set (bit L stands for layer L).
enum class TLayer : std::uint8_t { L1 = 1, L2 = 2 };
using TLayerSet = TSet<TLayer>;

class TCustomDEvari : public TCustomControl {
public:
  explicit TCustomDEvari(TComponent* owner = nullptr);
  ~TCustomDEvari() override;

  // Restores every start value: empty display lists and long-text tables,
  // AllocSize 1000, layer 1 active, all layers and classes visible, mouse on
  // layer 1 only, default drawing settings, the text font a copy of Font().
  // Repaints once unless painting is suppressed.
  virtual void ResetComp();

  // ---- Display lists: counts and growth ---------------------------------------
  std::int32_t NumItems() const noexcept { return FDataContainer->Count(); }
  std::int32_t NumAnnos() const noexcept { return FAnnoContainer.Count(); }
  // Allocated slots; grows by AllocSize whenever a full list is appended to.
  std::int32_t NumAllocData() const noexcept { return FDataContainer->Allocated(); }
  std::int32_t NumAllocAnno() const noexcept { return FAnnoContainer.Allocated(); }
  std::int32_t AllocSize() const noexcept { return FAllocSize; }
  // Growth step; values outside 1..1,000,000 are ignored.
  void SetAllocSize(std::int32_t v) noexcept;

  // The display lists themselves (read access for renderers and tests).
  const TRcItemContainer& DataItems() const noexcept { return *FDataContainer; }
  const TRcItemContainer& AnnoItems() const noexcept { return FAnnoContainer; }

  // ---- Item access ------------------------------------------------------------
  // Copy of data item i; a record of kind tkNone for an index out of range.
  TrcChartItem GetChartItem(std::int32_t i) const noexcept;
  // Overwrites data item i with the whole record (ignored out of range);
  // counters and long texts are not touched; no repaint.
  void SetChartItem(std::int32_t i, const TrcChartItem& item) noexcept;
  TrcChartItem DataContainer(std::int32_t i) const noexcept { return GetChartItem(i); }
  void SetDataContainer(std::int32_t i, const TrcChartItem& item) noexcept { SetChartItem(i, item); }
  TrcChartItem GetAnnoItem(std::int32_t i) const noexcept;
  void SetAnnoItem(std::int32_t i, const TrcChartItem& item) noexcept;
  TrcChartItem AnnoContainer(std::int32_t i) const noexcept { return GetAnnoItem(i); }
  void SetAnnoContainer(std::int32_t i, const TrcChartItem& item) noexcept { SetAnnoItem(i, item); }

  // Resets a record to the defaults (see chartitem.h).
  static void CleadEvariItem(TrcChartItem& item) noexcept { kvo::CleadEvariItem(item); }

  // Copy of data item i (callers pass a valid index; out of range gives a
  // tkNone record).
  TrcChartItem GetItemParams(std::int32_t i) const noexcept { return GetChartItem(i); }
  // Replaces data item i and moves one count from the old kind to the new
  // one. Ignored for an invalid index and for items of kind tkNone or
  // tkEverything (or any value that is not a kind). No repaint.
  void SetItemParams(std::int32_t i, const TrcChartItem& item) noexcept;

  // Full text of data item i (empty unless it is tkText or tkTextOfs).
  std::string GetDataLongText(std::int32_t i) const;
  // Stores the text of data text item i; a text longer than 15 bytes keeps
  // its head in the record and the whole in a long-text slot (none when the
  // 50 slots are taken: then only the head survives).
  void SetDataLongText(std::int32_t i, const std::string& text);
  std::string DataLongText(std::int32_t i) const { return GetDataLongText(i); }
  std::string GetAnnoLongText(std::int32_t i) const;
  void SetAnnoLongText(std::int32_t i, const std::string& text);
  std::string AnnoLongText(std::int32_t i) const { return GetAnnoLongText(i); }

  // Number of data items of a kind (0 for values that are not a kind).
  std::int32_t GetItemCount(TrcItem kind) const noexcept { return FDataContainer->KindCount(kind); }
  std::int32_t ItemCount(TrcItem kind) const noexcept { return GetItemCount(kind); }
  // Kind of the first / last data item, tkNone when there is none.
  TrcItem GetTypeOfFirstItem() const noexcept;
  TrcItem GetTypeOfLastItem() const noexcept;
  TrcItem TypeOfFirstItem() const noexcept { return GetTypeOfFirstItem(); }
  TrcItem TypeOfLastItem() const noexcept { return GetTypeOfLastItem(); }

  // ---- Layers and classes -----------------------------------------------------
  std::int32_t ActiveLayer() const noexcept { return FDraw.ActiveLayer; }
  // Accepts 1 and 2 only, then repaints by the redraw rule.
  void SetActiveLayer(std::int32_t layer);
  // Layer visibility (layers 1, 2; others read false and are not stored).
  bool GetLayerVisib(std::int32_t layer) const noexcept;
  void SetLayerVisib(std::int32_t layer, bool visible);  // repaints on change
  bool LayerVisible(std::int32_t layer) const noexcept { return GetLayerVisib(layer); }
  void SetLayerVisible(std::int32_t layer, bool v) { SetLayerVisib(layer, v); }
  // Layers mouse zooming and panning act on (others read false; no repaint).
  bool GetMAffLayer(std::int32_t layer) const noexcept;
  void SetMAffLayer(std::int32_t layer, bool affected) noexcept;
  bool MouseAffectsLayer(std::int32_t layer) const noexcept { return GetMAffLayer(layer); }
  void SetMouseAffectsLayer(std::int32_t layer, bool v) noexcept { SetMAffLayer(layer, v); }
  // Class visibility of data items and of annotations; repaint on change.
  bool GetClassVisib(std::uint8_t cls) const noexcept { return FVisib.ClassVisible[cls]; }
  void SetClassVisib(std::uint8_t cls, bool visible);
  bool ClassVisible(std::uint8_t cls) const noexcept { return GetClassVisib(cls); }
  void SetClassVisible(std::uint8_t cls, bool v) { SetClassVisib(cls, v); }
  bool GetAnnoClassVisib(std::uint8_t cls) const noexcept { return FVisib.AnnoClassVisible[cls]; }
  void SetAnnoClassVisib(std::uint8_t cls, bool visible);
  bool AnnoClassVisible(std::uint8_t cls) const noexcept { return GetAnnoClassVisib(cls); }
  void SetAnnoClassVisible(std::uint8_t cls, bool v) { SetAnnoClassVisib(cls, v); }
  // Class of new items; 255 (the wildcard of searches) is ignored.
  std::uint8_t ClassDefault() const noexcept { return FDraw.ClassDefault; }
  void SetClassDefault(std::uint8_t cls) noexcept;
  // Sets the colour of every data item of the class (255: of all); no repaint.
  void NewColorOfClassItems(TColor color, std::uint8_t cls) noexcept;
  // The layers that hold at least one data item.
  TLayerSet FindUsedLayers() const noexcept;

  // ---- Current drawing settings (copied into items appended later) -----------
  const TDrawSettings& DrawSettings() const noexcept { return FDraw; }
  TColor DataColor() const noexcept { return FDraw.DataColor; }
  void SetDataCol(TColor v) noexcept { FDraw.DataColor = v; }
  void SetDataColor(TColor v) noexcept { SetDataCol(v); }
  TColor FillColor() const noexcept { return FDraw.FillColor; }
  void SetFillCol(TColor v) noexcept { FDraw.FillColor = v; }
  void SetFillColor(TColor v) noexcept { SetFillCol(v); }
  TColor TextBkColor() const noexcept { return FDraw.FillColor; }
  void SetTextBkColor(TColor v) noexcept { SetFillCol(v); }
  TPenStyle PenStyle() const noexcept { return FDraw.PenStyle; }
  void SetPenStyle(TPenStyle v) noexcept { FDraw.PenStyle = v; }
  std::uint8_t LineWidth() const noexcept { return FDraw.LineWidth; }
  void SetLineWid(std::uint8_t v) noexcept { FDraw.LineWidth = v; }
  void SetLineWidth(std::uint8_t v) noexcept { SetLineWid(v); }
  std::int32_t DataTag() const noexcept { return FDraw.DataTag; }
  void SetDataTag(std::int32_t v) noexcept { FDraw.DataTag = v; }
  bool TransparentItems() const noexcept { return FDraw.TransparentItems; }
  void SetTransparentItems(bool v) noexcept { FDraw.TransparentItems = v; }
  TTextBkg TextBkStyle() const noexcept { return FDraw.TextBkStyle; }
  void SetTextBkStyle(TTextBkg v) noexcept { FDraw.TextBkStyle = v; }
  TAlignment TextAlignment() const noexcept { return FDraw.TextAlignment; }
  void SetTextAlignment(TAlignment v);  // repaints by the redraw rule
  // Font of item texts; only its size is stored per item.
  TFont& TextFont() noexcept { return FTextFont; }
  const TFont& TextFont() const noexcept { return FTextFont; }
  void SetTextFont(const TFont& f) { FTextFont.Assign(f); }
  TFontStyles TextFontStyle() const noexcept { return FTextFont.Style(); }
  void SetTextFontStyle(TFontStyles v) { FTextFont.SetStyle(v); }

  // ---- Annotation switches ----------------------------------------------------
  // While on, every drawing command appends to the annotation list and keeps
  // the coordinate mode of its overload. Repaints on change.
  bool AnnoMode() const noexcept { return FDraw.AnnoMode; }
  void SetAnnoMode(bool v);
  bool AnnoBelowChart() const noexcept { return FVisib.AnnoBelowChart; }
  void SetAnnoBelow(bool v);
  void SetAnnoBelowChart(bool v) { SetAnnoBelow(v); }
  bool AnnoTextOnTop() const noexcept { return FVisib.AnnoTextOnTop; }
  void SetAnnoTextOnTop(bool v);
  bool AnnosVisible() const noexcept { return FVisib.AnnosVisible; }
  void SetAnnosVisible(bool v);  // also marks a cached data image invalid
  const TItemVisibility& Visibility() const noexcept { return FVisib; }

  // ---- Searches and counts ----------------------------------------------------
  // An item matches (tag, tagMask, cls, kind) when tagMask is 0 or its Tag
  // agrees with tag in the mask bits, kind is tkEverything or its kind, and
  // cls is 255 or its class.
  std::int32_t CountAnnos(std::int32_t tag, std::uint32_t tagMask, std::uint8_t cls,
                          TrcItem kind) const noexcept;
  // Annotations whose class is listed (a class listed twice counts twice).
  std::int32_t CountAnnoByClass(std::span<const std::uint8_t> classes) const noexcept;
  std::int32_t CountAnnoByClass(std::initializer_list<std::uint8_t> classes) const noexcept {
    return CountAnnoByClass(std::span<const std::uint8_t>(classes.begin(), classes.size()));
  }
  // First matching item at or after start; -1 if none or start < 0.
  std::int32_t SearchDataItem(std::int32_t start, std::int32_t tag, std::uint32_t tagMask,
                              std::uint8_t cls, TrcItem kind) const noexcept;
  std::int32_t SearchAnnoItem(std::int32_t start, std::int32_t tag, std::uint32_t tagMask,
                              std::uint8_t cls, TrcItem kind) const noexcept;

  // ---- Removal and clearing (none of them frees long-text slots) --------------
  void RemoveItem(std::int32_t i) noexcept;  // ignored out of range
  void RemoveFirstItem() noexcept { RemoveItem(0); }
  void RemoveLastItem() noexcept;
  // Remove every data item of the class (no wildcard) / layer; return how many.
  std::int32_t RemoveItemsByClass(std::uint8_t cls);
  std::int32_t RemoveItemsByLayer(std::int32_t layer);
  void RemoveAnnoItem(std::int32_t i) noexcept;  // ignored out of range; no repaint
  // Empties the data list and its long texts and clears the data image; no repaint.
  void ClearGraf();
  // Empties the annotation list and its long texts, then repaints.
  void ClearAnnotations();

  // ---- Drawing commands ---------------------------------------------------------
  // Each appends one item (to the annotations while AnnoMode is on) with the
  // current settings: Layer, ItemClass, Color, PenStyle, Tag, and the fields
  // listed per command. Float coordinates are world values; integer ones are
  // data-area pixels for annotations (the overload sets the coordinate mode)
  // and are taken as world values in the data list. Nothing is drawn until
  // ShowGraf or Paint.
  void MoveTo(double x, double y);
  void MoveTo(std::int32_t x, std::int32_t y);
  void MoveTo(std::int32_t x, double y);
  void MoveTo(double x, std::int32_t y);
  void DrawTo(double x, double y);  // polyline vertex; also FillColor
  void DrawTo(std::int32_t x, std::int32_t y);
  void DrawTo(std::int32_t x, double y);
  void DrawTo(double x, std::int32_t y);
  // Pen moves / polyline vertices given as pixel offsets from the pen.
  void MoveToRelPix(std::int32_t dx, std::int32_t dy);
  void DrawToRelPix(std::int32_t dx, std::int32_t dy);
  // Line from world (x, y) to the pixel offset (dx, dy) from it.
  void DrawToRelPix(double x, double y, std::int32_t dx, std::int32_t dy);
  void Line(double x1, double y1, double x2, double y2);
  void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  void Line(double x1, double y1, std::int32_t x2, std::int32_t y2);
  void Line(std::int32_t x1, std::int32_t y1, double x2, double y2);
  // Line shifted by (dx, dy) pixels (Param1, Param2).
  void LineOffset(double x1, double y1, double x2, double y2, std::int32_t dx, std::int32_t dy);
  // Filled rectangle (FillColor, TransparentItems).
  void Rectangle(double x1, double y1, double x2, double y2);
  void Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  void Rectangle(double x1, double y1, std::int32_t x2, std::int32_t y2);
  void Rectangle(std::int32_t x1, std::int32_t y1, double x2, double y2);
  // Rectangle centred on world (x, y) with half sizes dx, dy in pixels.
  void RectangleRelPix(double x, double y, std::int32_t dx, std::int32_t dy);
  // Filled rectangle with a 3D frame; always line width 1.
  void RectFrame(double x1, double y1, double x2, double y2, TFrameStyle frameStyle,
                 TColor shadowColor, TColor hiLightColor);
  void RectFrame(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                 TFrameStyle frameStyle, TColor shadowColor, TColor hiLightColor);
  void RectFrame(double x1, double y1, std::int32_t x2, std::int32_t y2, TFrameStyle frameStyle,
                 TColor shadowColor, TColor hiLightColor);
  void RectFrame(std::int32_t x1, std::int32_t y1, double x2, double y2, TFrameStyle frameStyle,
                 TColor shadowColor, TColor hiLightColor);
  // Bar with a pseudo-3D top and side; angle in degrees limited to 0..180
  // (Param1), depth in pixels (Param2).
  void Bar3D(double x1, double y1, double x2, double y2, std::int32_t depth, std::int32_t angle);
  // Ellipse with centre (x, y) and half axes (hx, hy).
  void Ellipse(double x, double y, double hx, double hy);
  // Elliptic arc; angles in radians, limited to [-pi, pi] (NaN: pi) and kept
  // to 1e-8 radians (Param1, Param2 hold angle * 1e8).
  void Arc(double x, double y, double hx, double hy, double startAngle, double endAngle);
  // Arrow from (x1, y1) to (x2, y2), head at the end (Param1 = head size).
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
  // Text anchored at (x, y): font size in points (Param1), TextBkStyle
  // (Param2), TextAlignment (Param3), FillColor as background.
  void Text(double x, double y, std::int32_t size, const std::string& text);
  void Text(std::int32_t x, std::int32_t y, std::int32_t size, const std::string& text);
  void Text(std::int32_t x, double y, std::int32_t size, const std::string& text);
  void Text(double x, std::int32_t y, std::int32_t size, const std::string& text);
  // Text shifted by (dx, dy) pixels with its own alignment: tkTextOfs, or
  // tkText when the offset is 0.
  void Text(double x, double y, std::int32_t size, const std::string& text, std::int32_t dx,
            std::int32_t dy, TAlignment alignment);
  // Vertical / horizontal line across the data area.
  void CursorVert(double x);
  void CursorVert(std::int32_t x);
  void CursorHoriz(double y);
  void CursorHoriz(std::int32_t y);
  // Mark symbol (DrawMarkOnCanvas number) at (x, y).
  void MarkAt(double x, double y, std::uint8_t markType);
  void MarkAt(std::int32_t x, std::int32_t y, std::uint8_t markType);
  // Mark with an error bar from y - lowErr to y + highErr (or along x).
  void MarkErrorBar(double x, double y, double lowErr, double highErr, TOrientation direction,
                    std::uint8_t markType);

  // Duplicate-mark avoidance of the renderer; repaint on change.
  bool AvoidDuplicateMarks() const noexcept { return FAvoidDupMarks; }
  void SetAvoidDupMarks(bool v);
  void SetAvoidDuplicateMarks(bool v) { SetAvoidDupMarks(v); }
  std::int32_t MinDupMarkDist() const noexcept { return FDupMarksMinD; }
  void SetDupMarksMinD(std::int32_t v);  // stored clamped to 1..3
  void SetMinDupMarkDist(std::int32_t v) { SetDupMarksMinD(v); }

  // ---- Files --------------------------------------------------------------------
  // Write the data / annotation list with its long texts as a record file.
  // The file is written beside the target and renamed into place, so a
  // failed save leaves the previous file intact; failures throw EKvoError.
  void SaveData(const std::string& fileName) const;
  void SaveAnno(const std::string& fileName) const;
  // Load a record file: the number of records, -2 when the file is not of
  // this list's kind, -1 on any other error (missing, short or damaged
  // file). On failure nothing changes. Without append the list is replaced.
  std::int32_t LoadData(const std::string& fileName, bool appendIt);
  std::int32_t LoadAnno(const std::string& fileName, bool appendIt);
  // Readable description of every data item; errors are swallowed.
  void SaveDataASC(const std::string& fileName) const noexcept;
  // Copies the annotations of src whose class is listed (all when the list
  // is empty) with their long texts; repaints.
  void CopyAnnoFrom(const TCustomDEvari& src, std::span<const std::uint8_t> classes, bool appendIt);
  void CopyAnnoFrom(const TCustomDEvari& src, std::initializer_list<std::uint8_t> classes,
                    bool appendIt) {
    CopyAnnoFrom(src, std::span<const std::uint8_t>(classes.begin(), classes.size()), appendIt);
  }

  // ---- Painting -------------------------------------------------------------------
  // Full repaint of the chart.
  void Paint() override;
  bool AutoRedraw() const noexcept { return FAutoRedraw; }
  void SetAutoRedraw(bool v) noexcept { FAutoRedraw = v; }
  bool SuppressPaint() const noexcept { return FSuppressPaint; }
  // Stores the flag; clearing it repaints.
  virtual void SetSuppressPaint(bool v);
  // Index of the last data item shown by ShowGraf.
  std::int32_t LastElemOnShow() const noexcept { return FLastElemOnShow; }
  std::int32_t NumMTracePoints() const noexcept { return FNumMTracePoints; }

protected:
  // The one place every "repaint" of the chart goes through.
  void RepaintChart();
  // Repaint by the redraw rule: when AutoRedraw is on or in design mode.
  void RedrawByRule();
  // Brings charts that share this chart's data up to date after the data
  // list changed (called by every operation that changes it).
  void AdjustCanInfoOfSharedCharts();
  // Resizes the data-area image to the data area and paints its background
  // (ClearGraf).
  void ResetDataBitmap();

  // The container the drawing commands append to (AnnoMode).
  TRcItemContainer& Target() noexcept { return FDraw.AnnoMode ? FAnnoContainer : *FDataContainer; }
  // A new item of kind with the common fields of the current settings.
  TrcChartItem NewItem(TrcItem kind) const noexcept;
  // Appends item to the target list; the coordinate mode is kept for
  // annotations and cmAllWorld in the data list.
  void AppendItem(TrcChartItem& item, TCoordMode mode);

  // ---- Internal drawing commands (coordinates as floats plus their mode) -----
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

  // ---- State ------------------------------------------------------------------
  // The data list is shared with charts that show this chart's data.
  std::shared_ptr<TRcItemContainer> FDataContainer;
  TRcItemContainer FAnnoContainer{false};
  std::int32_t FAllocSize = 1000;
  std::int32_t FLastElemOnShow = 0;
  TDrawSettings FDraw;
  TItemVisibility FVisib;
  TFont FTextFont;
  bool FAvoidDupMarks = false;
  std::int32_t FDupMarksMinD = 1;
  bool FAutoRedraw = true;
  bool FSuppressPaint = true;     // until a window exists
  bool FInvalidDataBmp = false;   // a cached data image must be rebuilt
  std::int32_t FNumMTracePoints = 0;

private:
  // Loads into list (staged; committed only when the whole file is good).
  std::int32_t LoadInto(TRcItemContainer& list, const std::string& fileName, bool appendIt,
                        bool dataFile);
};

}  // namespace kvo
