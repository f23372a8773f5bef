// The button bar dispatcher with every outside call replaced by a recorder: for each
// index, which procedures run in which order, and whether the tail (abandon of the
// measurement in progress and redraw) follows.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/globals.h"
#include "colour/colour_state.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "measure/picture_window.h"
#include "platform/colour.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "shell/button_bar.h"

namespace {

using Journal = std::vector<std::string>;

const Journal kQueue = {"RAZ_Mesure", "RAZ_Compteurs_Points", "Retrace 0"};

Journal plus(Journal a, const Journal& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class Dispatch : public ::testing::Test {
 protected:
  void SetUp() override {
    auto d = std::make_unique<platform::ScriptedDialogs>();
    dialogs_ = d.get();
    platform::setDialogs(std::move(d));
    QVL& f = Qvl();
    f.show();
    platform::DoEvents();
    gardees_ = Actions_Barre();
    picture_window::keepMeasuringState(r_, 12);
    r_.keep(Mode_Commentaire); r_.keep(Charte_Demande); r_.keep(Charte_Demande2);
    r_.keep(Avert_Attente); r_.keep(Aide_Touches_Ouverte); r_.keep(Mode_Etalonnage);
    r_.keep(Etape_CalObj); r_.keep(CalObj_Actif); r_.keep(Type_Etalonnage);
    r_.keep(NbClics_Calib); r_.keep(Mode_Panneau_Calib); r_.keep(Calibrage_Avant);
    r_.keep(NomCalib); r_.keep(Loupe_Visible);
    const bool frame6 = f.Frame(6).visible(), frame12 = f.Frame(12).visible();
    const bool liste = f.FraListeImg.visible(), qvrl = f.FraQvrl.visible();
    const std::string label_calib = f.Label_Calib.caption();
    const int c0 = CouleursTrace(0), c1 = CouleursTrace(1);
    r_.then([frame6, frame12, liste, qvrl, label_calib, c0, c1] {
      QVL& g = Qvl();
      g.Frame(6).setVisible(frame6);
      g.Frame(12).setVisible(frame12);
      g.FraListeImg.setVisible(liste);
      g.FraQvrl.setVisible(qvrl);
      g.Label_Calib.setCaption(label_calib);
      g.PLoupePic.setVisible(Loupe_Visible);
      for (int i : {4, 9, 10, 40}) g.Bout(i).setBackColor(platform::kButtonFace);
      g.Bout(12).setBackColor(platform::QBColor(c0));
      g.Bout(13).setBackColor(platform::QBColor(c1));
    });
    Enregistre();
    Mode_InsTexte = false;
    Mode_Commentaire = false;
    Charte_Demande = Charte_Demande2 = false;
    Illus_Saisie = Illus_Texte = Illus_Trait = Mode_InsRef = Mode_Annot = false;
    Etat_Saisie = 0;
    Etape_CalObj = "99";
    Avert_Attente = false;
    Aide_Touches_Ouverte = false;
    Mode_Etalonnage = false;
    Retrace_Zoom = false;
    Calibrage_Avant = std::nan("");
  }

  void TearDown() override {
    Actions_Barre() = gardees_;
    EXPECT_TRUE(dialogs_->unanswered().empty());
    r_holder_.reset();
    platform::setDialogs(nullptr);
  }

  // Every slot appends its name (and argument) to the journal.
  void Enregistre() {
    ActionsBarre& a = Actions_Barre();
    auto note = [this](const char* nom) { return [this, nom] { journal_.push_back(nom); }; };
    auto note_n = [this](const char* nom) {
      return [this, nom](int n) { journal_.push_back(std::string(nom) + " " + std::to_string(n)); };
    };
    a.RAZ_Mesure = note("RAZ_Mesure");
    a.RAZ_Compteurs_Points = note("RAZ_Compteurs_Points");
    a.Retrace = note_n("Retrace");
    a.DoEvents = note("DoEvents");
    a.EffacE_1 = note("EffacE_1");
    a.Calcul_stat = note("Calcul_stat");
    a.Entetes_Stat = note("Entetes_Stat");
    a.Cherche_spore = note("Cherche_spore");
    a.RAZ_Grille_total = note("RAZ_Grille_total");
    a.Annule_Mesure = note("Annule_Mesure");
    a.Efface_Grille = [this](int n) {
      journal_.push_back("Efface_Grille " + std::to_string(n));
      return reponse_efface_;
    };
    a.Efface_ligne = [this](int& ligne) { journal_.push_back("Efface_ligne " + std::to_string(ligne)); };
    a.Aff_Diagnostic = note("Aff_Diagnostic");
    a.aff_liste_images = note("aff_liste_images");
    a.Fenetre_Statistiques = note("Fenetre_Statistiques");
    a.DeplaceMain = note("DeplaceMain");
    a.DeplaceMain_bis = note("DeplaceMain_bis");
    a.Aide_Liste = note("Aide_Liste");
    a.Affiche_Avertissement = note("Affiche_Avertissement");
    a.Rappel_Ecran3 = note("Rappel_Ecran3");
    a.Sauve_Ecran3 = note("Sauve_Ecran3");
    a.Bip = note("Bip");
    a.Sauve_Parametres = [this](int n) {
      journal_.push_back("Sauve_Parametres " + std::to_string(n));
      return true;
    };
    a.Calibrage_Valide = note("Calibrage_Valide");
    a.Valide_Calibrage = note("Valide_Calibrage");
    a.Calibrage_Action = note_n("Calibrage_Action");
    a.CalObj_1 = note_n("CalObj_1");
    a.Valide_Commentaire = note_n("Valide_Commentaire");
    a.Sauve_Resultats_Couleur = note("Sauve_Resultats_Couleur");
    a.Comm_nuancier_Click = note("Comm_nuancier_Click");
    a.Commentaire_Point = note("Commentaire_Point");
    a.Trace_Ligne_Mesure = note("Trace_Ligne_Mesure");
    a.Place_Annotation = note("Place_Annotation");
    a.Inscrit_Legende = note("Inscrit_Legende");
    a.Resume_Stat = note("Resume_Stat");
    a.Nmst_Test = note("Nmst_Test");
    a.Copie_Mesures = note_n("Copie_Mesures");
    a.Flash = [this](double couleur, const std::string& texte, int delai) {
      journal_.push_back("Flash " + std::to_string(static_cast<long>(couleur)) + " [" + texte +
                         "] " + std::to_string(delai));
    };
    a.Ouvre_Lien = [this](const std::string& lien, std::string*) {
      journal_.push_back("Ouvre_Lien " + lien);
      return true;
    };
  }

  Journal Presse(int index) {
    journal_.clear();
    Bout_Click(index);
    return journal_;
  }

  platform::ScriptedDialogs* dialogs_ = nullptr;
  ActionsBarre gardees_;
  std::unique_ptr<picture_window::Restorer> r_holder_ = std::make_unique<picture_window::Restorer>();
  picture_window::Restorer& r_ = *r_holder_;
  Journal journal_;
  bool reponse_efface_ = true;
};

struct Cas {
  const char* nom;
  int index;
  std::function<void()> prepare;
  Journal attendu;
};

// Indices whose action depends on no state set by the test.
TEST_F(Dispatch, EachIndexCallsItsProceduresThenTheTailWhereItRuns) {
  const std::string diag = "Aff_Diagnostic";
  const std::vector<Cas> cas = {
      {"retrace", 1, nullptr, plus({"Retrace 0"}, kQueue)},
      {"undo", 2, nullptr, plus({"EffacE_1", "Calcul_stat", "Entetes_Stat"}, kQueue)},
      {"hand", 5, nullptr, plus({"DeplaceMain", "Retrace 0"}, kQueue)},
      {"options listing", 7, nullptr, plus({diag}, kQueue)},
      {"images", 8, nullptr, plus({"aff_liste_images"}, kQueue)},
      {"count", 9, nullptr, kQueue},
      {"calibrate", 10, nullptr, kQueue},
      {"statistics", 11, nullptr, plus({"Fenetre_Statistiques"}, kQueue)},
      {"colour 1", 12, nullptr, plus({"Retrace 0"}, kQueue)},
      {"colour 2", 13, nullptr, plus({"Retrace 0"}, kQueue)},
      {"search, no redraw", 14, [] { Retrace_Zoom = false; }, plus({"Cherche_spore"}, kQueue)},
      {"search, redraw", 14, [] { Retrace_Zoom = true; },
       plus({"Cherche_spore", "Retrace 0"}, kQueue)},
      {"delete row", 15, [] { Qvl().GrilleRef.setRow(0); }, plus({"Efface_ligne 0", "Retrace 0"}, kQueue)},
      {"clear grid", 16, [] { Qvl().GrilleRef.setRow(0); },
       plus({"Efface_Grille 0", "Efface_ligne 0", "Retrace 0"}, kQueue)},
      {"clear all", 17, nullptr, plus({"RAZ_Grille_total"}, kQueue)},
      {"close grid", 18, nullptr, kQueue},
      {"leave calibration", 19, nullptr, kQueue},
      {"validate calibration", 20, nullptr, plus({"Calibrage_Valide"}, kQueue)},
      {"typed coefficient", 21, nullptr, plus({"Calibrage_Action 0"}, kQueue)},
      {"white balance", 22, nullptr, plus({"Calibrage_Action 1"}, kQueue)},
      {"portion", 23, nullptr, plus({"Calibrage_Action 2"}, kQueue)},
      {"load file", 24, nullptr, plus({"Calibrage_Action 3"}, kQueue)},
      {"save file", 25, nullptr, plus({"Calibrage_Action 4"}, kQueue)},
      {"resolution", 26, nullptr, plus({"Calibrage_Action 5"}, kQueue)},
      {"objective", 27, nullptr, plus({"Calibrage_Action 6"}, kQueue)},
      {"correction", 44, nullptr, plus({"Calibrage_Action 23"}, kQueue)},
      {"28 scanner record", 28, [] { Charte_Demande = true; }, {"Sauve_Resultats_Couleur"}},
      {"28 chart record", 28, [] { Charte_Demande2 = true; }, {"Sauve_Resultats_Couleur"}},
      {"28 panel", 28, nullptr, plus({"Valide_Commentaire 0"}, kQueue)},
      {"29 chart header", 29, nullptr, {"Comm_nuancier_Click"}},
      {"30 empties", 30, nullptr, kQueue},
      {"33 thanks", 33, [this] { Avert_Attente = true; dialogs_->answerMsgBox(platform::vbOK); },
       {"Sauve_Parametres 1"}},
      {"33 key help", 33, nullptr, plus({"Aide_Liste"}, kQueue)},
      {"34 key help shown", 34, [] { Aide_Touches_Ouverte = true; }, {}},
      {"34 calibration", 34, [] { Mode_Etalonnage = true; }, {}},
      {"34 otherwise", 34, nullptr, kQueue},
      {"35 about", 35, nullptr, kQueue},
      {"36 history", 36, nullptr, plus({"Affiche_Avertissement"}, kQueue)},
      {"37 copy", 37, nullptr, kQueue},
      {"38 close preview", 38, nullptr, kQueue},
      {"39 hides", 39, [] { Qvl().Frame(12).setVisible(true); }, {}},
      {"39 fills", 39, [] { Qvl().Frame(12).setVisible(false); }, plus({"Resume_Stat"}, kQueue)},
      {"40 clears", 40, [] { Qvl().GrilleRef.setRow(0); },
       plus({"Efface_Grille 0", "Efface_ligne 0"}, kQueue)},
      {"41 empty grid", 41, [] { LigneCourante = 1; }, kQueue},
      {"42 notation", 42, nullptr,
       plus({"Copie_Mesures 0", "Flash 65280 [     Notation enregistrée] 1"}, kQueue)},
      {"43 summary", 43, nullptr, plus({"Resume_Stat"}, kQueue)},
      {"45 archive", 45, nullptr, plus({"Nmst_Test"}, kQueue)},
      {"46 recall", 46, nullptr, {"Rappel_Ecran3", "Bip"}},
      {"47 keep", 47, nullptr, {"Sauve_Ecran3"}},
      {"50 mail", 50, nullptr,
       plus({"Ouvre_Lien mailto:support@quorvale.org?subject=Question Quorvale&body=****"}, kQueue)},
      {"0", 0, nullptr, kQueue},
      {"6", 6, nullptr, kQueue},
      {"48", 48, nullptr, kQueue},
      {"49", 49, nullptr, kQueue},
      {"51", 51, nullptr, kQueue},
      {"-1", -1, nullptr, kQueue},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    Mode_Etalonnage = Aide_Touches_Ouverte = Avert_Attente = false;
    Charte_Demande = Charte_Demande2 = false;
    if (c.prepare) c.prepare();
    EXPECT_EQ(Presse(c.index), c.attendu);
    dialogs_->clear();
  }
}

TEST_F(Dispatch, ATailWithTextInsertionOnDoesNotRedraw) {
  Mode_InsTexte = true;
  EXPECT_EQ(Presse(6), (Journal{"RAZ_Mesure", "RAZ_Compteurs_Points"}));
  EXPECT_EQ(Qvl().Bout(40).backColor(), platform::kButtonFace);
}

TEST_F(Dispatch, GridButtonClearsAnEmptyGridAndSkipsTheTailWhenItHides) {
  QVL& f = Qvl();
  const int lignes = f.GrilleRef.rows(), colonnes = f.GrilleRef.cols();
  if (lignes < 2) f.GrilleRef.setRows(2);
  if (colonnes < 2) f.GrilleRef.setCols(2);
  const std::string texte = f.GrilleRef.textMatrix(1, 1);
  r_.then([lignes, colonnes, texte] {
    platform::FlexGrid& g = Qvl().GrilleRef;
    g.setTextMatrix(1, 1, texte);
    g.setCols(colonnes);
    g.setRows(lignes);
  });
  f.GrilleRef.setTextMatrix(1, 1, "");
  f.Frame(6).setVisible(false);
  EXPECT_EQ(Presse(3), plus({"Efface_Grille 1", "Efface_ligne 1", "Retrace 0", "Calcul_stat"}, kQueue));
  EXPECT_TRUE(f.Frame(6).visible());
  f.GrilleRef.setTextMatrix(1, 1, "12.5");
  EXPECT_EQ(Presse(3), Journal{});
  EXPECT_FALSE(f.Frame(6).visible());
}

TEST_F(Dispatch, GridClearingAnsweredNoRunsNothingFurther) {
  reponse_efface_ = false;
  TabMesures(4).NumImage = 3;
  EXPECT_EQ(Presse(16), plus({"Efface_Grille 0"}, kQueue));
  EXPECT_EQ(Presse(40), plus({"Efface_Grille 0"}, kQueue));
  EXPECT_EQ(TabMesures(4).NumImage, 3);
  reponse_efface_ = true;
  Presse(40);
  EXPECT_EQ(TabMesures(4).NumImage, 0);
}

// The entry dialogue's "OK" and "Annule": the first case that holds.
TEST_F(Dispatch, EntryDialogueTakesTheFirstCaseThatHolds) {
  struct CasSaisie {
    const char* nom;
    int index;
    std::function<void()> prepare;
    Journal attendu;
    int etat_apres;
  };
  const std::vector<CasSaisie> cas = {
      {"reference line, value", 31, [] { Illus_Saisie = true; Etat_Saisie = 1; },
       {"Rappel_Ecran3", "Commentaire_Point"}, 2},
      {"reference line, unit", 31, [] { Illus_Saisie = true; Etat_Saisie = 3; },
       {"Rappel_Ecran3", "DoEvents", "Trace_Ligne_Mesure"}, 3},
      {"reference line, other state goes on", 31, [] { Illus_Saisie = true; Etat_Saisie = 2; },
       plus({"Rappel_Ecran3", "Valide_Calibrage"}, kQueue), 2},
      {"reference, value", 31, [] { Mode_InsRef = true; Etat_Saisie = 1; }, {"Commentaire_Point"}, 2},
      {"reference, unit", 31, [] { Mode_InsRef = true; Etat_Saisie = 3; },
       {"Place_Annotation", "DoEvents"}, 3},
      {"legend", 31, [] { Mode_Annot = true; Etat_Saisie = 1; }, {"Inscrit_Legende", "DoEvents"}, 1},
      {"illustration line", 31, [] { Illus_Trait = true; Etat_Saisie = 0; },
       {"Inscrit_Legende", "DoEvents"}, 1},
      {"calibration value", 31, nullptr, plus({"Valide_Calibrage"}, kQueue), 0},
      // The step is assigned as a whole string: GCC 12 takes the copy of a literal here for
      // an overlapping one (-Wrestrict).
      {"guided step 0", 31, [] { Etape_CalObj = std::string(1, '0'); }, plus({"Valide_Calibrage", "CalObj_1 1"}, kQueue), 0},
      {"guided step 2", 31, [] { Etape_CalObj = std::string(1, '2'); }, plus({"Valide_Calibrage", "CalObj_1 3"}, kQueue), 0},
      {"cancel reference line", 32, [] { Illus_Texte = true; }, {"Trace_Ligne_Mesure"}, 4},
      {"cancel reference", 32, [] { Mode_InsRef = true; }, {"Place_Annotation"}, 4},
      {"cancel legend", 32, [] { Mode_Annot = true; }, {"Inscrit_Legende"}, 4},
      {"cancel measurement", 32, nullptr, plus({"Annule_Mesure"}, kQueue), 0},
  };
  for (const CasSaisie& c : cas) {
    SCOPED_TRACE(c.nom);
    Illus_Saisie = Illus_Texte = Illus_Trait = Mode_InsRef = Mode_Annot = false;
    Etat_Saisie = 0;
    Etape_CalObj = "99";
    CalObj_Actif = false;
    if (c.prepare) c.prepare();
    EXPECT_EQ(Presse(c.index), c.attendu);
    EXPECT_EQ(Etat_Saisie, c.etat_apres);
  }
  Mode_InsRef = true;
  Etat_Saisie = 1;
  Presse(31);
  EXPECT_TRUE(Qvl().Bout_Symb.visible());
  EXPECT_EQ(Qvl().Bout(10).backColor(), platform::kButtonFace);
  Mode_InsRef = false;
  Etape_CalObj = "2";
  Presse(31);
  EXPECT_TRUE(CalObj_Actif);
  EXPECT_FALSE(Qvl().Bout_Symb.visible());
  EXPECT_EQ(Qvl().Bout(10).backColor(), 0xFF00u);
  EXPECT_EQ(Qvl().TBox(5).height(), 315);
}

TEST_F(Dispatch, CalibrationButtonsSetTheirState) {
  QVL& f = Qvl();
  NbSegments_Calib = 42;
  NbClics_Calib = 5;
  Type_Etalonnage = 3;
  Presse(10);
  EXPECT_TRUE(Mode_Etalonnage);
  EXPECT_EQ(Type_Etalonnage, 0);
  EXPECT_EQ(NbClics_Calib, 0);
  EXPECT_EQ(f.TBox(5).text(), "42");
  EXPECT_EQ(f.Bout(10).backColor(), 255u);
  EXPECT_EQ(f.StatusBar1.simpleText(), "pointer N divisions du micromètre oculaire");
  Presse(24);
  EXPECT_EQ(Mode_Panneau_Calib, 99);
  Presse(25);
  EXPECT_EQ(Mode_Panneau_Calib, 98);
}

TEST_F(Dispatch, LeavingCalibrationRestoresTheKeptCoefficientOnly) {
  QVL& f = Qvl();
  Calibrage = 0.25;
  f.Label_Calib.setCaption("x40");
  Presse(19);   // nothing kept: the coefficient in force stays
  EXPECT_EQ(Calibrage, 0.25);
  EXPECT_EQ(f.Label_Calib.caption(), "x40");
  EXPECT_EQ(f.label(5).caption(), "Cal. = 0.2500");
  Calibrage_Avant = 0.123456;
  NomCalib = "x100 huile";
  ValMesure(3) = 9;   // overwritten by the tools: never read here
  f.Frame(7).setVisible(true);
  Trace_Ok = true;
  Presse(19);
  EXPECT_EQ(Calibrage, 0.123456);
  EXPECT_EQ(f.label(5).caption(), "Cal. = 0.1235");
  EXPECT_EQ(f.Label_Calib.caption(), "x100 huile");
  EXPECT_FALSE(f.Frame(7).visible());
  EXPECT_FALSE(Trace_Ok);
}

TEST_F(Dispatch, CompactBarHandModeCallsItsOwnPanStep) {
  Main_Bascule = false;
  journal_.clear();
  Bout_C_Click(5);
  EXPECT_EQ(journal_, Journal{"DeplaceMain_bis"});
  EXPECT_TRUE(Mode_Main);
  EXPECT_EQ(Qvl().StatusBar1.simpleText(), "Presser le bouton gauche pour déplacer l'image ");
  journal_.clear();
  Bout_C_Click(5);
  EXPECT_FALSE(Mode_Main);
  journal_.clear();
  Bout_C_Click(6);
  EXPECT_EQ(journal_, kQueue);
}

}  // namespace
