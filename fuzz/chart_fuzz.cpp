// Fuzz target of the whole chart. Each input is a little program: every
// operation takes one byte for its kind and then the bytes it needs. It
// changes size, margins, shadow, grid, ranges and drawing settings, appends
// items of every kind through the drawing commands, writes raw records
// through SetChartItem (any kind, pen style, coordinate mode, slot number),
// sets long texts, removes items, paints, draws the data area at far
// origins, and saves and loads the lists (also from bytes of the input).
// Invariants: nothing crashes or is undefined; a save followed by a load
// gives back every record and every text; the per-kind counters add up to
// the items of known kinds.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "devari/datafile.h"
#include "devari/tdevari.h"
#include "libs/kvobase.h"
#include "platform/metafile.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "chart_fuzz: invariant broken: %s\n", what);
    std::abort();
  }
}

// The files of one fuzzing process: in memory where there is a file system
// there (saving syncs to disk), in a directory of their own (saving scans
// the target's directory for temporary files of killed saves), removed when
// the process ends.
const std::filesystem::path& FileDir() {
  static const std::filesystem::path dir = [] {
    std::error_code ec;
    const std::filesystem::path root = std::filesystem::is_directory("/dev/shm", ec)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::filesystem::path d = root / ("kvo_chart_fuzz_" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  static const int cleanup = std::atexit([] {
    std::error_code ec;
    std::filesystem::remove_all(FileDir(), ec);
  });
  (void)cleanup;
  return dir;
}

const std::string& FilePath(int k) {
  static const std::string paths[2] = {(FileDir() / "list.dat").string(), (FileDir() / "list.ano").string()};
  return paths[k];
}

class TInput {
public:
  TInput(const std::uint8_t* d, std::size_t n) : FData(d), FSize(n) {}
  bool More() const { return FPos < FSize; }
  std::uint8_t Byte() { return FPos < FSize ? FData[FPos++] : 0; }
  std::int32_t Small(std::int32_t lo, std::int32_t hi) {
    return lo + std::int32_t(Byte() % std::uint32_t(hi - lo + 1));
  }
  std::int32_t Int() {
    std::uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v = (v << 8) | Byte();
    return std::int32_t(v);
  }
  // Mostly small ints, sometimes anything.
  std::int32_t Pixel() {
    const std::uint8_t sel = Byte();
    if (sel < 240) return std::int32_t(sel) - 60;
    return Int();
  }
  // Margins: mostly small, rarely anything (a margin of thousands of pixels
  // makes a data image of megabytes, which would slow every input down).
  std::int32_t Margin() {
    const std::uint8_t sel = Byte();
    if (sel < 254) return std::int32_t(sel % 100) - 30;
    if (sel == 254) return std::int32_t(Byte()) * 2 - 256;
    return Byte() == 0 ? Int() : std::int32_t(Byte()) - 128;
  }
  // Mostly values of the chart's range, sometimes extreme ones.
  double Value() {
    const std::uint8_t sel = Byte();
    if (sel < 220) return (double(sel) - 10.0) / 200.0;
    switch (sel % 6) {
      case 0: return NAN;
      case 1: return INFINITY;
      case 2: return -1e300;
      case 3: return 1e-300;
      case 4: return double(Int()) * 1e6;
      default: {
        double v;
        std::uint64_t b = (std::uint64_t(std::uint32_t(Int())) << 32) | std::uint32_t(Int());
        std::memcpy(&v, &b, sizeof v);
        return v;
      }
    }
  }
  std::string Text() {
    const std::size_t n = Byte() % 40;
    std::string s;
    for (std::size_t k = 0; k < n; ++k) s += char(Byte());
    if (Byte() % 8 == 0) s.append(std::size_t(Byte()) * 16, 'W');
    return s;
  }
  std::string Rest(std::size_t max) {
    const std::size_t n = std::min(max, FSize - FPos);
    std::string s(reinterpret_cast<const char*>(FData + FPos), n);
    FPos += n;
    return s;
  }
  void Raw(void* out, std::size_t n) {
    auto* o = static_cast<std::uint8_t*>(out);
    for (std::size_t k = 0; k < n; ++k) o[k] = Byte();
  }

private:
  const std::uint8_t* FData;
  std::size_t FSize, FPos = 0;
};

void Reset(kvo::TDEvari& c);

// One chart for every input (a new chart costs more than a reset). It is
// reset after each input rather than before, so that an input frees what it
// allocated: libFuzzer runs an input whose allocations outnumber its frees
// a second time to look for leaks.
kvo::TDEvari& Chart() {
  static kvo::TDEvari chart;
  static const bool ready = (Reset(chart), true);
  (void)ready;
  return chart;
}

void Reset(kvo::TDEvari& c) {
  c.SetSuppressPaint(true);
  // The surface is the host's, not a chart setting: ResetComp keeps it.
  c.SetSurfaceScale(1);
  c.ResetComp();
  c.ClearGraf();
  c.ClearAnnotations();
  c.ClearAllTextLabels();
  for (int n = 1; n <= 4; ++n) c.CrossHairSetup(n, kvo::clRed, kvo::chOff, kvo::psSolid, 1);
  // The margins in one change (each margin setter places the axes anew),
  // then the size, which the margins bound from below. Small: every input
  // paints the chart several times.
  kvo::TChartStyle style = c.Style();
  style.LRim = 6;
  style.RRim = 4;
  style.TRim = 4;
  style.BRim = 6;
  c.SetStyle(style);
  c.SetBounds(0, 0, 96, 64);
}

bool SameRecord(const kvo::TrcChartItem& a, const kvo::TrcChartItem& b) {
  kvo::TrcChartItem x = a, y = b;
  // Slot numbers of texts are the lists' own; the texts are compared apart.
  if (kvo::IsTextKind(x.ItemKind)) x.LWid = y.LWid = 0;
  // A text length byte above 15 (set through SetChartItem) reads as 15.
  if (x.Text.Len > kvo::kShortTextLen) x.Text.Len = kvo::kShortTextLen;
  return std::memcmp(&x, &y, sizeof x) == 0;
}

void CheckCounters(const kvo::TDEvari& c) {
  std::int32_t counted = 0, known = 0;
  for (int k = 0; k < kvo::kNumItemKinds; ++k) counted += c.ItemCount(kvo::TrcItem(k));
  for (const auto& it : c.DataItems().Items()) known += kvo::IsValidItemKind(it.ItemKind) ? 1 : 0;
  Check(counted == known, "per-kind counters");
}

// Saves both lists and loads them into a second chart: every record and
// every text must come back.
void RoundTrip(kvo::TDEvari& c) {
  static kvo::TDEvari other;
  static const bool small = (other.SetBounds(0, 0, 8, 8), true);  // its data image is cleared
  (void)small;
  try {
    c.SaveData(FilePath(0));
    c.SaveAnno(FilePath(1));
  } catch (const std::exception&) {
    return;  // e.g. no space left: nothing to compare
  }
  Check(other.LoadData(FilePath(0), false) == c.NumItems(), "data records loaded");
  Check(other.LoadAnno(FilePath(1), false) == c.NumAnnos(), "annotations loaded");
  for (std::int32_t i = 0; i < c.NumItems(); ++i) {
    Check(SameRecord(c.DataItems()[i], other.DataItems()[i]), "data record after load");
    Check(c.DataLongText(i) == other.DataLongText(i), "data text after load");
  }
  for (std::int32_t i = 0; i < c.NumAnnos(); ++i) {
    Check(SameRecord(c.AnnoItems()[i], other.AnnoItems()[i]), "annotation after load");
    Check(c.AnnoLongText(i) == other.AnnoLongText(i), "annotation text after load");
  }
  CheckCounters(other);
  other.ClearGraf();
  other.ClearAnnotations();
}

void Command(kvo::TDEvari& c, TInput& in) {
  const double x = in.Value(), y = in.Value(), x2 = in.Value(), y2 = in.Value();
  switch (in.Byte() % 22) {
    case 0: c.MoveTo(x, y); break;
    case 1: c.DrawTo(x, y); break;
    case 2: c.MoveToRelPix(in.Pixel(), in.Pixel()); break;
    case 3: c.DrawToRelPix(in.Pixel(), in.Pixel()); break;
    case 4: c.DrawToRelPix(x, y, in.Pixel(), in.Pixel()); break;
    case 5: c.Line(x, y, x2, y2); break;
    case 6: c.LineOffset(x, y, x2, y2, in.Pixel(), in.Pixel()); break;
    case 7: c.Rectangle(x, y, x2, y2); break;
    case 8: c.RectangleRelPix(x, y, in.Pixel(), in.Pixel()); break;
    case 9:
      c.RectFrame(x, y, x2, y2, kvo::TFrameStyle(in.Byte()), kvo::TColor(in.Int()), kvo::TColor(in.Int()));
      break;
    case 10: c.Bar3D(x, y, x2, y2, in.Pixel(), in.Pixel()); break;
    case 11: c.Ellipse(x, y, x2, y2); break;
    case 12: c.Arc(x, y, x2, y2, in.Value() * 400, in.Value() * 400); break;
    case 13: c.Arrow(x, y, x2, y2, in.Pixel()); break;
    case 14: c.DoubleArrow(x, y, x2, y2, in.Pixel()); break;
    case 15: c.Text(x, y, in.Pixel(), in.Text()); break;
    case 16:
      c.Text(x, y, in.Pixel(), in.Text(), in.Pixel(), in.Pixel(), kvo::TAlignment(in.Small(0, 3)));
      break;
    case 17: c.CursorVert(x); break;
    case 18: c.CursorHoriz(y); break;
    case 19: c.MarkAt(x, y, in.Byte()); break;
    case 20:
      c.MarkErrorBar(x, y, x2, y2, kvo::TOrientation(in.Byte() & 1), in.Byte());
      break;
    default: c.Text(std::int32_t(in.Pixel()), std::int32_t(in.Pixel()), in.Pixel(), in.Text());
  }
}

void Setting(kvo::TDEvari& c, TInput& in) {
  switch (in.Byte() % 20) {
    case 0: c.SetBounds(0, 0, in.Small(0, 128), in.Small(0, 96)); break;
    case 1: c.SetMarginLeft(in.Margin()); break;
    case 2: c.SetMarginRight(in.Margin()); break;
    case 3: c.SetMarginTop(in.Margin()); break;
    case 4: c.SetMarginBottom(in.Margin()); break;
    case 5: c.SetF3DRim(in.Margin()); break;
    case 6: c.SetGridStyle(kvo::GridStyleType(in.Small(0, 8))); break;
    case 7: c.SetGridDx(in.Value()); c.SetGridDy(in.Value() - 0.5); break;
    case 8: {
      kvo::TScaleProps& s = in.Byte() & 1 ? static_cast<kvo::TScaleProps&>(c.Scale1X())
                                          : static_cast<kvo::TScaleProps&>(c.Scale1Y());
      s.SetRangeLow(in.Value());
      s.SetRangeHigh(in.Value() * 10);
      break;
    }
    case 9: {
      kvo::TScaleProps& s = in.Byte() & 1 ? static_cast<kvo::TScaleProps&>(c.Scale1X())
                                          : static_cast<kvo::TScaleProps&>(c.Scale1Y());
      s.SetLogarithmic(in.Byte() & 1);
      break;
    }
    case 10: c.SetPenStyle(kvo::TPenStyle(in.Byte())); break;
    case 11: c.SetLineWid(in.Byte()); break;
    case 12: c.SetAnnoMode(in.Byte() & 1); break;
    case 13: c.SetActiveLayer(in.Small(0, 3)); break;
    case 14: c.SetAvoidDupMarks(in.Byte() & 1); c.SetDupMarksMinD(in.Small(0, 4)); break;
    case 15: c.SetSurfaceScale(double(in.Small(1, 8)) / 4); break;
    case 16: c.SetStdLayout(kvo::TrcLayout(in.Small(0, 6))); break;
    case 17: c.SetTextBkStyle(kvo::TTextBkg(in.Byte() & 1)); break;
    case 18: {
      // Crosshairs of every mode, style and width.
      const std::int32_t n = in.Small(1, 4);
      c.CrossHairSetup(n, kvo::TColor(in.Int()), kvo::TCrossHMode(in.Small(0, 7)),
                       kvo::TPenStyle(in.Byte()), in.Pixel());
      c.CrossHairSetPos(n, in.Value(), in.Value());
      break;
    }
    default: {
      // A text label in any mode, attachment and alignment.
      const std::int32_t n = c.AddTextLabel(in.Value(), in.Value(), kvo::TColor(in.Int()),
                                            in.Text(), in.Small(0, 31));
      if (n < 1) break;
      kvo::TTextLabel& l = c.GetFTextLabel(n);
      l.SetTxtLblMode(kvo::TTxtLblMode(in.Small(0, 6)));
      l.SetTxtLblAlignment(kvo::TAlignment(in.Small(0, 3)));
      l.SetTxtLblScreenPos(kvo::TTxtLblAttachMode(in.Small(0, 4)));
      l.SetTxtLblShadowDx(in.Pixel());
      l.SetTxtLblShadowDy(in.Pixel());
      break;
    }
  }
}

void Step(kvo::TDEvari& c, TInput& in) {
  switch (in.Byte() % 12) {
    case 0:
    case 1:
    case 2: Command(c, in); break;
    case 3:
    case 4:
      try {
        Setting(c, in);
      } catch (const kvo::EKvoError&) {
        // documented refusals (a logarithmic axis over a range <= 0, ...)
      }
      break;
    case 5: {
      // A raw record: any kind, style, mode and slot number.
      kvo::TrcChartItem it;
      kvo::CleadEvariItem(it);
      in.Raw(&it.Color, 4);
      it.PenStyle = kvo::TPenStyle(in.Byte());
      it.ItemKind = kvo::TrcItem(in.Byte());
      it.CoordMode = kvo::TCoordMode(in.Byte());
      it.FrameStyle = kvo::TFrameStyle(in.Byte());
      it.LWid = in.Small(-2, 60);
      it.Layer = in.Small(0, 3);
      it.Param1 = in.Pixel();
      it.Param2 = in.Pixel();
      it.Param3 = in.Pixel();
      it.x = in.Value(); it.y = in.Value(); it.x2 = in.Value(); it.y2 = in.Value();
      it.Text.Len = in.Byte();
      in.Raw(it.Text.Chars, 4);
      const std::int32_t i = in.Small(-1, 40);
      if (in.Byte() & 1) c.SetChartItem(i, it);
      else c.SetAnnoItem(i, it);
      break;
    }
    case 6: c.SetDataLongText(in.Small(-1, 40), in.Text()); break;
    case 7:
      switch (in.Byte() % 3) {
        case 0: c.RemoveItem(in.Small(-1, 40)); break;
        case 1: c.RemoveLastItem(); break;
        default: c.RemoveAnnoItem(in.Small(-1, 40)); break;
      }
      break;
    case 8:
      c.SetSuppressPaint(false);  // paints
      switch (in.Byte() % 4) {
        case 0: c.ShowGraf(); break;
        case 1: c.ShowGrafNewOnly(); break;
        default: break;
      }
      c.SetSuppressPaint(true);
      break;
    case 9: {
      kvo::TMetafile mf(in.Small(0, 200), in.Small(0, 200));
      c.ConstructDataBmpCanvas(mf.Canvas(), in.Pixel(), in.Pixel(), in.Byte() & 1, 0);
      break;
    }
    case 10: RoundTrip(c); break;
    default: {
      // Bytes of the input as a data or annotation file.
      const bool anno = in.Byte() & 1, append = in.Byte() & 1;
      {
        std::ofstream out(FilePath(anno), std::ios::binary | std::ios::trunc);
        const kvo::TrcChartItem h =
            kvo::ItemFileHeader(anno ? kvo::TItemFileKind::Anno : kvo::TItemFileKind::Data,
                                in.Small(0, 8), in.Small(0, 8));
        out.write(reinterpret_cast<const char*>(&h), sizeof h);
        const std::string body = in.Rest(in.Small(0, 255) * 4);
        out.write(body.data(), std::streamsize(body.size()));
      }
      const std::int32_t r = anno ? c.LoadAnno(FilePath(1), append) : c.LoadData(FilePath(0), append);
      Check(r >= -2, "load result");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kvo::TDEvari& c = Chart();
  TInput in(data, size);
  for (int steps = 0; in.More() && steps < 64; ++steps) {
    Step(c, in);
  }
  // Every input ends with a paint and a round trip of what it built.
  c.SetSuppressPaint(false);
  c.SetSuppressPaint(true);
  RoundTrip(c);
  Reset(c);
  return 0;
}
