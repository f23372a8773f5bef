#include "measure/grid_templates.h"

#include <algorithm>

#include "base/text_tables.h"
#include "forms/main_window.h"
#include "measure/measure_state.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/runtime.h"

platform::BoundedArray<std::string, 0, kDernierCodeFonction> Modele_Titres;
platform::BoundedArray<std::string, 0, kDernierCodeFonction> Modele_Largeurs;
platform::BoundedArray<std::string, 1, 2> Txt_Confirm;
std::string NomFonction;

namespace {

// Layouts whose texts are fixed (they do not follow the language file).
struct ModeleFixe {
  int code;
  const char* titres;
  const char* largeurs;
};

constexpr ModeleFixe kModelesFixes[] = {
    {5, "mesure Cystide 4$7$Long.$Base$ M$ A$A / M$A / B$B / M$img $comment$",
     "10$550$550$550$550$500$500$500$220$1500$"},
    {6, "mesure Cystide 5$8$Long.$Base$ M$ A$L++$A /M$A / B$B / M$img $comment$img $comment$",
     " 11$550$550$550$550$550$500$500$500$220$1500$"},
    {10, "Comptage_1$4$NB1$img $comment$", "4$550$200$1500$"},
    {11, "Comptage_2$6$A$B$A+2B$img $comment$", "6$550$550$550$200$1500$"},
    {13, "Densité_Ellipse$6$S$Nb$Nb/S$Nb/L$img $comment$", "7$750$300$550$450$200$1500$"},
    {14, "Densité_rectangle$6$S$Nb$Nb/S$Nb/L$img $comment$", "7$750$300$550$450$200$1500$"},
    {15, "Triangle$4$Surf$peri.$angle$img $comment$", "6$750$550$500$500$1450$"},
    {16, "Polygone$5$Surf$peri.$Rm$F$img $comment$", "7$750$600$500$500$500$1450$"},
    {20, "tintavel $10$R$V$B$L$a$b$zone$S$comment$",
     " 10$500$500$500$500$500$500$350$250$1500$"},
    {22, "Comptage_Lames$4$Nb Lames$ %$$img $comment$", "6$750$550$50$500$1450$"},
};

// Functions 1 to 4 take their titles from the message table.
struct ModeleMessage {
  int code;
  int message;
  const char* largeurs;
};

constexpr ModeleMessage kModelesMessages[] = {
    {1, 146, "4$550$200$1500$"},
    {2, 147, " 7$550$550$350$500$220$1500$"},
    {3, 148, "8$550$550$550$350$350$220$1500$"},
    {4, 141, " 6$550$550$550$220$1500$"},
};

// Copies one cell through both grids' current cells; false when either cell is
// outside its grid.
bool copieCellule(platform::FlexGrid& source, int ls, platform::FlexGrid& cible, int lc, int c) {
  if (ls < 0 || ls >= source.rows() || c < 0 || c >= source.cols()) return false;
  if (lc < 0 || lc >= cible.rows() || c >= cible.cols()) return false;
  source.setRow(ls);
  source.setCol(c);
  cible.setRow(lc);
  cible.setCol(c);
  cible.setText(source.text());
  return true;
}

// Copies row `ls` of GrilleRef into row `lc` of the mini grid over the mini grid's
// columns; a row GrilleRef lacks is written empty. False on a missing column.
bool copieLigne(platform::FlexGrid& ref, int ls, platform::FlexGrid& mini, int lc) {
  if (lc < 0 || lc >= mini.rows()) return false;
  for (int c = 0; c < mini.cols(); ++c) {
    if (ls >= ref.rows()) {
      if (c >= ref.cols()) return false;
      mini.setTextMatrix(lc, c, "");
      continue;
    }
    if (!copieCellule(ref, ls, mini, lc, c)) return false;
  }
  return true;
}

void erreurMiniGrille(int ligne) {
  platform::MsgBox(MSG(101) + "107" + " " + MSG(237) + " " + std::to_string(ligne));
}

}  // namespace

std::vector<std::string> Items_Modele(const std::string& modele) {
  std::vector<std::string> items;
  std::string reste = modele;
  for (;;) {
    const size_t pos = reste.find('$');
    if (pos == std::string::npos) break;
    items.push_back(platform::Trim(reste.substr(0, pos)));
    reste = platform::Trim(reste.substr(pos + 1));
  }
  return items;
}

void Modeles_Grille() {
  for (auto& t : Modele_Titres) t.clear();
  for (auto& t : Modele_Largeurs) t.clear();
  for (const auto& m : kModelesMessages) {
    Modele_Titres(m.code) = MSG(m.message);
    Modele_Largeurs(m.code) = m.largeurs;
  }
  for (const auto& m : kModelesFixes) {
    Modele_Titres(m.code) = m.titres;
    Modele_Largeurs(m.code) = m.largeurs;
  }
  Txt_Confirm(1) = MSG(190) + " " + MSG(188) + " ?";
  Txt_Confirm(2) = MSG(111);
}

void Dimensionne_Grille(int derniere) {
  if (FonctionCourante == 0) return;
  QVL& f = Qvl();
  platform::FlexGrid& ref = f.GrilleRef;
  platform::FlexGrid& mini = f.MGrille;

  // The heading row.
  for (int c = 0; c < ref.cols(); ++c) {
    if (!copieCellule(ref, 0, mini, 0, c)) return erreurMiniGrille(0);
  }

  const int R = mini.rows();
  // A full grid asks for the row after its last one: show the last rows instead.
  const int p = std::clamp(derniere, 0, std::max(0, ref.rows() - 1));
  const int premiere = p - R < 0 ? 1 : p - R + 2;
  for (int lc = 1; lc <= R - 1; ++lc) {
    if (!copieLigne(ref, premiere + lc - 1, mini, lc)) return erreurMiniGrille(lc);
  }
}
