// TDataTable: a 1-based table of cells (columns 1..NrOfColumns, rows
// 1..NrOfRows), each empty, a number or a text, with a name per column.
// Statistics run over cell ranges (col1, row1)-(col2, row2), given in either
// corner order and clipped to the table; empty cells, texts and NaN numbers
// are ignored. Percentiles and quartiles use the definition of PercentileOf
// (math1.h): linear interpolation between order statistics, p in percent;
// the quartiles are the 25th, 50th and 75th percentiles. Every modifying
// call fires OnChange once; BeginUpdate/EndUpdate collect changes.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "kvobase.h"

namespace kvo {

// Empty, number or text.
using TDataCell = std::variant<std::monostate, double, std::string>;

class KVO_API TDataTable : public TObject {
public:
  TDataTable() = default;
  TDataTable(std::int32_t columns, std::int32_t rows) { Resize(columns, rows); }
  // Copies take cells and names, not the OnChange handler; assignment notifies.
  TDataTable(const TDataTable& o);
  TDataTable& operator=(const TDataTable& o);

  std::int32_t NrOfColumns() const noexcept { return FNCols; }
  std::int32_t NrOfRows() const noexcept { return FNRows; }
  // New size; overlapping cells and column names are kept, new cells are
  // empty, new columns are named "Col<j>". Negative sizes give 0.
  void Resize(std::int32_t columns, std::int32_t rows);
  // Empties every cell (size and names stay).
  void Clear();

  // Indexes outside the table throw EKvoError.
  void SetElem(std::int32_t col, std::int32_t row, double value);
  void SetElem(std::int32_t col, std::int32_t row, const std::string& text);
  void SetElem(std::int32_t col, std::int32_t row, const char* text) { SetElem(col, row, std::string(text)); }
  void ClearElem(std::int32_t col, std::int32_t row);
  const TDataCell& GetElem(std::int32_t col, std::int32_t row) const;
  // True for a number that is not NaN.
  bool IsNumber(std::int32_t col, std::int32_t row) const;
  // The number, or NaN for empty and text cells.
  double GetNumber(std::int32_t col, std::int32_t row) const;
  // Text of a cell: the text, the number by strff(value, 1, -2), or "".
  std::string GetElemAsString(std::int32_t col, std::int32_t row) const;

  // Column names; indexes outside the table throw EKvoError.
  const std::string& GetColName(std::int32_t col) const;
  void SetColName(std::int32_t col, const std::string& name);

  std::int64_t CountNumCells(std::int32_t col1, std::int32_t row1, std::int32_t col2,
                             std::int32_t row2) const;
  // Mean and sample variance (divisor n - 1; 0 for one cell). Returns the
  // count; with none, mean = variance = 0.
  std::int64_t MeanVarOfNumCells(std::int32_t col1, std::int32_t row1, std::int32_t col2,
                                 std::int32_t row2, double& mean, double& variance) const;
  // Returns the count; with none, min = max = 0.
  std::int64_t MinMaxOfNumCells(std::int32_t col1, std::int32_t row1, std::int32_t col2,
                                std::int32_t row2, double& min, double& max) const;
  // Percentile p of the numeric cells; count receives their number; NaN when 0.
  double PercentileOfNumCells(double p, std::int32_t col1, std::int32_t row1, std::int32_t col2,
                              std::int32_t row2, std::int64_t& count) const;
  // First, second (median) and third quartile; NaN each when count is 0.
  void QuartilesOfNumCells(std::int32_t col1, std::int32_t row1, std::int32_t col2,
                           std::int32_t row2, double& q1, double& q2, double& q3,
                           std::int64_t& count) const;

  // Writes the table as text: a header line with the column names, then one
  // line per row; every field is right-aligned in a column of width
  // max(12, longest entry) and fields are separated by one blank. Numbers are
  // written by strff(value, width, precision) (precision -2 automatic, -1
  // exponent form), texts as they are, empty cells as blanks. Throws EKvoError
  // when the file cannot be written.
  void ExportAsASC(const std::string& fileName, std::int32_t precision) const;

  void BeginUpdate() noexcept { ++FUpdateDepth; }
  void EndUpdate();

  TNotifyEvent OnChange;

private:
  void Changed();
  void Check(std::int32_t col, std::int32_t row) const;
  TDataCell& Cell(std::int32_t col, std::int32_t row);
  const TDataCell& Cell(std::int32_t col, std::int32_t row) const;
  // Numeric values of a range (column by column).
  std::vector<double> Gather(std::int32_t col1, std::int32_t row1, std::int32_t col2,
                             std::int32_t row2) const;

  std::int32_t FNCols = 0, FNRows = 0;
  std::vector<TDataCell> FCells;  // column-major
  std::vector<std::string> FColNames;
  int FUpdateDepth = 0;
  bool FPending = false;
};

}  // namespace kvo
