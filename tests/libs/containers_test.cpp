#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "libs/datatable.h"
#include "libs/dstruct.h"
#include "libs/matrix.h"
#include "libs/vector.h"
#include "tests/support/golden.h"

namespace kvo {
namespace {

TEST(Matrix, OneBasedResizeKeepsCells) {
  TMatrix m;
  m.Resize(3, 2);
  EXPECT_EQ(m.NrOfColumns(), 3);
  EXPECT_EQ(m.NrOfRows(), 2);
  m.SetVal(1, 1, 1.5);
  m.SetVal(3, 2, -4);
  EXPECT_EQ(m.GetVal(3, 2), -4);
  EXPECT_THROW(m.GetVal(0, 1), EKvoError);
  EXPECT_THROW(m.GetVal(4, 1), EKvoError);
  EXPECT_THROW(m.SetVal(1, 3, 0), EKvoError);
  m.Resize(4, 4);
  EXPECT_EQ(m.GetVal(1, 1), 1.5);
  EXPECT_EQ(m.GetVal(3, 2), -4);
  EXPECT_EQ(m.GetVal(4, 4), 0);
  m.Resize(1, 1);
  EXPECT_EQ(m.GetVal(1, 1), 1.5);
  m.Resize(-2, 5);
  EXPECT_TRUE(m.Empty());
  m.Free();
  EXPECT_EQ(m.NrOfColumns(), 0);
}

TEST(Matrix, MinMaxAndPercentileOverRanges) {
  TMatrix m(3, 3);
  double v = 1;
  for (int ix = 1; ix <= 3; ++ix)
    for (int iy = 1; iy <= 3; ++iy) m.SetVal(ix, iy, v++);  // column-wise 1..9
  double lo, hi;
  EXPECT_EQ(m.MinMax(lo, hi), 9);
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 9);
  EXPECT_EQ(m.MinMax(3, 3, 2, 2, lo, hi), 4);  // reversed corners: cells 5, 6, 8, 9
  EXPECT_EQ(lo, 5);
  EXPECT_EQ(hi, 9);
  EXPECT_EQ(m.MinMax(2, 0, 9, 1, lo, hi), 2);  // clipped: cells 4, 7
  EXPECT_EQ(lo, 4);
  EXPECT_EQ(hi, 7);
  EXPECT_EQ(m.MinMax(5, 5, 7, 7, lo, hi), 0);
  EXPECT_DOUBLE_EQ(m.Percentile(50), 5);
  EXPECT_DOUBLE_EQ(m.Percentile(25), 3);
  EXPECT_DOUBLE_EQ(m.Percentile(90, 1, 1, 1, 3), 2.8);  // 1, 2, 3: h = 1.8
  EXPECT_TRUE(std::isnan(m.Percentile(50, 9, 9, 9, 9)));
  m.SetVal(2, 2, std::nan(""));
  EXPECT_EQ(m.MinMax(2, 2, 2, 2, lo, hi), 0);
  EXPECT_EQ(m.MinMax(lo, hi), 8);
}

TEST(Matrix, ChangeNotificationAndBatches) {
  TMatrix m(2, 2);
  int calls = 0;
  m.OnChange = [&](TObject* s) {
    EXPECT_EQ(s, &m);
    ++calls;
  };
  m.SetVal(1, 1, 3);
  m.Fill(2);
  m.Resize(2, 2);  // no change, no notification
  EXPECT_EQ(calls, 2);
  m.BeginUpdate();
  for (int i = 0; i < 10; ++i) m.SetVal(1, 2, i);
  m.BeginUpdate();
  m.Resize(3, 3);
  m.EndUpdate();
  EXPECT_EQ(calls, 2);
  m.EndUpdate();
  EXPECT_EQ(calls, 3);
  m.BeginUpdate();
  m.EndUpdate();  // nothing changed
  EXPECT_EQ(calls, 3);
}

TEST(IntAndByteMatrix, Basics) {
  TIntMatrix im(2, 3);
  im.SetVal(2, 3, -7);
  im.SetVal(1, 1, 12);
  std::int32_t lo, hi;
  EXPECT_EQ(im.MinMax(lo, hi), 6);
  EXPECT_EQ(lo, -7);
  EXPECT_EQ(hi, 12);
  EXPECT_DOUBLE_EQ(im.Percentile(100), 12);
  EXPECT_DOUBLE_EQ(im.Percentile(50), 0);
  TByteMatrix bm;
  bm.Resize(4, 4);
  bm.Fill(255);
  bm.SetByte(2, 3, 1);
  EXPECT_EQ(bm.GetByte(2, 3), 1);
  EXPECT_EQ(bm.GetByte(4, 4), 255);
  EXPECT_EQ(bm.CountValue(255), 15);
  EXPECT_THROW(bm.SetByte(5, 1, 0), EKvoError);
}

TEST(Vector, ResizeAccessStatistics) {
  TVector v;
  int calls = 0;
  v.OnChange = [&](TObject*) { ++calls; };
  v.SetVecSize(4);
  for (int i = 1; i <= 4; ++i) v.SetVal(i, 10.0 * i);
  EXPECT_EQ(calls, 5);
  EXPECT_EQ(v.GetVal(4), 40);
  EXPECT_THROW(v.GetVal(0), EKvoError);
  EXPECT_THROW(v.SetVal(5, 1), EKvoError);
  v.Resize(6);
  EXPECT_EQ(v.GetVal(4), 40);
  EXPECT_EQ(v.GetVal(6), 0);
  double lo, hi;
  EXPECT_EQ(v.MinMax(1, 4, lo, hi), 4);
  EXPECT_EQ(lo, 10);
  EXPECT_EQ(hi, 40);
  EXPECT_DOUBLE_EQ(v.Percentile(50, 4, 1), 25);     // either order
  EXPECT_DOUBLE_EQ(v.Percentile(75, 1, 4), 32.5);   // h = 2.25
  EXPECT_DOUBLE_EQ(v.Percentile(30, 2, 2), 20);     // one element
  EXPECT_TRUE(std::isnan(v.Percentile(50, 7, 9)));  // empty range
  EXPECT_DOUBLE_EQ(v.Mean(1, 4), 25);
}

class DataTableTest : public ::testing::Test {
protected:
  void SetUp() override {
    t.Resize(2, 6);
    const double col1[] = {4, 1, 3, 2, 5};
    for (int r = 1; r <= 5; ++r) t.SetElem(1, r, col1[r - 1]);
    t.SetElem(1, 6, "n/a");
    t.SetElem(2, 1, 7.0);
    t.SetElem(2, 2, 7.0);
    t.SetElem(2, 3, std::nan(""));
    t.SetColName(1, "Temp");
  }
  TDataTable t;
};

TEST_F(DataTableTest, CellsAndNames) {
  EXPECT_TRUE(t.IsNumber(1, 1));
  EXPECT_FALSE(t.IsNumber(1, 6));
  EXPECT_FALSE(t.IsNumber(2, 3));  // NaN is not a number here
  EXPECT_FALSE(t.IsNumber(2, 6));  // empty
  EXPECT_EQ(t.GetElemAsString(1, 6), "n/a");
  EXPECT_EQ(t.GetElemAsString(1, 1), "4");
  EXPECT_EQ(t.GetColName(1), "Temp");
  EXPECT_EQ(t.GetColName(2), "Col2");
  EXPECT_THROW(t.GetColName(3), EKvoError);
  EXPECT_THROW(t.SetElem(3, 1, 1.0), EKvoError);
  t.Resize(3, 2);
  EXPECT_EQ(t.GetColName(1), "Temp");
  EXPECT_EQ(t.GetColName(3), "Col3");
  EXPECT_EQ(t.GetNumber(1, 2), 1);
  EXPECT_FALSE(t.IsNumber(3, 1));
}

TEST_F(DataTableTest, StatisticsIgnoreNonNumericCells) {
  EXPECT_EQ(t.CountNumCells(1, 1, 1, 6), 5);
  EXPECT_EQ(t.CountNumCells(2, 6, 1, 1), 7);  // both columns, corners reversed
  double mean, var;
  EXPECT_EQ(t.MeanVarOfNumCells(1, 1, 1, 6, mean, var), 5);
  EXPECT_DOUBLE_EQ(mean, 3);
  EXPECT_DOUBLE_EQ(var, 2.5);  // sample variance of 1..5
  EXPECT_EQ(t.MeanVarOfNumCells(2, 1, 2, 1, mean, var), 1);
  EXPECT_DOUBLE_EQ(var, 0);
  double lo, hi;
  EXPECT_EQ(t.MinMaxOfNumCells(1, 1, 1, 6, lo, hi), 5);
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 5);
  EXPECT_EQ(t.MinMaxOfNumCells(2, 4, 2, 6, lo, hi), 0);
  std::int64_t n = 0;
  EXPECT_DOUBLE_EQ(t.PercentileOfNumCells(10, 1, 1, 1, 6, n), 1.4);  // h = 0.4
  EXPECT_EQ(n, 5);
  EXPECT_DOUBLE_EQ(t.PercentileOfNumCells(90, 1, 1, 1, 6, n), 4.6);
  double q1, q2, q3;
  t.QuartilesOfNumCells(1, 1, 1, 6, q1, q2, q3, n);
  EXPECT_EQ(n, 5);
  EXPECT_DOUBLE_EQ(q1, 2);
  EXPECT_DOUBLE_EQ(q2, 3);
  EXPECT_DOUBLE_EQ(q3, 4);
  t.QuartilesOfNumCells(2, 1, 2, 6, q1, q2, q3, n);  // ties
  EXPECT_EQ(n, 2);
  EXPECT_DOUBLE_EQ(q1, 7);
  EXPECT_DOUBLE_EQ(q3, 7);
  t.QuartilesOfNumCells(2, 4, 2, 6, q1, q2, q3, n);
  EXPECT_EQ(n, 0);
  EXPECT_TRUE(std::isnan(q2));
}

TEST_F(DataTableTest, VarianceIsStableFarFromZero) {
  TDataTable big(1, 3);
  big.SetElem(1, 1, 1e9 + 1);
  big.SetElem(1, 2, 1e9 + 2);
  big.SetElem(1, 3, 1e9 + 3);
  double mean, var;
  big.MeanVarOfNumCells(1, 1, 1, 3, mean, var);
  EXPECT_DOUBLE_EQ(mean, 1e9 + 2);
  EXPECT_NEAR(var, 1, 1e-6);
}

TEST_F(DataTableTest, ExportWritesHeaderAndRows) {
  const std::string path = test::TempPath("datatable_export.asc");
  t.SetColName(2, "a rather long column name");
  t.ExportAsASC(path, 2);
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  const std::string text = ss.str();
  const std::string w2(25, ' ');
  std::istringstream lines(text);
  std::string header, row1, row3, row6;
  std::getline(lines, header);
  std::getline(lines, row1);
  std::string skip;
  std::getline(lines, skip);
  std::getline(lines, row3);
  for (int i = 0; i < 3; ++i) std::getline(lines, row6);
  EXPECT_EQ(header, "        Temp a rather long column name\r");
  EXPECT_EQ(row1, "        4.00                      7.00\r");
  EXPECT_EQ(row3, "        3.00                       NaN\r");
  EXPECT_EQ(row6, "         n/a\r");  // empty cells are blanks, trailing blanks dropped
  EXPECT_THROW(t.ExportAsASC("/nonexistent-dir/x.asc", 2), EKvoError);
}

TEST_F(DataTableTest, NotifiesOncePerCallOrBatch) {
  int calls = 0;
  t.OnChange = [&](TObject*) { ++calls; };
  t.SetElem(1, 1, 9.0);
  t.SetColName(1, "Temp");  // unchanged
  EXPECT_EQ(calls, 1);
  t.BeginUpdate();
  t.Resize(5, 5);
  t.SetElem(5, 5, "x");
  t.EndUpdate();
  EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace kvo

namespace kvo {
namespace {

TEST(Containers, CopiesTakeDataButNotTheHandler) {
  int calls = 0;
  TMatrix m(2, 2);
  m.SetVal(2, 2, 5);
  m.OnChange = [&](TObject*) { ++calls; };
  TMatrix copy(m);
  EXPECT_FALSE(copy.OnChange);
  EXPECT_EQ(copy.GetVal(2, 2), 5);
  copy.SetVal(1, 1, 1);
  EXPECT_EQ(calls, 0);
  m = copy;  // assignment notifies the target's own listener
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(m.GetVal(1, 1), 1);
  TVector v(3);
  v.OnChange = [&](TObject*) { ++calls; };
  TVector vc(v);
  EXPECT_FALSE(vc.OnChange);
  EXPECT_EQ(vc.NrOfElem(), 3);
  TDataTable t(1, 1);
  t.SetElem(1, 1, "x");
  t.OnChange = [&](TObject*) { ++calls; };
  TDataTable tc(t);
  EXPECT_FALSE(tc.OnChange);
  EXPECT_EQ(tc.GetElemAsString(1, 1), "x");
  TByteMatrix neg(-3, 4);
  EXPECT_TRUE(neg.Empty());
}

}  // namespace
}  // namespace kvo
