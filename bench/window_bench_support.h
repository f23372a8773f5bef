#pragma once
// What the benchmarks on the shown main window share: the window shown once with
// scripted dialogs, and a grid of spores in two dimensions (length, width, ratio and
// volume, then the image and comment columns) filled with reproducible values.

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/globals.h"
#include "forms/main_window.h"
#include "measure/measure_state.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"

namespace bench {

constexpr int kSporeValueCols = 4;  // L, l, Q, V

// The main window shown, every dialog answered by an empty script.
inline QVL& showMainWindow() {
  platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
  QVL& f = Qvl();
  f.show();
  platform::DoEvents();
  return f;
}

// One measured row: length, width, their ratio and the volume, as the grid shows them.
inline std::vector<std::string> sporeRowTexts(double l, double w) {
  return {platform::Format(l, Format_Decimal), platform::Format(w, Format_Decimal),
          platform::Format(l / w, Format_Decimal),
          platform::Format(w * w * l * 3.14159 / 6, Format_Decimal)};
}

inline void writeSporeRow(platform::FlexGrid& g, int r, const std::vector<std::string>& values) {
  g.setTextMatrix(r, 0, std::to_string(r));
  for (int c = 1; c <= kSporeValueCols; ++c) g.setTextMatrix(r, c, values[c - 1]);
  g.setTextMatrix(r, 5, "1");
  g.setTextMatrix(r, 6, "");
}

// Function 2 with two decimals and "." as separator, statistics on, the grid laid out
// with `rows` rows and rows 1 to `lastRow` measured (lengths about 11, widths 6.5).
inline void fillSporeGrid(QVL& f, int rows, int lastRow) {
  platform::SetDecimalSeparator('.');
  Format_Decimal = "###0.00";
  FonctionCourante = 2;
  NbCellules = 2;
  Der_Colonne = kSporeValueCols;
  f.Check(3).setValue(1);
  platform::FlexGrid& g = f.GrilleRef;
  g.setRows(rows);
  g.setCols(7);
  f.GrilleRefP.setCols(7);
  const char* headings[] = {"N°", "L", "l", "Q", "V", "img", "comment"};
  for (int c = 0; c < 7; ++c) g.setTextMatrix(0, c, headings[c]);
  std::mt19937 gen(12345);
  std::normal_distribution<double> length(11.0, 1.2), width(6.5, 0.6);
  for (int r = 1; r <= lastRow; ++r) writeSporeRow(g, r, sporeRowTexts(length(gen), width(gen)));
}

}  // namespace bench
