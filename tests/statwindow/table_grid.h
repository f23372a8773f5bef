#pragma once
// A grid model for the column functions and the charts, without a window.
#include <algorithm>
#include <string>
#include <vector>

#include "statwindow/grid_columns.h"

// A grid of text cells: row 0 the headings, then one row per entry of the columns.
class TableGrid : public ColumnGrid {
 public:
  // columns[c] holds the cells of column c + 1 from row 1 on; rows is at least one
  // more than the longest column.
  TableGrid(std::vector<std::vector<std::string>> columns, int rows = 0) : columns_(std::move(columns)) {
    rows_ = rows;
    for (const auto& c : columns_) rows_ = std::max(rows_, static_cast<int>(c.size()) + 1);
    if (rows_ == 0) rows_ = 1;
  }
  int rows() const override { return rows_; }
  std::string cell(int row, int col) const override {
    if (row <= 0 || col <= 0 || col > static_cast<int>(columns_.size())) return std::string();
    const auto& c = columns_[static_cast<size_t>(col - 1)];
    return row <= static_cast<int>(c.size()) ? c[static_cast<size_t>(row - 1)] : std::string();
  }

 private:
  std::vector<std::vector<std::string>> columns_;
  int rows_ = 1;
};

