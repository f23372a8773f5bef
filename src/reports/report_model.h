#pragma once
// What the reports read of the main window, held as plain data: the measurement grid
// and the statistics grid as texts, the per-column statistics, the measuring state and
// the notation choices. The summary, the notations and the results export build their
// texts from it alone, so they run without a window and give the same text for the
// same model.

#include <array>
#include <string>
#include <vector>

// A grid of texts, rows x columns; reading outside gives "", writing outside is
// ignored.
class TextGrid {
 public:
  TextGrid() = default;
  TextGrid(int rows, int cols);
  // A grid of the given texts, row after row; missing cells are empty, extra ones
  // dropped.
  TextGrid(int rows, int cols, std::vector<std::string> cells);

  int rows() const { return rows_; }
  int cols() const { return cols_; }
  const std::string& text(int r, int c) const {
    if (r < 0 || r >= rows_ || c < 0 || c >= cols_) return vide();
    return cells_[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(c)];
  }
  void setText(int r, int c, std::string t);
  // New size; the cells that stay inside keep their texts, new cells are empty.
  void resize(int rows, int cols);

 private:
  static const std::string& vide();

  int rows_ = 0;
  int cols_ = 0;
  std::vector<std::string> cells_;
};

// Highest grid column of the per-column statistics (Stat_N ... are kept for 0 to 8).
constexpr int kDerniereColonneStat = 8;
// Notation types of the notation menu, 1 to 6.
constexpr int kDernierTypeNotation = 6;

// The dominant value of one grid column, known once worked out.
struct DominanteColonne {
  bool connue = false;
  bool remplie = false;  // the column holds a value that counts
  double valeur = 0;
};

// The state of the main window that the reports read. Rows 1 to LigneCourante - 1 of
// GrilleRef hold the measurements; GrilleRefP holds the statistics rows 0 to 12 as
// the grid statistics left them.
struct ReportModel {
  TextGrid GrilleRef;
  TextGrid GrilleRefP;
  int LigneCourante = 1;
  int Der_Colonne = 0;
  int NbCellules = 0;
  int FonctionCourante = 0;
  int Fonction_Grille = 0;   // the function whose grid holds the rows (see measure_state.h)
  std::string Format_Decimal = "###0.00";
  // Per-column count, first decile, median and ninth decile (index = grid column).
  std::array<double, kDerniereColonneStat + 1> Stat_N{};
  std::array<double, kDerniereColonneStat + 1> Stat_D1{};
  std::array<double, kDerniereColonneStat + 1> Stat_Mediane{};
  std::array<double, kDerniereColonneStat + 1> Stat_D9{};
  // Per-column dominant value (index = grid column) as the window's numbers gave it
  // when the model was read; a column left unknown (a model built by hand, a column
  // holding an infinite value) is worked out from the texts of GrilleRef when asked.
  std::array<DominanteColonne, kDerniereColonneStat + 1> Dominantes{};
  // Spores in three dimensions: volume of the mean spore and its standard deviation.
  double Volume = 0;
  double Sigma_Volume = 0;
  // Ticked item of the notation menu (1 to 6; 0 when none) and the captions of its
  // items 1 to 6 (entry 0 unused).
  int Type_Notation = 0;
  std::array<std::string, kDernierTypeNotation + 1> Legendes_Notation;
  bool Leiosporee = false;     // the smooth-spore box is ticked
  std::string Img_Active;      // path of the current image
  std::string Fic_CSV_Import;  // path of the imported results file, "" when none
};

// What a report asks the window to show besides its text.
struct ReportNotices {
  bool grilleIncomplete = false;  // a column had no value that counts (" Grille Incomplète")
};

// Statistic of grid column col, 0 outside columns 0 to 8.
double statistique(const std::array<double, kDerniereColonneStat + 1>& table, int col);

// Caption of notation item t; "" outside 1 to 6.
std::string legendeNotation(const ReportModel& m, int t);

// True and the number in *x when the text, once trimmed of blanks and tabs, is one
// whole number: optional sign, digits with at most one "." or ",", optional exponent.
// Empty and partly numeric texts ("12 mm", "1 / 3 / ") give false.
bool litNombre(const std::string& text, double* x);

// A grid text through a display mask: a number is written again under the mask; any
// other text (a title, a heading, an empty cell) passes unchanged.
std::string masqueTexte(const std::string& text, const std::string& mask);

// Each CR LF, CR or LF of a text replaced by one blank.
std::string sansSautLigne(const std::string& text);
