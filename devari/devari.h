// TCustomDEvari: the 2D chart control. It keeps no series but two display
// lists of drawing items (data and annotations) that the drawing commands
// append to, and renders them over two layers of axes.
//
// The class is a façade: its state lives in parts of its own, and its
// methods forward to them:
//   devari/itemcontainer.h  the display lists, their long texts and counters
//   devari/drawsettings.h   current drawing settings, layer/class visibility
//   devari/datafile.h       data and annotation files, text export
//   devari/scaleprops.h     axis property objects (four TScale helpers)
//   devari/transform.h      world/pixel mapping of the two layers
//   devari/renderer.h       item drawing with kept canvas state
//   devari/grid.h, bakgndimg.h, crosshairs.h, labeldraw.h, textlabels.h
// Sources: devari.cpp (lists, settings, access, search, removal),
// drawcommands.cpp (the drawing commands), devari_files.cpp (files),
// devari_paint.cpp (rendering pipeline), devari_axes.cpp (axes, layout,
// transforms), devari_overlays.cpp (crosshairs, labels, mouse trace).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <array>
#include <string>
#include <vector>

#include "devari/chartitem.h"
#include "devari/drawsettings.h"
#include "devari/itemcontainer.h"
#include "devari/bakgndimg.h"
#include "devari/chartevents.h"
#include "devari/crosshairs.h"
#include "devari/grid.h"
#include "devari/layout.h"
#include "devari/renderer.h"
#include "devari/scaleprops.h"
#include "devari/stdlayout.h"
#include "devari/textlabels.h"
#include "devari/transform.h"
#include "scale/scale.h"
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
  // Text anchored at (x, y): font size in points (Param1; stored as given,
  // drawn clamped to 0..1000 points), TextBkStyle (Param2), TextAlignment
  // (Param3), FillColor as background. UTF-8; the record's own field keeps
  // the first 15 characters in Windows-1252, a longer text or one with
  // characters outside that code page takes a long-text slot. At most the
  // first 64 KiB of a text are measured and drawn.
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

  // ==== Axes and layout (devari_axes.cpp) ======================================
  // Axis property objects of a layer (1..2; other numbers give layer 1's).
  TScalePropsHoriz& GetScalePropsX(std::int32_t layer) noexcept;
  TScalePropsVert& GetScalePropsY(std::int32_t layer) noexcept;
  const TScalePropsHoriz& GetScalePropsX(std::int32_t layer) const noexcept;
  const TScalePropsVert& GetScalePropsY(std::int32_t layer) const noexcept;
  // Copies v into the layer's object (other layers: nothing).
  void SetScalePropsX(std::int32_t layer, const TScalePropsHoriz& v);
  void SetScalePropsY(std::int32_t layer, const TScalePropsVert& v);
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
  // The helper axes of a layer (1..2; others give layer 1's).
  TScale& ScaleX(std::int32_t layer) noexcept;
  TScale& ScaleY(std::int32_t layer) noexcept;
  // Hands a property object to an axis: placement, range, labels, caption, font.
  void SetScaleProps(TScale& scale, const TScaleProps& props);
  // Change target of the eight property objects and the axes' zoom/pan:
  // transfers all four axes, enforces the ranges and repaints once.
  void ScalePropsChanged(TObject* sender);
  void ScaleZoomPan(TObject* sender) { ScalePropsChanged(sender); }

  // Margins (pixels, held within +-30000) and shadow width (0..32) around
  // the data area.
  std::int32_t LRim() const noexcept { return RcLRim; }
  std::int32_t RRim() const noexcept { return RcRRim; }
  std::int32_t TRim() const noexcept { return RcTRim; }
  std::int32_t BRim() const noexcept { return RcBRim; }
  std::int32_t MarginLeft() const noexcept { return RcLRim; }
  std::int32_t MarginRight() const noexcept { return RcRRim; }
  std::int32_t MarginTop() const noexcept { return RcTRim; }
  std::int32_t MarginBottom() const noexcept { return RcBRim; }
  void SetLRim(std::int32_t v);
  void SetRRim(std::int32_t v);
  void SetTRim(std::int32_t v);
  void SetBRim(std::int32_t v);
  void SetMarginLeft(std::int32_t v) { SetLRim(v); }
  void SetMarginRight(std::int32_t v) { SetRRim(v); }
  void SetMarginTop(std::int32_t v) { SetTRim(v); }
  void SetMarginBottom(std::int32_t v) { SetBRim(v); }
  std::int32_t ShadowWidth() const noexcept { return F3DRim; }
  void SetF3DRim(std::int32_t v);
  void SetShadowWidth(std::int32_t v) { SetF3DRim(v); }
  // Control size, margins and shadow as one value.
  TChartGeometry Geometry() const noexcept;

  // Chart caption: text, offset, alignment, anchors and trim (0 or 5..100 %).
  const std::string& Caption() const noexcept { return FChartCaption; }
  void SetChartCaption(const std::string& v);
  void SetCaption(const std::string& v) { SetChartCaption(v); }
  std::int32_t CaptionPosX() const noexcept { return FCaptPosX; }
  std::int32_t CaptionPosY() const noexcept { return FCaptPosY; }
  void SetCaptPosX(std::int32_t v);
  void SetCaptPosY(std::int32_t v);
  TAlignment CaptionAlignment() const noexcept { return FCaptAlignment; }
  void SetCaptAlignment(TAlignment v);
  TCaptionAnchorHoriz CaptionAnchorHoriz() const noexcept { return FCaptAnchorX; }
  TCaptionAnchorVert CaptionAnchorVert() const noexcept { return FCaptAnchorY; }
  void SetCaptAnchorX(TCaptionAnchorHoriz v);
  void SetCaptAnchorY(TCaptionAnchorVert v);
  std::int32_t CaptionTrim() const noexcept { return FCaptTrim; }
  void SetCaptTrim(std::int32_t v);

  // The layout set by the reset (applying a layout does not record it).
  TrcLayout StandardLayout() const noexcept { return FStdLayout; }
  void SetStdLayout(TrcLayout layout);

  // Tick positions of the active layer's axes, index 1 at the low end;
  // 0 outside 1..count.
  double GetTickPosX(std::int32_t i) const;
  double GetTickPosY(std::int32_t i) const;
  std::int32_t GetTickPosXCnt() const;
  std::int32_t GetTickPosYCnt() const;
  std::int32_t TickNumX() const { return GetTickPosXCnt(); }
  std::int32_t TickNumY() const { return GetTickPosYCnt(); }
  // k on the visible Y axis of layer k, -k on its X axis, 0 elsewhere.
  std::int32_t DetectScale(std::int32_t x, std::int32_t y) const;
  // Field index (1-based) of a "|"-separated text (index < 1: empty; beyond
  // the last field: the last one) and the inscription with text put at its "&".
  static std::string ExtractUserText(const std::string& text, std::int32_t index);
  static std::string AddScaleInscription(const std::string& text, const std::string& inscription);

  // Never smaller than the margins plus 80 x 20 pixels; transfers the axes.
  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                 std::int32_t height) override;

  // ==== Coordinate transforms (devari_axes.cpp) ================================
  // Recomputes both layers' mappings; raises EKvoDEvariError "Logarithmic axis
  // must not be negative." for a logarithmic axis with a bound <= 0.
  virtual void AdjustScaling();
  // World <-> control pixel of a layer (clamped to 1..2).
  void R2M(std::int32_t layer, double rx, double ry, std::int32_t& mx, std::int32_t& my) const noexcept {
    FTransforms.R2M(layer, rx, ry, mx, my);
  }
  void M2R(std::int32_t layer, std::int32_t mx, std::int32_t my, double& rx, double& ry) const noexcept {
    FTransforms.M2R(layer, mx, my, rx, ry);
  }
  void GetTransformParams(std::int32_t layer, double& kx, double& dx, double& ky,
                          double& dy) const noexcept {
    FTransforms.GetParams(layer, kx, dx, ky, dy);
  }
  const TLayerTransforms& Transforms() const noexcept { return FTransforms; }
  // Extent of a layer's data items with margin and minimum span (percent).
  void LLCalcExtents(std::int32_t layer, double marginPct, double minSpanPct, double& minX,
                     double& minY, double& maxX, double& maxY) const;
  // Extent of the data item points strictly inside a window (layer 0: all).
  void FindMinMax(std::int32_t layer, double xLow, double yLow, double xHigh, double yHigh,
                  double& minX, double& minY, double& maxX, double& maxY) const {
    LLCalcMinMax(layer, xLow, yLow, xHigh, yHigh, minX, minY, maxX, maxY);
  }
  void LLCalcMinMax(std::int32_t layer, double xLow, double yLow, double xHigh, double yHigh,
                    double& minX, double& minY, double& maxX, double& maxY) const;

  // ==== Rendering (devari_paint.cpp) ============================================
  // Redraws the data area after items were appended (only the data area when
  // AutoRedraw is on, else a full Paint).
  void ShowGraf();
  // Draws all items over the current data image without clearing it.
  void ShowGrafNewOnly();
  // The chart image without its data area: background, shadow, caption, axes.
  void ConstructChartBmp(TCanvas& canvas);
  // Background of the data area (chart colour, area or background image).
  virtual void InitGraf(TCanvas& canvas, std::int32_t left, std::int32_t top, std::int32_t width,
                        std::int32_t height);
  virtual void ConstructDataBmp(TBitmap& bmp, std::int32_t left, std::int32_t top, bool bw,
                                std::int32_t startIndex);
  // Grid (only when startIndex is 0), items, text labels and frame.
  virtual void ConstructDataBmpCanvas(TCanvas& canvas, std::int32_t left, std::int32_t top, bool bw,
                                      std::int32_t startIndex);
  // Draws one item (a copy owned by the caller) with the kept renderer state.
  void DrawContainerItemOnCanvas(TCanvas& canvas, const TrcChartItem& item, std::int32_t top,
                                 std::int32_t left, bool bw, const TLongTextArray& longTexts,
                                 bool isAnnotation, std::int32_t index);
  void EnterPolyline(std::int32_t x, std::int32_t y, TCanvas& canvas) {
    FRenderer.EnterPolyline(x, y, canvas);
  }
  void FinishPolyLine(TCanvas& canvas) { FRenderer.FinishPolyLine(canvas); }
  // Number of lines of a line-feed separated text and its extents.
  static std::int32_t CalcTextExtents(const std::string& text, TCanvas& canvas,
                                      std::int32_t& lineHeight, std::int32_t& totalHeight,
                                      std::int32_t& width);
  // Forgets the mouse trace and repaints.
  void ClearMouseTrace();
  const TItemRenderer& Renderer() const noexcept { return FRenderer; }
  // The chart image and the data-area image. On a HiDPI surface they hold
  // ImageFactor() device pixels per logical pixel (their surface scale);
  // their canvases still take logical pixels.
  TBitmap& ChartBmp() noexcept { return FChartBmp; }
  TBitmap& GrafBmp() noexcept { return FGrafBmp; }
  // Device pixels per logical pixel of the chart's images: the surface scale
  // rounded, at least 1 (1: the images are at the logical size).
  std::int32_t ImageFactor() const noexcept;

  // Colours and grid (store and repaint by the redraw rule).
  TColor ChartColor() const noexcept { return RcChartCol; }
  void SetChartCol(TColor v);
  void SetChartColor(TColor v) { SetChartCol(v); }
  TColor WindColor() const noexcept { return RcWindCol; }
  void SetWindCol(TColor v);
  void SetWindColor(TColor v) { SetWindCol(v); }
  TColor ChartFrameColor() const noexcept { return FChartFrameCol; }
  void SetScaleCol(TColor v);
  void SetChartFrameColor(TColor v) { SetScaleCol(v); }
  TColor GridColor() const noexcept { return RcGridCol; }
  void SetGridCol(TColor v);
  void SetGridColor(TColor v) { SetGridCol(v); }
  GridStyleType GridStyle() const noexcept { return RcGridStyle; }
  void SetGridStyle(GridStyleType v);
  // Grid spacing: > 0 a step, 0 the axis ticks, -1/-2/-3 logarithmic
  // sequences; values below -3 (and NaN) are ignored.
  double GridDx() const noexcept { return RcGridDx; }
  double GridDy() const noexcept { return RcGridDy; }
  void SetGridDx(double v);
  void SetGridDy(double v);
  TShadowStyle ShadowStyle() const noexcept { return RcShadowStyle; }
  void SetShadowStyle(TShadowStyle v);
  TColor ShadowColor() const noexcept { return FShadowColor; }
  void SetShadowColor(TColor v);
  TColor ShadowBakColor() const noexcept { return RcShadowBakCol; }
  void SetShadowBakColor(TColor v);
  // Background image and area of the data area.
  TBakGndImg& BackGroundImg() noexcept { return FBakGndFile; }
  void SetBakGndFile(const TBakGndImg& v);

  TRenderEvent OnScalesRendered;
  TRenderEvent OnBeforeRenderData;
  TRenderEvent OnDataRendered;
  TBeforeRenderCItemEvent OnBeforeRendedEvariItem;
  TBeforeRenderTextEvent OnBeforeRenderText;
  TScaleTickDrawnEvent OnScaleTickDrawn;
  TBeforeTickLabelEvent OnBeforeTickLabel;

  // ==== Crosshairs, text labels, mouse trace (devari_overlays.cpp) ==============
  // Crosshairs 1..4 (other numbers are ignored, positions read 0). Moving a
  // shown crosshair redraws only the overlays.
  void CrossHairSetPos(std::int32_t chnum, double x, double y);
  void CrossHairSetup(std::int32_t ch, TColor chColor, TCrossHMode mode, TPenStyle lineType,
                      std::int32_t lineWidth);
  double GetCHPosX(std::int32_t chnum) const noexcept;
  double GetCHPosY(std::int32_t chnum) const noexcept;
  void SetCHPosX(std::int32_t chnum, double v);
  void SetCHPosY(std::int32_t chnum, double v);
  double CrossHairPosX(std::int32_t n) const noexcept { return GetCHPosX(n); }
  double CrossHairPosY(std::int32_t n) const noexcept { return GetCHPosY(n); }
  // Crosshair n (1..4; others give crosshair 1). Setting copies and repaints.
  TCrossHair& CrossHair(std::int32_t n) noexcept;
  TCrossHair& GetCrossHair1() noexcept { return CrossHair(1); }
  TCrossHair& GetCrossHair2() noexcept { return CrossHair(2); }
  TCrossHair& GetCrossHair3() noexcept { return CrossHair(3); }
  TCrossHair& GetCrossHair4() noexcept { return CrossHair(4); }
  void SetCrossHair(std::int32_t n, const TCrossHair& v);
  void SetCrossHair1(const TCrossHair& v) { SetCrossHair(1, v); }
  void SetCrossHair2(const TCrossHair& v) { SetCrossHair(2, v); }
  void SetCrossHair3(const TCrossHair& v) { SetCrossHair(3, v); }
  void SetCrossHair4(const TCrossHair& v) { SetCrossHair(4, v); }
  // Overlay drawing: (offsX, offsY) is where the bitmap's origin lies in
  // control pixels.
  void DrawCrossHairs(std::int32_t offsX, std::int32_t offsY, TBitmap& bitmap);
  void DrawMouseTrace(std::int32_t offsX, std::int32_t offsY, TBitmap& bitmap);
  void DrawFinish(std::int32_t offsX, std::int32_t offsY, TCanvas& canvas, TBitmap& bitmap);

  // Text labels 1..30. AddTextLabel returns the label used, 0 when all are
  // in use; a template outside 1..30 means none.
  std::int32_t AddTextLabel(double posX, double posY, TColor txtColor, const std::string& txt,
                            std::int32_t propertyTemplate);
  void SetTextLabel(std::int32_t idx, double posX, double posY, TColor txtColor,
                    const std::string& txt, std::int32_t propertyTemplate);
  void HideAllTextLabels();
  void ClearAllTextLabels();
  // Label ix (1..30); other numbers raise EKvoDEvariError.
  TTextLabel& GetFTextLabel(std::int32_t ix);
  void SetFTextLabel(std::int32_t ix, const TTextLabel& v);
  TTextLabel& TextLabels(std::int32_t ix) { return GetFTextLabel(ix); }

  // Mouse trace (recorded by the mouse handling, drawn into the data area).
  std::vector<TColoredPoint>& MouseTraceBuffer() noexcept { return FMTrace; }
  void SetNumMTracePoints(std::int32_t n) noexcept;
  TColor MouseTraceColor() const noexcept { return FColorMTrace; }
  void SetMouseTraceColor(TColor v) noexcept { FColorMTrace = v; }
  bool MouseTraceInvert() const noexcept { return FMTraceInvert; }
  void SetMouseTraceInvert(bool v) noexcept { FMTraceInvert = v; }

  // Change target of crosshairs, labels and the background image: repaint
  // by the redraw rule.
  void StyleChanged(TObject* sender);

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
  bool FPainting = false;         // Paint is running (re-entrancy guard)
  bool FRepaintPending = false;   // a handler asked for a paint meanwhile
  std::int32_t FNumMTracePoints = 0;

  // ==== Axes, transforms, rendering, overlays: state (render parts) ===========
  // The repaint funnels, skipped while painting is suppressed (batch
  // operations such as layouts and resets call them many times).
  void RedrawIfLive() {
    if (!FSuppressPaint) RedrawByRule();
  }
  void RepaintIfLive() {
    if (!FSuppressPaint) RepaintChart();
  }
  void Loaded() override;
  // Start values of the axes, layout, colours, renderer and overlays
  // (called by ResetComp).
  void ResetRendering();
  // Applies the ranges of a layer's property objects to the chart.
  void ForceRange(std::int32_t layer, double xLow, double yLow, double xHigh, double yHigh,
                  bool saveState, bool confine);
  // Presents the control's window surface to the host.
  void PresentSurface();
  // Quick crosshair refresh: data image into the chart image, overlays, show.
  void RefreshCrossHairs();
  // Image sizes at the image factor: a logical extent in image pixels.
  std::int32_t ImagePixels(std::int32_t logical) const noexcept;
  // Sizes the chart image to the control and the data image to the data
  // area at the image factor (their canvases stay logical).
  void SizeChartImage();
  void SizeDataImage();
  // Whether the chart image (and the data image) have the current size at
  // the current factor.
  bool ChartImageFits() const noexcept;
  bool ImagesFit() const noexcept;
  // The data image into the chart image, pixel for pixel.
  void PutDataImage();
  // bitmap onto canvas with its origin at logical (x, y): an image of this
  // chart at its logical size, any other bitmap as it is.
  void PutImage(TCanvas& canvas, std::int32_t x, std::int32_t y, TBitmap& bitmap);
  // The colours painting uses: the properties, or the host's visual style
  // where the chart's StyleElements ask for it (client: areas and lines,
  // font: texts). The headless host has no style.
  struct TPaintColors {
    TColor Wind, ShadowBak, Shadow, Outline, Chart, Frame, Text;
  };
  TPaintColors PaintColors() const;
  // Everything the item renderer needs of the chart for one pass.
  TRenderContext RenderContext(std::int32_t left, std::int32_t top, bool bw);
  void DrawItemPass(TCanvas& canvas, const TRcItemContainer& list, bool isAnnotation, int textPass);
  void DrawGridOn(TCanvas& canvas, std::int32_t left, std::int32_t top);

  std::array<std::unique_ptr<TScale>, 3> FScalesX, FScalesY;  // index 1..2
  std::array<std::unique_ptr<TScalePropsHoriz>, 3> FScalePropsX;
  std::array<std::unique_ptr<TScalePropsVert>, 3> FScalePropsY;
  std::int32_t RcLRim = 50, RcRRim = 10, RcTRim = 16, RcBRim = 32, F3DRim = 0;
  std::string FChartCaption;
  std::int32_t FCaptPosX = 0, FCaptPosY = -16;
  TAlignment FCaptAlignment = taRightJustify;
  TCaptionAnchorHoriz FCaptAnchorX = cahChartRight;
  TCaptionAnchorVert FCaptAnchorY = cavChartTop;
  std::int32_t FCaptTrim = 100;
  TrcLayout FStdLayout = rcl_X1Bottom_Y1Left;
  std::int32_t Fxasp = 36, Fyasp = 36;
  bool FIsometric = false;
  TLayerTransforms FTransforms;

  TBitmap FChartBmp, FGrafBmp;
  TItemRenderer FRenderer;
  TColor RcChartCol = 16777215, RcWindCol = clBtnFace, FChartFrameCol = clBlack;
  TColor RcGridCol = clBlack;
  GridStyleType RcGridStyle = gsNone;
  double RcGridDx = 0, RcGridDy = 0;
  TShadowStyle RcShadowStyle = shsPlain;
  TColor FShadowColor = clGrayText, RcShadowBakCol = clBtnFace;
  TBakGndImg FBakGndFile;
  TBackgroundCache FBakGndCache;

  std::array<TCrossHair, 4> FCrossHair;
  TTextLabelTable FTextLabels;
  std::vector<TColoredPoint> FMTrace;
  TColor FColorMTrace = clWhite;
  bool FMTraceInvert = true;

private:
  // Loads into list (staged; committed only when the whole file is good).
  std::int32_t LoadInto(TRcItemContainer& list, const std::string& fileName, bool appendIt,
                        bool dataFile);
};

}  // namespace kvo
