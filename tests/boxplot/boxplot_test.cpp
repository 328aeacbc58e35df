// The box plot: statistics against hand-computed values and the table's own
// functions, the figure as display-list items, labels, ranges, orientation,
// the colour event, the statistics export and the update protocol.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "boxplot/boxplot.h"
#include "devari/scaleprops.h"
#include "devari/textlabel.h"
#include "libs/math1.h"
#include "platform/metafile.h"
#include "tests/support/golden.h"

namespace kvo {
namespace {

// A plot with painting on that counts its repaints.
class TCountingBoxPlot : public TBoxPlot {
public:
  TCountingBoxPlot() {
    SetBounds(0, 0, 400, 300);
    SetSuppressPaint(false);
    Paints = 0;
  }
  int Paints = 0;
  void Paint() override {
    ++Paints;
    TBoxPlot::Paint();
  }
};

// Items of one kind in list order.
std::vector<TrcChartItem> ItemsOf(const TBoxPlot& p, TrcItem kind) {
  std::vector<TrcChartItem> out;
  for (std::int32_t i = 0; i < p.NumItems(); ++i)
    if (p.GetChartItem(i).ItemKind == kind) out.push_back(p.GetChartItem(i));
  return out;
}

void Fill(TDataTable& t, const std::vector<std::vector<double>>& cols) {
  t.BeginUpdate();
  std::size_t rows = 0;
  for (const auto& c : cols) rows = std::max(rows, c.size());
  t.Resize(std::int32_t(cols.size()), std::int32_t(rows));
  t.Clear();
  for (std::size_t j = 0; j < cols.size(); ++j)
    for (std::size_t r = 0; r < cols[j].size(); ++r)
      t.SetElem(std::int32_t(j + 1), std::int32_t(r + 1), cols[j][r]);
  t.EndUpdate();
}

TEST(BoxStats, SmallSamplesByHand) {
  std::vector<double> v{5, 1, 4, 2, 3};
  TBoxStats s = ComputeBoxStats(v);
  EXPECT_EQ(s.Count, 5);
  EXPECT_DOUBLE_EQ(s.Min, 1);
  EXPECT_DOUBLE_EQ(s.Max, 5);
  EXPECT_DOUBLE_EQ(s.Mean, 3);
  EXPECT_DOUBLE_EQ(s.P10, 1.4);  // h = 0.4
  EXPECT_DOUBLE_EQ(s.Q1, 2);
  EXPECT_DOUBLE_EQ(s.Median, 3);
  EXPECT_DOUBLE_EQ(s.Q3, 4);
  EXPECT_DOUBLE_EQ(s.P90, 4.6);

  // Even count with ties: 1 2 2 7 -> h(25) = 0.75, h(50) = 1.5, h(75) = 2.25.
  v = {7, 2, 1, 2};
  s = ComputeBoxStats(v);
  EXPECT_DOUBLE_EQ(s.Q1, 1.75);
  EXPECT_DOUBLE_EQ(s.Median, 2);
  EXPECT_DOUBLE_EQ(s.Q3, 3.25);
  EXPECT_DOUBLE_EQ(s.P10, 1.3);
  EXPECT_DOUBLE_EQ(s.P90, 5.5);
  EXPECT_DOUBLE_EQ(s.Mean, 3);

  // Two values: every percentile selects both order statistics.
  v = {10, 0};
  s = ComputeBoxStats(v);
  EXPECT_DOUBLE_EQ(s.P10, 1);
  EXPECT_DOUBLE_EQ(s.Q1, 2.5);
  EXPECT_DOUBLE_EQ(s.P90, 9);

  v = {42};
  s = ComputeBoxStats(v);
  EXPECT_EQ(s.Count, 1);
  EXPECT_DOUBLE_EQ(s.P10, 42);
  EXPECT_DOUBLE_EQ(s.P90, 42);

  v.clear();
  s = ComputeBoxStats(v);
  EXPECT_EQ(s.Count, 0);
  EXPECT_TRUE(std::isnan(s.Median));
  EXPECT_TRUE(std::isnan(s.Min));

  // A large offset keeps the mean exact.
  v = {1e15 + 1, 1e15 + 2, 1e15 + 3};
  EXPECT_DOUBLE_EQ(ComputeBoxStats(v).Mean, 1e15 + 2);
}

TEST(BoxStats, AgreeWithTheTableOnRandomSamples) {
  std::mt19937 gen(7);
  for (int n : {1, 2, 3, 4, 9, 10, 11, 100, 1001}) {
    SCOPED_TRACE(n);
    TDataTable t(1, n);
    std::uniform_int_distribution<int> d(-20, 20);  // many ties
    for (int r = 1; r <= n; ++r) t.SetElem(1, r, d(gen) * 0.5);
    TBoxPlot p;
    p.AssignAnotherDataTable(&t);
    p.CommitChangedData();
    const TBoxStats& s = p.Stats(1);
    std::int64_t c = 0;
    double q1, q2, q3, lo, hi, mean, var;
    t.QuartilesOfNumCells(1, 1, 1, n, q1, q2, q3, c);
    t.MinMaxOfNumCells(1, 1, 1, n, lo, hi);
    t.MeanVarOfNumCells(1, 1, 1, n, mean, var);
    EXPECT_EQ(s.Count, n);
    EXPECT_DOUBLE_EQ(s.Q1, q1);
    EXPECT_DOUBLE_EQ(s.Median, q2);
    EXPECT_DOUBLE_EQ(s.Q3, q3);
    EXPECT_DOUBLE_EQ(s.P10, t.PercentileOfNumCells(10, 1, 1, 1, n, c));
    EXPECT_DOUBLE_EQ(s.P90, t.PercentileOfNumCells(90, 1, 1, 1, n, c));
    EXPECT_DOUBLE_EQ(s.Min, lo);
    EXPECT_DOUBLE_EQ(s.Max, hi);
    EXPECT_NEAR(s.Mean, mean, 1e-12);
    EXPECT_EQ(p.Quartiles().GetVal(1, 2), q2);
    EXPECT_EQ(p.Percentiles90().GetVal(1, 2), s.P90);
    EXPECT_EQ(p.Minis().GetVal(1), lo);
    p.AssignAnotherDataTable(nullptr);  // detach before the table goes
  }
}

// Large samples go through binning: every shape of sample must give the
// exact order statistics of a full sort.
TEST(BoxStats, LargeSamplesMatchAFullSort) {
  std::mt19937 gen(11);
  std::normal_distribution<double> normal(0, 1);
  const auto exact = [](std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return PercentileOfSorted(v, p);
  };
  for (int shape = 0; shape < 6; ++shape)
    for (std::size_t n : {128u, 129u, 1000u, 4999u, 100000u}) {
      SCOPED_TRACE(testing::Message() << "shape " << shape << " n " << n);
      std::vector<double> v(n);
      for (std::size_t i = 0; i < n; ++i) {
        switch (shape) {
          case 0: v[i] = normal(gen); break;
          case 1: v[i] = std::exp(3 * normal(gen)); break;  // heavy right tail
          case 2: v[i] = 5; break;                          // all equal
          case 3: v[i] = i == 7 ? 1e300 : normal(gen); break;  // one far outlier
          case 4: v[i] = double(i % 3); break;              // three values
          default: v[i] = i == 3 ? -INFINITY : normal(gen); break;
        }
      }
      const std::vector<double> copy = v;
      const TBoxStats s = ComputeBoxStats(v);
      EXPECT_EQ(s.P10, exact(copy, 10));
      EXPECT_EQ(s.Q1, exact(copy, 25));
      EXPECT_EQ(s.Median, exact(copy, 50));
      EXPECT_EQ(s.Q3, exact(copy, 75));
      EXPECT_EQ(s.P90, exact(copy, 90));
      EXPECT_EQ(s.Min, *std::min_element(copy.begin(), copy.end()));
      EXPECT_EQ(s.Max, *std::max_element(copy.begin(), copy.end()));
    }
}

TEST(BoxPlot, StartValuesAndADefaultBox) {
  TBoxPlot p;
  EXPECT_EQ(p.Data().NrOfColumns(), 1);
  EXPECT_EQ(p.Data().NrOfRows(), 100);
  EXPECT_FALSE(p.ExternalTable());
  EXPECT_EQ(p.Caption(), "BoxPlot");
  EXPECT_EQ(p.MarginLeft(), 50);
  EXPECT_EQ(p.MarginRight(), 10);
  EXPECT_EQ(p.MarginTop(), 16);
  EXPECT_EQ(p.MarginBottom(), 24);
  EXPECT_EQ(p.ChartColor(), clWhite);
  EXPECT_EQ(p.WindColor(), clBtnFace);
  EXPECT_FALSE(p.Scale1X().Visible());
  EXPECT_TRUE(p.Scale1Y().Visible());
  EXPECT_EQ(p.Scale1X().RangeLow(), 0);
  EXPECT_EQ(p.Scale1X().RangeHigh(), 2);
  EXPECT_EQ(p.Scale1Y().RangeLow(), -1);
  EXPECT_EQ(p.Settings(), TBoxPlotSettings{});
  EXPECT_EQ(p.Labels().Position(), 8);
  EXPECT_EQ(p.Labels().ColorBkg(), 0xC0C0C0u);
  EXPECT_EQ(p.Labels().ShadowDy(), 2);
  // The default sample is the same in every plot (reproducible pictures)
  // and leaves the application's random sequence alone.
  GRandomSeed(5);
  const double first = GRandom();
  GRandomSeed(5);
  TBoxPlot q;
  EXPECT_EQ(GRandom(), first);
  p.CreateChart();
  q.CreateChart();
  EXPECT_EQ(p.Stats(1).Median, q.Stats(1).Median);
  EXPECT_EQ(p.Stats(1).Count, 100);
  EXPECT_GT(p.Stats(1).Max, p.Stats(1).Q3);
  // One box: 2 whiskers, 2 extreme marks, the box, the median line, the mean mark.
  EXPECT_EQ(p.NumItems(), 7);
  EXPECT_EQ(ItemsOf(p, tkRect).size(), 1u);
  EXPECT_EQ(p.TextLabels(1).Caption(), "Col1");
  EXPECT_TRUE(p.TextLabels(1).Visible());
  EXPECT_FALSE(p.TextLabels(2).Visible());
}

TEST(BoxPlot, FigureItemsFollowTheStatistics) {
  TBoxPlot p;
  Fill(p.Data(), {{1, 2, 3, 4, 5}, {10, 20, 30, 40, 50}});
  p.SetSymbolMean(0);  // a line
  p.SetShow90Perc(true);
  p.CreateChart();
  const auto rects = ItemsOf(p, tkRect);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_DOUBLE_EQ(rects[1].x, 1.75);
  EXPECT_DOUBLE_EQ(rects[1].x2, 2.25);
  EXPECT_DOUBLE_EQ(rects[1].y, 20);
  EXPECT_DOUBLE_EQ(rects[1].y2, 40);
  EXPECT_EQ(rects[1].FillColor, p.ColorBody());
  const auto lines = ItemsOf(p, tkLine);
  // Per box: 2 whiskers, 2 percentile ticks, median, mean.
  ASSERT_EQ(lines.size(), 12u);
  const TrcChartItem& whisker = lines[6];
  EXPECT_DOUBLE_EQ(whisker.x, 2);
  EXPECT_DOUBLE_EQ(whisker.y, 20);
  EXPECT_DOUBLE_EQ(whisker.y2, 10);
  // The percentile ticks are half as wide as the box.
  const TrcChartItem& p10 = lines[8];
  EXPECT_DOUBLE_EQ(p10.y, 14);
  EXPECT_DOUBLE_EQ(p10.x2 - p10.x, p.BoxWidth() / 2);
  EXPECT_EQ(p10.Color, p.Color90Perc());
  const TrcChartItem& median = lines[10];
  EXPECT_DOUBLE_EQ(median.x2 - median.x, p.BoxWidth());
  EXPECT_DOUBLE_EQ(median.y, 30);
  const auto marks = ItemsOf(p, tkMarkAt);
  ASSERT_EQ(marks.size(), 4u);
  EXPECT_EQ(marks[0].Param3, 26);

  // The figure's colours do not leak into the application's settings.
  EXPECT_EQ(p.DataColor(), TDrawSettings{}.DataColor);

  // Horizontal: the same figure with position and value exchanged.
  p.SetOrientation(bpltHorizontal);
  const auto hr = ItemsOf(p, tkRect);
  ASSERT_EQ(hr.size(), 2u);
  EXPECT_DOUBLE_EQ(hr[1].y, 1.75);
  EXPECT_DOUBLE_EQ(hr[1].x, 20);
  EXPECT_TRUE(p.Scale1X().Visible());
  EXPECT_FALSE(p.Scale1Y().Visible());
}

TEST(BoxPlot, PropertyEdgesAndOneRepaintPerChange) {
  TCountingBoxPlot p;
  p.SetBoxWidth(2);
  EXPECT_EQ(p.BoxWidth(), 1);
  EXPECT_EQ(p.Paints, 1);
  p.SetBoxWidth(-1);
  EXPECT_EQ(p.BoxWidth(), 0);
  p.SetBoxWidth(std::nan(""));
  EXPECT_EQ(p.BoxWidth(), 0);
  p.SetSymbolMean(60);
  EXPECT_EQ(p.SymbolMean(), 5);
  p.SetSymbolMean(51);
  EXPECT_EQ(p.SymbolMean(), 51);
  p.Paints = 0;
  p.SetSymbolMean(51);  // unchanged
  p.SetColorBody(clRed);
  EXPECT_EQ(p.Paints, 1);
  p.SetGridStyle(bpgsDotLines);
  EXPECT_EQ(p.TCustomDEvari::GridStyle(), gsHorizDotLines);
  p.SetOrientation(bpltHorizontal);
  EXPECT_EQ(p.TCustomDEvari::GridStyle(), gsVertDotLines);
  EXPECT_EQ(p.Paints, 3);
  // A whole settings value: one repaint, clamped like the setters.
  TBoxPlotSettings s = p.Settings();
  s.BoxWidth = 7;
  s.SymbolMax = 99;
  s.Orientation = bpltVertical;
  p.Paints = 0;
  p.SetSettings(s);
  EXPECT_EQ(p.Paints, 1);
  EXPECT_EQ(p.BoxWidth(), 1);
  EXPECT_EQ(p.SymbolMax(), 26);
  EXPECT_EQ(p.Orientation(), bpltVertical);
  // A table change while painting is held back repaints once at the end.
  p.Paints = 0;
  p.SetSuppressPaint(true);
  Fill(p.Data(), {{1, 2}, {3, 4}, {5, 6}});
  p.Data().SetColName(2, "B\\xB0");
  EXPECT_EQ(p.Paints, 0);
  p.SetSuppressPaint(false);
  EXPECT_EQ(p.Paints, 1);
  EXPECT_EQ(ItemsOf(p, tkRect).size(), 3u);
  EXPECT_EQ(p.TextLabels(2).Caption(), "B\u00B0");
  p.ResetComp();
  EXPECT_EQ(p.Settings(), TBoxPlotSettings{});
  EXPECT_EQ(p.Caption(), "BoxPlot");
}

TEST(BoxPlot, ThirtyFiveColumnsDrawThirtyFiveBoxesAndThirtyLabels) {
  TBoxPlot p;
  std::vector<std::vector<double>> cols(35, std::vector<double>{1, 2, 3});
  Fill(p.Data(), cols);
  p.CreateChart();
  EXPECT_EQ(ItemsOf(p, tkRect).size(), 35u);
  for (int j = 1; j <= 30; ++j) {
    EXPECT_TRUE(p.TextLabels(j).Visible()) << j;
    EXPECT_EQ(p.TextLabels(j).PosX(), j);
  }
  Fill(p.Data(), {{1}, {2}});
  p.CreateChart();
  EXPECT_TRUE(p.TextLabels(2).Visible());
  EXPECT_FALSE(p.TextLabels(3).Visible());
}

TEST(BoxPlot, ColumnsWithoutNumbersDrawNothingAndStayOutOfRanges) {
  TBoxPlot p;
  TDataTable& t = p.Data();
  t.BeginUpdate();
  t.Resize(4, 3);
  t.Clear();
  t.SetElem(1, 1, -2.0);
  t.SetElem(1, 2, "n/a");
  t.SetElem(1, 3, 0.0);
  t.SetElem(2, 1, "text only");
  t.SetElem(3, 1, std::nan(""));
  t.SetElem(4, 1, 3.0);
  t.SetElem(4, 2, 1.0);
  t.EndUpdate();
  p.CommitChangedData();
  EXPECT_EQ(p.Stats(1).Count, 2);
  EXPECT_EQ(p.Stats(1).Median, -1);
  EXPECT_EQ(p.Stats(2).Count, 0);
  EXPECT_EQ(p.Stats(3).Count, 0);
  EXPECT_TRUE(std::isnan(p.Minis().GetVal(2)));
  p.CreateChart();
  EXPECT_EQ(ItemsOf(p, tkRect).size(), 2u);
  EXPECT_TRUE(p.TextLabels(2).Visible());  // the empty column keeps its label
  // -2 .. 3 over 4 columns, 10 %: x 0 .. 5, y -2.5 .. 3.5.
  p.AutoRange(10);
  EXPECT_DOUBLE_EQ(p.Scale1X().RangeLow(), 0);
  EXPECT_DOUBLE_EQ(p.Scale1X().RangeHigh(), 5);
  EXPECT_DOUBLE_EQ(p.Scale1Y().RangeLow(), -2.5);
  EXPECT_DOUBLE_EQ(p.Scale1Y().RangeHigh(), 3.5);
  p.SetOrientation(bpltHorizontal);  // the ranges change places
  EXPECT_DOUBLE_EQ(p.Scale1X().RangeLow(), -2.5);
  EXPECT_DOUBLE_EQ(p.Scale1Y().RangeHigh(), 5);
  // No number anywhere: a value range of -1 .. 1, nothing drawn.
  Fill(t, {{}, {}});
  t.Resize(2, 2);
  p.AutoRange(0);
  EXPECT_DOUBLE_EQ(p.Scale1X().RangeLow(), -1);
  EXPECT_DOUBLE_EQ(p.Scale1X().RangeHigh(), 1);
  EXPECT_DOUBLE_EQ(p.Scale1Y().RangeHigh(), 3);
  p.CreateChart();
  EXPECT_EQ(p.NumItems(), 0);
}

TEST(BoxPlot, ColourEventChangesOneColumnOnly) {
  TBoxPlot p;
  Fill(p.Data(), {{1, 2, 3}, {1, 2, 3}, {1, 2, 3}});
  std::vector<std::int32_t> seen;
  p.OnBeforeBoxDraw = [&](TObject* sender, std::int32_t col, TColor&, TColor& body, TColor&,
                          TColor&, TColor&, TColor&) {
    EXPECT_EQ(sender, &p);
    seen.push_back(col);
    if (col == 2) body = clYellow;
  };
  p.CreateChart();
  EXPECT_EQ(seen, (std::vector<std::int32_t>{1, 2, 3}));
  const auto rects = ItemsOf(p, tkRect);
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_EQ(rects[0].FillColor, p.ColorBody());
  EXPECT_EQ(rects[1].FillColor, clYellow);
  EXPECT_EQ(rects[2].FillColor, p.ColorBody());
  EXPECT_EQ(p.ColorBody(), 0xE9E9E9u);
}

TEST(BoxPlot, LabelsArePlacedForEachOrientation) {
  TBoxPlot p;
  p.SetBounds(0, 0, 500, 300);
  Fill(p.Data(), {{1, 2}, {3, 4}});
  p.CreateChart();
  TTextLabel& l = p.TextLabels(2);
  EXPECT_EQ(l.AttachToData(), tlaWorldX);
  EXPECT_EQ(l.PosX(), 2);
  EXPECT_EQ(l.PosY(), 300 - 8 - 24);
  EXPECT_EQ(l.VerticalAlignment(), taAlignBottom);
  p.Labels().SetPosition(-5);  // from the other edge
  p.CreateChart();
  EXPECT_EQ(l.PosY(), 5 + 16);
  EXPECT_EQ(l.VerticalAlignment(), taAlignTop);
  p.SetOrientation(bpltHorizontal);
  EXPECT_EQ(l.AttachToData(), tlaWorldY);
  EXPECT_EQ(l.PosY(), 2);
  EXPECT_EQ(l.PosX(), 5 + 50);
  EXPECT_EQ(l.Alignment(), taLeftJustify);
  p.Labels().SetPosition(8);
  p.CreateChart();
  EXPECT_EQ(l.PosX(), 500 - 8 - 10);
  EXPECT_EQ(l.Alignment(), taRightJustify);
  p.Labels().SetColorBkg(clAqua);
  p.CreateChart();
  EXPECT_EQ(l.ColorBkg(), clAqua);
  // A resize re-places them at the next paint.
  p.SetSuppressPaint(false);
  p.SetBounds(0, 0, 600, 300);
  EXPECT_EQ(l.PosX(), 600 - 8 - 10);
}

TEST(BoxPlot, AnotherTableIsShownAndDetached) {
  auto t1 = std::make_unique<TDataTable>(2, 3);
  TDataTable t2(1, 2);
  TCountingBoxPlot p;
  p.AssignAnotherDataTable(t1.get());
  EXPECT_TRUE(p.ExternalTable());
  EXPECT_EQ(&p.Data(), t1.get());
  t1->SetElem(1, 1, 4.0);
  EXPECT_EQ(p.Stats(1).Count, 1);
  p.AssignAnotherDataTable(&t2);
  EXPECT_FALSE(bool(t1->OnChange));  // the previous table no longer reports here
  const int paints = p.Paints;
  t1->SetElem(1, 2, 5.0);
  EXPECT_EQ(p.Paints, paints);
  t1.reset();  // the plot no longer refers to it
  t2.SetElem(1, 1, 9.0);
  EXPECT_EQ(p.Stats(1).Max, 9);
  {
    TBoxPlot q;
    q.AssignAnotherDataTable(&t2);
  }
  EXPECT_FALSE(bool(t2.OnChange));  // detached, not freed, when the plot goes
  EXPECT_EQ(t2.GetNumber(1, 1), 9);
  p.AssignAnotherDataTable(nullptr);
  EXPECT_FALSE(p.ExternalTable());
  EXPECT_EQ(p.Data().NrOfRows(), 100);
}

TEST(BoxPlot, SaveDataASCAppendsTheBoxParameters) {
  TBoxPlot p;
  Fill(p.Data(), {{1, 2, 3, 4, 5}, {}, {2, 4}});
  p.Data().SetColName(1, "Temperature sensor");
  const std::string file = test::TempPath("box.txt");
  {
    std::ofstream o(file);
    o << "old\n";
  }
  p.SaveDataASC(file);
  std::ifstream in(file);
  std::stringstream ss;
  ss << in.rdbuf();
  const std::string text = ss.str();
  const std::string head = std::string(30, '-') + " Box Parameters " + std::string(30, '-');
  const std::size_t at = text.find("\n\n" + head + "\n\n");
  ASSERT_NE(at, std::string::npos) << text;
  // The table's own export comes first, with the column names in its header.
  EXPECT_LT(text.find("Temperature sensor"), at);
  std::istringstream lines(text.substr(at + 2 + head.size() + 2));
  std::string names, mean, mn, p10, q1, q2, q3, p90, mx;
  std::getline(lines, names);
  std::getline(lines, mean);
  std::getline(lines, mn);
  std::getline(lines, p10);
  std::getline(lines, q1);
  std::getline(lines, q2);
  std::getline(lines, q3);
  std::getline(lines, p90);
  std::getline(lines, mx);
  // Six blanks, then each name abbreviated and centred in 12 and a blank;
  // the column without numbers is left out.
  EXPECT_EQ(names, "      Temperature.     Col3     ");
  const auto field = [](const std::string& v) { return std::string(12 - v.size(), ' ') + v + " "; };
  EXPECT_EQ(mean, "Mean: " + field("3") + field("3"));
  EXPECT_EQ(p10, " P10: " + field("1.4") + field("2.2"));
  EXPECT_EQ(q2, "  Q2: " + field("3") + field("3"));
  EXPECT_EQ(mx, " Max: " + field("5") + field("4"));
  EXPECT_EQ(mn.substr(0, 6), " Min: ");
  EXPECT_EQ(q1.substr(0, 6), "  Q1: ");
  EXPECT_EQ(q3.substr(0, 6), "  Q3: ");
  EXPECT_EQ(p90.substr(0, 6), " P90: ");
  EXPECT_THROW(p.SaveDataASC("/nonexistent-dir/x/box.txt"), EKvoError);
}

TEST(BoxPlot, PaintDrawsTheBoxesInTheDataArea) {
  TBoxPlot p;
  p.SetBounds(0, 0, 400, 300);
  Fill(p.Data(), {{0, 1, 2, 3, 4}});
  p.SetRange(0, -1, 2, 5);
  p.SetSuppressPaint(false);
  TMetafile mf(400, 300);
  p.ConstructDataBmpCanvas(mf.Canvas(), 0, 0, false, 0);
  // The box Q1 = 1 .. Q3 = 3 at position 1 +- 0.25, mapped by the chart.
  std::int32_t x1, y1, x2, y2;
  p.R2M(1, 0.75, 3, x1, y1);
  p.R2M(1, 1.25, 1, x2, y2);
  bool found = false;
  for (const TMetaRecord& m : mf.Records())
    if (m.Op == TMetaOp::Rectangle && m.Brush.Color == 0xE9E9E9u) {
      found = true;
      EXPECT_NEAR(m.Box.Left, x1 - p.MarginLeft(), 1);
      EXPECT_NEAR(m.Box.Top, y1 - p.MarginTop(), 1);
      EXPECT_NEAR(m.Box.Right, x2 - p.MarginLeft(), 2);
      EXPECT_NEAR(m.Box.Bottom, y2 - p.MarginTop(), 2);
    }
  EXPECT_TRUE(found);
  // The column label is drawn with the column's name.
  bool label = false;
  for (const TMetaRecord& m : mf.Records()) label |= m.Op == TMetaOp::Text && m.Text == "Col1";
  EXPECT_TRUE(label);
}

TEST(BoxPlot, AssignCopiesSettingsTemplateAndData) {
  TBoxPlot a, b;
  Fill(a.Data(), {{1, 2, 3}, {4, 5, 6}});
  a.SetColorMean(clGreen);
  a.Labels().SetPosition(20);
  b.Assign(a);
  EXPECT_EQ(b.ColorMean(), clGreen);
  EXPECT_EQ(b.Labels().Position(), 20);
  EXPECT_EQ(b.Data().NrOfColumns(), 2);
  b.CreateChart();
  EXPECT_EQ(b.Stats(2).Median, 5);
  // b's table still reports to b.
  b.Data().SetElem(2, 1, 100.0);
  b.CreateChart();
  EXPECT_EQ(b.Stats(2).Max, 100);
  EXPECT_EQ(a.Data().GetNumber(2, 1), 4);
  // An application's table is not overwritten by an assignment.
  TDataTable ext(1, 1);
  ext.SetElem(1, 1, 7.0);
  TBoxPlot c;
  c.AssignAnotherDataTable(&ext);
  c.Assign(a);
  EXPECT_EQ(ext.NrOfColumns(), 1);
  EXPECT_EQ(ext.GetNumber(1, 1), 7);
  EXPECT_EQ(c.ColorMean(), clGreen);
  c.AssignAnotherDataTable(nullptr);
}

}  // namespace
}  // namespace kvo
