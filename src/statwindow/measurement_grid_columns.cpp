// The column functions on the main window's measurement grid.

#include "forms/main_window.h"
#include "measure/measure_state.h"
#include "statwindow/grid_columns.h"

namespace {

// GrilleRef read through ColumnGrid.
class MeasurementGrid : public ColumnGrid {
 public:
  explicit MeasurementGrid(const platform::FlexGrid& g) : g_(g) {}
  int rows() const override { return g_.rows(); }
  std::string cell(int row, int col) const override {
    if (row < 0 || row >= g_.rows() || col < 0 || col >= g_.cols()) return std::string();
    return g_.textMatrix(row, col);
  }

 private:
  const platform::FlexGrid& g_;
};

}  // namespace

const ColumnGrid& Grille_Mesures() {
  static const MeasurementGrid grille(Qvl().GrilleRef);
  return grille;
}

int Nb_Lignes_Colonne(int k) { return Nb_Lignes_Colonne(MeasurementGrid(Qvl().GrilleRef), k); }

double Min_Colonne(int k, int& row) {
  const ColumnExtreme e = Min_Colonne(MeasurementGrid(Qvl().GrilleRef), k, LigneCourante - 1);
  row = e.row;
  return e.value;
}

double Max_Colonne(int k, int& row) {
  const ColumnExtreme e = Max_Colonne(MeasurementGrid(Qvl().GrilleRef), k, LigneCourante - 1);
  row = e.row;
  return e.value;
}
