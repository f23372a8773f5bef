// The measuring-function menus on the real main window (offscreen, scripted answers).
#include "shell/function_menus.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "measure/grid_templates.h"
#include "measure/measure_state.h"
#include "platform/colour.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "shell/button_bar.h"
#include "shell/function_switch.h"
#include "images/image_list.h"
#include "images/picture_view.h"
#include "measure/measure_window.h"
#include "measure/outline_tool.h"
#include "measure/picture_window.h"
#include "measure/session_window.h"
#include "platform/picture.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "support/painted_picture.h"
#include "support/user_input.h"

namespace {

// One item that chooses a function, the code it gives and the end of the caption.
struct Item {
  const char* label;
  std::function<void()> click;
  int code;
  const char* name;
};

std::vector<Item> items() {
  QVL& f = Qvl();
  auto m = [](MenuArr& a, int i) { return [&a, i] { user::click(a(i)); }; };
  return {
      {"segment", m(f.MnuFonc, 1), 1, "mesure Segment"},
      {"spores 2D", m(f.MnuFonc, 2), 2, "mesure Spore 2D"},
      {"spores 3D", m(f.MnuFonc, 3), 3, "mesure Spore 3D"},
      {"gills", m(f.MnuFonc, 8), 22, "Comptage_Lames"},
      {"counting", m(f.Mncp, 1), 10, "Comptage_1"},
      {"bumps", m(f.Mncp, 2), 11, "Comptage_2"},
      {"cystidia 3", m(f.Cyst, 1), 4, "mesure Cystide 3"},
      {"cystidia 5", m(f.Cyst, 3), 6, "mesure Cystide 5"},
      {"ellipse", m(f.MnDens, 1), 13, "Densité_Ellipse"},
      {"rectangle", m(f.MnDens, 2), 14, "Densité_rectangle"},
      {"triangle", m(f.Mnusurf, 1), 15, "Triangle"},
      {"closed curve", m(f.Mnusurf, 2), 16, "Courbe fermée"},
      {"open polygon", m(f.Mnusurf, 3), 16, "Polygone ouvert abandonné"},
      // Last: the colour zone disables the counting menus until a menu function is chosen.
      {"colour zone", m(f.MnuFonc, 20), 20, "tintavel"},
  };
}

// What a declined change must leave as it was.
struct Snapshot {
  int function, line;
  std::string cell, count, prompt, caption;
  bool density, counting, surface, surface2;
  std::vector<bool> states;

  static Snapshot take() {
    QVL& f = Qvl();
    Snapshot s{FonctionCourante, LigneCourante, f.GrilleRef.textMatrix(1, 1), f.TBox(6).text(),
               f.StatusBar1.simpleText(), f.caption(), Mode_Densite, Mode_Comptage, Mode_Surface,
               Mode_Surface2, {}};
    s.states = {f.MnuFIC(9).enabled(), f.MnuFIC(10).enabled(), f.MnuFonc(6).enabled(),
                f.MnuFonc(7).enabled(), f.MnuEDit(9).enabled(), f.MntoolXp(4).enabled(),
                f.Optn(5).enabled(),    f.Optn(6).enabled(),    f.Bout(2).enabled(),
                f.Bout(9).enabled(),    f.Bout(10).enabled(),   f.Bout(42).visible(),
                f.Bout(45).enabled(),   f.Frame1.visible()};
    return s;
  }
  bool operator==(const Snapshot& o) const {
    return function == o.function && line == o.line && cell == o.cell && count == o.count &&
           prompt == o.prompt && caption == o.caption && density == o.density &&
           counting == o.counting && surface == o.surface && surface2 == o.surface2 &&
           states == o.states;
  }
};

class FunctionMenus : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
    QVL& f = Qvl();
    f.show();
    platform::DoEvents();
    function_ = FonctionCourante;
    start_ = Fonction_Demarrage;
    autosave_ = Sauve_Auto;
    closed_ = Courbe_Fermee;
    auto d = std::make_unique<platform::ScriptedDialogs>();
    dialogs_ = d.get();
    platform::setDialogs(std::move(d));
    Messages_Defaut();
    Modeles_Grille();
  }
  void TearDown() override {
    platform::setDialogs(nullptr);
    Fonction_Demarrage = start_;
    MNSav_Click(autosave_ / 10);
    Courbe_Fermee = closed_;
    Ini_fonc();
    Mode_Comptage = false;
    Choix_Fonction_Mesure(function_);
    // The menus the colour zone disables, back as a menu function leaves them.
    QVL& f = Qvl();
    for (int i : {6, 7}) f.MnuFonc(i).setEnabled(true);
    for (int i : {9, 10}) f.MnuFIC(i).setEnabled(true);
  }

  // Puts one measurement in row 1 of the grid of function `code`.
  static void oneRow(int code) {
    ASSERT_TRUE(Choix_Fonction_Mesure(code));
    Qvl().GrilleRef.setTextMatrix(1, 1, "12.5");
    TabMesures(1).NumImage = 1;
    LigneCourante = 2;
  }

  // What was asked, less the colour zone's notice of a standard it could not open
  // (every switch-on without one says so).
  std::vector<platform::ScriptedDialogs::Asked> asked() const {
    std::vector<platform::ScriptedDialogs::Asked> a;
    for (const auto& q : dialogs_->log())
      if (q.text != "fichier étalon non chargé ") a.push_back(q);
    return a;
  }

  platform::ScriptedDialogs* dialogs_ = nullptr;

 private:
  int function_ = 2, start_ = 0, autosave_ = 10;
  bool closed_ = false;
};

TEST_F(FunctionMenus, NoToTheQuestionChangesNothing) {
  for (const Item& it : items()) {
    SCOPED_TRACE(it.label);
    oneRow(it.code == 1 ? 2 : 1);
    Mode_Densite = false;
    const Snapshot before = Snapshot::take();
    dialogs_->answerMsgBox(platform::vbNo);
    it.click();
    ASSERT_EQ(dialogs_->log().size(), 1u);
    EXPECT_EQ(dialogs_->log()[0].text, " effacer  la grille  ?");
    EXPECT_EQ(dialogs_->log()[0].style & 7, platform::vbYesNo);
    EXPECT_TRUE(Snapshot::take() == before);
    EXPECT_EQ(TabMesures(1).NumImage, 1);
    dialogs_->clear();
  }
}

TEST_F(FunctionMenus, YesClearsAndLaysOutTheFunction) {
  QVL& f = Qvl();
  for (const Item& it : items()) {
    SCOPED_TRACE(it.label);
    oneRow(it.code == 1 ? 2 : 1);
    dialogs_->answerMsgBox(platform::vbYes);
    it.click();
    EXPECT_EQ(asked().size(), 1u);
    EXPECT_EQ(FonctionCourante, it.code);
    EXPECT_EQ(LigneCourante, 1);
    EXPECT_EQ(f.GrilleRef.textMatrix(1, 1), "");
    EXPECT_EQ(TabMesures(1).NumImage, 0);
    const std::string end = std::string(" : ") + it.name;
    EXPECT_EQ(f.caption().substr(f.caption().size() - std::min(end.size(), f.caption().size())), end);
    dialogs_->clear();
  }
}

TEST_F(FunctionMenus, EmptyGridAsksNothing) {
  for (const Item& it : items()) {
    SCOPED_TRACE(it.label);
    ASSERT_TRUE(Choix_Fonction_Mesure(it.code == 1 ? 2 : 1));
    it.click();
    EXPECT_EQ(FonctionCourante, it.code);
  }
  EXPECT_TRUE(asked().empty());
}

TEST_F(FunctionMenus, CurrentFunctionAgainChangesNothing) {
  QVL& f = Qvl();
  const std::pair<MenuArr*, int> again[] = {
      {&f.MnuFonc, 1}, {&f.MnuFonc, 2}, {&f.MnuFonc, 3}, {&f.Mncp, 1}, {&f.Mncp, 2}, {&f.MnuFonc, 20}};
  const int codes[] = {1, 2, 3, 10, 11, 20};
  for (int k = 0; k < 6; ++k) {
    SCOPED_TRACE(codes[k]);
    oneRow(codes[k]);
    const Snapshot before = Snapshot::take();
    user::click((*again[k].first)(again[k].second));
    EXPECT_TRUE(Snapshot::take() == before);
  }
  EXPECT_TRUE(asked().empty());
}

TEST_F(FunctionMenus, EachFunctionLeavesItsTools) {
  QVL& f = Qvl();
  ASSERT_TRUE(Choix_Fonction_Mesure(1));
  user::click(f.MnDens(1));
  EXPECT_TRUE(Mode_Densite);
  EXPECT_EQ(f.TBox(6).text(), "0");
  EXPECT_FALSE(f.MnuFIC(9).enabled());
  EXPECT_FALSE(f.Optn(5).enabled());
  EXPECT_FALSE(f.Bout(10).enabled());
  EXPECT_EQ(f.StatusBar1.simpleText(), MSG(69));

  // Segment: the density mode ends, the tools come back.
  user::click(f.MnuFonc(1));
  EXPECT_FALSE(Mode_Densite);
  EXPECT_TRUE(f.MnuFIC(9).enabled());
  EXPECT_TRUE(f.Optn(5).enabled());
  EXPECT_TRUE(f.Bout(10).enabled());
  EXPECT_TRUE(f.Bout(42).visible());
  EXPECT_FALSE(f.MnuEDit(9).enabled());
  user::click(f.MnuFonc(2));
  EXPECT_TRUE(f.MnuEDit(9).enabled());
  EXPECT_TRUE(f.Bout(45).enabled());

  // Gill count: its frame's count at "0", its prompt, "Sauver la Trame" off.
  f.Label12.setCaption("7");
  user::click(f.MnuFonc(8));
  EXPECT_EQ(NbLames, 0);
  EXPECT_EQ(f.Label12.caption(), "0");
  EXPECT_EQ(f.StatusBar1.simpleText(), MSG(260));
  EXPECT_FALSE(f.MnuFIC(9).enabled());
  EXPECT_FALSE(f.Bout(9).enabled());

  // Counting: the counting mode with the box at "0", the step prompt.
  user::click(f.Mncp(2));
  EXPECT_TRUE(Mode_Comptage);
  EXPECT_EQ(f.StatusBar1.simpleText(), MSG(55));
  EXPECT_FALSE(f.Bout(41).enabled());

  // Surfaces.
  user::click(f.Mnusurf(1));
  EXPECT_TRUE(Mode_Surface);
  EXPECT_FALSE(Mode_Surface2);
  EXPECT_FALSE(Mode_Comptage);
  user::click(f.Mnusurf(2));
  EXPECT_TRUE(Mode_Surface2);
  EXPECT_TRUE(Courbe_Fermee);
  user::click(f.Mnusurf(3));
  EXPECT_FALSE(Courbe_Fermee);

  // Colour zone: the switch's cells, last column and prompt; the menus it cannot use off.
  user::click(f.MnuFonc(20));
  EXPECT_EQ(NbCellules, 6);
  EXPECT_EQ(Der_Colonne, 6);
  EXPECT_EQ(MSG(55), " marquer la zone couleur à mesurer");
  for (int i : {6, 7}) EXPECT_FALSE(f.MnuFonc(i).enabled());
  for (int i : {9, 10}) EXPECT_FALSE(f.MnuFIC(i).enabled());
  EXPECT_FALSE(Etalon_Charge);
  EXPECT_TRUE(asked().empty());
}

TEST_F(FunctionMenus, StartFunctionAndAutomaticSave) {
  QVL& f = Qvl();
  const int current = FonctionCourante;
  const std::pair<int, int> start[] = {{0, 1}, {3, 4}, {5, 6}, {20, 20}};
  for (const auto& [item, code] : start) {
    user::click(f.Fdemarrage(item));
    EXPECT_EQ(Fonction_Demarrage, code);
    for (int i : {0, 1, 2, 3, 4, 5, 20}) EXPECT_EQ(f.Fdemarrage(i).checked(), i == item) << i;
  }
  EXPECT_EQ(FonctionCourante, current);
  for (int item = 0; item <= 2; ++item) {
    user::click(f.MNSav(item));
    EXPECT_EQ(Sauve_Auto, item * 10);
    for (int i = 0; i <= 2; ++i) EXPECT_EQ(f.MNSav(i).checked(), i == item) << i;
  }
}

TEST_F(FunctionMenus, PolyBoxSetsThePointingMode) {
  QVL& f = Qvl();
  user::setValue(f.Check2, 1);
  EXPECT_TRUE(Mode_Pointage);
  EXPECT_EQ(f.Check2.backColor(), 0xFFu);
  user::setValue(f.Check2, 0);
  EXPECT_FALSE(Mode_Pointage);
  EXPECT_EQ(f.Check2.backColor(), platform::kButtonFace);
}

TEST_F(FunctionMenus, LeiosporeeBoxBuildsThePreviewAgain) {
  QVL& f = Qvl();
  auto saved = Actions_Barre().Resume_Stat;
  int built = 0;
  Actions_Barre().Resume_Stat = [&built, &f] {
    ++built;
    f.Frame(12).setVisible(true);
  };
  f.Frame(12).setVisible(true);
  f.TBox(8).setText("ancien");
  user::setValue(f.Check4, 1);
  EXPECT_EQ(built, 1);
  EXPECT_EQ(f.TBox(8).text(), "");
  user::setValue(f.Check4, 0);
  EXPECT_EQ(built, 2);
  Actions_Barre().Resume_Stat = saved;
}

// The closed curve on a listed picture, traced with the mouse on Picture1.
class OutlineAfterAChange : public FunctionMenus {
 protected:
  void SetUp() override {
    FunctionMenus::SetUp();
    QVL& f = Qvl();
    picture_window::keepMeasuringState(r_, 10);
    r_.keep(Calib_Images);
    r_.keep(Liste_Sommets);
    picture_window::standardMeasuringState();
    Calibrage = 0.01;
    std::vector<std::string> liste;
    for (int i = 0; i < f.ListIMGchar.listCount(); ++i) liste.push_back(f.ListIMGchar.list(i));
    r_.then([liste] {
      Qvl().ListIMGchar.clear();
      for (const std::string& l : liste) Qvl().ListIMGchar.addItem(l);
    });
    const std::string image = dir_.file("plain.bmp");
    ASSERT_TRUE(platform::Picture::filled(400, 300, 0x808080).saveBmp(image));
    ASSERT_TRUE(Charge_Image_Memoire(image));
    f.ListIMGchar.clear();
    f.ListIMGchar.addItem(image);
    Index_Image = 1;
    Calib_Images(1) = Calibrage;
  }

  static void press(int px, int py, Qt::MouseButton b = Qt::LeftButton) {
    picture_window::mouse(QEvent::MouseButtonPress, b, px, py);
    picture_window::mouse(QEvent::MouseButtonRelease, b, px, py);
  }
  // A square of 100 canvas pixels, closed by the right button far from it; the values
  // of the row it fills (surface, perimeter, Rm, F).
  static std::vector<std::string> square() {
    const int ligne = LigneCourante;
    for (auto [x, y] : {std::pair{40, 40}, {140, 40}, {140, 140}, {40, 140}}) press(x, y);
    press(300, 250, Qt::RightButton);
    std::vector<std::string> v;
    for (int c = 1; c <= 4; ++c) v.push_back(Qvl().GrilleRef.textMatrix(ligne, c));
    return v;
  }

  picture_window::Restorer r_;
  picture_window::TempFolder dir_;
};

// Vertices left by an outline that was never closed do not join the next outline,
// whether the closed curve is chosen again or another function comes between.
TEST_F(OutlineAfterAChange, AnAbandonedOutlineIsForgotten) {
  QVL& f = Qvl();
  ASSERT_TRUE(user::choose(f.Mnusurf(2)));
  ASSERT_EQ(FonctionCourante, 16);
  const std::vector<std::string> seul = square();
  ASSERT_EQ(LigneCourante, 2);
  // A square whatever its scale: F = 16 / 12.5664 - 1 and Rm = 2S / P = P / 8.
  ASSERT_EQ(seul[3], "0.27");
  ASSERT_NEAR(platform::Val(seul[2]), platform::Val(seul[1]) / 8, 0.006);

  for (auto [x, y] : {std::pair{300, 200}, {350, 260}, {200, 280}}) press(x, y);
  dialogs_->answerMsgBox(platform::vbYes);   // the grid holds a row
  ASSERT_TRUE(user::choose(f.Mnusurf(2)));
  ASSERT_EQ(LigneCourante, 1);
  EXPECT_EQ(square(), seul);

  for (auto [x, y] : {std::pair{300, 200}, {350, 260}}) press(x, y);
  dialogs_->answerMsgBox(platform::vbYes);
  ASSERT_TRUE(user::choose(f.MnuFonc(2)));
  ASSERT_TRUE(user::choose(f.Mnusurf(2)));
  EXPECT_EQ(square(), seul);
  EXPECT_EQ(Liste_Sommets(1), "");
  EXPECT_EQ(NbPoints_Surface, 1);
}

// Spores in two dimensions made current by the switch a trame uses, right after the
// closed curve or a density was chosen from its menu: clicks measure spores, they no
// longer go to the outline or density tool.
TEST_F(OutlineAfterAChange, TheSwitchOfATrameDisarmsTheOtherTools) {
  QVL& f = Qvl();
  for (platform::MenuItem* outil : {&f.Mnusurf(2), &f.Mnusurf(1), &f.MnDens(1)}) {
    SCOPED_TRACE(outil->caption());
    ASSERT_TRUE(user::choose(*outil));
    ASSERT_TRUE(Mode_Surface || Mode_Surface2 || Mode_Densite);
    ASSERT_TRUE(Choix_Fonction_Mesure(2));
    EXPECT_FALSE(Mode_Surface);
    EXPECT_FALSE(Mode_Surface2);
    EXPECT_FALSE(Mode_Densite);
    for (auto [x, y] : {std::pair{40, 40}, {140, 40}, {140, 140}}) press(x, y);
    EXPECT_EQ(Liste_Sommets(1), "");
  }
}

// Enabled and visible state of every item of the main window's menu bar.
std::vector<std::string> menuStates() {
  std::vector<std::string> v;
  std::function<void(platform::MenuItem&, const std::string&)> walk = [&](platform::MenuItem& m,
                                                                          const std::string& path) {
    const std::string here = path + "/" + m.caption();
    v.push_back(here + (m.enabled() ? "" : " (greyed)") + (m.visible() ? "" : " (hidden)"));
    for (platform::MenuItem* c : m.items()) walk(*c, here);
  };
  QVL& f = Qvl();
  for (platform::MenuItem* t : {f.Mnfichiers, f.MnEdit, f.Mnfonctions, f.MnOptions, f.MnOutils, f.OptnMchrt})
    walk(*t, "");
  return v;
}

// The measuring modes and the buttons that follow the function.
std::vector<std::string> toolStates() {
  QVL& f = Qvl();
  std::vector<std::string> v;
  for (bool b : {Mode_Comptage && BGr_Etat1, Mode_Comptage, Comptage_Actif, Mode_Densite, Mode_Surface,
                 Mode_Surface2, f.Bout(9).backColor() == platform::kButtonFace, f.Bout(42).visible()})
    v.push_back(b ? "on" : "off");
  for (const platform::Control* c : std::initializer_list<const platform::Control*>{
           &f.Bout(2), &f.Bout(9), &f.Bout(10), &f.Bout(45), &f.Optn(5), &f.Optn(6)})
    v.push_back(user::nameOf(*c) + (c->enabled() ? "" : " (greyed)"));
  return v;
}

// A function made current by the switch that trames, sessions and the start-up use
// leaves the menus, modes and buttons as its own menu item does, whatever function
// came before (a count, the gill count, the colour zone), and so does its menu item
// chosen right after one of them; a Spores 2D trame read after the colour zone can be
// saved again.
TEST_F(FunctionMenus, MenusFollowTheFunctionHoweverItBecomesCurrent) {
  QVL& f = Qvl();
  for (const Item& it : items()) {
    SCOPED_TRACE(it.label);
    ASSERT_TRUE(Choix_Fonction_Mesure(it.code == 1 ? 2 : 1));
    ASSERT_TRUE(user::choose(f.MnuFonc(1)));
    it.click();
    ASSERT_EQ(FonctionCourante, it.code);
    const std::vector<std::string> parMenu = menuStates(), outils = toolStates();
    for (platform::MenuItem* avant : {&f.Mncp(1), &f.MnuFonc(8), &f.MnuFonc(20)}) {
      SCOPED_TRACE(avant->caption());
      ASSERT_TRUE(user::choose(f.MnuFonc(1)));
      ASSERT_TRUE(user::choose(*avant));
      ASSERT_NE(FonctionCourante, 1);
      ASSERT_TRUE(Choix_Fonction_Mesure(it.code));
      EXPECT_EQ(menuStates(), parMenu);
      EXPECT_EQ(toolStates(), outils);
      // The menu item itself, right after a count or the gill count (the colour zone
      // greys some of them).
      if (avant == &f.MnuFonc(20)) continue;
      ASSERT_TRUE(user::choose(f.MnuFonc(1)));
      ASSERT_TRUE(user::choose(*avant));
      it.click();
      ASSERT_EQ(FonctionCourante, it.code);
      EXPECT_EQ(menuStates(), parMenu);
      EXPECT_EQ(toolStates(), outils);
    }
  }

  picture_window::Restorer r;
  r.keep(Calibrage); r.keep(Calib_Images); r.keep(Alerte_W7); r.keep(Fic_Trame); r.keep(Fic_Session);
  r.keep(Rep_Data); r.keep(Taille_Grille); r.keep(Fic_Calib); r.keep(Img_Active); r.keep(Index_Image);
  r.keep(Facteur_Resol); r.keep(Indep_Resol);
  picture_window::TempFolder dir;
  session_window::picture(dir, "lame 1.bmp", 400, 300);
  session_window::picture(dir, "lame2.bmp", 300, 300);
  const std::string trame = dir.file("s.trm");
  ASSERT_TRUE(platform::saveFileAtomic(
      trame, session_window::replaceAll(session_window::bytesOf(session_window::dataFile("program_2d/input.trm")),
                                        "@DOSSIER@", dir.file("").substr(0, dir.file("").size() - 1))));
  ASSERT_TRUE(user::choose(f.MnuFonc(20)));
  ASSERT_EQ(FonctionCourante, 20);
  EXPECT_NE(user::whyUnchoosable(f.MnuFIC(9)), "");
  const std::string lue = Fic_Session_Lue;
  Indep_Resol = true;   // the trame's mode
  Fic_Session_Lue = trame;
  platform::setClock(std::make_unique<measure_window::RunningClock>());
  ASSERT_TRUE(user::choose(f.MnuSession(1)));
  Fic_Session_Lue = lue;
  platform::setClock(nullptr);
  EXPECT_TRUE(asked().empty()) << asked().front().text;
  ASSERT_EQ(FonctionCourante, 2);
  ASSERT_EQ(LigneCourante, 3);
  for (platform::MenuItem* m : {&f.MnuFIC(9), &f.MnuFIC(10), &f.MnuFonc(6), &f.MnuFonc(7), &f.MnuEDit(9)})
    EXPECT_EQ(user::whyUnchoosable(*m), "") << m->caption();
  EXPECT_FALSE(f.OptnMchrt->visible());
  const std::string copie = dir.file("copie.trm");
  dialogs_->answerSave(copie);
  Alerte_W7 = false;
  ASSERT_TRUE(user::choose(f.MnuFIC(9)));
  EXPECT_TRUE(platform::fileExists(copie));
  Vide_Listes();
}

// A Spores 2D session of two pictures read back, after another function was chosen
// from its menu, by "Session précédente" or "Charger la trame"; the preview and the
// welcome panel over the picture closed by their buttons first.
class SessionAfterAnotherFunction : public session_window::SessionWindow {
 protected:
  static constexpr platform::Colour kFond = 0x3070B0;   // the first picture's colour

  void SetUp() override {
    SessionWindow::SetUp();
    const bool apropos = Qvl().FraQvrl.visible();
    r_.then([apropos] { Qvl().FraQvrl.setVisible(apropos); });
    closePanelsOverPicture();
    session_window::picture(images_, "lame 1.bmp", 400, 300, kFond);
    session_window::picture(images_, "lame2.bmp", 300, 300);
    trame_ = golden("program_2d");
  }

  // Chooses a function from its menu, clearing the grid when it holds rows.
  void choose(platform::MenuItem& m) {
    if (LigneCourante > 1) dialogs_->answerMsgBox(platform::vbYes);
    ASSERT_TRUE(user::choose(m));
    dialogs_->clear();
  }

  void load(bool parSession) {
    QVL& f = Qvl();
    Fic_Session_Lue = trame_;
    if (!parSession) dialogs_->answerOpen({trame_});
    ASSERT_TRUE(user::choose(parSession ? f.MnuSession(1) : f.MnuFIC(10)));
    EXPECT_TRUE(messages().empty());
    ASSERT_EQ(FonctionCourante, 2);
    ASSERT_EQ(LigneCourante, 3);
    if (f.FraListeImg.visible()) {  // the image list closed
      ASSERT_TRUE(user::click(f.Bout(8)));
    }
  }

  // A left drag between two points of the shown picture, as fractions of it, found on
  // the screen.
  static void dragOn(double fx1, double fy1, double fx2, double fy2) {
    const painted::Region r = painted::find(painted::screenshot(Qvl().Picture1), painted::rgbOf(kFond), 2);
    ASSERT_TRUE(r.found());
    const auto at = [&r](double fx, double fy) {
      return QPoint(r.left + static_cast<int>(fx * r.width()), r.top + static_cast<int>(fy * r.height()));
    };
    const QPoint a = at(fx1, fy1), b = at(fx2, fy2);
    for (QPoint p : {a, b}) ASSERT_EQ(user::whyUnreachableAt(Qvl().Picture1.clientWidget(), p), "");
    picture_window::drag(a.x(), a.y(), b.x(), b.y());
  }

  std::string trame_;
};

// After a count, drags on the session's picture measure spores: a length and a width
// fill a new row and add no count; "Compter", "Etalonner" and "Test Archv" can be
// pressed. After the colour zone (which greys "Charger la trame") too.
TEST_F(SessionAfterAnotherFunction, SporesAreMeasuredAfterACount) {
  QVL& f = Qvl();
  for (bool parSession : {true, false}) {
    SCOPED_TRACE(parSession);
    choose(f.MnuFonc(1));
    choose(f.Mncp(1));
    ASSERT_EQ(FonctionCourante, 10);
    load(parSession);
    for (int b : {9, 10, 45}) EXPECT_EQ(user::whyUnreachable(f.Bout(b)), "") << b;
    dragOn(0.25, 0.4, 0.75, 0.4);   // the length
    dragOn(0.5, 0.3, 0.5, 0.5);     // the width
    EXPECT_EQ(LigneCourante, 4);
    EXPECT_GT(platform::Val(f.GrilleRef.textMatrix(3, 1)), 0);
    EXPECT_GT(platform::Val(f.GrilleRef.textMatrix(3, 2)), 0);
    EXPECT_EQ(f.TBox(6).text(), "0");
  }
  choose(f.MnuFonc(20));
  ASSERT_EQ(FonctionCourante, 20);
  load(true);
  EXPECT_EQ(user::whyUnreachable(f.Bout(45)), "");
}

}  // namespace
