// The rows of the measurement table on the real main window: a row holds only what its
// own measurement wrote. Rows of one function are measured with the mouse, the grid is
// cleared with "Raz gril.", another function is chosen from the menu and its rows are
// measured; their table rows, the redraw ("retrace"), the session written by
// "Transfert de  session" and that session loaded again ("Charger la trame") show
// nothing of the earlier rows. A row read from a trame keeps what the file holds, and a
// row opened again by an undo keeps what it still holds. Where a picture pixel is on the
// screen is read from the screen.
#include "measure/table_editing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "base/globals.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "measure/measure_state.h"
#include "platform/colour.h"
#include "platform/picture.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "session_window.h"
#include "support/painted_picture.h"
#include "support/user_input.h"

namespace {

using painted::Pixel;

// The picture measured: 256 x 128 pixels whose colours say where they are, shown
// enlarged so that every pixel of it is on the screen.
constexpr int kLargeur = 256, kHauteur = 128;

// The reals of cells 1 to 16 of a table row, X1, Y1, X2, Y2 of each in turn.
std::vector<double> reels(const Mesure& m) {
  std::vector<double> v;
  for (int c = 1; c <= 16; ++c) {
    const Segment& s = m.Seg(c);
    v.insert(v.end(), {s.X1, s.Y1, s.X2, s.Y2});
  }
  return v;
}

// The row lines of the trame at path (the lines after "TRAME= "), each cut at its ";".
std::vector<std::vector<std::string>> lignesTrame(const std::string& path) {
  std::vector<std::string> lignes;
  EXPECT_TRUE(platform::readLines(path, &lignes)) << path;
  std::vector<std::vector<std::string>> rangees;
  bool trame = false;
  for (const std::string& l : lignes) {
    if (trame) rangees.push_back(platform::Split(l, ";"));
    if (l == "TRAME= ") trame = true;
  }
  return rangees;
}

class RowStart : public session_window::SessionWindow {
 protected:
  void SetUp() override {
    SessionWindow::SetUp();
    const std::string compte = Qvl().TBox(6).text();
    const int zone = ZoneCouleur;
    r_.then([compte, zone] {
      Qvl().TBox(6).setText(compte);
      if (zone >= 1 && zone <= 6) Qvl().Lrg(zone).click();
    });
    plainColourZones();
    picture_window::standardMeasuringState();
    CouleursTrace(0) = 12;
    closePanelsOverPicture();
  }

  // The picture shown as image 1 of the list, "Mesure segment" current.
  void ouvre() {
    QVL& f = Qvl();
    const std::string chemin = images_.file("lame.bmp");
    ASSERT_TRUE(painted::coordinates(kLargeur, kHauteur).saveBmp(chemin));
    startFunction(1);
    f.ListIMGchar.clear();
    f.ListIMGchar.addItem(chemin);
    ASSERT_TRUE(Charge_Image_Memoire(chemin));
    Img_Active = chemin;
    Index_Image = 1;
    regarde();
  }

  // Reads where the picture's pixels are on the screen now: the canvas columns that
  // show each picture column and the canvas rows that show each picture row, from every
  // canvas pixel that shows the picture (marks drawn over a few of them change nothing).
  void regarde() {
    vue_ = painted::screenshot(Qvl().Picture1);
    colonnes_.assign(kLargeur, painted::Region());
    rangs_.assign(kHauteur, painted::Region());
    for (int y = 0; y < vue_.height(); ++y)
      for (int x = 0; x < vue_.width(); ++x) {
        const Pixel p = painted::pixelShown(vue_.pixel(x, y));
        if (p.x < 0 || p.x >= kLargeur || p.y < 0 || p.y >= kHauteur) continue;
        painted::add(colonnes_[static_cast<std::size_t>(p.x)], x, y);
        painted::add(rangs_[static_cast<std::size_t>(p.y)], x, y);
      }
  }

  // The canvas point in the middle of the screen pixels that show picture pixel p.
  QPoint ecran(Pixel p) const {
    const bool dedans = p.x >= 0 && p.x < kLargeur && p.y >= 0 && p.y < kHauteur;
    const painted::Region c = dedans ? colonnes_[static_cast<std::size_t>(p.x)] : painted::Region();
    const painted::Region r = dedans ? rangs_[static_cast<std::size_t>(p.y)] : painted::Region();
    EXPECT_TRUE(c.found() && r.found()) << p << " is not on the screen";
    return QPoint(c.middleX(), r.middleY());
  }

  // The point of the picture canvas a user can reach; a covering grid frame is put away
  // first with its button "grille".
  QPoint atteint(Pixel p) {
    QVL& f = Qvl();
    const QPoint e = ecran(p);
    if (!user::whyUnreachableAt(toile(), e).empty() && f.Frame(6).visible()) {
      EXPECT_TRUE(user::click(f.Bout(3)));
    }
    EXPECT_EQ(user::whyUnreachableAt(toile(), e), "") << p;
    return e;
  }
  static QWidget* toile() { return Qvl().Picture1.clientWidget(); }

 public:
  // A segment dragged from picture pixel a to b.
  void trace(Pixel a, Pixel b) {
    const QPoint p = atteint(a), q = atteint(b);
    picture_window::drag(p.x(), p.y(), q.x(), q.y());
  }
  // A click of `bouton` on picture pixel p.
  void clique(Pixel p, Qt::MouseButton bouton = Qt::LeftButton) {
    const QPoint e = atteint(p);
    user::pressAndRelease(toile(), e, bouton);
  }

 protected:
  // Menu item m chosen; a question about the rows in the grid answered Yes. The
  // picture is looked at again, as the function's switch shows it anew.
  void choisit(platform::MenuItem& m) {
    if (LigneCourante > 1) dialogs_->answerMsgBox(platform::vbYes);
    ASSERT_TRUE(user::choose(m));
    regarde();
  }

  // "Raz gril." with its question answered Yes: the grid empty.
  void razGrille() {
    dialogs_->answerMsgBox(platform::vbYes);
    ASSERT_TRUE(user::click(Qvl().Bout(16)));
    ASSERT_EQ(LigneCourante, 1);
    ASSERT_EQ(Qvl().GrilleRef.textMatrix(1, 1), "");
  }

  // The session written into a folder of its own by "Transfert de  session"; its path.
  std::string transfere(const std::string& nom) {
    const std::string dossier = images_.file(nom);
    std::filesystem::create_directories(dossier);
    const std::string trame = dossier + "/session.trm";
    dialogs_->answerSave(trame);
    EXPECT_TRUE(user::choose(Qvl().Mntool(25)));
    EXPECT_TRUE(std::filesystem::exists(trame));
    return trame;
  }

  // "Charger la trame" of `trame`, from "Mesure segment" (the colour zone has no such
  // item); `avis` notices are acknowledged.
  void charge(const std::string& trame, int avis) {
    QVL& f = Qvl();
    if (FonctionCourante != 1) choisit(f.MnuFonc(1));
    dialogs_->answerOpen({trame});
    for (int i = 0; i < avis; ++i) dialogs_->answerMsgBox(platform::vbOK);
    ASSERT_TRUE(user::choose(f.MnuFIC(10)));
    regarde();
  }

  // After "retrace", the picture shows red marks around each of the picture pixels
  // `points` (their frame and row number, right of and below the point) and nowhere else.
  void expectMarksOnlyAt(const std::vector<Pixel>& points, const std::string& quand) {
    QVL& f = Qvl();
    ASSERT_TRUE(user::click(f.Bout(1)));   // "retrace"
    regarde();
    const QRgb rouge = painted::rgbOf(platform::QBColor(CouleursTrace(0)));
    auto estRouge = [rouge](QRgb c) { return c == rouge; };
    std::vector<QRect> autour;
    for (const Pixel& p : points) {
      // The frame lies Taille_Zone pixels around the point, the number right of and
      // below it.
      const int d = Taille_Zone + 4;
      autour.push_back(QRect(ecran({p.x - d, p.y - d}), ecran({p.x + std::max(d, 16), p.y + std::max(d, 12)})));
      EXPECT_TRUE(painted::findWhere(vue_, autour.back(), estRouge).found()) << quand << ": no mark at " << p;
    }
    long ailleurs = 0;
    QPoint premier;
    for (int y = 0; y < vue_.height(); ++y)
      for (int x = 0; x < vue_.width(); ++x) {
        if (!estRouge(vue_.pixel(x, y))) continue;
        bool pres = false;
        for (const QRect& r : autour) pres = pres || r.contains(x, y);
        if (!pres && ailleurs++ == 0) premier = QPoint(x, y);
      }
    EXPECT_EQ(ailleurs, 0) << quand << ": marks elsewhere, the first on picture pixel " << montre(premier);
  }

  // The picture pixel shown at canvas point e (found by the last regarde()).
  Pixel montre(QPoint e) const {
    Pixel p;
    for (int x = 0; x < kLargeur; ++x) {
      const painted::Region& c = colonnes_[static_cast<std::size_t>(x)];
      if (c.found() && e.x() >= c.left && e.x() <= c.right) p.x = x;
    }
    for (int y = 0; y < kHauteur; ++y) {
      const painted::Region& r = rangs_[static_cast<std::size_t>(y)];
      if (r.found() && e.y() >= r.top && e.y() <= r.bottom) p.y = y;
    }
    return p;
  }

  QImage vue_;
  std::vector<painted::Region> colonnes_, rangs_;
};

// --- the measurements ------------------------------------------------------------------

// Two cystidia of five measures, on picture rows 20 and 80: the length from x = 20 to
// 120, then four widths pressed at x = 30, 50, 70 and 90.
void cystides(RowStart& t) {
  for (int y : {20, 80}) {
    t.trace({20, y}, {120, y});
    for (int x : {30, 50, 70, 90}) t.trace({x, y}, {x + 3, y + 20});
  }
}
// Two cystidia of three measures on the same rows.
void cystidesTrois(RowStart& t) {
  for (int y : {20, 80}) {
    t.trace({20, y}, {120, y});
    for (int x : {40, 80}) t.trace({x, y}, {x + 3, y + 20});
  }
}
// Two spores in two dimensions at the same places: a length and a width each.
void spores(RowStart& t) {
  for (int y : {20, 80}) {
    t.trace({20, y}, {120, y});
    t.trace({60, y}, {63, y + 20});
  }
}
// Two spores of the later function, on the right of the picture.
void sporesADroite(RowStart& t) {
  for (int y : {30, 90}) {
    t.trace({160, y}, {220, y});
    t.trace({180, y}, {183, y + 15});
  }
}
// The points the later functions mark, on the right of the picture.
const std::vector<Pixel> kPoints = {{180, 30}, {180, 90}};
// Two colour zones.
void zones(RowStart& t) {
  for (const Pixel& p : kPoints) t.clique(p);
}
// Two counts of one element each: the element, then the right click that writes it.
void comptes(RowStart& t) {
  for (const Pixel& p : kPoints) {
    t.clique(p);
    t.clique(p, Qt::RightButton);
  }
}
// Two counts closed with the right click and nothing counted.
void comptesVides(RowStart& t) {
  for (const Pixel& p : kPoints) t.clique(p, Qt::RightButton);
}
// Two triangles: the vertex, then two points.
void triangles(RowStart& t) {
  for (const Pixel& p : kPoints) {
    t.clique(p);
    t.clique({p.x + 30, p.y});
    t.clique({p.x, p.y + 20});
  }
}
// Two closed outlines of four vertices, the right click closing each.
void contours(RowStart& t) {
  for (const Pixel& p : kPoints) {
    for (const Pixel& q : {p, Pixel{p.x + 30, p.y}, Pixel{p.x + 30, p.y + 20}, Pixel{p.x, p.y + 20}}) t.clique(q);
    t.clique(p, Qt::RightButton);
  }
}
// Two gill counts: the centre, two gills, the right click that writes the count.
void lames(RowStart& t) {
  for (const Pixel& p : kPoints) {
    t.clique(p);
    t.clique({p.x + 30, p.y});
    t.clique({p.x, p.y + 20});
    t.clique(p, Qt::RightButton);
  }
}

// The items of the "Fonction" menu chosen.
platform::MenuItem& sporesMenu() { return Qvl().MnuFonc(2); }      // "Spores 2D"
platform::MenuItem& cystides3Menu() { return Qvl().Cyst(1); }      // "Cystides " > "3 mesures"
platform::MenuItem& cystides5Menu() { return Qvl().Cyst(3); }      // "Cystides " > "5 mesures"
platform::MenuItem& comptageMenu() { return Qvl().Mncp(1); }       // "Comptage" > "simple"
platform::MenuItem& lamesMenu() { return Qvl().MnuFonc(8); }       // "Comptage Lames"
platform::MenuItem& tintavelMenu() { return Qvl().MnuFonc(20); }   // "Tintavel"
platform::MenuItem& triangleMenu() { return Qvl().Mnusurf(1); }    // "Surface" > "Triangle / Angles"
platform::MenuItem& courbeMenu() { return Qvl().Mnusurf(2); }      // "Surface" > "Courbe fermée"

struct Suite {
  const char* nom;
  platform::MenuItem& (*avant)();   // the earlier function
  void (*mesureAvant)(RowStart&);
  platform::MenuItem& (*apres)();   // the later function
  void (*mesureApres)(RowStart&);
  int fonction;                     // the later function's code
  // Each real its measurement writes, from X1 of cell 1 on: "x" a value, "0" none; all
  // the reals after them are 0.
  const char* ecrits;
  int avis;                         // notices its menu gives (the missing colour standard)
};

const Suite kSuites[] = {
    {"cystidia of five measures, then colour zones", cystides5Menu, cystides, tintavelMenu, zones, 20, "xx", 1},
    {"spores, then counts", sporesMenu, spores, comptageMenu, comptes, 10, "xx", 0},
    {"spores, then counts of nothing", sporesMenu, spores, comptageMenu, comptesVides, 10, "", 0},
    {"cystidia of five measures, then spores", cystides5Menu, cystides, sporesMenu, sporesADroite, 2, "xxxxxxxx", 0},
    {"cystidia of three measures, then triangles", cystides3Menu, cystidesTrois, triangleMenu, triangles, 15, "", 0},
    // The outline keeps its centre in cell 1 and S x 1000, P x 1000 and the flag of a
    // closed curve in cell 2.
    {"cystidia of five measures, then outlines", cystides5Menu, cystides, courbeMenu, contours, 16, "xx00xxx0", 0},
    {"spores, then gill counts", sporesMenu, spores, lamesMenu, lames, 22, "", 0},
};

// Rows of one function measured, the grid cleared with "Raz gril.", another function
// chosen and two of its rows measured: each of them holds only what its measurement
// wrote (the reals `ecrits` says, nothing after them), in the table and in the session
// written by "Transfert de  session".
TEST_F(RowStart, ARowHoldsOnlyWhatItsMeasurementWrote) {
  int n = 0;
  for (const Suite& s : kSuites) {
    SCOPED_TRACE(s.nom);
    ouvre();
    choisit(s.avant());
    s.mesureAvant(*this);
    ASSERT_EQ(LigneCourante, 3);
    razGrille();
    for (int i = 0; i < s.avis; ++i) dialogs_->answerMsgBox(platform::vbOK);
    choisit(s.apres());
    ASSERT_EQ(FonctionCourante, s.fonction);
    // "8x8": a zone of 5 x 5 pixels.
    if (s.fonction == 20) {
      ASSERT_TRUE(user::choose(Qvl().Lrg(1)));
    }
    s.mesureApres(*this);
    ASSERT_EQ(LigneCourante, 3);
    // The first `taille` reals of a row as they should be.
    auto attendues = [&s](int taille) {
      const std::string e = s.ecrits;
      return e + std::string(static_cast<std::size_t>(taille) - e.size(), '0');
    };
    for (int r = 1; r <= 2; ++r) {
      const Mesure& m = TabMesures(r);
      EXPECT_EQ(m.NumImage, 1) << "row " << r;
      std::string t;
      for (double x : reels(m)) t += x == 0 ? '0' : 'x';
      EXPECT_EQ(t, attendues(64)) << "row " << r << " of the table";
    }
    const std::vector<std::vector<std::string>> lignes = lignesTrame(transfere("session " + std::to_string(++n)));
    ASSERT_EQ(lignes.size(), 2u);
    for (std::size_t r = 0; r < lignes.size(); ++r) {
      const std::vector<std::string>& l = lignes[r];
      // Zoom, image, 4 reals a cell (an outline then its four grid texts), and the
      // empty field after the final ";".
      const int taille = 4 * NbCellules;
      ASSERT_EQ(static_cast<int>(l.size()), 2 + taille + (s.fonction == 16 ? 4 : 0) + 1) << "row " << r + 1;
      std::string t;
      for (int k = 0; k < taille; ++k) t += l[static_cast<std::size_t>(2 + k)] == "0" ? '0' : 'x';
      EXPECT_EQ(t, attendues(taille)) << "row " << r + 1 << " of the session";
    }
  }
}

// Two cystidia of five measures, "Raz gril.", "Tintavel" and two colour zones: the
// redraw ("retrace") draws the frames of the two zones and nothing where the cystidia
// were, and so does the session written by "Transfert de  session" once loaded again
// with "Charger la trame", whose rows are those measured.
TEST_F(RowStart, ColourZonesAfterCystidiaDrawOnlyTheirOwnFrames) {
  const Suite& s = kSuites[0];
  ouvre();
  choisit(s.avant());
  s.mesureAvant(*this);
  razGrille();
  dialogs_->answerMsgBox(platform::vbOK);   // no colour standard
  choisit(s.apres());
  ASSERT_TRUE(user::choose(Qvl().Lrg(1)));
  s.mesureApres(*this);
  ASSERT_EQ(LigneCourante, 3);
  expectMarksOnlyAt(kPoints, "after the zones");
  const std::string avant1 = session_window::rowText(TabMesures(1)), avant2 = session_window::rowText(TabMesures(2));
  charge(transfere("session"), 1);
  ASSERT_EQ(FonctionCourante, 20);
  ASSERT_EQ(LigneCourante, 3);
  EXPECT_EQ(session_window::rowText(TabMesures(1)), avant1);
  EXPECT_EQ(session_window::rowText(TabMesures(2)), avant2);
  expectMarksOnlyAt(kPoints, "loaded again");
}

// The row the cursor waits on holds nothing either: "Raz gril." forgets the image of
// the first rows only, so that from the twelfth row on an earlier spore would still be
// drawn there by "retrace" before a zone is measured in it.
TEST_F(RowStart, TheRowWaitingForAMeasurementShowsNothing) {
  ouvre();
  choisit(sporesMenu());
  for (int i = 0; i < 12; ++i) {
    const int y = 8 + 10 * i;
    trace({20, y}, {120, y});
    trace({60, y}, {63, y + 5});
  }
  ASSERT_EQ(LigneCourante, 13);
  razGrille();
  dialogs_->answerMsgBox(platform::vbOK);   // no colour standard
  choisit(tintavelMenu());
  ASSERT_TRUE(user::choose(Qvl().Lrg(1)));
  std::vector<Pixel> points;
  for (int i = 0; i < 11; ++i) points.push_back({150 + 9 * (i % 4), 10 + 30 * (i / 4) + 3 * (i % 4)});
  for (const Pixel& p : points) clique(p);
  ASSERT_EQ(LigneCourante, 12);
  EXPECT_EQ(session_window::rowText(TabMesures(12)), session_window::rowText(Mesure{}));
  expectMarksOnlyAt(points, "eleven zones");
}

// A row read from a trame keeps every cell the file holds, also cells its function does
// not measure: a colour zone with a second point has a second frame drawn there. The
// last spore row read, opened again by an undo (Backspace) and its width measured
// again, keeps its length from the file; rows measured after those read start empty
// and leave them as they are.
TEST_F(RowStart, RowsReadFromATrameKeepWhatTheFileHolds) {
  ouvre();
  const std::string image = Img_Active;
  auto point = [](double x, double y) {
    return platform::LTrim(platform::Str(x * 15)) + ";" + platform::LTrim(platform::Str(y * 15));
  };
  auto trame = [&](const std::string& nom, int fonction, const std::vector<std::string>& rangees) {
    std::vector<std::string> l = {"INDPRES=True", "NBIMAGES= 1", "NBLIGNES= " + std::to_string(rangees.size()),
                                  "FONCTION= " + std::to_string(fonction), "CALIBRAGE= ", " 1", "IMAGES= ", image,
                                  "COMMENT= "};
    for (std::size_t k = 1; k <= rangees.size(); ++k) l.push_back(std::to_string(k) + ";");
    l.insert(l.end(), {"FIN", "TRAME= "});
    l.insert(l.end(), rangees.begin(), rangees.end());
    const std::string path = images_.file(nom);
    EXPECT_TRUE(platform::writeLines(path, l));
    return path;
  };
  // Colour zones, six cells a row: the second row with a second point in cell 2 and
  // numbers in cells 3 to 6 (cell 3 starts at 0, 0: the frames end there).
  const std::string zeros = ";0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;";
  charge(trame("zones.trm", 20,
               {"0;1;" + point(180.5, 30.5) + ";0;0" + zeros,
                "0;1;" + point(180.5, 90.5) + ";0;0;" + point(60.5, 80.5) +
                    ";0;0;0;0;1;2;3;4;0;0;5;6;7;8;9;10;11;12;"}),
         1);
  ASSERT_EQ(FonctionCourante, 20);
  ASSERT_EQ(LigneCourante, 3);
  std::vector<double> attendu(64, 0.0);
  attendu[0] = 180.5 * 15, attendu[1] = 30.5 * 15;
  EXPECT_EQ(reels(TabMesures(1)), attendu);
  attendu[1] = 90.5 * 15, attendu[4] = 60.5 * 15, attendu[5] = 80.5 * 15;
  const double suite[] = {0, 0, 1, 2, 3, 4, 0, 0, 5, 6, 7, 8, 9, 10, 11, 12};
  for (int k = 0; k < 16; ++k) attendu[static_cast<std::size_t>(8 + k)] = suite[k];
  EXPECT_EQ(reels(TabMesures(2)), attendu);
  expectMarksOnlyAt({{180, 30}, {180, 90}, {60, 80}}, "zones read");

  // Spores in two dimensions.
  charge(trame("spores.trm", 2,
               {"0;1;" + point(20, 20) + ";" + point(120, 20) + ";" + point(60, 20) + ";" + point(60, 40) + ";",
                "0;1;" + point(20, 80) + ";" + point(120, 80) + ";" + point(60, 80) + ";" + point(60, 100) + ";"}),
         0);
  ASSERT_EQ(FonctionCourante, 2);
  ASSERT_EQ(LigneCourante, 3);
  const std::string lu1 = session_window::rowText(TabMesures(1));
  std::vector<double> fichier2(64, 0.0);
  const double lu[] = {20, 80, 120, 80, 60, 80, 60, 100};
  for (int k = 0; k < 8; ++k) fichier2[static_cast<std::size_t>(k)] = lu[k] * 15;
  EXPECT_EQ(reels(TabMesures(2)), fichier2);
  picture_window::key(QEvent::KeyPress, Qt::Key_Backspace);
  picture_window::key(QEvent::KeyRelease, Qt::Key_Backspace);
  ASSERT_EQ(LigneCourante, 2);
  ASSERT_EQ(EtapeClic, 2);
  trace({60, 80}, {63, 100});
  ASSERT_EQ(LigneCourante, 3);
  // The length as the file has it, a width again.
  const std::vector<double> remesure = reels(TabMesures(2));
  for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(remesure[k], fichier2[k]) << k;
  EXPECT_NE(remesure[4], 0);
  sporesADroite(*this);
  ASSERT_EQ(LigneCourante, 5);
  EXPECT_EQ(session_window::rowText(TabMesures(1)), lu1);
  EXPECT_EQ(reels(TabMesures(2)), remesure);
}

}  // namespace
