#include "libs/datatable.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>

#include "libs/math1.h"
#include "libs/stringl.h"

namespace kvo {

namespace {
const TDataCell kEmptyCell{};
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool NumericCell(const TDataCell& c, double& v) {
  if (const double* d = std::get_if<double>(&c)) {
    if (std::isnan(*d)) return false;
    v = *d;
    return true;
  }
  return false;
}
}  // namespace

void TDataTable::Changed() {
  if (FUpdateDepth > 0) {
    FPending = true;
    return;
  }
  if (OnChange) OnChange(this);
}

void TDataTable::EndUpdate() {
  if (FUpdateDepth > 0 && --FUpdateDepth == 0 && FPending) {
    FPending = false;
    if (OnChange) OnChange(this);
  }
}

TDataTable::TDataTable(const TDataTable& o)
    : TObject(), FNCols(o.FNCols), FNRows(o.FNRows), FCells(o.FCells), FColNames(o.FColNames) {}

TDataTable& TDataTable::operator=(const TDataTable& o) {
  if (this != &o) {
    FNCols = o.FNCols;
    FNRows = o.FNRows;
    FCells = o.FCells;
    FColNames = o.FColNames;
    Changed();
  }
  return *this;
}

void TDataTable::Resize(std::int32_t columns, std::int32_t rows) {
  columns = std::max(columns, 0);
  rows = std::max(rows, 0);
  if (columns == FNCols && rows == FNRows) return;
  const std::size_t cells = std::size_t(columns) * std::size_t(rows);
  if (columns > 0 && cells / std::size_t(columns) != std::size_t(rows))
    throw EKvoError("data table too large");
  std::vector<TDataCell> next(cells);
  const std::int32_t cc = std::min(columns, FNCols), cr = std::min(rows, FNRows);
  for (std::int32_t c = 0; c < cc; ++c)
    for (std::int32_t r = 0; r < cr; ++r)
      next[std::size_t(c) * std::size_t(rows) + std::size_t(r)] =
          std::move(FCells[std::size_t(c) * std::size_t(FNRows) + std::size_t(r)]);
  FCells.swap(next);
  FColNames.resize(std::size_t(columns));
  for (std::int32_t c = FNCols; c < columns; ++c) FColNames[std::size_t(c)] = "Col" + std::to_string(c + 1);
  FNCols = columns;
  FNRows = rows;
  Changed();
}

void TDataTable::Clear() {
  for (auto& c : FCells) c = std::monostate{};
  Changed();
}

void TDataTable::Check(std::int32_t col, std::int32_t row) const {
  if (col < 1 || col > FNCols || row < 1 || row > FNRows)
    throw EKvoError("data table index out of range: (" + std::to_string(col) + ", " +
                    std::to_string(row) + ") in " + std::to_string(FNCols) + " x " +
                    std::to_string(FNRows));
}

TDataCell& TDataTable::Cell(std::int32_t col, std::int32_t row) {
  return FCells[std::size_t(col - 1) * std::size_t(FNRows) + std::size_t(row - 1)];
}

const TDataCell& TDataTable::Cell(std::int32_t col, std::int32_t row) const {
  return FCells[std::size_t(col - 1) * std::size_t(FNRows) + std::size_t(row - 1)];
}

void TDataTable::SetElem(std::int32_t col, std::int32_t row, double value) {
  Check(col, row);
  Cell(col, row) = value;
  Changed();
}

void TDataTable::SetElem(std::int32_t col, std::int32_t row, const std::string& text) {
  Check(col, row);
  Cell(col, row) = text;
  Changed();
}

void TDataTable::ClearElem(std::int32_t col, std::int32_t row) {
  Check(col, row);
  Cell(col, row) = std::monostate{};
  Changed();
}

const TDataCell& TDataTable::GetElem(std::int32_t col, std::int32_t row) const {
  Check(col, row);
  return Cell(col, row);
}

bool TDataTable::IsNumber(std::int32_t col, std::int32_t row) const {
  double v;
  return NumericCell(GetElem(col, row), v);
}

double TDataTable::GetNumber(std::int32_t col, std::int32_t row) const {
  const TDataCell& c = GetElem(col, row);
  if (const double* d = std::get_if<double>(&c)) return *d;
  return kNaN;
}

std::string TDataTable::GetElemAsString(std::int32_t col, std::int32_t row) const {
  const TDataCell& c = GetElem(col, row);
  if (const double* d = std::get_if<double>(&c)) return strff(*d, 1, -2);
  if (const std::string* s = std::get_if<std::string>(&c)) return *s;
  return {};
}

const std::string& TDataTable::GetColName(std::int32_t col) const {
  if (col < 1 || col > FNCols)
    throw EKvoError("data table column out of range: " + std::to_string(col));
  return FColNames[std::size_t(col - 1)];
}

void TDataTable::SetColName(std::int32_t col, const std::string& name) {
  if (col < 1 || col > FNCols)
    throw EKvoError("data table column out of range: " + std::to_string(col));
  if (FColNames[std::size_t(col - 1)] == name) return;
  FColNames[std::size_t(col - 1)] = name;
  Changed();
}

std::vector<double> TDataTable::Gather(std::int32_t col1, std::int32_t row1, std::int32_t col2,
                                       std::int32_t row2) const {
  std::vector<double> vals;
  if (col1 > col2) std::swap(col1, col2);
  if (row1 > row2) std::swap(row1, row2);
  col1 = std::max(col1, 1);
  row1 = std::max(row1, 1);
  col2 = std::min(col2, FNCols);
  row2 = std::min(row2, FNRows);
  for (std::int32_t c = col1; c <= col2; ++c)
    for (std::int32_t r = row1; r <= row2; ++r) {
      double v;
      if (NumericCell(Cell(c, r), v)) vals.push_back(v);
    }
  return vals;
}

std::int64_t TDataTable::CountNumCells(std::int32_t col1, std::int32_t row1, std::int32_t col2,
                                       std::int32_t row2) const {
  return std::int64_t(Gather(col1, row1, col2, row2).size());
}

std::int64_t TDataTable::MeanVarOfNumCells(std::int32_t col1, std::int32_t row1, std::int32_t col2,
                                           std::int32_t row2, double& mean, double& variance) const {
  const std::vector<double> v = Gather(col1, row1, col2, row2);
  mean = variance = 0;
  if (v.empty()) return 0;
  // Welford's update: stable for large offsets.
  double m = 0, s = 0;
  std::size_t k = 0;
  for (double x : v) {
    ++k;
    const double d = x - m;
    m += d / double(k);
    s += d * (x - m);
  }
  mean = m;
  variance = v.size() > 1 ? s / double(v.size() - 1) : 0.0;
  return std::int64_t(v.size());
}

std::int64_t TDataTable::MinMaxOfNumCells(std::int32_t col1, std::int32_t row1, std::int32_t col2,
                                          std::int32_t row2, double& min, double& max) const {
  const std::vector<double> v = Gather(col1, row1, col2, row2);
  min = max = 0;
  if (v.empty()) return 0;
  const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
  min = *lo;
  max = *hi;
  return std::int64_t(v.size());
}

double TDataTable::PercentileOfNumCells(double p, std::int32_t col1, std::int32_t row1,
                                        std::int32_t col2, std::int32_t row2,
                                        std::int64_t& count) const {
  std::vector<double> v = Gather(col1, row1, col2, row2);
  count = std::int64_t(v.size());
  return PercentileOf(v, p);
}

void TDataTable::QuartilesOfNumCells(std::int32_t col1, std::int32_t row1, std::int32_t col2,
                                     std::int32_t row2, double& q1, double& q2, double& q3,
                                     std::int64_t& count) const {
  std::vector<double> v = Gather(col1, row1, col2, row2);
  count = std::int64_t(v.size());
  std::sort(v.begin(), v.end());  // Gather leaves no NaN
  q1 = PercentileOfSorted(v, 25);
  q2 = PercentileOfSorted(v, 50);
  q3 = PercentileOfSorted(v, 75);
}

void TDataTable::ExportAsASC(const std::string& fileName, std::int32_t precision) const {
  // Texts of all fields first, so that every column gets its width.
  const std::size_t ncols = std::size_t(FNCols);
  std::vector<std::vector<std::string>> text(ncols);
  std::vector<std::int32_t> width(ncols, 12);
  for (std::int32_t c = 1; c <= FNCols; ++c) {
    auto& col = text[std::size_t(c - 1)];
    col.reserve(std::size_t(FNRows) + 1);
    col.push_back(FColNames[std::size_t(c - 1)]);
    for (std::int32_t r = 1; r <= FNRows; ++r) {
      const TDataCell& cell = Cell(c, r);
      if (const double* d = std::get_if<double>(&cell)) col.push_back(strff(*d, 1, precision));
      else if (const std::string* s = std::get_if<std::string>(&cell)) col.push_back(*s);
      else col.emplace_back();
    }
    for (const auto& s : col) width[std::size_t(c - 1)] = std::max(width[std::size_t(c - 1)], Utf8Length(s));
  }
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  if (!out) throw EKvoError("cannot write file: " + fileName);
  for (std::int32_t r = 0; r <= FNRows; ++r) {
    std::string line;
    for (std::int32_t c = 1; c <= FNCols; ++c) {
      const std::string& s = text[std::size_t(c - 1)][std::size_t(r)];
      if (c > 1) line += ' ';
      line += std::string(std::size_t(width[std::size_t(c - 1)] - Utf8Length(s)), ' ');
      line += s;
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    line += "\r\n";
    out.write(line.data(), std::streamsize(line.size()));
  }
  out.close();
  if (!out) throw EKvoError("cannot write file: " + fileName);
}

}  // namespace kvo
