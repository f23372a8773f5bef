// Laying out the three grids of the main window from the grid templates (real window,
// offscreen).
#include "measure/grid_setup.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/text_tables.h"
#include "forms/main_window.h"
#include "measure/grid_templates.h"
#include "measure/measure_state.h"
#include "platform/control.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/flexgrid.h"
#include "shell/function_switch.h"

namespace {

using Strings = std::vector<std::string>;

class GridSetup : public ::testing::Test {
 protected:
  void SetUp() override {
    // The first showing runs the start-up chain, which may ask questions.
    platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
    QVL& f = Qvl();
    f.show();
    platform::DoEvents();
    saved_.function = FonctionCourante;
    saved_.line = LigneCourante;
    saved_.step = EtapeClic;
    saved_.lineRef = Ligne_Ref;
    saved_.counter = Compteur_Lignes;
    saved_.name = NomFonction;
    saved_.closed = Courbe_Fermee;
    auto d = std::make_unique<platform::ScriptedDialogs>();
    dialogs_ = d.get();
    platform::setDialogs(std::move(d));
    platform::setErrorReporter([this](const std::string& where, const std::string& what) {
      errors_.push_back(where + ": " + what);
    });
    Messages_Defaut();
    Modeles_Grille();
    FonctionCourante = 1;   // the mini grid is refreshed only with a function
  }
  void TearDown() override {
    platform::setErrorReporter(nullptr);
    platform::setDialogs(nullptr);
    Messages_Defaut();
    Modeles_Grille();
    Courbe_Fermee = saved_.closed;
    Qvl().GrilleRef.setRows(1);
    Choix_Fonction_Mesure(saved_.function);
    LigneCourante = saved_.line;
    EtapeClic = saved_.step;
    Ligne_Ref = saved_.lineRef;
    Compteur_Lignes = saved_.counter;
    NomFonction = saved_.name;
  }

  static std::vector<double> widths(const platform::FlexGrid& g) {
    std::vector<double> w;
    for (int c = 0; c < g.cols(); ++c) w.push_back(g.colWidth(c));
    return w;
  }
  static Strings headings(const platform::FlexGrid& g) {
    Strings h;
    for (int c = 0; c < g.cols(); ++c) h.push_back(g.textMatrix(0, c));
    return h;
  }

  platform::ScriptedDialogs* dialogs_ = nullptr;
  Strings errors_;

 private:
  struct {
    int function = 0, line = 1, step = 1, lineRef = 1, counter = 0;
    std::string name;
    bool closed = false;
  } saved_;
};

TEST_F(GridSetup, SegmentWidthsOnAllThreeGrids) {
  QVL& f = Qvl();
  f.GrilleRef.setColWidth(0, 999);
  f.GrilleRefP.setBackColor(0);
  ASSERT_TRUE(Prepare_Grilles_Mesure(1));
  // "4$550$200$1500$": four columns; column 0 is always 350 twips.
  const std::vector<double> expected = {350, 550, 200, 1500};
  EXPECT_EQ(widths(f.GrilleRef), expected);
  EXPECT_EQ(widths(f.GrilleRefP), expected);
  EXPECT_EQ(widths(f.MGrille), expected);
  EXPECT_EQ(f.GrilleRef.backColor(), 0xC0FFC0u);
  EXPECT_EQ(f.GrilleRefP.backColor(), 0xC0FFC0u);
  EXPECT_EQ(f.GrilleRef.textMatrix(0, 0), "N°");
  EXPECT_EQ(f.GrilleRefP.textMatrix(0, 0), "N°");
  EXPECT_EQ(f.MGrille.textMatrix(0, 0), "N°");   // mirrored
  EXPECT_TRUE(errors_.empty());
}

TEST_F(GridSetup, WidthsOfEveryTemplate) {
  QVL& f = Qvl();
  // Column widths read off the width templates, with 350 for column 0.
  const std::pair<int, std::vector<double>> cases[] = {
      {2, {350, 550, 550, 350, 500, 220, 1500}},
      {5, {350, 550, 550, 550, 550, 500, 500, 500, 220, 1500}},
      {6, {350, 550, 550, 550, 550, 550, 500, 500, 500, 220, 1500}},
      {13, {350, 750, 300, 550, 450, 200, 1500}},
      {15, {350, 750, 550, 500, 500, 1450}},
      {20, {350, 500, 500, 500, 500, 500, 500, 350, 250, 1500}},
      {22, {350, 750, 550, 50, 500, 1450}},
  };
  for (const auto& [code, expected] : cases) {
    SCOPED_TRACE(code);
    ASSERT_TRUE(Prepare_Grilles_Mesure(code));
    EXPECT_EQ(widths(f.GrilleRef), expected);
    EXPECT_EQ(widths(f.MGrille), expected);
    EXPECT_EQ(f.GrilleRefP.cols(), static_cast<int>(expected.size()));
  }
}

TEST_F(GridSetup, LastWidthWithoutDollarIsNotApplied) {
  QVL& f = Qvl();
  Modele_Largeurs(7) = "4$550$200$1500";
  f.GrilleRef.setCols(4);
  f.GrilleRef.setColWidth(3, 777);
  ASSERT_TRUE(Prepare_Grilles_Mesure(7));
  EXPECT_EQ(f.GrilleRef.cols(), 4);
  EXPECT_EQ(f.GrilleRef.colWidth(2), 200);
  EXPECT_EQ(f.GrilleRef.colWidth(3), 777);
}

TEST_F(GridSetup, EmptyTemplateKeepsTheColumns) {
  QVL& f = Qvl();
  ASSERT_TRUE(Prepare_Grilles_Mesure(2));
  ASSERT_TRUE(Prepare_Grilles_Mesure(7));
  EXPECT_EQ(f.GrilleRef.cols(), 7);
  EXPECT_EQ(f.GrilleRef.colWidth(4), 500);
}

TEST_F(GridSetup, BadWidthTemplatesAreReportedAndStop) {
  QVL& f = Qvl();
  const std::pair<const char*, const char*> cases[] = {
      {"4$55x$", "not a number"},
      {"$", "empty item"},
      {"3$100$200$300$", "width beyond the last column"},
      {"0$", "no column"},
      {"100000$", "count beyond 16 bits"},
      {"4$40000$", "width beyond 16 bits"},
  };
  for (const auto& [text, why] : cases) {
    SCOPED_TRACE(why);
    ASSERT_TRUE(Prepare_Grilles_Mesure(2));
    errors_.clear();
    f.MGrille.setTextMatrix(0, 1, "kept");
    Modele_Largeurs(7) = text;
    EXPECT_FALSE(Prepare_Grilles_Mesure(7));
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0].rfind("Prepare_Grilles_Mesure: ", 0), 0u);
    EXPECT_EQ(f.MGrille.textMatrix(0, 1), "kept");   // the mirror was not refreshed
  }
  // What the template set before the failing item stays: three columns, 100 and 200.
  ASSERT_TRUE(Prepare_Grilles_Mesure(2));
  Modele_Largeurs(7) = "3$100$200$300$";
  EXPECT_FALSE(Prepare_Grilles_Mesure(7));
  EXPECT_EQ(widths(f.GrilleRef), (std::vector<double>{350, 100, 200}));
}

TEST_F(GridSetup, WidthsRoundHalfToEven) {
  QVL& f = Qvl();
  Modele_Largeurs(7) = "3$100.5$201,5$";
  ASSERT_TRUE(Prepare_Grilles_Mesure(7));
  EXPECT_EQ(f.GrilleRef.colWidth(1), 100);
  EXPECT_EQ(f.GrilleRef.colWidth(2), 202);
}

TEST_F(GridSetup, CodeOutsideTheTablesIsReported) {
  for (int code : {-1, 26, 1000}) {
    SCOPED_TRACE(code);
    errors_.clear();
    EXPECT_FALSE(Prepare_Grilles_Mesure(code));
    EXPECT_EQ(errors_.size(), 1u);
  }
}

TEST_F(GridSetup, HeadingsAndNameOfTheTriangle) {
  QVL& f = Qvl();
  ASSERT_TRUE(Prepare_Grilles_Mesure(15));
  Prepare_Grille(15);
  EXPECT_EQ(NomFonction, "Triangle");
  EXPECT_EQ(headings(f.GrilleRef), (Strings{"N°", "Surf", "peri.", "angle", "img", "comment"}));
  EXPECT_EQ(headings(f.MGrille), headings(f.GrilleRef));
  EXPECT_EQ(f.GrilleRef.backColor(), 0xC0FFC0u);
}

TEST_F(GridSetup, PreparingRefillsTheTemplates) {
  QVL& f = Qvl();
  ASSERT_TRUE(Prepare_Grilles_Mesure(1));
  Modele_Titres(1) = "spoiled$4$a$b$c$";
  Prepare_Grille(1);
  EXPECT_EQ(NomFonction, "mesure Segment");
  EXPECT_EQ(headings(f.GrilleRef), (Strings{"N°", "Longueur", "img", "comment"}));
}

TEST_F(GridSetup, PolygonNameFollowsTheSurfaceMenu) {
  ASSERT_TRUE(Prepare_Grilles_Mesure(16));
  Courbe_Fermee = true;
  Prepare_Grille(16);
  EXPECT_EQ(NomFonction, "Courbe fermée");
  Courbe_Fermee = false;
  Prepare_Grille(16);
  EXPECT_EQ(NomFonction, "Polygone ouvert abandonné");
  Qvl().Mnusurf(3).setCaption("Open polygon");
  Prepare_Grille(16);
  EXPECT_EQ(NomFonction, "Open polygon");
  Qvl().Mnusurf(3).setCaption("Polygone ouvert abandonné");
}

TEST_F(GridSetup, ExtraHeadingsStopSilently) {
  QVL& f = Qvl();
  // Cystidia 5: eleven columns; the last "img" and "comment" items fall outside.
  ASSERT_TRUE(Prepare_Grilles_Mesure(6));
  Prepare_Grille(6);
  EXPECT_EQ(headings(f.GrilleRef), (Strings{"N°", "Long.", "Base", "M", "A", "L++", "A /M", "A / B",
                                            "B / M", "img", "comment"}));
  EXPECT_EQ(NomFonction, "mesure Cystide 5");
  // The polygon on a 4-column grid stops at its fourth heading: the name stays the
  // template's, the surface-menu step is skipped; the mirror is still refreshed.
  ASSERT_TRUE(Prepare_Grilles_Mesure(1));
  f.MGrille.setTextMatrix(0, 3, "old");
  Courbe_Fermee = true;
  Prepare_Grille(16);
  EXPECT_EQ(NomFonction, "Polygone");
  EXPECT_EQ(headings(f.GrilleRef), (Strings{"N°", "Surf", "peri.", "Rm"}));
  EXPECT_EQ(f.MGrille.textMatrix(0, 3), "Rm");
  EXPECT_TRUE(dialogs_->log().empty());
  EXPECT_TRUE(errors_.empty());
}

TEST_F(GridSetup, CodeWithoutTitlesKeepsTheName) {
  QVL& f = Qvl();
  ASSERT_TRUE(Prepare_Grilles_Mesure(1));
  Prepare_Grille(1);
  Prepare_Grille(7);
  EXPECT_EQ(NomFonction, "mesure Segment");
  Prepare_Grille(30);
  EXPECT_EQ(NomFonction, "mesure Segment");
  EXPECT_EQ(f.GrilleRef.textMatrix(0, 0), "N°");
  EXPECT_TRUE(dialogs_->log().empty());
  EXPECT_TRUE(errors_.empty());
}

}  // namespace
