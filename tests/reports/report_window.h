#pragma once
// Fixture of the report tests that need the statistics of a real grid.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/globals.h"
#include "forms/main_window.h"
#include "measure/grid_statistics.h"
#include "measure/measure_state.h"
#include "measure/row_writers.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"
#include "reports/deciles.h"
#include "reports/report_source.h"
#include "reports/stat_rows.h"
#include "shell/function_switch.h"

namespace report_window {

// One spore of two dimensions: length, width, image number, comment.
struct Spore {
  double longueur, largeur;
  int image;
  const char* commentaire;
};

// The main window shown with scripted answers; a measuring function laid out, rows
// written as the row writers write them, the statistics computed by the program's own
// code, then the report model read back. The function, mask and statistics box are put
// back afterwards.
class ReportWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
    platform::SetDecimalSeparator('.');
    Qvl().show();
    platform::DoEvents();
    fonction_ = FonctionCourante;
    masque_ = Format_Decimal;
    stat_ = Qvl().Check(3).value();
    Format_Decimal = "###0.00";
  }

  void TearDown() override {
    Qvl().GrilleRef.setRows(1);
    RAZ_Tableaux_Stat();
    Format_Decimal = masque_;
    Choix_Fonction_Mesure(fonction_);
    Qvl().Check(3).setValue(stat_);
    platform::setDialogs(nullptr);
    platform::SetDecimalSeparator(0);
  }

  // Row LigneCourante: its number, each value under the mask, the computed columns,
  // the image number and the comment; the cursor moves on.
  static void writeRow(const std::vector<double>& values, int image, const std::string& comment) {
    platform::FlexGrid& g = Qvl().GrilleRef;
    const int r = LigneCourante;
    g.setTextMatrix(r, 0, platform::CStr(static_cast<long long>(r)));
    std::vector<double> etapes{0};
    for (std::size_t k = 0; k < values.size(); ++k) {
      g.setTextMatrix(r, static_cast<int>(k) + 1, platform::Format(values[k], Format_Decimal));
      etapes.push_back(values[k]);
    }
    for (const CelluleCalculee& c :
         Colonnes_Calculees(FonctionCourante, static_cast<int>(values.size()), etapes, Format_Decimal))
      g.setTextMatrix(r, c.colonne, c.texte);
    g.setTextMatrix(r, g.cols() - 2, platform::CStr(static_cast<long long>(image)));
    g.setTextMatrix(r, g.cols() - 1, comment);
    LigneCourante = r + 1;
  }

  static ReportModel spores2D(const std::vector<Spore>& spores) {
    Qvl().GrilleRef.setRows(1);
    RAZ_Tableaux_Stat();
    EXPECT_TRUE(Choix_Fonction_Mesure(2));
    for (const Spore& s : spores) writeRow({s.longueur, s.largeur}, s.image, s.commentaire);
    Qvl().Check(3).setValue(1);
    Calcul_stat();
    Entetes_Stat();
    return Modele_Rapport();
  }

 private:
  int fonction_ = 0, stat_ = 0;
  std::string masque_;
};

// Twelve spores on two images; the third carries a comment holding "; ".
inline const std::vector<Spore> kDouzeSpores = {
    {10.2, 6.1, 1, ""}, {9.8, 5.9, 1, ""},  {11.4, 6.8, 1, "lisse; hyaline"},
    {10.6, 6.3, 1, ""}, {12.1, 7.0, 1, ""}, {9.5, 5.6, 1, ""},
    {10.9, 6.4, 1, ""}, {11.8, 6.9, 2, ""}, {10.0, 6.0, 2, ""},
    {10.4, 6.2, 2, ""}, {11.2, 6.6, 2, ""}, {12.6, 7.3, 2, ""},
};

// Eleven spores whose lengths are the reference sample 8.4 ... 13.0, in measuring order.
inline const std::vector<Spore> kOnzeSpores = {
    {10.5, 6.2, 1, ""}, {8.4, 5.1, 1, ""},  {12.4, 7.1, 1, ""}, {9.6, 5.8, 1, ""},
    {11.3, 6.6, 1, ""}, {10.0, 6.1, 1, ""}, {13.0, 7.4, 1, ""}, {9.1, 5.5, 1, ""},
    {10.9, 6.5, 1, ""}, {11.8, 6.9, 1, ""}, {10.2, 6.0, 1, ""},
};

}  // namespace report_window
